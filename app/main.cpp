#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

void NameApplication()
{
    // Corvane's own settings folder, ~/.config/Corvane.
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("corvane.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << QString::fromLocal8Bit(argv[index]);
    }
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    // Decided before any application exists: only the window needs a
    // display, so the work without one, and every refusal, runs without.
    if (!corvane::OpensWindow(ArgumentsOf(argc, argv))) {
        QCoreApplication application(argc, argv);
        NameApplication();
        QTextStream out(stdout);
        QTextStream errors(stderr);
        return corvane::RunCommandLine(QCoreApplication::arguments(), out, errors);
    }

    QApplication application(argc, argv);
    NameApplication();
    QApplication::setDesktopFileName(QStringLiteral("corvane"));

    corvane::Startup startup;
    startup.run(corvane::ProgramToOpen(QCoreApplication::arguments()));
    return QApplication::exec();
}

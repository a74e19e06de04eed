#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>
#include <QCommandLineParser>
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

} // namespace

int main(int argc, char* argv[])
{
    QCommandLineParser arguments;
    corvane::AddOptions(arguments);

    // Building a firmware or the wiring test, or printing the help, needs no display.
    if (corvane::RunsWithoutWindow(argc, argv)) {
        QCoreApplication application(argc, argv);
        NameApplication();
        arguments.process(application);
        QTextStream errors(stderr);
        return corvane::RunCommandLine(arguments, errors);
    }

    QApplication application(argc, argv);
    NameApplication();
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    arguments.process(application);

    corvane::Startup startup;
    startup.run(arguments.positionalArguments().value(0));
    return QApplication::exec();
}

#include "app/Startup.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));

    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        QStringLiteral("Writes BASCOM-AVR programs that scroll messages on an LED sign board."));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("program"),
                                    QStringLiteral("A program Corvane wrote, to open for editing."),
                                    QStringLiteral("[program.bas]"));
    arguments.process(application);

    corvane::Startup startup;
    startup.run(arguments.positionalArguments().value(0));
    return QApplication::exec();
}

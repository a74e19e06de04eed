// A program that starts and ends as soon as its main window is on screen:
// built twice, once with Corvane's start-up and once with a bare window of
// the same size, so that bench_startup can time both side by side.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <memory>

#ifndef CORVANE_BARE_WINDOW
#include "app/Startup.h"
#include "editor/window/Form1.h"
#endif

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));

#ifdef CORVANE_BARE_WINDOW
    auto bare = std::make_unique<QWidget>();
    bare->setWindowTitle(QStringLiteral("Bare"));
    bare->setFixedSize(312, 397);
#ifdef CORVANE_BARE_WINDOW_TEXT
    // One line of text: what any window that shows text pays for its fonts.
    new QLabel(QStringLiteral("Bare"), bare.get());
#endif
    bare->show();
    QWidget* window = bare.get();
#else
    corvane::Startup startup;
    startup.run();
    QWidget* window = startup.mainWindow();
#endif

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [window] {
        if (window->windowHandle() && window->windowHandle()->isExposed()) {
            QApplication::quit();
        }
    });
    poll.start(0);
    return QApplication::exec();
}

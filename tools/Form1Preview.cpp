// Shows the main window for a look at it (scripts/screenshot.sh). With the
// argument "filled" it first types a few messages through the window, goes
// back to the first and presses Play, which opens the board preview beside it.
#include "editor/window/Form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    corvane::Form1 window;
    window.Form_Load({});
    window.show();
    if (argc > 1 && std::strcmp(argv[1], "filled") == 0) {
        QTimer::singleShot(300, &window, [&window] {
            auto* box = window.findChild<QLineEdit*>(QStringLiteral("TxtMessage"));
            QTest::keyClicks(box, QStringLiteral("HELLO WORLD"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, QStringLiteral("Second message, scrolling up"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, QStringLiteral("A third one that is long enough to be cut off "
                                                 "at the right edge of the list"));
            auto* list = window.findChild<QListWidget*>(QStringLiteral("LstMessage"));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("CmdPlayOne")),
                              Qt::LeftButton);
        });
    }
    return QApplication::exec();
}

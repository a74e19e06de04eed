// Shows the main window for a look at it (scripts/screenshot.sh). With the
// argument "filled" it first types a few messages through the window and
// presses Play.
#include "editor/Form1.h"

#include <QApplication>
#include <QLineEdit>
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
            QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("CmdPlayOne")),
                              Qt::LeftButton);
        });
    }
    return QApplication::exec();
}

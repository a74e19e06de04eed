#include "editor/window/Form1.h"

#include "editor/window/TwipsLayout.h"
#include "programfile/SignFile.h"
#include "tests/SmallFileSystem.h"
#include "tests/editor/WindowDriver.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <tuple>
#include <unistd.h>

Q_DECLARE_METATYPE(corvane::FileDialogs::Answer)

namespace corvane {
namespace {

// The pixels in which two images of the same size differ.
int DifferingPixels(const QImage& a, const QImage& b, int ring = -1)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool onRing =
                ring < 0 || x < ring || y < ring || x >= a.width() - ring || y >= a.height() - ring;
            count += onRing && a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

using test::ReadFile;

} // namespace

class Form1Test final : public QObject, private test::WindowDriver
{
    Q_OBJECT

public:
    // Before the application starts any thread: as root, the process gets a
    // mount namespace of its own for the small file system of the full-disk test.
    static void initMain()
    {
        if (::geteuid() == 0) {
            PrivateMountsError() = test::SmallFileSystem::EnterPrivateMounts();
        }
    }

private:
    static std::string& PrivateMountsError()
    {
        static std::string error;
        return error;
    }

    // The message list's context menu, opened as a right click opens it:
    // each item's text, and whether it is enabled.
    QMenu* openMessageMenu()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QPoint at = messages()->viewport()->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                messages()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(messages()->viewport(), &event);
        auto* menu = m_form->findChild<QMenu*>(QStringLiteral("messageMenu"));
        return menu != nullptr && menu->isVisible() ? menu : nullptr;
    }
    // Each item's text as shown.
    static QStringList Items(const QMenu* menu)
    {
        QStringList items;
        for (const QAction* action : menu->actions()) {
            items << test::ShownText(*action) +
                         (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        }
        return items;
    }
    void ctrlKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers more = {})
    {
        QTest::keyClick(widget, key, Qt::ControlModifier | more);
    }

    std::unique_ptr<QTemporaryDir> m_folder;

private slots:
    void init()
    {
        m_dialogs.reset();
        m_folder = std::make_unique<QTemporaryDir>();
        newWindow();
    }
    void cleanup() { m_form.reset(); }

    void startValuesBeforeLoad()
    {
        // The changed mark's place ahead of the caption (programTitles).
        QCOMPARE(m_form->windowTitle(), QStringLiteral("[*]QRV 1.1 - www.corvane.example"));
        QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(m_form->windowFlags() & Qt::WindowMinimizeButtonHint);
        const qreal dpi = m_form->logicalDpiX();
        QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
        QCOMPARE(clientArea()->maximumSize(),
                 QSize(TwipsToPixels(4680, dpi), TwipsToPixels(5955, dpi)));
        QCOMPARE(clientArea()->minimumSize(), clientArea()->maximumSize());
        QCOMPARE(m_form->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));

        auto* widths = find<QComboBox>("CmbWidth");
        QCOMPARE(widths->count(), 35);
        QCOMPARE(widths->findText(QStringLiteral("38")), -1);
        QCOMPARE(widths->itemText(15), QStringLiteral("20"));
        QCOMPARE(widths->currentIndex(), -1);
        for (int i = 0; i < widths->count(); ++i) {
            QCOMPARE(widths->itemData(i).toInt(), (widths->itemText(i).toInt() + 4) / 5);
        }
        QCOMPARE(Rows(find<QListWidget>("LstSpeed")).join(QString()), QStringLiteral("987654321"));
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});
        QCOMPARE(box()->text(), QStringLiteral("Enter here your message."));
        QCOMPARE(box()->maxLength(), 256);

        for (const char* name : {"OptScroll0", "OptScroll1", "OptScroll2", "OptScroll3", "LblSpeed",
                                 "LstSpeed", "CmdNext", "CmdDel", "CmdClear", "CmdPlayOne"}) {
            QVERIFY2(!find(name)->isEnabled(), name);
        }
        QVERIFY(find<QRadioButton>("OptScroll0")->isChecked());
        QVERIFY(find<QPushButton>("CmdNext")->isDefault());
        QCOMPARE(find<QPushButton>("CmdPlayOne")->text(), QStringLiteral(u"\u25B6"));
        QCOMPARE(find<QPushButton>("CmdClear")->text(), QStringLiteral(u"\u2716"));
        QCOMPARE(find<QPushButton>("CmdUp")->text(), QStringLiteral(u"\u25B2"));
        QCOMPARE(find<QPushButton>("CmdDn")->text(), QStringLiteral(u"\u25BC"));
        QCOMPARE(find<QLabel>("Image1")->pixmap().size(), QSize(150, 163));
        const QPalette latch = find("LblLatch")->palette();
        QCOMPARE(latch.color(QPalette::WindowText), QColor(255, 255, 0));
        QCOMPARE(latch.color(QPalette::Window), QColor(0, 0, 0));
        QVERIFY(find("LstMessage")->font().families().contains(QStringLiteral("Tahoma")));
    }

    void layoutInTwips()
    {
        struct Place
        {
            const char* name;
            QRect twips;
            bool inFrame = false;
        };
        const Place places[] = {
            {"LblWidth", {120, 1440, 615, 255}},     {"TxtMessage", {120, 1800, 4455, 285}},
            {"OptScroll0", {240, 2160, 615, 255}},   {"LblSpeed", {3360, 2160, 615, 255}},
            {"LstSpeed", {3960, 2160, 495, 255}},    {"CmdNext", {1200, 2520, 1095, 375}},
            {"CmdDel", {2400, 2520, 1095, 375}},     {"Frame1", {120, 4560, 3015, 1335}},
            {"Label1", {480, 240, 1215, 255}, true}, {"Label2", {480, 480, 1575, 255}, true},
            {"Label3", {480, 720, 1575, 255}, true}, {"Label4", {480, 960, 1575, 255}, true},
            {"PicFlg", {120, 240, 300, 210}, true},  {"CmdUp", {240, 2520, 330, 465}},
            {"CmdDn", {720, 2520, 330, 465}},        {"CmdClear", {4080, 2520, 375, 375}},
            {"CmdPlayOne", {3600, 2520, 375, 390}},  {"LstMessage", {120, 3000, 4455, 1035}},
            {"OptScroll1", {960, 2160, 735, 255}},   {"OptScroll2", {1800, 2160, 615, 255}},
            {"OptScroll3", {2400, 2160, 735, 255}},  {"CmdSave", {960, 4080, 2775, 375}},
            {"Label5", {120, 120, 4455, 1215}},      {"CmbWidth", {720, 1440, 615, 315}},
            {"LblLatch", {1800, 1440, 2400, 195}},   {"Image1", {3240, 4560, 1305, 1260}},
            {"LblCut", {240, 840, 4215, 450}},
        };
        const QWidget* frame = find("Frame1");
        for (const auto& [name, twips, inFrame] : places) {
            const QWidget* control = find(name);
            QRect want = TwipsRect(twips.x(), twips.y(), twips.width(), twips.height(),
                                   m_form->logicalDpiX());
            if (qstrcmp(name, "LblLatch") == 0) {
                want.setSize(control->sizeHint());
            } else if (control->inherits("QRadioButton") || inFrame) {
                // Widened to show the whole caption, never narrower than drawn.
                want.setWidth(std::max(want.width(), control->sizeHint().width()));
            }
            QVERIFY2(control->geometry() == want, name);
            QCOMPARE(control->parentWidget(), inFrame ? frame : clientArea());
        }
    }

    void tabOrder()
    {
        QStringList chain;
        QWidget* widget = box();
        do {
            if (widget->focusPolicy() & Qt::TabFocus && widget->window() == m_form.get()) {
                chain << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != box());
        QCOMPARE(chain, QStringList({"TxtMessage", "OptScroll0", "LstSpeed", "CmdNext", "CmdDel",
                                     "CmdUp", "CmdDn", "CmdClear", "CmdPlayOne", "LstMessage",
                                     "OptScroll1", "OptScroll2", "OptScroll3", "CmdSave",
                                     "CmbWidth", "CmbWay", "CmbPause"}));
    }

    void loadStepsInOrderThenFirstShowEntersEditing()
    {
        bool checked = false;
        m_form->Form_Load([&] {
            checked = true;
            QVERIFY(m_form->isHidden());
            QVERIFY(!m_form->glyphTable().isFilled());
            QCOMPARE(find<QComboBox>("CmbWidth")->currentIndex(), -1);
        });
        QVERIFY(checked);
        QVERIFY(m_form->glyphTable().isFilled());
        QCOMPARE(find<QComboBox>("CmbWidth")->currentText(), QStringLiteral("20"));
        QCOMPARE(find<QLabel>("LblLatch")->text(), QStringLiteral("You need 4 IC Latch 74573."));
        QCOMPARE(find<QListWidget>("LstSpeed")->currentItem()->text(), QStringLiteral("5"));
        QCOMPARE(messages()->currentRow(), 0);
        QCOMPARE(box()->text(), QStringLiteral("Enter here your message."));

        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QCOMPARE(QApplication::focusWidget(), box());
        QVERIFY(editor().IsEditing());
        QCOMPARE(box()->text(), QString());
        const QPoint offCentre =
            m_form->frameGeometry().center() - m_form->screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        QVERIFY(find("CmdDel")->isEnabled() && find("LstSpeed")->isEnabled());
    }

    void typicalUseThenSave()
    {
        showLoaded();
        type(QStringLiteral("HI"));
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box());
        QCOMPARE(box()->text(), QStringLiteral(" "));
        click("OptScroll2");
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_Backspace);
        type(QStringLiteral("A"));
        QCOMPARE(shownMessages(), QStringList({"HI", "A"}));
        QCOMPARE(editor().entries(), (std::vector<Message>{{"HI", ScrollDirection(0), 5},
                                                           {"A", ScrollDirection(2), 5}}));

        m_dialogs.savePath = m_folder->filePath(QStringLiteral("program"));
        click("CmdSave");
        QCOMPARE(m_dialogs.askedTitles(), QStringList{"Select a Name for Program"});
        QCOMPARE(editor().LatchCount(), 4);
        QCOMPARE(ReadFile(m_dialogs.savePath), expectedProgram());
        QVERIFY(m_dialogs.warnings.isEmpty());
        QCOMPARE(messages()->currentRow(), 1);
    }

    void editsKeepCaretAndRefuseWhatTheBoxCannotHold()
    {
        showLoaded();
        type(QStringLiteral("ac"));
        QTest::keyClick(box(), Qt::Key_Left);
        type(QStringLiteral("b"));
        QCOMPARE(box()->text(), QStringLiteral("abc"));
        QCOMPARE(box()->cursorPosition(), 2);
        QTest::sendKeyEvent(QTest::Press, box(), Qt::Key_unknown, QStringLiteral(u"\u0416"), {});
        QTest::sendKeyEvent(QTest::Release, box(), Qt::Key_unknown, QStringLiteral(u"\u0416"), {});
        QCOMPARE(box()->text(), QStringLiteral("abc"));

        QGuiApplication::clipboard()->setText(QStringLiteral(u"x\ty\u4e2d\u00e9\u20acz"));
        QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box()->text(), QStringLiteral(u"abxy\u00e9\u20aczc"));
        QCOMPARE(box()->cursorPosition(), 7);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(u"abxy\u00e9\u20aczc")});

        // A click that did not take Qt's focus from the box (a shortcut):
        // the next keystroke gives the box the focus back first.
        find<QPushButton>("CmdPlayOne")->click();
        QVERIFY(!editor().TxtMessage().hasFocus());
        QTest::keyClick(box(), Qt::Key_End);
        type(QString(256, QLatin1Char('w')));
        QCOMPARE(box()->text().size(), 256);
        QCOMPARE(editor().entries().front().text.size(), std::size_t{256});
    }

    void clicksReachTheEditor()
    {
        showLoaded();
        type(QStringLiteral("one"));
        QTest::keyClick(box(), Qt::Key_Return);
        QTest::keyClick(box(), Qt::Key_End); // keeps the blank entry's selected space
        type(QStringLiteral("two"));
        click("OptScroll3");
        // One row high: the scroll bar moves a row at a time to the speed to click.
        QCOMPARE(find<QListWidget>("LstSpeed")->verticalScrollBar()->maximum(), 8);
        clickRow(find<QListWidget>("LstSpeed"), 0);
        clickRow(messages(), 0);
        QCOMPARE(editor().entries().at(1),
                 (Message{editor().entries().at(1).text, ScrollDirection::Down, 9}));
        QCOMPARE(box()->text(), QStringLiteral("one"));
        QVERIFY(find<QRadioButton>("OptScroll0")->isChecked());
        QCOMPARE(find<QListWidget>("LstSpeed")->currentItem()->text(), QStringLiteral("5"));

        QTest::keyClick(messages(), Qt::Key_Down);
        QCOMPARE(box()->text(), QStringLiteral(" two"));
        click("CmdUp");
        QCOMPARE(shownMessages(), QStringList({" two", "one"}));
        QCOMPARE(messages()->currentRow(), 0);
        click("CmdDn");
        QCOMPARE(shownMessages(), QStringList({"one", " two"}));
        QCOMPARE(messages()->currentRow(), 1);
        click("CmdDel");
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("one")});
        QCOMPARE(QApplication::focusWidget(), box());
        click("CmdClear");
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});

        click("CmdPlayOne");
        QCOMPARE(find<QPushButton>("CmdPlayOne")->text(), QStringLiteral(u"\u275A\u275A"));
        QCOMPARE(find("CmdPlayOne")->toolTip(), QStringLiteral("Pause current message! (F5)"));
        click("CmdPlayOne");
        QCOMPARE(find<QPushButton>("CmdPlayOne")->text(), QStringLiteral(u"\u25B6"));
    }

    void widthChoiceResizesTheLatchLabel()
    {
        showLoaded();
        auto* widths = find<QComboBox>("CmbWidth");
        auto* label = find<QLabel>("LblLatch");
        widths->setFocus();
        for (const auto& [key, width, latches] :
             {std::tuple{Qt::Key_Home, "5", 1}, {Qt::Key_Down, "6", 2}, {Qt::Key_End, "40", 8}}) {
            QTest::keyClick(widths, key);
            QCOMPARE(widths->currentText(), QLatin1String(width));
            const QString text = QStringLiteral("You need %1 IC Latch 74573.").arg(latches);
            QCOMPARE(label->text(), text);
            QCOMPARE(label->toolTip(), text);
            QCOMPARE(label->size(), label->sizeHint());
        }
    }

    void focusRules()
    {
        showLoaded();
        // Enter presses Next once, from the box and from elsewhere in the window.
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(messages()->count(), 2);
        QTest::keyClick(messages(), Qt::Key_Enter);
        QCOMPARE(messages()->count(), 3);
        QCOMPARE(QApplication::focusWidget(), box());

        // Deactivating the window with an empty box is no focus loss.
        QTest::keyClick(box(), Qt::Key_Backspace);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(editor().IsEditing());
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QCOMPARE(QApplication::focusWidget(), box());

        // A click on Next with the box empty: the box's focus loss disables it first.
        click("CmdNext");
        QCOMPARE(messages()->count(), 3);
        QCOMPARE(box()->text(), QStringLiteral("Enter here your message."));
        QVERIFY(!find("CmdNext")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), nullptr);

        // A click on an entry's empty area keeps the highlight where it is.
        const int row = messages()->currentRow();
        QTest::mouseClick(messages()->viewport(), Qt::LeftButton, {},
                          messages()->viewport()->rect().bottomLeft() + QPoint(5, -3));
        QCoreApplication::processEvents();
        QCOMPARE(messages()->selectedItems(), QList<QListWidgetItem*>{messages()->item(row)});
    }

    void cancelledOrEmptySaveWritesNothing()
    {
        showLoaded();
        const QString path = m_folder->filePath(QStringLiteral("kept.bas"));
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("old") == 3);
        kept.close();
        type(QStringLiteral("x"));
        click("OptScroll1");
        click("CmdSave");
        QCOMPARE(m_dialogs.askedTitles(), QStringList{"Select a Name for Program"});
        QCOMPARE(editor().entries().front().direction, ScrollDirection::Right);
        QCOMPARE(editor().entries().front().speed, 5);
        QCOMPARE(editor().LatchCount(), 0);
        QCOMPARE(ReadFile(path), QByteArray("old"));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{"kept.bas"});
    }

    void failedSaveIsReportedAndLeavesNothingBehind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "no such folder/program.bas";
        QTest::newRow("folder as name") << "folder";
    }
    void failedSaveIsReportedAndLeavesNothingBehind()
    {
        QFETCH(QString, name);
        showLoaded();
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("folder")));
        type(QStringLiteral("keep me"));
        m_dialogs.savePath = m_folder->filePath(name);
        click("CmdSave");
        QCOMPARE(m_dialogs.warnings.size(), 1);
        const QString message = m_dialogs.warnings.front();
        QVERIFY2(message.contains(m_dialogs.savePath), qPrintable(message));
        QVERIFY2(message.section(QLatin1Char('\n'), 1).trimmed().size() > 0, qPrintable(message));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"folder"});
        QVERIFY(QDir(m_folder->filePath(QStringLiteral("folder"))).isEmpty());
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("keep me")});
    }

    void ctrlZAfterClearBringsTheListBack()
    {
        showLoaded();
        type(QStringLiteral("one"));
        QTest::keyClick(box(), Qt::Key_Return);
        click("OptScroll2");
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        type(QStringLiteral("two"));
        const auto filled = editor().entries();
        QCOMPARE(filled.at(1).direction, ScrollDirection::Up);
        QCOMPARE(filled.at(1).speed, 5);
        click("CmdClear");
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});
        QVERIFY(find<QRadioButton>("OptScroll0")->isChecked());

        ctrlKey(box(), Qt::Key_Z);
        QCOMPARE(shownMessages(), QStringList({"one", " two"}));
        QCOMPARE(editor().entries(), filled);
        QCOMPARE(messages()->currentRow(), 1);
        QCOMPARE(box()->text(), QStringLiteral(" two"));
        QCOMPARE(box()->cursorPosition(), 4);
        QCOMPARE(QApplication::focusWidget(), box());
        QVERIFY(find<QRadioButton>("OptScroll2")->isChecked());
        QCOMPARE(find<QListWidget>("LstSpeed")->currentItem()->text(), QStringLiteral("5"));

        // Redo from anywhere in the window, by either key.
        messages()->setFocus();
        ctrlKey(messages(), Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});
        ctrlKey(box(), Qt::Key_Z);
        ctrlKey(box(), Qt::Key_Y);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});

        // A width chosen is a step too; its undo brings the latch label back.
        auto* widths = find<QComboBox>("CmbWidth");
        widths->setFocus();
        QTest::keyClick(widths, Qt::Key_End);
        QCOMPARE(find<QLabel>("LblLatch")->text(), QStringLiteral("You need 8 IC Latch 74573."));
        ctrlKey(widths, Qt::Key_Z);
        QCOMPARE(widths->currentText(), QStringLiteral("20"));
        QCOMPARE(find<QLabel>("LblLatch")->text(), QStringLiteral("You need 4 IC Latch 74573."));
        QCOMPARE(find<QLabel>("LblLatch")->size(), find<QLabel>("LblLatch")->sizeHint());
    }

    void ctrlZInTheBoxTakesBackTheWindowsLastStep()
    {
        showLoaded();
        type(QStringLiteral("ab"));
        click("OptScroll1");
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClick(box(), Qt::Key_End);
        type(QStringLiteral("c"));

        ctrlKey(box(), Qt::Key_Z);
        QCOMPARE(box()->text(), QStringLiteral("ab"));
        QVERIFY(find<QRadioButton>("OptScroll1")->isChecked());
        // The box keeps its text; the caret still goes to the end.
        QTest::keyClick(box(), Qt::Key_Home);
        ctrlKey(box(), Qt::Key_Z);
        QVERIFY(find<QRadioButton>("OptScroll0")->isChecked());
        QCOMPARE(box()->text(), QStringLiteral("ab"));
        QCOMPARE(box()->cursorPosition(), 2);
        ctrlKey(box(), Qt::Key_Z);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});
        QCOMPARE(box()->text(), QStringLiteral(" "));
        // Nothing left to take back: the box does not undo on its own either.
        ctrlKey(box(), Qt::Key_Z);
        QCOMPARE(box()->text(), QStringLiteral(" "));
        QCOMPARE(QApplication::focusWidget(), box());

        // The box's own context menu offers the window's steps.
        ctrlKey(box(), Qt::Key_Y);
        QStringList boxMenu;
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                boxMenu = Items(menu);
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, box()->rect().center(),
                                box()->mapToGlobal(box()->rect().center()));
        QApplication::sendEvent(box(), &event);
        QVERIFY2(boxMenu.size() > 2, qPrintable(boxMenu.join(QLatin1Char('|'))));
        QCOMPARE(boxMenu.mid(0, 2), QStringList({"Undo Typing", "Redo Direction"}));
    }

    // Ctrl+B writes the firmware of the list as shown, through its own dialog.
    void ctrlBBuildsTheFirmwareOfTheListAsShown()
    {
        showLoaded();
        type(QStringLiteral("HI"));
        QTest::mouseClick(find("OptScroll1"), Qt::LeftButton);
        QTemporaryDir folder;
        m_dialogs.savePath = folder.filePath(QStringLiteral("sign.hex"));
        QTest::keyClick(m_form.get(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(m_dialogs.askedTitles(), QStringList{QStringLiteral("Save the Firmware")});
        const Message shown{"HI", ScrollDirection(1), 5}; // Right, not yet committed
        QCOMPARE(test::ReadFile(m_dialogs.savePath).toStdString(),
                 FirmwareHexFile(std::vector{shown}, Board::ofWidth("20")).bytes);
    }

    void messageMenuNamesTheStepsAndGreysWhatCannotBeDone()
    {
        showLoaded();
        QMenu* menu = openMessageMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(Items(menu).mid(0, 4),
                 QStringList({"Undo (off)", "Redo (off)", "", "Open Program\u2026"}));
        QCOMPARE(Items(menu).mid(4),
                 QStringList({"", "Build Firmware\u2026", "Flash to the Board\u2026",
                              "Build Wiring Test\u2026"}));
        // Both redo keys, where a menu shows one on its own.
        QCOMPARE(menu->actions().at(0)->text().section(QLatin1Char('\t'), 1),
                 QStringLiteral("Ctrl+Z"));
        QCOMPARE(menu->actions().at(1)->text().section(QLatin1Char('\t'), 1),
                 QStringLiteral("Ctrl+Shift+Z, Ctrl+Y"));
        menu->close();

        type(QStringLiteral("x"));
        click("CmdClear");
        menu = openMessageMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(Items(menu).mid(0, 4),
                 QStringList({"Undo Clear", "Redo (off)", "", "Open Program\u2026"}));
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().front()).center());
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("x")});
        QCOMPARE(QApplication::focusWidget(), box());

        menu = openMessageMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(Items(menu).mid(0, 4),
                 QStringList({"Undo Typing", "Redo Clear", "", "Open Program\u2026"}));
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().at(1)).center());
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});
    }

    void unchangedListClosesWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("before"); // what the user did before closing
        QTest::newRow("nothing") << "";
        QTest::newRow("saved, then a letter typed and erased again") << "save";
        QTest::newRow("cleared: one blank entry is nothing worth saving") << "clear";
    }
    void unchangedListClosesWithoutAQuestion()
    {
        QFETCH(QString, before);
        showLoaded();
        if (before == QLatin1String("save")) {
            type(QStringLiteral("ab"));
            m_dialogs.savePath = m_folder->filePath(QStringLiteral("saved.bas"));
            click("CmdSave");
            QTest::mouseClick(box(), Qt::LeftButton);
            QTest::keyClick(box(), Qt::Key_End);
            type(QStringLiteral("c"));
            QTest::keyClick(box(), Qt::Key_Backspace);
        } else if (before == QLatin1String("clear")) {
            type(QStringLiteral("gone"));
            click("CmdClear");
        }
        QVERIFY(m_form->close());
        QVERIFY(m_dialogs.questions.isEmpty());
    }

    void closeQuestionAnswers_data()
    {
        QTest::addColumn<FileDialogs::Answer>("answer");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancel") << FileDialogs::Answer::Cancel << "program.bas" << false << false;
        QTest::newRow("discard") << FileDialogs::Answer::Discard << "program.bas" << true << false;
        QTest::newRow("save") << FileDialogs::Answer::Save << "program.bas" << true << true;
        QTest::newRow("save, dialog cancelled")
            << FileDialogs::Answer::Save << "" << false << false;
        QTest::newRow("save, write fails")
            << FileDialogs::Answer::Save << "no such folder/program.bas" << false << false;
    }
    void closeQuestionAnswers()
    {
        QFETCH(FileDialogs::Answer, answer);
        QFETCH(QString, path);
        QFETCH(bool, closes);
        QFETCH(bool, written);
        showLoaded();
        type(QStringLiteral("keep me"));
        m_dialogs.answer = answer;
        m_dialogs.savePath = path.isEmpty() ? QString() : m_folder->filePath(path);

        QCOMPARE(m_form->close(), closes);
        QCOMPARE(m_dialogs.questions,
                 QStringList{QStringLiteral("Save the messages before closing?")});
        QCOMPARE(m_dialogs.asked.size(), answer == FileDialogs::Answer::Save ? 1 : 0);
        QCOMPARE(m_form->isVisible(), !closes);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("keep me")});
        QCOMPARE(QFile::exists(m_dialogs.savePath), written);
        if (written) {
            QCOMPARE(ReadFile(m_dialogs.savePath), expectedProgram());
        }
        QCOMPARE(m_dialogs.warnings.size(), path.contains(QLatin1String("no such")) ? 1 : 0);
        if (!closes) {
            // Still changed: the next close asks again.
            m_dialogs.answer = FileDialogs::Answer::Discard;
            QVERIFY(m_form->close());
            QCOMPARE(m_dialogs.questions.size(), 2);
        }
    }

    void saveOnAFullDiskIsReportedAndLeavesTheListAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("new name") << "new.bas";
        QTest::newRow("existing file") << "old.bas";
    }
    void saveOnAFullDiskIsReportedAndLeavesTheListAlone()
    {
        QFETCH(QString, name);
        if (::geteuid() != 0) {
            QSKIP("Mounting a small file system needs root; the full disk is not tested.");
        }
        // As root the case must run: a mount that fails is a failure, not a skip.
        QVERIFY2(PrivateMountsError().empty(), PrivateMountsError().c_str());
        const test::SmallFileSystem disk(m_folder->path().toStdString());
        QVERIFY2(disk.error().empty(), disk.error().c_str());
        const QByteArray oldProgram = "old program\r\n";
        QFile old(m_folder->filePath(QStringLiteral("old.bas")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldProgram) == oldProgram.size());
        old.close();
        const std::string filled = disk.fill("fill");
        QVERIFY2(filled.empty(), filled.c_str());

        showLoaded();
        type(QStringLiteral("HELLO"));
        QTest::keyClick(box(), Qt::Key_Return);
        type(QStringLiteral("WORLD"));
        const QStringList shown = shownMessages();
        const auto entries = editor().entries();
        m_dialogs.savePath = m_folder->filePath(name);
        click("CmdSave");

        QCOMPARE(m_dialogs.warnings.size(), 1);
        const QString message = m_dialogs.warnings.front();
        QVERIFY2(message.contains(QDir::toNativeSeparators(m_dialogs.savePath)),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("No space left on device")), qPrintable(message));
        QCOMPARE(ReadFile(old.fileName()), oldProgram);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"fill", "old.bas"}));
        QCOMPARE(shownMessages(), shown);
        QCOMPARE(editor().entries(), entries);
        QCOMPARE(messages()->currentRow(), 1);
    }

    // Scrolling the one-row speed list selects the speed it scrolls to, so the
    // speed shown is the speed saved.
    void scrollingTheSpeedListSelectsTheSpeedShown()
    {
        showLoaded();
        type(QStringLiteral("x"));
        auto* speeds = find<QListWidget>("LstSpeed");
        QScrollBar* bar = speeds->verticalScrollBar();
        const auto shown = [speeds] {
            return speeds->itemAt(speeds->viewport()->rect().topLeft())->text();
        };
        const auto expectSelected = [&](const char* speed) {
            QCOMPARE(shown(), QLatin1String(speed));
            QCOMPARE(speeds->currentItem()->text(), QLatin1String(speed));
            QVERIFY(speeds->currentItem()->isSelected());
            QCOMPARE(QString::number(editor().CurSpeed()), QLatin1String(speed));
        };
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub); // the up arrow
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        expectSelected("7");
        type(QStringLiteral("y"));
        QCOMPARE(editor().entries().front(), (Message{"xy", ScrollDirection::Left, 7}));

        QWheelEvent wheel(QPointF(4, 4), speeds->viewport()->mapToGlobal(QPointF(4, 4)), {},
                          {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(speeds->viewport(), &wheel);
        expectSelected("6");
        speeds->setFocus();
        QTest::keyClick(speeds, Qt::Key_PageDown);
        expectSelected("5");
        QTest::keyClick(speeds, Qt::Key_PageUp);
        QTest::keyClick(speeds, Qt::Key_PageUp);
        expectSelected("7");
        QTest::keyClick(speeds, Qt::Key_Down); // the arrow keys select as before
        expectSelected("6");
    }

    // Away from the box with it empty, the speed list is disabled: the wheel
    // over it scrolls nothing and chooses nothing, so the next entry still
    // gets the speed shown before.
    void disabledSpeedListIgnoresTheWheel()
    {
        showLoaded();
        click("CmdNext"); // the empty box loses the focus: nothing is edited
        auto* speeds = find<QListWidget>("LstSpeed");
        QVERIFY(!speeds->isEnabled());
        const int scrolled = speeds->verticalScrollBar()->value();
        for (const int delta : {-120, -120, 120, 120, 120}) {
            QWheelEvent wheel(QPointF(4, 4), speeds->viewport()->mapToGlobal(QPointF(4, 4)), {},
                              {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(speeds->viewport(), &wheel);
        }
        QCoreApplication::processEvents();
        QCOMPARE(speeds->verticalScrollBar()->value(), scrolled);
        QCOMPARE(speeds->currentItem()->text(), QStringLiteral("5"));
        QCOMPARE(editor().CurSpeed(), 5);

        QTest::mouseClick(box(), Qt::LeftButton);
        type(QStringLiteral("x"));
        QCOMPARE(editor().entries().front(), (Message{"x", ScrollDirection::Left, 5}));
    }

    // The blank entry's single space is selected when the box shows it, so
    // the first keystroke replaces it; any other text keeps the caret at the end.
    void blankEntryIsSelectedSoTheFirstKeystrokeReplacesIt()
    {
        showLoaded();
        type(QStringLiteral("HI"));
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(box()->selectedText(), QStringLiteral(" "));
        type(QStringLiteral("A"));
        QCOMPARE(shownMessages(), QStringList({"HI", "A"}));

        click("CmdClear");
        QCOMPARE(QApplication::focusWidget(), box());
        QCOMPARE(box()->selectedText(), QStringLiteral(" "));
        type(QStringLiteral("B"));
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("B")});

        click("CmdDel"); // the only entry
        QCOMPARE(box()->selectedText(), QStringLiteral(" "));
        type(QStringLiteral("C"));
        QTest::keyClick(box(), Qt::Key_Return);
        type(QStringLiteral("D"));
        QCOMPARE(shownMessages(), QStringList({"C", "D"}));
        clickRow(messages(), 0);
        QCOMPARE(box()->text(), QStringLiteral("C"));
        QVERIFY(!box()->hasSelectedText());
        QCOMPARE(box()->cursorPosition(), 1);
    }

    // The width list drops below its box with about ten rows and a scroll
    // bar, the selected width in view.
    void widthListDropsBelowItsBoxWithTenRows()
    {
        showLoaded();
        auto* widths = find<QComboBox>("CmbWidth");
        widths->showPopup();
        QAbstractItemView* view = widths->view();
        QTRY_VERIFY(view->window()->isVisible());
        const QRect popup = view->window()->geometry();
        const QRect combo(widths->mapToGlobal(QPoint(0, 0)), widths->size());
        QVERIFY(popup.top() >= combo.bottom());
        const int rows = view->viewport()->height() / view->sizeHintForRow(0);
        QVERIFY2(rows >= 9 && rows <= 11, qPrintable(QString::number(rows)));
        QVERIFY(view->verticalScrollBar()->isVisible());
        QVERIFY(view->viewport()->rect().contains(view->visualRect(view->currentIndex())));
        QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("20"));
        widths->hidePopup();
    }

    // The caption sits in the frame's top border; the frame's children lie
    // inside its contents, below the caption.
    void aboutFrameHoldsItsChildrenBelowItsCaption()
    {
        showLoaded();
        auto* frame = find<QGroupBox>("Frame1");
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.textAlignment = frame->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, frame);
        const auto children = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(children.size(), 5);
        for (const QWidget* child : children) {
            const QString name = child->objectName();
            QVERIFY2(frame->contentsRect().contains(child->geometry()), qPrintable(name));
            QVERIFY2(!child->geometry().intersects(caption), qPrintable(name));
        }
        // The border's top line: the first mark from the top, right of the
        // caption, lies within the caption's height.
        const QImage image = frame->grab().toImage();
        const int x = frame->width() - 8;
        const QRgb background = image.pixel(x, 0);
        int line = 1;
        while (line < image.height() && image.pixel(x, line) == background) {
            ++line;
        }
        QVERIFY2(line >= caption.top() && line <= caption.bottom(),
                 qPrintable(QString::number(line)));
    }

    // Next, the default button, and the message list show when they have the focus.
    void focusIsVisibleOnNextAndTheMessageList()
    {
        showLoaded();
        type(QStringLiteral("x"));
        auto* next = find<QPushButton>("CmdNext");
        const QImage nextAlone = next->grab().toImage();
        const QImage listAlone = messages()->grab().toImage();
        QTest::keyClick(box(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        QVERIFY(next->isDefault());
        QVERIFY(DifferingPixels(nextAlone, next->grab().toImage()) >= 20);

        messages()->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        const QImage listFocused = messages()->grab().toImage();
        const int ring = 2 * (listFocused.width() + listFocused.height());
        QVERIFY2(DifferingPixels(listAlone, listFocused, 1) >= ring / 2,
                 qPrintable(QString::number(DifferingPixels(listAlone, listFocused, 1))));
    }

    // ▲, ▼, Play and Save name their keys, and a key does what a click does;
    // Save's goes through the same dialog, which asks before replacing a
    // file and adds ".bas" to a bare name.
    void keysDoWhatTheirButtonsDoAndTheTooltipsNameThem_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QStringList>("shown"); // the list after the key
        QTest::addColumn<bool>("playing");
        QTest::addColumn<QStringList>("dialogs");
        const QStringList list{"a", "b", "c"};
        QTest::newRow("up") << "CmdUp" << QKeySequence(Qt::CTRL | Qt::Key_Up)
                            << "Move the message up (Ctrl+Up)" << QStringList{"b", "a", "c"}
                            << false << QStringList{};
        QTest::newRow("down") << "CmdDn" << QKeySequence(Qt::CTRL | Qt::Key_Down)
                              << "Move the message down (Ctrl+Down)" << QStringList{"a", "c", "b"}
                              << false << QStringList{};
        QTest::newRow("play") << "CmdPlayOne" << QKeySequence(Qt::Key_F5)
                              << "Play current message (F5)" << list << true << QStringList{};
        QTest::newRow("save") << "CmdSave" << QKeySequence(Qt::CTRL | Qt::Key_S)
                              << "Save the program (Ctrl+S)" << list << false
                              << QStringList{"Select a Name for Program"};
    }
    void keysDoWhatTheirButtonsDoAndTheTooltipsNameThem()
    {
        QFETCH(QString, button);
        QFETCH(QKeySequence, key);
        QFETCH(QString, tooltip);
        QFETCH(QStringList, shown);
        QFETCH(bool, playing);
        QFETCH(QStringList, dialogs);
        showLoaded();
        QCOMPARE(find(qPrintable(button))->toolTip(), tooltip);
        for (const char* text : {"a", "b", "c"}) {
            if (text[0] != 'a') {
                QTest::keyClick(box(), Qt::Key_Return);
            }
            QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
            type(QLatin1String(text));
        }
        clickRow(messages(), 1);
        QTest::mouseClick(box(), Qt::LeftButton);

        QTest::keySequence(box(), key);

        QCOMPARE(shownMessages(), shown);
        QCOMPARE(editor().isPlaying(), playing);
        QCOMPARE(m_dialogs.askedTitles(), dialogs);
        if (!dialogs.isEmpty()) {
            QCOMPARE(m_dialogs.asked.front().defaultSuffix, QStringLiteral("bas"));
            QVERIFY(m_dialogs.asked.front().confirmReplace);
        }
    }

    // Ctrl+Q closes the window as its close button does, with the question.
    void ctrlQClosesAfterTheCloseQuestion()
    {
        showLoaded();
        type(QStringLiteral("keep me"));
        QTest::keyClick(box(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(m_dialogs.questions,
                 QStringList{QStringLiteral("Save the messages before closing?")});
        QVERIFY(m_form->isVisible());
        m_dialogs.answer = FileDialogs::Answer::Discard;
        QTest::keyClick(box(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!m_form->isVisible());
    }

    // The list shows what the box shows: erasing the message's text makes it
    // the blank entry, and Save writes that.
    void erasingTheBoxErasesTheMessageInTheListAndTheFile()
    {
        showLoaded();
        type(QStringLiteral("AB"));
        QTest::keyClick(box(), Qt::Key_Backspace);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("A")});
        QTest::keyClick(box(), Qt::Key_Backspace);
        QCOMPARE(box()->text(), QString());
        QCOMPARE(shownMessages(), QStringList{QStringLiteral(" ")});
        m_dialogs.savePath = m_folder->filePath(QStringLiteral("erased.bas"));
        click("CmdSave");
        QCOMPARE(editor().entries(), (std::vector<Message>{{" ", ScrollDirection(0), 5}}));
        QCOMPARE(ReadFile(m_dialogs.savePath), expectedProgram());
    }

    // Tab and Shift+Tab pass every enabled control in the form's order, with
    // or without text in the box, the directions as one stop at the first
    // one's place; an empty box's focus loss disables the editing controls,
    // and the focus passes them by.
    void tabReachesEveryEnabledControlInOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("text in the box")
            << "x" << QStringList{"OptScroll0", "LstSpeed", "CmdNext",    "CmdDel",     "CmdUp",
                                  "CmdDn",      "CmdClear", "CmdPlayOne", "LstMessage", "CmdSave",
                                  "CmbWidth",   "CmbWay",   "CmbPause",   "TxtMessage"};
        QTest::newRow("empty box")
            << "" << QStringList{"CmdDel",  "CmdUp",    "CmdDn",     "LstMessage",
                                 "CmdSave", "CmbWidth", "TxtMessage"};
    }
    void tabReachesEveryEnabledControlInOrder()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, stops);
        showLoaded();
        type(text);
        // Where each key press puts the focus, until it is back in the box; a
        // stop the user could not see or use ends the walk.
        const auto walk = [this](Qt::Key key) {
            QStringList reached;
            for (QWidget* at = box(); reached.size() < 20;) {
                QTest::keyClick(at, key);
                at = QApplication::focusWidget();
                if (at == nullptr || !at->isVisible() || !at->isEnabled()) {
                    reached << QStringLiteral("no usable control");
                    break;
                }
                reached << at->objectName();
                if (at == box()) {
                    break;
                }
            }
            return reached;
        };
        QCOMPARE(walk(Qt::Key_Tab), stops);
        QCOMPARE(box()->text(), text);
        QStringList back = stops;
        back.removeLast();
        std::reverse(back.begin(), back.end());
        back << QStringLiteral("TxtMessage");
        QCOMPARE(walk(Qt::Key_Backtab), back);
    }

    // The arrow keys choose a direction; Tab then goes on to the speed.
    void arrowKeysChooseTheDirectionAndTabGoesOnToTheSpeed()
    {
        showLoaded();
        type(QStringLiteral("x"));
        QTest::keyClick(box(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), find("OptScroll0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), find("OptScroll2"));
        QVERIFY(find<QRadioButton>("OptScroll2")->isChecked());
        QCOMPARE(editor().CurScroll(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), find("LstSpeed"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), find("OptScroll2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), box());
        QCOMPARE(*editor().editedEntry(), (Message{"x", ScrollDirection(2), 5}));
    }

    // The way and the pause are chosen by keys in their boxes, each choice one undo step; a
    // standing message checks no direction and takes no pause.
    void keysChooseTheWayAndThePauseEachAnUndoStep()
    {
        showLoaded();
        type(QStringLiteral("x"));
        auto* pause = find<QComboBox>("CmbPause");
        pause->setFocus();
        QTest::keyClick(pause, Qt::Key_Down);
        QTest::keyClick(pause, Qt::Key_Down);
        QCOMPARE(editor().editedEntry()->pause, 2);
        auto* way = find<QComboBox>("CmbWay");
        way->setFocus();
        QTest::keyClick(way, Qt::Key_End);
        QCOMPARE(editor().editedEntry()->direction, ScrollDirection::Blink);
        QCOMPARE(editor().editedEntry()->pause, 0);
        QVERIFY(!pause->isEnabled());
        QVERIFY(!find<QRadioButton>("OptScroll0")->isChecked());

        ctrlKey(way, Qt::Key_Z);
        QCOMPARE(way->currentText(), QStringLiteral("Scroll"));
        QVERIFY(find<QRadioButton>("OptScroll0")->isChecked());
        QVERIFY(pause->isEnabled());
        ctrlKey(way, Qt::Key_Z);
        QCOMPARE(pause->currentText(), QStringLiteral("1 s"));
        QCOMPARE(editor().editedEntry()->pause, 1);
    }

    // An Up or Down message longer than the board shows says so under the
    // title, as soon as it is cut; the preview says the same.
    void cutUpOrDownMessageSaysSoWhereItIsEdited()
    {
        showLoaded();
        auto* cut = find<QLabel>("LblCut");
        type(QStringLiteral("Second message"));
        QVERIFY(cut->isHidden());
        click("OptScroll2");
        const QString warning =
            QStringLiteral("Up and Down show the first 4 characters on this board");
        QVERIFY(cut->isVisible());
        QCOMPARE(cut->text(), warning);
        QVERIFY(clientArea()->rect().contains(cut->geometry()));
        click("CmdPlayOne");
        auto* preview = find("frmPreview");
        QTRY_VERIFY(preview->isVisible());
        auto* previewCut = test::FindControl<QLabel>(*preview, "cutWarning");
        QVERIFY(previewCut->isVisible());
        QCOMPARE(previewCut->text(), warning);

        auto* widths = find<QComboBox>("CmbWidth");
        widths->setFocus();
        QTest::keyClick(widths, Qt::Key_End);
        QCOMPARE(cut->text(),
                 QStringLiteral("Up and Down show the first 7 characters on this board"));
        QCOMPARE(previewCut->text(), cut->text());
        click("OptScroll0");
        QVERIFY(cut->isHidden());
        QVERIFY(previewCut->isHidden());
    }

    // A save whose tables alone exceed the chip's flash writes the file and
    // then warns, with the numbers.
    void saveWarnsWhenTheTablesExceedTheFlash()
    {
        showLoaded();
        type(QStringLiteral("small"));
        m_dialogs.savePath = m_folder->filePath(QStringLiteral("small.bas"));
        click("CmdSave");
        QVERIFY(m_dialogs.warnings.isEmpty());

        fillMessages(6);
        QCOMPARE(messages()->count(), 6);
        m_dialogs.savePath = m_folder->filePath(QStringLiteral("large.bas"));
        click("CmdSave");
        QCOMPARE(ReadFile(m_dialogs.savePath), expectedProgram());
        QCOMPARE(m_dialogs.warnings.size(), 1);
        const QString warning = m_dialogs.warnings.front();
        // Six tables of 256 characters and 4 + 4 blank lines: 6 × 1,576 bytes.
        for (const char* part : {"ATmega8", "9,456", "8,192", "Fewer or shorter messages"}) {
            QVERIFY2(warning.contains(QLatin1String(part)), qPrintable(warning));
        }
    }
};

} // namespace corvane

QTEST_MAIN(corvane::Form1Test)
#include "Form1Test.moc"

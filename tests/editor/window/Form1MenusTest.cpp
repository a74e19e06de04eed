#include "editor/window/Form1Menus.h"

#include "editor/files/RecentFiles.h"
#include "editor/glyphs/GlyphEditorDialog.h"
#include "editor/glyphs/GlyphGrid.h"
#include "editor/window/Form1.h"
#include "editor/window/Form1Actions.h"
#include "tests/editor/WindowDriver.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace corvane {
namespace {

// The keys a menu shows beside an item: those after its text's tab, else its shortcut's.
QString ShownKeys(const QAction& action)
{
    const QString named = action.text().section(QLatin1Char('\t'), 1);
    return named.isEmpty() ? action.shortcut().toString(QKeySequence::NativeText) : named;
}

} // namespace

// The menu bar above the window's controls, the title and status line, and
// what the window remembers between runs, driven as a user drives them.
class Form1MenusTest final : public QObject, private test::WindowDriver
{
    Q_OBJECT

private:
    QString path(const char* name) const { return m_folder->filePath(QLatin1String(name)); }
    QString shownTitle() const { return m_form->windowHandle()->title(); }
    QString note() const { return find<QLabel>("statusNote")->text(); }
    std::unique_ptr<QTemporaryDir> m_folder;

private slots:
    void init()
    {
        m_dialogs.reset();
        m_folder = std::make_unique<QTemporaryDir>();
        newWindow();
    }
    void cleanup() { m_form.reset(); }

    // Every item names its keys, its keys do what it says, and the items the
    // message list's menu shows too are the same actions.
    void menuItemsDoWhatTheyNameByTheirKeys_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("inListMenu");
        QTest::addColumn<QString>("effect");
        QTest::newRow("open") << "File"
                              << "Open Program\u2026"
                              << "Ctrl+O" << true << "dialog Open a Program";
        QTest::newRow("save") << "File"
                              << "Save"
                              << "Ctrl+S" << false << "dialog Select a Name for Program";
        QTest::newRow("firmware") << "File"
                                  << "Build Firmware\u2026"
                                  << "Ctrl+B" << true << "dialog Save the Firmware";
        QTest::newRow("wiring test") << "File"
                                     << "Build Wiring Test\u2026"
                                     << "Ctrl+T" << true << "dialog Save the Wiring Test";
        // Flashing runs avrdude: the action is only looked at.
        QTest::newRow("flash") << "File"
                               << "Flash to the Board\u2026"
                               << "Ctrl+F" << true << "";
        QTest::newRow("quit") << "File"
                              << "Quit"
                              << "Ctrl+Q" << false << "closed";
        QTest::newRow("undo") << "Edit"
                              << "Undo Typing"
                              << "Ctrl+Z" << true << "list  ";
        QTest::newRow("redo") << "Edit"
                              << "Redo Typing"
                              << "Ctrl+Shift+Z, Ctrl+Y" << true << "list x";
        QTest::newRow("clear all") << "Edit"
                                   << "Clear All"
                                   << "Ctrl+Shift+Del" << false << "list  ";
        QTest::newRow("glyphs") << "Edit"
                                << "Glyphs\u2026"
                                << "Ctrl+G" << false << "glyphs";
        QTest::newRow("manual") << "Help"
                                << "Manual"
                                << "F1" << false << "help Saving and opening";
        QTest::newRow("keys") << "Help"
                              << "Keys"
                              << "Ctrl+F1" << false << "help Ctrl+Shift+Del";
        QTest::newRow("about") << "Help"
                               << "About Corvane"
                               << "" << false << "about E-mail: mira@corvane.example";
    }
    void menuItemsDoWhatTheyNameByTheirKeys()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, keys);
        QFETCH(bool, inListMenu);
        QFETCH(QString, effect);
        showLoaded();
        type(QStringLiteral("x"));
        if (item.startsWith(QLatin1String("Redo"))) {
            QTest::keyClick(box(), Qt::Key_Z, Qt::ControlModifier);
        }
        QAction* action = menuItem(menu, item);
        QVERIFY(action != nullptr);
        QCOMPARE(ShownKeys(*action), keys);
        QVERIFY(action->isEnabled());
        const std::unique_ptr<QMenu> listMenu(
            m_form->findChild<Form1Actions*>()->buildMessageMenu());
        QCOMPARE(listMenu->actions().contains(action), inListMenu);
        if (effect.isEmpty()) {
            return;
        }
        m_dialogs.answer = FileDialogs::Answer::Discard;
        if (keys.isEmpty()) {
            action->trigger();
        } else {
            QTest::keySequence(box(), QKeySequence(keys.section(QStringLiteral(", "), 0, 0)));
        }

        const QString what = effect.section(QLatin1Char(' '), 0, 0);
        const QString shown = effect.section(QLatin1Char(' '), 1);
        if (what == QLatin1String("dialog")) {
            QCOMPARE(m_dialogs.askedTitles(), QStringList{shown});
        } else if (what == QLatin1String("closed")) {
            QVERIFY(!m_form->isVisible());
        } else if (what == QLatin1String("list")) {
            QCOMPARE(shownMessages(), QStringList{shown});
        } else if (what == QLatin1String("glyphs")) {
            auto* glyphs = m_form->findChild<GlyphEditorDialog*>(QStringLiteral("glyphEditor"));
            QVERIFY(glyphs != nullptr && glyphs->isVisible());
        } else if (what == QLatin1String("help")) {
            auto* help = find("helpWindow");
            QVERIFY(help->isVisible());
            QVERIFY(test::FindControl<QTextBrowser>(*help, "helpText")->isReadOnly());
            const QString text = test::FindControl<QTextBrowser>(*help, "helpText")->toPlainText();
            QVERIFY2(text.contains(shown), qPrintable(text.left(200)));
        } else {
            auto* about = find<QMessageBox>("aboutBox");
            QVERIFY(about->isVisible());
            QVERIFY2(about->text().contains(shown), qPrintable(about->text()));
            about->close();
        }
    }

    // The menu bar and the status line add their heights to the window's;
    // the client area keeps its size and its place below the bar.
    void barsAddTheirHeightsToTheWindow()
    {
        showLoaded();
        QCOMPARE(clientArea()->y(), m_form->menuBar()->height());
        QCOMPARE(m_form->height(), m_form->menuBar()->height() + clientArea()->height() +
                                       m_form->statusBar()->height());
        QCOMPARE(m_form->width(), clientArea()->width());
    }

    // F10 opens the first menu; Shift+F10 the context menu of the control
    // with the focus, the message list's among them.
    void keysOpenTheMenus_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("opened");
        QTest::newRow("F10") << "TxtMessage" << QKeySequence(Qt::Key_F10) << "fileMenu";
        // The box's own menu, as Qt names it.
        QTest::newRow("Shift+F10 in the box")
            << "TxtMessage" << QKeySequence(Qt::SHIFT | Qt::Key_F10) << "qt_edit_menu";
        QTest::newRow("Shift+F10 in the list")
            << "LstMessage" << QKeySequence(Qt::SHIFT | Qt::Key_F10) << "messageMenu";
    }
    void keysOpenTheMenus()
    {
        QFETCH(QString, control);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, opened);
        showLoaded();
        QWidget* widget = find(qPrintable(control));
        widget->setFocus();
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                seen = popup->objectName();
                popup->close();
            }
        });
        QTest::keySequence(widget, keys);
        QTRY_COMPARE(seen, opened);
    }

    // The title names the program held, marks unsaved changes and ends in
    // the window's caption; the status line confirms each file written.
    void titleAndStatusLineFollowThePrograms()
    {
        showLoaded();
        const QString caption = QStringLiteral("QRV 1.1 - www.corvane.example");
        QCOMPARE(shownTitle(), caption);
        type(QStringLiteral("HI"));
        QCOMPARE(shownTitle(), QLatin1Char('*') + caption);

        m_dialogs.savePath = path("sign.bas");
        QTest::keyClick(box(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(shownTitle(), QStringLiteral("sign.bas \u2014 ") + caption);
        const QString size = QLocale(QLocale::English).toString(QFileInfo(path("sign.bas")).size());
        QVERIFY(size.contains(QLatin1Char(',')));
        QCOMPARE(note(), QStringLiteral("Saved sign.bas (%1 bytes)").arg(size));
        type(QStringLiteral("!"));
        QCOMPARE(shownTitle(), QStringLiteral("sign.bas* \u2014 ") + caption);

        // The firmware takes the program's name, in the folder last used.
        m_dialogs.savePath = path("sign.hex");
        QTest::keyClick(box(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(m_dialogs.asked.last().startPath, QDir(m_folder->path()).filePath("sign.hex"));
        QVERIFY2(note().startsWith(QStringLiteral("Built sign.hex (")), qPrintable(note()));
    }

    // Every Windows-1252 character goes into the box, the list and the saved
    // program's comments; a character outside the set is refused, typed or
    // pasted, and named in the status line. A glyph drawn in the glyph editor
    // (Space on its first dot) is one step, is saved and comes back on opening.
    void charactersAndDrawnGlyphsSurviveSaveAndOpen()
    {
        showLoaded();
        const QString text =
            QStringLiteral("Gr\u00fc\u00dfe 25 \u00b0C, 5 \u20ac \u2014 \u00bd Preis");
        QGuiApplication::clipboard()->setText(text + QStringLiteral(" \U0001F600"));
        QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box()->text(), text + u' ');
        QVERIFY2(note().contains(QStringLiteral("\U0001F600\u201D (U+1F600)")), qPrintable(note()));
        QTest::keyClick(box(), Qt::Key_Backspace);
        QKeyEvent cyrillic(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                           QStringLiteral("\u0416"));
        QApplication::sendEvent(box(), &cyrillic);
        QCOMPARE(box()->text(), text);
        QVERIFY2(note().contains(QStringLiteral("(U+0416) is not a character the sign knows")),
                 qPrintable(note()));
        QCOMPARE(shownMessages(), QStringList{text});

        QTest::keyClick(box(), Qt::Key_G, Qt::ControlModifier);
        auto* glyphs = m_form->findChild<GlyphEditorDialog*>(QStringLiteral("glyphEditor"));
        QVERIFY(glyphs != nullptr && glyphs->isVisible());
        glyphs->selectCode(0xFC);
        QTest::keyClick(&glyphs->grid(), Qt::Key_Space);
        GlyphColumnBytes drawn{};
        std::ranges::copy(GlyphColumns(0xFC), drawn.begin());
        drawn[0] ^= 0x40;
        QCOMPARE(editor().glyphs(), (DrawnGlyphs{{0xFC, drawn}}));
        QCOMPARE(editor().history().undoName(), std::string_view("Glyph"));
        glyphs->close();

        m_dialogs.savePath = path("sign.bas");
        QTest::keyClick(box(), Qt::Key_S, Qt::ControlModifier);
        QFile saved(path("sign.bas"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.contains(QByteArray("Data ") +
                               QByteArray::fromStdString(FormatGlyphText(drawn)) +
                               " , &H00  '\xFC\r\n"));
        for (const char code : {'\xDF', '\xB0', '\x80', '\x97', '\xBD'}) {
            QVERIFY(bytes.contains(QByteArray(" , &H00  '") + code + "\r\n"));
        }

        reopenWindow();
        showLoaded();
        m_dialogs.openPath = path("sign.bas");
        QTest::keyClick(box(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(box()->text(), text);
        QCOMPARE(shownMessages(), QStringList{text});
        QCOMPARE(editor().glyphs(), (DrawnGlyphs{{0xFC, drawn}}));
        QVERIFY(!editor().isChanged());
    }

    // The folder and the programs last used come back in the next run; a
    // program that is gone leaves the list with a note when chosen.
    void recentProgramsComeBackInTheNextRun()
    {
        showLoaded();
        type(QStringLiteral("A"));
        m_dialogs.savePath = path("a.bas");
        QTest::keyClick(box(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
        type(QStringLiteral("B"));
        m_dialogs.savePath = path("b&c.bas");
        QTest::keyClick(box(), Qt::Key_S, Qt::ControlModifier);

        reopenWindow();
        showLoaded();
        QMenu& recent = m_form->menus().recentMenu();
        QStringList items;
        for (const QAction* action : recent.actions()) {
            items << action->text();
        }
        QCOMPARE(items, QStringList({"&1 b&&c.bas", "&2 a.bas"}));
        QTest::keyClick(box(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_dialogs.asked.last().startPath, QDir(m_folder->path()).path() + u'/');

        m_dialogs.reset();
        QVERIFY(QFile::remove(path("a.bas")));
        recent.actions().at(1)->trigger();
        QCOMPARE(recent.actions().size(), 1);
        QCOMPARE(note(), QDir::toNativeSeparators(path("a.bas")) +
                             QStringLiteral(" no longer exists; removed from Recent Programs."));
        QVERIFY(m_dialogs.asked.isEmpty() && m_dialogs.warnings.isEmpty());
        recent.actions().at(0)->trigger();
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("B")});
        QCOMPARE(shownTitle(), QStringLiteral("b&c.bas \u2014 QRV 1.1 - www.corvane.example"));
    }
};

} // namespace corvane

QTEST_MAIN(corvane::Form1MenusTest)
#include "Form1MenusTest.moc"

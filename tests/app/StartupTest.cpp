#include "app/Startup.h"

#include "app/SplashWindow.h"
#include "bascom/ProgramWriter.h"
#include "editor/window/Form1.h"
#include "sign/GlyphTable.h"
#include "tests/editor/FindControl.h"
#include "tests/sign/FilledGlyphs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace corvane {

namespace {

QString ProductCaption(const SplashWindow& splash)
{
    return test::FindControl<QLabel>(splash, "lblProductName")->text();
}

} // namespace

class StartupTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { QCoreApplication::setApplicationName(QStringLiteral("Corvane")); }

    void loadStepRunsInOrder()
    {
        Form1 form;
        form.show();
        bool splashStepRan = false;
        form.Form_Load([&] {
            splashStepRan = true;
            // The window is hidden first; the glyph table and the defaults come after.
            QVERIFY(form.isHidden());
            QVERIFY(form.glyphTable().entry(1).empty());
            QVERIFY(!form.editor().CmbWidth().selectedIndex().has_value());
            QCOMPARE(form.editor().CurSpeed(), 0);
        });
        QVERIFY(splashStepRan);
        QCOMPARE(LookupGlyph(form.glyphTable(), '!'), "&H00 , &H00 , &H79 , &H00 , &H00");
        QCOMPARE(form.editor().CmbWidth().selectedIndex(), std::optional<std::size_t>(15));
    }

    void startsWithDefaultsInTheEditingState()
    {
        Startup startup;
        startup.run();
        Form1* form = startup.mainWindow();
        SplashWindow* splash = startup.splashWindow();
        QVERIFY(form && splash);
        QVERIFY(form->isVisible());
        QVERIFY(splash->isVisible());
        QCOMPARE(ProductCaption(*splash), QStringLiteral("Corvane"));

        const MessageEditor& editor = form->editor();
        QCOMPARE(editor.CmbWidth().items().at(15).text, "20");
        QCOMPARE(editor.CmbWidth().items().at(15).itemData, 4);
        QCOMPARE(editor.CmbWidth().selectedIndex(), std::optional<std::size_t>(15));
        QCOMPARE(editor.LblLatch().caption(), "You need 4 IC Latch 74573.");
        QCOMPARE(editor.CurSpeed(), 5);
        QCOMPARE(editor.RowCount(), 7);
        QCOMPARE(editor.entries(), (std::vector<Message>{{" ", ScrollDirection(0), 0}}));
        // Shown, the window puts the focus into the message box: editing state.
        QTRY_VERIFY(editor.IsEditing());
        QTRY_COMPARE(QApplication::focusWidget(), test::FindControl<QWidget>(*form, "TxtMessage"));
        QVERIFY(test::FindControl<QLineEdit>(*form, "TxtMessage")->text().isEmpty());
    }

    void fourthTickKeepsTheMainWindowAndClosesTheSplash()
    {
        Startup startup;
        startup.run();
        SplashWindow* splash = startup.splashWindow();
        for (int tick = 1; tick <= 4; ++tick) {
            splash->Timer1_Timer();
        }
        QVERIFY(!splash->isVisible());
        QVERIFY(startup.mainWindow()->isVisible());
    }

    void keyPressClosesOnlyTheSplash_data()
    {
        QTest::addColumn<int>("ticks");
        for (int ticks = 0; ticks <= 3; ++ticks) {
            QTest::addRow("after %d ticks", ticks) << ticks;
        }
    }

    void keyPressClosesOnlyTheSplash()
    {
        QFETCH(int, ticks);
        Startup startup;
        startup.run();
        SplashWindow* splash = startup.splashWindow();
        for (int tick = 0; tick < ticks; ++tick) {
            splash->Timer1_Timer();
        }
        const auto entriesBefore = startup.mainWindow()->editor().entries();
        QTest::keyClick(splash, Qt::Key_A);
        QVERIFY(!splash->isVisible());
        QVERIFY(startup.mainWindow()->isVisible());
        QCOMPARE(startup.mainWindow()->editor().entries(), entriesBefore);
    }

    void closingTheMainWindowEndsTheSplash()
    {
        Startup startup;
        startup.run();
        SplashWindow* splash = startup.splashWindow();
        splash->Timer1_Timer();
        QVERIFY(startup.mainWindow()->close());
        QVERIFY(!splash->isVisible());
        // No later tick brings the main window back.
        for (int tick = 2; tick <= 4; ++tick) {
            splash->Timer1_Timer();
        }
        QVERIFY(!startup.mainWindow()->isVisible());
        QCOMPARE(test::FindControl<QTimer>(*splash, "Timer1")->isActive(), false);
    }

    void opensTheProgramGivenOnTheCommandLineOnceShown()
    {
        const GlyphTable& glyphs = test::FilledGlyphs();
        const std::vector<Message> entries = {{"SIGN", ScrollDirection(1), 4},
                                              {"UP", ScrollDirection(2), 2}};
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sign.bas"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(RenderProgram(entries, Board::ofWidth("9"), glyphs)));
        file.close();

        Startup startup;
        startup.run(path);
        const MessageEditor& editor = startup.mainWindow()->editor();
        QVERIFY(startup.mainWindow()->isVisible());
        QTRY_COMPARE(editor.entries(), entries);
        QCOMPARE(editor.CmbWidth().selectedText(), "9");
        QCOMPARE(editor.TxtMessage().text(), "SIGN");
        QVERIFY(editor.IsEditing());
    }
};

} // namespace corvane

QTEST_MAIN(corvane::StartupTest)
#include "StartupTest.moc"

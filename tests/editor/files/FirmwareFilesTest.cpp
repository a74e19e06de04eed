#include "editor/files/FirmwareFiles.h"

#include "bascom/WiringTestProgram.h"
#include "editor/files/RecentFiles.h"
#include "editor/flash/BoardFlasher.h"
#include "editor/flash/FlashPrompts.h"
#include "editor/model/MessageEditor.h"
#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "flashimage/WiringTestFirmware.h"
#include "sign/WiringTest.h"
#include "tests/editor/FakeFileDialogs.h"
#include "tests/editor/TestFiles.h"
#include "tests/editor/TypingEditor.h"
#include "tests/editor/flash/FakeAvrdude.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace corvane {

namespace {

// Cancels the programmer question (or gives `answer`), keeping what it was offered.
class CancellingPrompts final : public FlashPrompts
{
public:
    QStringList images;
    std::optional<Request> answer;
    std::optional<Request> chooseProgrammer(ProgrammerList&, const ProgrammerChoice&,
                                            const QStringList& offered) override
    {
        images = offered;
        return answer;
    }
    bool askToFixClock(const QString&, const QString&) override { return false; }
    void showProgress(int, const QString&) override {}
    void closeProgress() override {}
    void tell(Outcome, const QString&, const QString&) override {}
};

// 30 Left messages of 60 characters on width 40: no firmware fits.
ProgramDocument TooLarge()
{
    return {std::vector<Message>(30, {std::string(60, 'W'), ScrollDirection(0), 5}),
            Board::ofWidth("40")};
}

} // namespace

// The firmware actions without a window: the editor is driven directly and
// the dialogs are fakes.
class FirmwareFilesTest final : public QObject
{
    Q_OBJECT

private:
    QString path(const char* name) const { return m_folder->filePath(QLatin1String(name)); }

    test::FakeFileDialogs m_dialogs;
    CancellingPrompts m_prompts;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MessageEditor> m_editor;
    std::unique_ptr<FirmwareFiles> m_firmware;

private slots:
    // Flashing remembers its settings: in the test's own place.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // "TYPED" being edited in the first entry, Down and not yet committed.
    void init()
    {
        m_dialogs.reset();
        m_folder = std::make_unique<QTemporaryDir>();
        m_editor = test::TypingEditor("TYPED");
        m_editor->userClickDirection(3);
        m_firmware = std::make_unique<FirmwareFiles>(*m_editor, nullptr);
        m_firmware->setDialogs(&m_dialogs);
        m_firmware->setFlashPrompts(&m_prompts);
    }
    void cleanup()
    {
        m_firmware.reset();
        m_editor.reset();
    }

    void buildsTheFirmwareOfTheListAsShownAndChangesNothing()
    {
        const auto before = m_editor->entries();
        m_dialogs.savePath = path("sign.hex");
        QVERIFY(m_firmware->buildFirmware());
        QCOMPARE(m_dialogs.asked.size(), 1);
        const FileDialogSetup& asked = m_dialogs.asked.front();
        QCOMPARE(asked.title, QStringLiteral("Save the Firmware"));
        QCOMPARE(asked.filters, (QStringList{"Intel HEX (*.hex)", FileDialogSetup::AllFiles()}));
        QCOMPARE(asked.defaultSuffix, QStringLiteral("hex"));
        QVERIFY(asked.confirmReplace);
        const auto firmware = BuildFirmware(std::vector<Message>{{"TYPED", ScrollDirection(3), 5}},
                                            Board::ofWidth("20"));
        QCOMPARE(test::ReadFile(path("sign.hex")).toStdString(),
                 IntelHex(std::get<std::vector<std::uint8_t>>(firmware)));
        QCOMPARE(m_editor->entries(), before);
        QVERIFY(m_dialogs.warnings.isEmpty());
    }

    // The brightness chosen dims the firmware built and is the next window's too.
    void buildsTheFirmwareAtTheBrightnessChosen()
    {
        QTemporaryDir folder;
        QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        RecentFiles recent(&settings);
        FirmwareFiles firmware(*m_editor, nullptr, &recent);
        firmware.setDialogs(&m_dialogs);
        QCOMPARE(firmware.brightness(), 8);
        firmware.brightnessActions().at(2)->trigger();
        m_dialogs.savePath = path("dim.hex");
        QVERIFY(firmware.buildFirmware());
        const auto dimmed = BuildFirmware(std::vector<Message>{{"TYPED", ScrollDirection(3), 5}},
                                          Board::ofWidth("20"), 3);
        QCOMPARE(test::ReadFile(path("dim.hex")).toStdString(),
                 IntelHex(std::get<std::vector<std::uint8_t>>(dimmed)));
        const FirmwareFiles next(*m_editor, nullptr, &recent);
        QCOMPARE(next.brightness(), 3);
        QVERIFY(next.brightnessActions().at(2)->isChecked());
    }

    // The dialogs offer the program's name with ".hex" ("sign.hex" before it
    // has one) and the wiring test's width, in the folder last written to.
    void dialogsOfferNamesInTheFolderLastUsed()
    {
        QVERIFY(!m_firmware->buildFirmware());
        QVERIFY(!m_firmware->buildWiringTest());
        m_dialogs.savePath = path("built/first.hex");
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("built")));
        QVERIFY(m_firmware->buildFirmware());
        m_firmware->setProgramPath(QStringLiteral("/elsewhere/big.v2.bas"));
        m_dialogs.savePath.clear();
        QVERIFY(!m_firmware->buildFirmware());
        QVERIFY(!m_firmware->buildWiringTest());

        QStringList starts;
        for (const FileDialogSetup& setup : m_dialogs.asked) {
            starts << setup.startPath;
        }
        QCOMPARE(starts, QStringList({"sign.hex", "wiring-test-20.hex", "sign.hex",
                                      path("built/big.v2.hex"), path("built/wiring-test-20.hex")}));
    }

    // Refused with both numbers before a name is asked for; nothing is
    // written, and Flash to the Board refuses the same way.
    void aFirmwareTooLargeIsRefusedBeforeAnything()
    {
        QVERIFY(m_editor->openProgram(TooLarge()));
        m_dialogs.savePath = path("sign.hex");
        QVERIFY(!m_firmware->buildFirmware());
        QVERIFY(!m_firmware->flashToBoard());
        QVERIFY(m_dialogs.asked.isEmpty());
        QVERIFY(m_prompts.images.isEmpty());
        QCOMPARE(m_dialogs.warnings.size(), 2);
        QVERIFY(m_dialogs.warnings[0].startsWith(QStringLiteral("The firmware needs ")));
        QVERIFY(m_dialogs.warnings[0].contains(QStringLiteral("; the ATmega8 holds 8,192.")));
        QVERIFY(!QFile::exists(path("sign.hex")));
    }

    void aFailedWriteIsTold()
    {
        m_dialogs.savePath = path("missing/sign.hex");
        QVERIFY(!m_firmware->buildFirmware());
        QCOMPARE(m_dialogs.warnings.size(), 1);
        QVERIFY(m_dialogs.warnings[0].contains(QStringLiteral("sign.hex")));
        QVERIFY(m_dialogs.warnings[0].contains(QStringLiteral("No such file or directory")));
    }

    // The name's extension picks the form; the board is the chosen width.
    void wiringTestTakesItsFormFromTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("form");
        QTest::newRow("firmware") << "wiring.hex"
                                  << "hex";
        QTest::newRow("BASCOM program") << "wiring.BAS"
                                        << "bas";
        QTest::newRow("neither") << "wiring.txt"
                                 << "";
    }
    void wiringTestTakesItsFormFromTheName()
    {
        QFETCH(QString, name);
        QFETCH(QString, form);
        m_dialogs.savePath = m_folder->filePath(name);
        QCOMPARE(m_firmware->buildWiringTest(), !form.isEmpty());
        QCOMPARE(m_dialogs.askedTitles(), QStringList{QStringLiteral("Save the Wiring Test")});
        // Over an existing file, the dialog asks before replacing it.
        QVERIFY(m_dialogs.asked.front().confirmReplace);
        const Board board = Board::ofWidth("20");
        if (form == QLatin1String("hex")) {
            QCOMPARE(test::ReadFile(m_dialogs.savePath).toStdString(),
                     IntelHex(std::get<std::vector<std::uint8_t>>(WiringTestFirmware(board))));
        } else if (form == QLatin1String("bas")) {
            QCOMPARE(test::ReadFile(m_dialogs.savePath).toStdString(),
                     RenderWiringTestProgram(board));
        } else {
            QCOMPARE(m_dialogs.warnings.size(), 1);
            QVERIFY(!QFile::exists(m_dialogs.savePath));
        }
    }

    // The programmer dialog offers the messages and the wiring test.
    void flashingOffersTheMessagesAndTheWiringTest()
    {
        QTemporaryDir fake; // an avrdude that lists no programmer
        QFile avrdude(fake.filePath(QStringLiteral("avrdude")));
        QVERIFY(avrdude.open(QIODevice::WriteOnly));
        avrdude.write("#!/bin/sh\nexit 1\n");
        avrdude.close();
        QVERIFY(avrdude.setPermissions(avrdude.permissions() | QFileDevice::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", fake.path().toUtf8());
        const bool started = m_firmware->flashToBoard();
        qputenv("PATH", path);
        QVERIFY(!started); // cancelled
        QCOMPARE(m_prompts.images, (QStringList{"The messages", "The wiring test for width 20"}));
    }

    // One avrdude at a time: the action is off while one runs, on again
    // after it, however it ended.
    void theFlashActionIsOffWhileFlashing()
    {
        test::FakeAvrdude avrdude;
        avrdude.answer("readfuse", "exec sleep 30");
        m_prompts.answer = FlashPrompts::Request{};
        QSignalSpy finished(&m_firmware->flasher(), &BoardFlasher::finished);
        QVERIFY(m_firmware->flashAction()->isEnabled());
        QVERIFY(m_firmware->flashToBoard());
        QVERIFY(!m_firmware->flashAction()->isEnabled());
        m_firmware->flasher().cancel();
        QVERIFY(finished.wait(5000));
        QVERIFY(m_firmware->flashAction()->isEnabled());

        QFile::remove(avrdude.path(QStringLiteral("readfuse")));
        QVERIFY(m_firmware->flashToBoard());
        QVERIFY(!m_firmware->flashAction()->isEnabled());
        QVERIFY(finished.wait(5000));
        QVERIFY(m_firmware->flashAction()->isEnabled());
    }
};

} // namespace corvane

QTEST_MAIN(corvane::FirmwareFilesTest)
#include "FirmwareFilesTest.moc"

#include "editor/flash/BoardFlasher.h"

#include "editor/flash/FlashPrompts.h"
#include "editor/flash/FlashSettings.h"
#include "editor/flash/ProgrammerList.h"
#include "flashimage/IntelHex.h"
#include "tests/editor/flash/FakeAvrdude.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/stat.h>

namespace corvane {

using test::FakeAvrdude;
using namespace std::chrono_literals;

namespace {

// Answers the programmer question with `answer`, the clock question with
// `fixClock`, and records the rest.
class FakePrompts final : public FlashPrompts
{
public:
    std::optional<Request> answer = Request{};
    bool fixClock = true;
    std::function<void(ProgrammerList&)> whileChoosing;
    std::function<void(const QString& stage)> onProgress;
    QStringList images;
    std::optional<ProgrammerChoice> preset;
    QStringList clockQuestions;
    std::vector<std::pair<int, QString>> progress;
    bool progressOpen = false;
    struct Told
    {
        Outcome outcome;
        QString text;
        QString details;
    };
    std::vector<Told> told;

    std::optional<Request> chooseProgrammer(ProgrammerList& programmers,
                                            const ProgrammerChoice& last,
                                            const QStringList& names) override
    {
        preset = last;
        images = names;
        if (whileChoosing) {
            whileChoosing(programmers);
        }
        return answer;
    }
    bool askToFixClock(const QString& problem, const QString&) override
    {
        clockQuestions << problem;
        return fixClock;
    }
    void showProgress(int percent, const QString& stage) override
    {
        progressOpen = true;
        progress.emplace_back(percent, stage);
        if (onProgress) {
            onProgress(stage);
        }
    }
    void closeProgress() override { progressOpen = false; }
    void tell(Outcome outcome, const QString& text, const QString& details) override
    {
        told.push_back({outcome, text, details});
    }
};

const std::vector<FlashImage> kImages{{"The messages", {0x0C, 0x94, 0x2A, 0x00, 0xFF}},
                                      {"The wiring test", {0x0C, 0x94, 0x13}}};

const QStringList kUsbasp{"-p", "m8", "-c", "usbasp", "-B", "8"};

// Whether the process `pid` still runs (a zombie does not).
bool Alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray fields = stat.readAll();
    const auto close = fields.lastIndexOf(')');
    return close > 0 && fields.mid(close + 2, 1) != "Z";
}

} // namespace

class BoardFlasherTest final : public QObject
{
    Q_OBJECT

private:
    // Flashes with `prompts` until the outcome is told.
    void flashToTheEnd(BoardFlasher& flasher, FakePrompts& prompts)
    {
        QSignalSpy finished(&flasher, &BoardFlasher::finished);
        QVERIFY(flasher.flash(kImages));
        QVERIFY(finished.wait(10000));
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QVERIFY(!prompts.progressOpen);
        QVERIFY(!flasher.isRunning());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("CorvaneTest"));
        QCoreApplication::setApplicationName(QStringLiteral("BoardFlasherTest"));
    }
    void init() { QFile::remove(FlashSettings::filePath()); }

    void withoutAvrdudeItNamesThePackage()
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", empty.path().toUtf8());
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        QVERIFY(!flasher.flash(kImages));
        qputenv("PATH", path);
        QVERIFY(!prompts.preset.has_value()); // nothing was asked
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QVERIFY(prompts.told[0].text.contains(QStringLiteral("apt install avrdude")));
    }

    void realAvrdudeWithoutAProgrammerGivesItsOwnWords()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("avrdude")).isEmpty()) {
            QSKIP("avrdude is not installed (scripts/deps.sh test installs it)");
        }
        FakePrompts prompts; // usbasp, and no USB device here
        BoardFlasher flasher(prompts);
        QSignalSpy finished(&flasher, &BoardFlasher::finished);
        QVERIFY(flasher.flash(kImages));
        QVERIFY(finished.wait(20000));
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QCOMPARE(prompts.told[0].outcome, FlashPrompts::Outcome::Failed);
        const QString& text = prompts.told[0].text;
        QVERIFY2(text.contains(QStringLiteral("No programmer was found. Is it plugged in?")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Nothing was written to the chip.")));
        QVERIFY(text.contains(QStringLiteral("avrdude said:\navrdude error:")));
        QVERIFY(prompts.told[0].details.contains(QStringLiteral("-U lfuse:r:-:h")));
        QVERIFY(!prompts.progressOpen);
    }

    // The fuse is read first, then the image flashed; each argument apart.
    void flashesTheImageWithTheChosenProgrammerAndRemembersIt()
    {
        FakeAvrdude avrdude;
        FakePrompts prompts;
        prompts.answer = FlashPrompts::Request{{"stk500v1", "/dev/tty USB0", "19200", ""}, 1};
        BoardFlasher flasher(prompts);
        flashToTheEnd(flasher, prompts);

        QCOMPARE(prompts.images, (QStringList{"The messages", "The wiring test"}));
        QCOMPARE(prompts.told[0].outcome, FlashPrompts::Outcome::Flashed);
        const QStringList arduino{"-p", "m8",   "-c", "stk500v1", "-P", "/dev/tty USB0",
                                  "-b", "19200"};
        const auto runs = avrdude.runs();
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs[0], (arduino + QStringList{"-U", "lfuse:r:-:h"}));
        QCOMPARE(runs[1].mid(0, 9), arduino + QStringList{"-U"});
        QVERIFY(runs[1][9].startsWith(QStringLiteral("flash:w:")));
        QFile flashed(avrdude.path(QStringLiteral("flashed.hex")));
        QVERIFY(flashed.open(QIODevice::ReadOnly));
        QCOMPARE(flashed.readAll().toStdString(), IntelHex(kImages[1].flash));
        // Before writing, the stages say what is going on, at 0 %.
        QCOMPARE(prompts.progress.front().first, 0);
        QCOMPARE(prompts.progress.front().second,
                 QStringLiteral("Reading the chip's clock fuse\u2026"));
        QVERIFY(
            std::find(prompts.progress.begin(), prompts.progress.end(),
                      std::make_pair(0, QStringLiteral("Connecting to the programmer\u2026"))) !=
            prompts.progress.end());

        // The next flash starts from this choice.
        prompts.told.clear();
        flashToTheEnd(flasher, prompts);
        QCOMPARE(*prompts.preset, prompts.answer->programmer);
    }

    // A chip off the factory clock is named, set back after a yes (read
    // back to check), and left alone after a no.
    void theClockFuseIsCheckedBeforeWriting_data()
    {
        QTest::addColumn<QByteArray>("fuse");
        QTest::addColumn<QByteArray>("readBack"); // empty: what was written
        QTest::addColumn<bool>("fix");
        QTest::addColumn<QString>("question"); // empty: none asked
        QTest::addColumn<QStringList>("fuseWrite");
        QTest::addColumn<bool>("flashed");
        QTest::addColumn<QString>("told");

        QTest::newRow("factory clock") << QByteArray("0xe1") << QByteArray() << true << ""
                                       << QStringList() << true << "The firmware is on the chip";
        QTest::newRow("8 MHz, set back")
            << QByteArray("0xe4") << QByteArray() << true << "8 times too fast"
            << QStringList{"-U", "lfuse:w:0xe1:m", "-U", "lfuse:r:-:h"} << true
            << "clock is back on the factory's 1 MHz";
        QTest::newRow("crystal, left alone")
            << QByteArray("0xff") << QByteArray() << false << "needs that crystal" << QStringList()
            << false << "Nothing was written to the chip.";
        QTest::newRow("set back, but reads back wrong")
            << QByteArray("0x24") << QByteArray("0x24") << true << "8 times too fast"
            << QStringList{"-U", "lfuse:w:0x21:m", "-U", "lfuse:r:-:h"} << false
            << "reads back as 0x24";
        QTest::newRow("no fuse told")
            << QByteArray("hello") << QByteArray() << true << "" << QStringList() << false
            << "did not tell the chip's low fuse";
    }
    void theClockFuseIsCheckedBeforeWriting()
    {
        QFETCH(QByteArray, fuse);
        QFETCH(QByteArray, readBack);
        QFETCH(bool, fix);
        QFETCH(QString, question);
        QFETCH(QStringList, fuseWrite);
        QFETCH(bool, flashed);
        QFETCH(QString, told);
        FakeAvrdude avrdude;
        avrdude.answer("readfuse", "echo " + fuse + "; exit 0");
        if (!readBack.isEmpty()) {
            avrdude.answer("setfuse", "echo " + readBack + "; exit 0");
        }
        FakePrompts prompts;
        prompts.fixClock = fix;
        BoardFlasher flasher(prompts);
        flashToTheEnd(flasher, prompts);

        QCOMPARE(prompts.clockQuestions.size(), question.isEmpty() ? 0 : 1);
        if (!question.isEmpty()) {
            QVERIFY2(prompts.clockQuestions[0].contains(question),
                     qPrintable(prompts.clockQuestions[0]));
        }
        const auto runs = avrdude.runs();
        QCOMPARE(runs.front(), (kUsbasp + QStringList{"-U", "lfuse:r:-:h"}));
        QList<QStringList> expected{kUsbasp + QStringList{"-U", "lfuse:r:-:h"}};
        if (!fuseWrite.isEmpty()) {
            expected << kUsbasp + fuseWrite;
        }
        QCOMPARE(runs.mid(0, expected.size()), expected);
        QCOMPARE(runs.size(), expected.size() + (flashed ? 1 : 0));
        QCOMPARE((prompts.told[0].outcome == FlashPrompts::Outcome::Flashed), flashed);
        QVERIFY2(prompts.told[0].text.contains(told), qPrintable(prompts.told[0].text));
    }

    // avrdude's failures in a hobbyist's words; its own lines below them
    // and all its output under the details.
    void failuresAreToldInPlainWords_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QStringList>("words");

        QTest::newRow("no programmer")
            << QByteArray("avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc\\n"
                          "avrdude error: unable to open programmer usbasp on port usb\\n")
            << QStringList{"Is it plugged in?", "sudo adduser $USER plugdev",
                           "ATTR{idVendor}==\"16c0\""};
        QTest::newRow("USB permission")
            << QByteArray("avrdude warning: cannot open USB device: Permission denied\\n"
                          "avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc\\n")
            << QStringList{"not allowed to use it", "/etc/udev/rules.d/"};
        QTest::newRow("chip silent")
            << QByteArray("avrdude error: program enable: target does not answer (0x01)\\n"
                          "avrdude error: initialization failed, rc=-1\\n")
            << QStringList{"does not answer", "powered", "right way round"};
        QTest::newRow("another chip")
            << QByteArray("avrdude: Device signature = 0x1e950f (probably m328p)\\n"
                          "avrdude error: expected signature for ATmega8 is 1E 93 07\\n")
            << QStringList{"it is an m328p, not the ATmega8"};
        QTest::newRow("port missing")
            << QByteArray("avrdude OS error: cannot open port /dev/ttyUSB7: No such file or "
                          "directory\\n")
            << QStringList{"The port /dev/ttyUSB7 could not be opened (No such file"};
        QTest::newRow("port forbidden")
            << QByteArray("avrdude OS error: cannot open port /dev/ttyACM0: Permission denied\\n")
            << QStringList{"/dev/ttyACM0", "sudo adduser $USER dialout"};
        QTest::newRow("rich text stays text")
            << QByteArray("<b>avrdude error: <img src=x></b>\\n")
            << QStringList{"avrdude said:\n<b>avrdude error: <img src=x></b>"};
    }
    void failuresAreToldInPlainWords()
    {
        QFETCH(QByteArray, output);
        QFETCH(QStringList, words);
        FakeAvrdude avrdude;
        avrdude.answer("readfuse", "printf '" + output + "' >&2; exit 1");
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        flashToTheEnd(flasher, prompts);
        const auto& told = prompts.told[0];
        QCOMPARE(told.outcome, FlashPrompts::Outcome::Failed);
        for (const QString& word : words) {
            QVERIFY2(told.text.contains(word), qPrintable(told.text));
        }
        QVERIFY(told.text.contains(QStringLiteral("Nothing was written to the chip.")));
        QVERIFY(told.details.contains(
            QString::fromUtf8(output).replace(QStringLiteral("\\n"), QStringLiteral("\n"))));
    }

    // 3,000 error lines and one line of 20 MB: the message holds the last
    // few lines, the details a bounded transcript.
    void aFloodIsBounded()
    {
        FakeAvrdude avrdude;
        avrdude.answer("readfuse",
                       "i=0; while [ $i -lt 3000 ]; do echo \"avrdude error: line $i\"; "
                       "i=$((i+1)); done >&2\n"
                       "head -c 20000000 /dev/zero | tr '\\0' x >&2; echo >&2; exit 1");
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        flashToTheEnd(flasher, prompts);
        const auto& told = prompts.told[0];
        QVERIFY(told.text.contains(QStringLiteral("avrdude error: line 2999")));
        QVERIFY(!told.text.contains(QStringLiteral("avrdude error: line 2995")));
        QVERIFY2(told.text.count(u'\n') < 20 && told.text.size() < 3000,
                 qPrintable(told.text.left(3000)));
        QVERIFY(told.details.size() < 300 * 1024);
        QVERIFY(told.details.contains(QStringLiteral("more characters)")));
    }

    // Cancel, the give-up and the flasher's end (the window closed) stop
    // avrdude and whatever it started, and say whether anything was written.
    void everythingAvrdudeStartedEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("told");
        QTest::newRow("cancel before writing")
            << "cancel" << QByteArray("readfuse") << "Flashing was cancelled. Nothing was written";
        QTest::newRow("cancel while writing")
            << "cancel" << QByteArray("flash") << "may now hold a partial program";
        QTest::newRow("programmer silent")
            << "wait" << QByteArray("readfuse") << "did not answer for 1 second";
        QTest::newRow("window closed") << "destroy" << QByteArray("flash") << "";
    }
    void everythingAvrdudeStartedEnds()
    {
        QFETCH(QString, how);
        QFETCH(QByteArray, kind);
        QFETCH(QString, told);
        FakeAvrdude avrdude;
        // A wrapper whose child would go on writing.
        avrdude.answer(kind, "printf 'avrdude: AVR device initialized\\nWriting | ###' >&2\n"
                             "/bin/sh -c 'echo $$ > \"$0/child\"; exec sleep 30' \"$d\" &\n"
                             "wait; exit 0");
        FakePrompts prompts;
        auto flasher = std::make_unique<BoardFlasher>(prompts);
        flasher->setAnswerTimeout(how == QLatin1String("wait") ? 1s : 10s);
        QSignalSpy finished(flasher.get(), &BoardFlasher::finished);
        QVERIFY(flasher->flash(kImages));
        const QString child = avrdude.path(QStringLiteral("child"));
        QTRY_VERIFY(QFile::exists(child) && QFile(child).size() > 0);
        QFile file(child);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const qint64 pid = file.readAll().trimmed().toLongLong();
        QVERIFY(Alive(pid));
        QVERIFY(!flasher->flash(kImages)); // one run at a time
        if (how == QLatin1String("cancel")) {
            QTRY_VERIFY(prompts.progress.back().second.contains(
                kind == "flash" ? QStringLiteral("Writing") : QStringLiteral("fuse")));
            flasher->cancel();
        }
        if (how == QLatin1String("destroy")) {
            flasher.reset();
        } else {
            QVERIFY(finished.wait(5000)); // well before the child's 30 s
            QCOMPARE(prompts.told.size(), std::size_t{1});
            QVERIFY2(prompts.told[0].text.contains(told), qPrintable(prompts.told[0].text));
        }
        QTRY_VERIFY(!Alive(pid));
    }

    void aCrashIsToldAsSuch_data()
    {
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QString>("told");
        QTest::newRow("crash") << QByteArray("SEGV") << "avrdude crashed (signal 11)";
        QTest::newRow("killed") << QByteArray("TERM") << "avrdude was killed by signal 15";
    }
    void aCrashIsToldAsSuch()
    {
        QFETCH(QByteArray, signal);
        QFETCH(QString, told);
        FakeAvrdude avrdude;
        avrdude.answer("readfuse", "kill -" + signal + " $$");
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        flashToTheEnd(flasher, prompts);
        QVERIFY2(prompts.told[0].text.contains(told), qPrintable(prompts.told[0].text));
    }

    // The dialog comes at once, avrdude's list still being read; the event
    // loop keeps running meanwhile.
    void aHangingListNeverBlocks()
    {
        FakeAvrdude avrdude;
        avrdude.answer("list", "exec sleep 30");
        FakePrompts prompts;
        bool pinged = false;
        prompts.whileChoosing = [&pinged](ProgrammerList& list) {
            QCOMPARE(list.state(), ProgrammerList::State::Reading);
            QTimer::singleShot(0, [&pinged] { pinged = true; });
            QTRY_VERIFY(pinged);
            QCOMPARE(list.state(), ProgrammerList::State::Reading);
        };
        BoardFlasher flasher(prompts);
        flasher.setAnswerTimeout(2s);
        flashToTheEnd(flasher, prompts);
        QVERIFY(pinged);
        QCOMPARE(prompts.told[0].outcome, FlashPrompts::Outcome::Flashed);
    }

    void anAvrdudeThatCannotStartIsTold()
    {
        FakeAvrdude avrdude;
        QFile script(avrdude.path(QStringLiteral("avrdude")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/nonexistent/interpreter\n");
        script.close();
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        flasher.setAnswerTimeout(1s);
        flashToTheEnd(flasher, prompts);
        QVERIFY2(prompts.told[0].text.startsWith(QStringLiteral("avrdude could not be started")),
                 qPrintable(prompts.told[0].text));
    }

    void aSecondFlashStartsClean()
    {
        FakeAvrdude avrdude;
        avrdude.answer("flash", "printf 'avrdude: AVR device initialized\\nWriting | ###\\n"
                                "avrdude error: verification mismatch\\n' >&2; exit 1");
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        flashToTheEnd(flasher, prompts);
        QVERIFY(prompts.told[0].text.contains(QStringLiteral("partial program")));
        QFile::remove(avrdude.path(QStringLiteral("flash")));
        prompts.told.clear();
        prompts.progress.clear();
        flashToTheEnd(flasher, prompts);
        QCOMPARE(prompts.told[0].outcome, FlashPrompts::Outcome::Flashed);
        QVERIFY(!prompts.told[0].text.contains(QStringLiteral("mismatch")));
        QCOMPARE(prompts.progress.front().first, 0);
    }

    // Remembered settings are checked like the dialog's fields.
    void badSettingsFallBack_data()
    {
        QTest::addColumn<QStringList>("stored"); // programmer, port, baud, bit clock
        QTest::addColumn<QStringList>("read");
        QTest::newRow("bad baud") << QStringList{"stk500v1", "/dev/ttyUSB0", "abc", ""}
                                  << QStringList{"stk500v1", "/dev/ttyUSB0", "19200", ""};
        QTest::newRow("baud with a command")
            << QStringList{"stk500v1", "/dev/ttyUSB0", "19200; reboot", ""}
            << QStringList{"stk500v1", "/dev/ttyUSB0", "19200", ""};
        QTest::newRow("empty programmer")
            << QStringList{"", "", "", ""} << QStringList{"usbasp", "", "", "8"};
        QTest::newRow("an option as programmer")
            << QStringList{"-C/tmp/evil.conf", "", "", ""} << QStringList{"usbasp", "", "", "8"};
        QTest::newRow("bad bit clock")
            << QStringList{"usbasp", "", "", "fast"} << QStringList{"usbasp", "", "", "8"};
    }
    void badSettingsFallBack()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, read);
        {
            QSettings settings(FlashSettings::filePath(), QSettings::IniFormat);
            const char* keys[] = {"flash/programmer", "flash/port", "flash/baud", "flash/bitclock"};
            for (int field = 0; field < 4; ++field) {
                settings.setValue(QLatin1String(keys[field]), stored[field]);
            }
        }
        const ProgrammerChoice choice = FlashSettings::read();
        QCOMPARE((QStringList{
                     QString::fromStdString(choice.programmer), QString::fromStdString(choice.port),
                     QString::fromStdString(choice.baud), QString::fromStdString(choice.bitclock)}),
                 read);
    }

    // A named pipe in the settings file's place would block a read for good.
    void aSettingsPipeIsNotOpened()
    {
        const QString path = FlashSettings::filePath();
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        const ProgrammerChoice choice = FlashSettings::read();
        FlashSettings::write({"usbtiny", "", "", "8"});
        QVERIFY(QFile::remove(path));
        QCOMPARE(choice, ProgrammerChoice{});
    }
};

} // namespace corvane

QTEST_GUILESS_MAIN(corvane::BoardFlasherTest)
#include "BoardFlasherTest.moc"

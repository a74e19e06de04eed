#include "editor/flash/BoardFlasher.h"

#include "editor/flash/FlashPrompts.h"
#include "flashimage/IntelHex.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace corvane {

namespace {

// Answers the programmer question with `answer` and records the rest.
class FakePrompts final : public FlashPrompts
{
public:
    std::optional<Request> answer = Request{};
    std::vector<Programmer> offered;
    QStringList images;
    std::optional<ProgrammerChoice> preset;
    std::vector<int> progress;
    bool progressOpen = false;
    std::vector<std::pair<Outcome, QString>> told;

    std::optional<Request> chooseProgrammer(const std::vector<Programmer>& programmers,
                                            const ProgrammerChoice& last,
                                            const QStringList& names) override
    {
        offered = programmers;
        preset = last;
        images = names;
        return answer;
    }
    void showProgress(int percent, const QString&) override
    {
        progressOpen = true;
        progress.push_back(percent);
    }
    void closeProgress() override { progressOpen = false; }
    void tell(Outcome outcome, const QString& text) override { told.emplace_back(outcome, text); }
};

const std::vector<FlashImage> kImages{{"The messages", {0x0C, 0x94, 0x2A, 0x00, 0xFF}},
                                      {"The wiring test", {0x0C, 0x94, 0x13}}};

// A stand-in for avrdude: lists one programmer for "-c ?"; otherwise keeps
// its arguments and the HEX file it was given, prints `output` and exits
// with `status` (or sleeps first, for Cancel).
void WriteFakeAvrdude(const QTemporaryDir& folder, const QByteArray& output, int status,
                      bool hang = false)
{
    QFile script(folder.filePath(QStringLiteral("avrdude")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    const QByteArray dir = folder.path().toUtf8();
    script.write("#!/bin/sh\n"
                 "if [ \"$2\" = \"?\" ]; then printf '\\nValid programmers are:\\n"
                 "  usbasp = USBasp\\n  arduino = Arduino\\n' >&2; exit 1; fi\n"
                 "echo \"$@\" > '" +
                 dir +
                 "/arguments'\n"
                 "for a in \"$@\"; do case \"$a\" in flash:w:*) f=${a#flash:w:}; "
                 "/bin/cp \"${f%:i}\" '" +
                 dir +
                 "/flashed.hex';; esac; done\n"
                 "printf '" +
                 output + "' >&2\n" + (hang ? QByteArray("exec /bin/sleep 30\n") : QByteArray()) +
                 "exit " + QByteArray::number(status) + "\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
}

} // namespace

class BoardFlasherTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("CorvaneTest"));
        QCoreApplication::setApplicationName(QStringLiteral("BoardFlasherTest"));
        m_path = qgetenv("PATH");
    }
    void cleanup() { qputenv("PATH", m_path); }

    void withoutAvrdudeItNamesThePackage()
    {
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toUtf8());
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        QVERIFY(!flasher.flash(kImages));
        QVERIFY(!prompts.preset.has_value()); // nothing was asked
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QVERIFY(prompts.told[0].second.contains(QStringLiteral("apt install avrdude")));
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
        QVERIFY(!prompts.offered.empty()); // avrdude's own list
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QCOMPARE(prompts.told[0].first, FlashPrompts::Outcome::Failed);
        QVERIFY2(prompts.told[0].second.contains(QStringLiteral("avrdude error:")),
                 qPrintable(prompts.told[0].second));
        QVERIFY(!prompts.progressOpen);
    }

    void flashesTheImageWithTheChosenProgrammerAndRemembersIt()
    {
        QTemporaryDir fake;
        WriteFakeAvrdude(fake, "Writing | ##### | 100%% 0.1s\\n", 0);
        qputenv("PATH", fake.path().toUtf8() + ":" + m_path);
        FakePrompts prompts;
        prompts.answer = FlashPrompts::Request{{"arduino", "/dev/ttyUSB0", "19200"}, 1};
        BoardFlasher flasher(prompts);
        QSignalSpy finished(&flasher, &BoardFlasher::finished);
        QVERIFY(flasher.flash(kImages));
        QVERIFY(finished.wait(10000));

        QCOMPARE(prompts.offered,
                 (std::vector<Programmer>{{"usbasp", "USBasp"}, {"arduino", "Arduino"}}));
        QCOMPARE(prompts.images, (QStringList{"The messages", "The wiring test"}));
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QCOMPARE(prompts.told[0].first, FlashPrompts::Outcome::Flashed);
        QFile arguments(fake.filePath(QStringLiteral("arguments")));
        QVERIFY(arguments.open(QIODevice::ReadOnly));
        QVERIFY(arguments.readAll().startsWith("-p m8 -c arduino -P /dev/ttyUSB0 -b 19200 -U "));
        QFile flashed(fake.filePath(QStringLiteral("flashed.hex")));
        QVERIFY(flashed.open(QIODevice::ReadOnly));
        QCOMPARE(flashed.readAll().toStdString(), IntelHex(kImages[1].flash));

        // The next flash starts from this choice.
        QVERIFY(flasher.flash(kImages));
        QVERIFY(finished.wait(10000));
        QCOMPARE(*prompts.preset, prompts.answer->programmer);
    }

    void cancelEndsAvrdudeAndWarnsOfAPartialProgram()
    {
        QTemporaryDir fake;
        WriteFakeAvrdude(fake, "Writing | ###", 0, true);
        qputenv("PATH", fake.path().toUtf8() + ":" + m_path);
        FakePrompts prompts;
        BoardFlasher flasher(prompts);
        QSignalSpy finished(&flasher, &BoardFlasher::finished);
        QVERIFY(flasher.flash(kImages));
        QTRY_VERIFY(prompts.progress.size() >= 2 && prompts.progress.back() > 0);
        QVERIFY(!flasher.flash(kImages)); // one run at a time
        flasher.cancel();
        QVERIFY(finished.wait(5000)); // well before the stand-in's 30 s
        QCOMPARE(prompts.told.size(), std::size_t{1});
        QCOMPARE(prompts.told[0].first, FlashPrompts::Outcome::Cancelled);
        QVERIFY(prompts.told[0].second.contains(QStringLiteral("partial program")));
        QVERIFY(!flasher.isRunning());
    }

private:
    QByteArray m_path;
};

} // namespace corvane

QTEST_GUILESS_MAIN(corvane::BoardFlasherTest)
#include "BoardFlasherTest.moc"

#include "generator/Firmware.h"
#include "generator/GlyphTable.h"
#include "generator/IntelHex.h"
#include "generator/ProgramWriter.h"
#include "generator/WiringTest.h"
#include "generator/WiringTestProgram.h"
#include "tests/editor/flash/FakeAvrdude.h"
#include "tests/generator/FilledGlyphs.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace corvane {

namespace {

QByteArray Bytes(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

QByteArray FirmwareHex(const FirmwareResult& firmware)
{
    return Bytes(IntelHex(std::get<std::vector<std::uint8_t>>(firmware)));
}

// Programs the --firmware cases build from.
const std::vector<MessageEntry> kSign{{"Hello", PackItemData(0, 5)}, {"Up", PackItemData(2, 9)}};
const Board kSignBoard = Board::ofWidth("18");
// 30 messages of 60 characters need more flash than the chip has.
const std::vector<MessageEntry> kTooLarge(30, MessageEntry{std::string(60, 'M'), 0});

} // namespace

// The real binary, started the way a build script would: no display at all.
class CommandLineTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        const auto write = [this](const char* name, const std::string& bytes) {
            QFile file(m_folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Bytes(bytes));
        };
        write("sign.bas", RenderProgram(kSign, kSignBoard, testing::FilledGlyphs()));
        write("large.bas", RenderProgram(kTooLarge, Board::ofWidth("40"), testing::FilledGlyphs()));
        write("notes.bas", "Shopping list\r\nbread\r\n");
    }

    void runsWithoutAWindow_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the test folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outName");
        QTest::addColumn<QByteArray>("written"); // null: the file must not exist
        QTest::addColumn<QString>("message");    // on stdout for 0, on stderr for 1

        QTest::newRow("wiring test firmware")
            << QStringList{"--wiring-test", "@/out.hex", "--width", "40"} << 0 << "out.hex"
            << FirmwareHex(WiringTestFirmware(Board::ofWidth("40"))) << "";
        QTest::newRow("wiring test program, upper-case ending")
            << QStringList{"--wiring-test=@/out.BAS", "--width=18"} << 0 << "out.BAS"
            << Bytes(RenderWiringTestProgram(Board::ofWidth("18"))) << "";
        QTest::newRow("unlisted width")
            << QStringList{"--wiring-test", "@/out.hex", "--width", "38"} << 1 << "out.hex"
            << QByteArray() << "38 is not a board width Corvane offers";
        QTest::newRow("no width") << QStringList{"--wiring-test", "@/out.hex"} << 1 << "out.hex"
                                  << QByteArray() << "--wiring-test and --width go together";
        QTest::newRow("neither .hex nor .bas")
            << QStringList{"--wiring-test", "@/out.txt", "--width", "20"} << 1 << "out.txt"
            << QByteArray() << ".hex";
        QTest::newRow("firmware of a program")
            << QStringList{"--firmware", "@/out.hex", "@/sign.bas"} << 0 << "out.hex"
            << FirmwareHex(BuildFirmware(kSign, kSignBoard)) << "";
        QTest::newRow("firmware of a file that is no program")
            << QStringList{"--firmware", "@/out.hex", "@/notes.bas"} << 1 << "out.hex"
            << QByteArray() << "notes.bas";
        QTest::newRow("firmware too large for the chip")
            << QStringList{"--firmware", "@/out.hex", "@/large.bas"} << 1 << "out.hex"
            << QByteArray() << "the ATmega8 holds 8,192";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "out.hex" << QByteArray()
                              << "--wiring-test <out>";
        QTest::newRow("help names --firmware")
            << QStringList{"--help"} << 0 << "out.hex" << QByteArray() << "--firmware <out.hex>";
        QTest::newRow("help names --fix-clock")
            << QStringList{"--help"} << 0 << "out.hex" << QByteArray() << "--fix-clock";
    }

    void runsWithoutAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, outName);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        arguments.replaceInStrings(QStringLiteral("@"), m_folder.path());
        const QString outPath = m_folder.filePath(outName);
        QFile::remove(outPath);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        QProcess corvane;
        corvane.setProcessEnvironment(environment);
        corvane.start(QStringLiteral(CORVANE_BINARY), arguments);
        QVERIFY(corvane.waitForFinished(60000));
        const QString out = QString::fromUtf8(corvane.readAllStandardOutput());
        const QString errors = QString::fromUtf8(corvane.readAllStandardError());

        QCOMPARE(corvane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(corvane.exitCode(), exitCode);
        QVERIFY2((exitCode == 0 ? out : errors).contains(message), qPrintable(out + errors));
        if (written.isNull()) {
            QVERIFY(!QFile::exists(outPath));
        } else {
            QFile file(outPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll() == written);
            QVERIFY2(errors.isEmpty(), qPrintable(errors));
        }
    }

    // --flash through a stand-in avrdude whose chip runs at 8 MHz: named,
    // and set back only with --fix-clock.
    void flashesWithoutAWindow_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the test folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("runs");
        QTest::newRow("wrong clock")
            << QStringList{"--flash", "@/sign.bas"} << 1
            << QStringList{"8 times too fast", "run again with --fix-clock"} << 1;
        QTest::newRow("wrong clock set back") << QStringList{"--flash", "@/sign.bas", "--fix-clock"}
                                              << 0 << QStringList{"the firmware is on it"} << 3;
        QTest::newRow("bad baud") << QStringList{"--flash", "@/sign.bas", "--baud", "19200;x"} << 1
                                  << QStringList{"is not a baud rate"} << 0;
        QTest::newRow("no program")
            << QStringList{"--flash", "@/notes.bas"} << 1 << QStringList{"notes.bas"} << 0;
    }
    void flashesWithoutAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, told);
        QFETCH(int, runs);
        testing::FakeAvrdude avrdude;
        avrdude.answer("readfuse", "echo 0xe4; exit 0");
        arguments.replaceInStrings(QStringLiteral("@"), m_folder.path());
        QProcess corvane;
        corvane.start(QStringLiteral(CORVANE_BINARY), arguments);
        QVERIFY(corvane.waitForFinished(60000));
        const QString errors = QString::fromUtf8(corvane.readAllStandardError());
        QCOMPARE(corvane.exitCode(), exitCode);
        for (const QString& words : told) {
            QVERIFY2(errors.contains(words), qPrintable(errors));
        }
        QCOMPARE(avrdude.runs().size(), runs);
    }

private:
    QTemporaryDir m_folder;
};

} // namespace corvane

QTEST_GUILESS_MAIN(corvane::CommandLineTest)
#include "CommandLineTest.moc"

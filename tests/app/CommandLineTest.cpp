#include "bascom/ProgramWriter.h"
#include "bascom/WiringTestProgram.h"
#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "flashimage/WiringTestFirmware.h"
#include "sign/GlyphTable.h"
#include "sign/WiringTest.h"
#include "tests/sign/FilledGlyphs.h"

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
const std::vector<Message> kSign{{"Hello", ScrollDirection(0), 5}, {"Up", ScrollDirection(2), 9}};
const Board kSignBoard = Board::ofWidth("18");
// 30 messages of 60 characters need more flash than the chip has.
const std::vector<Message> kTooLarge(30, Message{std::string(60, 'M')});

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

private:
    QTemporaryDir m_folder;
};

} // namespace corvane

QTEST_GUILESS_MAIN(corvane::CommandLineTest)
#include "CommandLineTest.moc"

#include "app/CommandLine.h"

#include "bascom/ProgramWriter.h"
#include "bascom/WiringTestProgram.h"
#include "editor/files/FirmwareFiles.h"
#include "editor/files/ProgramFiles.h"
#include "editor/model/MessageEditor.h"
#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "flashimage/WiringTestFirmware.h"
#include "sign/GlyphTable.h"
#include "sign/WiringTest.h"
#include "tests/editor/FakeFileDialogs.h"
#include "tests/editor/TestFiles.h"
#include "tests/editor/TypingEditor.h"
#include "tests/editor/flash/FakeAvrdude.h"
#include "tests/sign/FilledGlyphs.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

// A program whose tables need word counters, as older writers declared them: As Byte.
const std::vector<Message> kLong{{std::string(45, '#'), ScrollDirection(0), 4}};
std::string OlderProgram()
{
    std::string file = RenderProgram(kLong, Board::ofWidth("40"), test::FilledGlyphs());
    for (auto at = file.find(" As Word"); at != std::string::npos; at = file.find(" As Word")) {
        file.replace(at, 8, " As Byte");
    }
    return file;
}

// The lines of list.txt: a byte order mark, CR LF and LF ends, an empty line,
// any case, colons in a text and a blank message.
const char* const kListFile = "\xEF\xBB\xBFright:0:Hi there\r\n\r\nDOWN:3: \r\nLeft:9:12:30\n";
const std::vector<Message> kList{{"Hi there", ScrollDirection(1), 0},
                                 {" ", ScrollDirection(3), 3},
                                 {"12:30", ScrollDirection(0), 9}};

QString Lines(int count, const QString& line)
{
    QString lines;
    for (int index = 0; index < count; ++index) {
        lines += line + u'\n';
    }
    return lines;
}

// A path's type and, for a regular file, its bytes.
struct PathState
{
    mode_t type = 0;
    QByteArray bytes;

    friend bool operator==(const PathState&, const PathState&) = default;
};

std::optional<PathState> StateOf(const QString& path)
{
    struct stat status
    {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    const mode_t type = status.st_mode & S_IFMT;
    return PathState{type, type == S_IFREG ? test::ReadFile(path) : QByteArray()};
}

} // namespace

// The command line: the real binary, started the way a build script would,
// without a display at all, and its work and refusals run in this process.
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
        write("sign.bas", RenderProgram(kSign, kSignBoard, test::FilledGlyphs()));
        write("large.bas", RenderProgram(kTooLarge, Board::ofWidth("40"), test::FilledGlyphs()));
        write("notes.bas", "Shopping list\r\nbread\r\n");
        write("wiring.bas", RenderWiringTestProgram(Board::ofWidth("40")));
        write("older.bas", OlderProgram());
        write("list.txt", kListFile);
        write("many.txt", Lines(257, QStringLiteral("up:5:A")).toStdString());
        write("large.txt", Lines(30, QStringLiteral("left:0:") + QString(60, u'M')).toStdString());
        write("bad.txt", "left:5:A\n\nright:x:B\n");
        write("empty.txt", "\r\n\n");
        const auto path = [this](const char* name) {
            return QFile::encodeName(m_folder.filePath(QString::fromLatin1(name)));
        };
        QCOMPARE(::link(path("list.txt").constData(), path("alias.bas").constData()), 0);
        QCOMPARE(::mkfifo(path("pipe.hex").constData(), 0600), 0);
        QCOMPARE(::mkfifo(path("pipe.txt").constData(), 0600), 0);
        // Only root makes a device node; the device case is skipped otherwise.
        m_hasDevice = ::mknod(path("device.hex").constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    }

    // Which arguments start the window, and the program it opens then.
    void opensTheWindowForOneProgramAtMost_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opens"); // null: no window
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("a program") << QStringList{"sign.bas"} << "sign.bas";
        QTest::newRow("Qt's options")
            << QStringList{"-platform", "offscreen", "-style=fusion", "-reverse", "sign.bas"}
            << "sign.bas";
        QTest::newRow("a path after --") << QStringList{"--", "--firmware"} << "--firmware";
        QTest::newRow("two programs") << QStringList{"a.bas", "b.bas"} << QString();
        QTest::newRow("an unknown option") << QStringList{"--bogus"} << QString();
        QTest::newRow("help") << QStringList{"-h"} << QString();
        QTest::newRow("width alone") << QStringList{"--width", "20", "sign.bas"} << QString();
        QTest::newRow("firmware") << QStringList{"--firmware", "a.hex", "a.bas"} << QString();
        QTest::newRow("write") << QStringList{"-write", "a.bas"} << QString();
    }
    void opensTheWindowForOneProgramAtMost()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opens);
        arguments.prepend(QStringLiteral("corvane"));
        QCOMPARE(OpensWindow(arguments), !opens.isNull());
        if (!opens.isNull()) {
            QCOMPARE(ProgramToOpen(arguments), opens);
        }
    }

    // The command line's work and refusals, run in this process: "@" stands
    // for the test folder. A refusal leaves the output as it was: a file
    // named out* holds "old" before each case.
    void writesOrRefuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outName");
        QTest::addColumn<QByteArray>("written"); // null: the output stays as it was
        QTest::addColumn<QString>("message");    // on stderr; for 2 the usage follows

        const GlyphTable& glyphs = test::FilledGlyphs();
        const auto write = [](std::initializer_list<QString> messages) {
            QStringList arguments{"--write", "@/out.hex", "--width", "20"};
            for (const QString& message : messages) {
                arguments << "--message" << message;
            }
            return arguments;
        };
        QTest::newRow("program of messages")
            << QStringList{"--write",   "@/out.bas",    "--width",   "18",
                           "--message", "left:5:Hello", "--message", "UP:9:a:b"}
            << 0 << "out.bas"
            << Bytes(RenderProgram(std::vector<Message>{{"Hello", ScrollDirection(0), 5},
                                                        {"a:b", ScrollDirection(2), 9}},
                                   Board::ofWidth("18"), glyphs))
            << "";
        QTest::newRow("firmware of a messages file")
            << QStringList{"--write=@/out.HEX", "--width=40", "--messages", "@/list.txt"} << 0
            << "out.HEX" << FirmwareHex(BuildFirmware(kList, Board::ofWidth("40"))) << "";
        // Standing messages, a paused scroll and a dimmed firmware.
        const std::vector<Message> shop{{"OPEN", ScrollDirection::Still, 5},
                                        {"SALE", ScrollDirection::Blink, 8},
                                        {"Fresh bread", ScrollDirection::Left, 6, 2}};
        const QStringList shopArguments{
            "--width",   "30",           "--message", "still:5:OPEN",
            "--message", "BLINK:8:SALE", "--message", "left/2:6:Fresh bread"};
        QTest::newRow("still, blink and a pause")
            << QStringList{"--write", "@/out.hex"} + shopArguments << 0 << "out.hex"
            << FirmwareHex(BuildFirmware(shop, Board::ofWidth("30"))) << "";
        QTest::newRow("still, blink and a pause in a program")
            << QStringList{"--write", "@/out.bas"} + shopArguments << 0 << "out.bas"
            << Bytes(RenderProgram(shop, Board::ofWidth("30"), glyphs)) << "";
        QTest::newRow("dimmed firmware")
            << QStringList{"--write", "@/out.hex", "--brightness", "3"} + shopArguments << 0
            << "out.hex" << FirmwareHex(BuildFirmware(shop, Board::ofWidth("30"), 3)) << "";
        QTest::newRow("brightness 9")
            << QStringList{"--write", "@/out.hex", "--brightness", "9"} + shopArguments << 1
            << "out.hex" << QByteArray() << "the brightness 9 is not one of 1 to 8";
        QTest::newRow("brightness of a program")
            << QStringList{"--write", "@/out.bas", "--brightness", "4"} + shopArguments << 1
            << "out.bas" << QByteArray() << "a program is not dimmed";
        QTest::newRow("pause of a standing message")
            << write({"still/2:5:A"}) << 1 << "out.hex" << QByteArray()
            << "message 1: still messages stand by themselves; only a scroll pauses";
        QTest::newRow("pause 10") << write({"right/10:5:A"}) << 1 << "out.hex" << QByteArray()
                                  << "message 1: the pause \"10\" is not one of 0 to 9 seconds";
        QTest::newRow("unknown direction")
            << write({"left:5:A", "sideways:5:B"}) << 1 << "out.hex" << QByteArray()
            << "message 2: the direction \"sideways\"";
        QTest::newRow("speed 10") << write({"up:10:A"}) << 1 << "out.hex" << QByteArray()
                                  << "message 1: the speed \"10\" is not one of 0 to 9";
        QTest::newRow("empty text") << write({"left:5:A", "left:5:"}) << 1 << "out.hex"
                                    << QByteArray() << "message 2 has 0 characters";
        QTest::newRow("text too long")
            << write({"left:5:" + QString(257, u'x')}) << 1 << "out.hex" << QByteArray()
            << "message 1 has 257 characters; a message has 1 to 256";
        QTest::newRow("Windows-1252 characters")
            << QStringList{"--write",
                           "@/out.bas",
                           "--width",
                           "20",
                           "--message",
                           "left:5:Gr\u00fc\u00dfe 25 \u00b0C, 5 \u20ac \u2014 \u00bd Preis"}
            << 0 << "out.bas"
            << Bytes(RenderProgram(std::vector<Message>{{"Gr\xFC\xDF"
                                                         "e 25 \xB0"
                                                         "C, 5 \x80 \x97 \xBD Preis",
                                                         ScrollDirection(0), 5}},
                                   Board::ofWidth("20"), glyphs))
            << "";
        QTest::newRow("character the font lacks")
            << write({"left:5:Caf\u00e9 \u0416"}) << 1 << "out.hex" << QByteArray()
            << "message 1: \"\u0416\" (U+0416) is not a character the font shows";
        QTest::newRow("no speed") << write({"left:HELLO"}) << 1 << "out.hex" << QByteArray()
                                  << "message 1: expected DIRECTION:SPEED:TEXT";
        QTest::newRow("width off the list")
            << QStringList{"--write", "@/out.bas", "--width", "38", "--message", "left:5:A"} << 1
            << "out.bas" << QByteArray() << "38 is not a board width Corvane offers";
        QTest::newRow("too many messages")
            << QStringList{"--write", "@/out.bas", "--width", "20", "--messages", "@/many.txt"} << 1
            << "out.bas" << QByteArray() << "many.txt: 257 messages; a program holds at most 256";
        QTest::newRow("a file's line")
            << QStringList{"--write", "@/out.bas", "--width", "20", "--messages", "@/bad.txt"} << 1
            << "out.bas" << QByteArray() << "bad.txt: line 3, message 2: the speed \"x\"";
        QTest::newRow("only empty lines")
            << QStringList{"--write", "@/out.bas", "--width", "20", "--messages", "@/empty.txt"}
            << 1 << "out.bas" << QByteArray() << "empty.txt: no messages";
        QTest::newRow("firmware over the flash")
            << QStringList{"--write", "@/out.hex", "--width", "40", "--messages", "@/large.txt"}
            << 1 << "out.hex" << QByteArray() << "the ATmega8 holds 8,192";
        QTest::newRow("neither .bas nor .hex")
            << QStringList{"--write", "@/out.txt", "--width", "20", "--message", "left:5:A"} << 1
            << "out.txt" << QByteArray() << "program (.bas) or as firmware (.hex)";
        QTest::newRow("messages from a named pipe")
            << QStringList{"--write", "@/out.bas", "--width", "20", "--messages", "@/pipe.txt"} << 1
            << "out.bas" << QByteArray() << "pipe.txt is a named pipe, not a file.";
        QTest::newRow("firmware over its own program")
            << QStringList{"--firmware", "@/sign.bas", "@/sign.bas"} << 1 << "sign.bas"
            << QByteArray() << "sign.bas: Is the file it is built from";
        QTest::newRow("program over its messages file, by another name")
            << QStringList{"--write", "@/alias.bas", "--width", "20", "--messages", "@/list.txt"}
            << 1 << "alias.bas" << QByteArray() << "alias.bas: Is the file it is built from";
        QTest::newRow("firmware onto a named pipe")
            << QStringList{"--firmware", "@/pipe.hex", "@/sign.bas"} << 1 << "pipe.hex"
            << QByteArray() << "pipe.hex: Is a named pipe, not a file";
        QTest::newRow("firmware onto a device")
            << QStringList{"--firmware", "@/device.hex", "@/sign.bas"} << 1 << "device.hex"
            << QByteArray() << "device.hex: Is a device, not a file";
        QTest::newRow("firmware of the wiring test")
            << QStringList{"--firmware", "@/out.hex", "@/wiring.bas"} << 1 << "out.hex"
            << QByteArray()
            << "wiring.bas is Corvane's wiring test for a board of 40 columns; it has no "
               "messages to edit.";
        QTest::newRow("firmware of a program with byte counters")
            << QStringList{"--firmware", "@/out.hex", "@/older.bas"} << 0 << "out.hex"
            << FirmwareHex(BuildFirmware(kLong, Board::ofWidth("40"))) << "";

        const auto misused = [](const char* name, const QStringList& arguments,
                                const char* message) {
            QTest::newRow(name) << arguments << 2 << "out.hex" << QByteArray() << message;
        };
        misused("unknown option", {"--bogus"}, "Unknown option 'bogus'");
        misused("stray argument", {"--wiring-test", "@/out.hex", "--width", "40", "@/sign.bas"},
                "--wiring-test takes no program");
        misused("wiring test and firmware",
                {"--wiring-test", "@/out.hex", "--width", "40", "--firmware", "@/out.hex"},
                "--firmware and --wiring-test each write a file");
        misused("two programs for one firmware",
                {"--firmware", "@/out.hex", "@/sign.bas", "@/large.bas"},
                "--firmware builds from one program; 2 given");
        misused("firmware twice",
                {"--firmware", "@/out.hex", "--firmware", "@/out.bas", "@/sign.bas"},
                "--firmware is given more than once");
        misused("write and firmware",
                {"--write", "@/out.bas", "--width", "20", "--message", "left:5:A", "--firmware",
                 "@/out.hex", "@/sign.bas"},
                "--firmware and --write each write a file");
        misused("two outputs",
                {"--write", "@/out.bas", "--write", "@/out.hex", "--width", "20", "--message",
                 "left:5:A"},
                "--write is given more than once");
        misused("message without write", {"--message", "left:5:A"},
                "--message and --messages go with --write");
        misused("write without width", {"--write", "@/out.hex", "--message", "left:5:A"},
                "--write needs --width");
        misused("write without messages", {"--write", "@/out.hex", "--width", "20"},
                "--write takes its messages from --message or from --messages");
        misused("message and messages",
                {"--write", "@/out.hex", "--width", "20", "--message", "left:5:A", "--messages",
                 "@/list.txt"},
                "--write takes its messages from --message or from --messages");
        misused("brightness without write",
                {"--wiring-test", "@/out.hex", "--width", "40", "--brightness", "4"},
                "--brightness goes with --write");
        misused("width for the firmware",
                {"--firmware", "@/out.hex", "--width", "20", "@/sign.bas"},
                "--firmware takes the width from its program");
    }
    void writesOrRefuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, outName);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        if (outName == QLatin1String("device.hex") && !m_hasDevice) {
            QSKIP("only root makes a device node");
        }
        arguments.replaceInStrings(QStringLiteral("@"), m_folder.path());
        arguments.prepend(QStringLiteral("corvane"));
        const QString outPath = m_folder.filePath(outName);
        if (outName.startsWith(QLatin1String("out"))) {
            QFile old(outPath);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        const auto before = StateOf(outPath);
        QString out;
        QString errors;
        QTextStream outStream(&out);
        QTextStream errorStream(&errors);

        QCOMPARE(RunCommandLine(arguments, outStream, errorStream), exitCode);

        if (written.isNull()) {
            QCOMPARE(StateOf(outPath), before);
        } else {
            QCOMPARE(test::ReadFile(outPath), written);
        }
        QVERIFY2(message.isEmpty() ? errors.isEmpty() : errors.contains(message),
                 qPrintable(errors));
        QCOMPARE(errors.contains(QLatin1String("\nUsage: corvane")), exitCode == 2);
    }

    // --write writes what Save and Build Firmware write for the same list and width.
    void writesWhatTheWindowWrites()
    {
        const ProgramDocument program{kList, Board::ofWidth("13")};
        const std::unique_ptr<MessageEditor> editor = test::TypingEditor("x");
        QVERIFY(editor->openProgram(program, true));
        test::FakeFileDialogs dialogs;
        ProgramFiles files(*editor, nullptr);
        files.setDialogs(&dialogs);
        files.fillGlyphTable();
        FirmwareFiles firmware(*editor, nullptr);
        firmware.setDialogs(&dialogs);
        dialogs.savePath = m_folder.filePath(QStringLiteral("saved.bas"));
        QVERIFY(files.save());
        dialogs.savePath = m_folder.filePath(QStringLiteral("built.hex"));
        QVERIFY(firmware.buildFirmware());

        for (const char* name : {"written.bas", "written.hex"}) {
            QString errors;
            QTextStream errorStream(&errors);
            QTextStream out(stdout);
            QCOMPARE(RunCommandLine({"corvane", "--write", m_folder.filePath(QLatin1String(name)),
                                     "--width", "13", "--messages",
                                     m_folder.filePath(QStringLiteral("list.txt"))},
                                    out, errorStream),
                     0);
        }
        const auto bytes = [this](const char* name) {
            return test::ReadFile(m_folder.filePath(QLatin1String(name)));
        };
        QVERIFY(!bytes("saved.bas").isEmpty() && !bytes("built.hex").isEmpty());
        QVERIFY(bytes("written.bas") == bytes("saved.bas"));
        QVERIFY(bytes("written.hex") == bytes("built.hex"));
    }

    void runsWithoutAWindow_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the test folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outName");
        QTest::addColumn<QByteArray>("written"); // null: the file must not exist
        QTest::addColumn<QString>("message");    // on stdout for 0, on stderr otherwise

        QTest::newRow("wiring test firmware")
            << QStringList{"--wiring-test", "@/out.hex", "--width", "40"} << 0 << "out.hex"
            << FirmwareHex(WiringTestFirmware(Board::ofWidth("40"))) << "";
        QTest::newRow("wiring test program, upper-case ending")
            << QStringList{"--wiring-test=@/out.BAS", "--width=18"} << 0 << "out.BAS"
            << Bytes(RenderWiringTestProgram(Board::ofWidth("18"))) << "";
        QTest::newRow("unlisted width")
            << QStringList{"--wiring-test", "@/out.hex", "--width", "38"} << 1 << "out.hex"
            << QByteArray() << "38 is not a board width Corvane offers";
        QTest::newRow("no width") << QStringList{"--wiring-test", "@/out.hex"} << 2 << "out.hex"
                                  << QByteArray() << "--wiring-test needs --width";
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << 2 << "out.hex" << QByteArray() << "Unknown option 'bogus'";
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
        QTest::newRow("help shows --write with an example")
            << QStringList{"--help"} << 0 << "out.hex" << QByteArray()
            << "corvane --write sign.bas --width 20 --message left:5:HELLO";
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
        test::FakeAvrdude avrdude;
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
    bool m_hasDevice = false;
};

} // namespace corvane

// The windowless work runs in this process too, beside the editor's Save.
QTEST_MAIN(corvane::CommandLineTest)
#include "CommandLineTest.moc"

#include "app/CommandLine.h"

#include "app/FlashCommand.h"
#include "app/MessageArguments.h"
#include "editor/model/FlashUse.h"
#include "programfile/ProgramFile.h"
#include "programfile/ProgramLoading.h"
#include "programfile/SignFile.h"
#include "sign/GlyphTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <array>
#include <optional>

namespace corvane {

namespace {

constexpr const char* kFirmwareOption = "firmware";
constexpr const char* kWiringTestOption = "wiring-test";
constexpr const char* kWidthOption = "width";
constexpr const char* kWriteOption = "write";
constexpr const char* kMessageOption = "message";
constexpr const char* kMessagesOption = "messages";
constexpr const char* kFlashOption = "flash";
constexpr const char* kBrightnessOption = "brightness";

// The options that write a file; one at a time.
constexpr std::array<const char*, 3> kOutputOptions = {kFirmwareOption, kWiringTestOption,
                                                       kWriteOption};
// Options given once at most.
constexpr std::array<const char*, 7> kSingleOptions = {
    kFirmwareOption, kWiringTestOption, kWidthOption,     kWriteOption,
    kMessagesOption, kFlashOption,      kBrightnessOption};

// Qt's window options, which QApplication takes out of the arguments: those
// with a value, then those without.
constexpr std::array<const char*, 17> kQtValueOptions = {"platform",      "platformpluginpath",
                                                         "platformtheme", "plugin",
                                                         "qmljsdebugger", "qwindowgeometry",
                                                         "qwindowicon",   "qwindowtitle",
                                                         "session",       "display",
                                                         "geometry",      "style",
                                                         "stylesheet",    "dialogs",
                                                         "fontengine",    "name",
                                                         "title"};
constexpr std::array<const char*, 5> kQtFlagOptions = {"reverse", "widgetcount", "nograb", "dograb",
                                                       "sync"};

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kMisused = 2;

constexpr const char* kUsage =
    "Usage: corvane [program.bas]\n"
    "       corvane --firmware <out.hex> <program.bas>\n"
    "       corvane --wiring-test <out.hex|out.bas> --width <columns>\n"
    "       corvane --write <out.bas|out.hex> --width <columns>\n"
    "               (--message <direction:speed:text> ... | --messages <file>)\n"
    "               [--brightness <1-8>]\n"
    "       corvane --flash <program.bas|firmware.hex> [--programmer <id>] [--port <port>]\n"
    "               [--baud <n>] [--bitclock <us>] [--fix-clock]\n"
    "Try 'corvane --help' for more.\n";

constexpr const char* kExamples =
    "\nExamples:\n"
    "  corvane --write sign.bas --width 20 --message left:5:HELLO --message \"up:9:Hi: there\"\n"
    "  corvane --write sign.hex --width 40 --messages messages.txt\n"
    "  corvane --firmware sign.hex sign.bas\n"
    "  corvane --wiring-test wiring.hex --width 40\n"
    "  corvane --flash sign.bas --programmer usbasp\n";

QString Option(const char* name)
{
    return QString::fromLatin1(name);
}

QString Flag(const char* name)
{
    return QStringLiteral("--") + Option(name);
}

bool WritesAFile(const QCommandLineParser& parser)
{
    for (const char* option : kOutputOptions) {
        if (parser.isSet(Option(option))) {
            return true;
        }
    }
    return false;
}

// Why the parsed options do not go together; empty when they do.
QString Misuse(const QCommandLineParser& parser)
{
    for (const char* option : kSingleOptions) {
        if (parser.values(Option(option)).size() > 1) {
            return Flag(option) + QStringLiteral(" is given more than once");
        }
    }
    QStringList outputs;
    for (const char* option : kOutputOptions) {
        if (parser.isSet(Option(option))) {
            outputs << Flag(option);
        }
    }
    if (outputs.size() > 1) {
        return outputs.join(QStringLiteral(" and ")) +
               QStringLiteral(" each write a file; give one");
    }
    if (parser.isSet(Option(kFlashOption))) {
        // The flash options and their values are checked by the flash itself.
        return outputs.isEmpty()
                   ? QString()
                   : QStringLiteral("--flash and %1 go apart; give one").arg(outputs.front());
    }
    const QStringList programs = parser.positionalArguments();
    const bool width = parser.isSet(Option(kWidthOption));
    const bool message = parser.isSet(Option(kMessageOption));
    const bool messages = parser.isSet(Option(kMessagesOption));
    const bool writes = parser.isSet(Option(kWriteOption));
    if ((message || messages) && !writes) {
        return QStringLiteral("--message and --messages go with --write");
    }
    if (parser.isSet(Option(kBrightnessOption)) && !writes) {
        return QStringLiteral("--brightness goes with --write");
    }
    if (parser.isSet(Option(kFirmwareOption))) {
        if (width) {
            return QStringLiteral("--firmware takes the width from its program, not --width");
        }
        if (programs.size() != 1) {
            return QStringLiteral("--firmware builds from one program; %1 given")
                .arg(programs.size());
        }
        return {};
    }
    if (!outputs.isEmpty() && !width) {
        return outputs.front() + QStringLiteral(" needs --width");
    }
    if (!outputs.isEmpty() && !programs.isEmpty()) {
        return outputs.front() + QStringLiteral(" takes no program: \"%1\"").arg(programs.front());
    }
    if (writes && message == messages) {
        return QStringLiteral("--write takes its messages from --message or from --messages");
    }
    if (outputs.isEmpty()) {
        if (width) {
            return QStringLiteral("--width goes with --wiring-test or --write");
        }
        return programs.size() > 1
                   ? QStringLiteral("the window opens one program; %1 given").arg(programs.size())
                   : QStringLiteral("nothing to write without a window");
    }
    return {};
}

int WriteFile(const QString& path, const SignFile& file, const QString& sourcePath,
              QTextStream& errors)
{
    if (!file.isWritable()) {
        errors << "corvane: " << QString::fromStdString(file.refusal) << '\n';
        return kRefused;
    }
    if (const auto failure =
            WriteFileBuiltFrom(path.toStdString(), file.bytes, sourcePath.toStdString())) {
        errors << "corvane: " << QString::fromStdString(failure->path) << ": "
               << QString::fromStdString(failure->reason) << '\n';
        return kRefused;
    }
    return kDone;
}

QString WidthListWording()
{
    return QString::fromLatin1(Board::kWidthListWording.data(),
                               static_cast<qsizetype>(Board::kWidthListWording.size()));
}

// The board of a width the width list offers, or nothing, said why on `errors`.
std::optional<Board> ListedBoard(const QString& width, QTextStream& errors)
{
    bool isNumber = false;
    const int columns = width.toInt(&isNumber);
    if (!isNumber || !Board::isListedWidth(columns)) {
        errors << "corvane: " << width << " is not a board width Corvane offers ("
               << WidthListWording() << ")\n";
        return std::nullopt;
    }
    return Board::ofWidth(std::to_string(columns));
}

// The firmware's brightness of --brightness, full without it; nothing, said
// why on `errors`, outside 1 to 8 or for a program, which is not dimmed.
std::optional<std::uint8_t> BrightnessOf(const QCommandLineParser& parser, const QString& outPath,
                                         QTextStream& errors)
{
    if (!parser.isSet(Option(kBrightnessOption))) {
        return kFullBrightness;
    }
    const QString text = parser.value(Option(kBrightnessOption));
    if (!outPath.endsWith(QStringLiteral(".hex"), Qt::CaseInsensitive)) {
        errors << "corvane: --brightness dims the firmware (.hex); a program is not dimmed\n";
        return std::nullopt;
    }
    bool isNumber = false;
    const int brightness = text.toInt(&isNumber);
    if (!isNumber || brightness < 1 || brightness > kFullBrightness) {
        errors << "corvane: the brightness " << text << " is not one of 1 to " << kFullBrightness
               << '\n';
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(brightness);
}

// --write: the messages as Save or Build Firmware writes them for the board.
int WriteMessagesFile(const QCommandLineParser& parser, QTextStream& errors)
{
    const QString messagesPath = parser.value(Option(kMessagesOption));
    const MessageList list = parser.isSet(Option(kMessagesOption))
                                 ? ReadMessagesFile(messagesPath)
                                 : MessagesOf(parser.values(Option(kMessageOption)));
    if (const auto* refusal = std::get_if<QString>(&list)) {
        errors << "corvane: " << *refusal << '\n';
        return kRefused;
    }
    const auto board = ListedBoard(parser.value(Option(kWidthOption)), errors);
    if (!board) {
        return kRefused;
    }
    const auto& entries = std::get<std::vector<Message>>(list);
    const QString outPath = parser.value(Option(kWriteOption));
    const auto brightness = BrightnessOf(parser, outPath, errors);
    if (!brightness) {
        return kRefused;
    }
    GlyphTable glyphs;
    FillGlyphTable(glyphs);
    const int status = WriteFile(
        outPath,
        MessagesFile(outPath.toStdString(), entries, *board, glyphs, Font::builtIn(), *brightness),
        messagesPath, errors);
    // As Save does, a program whose tables alone overflow the flash is written, then warned of.
    if (const FlashUse use = FlashUseOf(entries, *board);
        status == kDone && outPath.endsWith(QStringLiteral(".bas"), Qt::CaseInsensitive) &&
        use.exceedsFlash()) {
        errors << "corvane: warning: " << QString::fromStdString(use.overflowWarning()) << '\n';
    }
    return status;
}

} // namespace

void AddOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Writes BASCOM-AVR programs that scroll messages on an LED sign board."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({Option(kFirmwareOption),
                      QCoreApplication::translate(
                          "main", "Builds the ATmega8 firmware of <program.bas> into <out.hex> "
                                  "(Intel HEX, for avrdude) without showing a window."),
                      QStringLiteral("out.hex")});
    parser.addOption(
        {Option(kWiringTestOption),
         QCoreApplication::translate(
             "main", "Writes the wiring test for a board of --width columns into <out>: its "
                     "ATmega8 firmware for an <out> ending in .hex, its BASCOM-AVR program for one "
                     "ending in .bas. The board shows each latch, each row and each column alone, "
                     "then all its LEDs, then its width."),
         QStringLiteral("out")});
    parser.addOption(
        {Option(kWriteOption),
         QCoreApplication::translate(
             "main", "Writes the messages of --message or --messages for a board of --width "
                     "columns into <out> without showing a window: the BASCOM-AVR program, as "
                     "Save writes it, for an <out> ending in .bas, the firmware, as Build "
                     "Firmware writes it, for one ending in .hex."),
         QStringLiteral("out")});
    parser.addOption(
        {Option(kMessageOption),
         QCoreApplication::translate(
             "main", "One message for --write, in list order (up to 256): a direction (left, "
                     "right, up, down, still or blink; a scroll's may add a pause of 0 to 9 "
                     "seconds, as in left/3), a speed from 0 to 9 (9 the fastest) and its text "
                     "of 1 to 256 ASCII characters, e.g. left:5:HELLO. The text is all after "
                     "the second colon."),
         QStringLiteral("direction:speed:text")});
    parser.addOption({Option(kMessagesOption),
                      QCoreApplication::translate(
                          "main", "The messages for --write from a UTF-8 text file, one "
                                  "direction:speed:text a line; empty lines are skipped."),
                      QStringLiteral("file")});
    parser.addOption({Option(kBrightnessOption),
                      QCoreApplication::translate(
                          "main", "The firmware's brightness for --write of a .hex: 1 (the "
                                  "dimmest) to 8 (full, without it)."),
                      QStringLiteral("1-8")});
    parser.addOption({Option(kWidthOption),
                      QCoreApplication::translate(
                          "main", "The board's width in LED columns for --wiring-test and "
                                  "--write: %1.")
                          .arg(WidthListWording()),
                      QStringLiteral("columns")});
    AddFlashOptions(parser);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(Option(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(Option(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(
        QStringLiteral("program"),
        QCoreApplication::translate("main", "A program Corvane wrote, to open for editing."),
        QStringLiteral("[program.bas]"));
}

bool OpensWindow(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments)) {
        return false;
    }
    for (const char* option : {"help", "help-all", "version", kWidthOption, kMessageOption,
                               kMessagesOption, kBrightnessOption}) {
        if (parser.isSet(Option(option))) {
            return false;
        }
    }
    if (FlashRequested(parser)) {
        return false;
    }
    return !WritesAFile(parser) && parser.positionalArguments().size() <= 1;
}

QString ProgramToOpen(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddOptions(parser);
    return parser.parse(arguments) ? parser.positionalArguments().value(0) : QString();
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& errors)
{
    QCommandLineParser parser;
    AddOptions(parser);
    const bool parsed = parser.parse(arguments);
    if (parsed &&
        (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))) {
        out << parser.helpText() << kExamples;
        return kDone;
    }
    if (parsed && parser.isSet(QStringLiteral("version"))) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return kDone;
    }
    if (const QString misuse = parsed ? Misuse(parser) : parser.errorText(); !misuse.isEmpty()) {
        errors << "corvane: " << misuse << '\n' << kUsage;
        return kMisused;
    }
    if (FlashRequested(parser)) {
        return RunFlashCommand(parser, errors);
    }
    if (parser.isSet(Option(kWiringTestOption))) {
        return BuildWiringTestFile(parser.value(Option(kWiringTestOption)),
                                   parser.value(Option(kWidthOption)), errors);
    }
    if (parser.isSet(Option(kFirmwareOption))) {
        return BuildFirmwareFile(parser.value(Option(kFirmwareOption)),
                                 parser.positionalArguments().front(), errors);
    }
    return WriteMessagesFile(parser, errors);
}

int BuildFirmwareFile(const QString& hexPath, const QString& programPath, QTextStream& errors)
{
    GlyphTable glyphs;
    FillGlyphTable(glyphs);
    auto loaded = LoadProgram(programPath, glyphs);
    if (const auto* failure = std::get_if<LoadFailure>(&loaded)) {
        errors << "corvane: " << failure->message << '\n';
        if (!failure->details.isEmpty()) {
            errors << "corvane: " << failure->details << '\n';
        }
        return kRefused;
    }
    const ProgramDocument& program = std::get<ProgramRead>(loaded).document;
    return WriteFile(hexPath, FirmwareHexFile(program.entries, program.board, program.font()),
                     programPath, errors);
}

int BuildWiringTestFile(const QString& outPath, const QString& width, QTextStream& errors)
{
    const auto board = ListedBoard(width, errors);
    if (!board) {
        return kRefused;
    }
    return WriteFile(outPath, WiringTestFile(outPath.toStdString(), *board), {}, errors);
}

} // namespace corvane

#include "app/FlashCommand.h"

#include "app/ConsoleFlashPrompts.h"
#include "editor/flash/BoardFlasher.h"
#include "flashimage/IntelHexImage.h"
#include "editor/model/flash/KnownProgrammer.h"
#include "editor/model/flash/ProgrammerCheck.h"
#include "flashimage/Firmware.h"
#include "programfile/ProgramLoading.h"
#include "sign/GlyphTable.h"
#include "sign/TargetChip.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace corvane {

namespace {

const QString kFlash = QStringLiteral("flash");
const QString kProgrammer = QStringLiteral("programmer");
const QString kPort = QStringLiteral("port");
const QString kBaud = QStringLiteral("baud");
const QString kBitclock = QStringLiteral("bitclock");
const QString kFixClock = QStringLiteral("fix-clock");

constexpr qint64 kHexFileLimit = 1024 * 1024;

QString Translated(const char* text)
{
    return QCoreApplication::translate("main", text);
}

// The flash image of a program or a HEX file, or nothing with the reason told.
std::optional<std::vector<std::uint8_t>> ImageOf(const QString& path, QTextStream& errors)
{
    if (path.endsWith(QLatin1String(".hex"), Qt::CaseInsensitive)) {
        const QFileInfo info(path);
        QFile file(path);
        if (!info.isFile() || info.size() > kHexFileLimit || !file.open(QIODevice::ReadOnly)) {
            errors << "corvane: " << path << ": not a readable HEX file of at most 1 MiB\n";
            return std::nullopt;
        }
        const QByteArray text = file.readAll();
        auto read =
            ReadIntelHex(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                         chip::kFlashBytes);
        if (const auto* refusal = std::get_if<std::string>(&read)) {
            errors << "corvane: " << path << ": " << QString::fromStdString(*refusal) << '\n';
            return std::nullopt;
        }
        return std::get<std::vector<std::uint8_t>>(std::move(read));
    }
    if (!path.endsWith(QLatin1String(".bas"), Qt::CaseInsensitive)) {
        errors << "corvane: --flash takes a program (.bas) or a firmware (.hex)\n";
        return std::nullopt;
    }
    GlyphTable glyphs;
    FillGlyphTable(glyphs);
    auto loaded = LoadProgram(path, glyphs);
    if (const auto* failure = std::get_if<LoadFailure>(&loaded)) {
        errors << "corvane: " << failure->message << '\n';
        return std::nullopt;
    }
    const ProgramDocument& program = std::get<ProgramRead>(loaded).document;
    auto firmware = BuildFirmware(program.entries, program.board, program.font());
    if (const auto* tooLarge = std::get_if<FirmwareTooLarge>(&firmware)) {
        errors << "corvane: " << QString::fromStdString(tooLarge->reason()) << '\n';
        return std::nullopt;
    }
    return std::get<std::vector<std::uint8_t>>(std::move(firmware));
}

// The programmer the options ask for, each value checked, or nothing with
// the reason told.
std::optional<ProgrammerChoice> ChoiceOf(const QCommandLineParser& parser, QTextStream& errors)
{
    const std::string id = parser.isSet(kProgrammer) ? parser.value(kProgrammer).toStdString()
                                                     : std::string(KnownProgrammers()[0].id);
    if (!IsProgrammerId(id)) {
        errors << "corvane: \"" << parser.value(kProgrammer) << "\" is no avrdude programmer id\n";
        return std::nullopt;
    }
    ProgrammerChoice choice = DefaultChoice(id);
    const auto take = [&](const QString& option, auto check, std::string& field, const char* what) {
        if (!parser.isSet(option)) {
            return true;
        }
        const auto value = check(parser.value(option).toStdString());
        if (!value) {
            errors << "corvane: " << parser.value(option) << " is not " << what << '\n';
            return false;
        }
        field = *value;
        return true;
    };
    if (!take(kPort, CheckedPort, choice.port, "a port avrdude can be given") ||
        !take(kBaud, CheckedBaud, choice.baud, "a baud rate (300 to 4000000)") ||
        !take(kBitclock, CheckedBitclock, choice.bitclock,
              "a bit clock (0.1 to 1000 microseconds)")) {
        return std::nullopt;
    }
    return choice;
}

// Ctrl+C or a termination request cancels the flash, so avrdude (in a
// group of its own, out of the terminal's reach) ends first.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
}

} // namespace

void AddFlashOptions(QCommandLineParser& parser)
{
    parser.addOption(
        {kFlash,
         Translated("Puts the firmware of <in.bas> (a program Corvane wrote), or the Intel HEX "
                    "file <in.hex>, on the board's ATmega8 with avrdude, without showing a "
                    "window. The chip's low fuse is read first."),
         QStringLiteral("in")});
    parser.addOption({kProgrammer,
                      Translated("avrdude's programmer for --flash (default usbasp; usbtiny, "
                                 "avrispmkII, stk500v1 for Arduino as ISP, stk500v2, …)."),
                      QStringLiteral("id")});
    parser.addOption(
        {kPort, Translated("The programmer's serial port for --flash."), QStringLiteral("port")});
    parser.addOption({kBaud, Translated("The serial baud rate for --flash."), QStringLiteral("n")});
    parser.addOption(
        {kBitclock,
         Translated("The ISP clock period in microseconds for --flash (avrdude's -B; 8 by "
                    "default, safe for a new chip at 1 MHz)."),
         QStringLiteral("us")});
    parser.addOption(
        {kFixClock,
         Translated("With --flash: when the chip does not run on its factory 1 MHz clock, set "
                    "its low fuse back (written, then read back) before flashing. Without it, "
                    "such a chip is named with what its clock would do to the sign, nothing is "
                    "written, and the exit status is 1.")});
}

bool FlashRequested(const QCommandLineParser& parser)
{
    for (const QString& option : {kFlash, kProgrammer, kPort, kBaud, kBitclock, kFixClock}) {
        if (parser.isSet(option)) {
            return true;
        }
    }
    return false;
}

int RunFlashCommand(const QCommandLineParser& parser, QTextStream& errors)
{
    if (!parser.isSet(kFlash)) {
        errors << "corvane: --programmer, --port, --baud, --bitclock and --fix-clock go with "
                  "--flash\n";
        return 1;
    }
    if (!parser.positionalArguments().isEmpty()) {
        errors << "corvane: --flash takes its program as its value, and nothing else\n";
        return 1;
    }
    const auto choice = ChoiceOf(parser, errors);
    const auto image = choice ? ImageOf(parser.value(kFlash), errors) : std::nullopt;
    if (!image) {
        return 1;
    }

    ConsoleFlashPrompts prompts(*choice, parser.isSet(kFixClock), errors);
    BoardFlasher flasher(prompts);
    flasher.setRemembering(false);
    std::optional<QSocketNotifier> interrupt;
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        interrupt.emplace(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(&*interrupt, &QSocketNotifier::activated, &flasher, [&flasher] {
            char byte = 0;
            while (::read(g_signalPipe[0], &byte, 1) > 0) {
            }
            flasher.cancel();
        });
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
    }
    QEventLoop loop;
    QObject::connect(&flasher, &BoardFlasher::finished, &loop, &QEventLoop::quit);
    if (flasher.flash({{QStringLiteral("firmware"), *image}})) {
        loop.exec();
    }
    errors.flush();
    return prompts.outcome() == FlashPrompts::Outcome::Flashed ? 0 : 1;
}

} // namespace corvane

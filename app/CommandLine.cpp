#include "app/CommandLine.h"

#include "app/FlashCommand.h"
#include "generator/GlyphTable.h"
#include "generator/SignFile.h"
#include "programfile/ProgramFile.h"
#include "programfile/ProgramLoading.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstring>

namespace corvane {

namespace {

constexpr const char* kFirmwareOption = "firmware";
constexpr const char* kWiringTestOption = "wiring-test";
constexpr const char* kWidthOption = "width";

int WriteFile(const QString& path, std::string_view bytes, QTextStream& errors)
{
    if (const auto failure = WriteProgramFile(path.toStdString(), bytes)) {
        errors << "corvane: " << QString::fromStdString(failure->path) << ": "
               << QString::fromStdString(failure->reason) << '\n';
        return 1;
    }
    return 0;
}

// The file's bytes, safely written; or why it cannot be.
int WriteFile(const QString& path, const SignFile& file, QTextStream& errors)
{
    if (!file.isWritable()) {
        errors << "corvane: " << QString::fromStdString(file.refusal) << '\n';
        return 1;
    }
    return WriteFile(path, file.bytes, errors);
}

} // namespace

void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Writes BASCOM-AVR programs that scroll messages on an LED sign board."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QString::fromLatin1(kFirmwareOption),
                      QCoreApplication::translate(
                          "main", "Builds the ATmega8 firmware of <program.bas> into <out.hex> "
                                  "(Intel HEX, for avrdude) without showing a window."),
                      QStringLiteral("out.hex")});
    parser.addOption(
        {QString::fromLatin1(kWiringTestOption),
         QCoreApplication::translate(
             "main", "Writes the wiring test for a board of --width columns into <out>: its "
                     "ATmega8 firmware for an <out> ending in .hex, its BASCOM-AVR program for one "
                     "ending in .bas. The board shows each latch, each row and each column alone, "
                     "then all its LEDs, then its width."),
         QStringLiteral("out")});
    parser.addOption({QString::fromLatin1(kWidthOption),
                      QCoreApplication::translate(
                          "main", "The board's width in LED columns for --wiring-test: 5 to 40, "
                                  "without 38."),
                      QStringLiteral("columns")});
    AddFlashOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("program"),
        QCoreApplication::translate("main", "A program Corvane wrote, to open for editing."),
        QStringLiteral("[program.bas]"));
}

bool RunsWithoutWindow(int argc, char** argv)
{
    static constexpr const char* kWindowless[] = {
        "--firmware", "--wiring-test", "--width", "-h",        "--help",
        "-?",         "--help-all",    "-v",      "--version", "--flash"};
    for (int index = 1; index < argc; ++index) {
        for (const char* option : kWindowless) {
            const std::size_t length = std::strlen(option);
            if (std::strncmp(argv[index], option, length) == 0 &&
                (argv[index][length] == '\0' || argv[index][length] == '=')) {
                return true;
            }
        }
    }
    return false;
}

int RunCommandLine(const QCommandLineParser& parser, QTextStream& errors)
{
    if (FlashRequested(parser)) {
        return RunFlashCommand(parser, errors);
    }
    const QStringList programs = parser.positionalArguments();
    const bool wiringTest = parser.isSet(QString::fromLatin1(kWiringTestOption));
    if (wiringTest || parser.isSet(QString::fromLatin1(kWidthOption))) {
        if (!wiringTest || !parser.isSet(QString::fromLatin1(kWidthOption))) {
            errors << "corvane: --wiring-test and --width go together\n";
            return 1;
        }
        if (!programs.isEmpty() || parser.isSet(QString::fromLatin1(kFirmwareOption))) {
            errors << "corvane: --wiring-test builds from the width alone, without a program\n";
            return 1;
        }
        return BuildWiringTestFile(parser.value(QString::fromLatin1(kWiringTestOption)),
                                   parser.value(QString::fromLatin1(kWidthOption)), errors);
    }
    if (parser.isSet(QString::fromLatin1(kFirmwareOption))) {
        if (programs.size() != 1) {
            errors << "corvane: --firmware needs exactly one program to build from\n";
            return 1;
        }
        return BuildFirmwareFile(parser.value(QString::fromLatin1(kFirmwareOption)),
                                 programs.front(), errors);
    }
    return 0;
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
        return 1;
    }
    const ProgramDocument& program = std::get<ProgramRead>(loaded).document;
    return WriteFile(hexPath, FirmwareHexFile(program.entries, program.board), errors);
}

int BuildWiringTestFile(const QString& outPath, const QString& width, QTextStream& errors)
{
    bool isNumber = false;
    const int columns = width.toInt(&isNumber);
    if (!isNumber || !Board::isListedWidth(columns)) {
        errors << "corvane: " << width
               << " is not a board width Corvane offers (5 to 40, without 38)\n";
        return 1;
    }
    const Board board = Board::ofWidth(std::to_string(columns));
    return WriteFile(outPath, WiringTestFile(outPath.toStdString(), board), errors);
}

} // namespace corvane

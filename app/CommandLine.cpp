#include "app/CommandLine.h"

#include "editor/ProgramLoading.h"
#include "generator/Firmware.h"
#include "generator/GlyphTable.h"
#include "generator/IntelHex.h"
#include "generator/ProgramFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstring>

namespace corvane {

namespace {

constexpr const char* kFirmwareOption = "firmware";

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
    parser.addPositionalArgument(
        QStringLiteral("program"),
        QCoreApplication::translate("main", "A program Corvane wrote, to open for editing."),
        QStringLiteral("[program.bas]"));
}

bool RunsWithoutWindow(int argc, char** argv)
{
    static constexpr const char* kWindowless[] = {"--firmware", "-h", "--help",   "-?",
                                                  "--help-all", "-v", "--version"};
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
    const QStringList programs = parser.positionalArguments();
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
    if (const auto* failure = std::get_if<QString>(&loaded)) {
        errors << "corvane: " << *failure << '\n';
        return 1;
    }
    const auto& program = std::get<ProgramDocument>(loaded);
    const FirmwareResult firmware = BuildFirmware(program.entries, program.board);
    if (const auto* tooLarge = std::get_if<FirmwareTooLarge>(&firmware)) {
        errors << "corvane: " << QString::fromStdString(tooLarge->reason()) << '\n';
        return 1;
    }
    const std::string hex = IntelHex(std::get<std::vector<std::uint8_t>>(firmware));
    if (const auto failure = WriteProgramFile(hexPath.toStdString(), hex)) {
        errors << "corvane: " << QString::fromStdString(failure->path) << ": "
               << QString::fromStdString(failure->reason) << '\n';
        return 1;
    }
    return 0;
}

} // namespace corvane

#include "programfile/SignFile.h"

#include "bascom/ProgramWriter.h"
#include "bascom/WiringTestProgram.h"
#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "flashimage/WiringTestFirmware.h"
#include "sign/WiringTest.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

SignFile HexOf(const FirmwareResult& firmware)
{
    if (const auto* tooLarge = std::get_if<FirmwareTooLarge>(&firmware)) {
        return {{}, tooLarge->reason()};
    }
    return {IntelHex(std::get<std::vector<std::uint8_t>>(firmware)), {}};
}

bool HasExtension(std::string_view fileName, std::string_view extension)
{
    return fileName.size() > extension.size() &&
           std::ranges::equal(
               fileName.substr(fileName.size() - extension.size()), extension,
               [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

} // namespace

SignFile FirmwareHexFile(std::span<const Message> entries, const Board& board, const Font& font,
                         std::uint8_t brightness)
{
    return HexOf(BuildFirmware(entries, board, font, brightness));
}

SignFile WiringTestFile(std::string_view fileName, const Board& board)
{
    if (HasExtension(fileName, ".bas")) {
        return {RenderWiringTestProgram(board), {}};
    }
    if (HasExtension(fileName, ".hex")) {
        return HexOf(WiringTestFirmware(board));
    }
    return {{}, "The wiring test is written as firmware (.hex) or as a BASCOM-AVR program (.bas)."};
}

SignFile MessagesFile(std::string_view fileName, std::span<const Message> entries,
                      const Board& board, const GlyphTable& glyphs, const Font& font,
                      std::uint8_t brightness)
{
    if (HasExtension(fileName, ".bas")) {
        return {RenderProgram(entries, board, glyphs, font), {}};
    }
    if (HasExtension(fileName, ".hex")) {
        return FirmwareHexFile(entries, board, font, brightness);
    }
    return {{}, "The messages are written as a BASCOM-AVR program (.bas) or as firmware (.hex)."};
}

} // namespace corvane

#pragma once

#include "flashimage/Firmware.h"
#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/GlyphTable.h"
#include "sign/Message.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// The bytes of a file for the sign, or why it cannot be written.
struct SignFile
{
    std::string bytes;
    std::string refusal; // empty when the bytes can be written

    bool isWritable() const { return refusal.empty(); }
};

// The messages' firmware as Intel HEX in the font, its board lit at
// `brightness` (1 to 8, kFullBrightness the brightest); refused when it does
// not fit the chip.
SignFile FirmwareHexFile(std::span<const Message> entries, const Board& board,
                         const Font& font = Font::builtIn(),
                         std::uint8_t brightness = kFullBrightness);

// The wiring test for the board, its form chosen by the file name's
// extension: ".hex" the firmware, ".bas" the BASCOM-AVR program (either case).
SignFile WiringTestFile(std::string_view fileName, const Board& board);

// The messages for the board, chosen likewise: ".bas" the program as Save
// writes it (RenderProgram), ".hex" the firmware as FirmwareHexFile gives it.
// The brightness is the firmware's; the program is not dimmed.
SignFile MessagesFile(std::string_view fileName, std::span<const Message> entries,
                      const Board& board, const GlyphTable& glyphs,
                      const Font& font = Font::builtIn(),
                      std::uint8_t brightness = kFullBrightness);

} // namespace corvane

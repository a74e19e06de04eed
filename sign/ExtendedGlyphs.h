#pragma once

#include "sign/GlyphTable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace corvane {

// A small drawing a user can start a glyph of their own from.
struct ReadyMadeSymbol
{
    std::string_view name;
    std::array<std::uint8_t, kGlyphColumnCount> columns;
};

// The glyph of a printable Windows-1252 character above 126, in the column
// layout of GlyphColumns. Codes below 128, and the codes Windows-1252 leaves
// without a character (127, 129, 141, 143, 144, 157), have none.
std::optional<std::array<std::uint8_t, kGlyphColumnCount>> ExtendedGlyph(unsigned char code);

// The ASCII letter an accented letter above 127 is drawn from: 'A' for "Ä",
// 'e' for "é", 'O' for "Ø", 'f' for "ƒ". Ligatures and letters of their own
// ("Æ", "Œ", "ß", "Þ") and every other code have none.
std::optional<unsigned char> BaseLetterOf(unsigned char code);

// Heart, arrows, smiley, bell, note, tick and a few more, each named.
std::span<const ReadyMadeSymbol> ReadyMadeSymbols();

} // namespace corvane

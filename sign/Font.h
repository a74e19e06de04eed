#pragma once

#include "sign/GlyphTable.h"

#include <array>
#include <cstdint>
#include <map>
#include <span>

namespace corvane {

// Five column bytes of a glyph, left to right; bit 0 the bottom row.
using GlyphColumnBytes = std::array<std::uint8_t, kGlyphColumnCount>;

// The glyphs a program draws differently from the built-in font, by code.
using DrawnGlyphs = std::map<unsigned char, GlyphColumnBytes>;

// The font a program shows: the built-in glyphs with the program's drawn ones
// in their place.
class Font final
{
public:
    Font() = default;
    // Keeps only the drawings of codes the font shows that differ from the
    // built-in glyph; the top bit of every byte is cleared.
    explicit Font(const DrawnGlyphs& drawn);

    static const Font& builtIn();

    std::span<const std::uint8_t, kGlyphColumnCount> columns(unsigned char code) const;
    bool isDrawn(unsigned char code) const { return m_drawn.contains(code); }
    const DrawnGlyphs& drawn() const { return m_drawn; }

    friend bool operator==(const Font&, const Font&) = default;

private:
    DrawnGlyphs m_drawn;
};

// Whether the glyph is the built-in one of the code.
bool IsBuiltInGlyph(unsigned char code, std::span<const std::uint8_t, kGlyphColumnCount> columns);

} // namespace corvane

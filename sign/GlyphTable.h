#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace corvane {

// The text a Data line carries for one glyph: five column bytes written as
// "&HXX" and joined by " , ", e.g. "&H00 , &H00 , &H79 , &H00 , &H00".
using GlyphText = std::string;

inline constexpr unsigned char kFirstGlyphCode = 32;
inline constexpr unsigned char kLastGlyphCode = 126;
inline constexpr std::size_t kGlyphColumnCount = 5;

// The characters the font shows: codes 32 to 126.
constexpr bool HasGlyph(unsigned char code)
{
    return code >= kFirstGlyphCode && code <= kLastGlyphCode;
}

// The built-in 5×7 font as Data-line texts. Entry k holds the glyph of code
// k + 32; entries 0 to 94 are set by FillGlyphTable, the rest stay empty.
class GlyphTable final
{
public:
    static constexpr std::size_t kEntryCount = 257;

    // Throws std::out_of_range for an index of 257 or more.
    const GlyphText& entry(std::size_t index) const { return m_entries.at(index); }
    bool isFilled() const { return !m_entries[kLastGlyphCode - kFirstGlyphCode].empty(); }

private:
    friend void FillGlyphTable(GlyphTable& table);

    std::array<GlyphText, kEntryCount> m_entries{};
};

void FillGlyphTable(GlyphTable& table);

// Codes 32 to 126 stand for themselves; every other code has no glyph and is
// drawn and written as "?", so each character yields exactly five glyph bytes.
constexpr unsigned char PrintableCode(unsigned char code)
{
    return HasGlyph(code) ? code : '?';
}

// The glyph text of PrintableCode(code); empty while the table is unfilled.
const GlyphText& LookupGlyph(const GlyphTable& table, unsigned char code);

// The five column bytes of PrintableCode(code), left to right; bit 0 is the
// bottom row, bit 6 the top row.
std::span<const std::uint8_t, kGlyphColumnCount> GlyphColumns(unsigned char code);

} // namespace corvane

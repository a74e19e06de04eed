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
inline constexpr unsigned char kLastGlyphCode = 126; // the last ASCII one
inline constexpr std::size_t kGlyphColumnCount = 5;

// Codes are Windows-1252. These of its codes above 126 have no character.
inline constexpr std::array<unsigned char, 6> kCodesWithoutCharacter = {0x7F, 0x81, 0x8D,
                                                                        0x8F, 0x90, 0x9D};

// The characters the font shows: every printable Windows-1252 character,
// codes 32 to 126 and 128 to 255 but those without a character.
constexpr bool HasGlyph(unsigned char code)
{
    if (code < kFirstGlyphCode) {
        return false;
    }
    for (const unsigned char none : kCodesWithoutCharacter) {
        if (code == none) {
            return false;
        }
    }
    return true;
}

// The built-in 5×7 font as Data-line texts. Entry k holds the glyph of code
// k + 32; FillGlyphTable sets those of the codes HasGlyph names (entries 0 to
// 223), the rest stay empty.
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

// The codes HasGlyph names stand for themselves; every other code has no
// glyph and is drawn and written as "?", so each character yields exactly five glyph bytes.
constexpr unsigned char PrintableCode(unsigned char code)
{
    return HasGlyph(code) ? code : '?';
}

// The glyph text of PrintableCode(code); empty while the table is unfilled.
const GlyphText& LookupGlyph(const GlyphTable& table, unsigned char code);

// The five column bytes of PrintableCode(code), left to right; bit 0 is the
// bottom row, bit 6 the top row.
std::span<const std::uint8_t, kGlyphColumnCount> GlyphColumns(unsigned char code);

// The Data-line text of five column bytes: "&H00 , &H00 , &H79 , &H00 , &H00".
GlyphText FormatGlyphText(std::span<const std::uint8_t, kGlyphColumnCount> columns);

} // namespace corvane

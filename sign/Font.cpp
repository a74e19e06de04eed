#include "sign/Font.h"

#include <algorithm>

namespace corvane {

bool IsBuiltInGlyph(unsigned char code, std::span<const std::uint8_t, kGlyphColumnCount> columns)
{
    return std::ranges::equal(GlyphColumns(code), columns);
}

Font::Font(const DrawnGlyphs& drawn)
{
    for (auto [code, columns] : drawn) {
        for (std::uint8_t& column : columns) {
            column &= 0x7F;
        }
        if (HasGlyph(code) && !IsBuiltInGlyph(code, columns)) {
            m_drawn.emplace(code, columns);
        }
    }
}

const Font& Font::builtIn()
{
    static const Font font;
    return font;
}

std::span<const std::uint8_t, kGlyphColumnCount> Font::columns(unsigned char code) const
{
    const unsigned char printable = PrintableCode(code);
    if (const auto found = m_drawn.find(printable); found != m_drawn.end()) {
        return found->second;
    }
    return GlyphColumns(printable);
}

} // namespace corvane

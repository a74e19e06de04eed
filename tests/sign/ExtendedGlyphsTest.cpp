#include "sign/ExtendedGlyphs.h"

#include "sign/GlyphTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace corvane {
namespace {

using Columns = std::array<std::uint8_t, kGlyphColumnCount>;

Columns AsciiGlyph(unsigned char code)
{
    Columns columns{};
    std::ranges::copy(GlyphColumns(code), columns.begin());
    return columns;
}

TEST(ExtendedGlyphs, EveryCharacterAbove126HasAGlyphOfItsOwnWithinSevenRows)
{
    constexpr std::array<unsigned char, 6> kNoCharacter = {127, 129, 141, 143, 144, 157};
    std::map<Columns, unsigned> drawnBy;
    for (unsigned code = 127; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const auto glyph = ExtendedGlyph(static_cast<unsigned char>(code));
        if (std::ranges::find(kNoCharacter, code) != kNoCharacter.end()) {
            EXPECT_FALSE(glyph.has_value());
            EXPECT_FALSE(HasGlyph(static_cast<unsigned char>(code)));
            continue;
        }
        ASSERT_TRUE(glyph.has_value());
        EXPECT_TRUE(HasGlyph(static_cast<unsigned char>(code)));
        EXPECT_TRUE(std::ranges::equal(GlyphColumns(static_cast<unsigned char>(code)), *glyph));
        EXPECT_TRUE(std::ranges::all_of(*glyph, [](std::uint8_t b) { return b <= 0x7F; }));
        EXPECT_NE(*glyph, AsciiGlyph('?'));
        if (const auto base = BaseLetterOf(static_cast<unsigned char>(code))) {
            EXPECT_TRUE(std::isalpha(*base));
            EXPECT_NE(*glyph, AsciiGlyph(*base)) << "looks like " << *base;
        }
        const auto [earlier, isNew] = drawnBy.emplace(*glyph, code);
        EXPECT_TRUE(isNew) << "looks like code " << earlier->second;
    }
}

TEST(ExtendedGlyphs, AccentedLettersNameTheirBaseLetter)
{
    struct Case
    {
        unsigned char code;
        std::optional<unsigned char> base;
    };
    const std::array<Case, 14> cases = {{
        {0xC0, 'A'},
        {0xC4, 'A'},
        {0xC7, 'C'},
        {0xD8, 'O'},
        {0xDD, 'Y'},
        {0xE9, 'e'},
        {0xFF, 'y'},
        {0x8A, 'S'},
        {0x9E, 'z'},
        {0x9F, 'Y'},
        {0xC6, std::nullopt},
        {0x8C, std::nullopt},
        {0xDF, std::nullopt},
        {'A', std::nullopt},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<unsigned>(c.code));
        EXPECT_EQ(BaseLetterOf(c.code), c.base);
    }
}

} // namespace
} // namespace corvane

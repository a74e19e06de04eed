#include "sign/Windows1252.h"

#include "sign/Font.h"
#include "sign/GlyphTable.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

TEST(Windows1252, EachCharacterTheFontShowsIsItsOwnByte)
{
    struct Case
    {
        const char* utf8;
        unsigned char code;
    };
    const std::array<Case, 12> cases = {{
        {"\xE2\x82\xAC", 0x80}, // €
        {"\xE2\x80\x9E", 0x84}, // „
        {"\xC5\xA0", 0x8A},     // Š
        {"\xE2\x80\x94", 0x97}, // —
        {"\xC5\xB8", 0x9F},     // Ÿ
        {"\xC2\xA0", 0xA0},     // no-break space
        {"\xC2\xB0", 0xB0},     // °
        {"\xC2\xBD", 0xBD},     // ½
        {"\xC3\x9F", 0xDF},     // ß
        {"\xC3\xBC", 0xFC},     // ü
        {"\xC3\xBF", 0xFF},     // ÿ
        {"~", 0x7E},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        const SignText text = ToSignText(c.utf8);
        EXPECT_TRUE(text.isWhole());
        EXPECT_EQ(text.bytes, std::string(1, static_cast<char>(c.code)));
        EXPECT_EQ(ToUtf8(text.bytes), c.utf8);
    }
    for (unsigned code = 0; code < 256; ++code) {
        const auto c = static_cast<unsigned char>(code);
        if (HasGlyph(c)) {
            EXPECT_EQ(ToSignText(CharacterUtf8(c)).bytes, std::string(1, static_cast<char>(c)))
                << code;
        }
    }
}

TEST(Windows1252, KeepsWhatTheSignShowsAndNamesEachOtherCharacterOnce)
{
    // "Grüße Ж😀\t中Ж" and U+0081, which Windows-1252 leaves without a character.
    const SignText text = ToSignText("Gr\xC3\xBC\xC3\x9F"
                                     "e \xD0\x96\xF0\x9F\x98\x80\t\xE4\xB8\xAD\xD0\x96\xC2\x81");
    EXPECT_EQ(text.bytes, "Gr\xFC\xDF"
                          "e ");
    const std::vector<std::string> leftOut = {"\xD0\x96", "\xF0\x9F\x98\x80", "\t", "\xE4\xB8\xAD",
                                              "\xC2\x81"};
    EXPECT_EQ(text.leftOut, leftOut);
    EXPECT_EQ(WhyNotShown("\xD0\x96"), "\xE2\x80\x9C\xD0\x96\xE2\x80\x9D (U+0416) is not a "
                                       "character the sign knows; it shows the Windows-1252 "
                                       "characters");
    EXPECT_EQ(WhyNotShown("\t"), "U+0009 is a control character the sign cannot show");
}

TEST(Font, DrawnGlyphsReplaceTheBuiltInOnesAndBuiltInDrawingsAreDropped)
{
    const GlyphColumnBytes heart = {0x38, 0x7C, 0x3E, 0x7C, 0x38};
    GlyphColumnBytes plainA{};
    std::ranges::copy(GlyphColumns('A'), plainA.begin());
    const Font font(DrawnGlyphs{{0xE9, heart}, {'A', plainA}, {0x81, heart}, {'B', {0xFF}}});
    EXPECT_TRUE(std::ranges::equal(font.columns(0xE9), heart));
    EXPECT_TRUE(std::ranges::equal(font.columns('B'), GlyphColumnBytes{0x7F}));
    EXPECT_FALSE(font.isDrawn('A'));
    EXPECT_FALSE(font.isDrawn(0x81));
    EXPECT_EQ(font.drawn().size(), 2U);
    EXPECT_EQ(font.columns(0xE8).data(), GlyphColumns(0xE8).data());
}

} // namespace
} // namespace corvane

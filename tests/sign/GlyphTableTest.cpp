#include "sign/GlyphTable.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

// The font as the board maker drew it, one entry per code from 32 to 126.
constexpr std::array<const char*, 95> kExpectedColumns = {
    "00 00 00 00 00", "00 00 79 00 00", "00 70 00 70 00",
    "14 7F 14 7F 14", "12 2A 7F 2A 24", // 32-36
    "62 64 08 13 23", "36 49 55 22 05", "00 50 60 00 00",
    "00 1C 22 41 00", "00 41 22 1C 00", // 37-41
    "14 08 3E 08 14", "08 08 3E 08 08", "00 05 06 00 00",
    "08 08 08 08 08", "00 03 03 00 00", // 42-46
    "02 04 08 10 20", "3E 41 41 41 3E", "00 21 7F 01 00",
    "21 43 45 49 31", "42 41 51 69 46", // 47-51
    "0C 14 24 7F 04", "72 51 51 51 4E", "1E 29 49 49 06",
    "40 47 48 50 60", "36 49 49 49 36", // 52-56
    "30 49 49 4A 3C", "00 36 36 00 00", "00 35 36 00 00",
    "08 14 22 41 00", "14 14 14 14 14", // 57-61
    "00 41 22 14 08", "20 40 45 48 30", "26 49 4F 41 3E",
    "3F 44 44 44 3F", "7F 49 49 49 36", // 62-66
    "3E 41 41 41 22", "7F 41 41 22 1C", "7F 49 49 49 41",
    "7F 48 48 48 40", "3E 41 49 49 2F", // 67-71
    "7F 08 08 08 7F", "00 41 7F 41 00", "02 01 41 7E 40",
    "7F 08 14 22 41", "7F 01 01 01 01", // 72-76
    "7F 20 18 20 7F", "7F 10 08 04 7F", "3E 41 41 41 3E",
    "7F 48 48 48 30", "3E 41 45 42 3D", // 77-81
    "7F 48 4C 4A 31", "31 49 49 49 46", "40 40 7F 40 40",
    "7E 01 01 01 7E", "7C 02 01 02 7C", // 82-86
    "7E 01 06 01 7E", "63 14 08 14 63", "70 08 07 08 70",
    "43 45 49 51 61", "00 7F 41 41 00", // 87-91
    "54 34 1F 34 54", "00 41 41 7F 00", "10 20 40 20 10",
    "01 01 01 01 01", "00 40 20 10 00", // 92-96
    "02 15 15 15 0F", "7F 09 11 11 0E", "0E 11 11 11 02",
    "0E 11 11 09 7F", "0E 15 15 15 0C", // 97-101
    "08 3F 48 40 20", "18 25 25 25 3E", "7F 08 10 10 0F",
    "00 11 5F 01 00", "02 01 11 5E 00", // 102-106
    "7F 04 0A 11 00", "00 41 7F 01 00", "1F 10 0C 10 0F",
    "1F 08 10 10 0F", "0E 11 11 11 0E", // 107-111
    "3F 28 28 28 10", "10 28 28 18 3F", "1F 08 10 10 08",
    "09 15 15 15 02", "10 7E 11 01 02", // 112-116
    "1E 01 01 02 1F", "1C 02 01 02 1C", "1E 01 06 01 1E",
    "11 0A 04 0A 11", "18 05 05 05 1E", // 117-121
    "11 13 15 19 11", "00 08 36 41 00", "00 00 7F 00 00",
    "00 41 36 08 00", "04 04 15 0E 04", // 122-126
};

std::string AsGlyphText(const std::string& columns)
{
    std::string text;
    for (std::size_t at = 0; at < columns.size(); at += 3) {
        text += (at == 0 ? "&H" : " , &H") + columns.substr(at, 2);
    }
    return text;
}

TEST(GlyphTable, EveryCodeFrom32To126HasItsGlyph)
{
    GlyphTable table;
    FillGlyphTable(table);
    for (unsigned code = 32; code <= 126; ++code) {
        SCOPED_TRACE(code);
        const std::string columns = kExpectedColumns[code - 32];
        EXPECT_EQ(LookupGlyph(table, static_cast<unsigned char>(code)), AsGlyphText(columns));
        EXPECT_EQ(&table.entry(code - 32), &LookupGlyph(table, static_cast<unsigned char>(code)));
        const auto bytes = GlyphColumns(static_cast<unsigned char>(code));
        for (std::size_t column = 0; column < bytes.size(); ++column) {
            EXPECT_EQ(bytes[column], std::stoi(columns.substr(3 * column, 2), nullptr, 16));
        }
    }
}

TEST(GlyphTable, IsEmptyUntilFilledAndKeepsEntriesWithoutCharacterEmpty)
{
    GlyphTable table;
    EXPECT_FALSE(table.isFilled());
    EXPECT_EQ(table.entry(0), "");
    FillGlyphTable(table);
    EXPECT_TRUE(table.isFilled());
    for (const unsigned code : {127U, 129U, 141U, 143U, 144U, 157U}) {
        EXPECT_EQ(table.entry(code - 32), "") << code;
    }
    for (std::size_t index = 256 - 32; index < GlyphTable::kEntryCount; ++index) {
        EXPECT_EQ(table.entry(index), "") << index;
    }
    EXPECT_THROW(static_cast<void>(table.entry(GlyphTable::kEntryCount)), std::out_of_range);
}

TEST(GlyphTable, CodesWithoutGlyphAreDrawnAsQuestionMark)
{
    GlyphTable table;
    FillGlyphTable(table);
    const GlyphText& question = LookupGlyph(table, '?');
    for (const unsigned code : {0U, 9U, 10U, 13U, 31U, 127U, 129U, 141U, 143U, 144U, 157U}) {
        SCOPED_TRACE(code);
        const auto c = static_cast<unsigned char>(code);
        EXPECT_EQ(PrintableCode(c), '?');
        EXPECT_EQ(LookupGlyph(table, c), question);
        EXPECT_EQ(GlyphColumns(c).data(), GlyphColumns('?').data());
    }
    EXPECT_EQ(PrintableCode(' '), ' ');
    EXPECT_EQ(PrintableCode('~'), '~');
}

} // namespace
} // namespace corvane

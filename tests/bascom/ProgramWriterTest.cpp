#include "bascom/ProgramWriter.h"

#include "bascom/MakerDetails.h"
#include "sign/ColumnTable.h"
#include "tests/bascom/BasicInterpreter.h"
#include "tests/sign/Entries.h"
#include "tests/sign/FilledGlyphs.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <tuple>

namespace corvane {
namespace {

using test::Entry;
using test::ParseDataTables;
using test::SplitLines;

const std::string kBlankLine = "Data &H00 , &H00 , &H00 , &H00 , &H00";

std::vector<std::string> Render(const std::vector<Message>& entries, const std::string& width,
                                int latches)
{
    return SplitLines(
        RenderProgram(entries, {width, static_cast<std::uint8_t>(latches)}, test::FilledGlyphs()));
}

std::vector<std::string> ExpectedBanner()
{
    const auto line = [](std::string text) {
        text.resize(45, ' ');
        return text + "*";
    };
    const std::string rule = "'" + std::string(45, '*');
    return {rule,
            line("'* This Program Writing By : " + std::string(maker::kName)),
            "'* The LED Signe Board                       *",
            "'* For to get more details visit :           *",
            line("'*" + std::string(17, ' ') + std::string(maker::kWebAddress)),
            line("'* Contact to me by : " + std::string(maker::kEmail)),
            line("'* Mobile : " + std::string(maker::kTelephone)),
            rule};
}

// The two-message example for a board of width 10, as printed after its banner;
// "@ART" stands for the six art lines.
constexpr std::string_view kWorkedExample = R"bas($regfile = "m8def.dat"
$crystal = 1000000

Config Portb = Output
Config Portc = Output
Config Portd = Output

Dim Scan As Byte
Dim I As Byte
Dim Refresh As Byte
Dim Index As Byte
Dim S As Byte
Dim M As Byte
Dim E As Byte
Dim A As Byte

Do


@ART
' +---------------------------+
' | Scrolling Text00 to Left  |
' +---------------------------+

 For S = 0 To 21
  E = S + 4
  For Refresh = 1 To 3
   Scan = &H01
   For I = S To E

    Portd = Lookup(i , Text00)
    Portb = 1
    Portb = 0

    A = I + 5
    Portd = Lookup(a , Text00)
    Portb = 2
    Portb = 0

    Portc = Scan
    Rotate Scan , Left , 1
    Waitms 5
    Portc = 0

   Next I
  Next Refresh
 Next S

@ART
' +---------------------------+
' | Scrolling Text01 to Up    |
' +---------------------------+

 For S = 0 To 6
  M = 15
  If S = 0 Then M = 35
  For Refresh = 1 To M
   Scan = &H01
   For I = 0 To 4

    Portd = Lookup(i , Text01)
    Shift Portd , Left , S
    Portb = 1
    Portb = 0

    A = I + 5
    Portd = Lookup(a , Text01)
    Shift Portd , Left , S
    Portb = 2
    Portb = 0

    Portc = Scan
    Rotate Scan , Left , 1
    Waitms 5
    Portc = 0

   Next I
  Next Refresh
 Next S

Loop
End 'end program

Text00:
Data &H00 , &H00 , &H00 , &H00 , &H00
Data &H00 , &H00 , &H00 , &H00 , &H00
Data &H7F , &H08 , &H08 , &H08 , &H7F , &H00  'H
Data &H00 , &H41 , &H7F , &H41 , &H00 , &H00  'I
Data &H00 , &H00 , &H00 , &H00 , &H00
Data &H00 , &H00 , &H00 , &H00 , &H00
Text01:
Data &H3F , &H44 , &H44 , &H44 , &H3F , &H00  'A
)bas";

TEST(ProgramWriter, WritesTheWorkedExampleByteForByte)
{
    std::string expected;
    for (const std::string& line : ExpectedBanner()) {
        expected += line + "\r\n";
    }
    for (const std::string& line :
         SplitLines(test::ReplaceAll(std::string(kWorkedExample), "\n", "\r\n"))) {
        if (line != "@ART") {
            expected += line + "\r\n";
            continue;
        }
        for (const std::string_view art : maker::kArtLines) {
            expected += std::string(art) + "\r\n";
        }
    }
    // A one-letter Up message on two latches gets one blank-column line so its block
    // never reads past the table.
    expected += kBlankLine + "\r\n";

    const std::vector<Message> entries = {Entry("HI", ScrollDirection::Left, 7),
                                          Entry("A", ScrollDirection::Up, 5)};
    const std::string file = RenderProgram(entries, {"10", 2}, test::FilledGlyphs());
    EXPECT_EQ(file, expected);
    EXPECT_EQ(SplitLines(file).size(), 111U);
}

TEST(ProgramWriter, BannerAndArtFollowTheirColumnRules)
{
    const auto lines =
        Render({Entry("X", ScrollDirection::Left), Entry("Y", ScrollDirection::Down)}, "20", 4);
    const auto banner = ExpectedBanner();
    ASSERT_GE(lines.size(), 8U);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(lines[i], banner[i]);
        EXPECT_EQ(lines[i].size(), 46U);
        EXPECT_TRUE(lines[i].starts_with("'*") && lines[i].ends_with("*"));
    }
    EXPECT_EQ(lines[4].find(maker::kWebAddress), 19U); // column 20

    std::size_t artBlocks = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != maker::kArtLines[0]) {
            continue;
        }
        ++artBlocks;
        for (std::size_t k = 0; k < 6; ++k) {
            const std::string& art = lines[i + k];
            EXPECT_EQ(art, maker::kArtLines[k]);
            EXPECT_EQ(art.size(), k == 0 ? 106U : 107U);
            EXPECT_TRUE(art.starts_with("'") && !art.ends_with(" "));
            EXPECT_EQ(art.find_first_not_of("_|/\\ ", 1), std::string::npos) << art;
        }
        EXPECT_EQ(lines[i + 6], "' +---------------------------+");
    }
    EXPECT_EQ(artBlocks, 2U);
}

TEST(ProgramWriter, PlaceholderMessageEndsItsDataLineWithTheSpace)
{
    const auto lines = Render({Entry(" ", ScrollDirection::Up)}, "5", 1);
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[lines.size() - 2], "Text00:");
    EXPECT_EQ(lines.back(), "Data &H00 , &H00 , &H00 , &H00 , &H00 , &H00  ' ");
}

TEST(ProgramWriter, LabelsKeepTwoDigitsAndTheTitleGrowsFrom100)
{
    std::vector<Message> entries(256, Entry("ab", ScrollDirection::Right));
    const auto lines = Render(entries, "20", 4);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const char* title :
         {"' | Scrolling Text00 to Right |", "' | Scrolling Text09 to Right |"}) {
        EXPECT_TRUE(has(title)) << title;
        EXPECT_EQ(std::string(title).size(), 31U);
    }
    EXPECT_TRUE(has("' | Scrolling Text100 to Right |"));
    EXPECT_TRUE(has("' | Scrolling Text255 to Right |"));
    EXPECT_TRUE(has("    Portd = Lookup(a , Text100)"));
    EXPECT_EQ(ParseDataTables(lines).back().label, "Text255");
}

TEST(ProgramWriter, SpeedWidthAndTheGuardedSettingsReachTheBlock)
{
    const auto lines = Render({Entry("abc", ScrollDirection::Left, 9),
                               Entry("abc", ScrollDirection::Left, 0),
                               {"abc", ScrollDirection(7), 12}},
                              "18", 4);
    std::vector<std::string> heads;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(heads), [](const std::string& l) {
        return l.starts_with(" For S") || l.starts_with("  For Refresh") ||
               l.starts_with("' | Scrolling");
    });
    // Width "18" gives 18 + 6 × 3 − 1, not 5 × LatchCount; a direction outside 0 to 3
    // is written as Left and a speed above 9 as 9.
    EXPECT_EQ(heads,
              (std::vector<std::string>{"' | Scrolling Text00 to Left  |", " For S = 0 To 35",
                                        "  For Refresh = 1 To 1", "' | Scrolling Text01 to Left  |",
                                        " For S = 0 To 35", "  For Refresh = 1 To 10",
                                        "' | Scrolling Text02 to Left  |", " For S = 0 To 35",
                                        "  For Refresh = 1 To 1"}));
}

TEST(ProgramWriter, CharactersWithoutGlyphAreWrittenAsQuestionMarks)
{
    const auto lines =
        Render({Entry(std::string("A\x01\x7F\x81\t\r\n~", 8), ScrollDirection::Up)}, "5", 1);
    const std::string question = "Data " + LookupGlyph(test::FilledGlyphs(), '?') + " , &H00  '?";
    const std::vector<std::string> expected = {"Text00:",
                                               "Data " + LookupGlyph(test::FilledGlyphs(), 'A') +
                                                   " , &H00  'A",
                                               question,
                                               question,
                                               question,
                                               question,
                                               question,
                                               question,
                                               "Data &H04 , &H04 , &H15 , &H0E , &H04 , &H00  '~"};
    EXPECT_EQ(std::vector<std::string>(lines.end() - 9, lines.end()), expected);
}

TEST(ProgramWriter, RequiresAFilledGlyphTable)
{
    const std::vector<Message> entries = {Entry("A", ScrollDirection::Left)};
    EXPECT_THROW(RenderProgram(entries, {"5", 1}, GlyphTable{}), std::invalid_argument);
}

// Blank-column lines of one data table: {before the characters, after them}.
std::pair<int, int> BlankLinesAround(const std::vector<std::string>& lines,
                                     const std::string& label)
{
    auto line = std::find(lines.begin(), lines.end(), label) + 1;
    std::pair<int, int> blanks;
    for (; line != lines.end() && *line == kBlankLine; ++line) {
        ++blanks.first;
    }
    for (; line != lines.end() && line->starts_with("Data ") && *line != kBlankLine; ++line) {
    }
    for (; line != lines.end() && *line == kBlankLine; ++line) {
        ++blanks.second;
    }
    return blanks;
}

class ShortVerticalTable : public ::testing::TestWithParam<std::tuple<int, int, int>>
{};

TEST_P(ShortVerticalTable, IsPaddedToTheColumnsItsBlockReads)
{
    const auto [latches, length, padding] = GetParam();
    const std::string text(static_cast<std::size_t>(length), 'W');
    const std::vector<Message> entries = {
        Entry(text, ScrollDirection::Up), Entry(text, ScrollDirection::Down),
        Entry(text, ScrollDirection::Left), Entry(text, ScrollDirection::Right)};
    const auto lines = Render(entries, std::to_string(5 * latches), latches);
    EXPECT_EQ(BlankLinesAround(lines, "Text00:"), std::pair(0, padding));
    EXPECT_EQ(BlankLinesAround(lines, "Text01:"), std::pair(0, padding));
    EXPECT_EQ(BlankLinesAround(lines, "Text02:"), std::pair(latches, latches));
    EXPECT_EQ(BlankLinesAround(lines, "Text03:"), std::pair(latches, latches));
    for (const auto& table : ParseDataTables(lines)) {
        EXPECT_GE(table.bytes.size(), 5U * latches) << table.label;
    }
}

// {LatchCount, characters, blank lines appended}: 6 × n against 5 × LatchCount.
INSTANTIATE_TEST_SUITE_P(LatchesAndLengths, ShortVerticalTable,
                         ::testing::Values(std::tuple{1, 1, 0}, std::tuple{2, 1, 1},
                                           std::tuple{2, 2, 0}, std::tuple{3, 2, 1},
                                           std::tuple{5, 4, 1}, std::tuple{7, 5, 1},
                                           std::tuple{7, 6, 0}, std::tuple{8, 1, 7},
                                           std::tuple{8, 6, 1}, std::tuple{8, 7, 0}));

class CounterWidth
    : public ::testing::TestWithParam<std::tuple<const char*, int, ScrollDirection, int, bool>>
{};

TEST_P(CounterWidth, GrowsToWordOnlyWhenALookupIndexPasses255)
{
    const auto [width, latches, direction, length, word] = GetParam();
    const auto lines =
        Render({Entry("Hi", ScrollDirection::Up), Entry(std::string(length, 'x'), direction)},
               width, latches);
    for (const char* name : {"S", "I", "M", "E", "A"}) {
        const std::string dim = std::string("Dim ") + name + (word ? " As Word" : " As Byte");
        EXPECT_NE(std::find(lines.begin(), lines.begin() + 30, dim), lines.begin() + 30) << dim;
    }
    for (const char* dim : {"Dim Scan As Byte", "Dim Refresh As Byte", "Dim Index As Byte"}) {
        EXPECT_NE(std::find(lines.begin(), lines.begin() + 30, dim), lines.begin() + 30) << dim;
    }
}

// Largest Lookup index: width + 6 × length + 5 × LatchCount − 2.
INSTANTIATE_TEST_SUITE_P(
    AroundTheByteLimit, CounterWidth,
    ::testing::Values(std::tuple{"40", 8, ScrollDirection::Left, 29, false},  // 252
                      std::tuple{"40", 8, ScrollDirection::Left, 30, true},   // 258
                      std::tuple{"37", 8, ScrollDirection::Right, 30, false}, // 255
                      std::tuple{"37", 8, ScrollDirection::Right, 31, true},  // 261
                      std::tuple{"5", 1, ScrollDirection::Left, 41, false},   // 254
                      std::tuple{"5", 1, ScrollDirection::Right, 42, true},   // 260
                      std::tuple{"40", 8, ScrollDirection::Up, 256, false},
                      std::tuple{"40", 8, ScrollDirection::Down, 256, false}));

// The &Hxx items on the Data lines of each table, read from the file alone.
std::vector<std::size_t> DataItemsPerTable(const std::vector<std::string>& lines)
{
    std::vector<std::size_t> counts;
    for (const std::string& line : lines) {
        if (line.starts_with("Text") && line.ends_with(':')) {
            counts.push_back(0);
        } else if (line.starts_with("Data ") && !counts.empty()) {
            // Items are "&Hxx" separated by " , ", before any comment.
            const std::string_view values = std::string_view(line).substr(5, line.find('\'') - 5);
            std::size_t items = 0;
            for (std::size_t at = 0; at < values.size(); at += 7) {
                const std::string_view itemText = values.substr(at, 4);
                EXPECT_TRUE(itemText.size() == 4 && itemText.starts_with("&H") &&
                            std::isxdigit(static_cast<unsigned char>(itemText[2])) &&
                            std::isxdigit(static_cast<unsigned char>(itemText[3])))
                    << line;
                ++items;
            }
            counts.back() += items;
        }
    }
    return counts;
}

// The table sizes are the bytes the file's Data lines hold, for every
// direction, short vertical tables with their padding, long ones without.
TEST(ProgramWriter, TableSizesAreTheBytesOfTheDataLines)
{
    for (const int latches : {1, 4, 8}) {
        std::vector<Message> entries;
        for (const auto direction : {ScrollDirection::Left, ScrollDirection::Right,
                                     ScrollDirection::Up, ScrollDirection::Down}) {
            for (const std::string& text :
                 {std::string("I"), std::string("H&I"), std::string(7, 'W'), std::string(256, 'x'),
                  std::string("\x01\xff")}) {
                entries.push_back(Entry(text, direction));
            }
        }
        const auto latchCount = static_cast<std::uint8_t>(latches);
        const auto counts =
            DataItemsPerTable(Render(entries, std::to_string(5 * latches), latches));
        ASSERT_EQ(counts.size(), entries.size());
        std::size_t total = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(ColumnTableSize(entries[i], latchCount), counts[i])
                << "Text" << LabelNumber(i) << " with " << latches << " latches";
            total += counts[i];
        }
        EXPECT_EQ(ColumnTablesSize(entries, latchCount), total);
    }
    // "I" going Up on "40" reads 40 columns: six of its own and seven blank lines.
    EXPECT_EQ(ColumnTableSize(Entry("I", ScrollDirection::Up), 8), 41U);
    EXPECT_EQ(ColumnTableSize(Entry("I", ScrollDirection::Left), 8), 86U);
    EXPECT_EQ(ColumnTablesSize({}, 8), 0U);
}

// Every file, whatever its messages: CR LF line ends only, printable ASCII
// text but the comment byte that ends a character line, a printable
// Windows-1252 character,
// six-byte character lines and matching labels between blocks and tables.
TEST(ProgramWriter, RandomListsKeepTheFileRules)
{
    std::mt19937 random(20240607);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    for (int round = 0; round < 24; ++round) {
        const bool largest = round == 0;
        std::vector<Message> entries(largest ? 256 : static_cast<std::size_t>(pick(1, 256)));
        for (Message& entry : entries) {
            entry.text.resize(largest ? 256 : static_cast<std::size_t>(pick(1, 256)));
            for (char& c : entry.text) {
                c = static_cast<char>(pick(0, 9) == 0 ? pick(0, 255) : pick(32, 126));
            }
            entry.direction = static_cast<ScrollDirection>(pick(0, 3));
            entry.speed = pick(0, 9);
        }
        int width = pick(5, 39);
        width += width == 38 ? 1 : 0;
        const int latches = (width + 4) / 5;
        SCOPED_TRACE(::testing::Message() << "round " << round << ", width " << width);

        const std::string file =
            RenderProgram(entries, {std::to_string(width), static_cast<std::uint8_t>(latches)},
                          test::FilledGlyphs());
        ASSERT_TRUE(file.ends_with("\r\n") && !file.ends_with("\r\n\r\n"));
        for (std::size_t i = 0; i < file.size(); ++i) {
            const auto c = static_cast<unsigned char>(file[i]);
            const bool lineEnd = (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ||
                                 (c == '\n' && i > 0 && file[i - 1] == '\r');
            const bool comment = i > 0 && file[i - 1] == '\'' && i + 1 < file.size() &&
                                 file[i + 1] == '\r' && HasGlyph(c);
            ASSERT_TRUE(lineEnd || comment || (c >= 32 && c <= 126))
                << "byte " << int{c} << " at " << i;
        }

        const auto lines = SplitLines(file);
        std::vector<std::string> blockLabels;
        const std::string lookupI = "    Portd = Lookup(i , ";
        const std::string lookupA = "    Portd = Lookup(a , ";
        for (const std::string& line : lines) {
            if (line.starts_with("' | Scrolling ")) {
                blockLabels.push_back(line.substr(14, line.find(' ', 14) - 14));
            } else if (line.starts_with(lookupI) || line.starts_with(lookupA)) {
                ASSERT_EQ(line,
                          lookupI.substr(0, 19) + line[19] + " , " + blockLabels.back() + ")");
            } else if (line.starts_with("Data ") && line != kBlankLine) {
                // Five glyph bytes, the gap byte and the comment character.
                ASSERT_EQ(line.size(), 48U) << line;
                ASSERT_EQ(line.substr(37, 10), " , &H00  '") << line;
            }
        }
        const auto tables = ParseDataTables(lines);
        ASSERT_EQ(blockLabels.size(), entries.size());
        ASSERT_EQ(tables.size(), entries.size());
        bool needsWord = false;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            ASSERT_EQ(blockLabels[i], "Text" + LabelNumber(i));
            ASSERT_EQ(tables[i].label, blockLabels[i]);
            ASSERT_EQ(tables[i].bytes,
                      ColumnTableBytes(entries[i], static_cast<std::uint8_t>(latches)));
            const int length = static_cast<int>(entries[i].text.size());
            needsWord = needsWord || (!IsVertical(entries[i].direction) &&
                                      width + 6 * length + 5 * latches - 2 > 255);
        }
        ASSERT_EQ(lines[8 + 11], needsWord ? "Dim S As Word" : "Dim S As Byte");
    }
}

} // namespace
} // namespace corvane

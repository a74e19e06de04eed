#include "bascom/ProgramReader.h"

#include "bascom/ProgramWriter.h"
#include "bascom/WiringTestProgram.h"
#include "sign/ColumnTable.h"
#include "tests/bascom/BasicInterpreter.h"
#include "tests/sign/Entries.h"
#include "tests/sign/FilledGlyphs.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <random>

namespace corvane {
namespace {

using test::Entry;
using test::SplitLines;

std::string Render(const std::vector<Message>& entries, const Board& board)
{
    return RenderProgram(entries, board, test::FilledGlyphs());
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string file;
    for (const std::string& line : lines) {
        file += line + "\r\n";
    }
    return file;
}

std::string Replaced(std::string_view text, std::string_view from, std::string_view to)
{
    std::string replaced;
    std::size_t start = 0;
    for (auto at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        replaced.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    return replaced.append(text.substr(start));
}

// Reads a file that must be accepted.
ProgramRead Read(std::string_view file)
{
    ReadResult result = ReadProgram(file, test::FilledGlyphs());
    if (const auto* failure = std::get_if<ReadFailure>(&result)) {
        ADD_FAILURE() << "refused at line " << failure->line << ": " << failure->reason;
        return {};
    }
    return std::get<ProgramRead>(std::move(result));
}

std::vector<int> ListedWidths()
{
    std::vector<int> widths;
    for (int width = 5; width <= 40; ++width) {
        if (width != 38) {
            widths.push_back(width);
        }
    }
    return widths;
}

Message RandomEntry(std::mt19937& random, bool verticalOnly)
{
    // Half the messages are short, so that vertical tables get padded.
    const int longest = std::bernoulli_distribution(0.5)(random) ? 8 : 256;
    std::string text(std::uniform_int_distribution<std::size_t>(1, longest)(random), ' ');
    for (char& character : text) {
        character = static_cast<char>(std::uniform_int_distribution<int>(32, 126)(random));
    }
    const int direction = verticalOnly ? std::uniform_int_distribution<int>(2, 3)(random)
                                       : std::uniform_int_distribution<int>(0, 3)(random);
    return {std::move(text), ScrollDirection(direction),
            std::uniform_int_distribution<int>(0, 9)(random)};
}

// The file without the blank lines that pad its short vertical tables, as
// writers before the padding wrote it.
std::string WithoutPadding(const std::string& file, const std::vector<Message>& entries)
{
    std::vector<std::string> kept;
    std::size_t table = 0;
    bool vertical = false;
    for (std::string& line : SplitLines(file)) {
        if (line.starts_with("Text") && line.ends_with(':')) {
            vertical = IsVertical(entries.at(table++).direction);
        }
        if (!(vertical && line == "Data &H00 , &H00 , &H00 , &H00 , &H00")) {
            kept.push_back(std::move(line));
        }
    }
    return Join(kept);
}

// Every list reads back as itself on its board, an all-vertical list on the
// board of five columns per latch; what is read renders the same bytes. The
// forms other writers leave read the same, counted as not written so: LF line
// ends, a final empty line, a UTF-8 byte order mark, unpadded vertical tables.
TEST(ProgramReaderTest, RandomListsRoundTrip)
{
    std::mt19937 random(20240611);
    std::vector<std::pair<std::vector<Message>, Board>> cases;
    for (const int width : ListedWidths()) {
        for (int round = 0; round < 4; ++round) {
            const bool verticalOnly = round == 0;
            std::vector<Message> entries(std::uniform_int_distribution<int>(1, 6)(random));
            for (Message& entry : entries) {
                entry = RandomEntry(random, verticalOnly);
            }
            cases.emplace_back(std::move(entries), Board::ofWidth(std::to_string(width)));
        }
    }
    std::vector<Message> fullList(256);
    for (Message& entry : fullList) {
        entry = RandomEntry(random, false);
    }
    fullList.back().text.resize(256, 'M');
    cases.emplace_back(std::move(fullList), Board::ofWidth("40"));

    int wordCounterFiles = 0;
    int paddedVerticalTables = 0;
    int unpaddedFiles = 0;
    for (const auto& [entries, board] : cases) {
        const std::string file = Render(entries, board);
        bool vertical = true;
        for (const Message& entry : entries) {
            const ScrollDirection direction = entry.direction;
            const bool entryVertical = IsVertical(direction);
            vertical = vertical && entryVertical;
            paddedVerticalTables +=
                entryVertical &&
                BlankLinesOf(direction, entry.text.size(), board.latchCount).trailing > 0;
        }
        wordCounterFiles += file.find("Dim I As Word") != std::string::npos;
        const Board expectedBoard =
            vertical ? Board::ofWidth(std::to_string(5 * board.latchCount)) : board;
        SCOPED_TRACE("width " + board.widthText + ", " + std::to_string(entries.size()) +
                     " messages");

        const ProgramRead read = Read(file);
        const ProgramDocument& document = read.document;
        EXPECT_EQ(document.entries, entries);
        EXPECT_EQ(document.board, expectedBoard);
        EXPECT_TRUE(read.asWritten);
        EXPECT_EQ(Render(document.entries, document.board), file);
        const std::string lfOnly = Replaced(file, "\r\n", "\n");
        const std::string unpadded = WithoutPadding(file, entries);
        unpaddedFiles += unpadded != file;
        // As older writers declared the counters, whatever the tables need.
        const std::string byteCounters = Replaced(file, " As Word", " As Byte");
        for (const std::string& variant :
             {lfOnly, file + "\r\n", lfOnly + "\n", "\xEF\xBB\xBF" + file, unpadded,
              "\xEF\xBB\xBF" + Replaced(unpadded, "\r\n", "\n"), byteCounters}) {
            if (variant == file) {
                continue;
            }
            const ProgramRead again = Read(variant);
            EXPECT_EQ(again.document, document);
            EXPECT_FALSE(again.asWritten);
        }
    }
    // The lists reach both counter declarations and padded vertical tables.
    EXPECT_GT(wordCounterFiles, 0);
    EXPECT_GT(paddedVerticalTables, 0);
    EXPECT_GT(unpaddedFiles, 0);
}

// Accented letters, signs and drawn glyphs (one of them on an ASCII letter)
// come back from the comments and Data lines, and write the same bytes again.
TEST(ProgramReaderTest, AccentedTextAndDrawnGlyphsRoundTrip)
{
    // "Grüße 25 °C, 5 € — ½ Preis" in Windows-1252.
    const std::string text = "Gr\xFC\xDF"
                             "e 25 \xB0"
                             "C, 5 \x80 \x97 \xBD Preis";
    ProgramDocument document{
        .entries = {Entry(text, ScrollDirection::Left, 4),
                    Entry("\xC4\xFCP", ScrollDirection::Up, 9)},
        .board = Board::ofWidth("20"),
        .glyphs = {{0xFC, {0x38, 0x7C, 0x3E, 0x7C, 0x38}}, {'P', {0x7F, 0x7F, 0x00, 0x7F, 0x7F}}},
    };
    const std::string file =
        RenderProgram(document.entries, document.board, test::FilledGlyphs(), document.font());
    const auto lines = SplitLines(file);
    EXPECT_NE(std::ranges::find(lines, "Data &H38 , &H7C , &H3E , &H7C , &H38 , &H00  '\xFC"),
              lines.end());
    EXPECT_NE(std::ranges::find(lines, "Data " + LookupGlyph(test::FilledGlyphs(), 0x80) +
                                           " , &H00  '\x80"),
              lines.end());
    const ProgramRead read = Read(file);
    EXPECT_EQ(read.document, document);
    EXPECT_TRUE(read.asWritten);
    EXPECT_EQ(RenderProgram(read.document.entries, read.document.board, test::FilledGlyphs(),
                            read.document.font()),
              file);
}

struct RefusalCase
{
    std::string name;
    std::function<std::string()> file;
    std::size_t line;
    std::string reason; // a part of the reason
};

// A Left "HI" (speed 7) and an Up "AB" (speed 5) on width "10": 111 lines.
// Line 35 is the first title, 38 to 61 the Left block (44 and 49 its Lookup
// lines, 53 "    Portc = Scan"), 69 the second title, 72 to 98 the Up block,
// 99 "Loop", 102 "Text00:", 103 and 104 its blank lines, 105 "H", 106 "I",
// 107 and 108 blank lines, 109 "Text01:", 110 "A", 111 "B".
std::vector<std::string> TwoMessageLines()
{
    return SplitLines(
        Render({Entry("HI", ScrollDirection::Left, 7), Entry("AB", ScrollDirection::Up, 5)},
               Board::ofWidth("10")));
}

std::string TwoMessagesWith(const std::function<void(std::vector<std::string>&)>& change)
{
    std::vector<std::string> lines = TwoMessageLines();
    change(lines);
    return Join(lines);
}

std::string SetLine(std::size_t number, std::string text)
{
    return TwoMessagesWith([&](auto& lines) { lines.at(number - 1) = text; });
}

// 256 one-letter Up messages, then a 257th block spliced in before "Loop".
std::string TooManyMessages()
{
    std::vector<Message> entries(256, Entry("A", ScrollDirection::Up, 5));
    std::vector<std::string> lines = SplitLines(Render(entries, Board::ofWidth("10")));
    const auto loop = std::find(lines.begin(), lines.end(), "Loop");
    const auto title = std::find(lines.begin(), lines.end(), "' | Scrolling Text255 to Up    |");
    std::vector<std::string> block(title - 7, loop);
    block[7] = "' | Scrolling Text256 to Up    |";
    lines.insert(loop, block.begin(), block.end());
    return Join(lines);
}

// A Left message whose table needs word counters on width 40.
std::string WordCounterProgram()
{
    return Render({Entry(std::string(45, '#'), ScrollDirection::Left, 4)}, Board::ofWidth("40"));
}

const std::vector<RefusalCase>& RefusalCases()
{
    static const std::vector<RefusalCase> cases = {
        {"AnotherBasicProgram",
         [] { return std::string("$regfile = \"m8def.dat\"\r\nDo\r\nLoop\r\nEnd\r\n"); }, 1,
         "banner"},
        {"EmptyFile", [] { return std::string(); }, 1, "the file ends here"},
        {"BinaryGarbage",
         [] {
             std::mt19937 random(7);
             std::string bytes(4096, '\0');
             for (char& byte : bytes) {
                 byte = static_cast<char>(random());
             }
             return bytes;
         },
         1, "banner"},
        {"CutShortInsideABlock",
         [] {
             std::string file = TwoMessagesWith([](auto& lines) {
                 lines.resize(50);
                 lines.back().resize(5);
             });
             file.resize(file.size() - 2);
             return file;
         },
         51, "the file ends here; expected \"    Portc = Scan\""},
        {"CutShortInsideATable",
         [] { return TwoMessagesWith([](auto& lines) { lines.resize(106); }); }, 107,
         "the file ends here; expected \"Data &H00 , &H00 , &H00 , &H00 , &H00\""},
        {"DataLineWithFiveBytes",
         [] { return SetLine(105, "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H"); }, 105,
         "six bytes"},
        {"TitleLabelOutOfOrder", [] { return SetLine(69, "' | Scrolling Text02 to Up    |"); }, 69,
         "title box of Text01"},
        {"TableLabelOutOfOrder", [] { return SetLine(109, "Text02:"); }, 109, "\"Text01:\""},
        {"CommentOutsidePrintableCodes",
         [] { return SetLine(105, "Data &H7F , &H08 , &H08 , &H08 , &H7F , &H00  '\x81"); }, 105,
         "in the comment, found 129"},
        {"OneCharacterDrawnTwoWays",
         [] { return SetLine(111, "Data &H7F , &H08 , &H08 , &H08 , &H7F , &H00  'A"); }, 111,
         "\"A\" (code 65) is drawn here differently from line 110"},
        {"GlyphByteWithTheTopBit",
         [] { return SetLine(105, "Data &H80 , &H08 , &H08 , &H08 , &H7F , &H00  'H"); }, 105,
         "from &H00 to &H7F"},
        {"MessageLongerThan256",
         [] {
             const std::string line = "Data &H7E , &H01 , &H06 , &H01 , &H7E , &H00  'W";
             return Render({Entry(std::string(256, 'W'), ScrollDirection::Up, 5)},
                           Board::ofWidth("5")) +
                    line + "\r\n";
         },
         8 + 19 + 10 + 21 + 3 + 1 + 256 + 1, "at most 256 characters"},
        {"MoreThan256Messages", TooManyMessages, 8 + 19 + 256 * (10 + 27) + 8,
         "at most 256 messages"},
        {"TitleAndBlockDisagree", [] { return SetLine(35, "' | Scrolling Text00 to Right |"); }, 39,
         "the title box says Right"},
        {"UpBlockShiftingDown", [] { return SetLine(80, "    Shift Portd , Right , S"); }, 80,
         "the title box says Up"},
        {"BlocksWithDifferentLatchCounts",
         [] {
             return TwoMessagesWith(
                 [](auto& lines) { lines.erase(lines.begin() + 83, lines.begin() + 89); });
         },
         84, "2 latch parts"},
        {"WidthOffTheList",
         [] {
             std::vector<std::string> lines =
                 SplitLines(Render({Entry("HI", ScrollDirection::Left, 7)}, Board::ofWidth("40")));
             lines.at(37) = " For S = 0 To 49";
             return Join(lines);
         },
         38, "it gives the width 38"},
        {"WidthOfOtherLatchCount", [] { return SetLine(38, " For S = 0 To 31"); }, 38,
         "needs 2 latches in the end value (width + 6 per character - 1); it gives the width 20"},
        {"WidthsDisagree",
         [] {
             std::vector<std::string> lines = SplitLines(Render(
                 {Entry("HI", ScrollDirection::Left, 7), Entry("HI", ScrollDirection::Left, 7)},
                 Board::ofWidth("10")));
             lines.at(71) = " For S = 0 To 20";
             return Join(lines);
         },
         72, "\" For S = 0 To 21\" for the width 10"},
        {"RefreshCountAboveTen", [] { return SetLine(40, "  For Refresh = 1 To 11"); }, 40,
         "1 to 10"},
        {"RefreshCountOfZero", [] { return SetLine(40, "  For Refresh = 1 To 0"); }, 40,
         "expected a refresh count from 1 to 10 (10 minus the speed)"},
        {"VerticalRefreshCountOfZero", [] { return SetLine(73, "  M = 0"); }, 73,
         "three times a refresh count from 1 to 10: the title box says Up"},
        {"NoTitleBoxBeforeLoop",
         [] {
             return TwoMessagesWith(
                 [](auto& lines) { lines.erase(lines.begin() + 27, lines.begin() + 98); });
         },
         28, "expected the title box of Text00 before \"Loop\""},
        {"TableLabelWhereLoopBelongs", [] { return SetLine(99, "Text00:"); }, 99,
         "expected \"Loop\" after the last scroll block"},
        {"OneCrLfLineInAnLfOnlyFile",
         [] {
             return Replaced(Replaced(Join(TwoMessageLines()), "\r\n", "\n"), "Text00:\n",
                             "Text00:\r\n");
         },
         102, "expected a line end of LF alone, as on line 1"},
        {"LeadingBlankLineMissing",
         [] { return TwoMessagesWith([](auto& lines) { lines.erase(lines.begin() + 102); }); }, 104,
         "blank-column line 2 of 2 before the characters of Text00"},
        {"CountersOfTheWrongType", [] { return SetLine(17, "Dim I As Word"); }, 17,
         "expected \"Dim I As Byte\""},
        {"CountersPartlyByte",
         [] {
             std::vector<std::string> lines = SplitLines(WordCounterProgram());
             lines.at(16) = "Dim I As Byte";
             return Join(lines);
         },
         20, "expected \"Dim S As Byte\""},
        {"WiringTestCutBeforeItsWidth",
         [] {
             std::vector<std::string> lines =
                 SplitLines(RenderWiringTestProgram(Board::ofWidth("20")));
             lines.resize(lines.size() - 12);
             return Join(lines);
         },
         35, "expected the title box of Text00"},
        {"ArtLineChanged", [] { return SetLine(30, "'|"); }, 30, "expected \"'|"},
        {"OneLineEndWithoutCarriageReturn",
         [] { return Replaced(Join(TwoMessageLines()), "Text00:\r\n", "Text00:\n"); }, 102,
         "CR LF"},
        {"TwoFinalEmptyLines", [] { return Join(TwoMessageLines()) + "\r\n\r\n"; }, 112,
         "the Data line of a character of Text01"},
        {"ShortVerticalTablePartlyPadded",
         [] {
             // "A" Up on width 20: three blank lines pad its table; one is left.
             std::vector<std::string> lines =
                 SplitLines(Render({Entry("A", ScrollDirection::Up, 5)}, Board::ofWidth("20")));
             lines.resize(lines.size() - 2);
             return Join(lines);
         },
         83, // of 84 lines: the table starts at line 80, its character at 81
         "the file ends here; expected \"Data &H00 , &H00 , &H00 , &H00 , &H00\", blank-column "
         "line 2 of 3 after the characters of Text00"},
        {"ByteOrderMarkBeforeAnotherProgram",
         [] { return std::string("\xEF\xBB\xBF$regfile = \"m8def.dat\"\r\n"); }, 1, "banner"},
        {"NoLineEndAfterTheLastLine",
         [] {
             std::string file = Join(TwoMessageLines());
             file.resize(file.size() - 2);
             return file;
         },
         111, "line end"},
    };
    return cases;
}

void PrintTo(const RefusalCase& refusal, std::ostream* out)
{
    *out << refusal.name;
}

class ProgramReaderRefusalTest : public ::testing::TestWithParam<RefusalCase>
{};

// Standing blocks and paused scrolls read back as themselves, words and all
// spaces of a standing text kept; a list of standing and vertical messages
// alone reads on a width that renders the same bytes.
TEST(ProgramReaderTest, StandingAndPausedListsRoundTrip)
{
    std::mt19937 random(20261208);
    int standingOnly = 0;
    for (const int width : ListedWidths()) {
        for (int round = 0; round < 3; ++round) {
            std::vector<Message> entries(std::uniform_int_distribution<int>(1, 5)(random));
            for (Message& entry : entries) {
                entry = RandomEntry(random, false);
                const int way = std::uniform_int_distribution<int>(0, kDirectionCount - 1)(random);
                entry.direction = ScrollDirection(round == 0 ? 4 + way % 2 : way);
                if (!IsStanding(entry.direction)) {
                    entry.pause = std::uniform_int_distribution<int>(0, kMaxPause)(random);
                } else if (std::bernoulli_distribution(0.5)(random)) {
                    entry.text = "Fresh bread and cakes " + entry.text.substr(0, 4);
                }
            }
            const Board board = Board::ofWidth(std::to_string(width));
            const std::string file = Render(entries, board);
            SCOPED_TRACE("width " + board.widthText);
            const ProgramRead read = Read(file);
            EXPECT_EQ(read.document.entries, entries);
            EXPECT_TRUE(read.asWritten);
            EXPECT_EQ(Render(read.document.entries, read.document.board), file);
            const bool horizontal = std::ranges::any_of(entries, [](const Message& entry) {
                return !IsVertical(entry.direction) && !IsStanding(entry.direction);
            });
            standingOnly += !horizontal;
            if (horizontal) {
                EXPECT_EQ(read.document.board, board);
            }
        }
    }
    EXPECT_GT(standingOnly, 30);
}

TEST_P(ProgramReaderRefusalTest, NamesTheLineAndWhatWasExpected)
{
    const RefusalCase& refusal = GetParam();
    const std::string file = refusal.file();
    const ReadResult result = ReadProgram(file, test::FilledGlyphs());
    ASSERT_TRUE(std::holds_alternative<ReadFailure>(result));
    const ReadFailure& failure = std::get<ReadFailure>(result);
    EXPECT_EQ(failure.line, refusal.line) << failure.reason;
    EXPECT_NE(failure.reason.find(refusal.reason), std::string::npos) << failure.reason;
}

INSTANTIATE_TEST_SUITE_P(Refusals, ProgramReaderRefusalTest, ::testing::ValuesIn(RefusalCases()),
                         [](const auto& info) { return info.param.name; });

// Corvane's wiring test is refused as what it is, with the width it was
// built for, at its first title.
TEST(ProgramReaderTest, RefusesTheWiringTestAsSuch)
{
    for (const int width : ListedWidths()) {
        SCOPED_TRACE("width " + std::to_string(width));
        const std::string file = RenderWiringTestProgram(Board::ofWidth(std::to_string(width)));
        for (const std::string& variant : {file, Replaced(file, "\r\n", "\n")}) {
            const ReadResult result = ReadProgram(variant, test::FilledGlyphs());
            ASSERT_TRUE(std::holds_alternative<ReadFailure>(result));
            const ReadFailure& failure = std::get<ReadFailure>(result);
            EXPECT_EQ(failure.kind, ReadFailure::Kind::WiringTest);
            EXPECT_EQ(failure.wiringTestColumns, width);
            EXPECT_EQ(failure.line, 35u);
        }
    }
}

} // namespace
} // namespace corvane

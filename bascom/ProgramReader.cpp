#include "bascom/ProgramReader.h"

#include "bascom/ProgramText.h"
#include "bascom/ProgramWriter.h"
#include "bascom/TextLines.h"
#include "sign/ColumnTable.h"
#include "sign/ScrollPlan.h"
#include "sign/Windows1252.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace corvane {

using namespace program;

namespace {

constexpr std::size_t kMaxNumberDigits = 6;
constexpr std::size_t kShownLength = 60;

// "Data " + glyph text + " , &H00  '" + the character.
constexpr std::size_t kGlyphTextLength = 32;
constexpr std::size_t kCharacterLineLength =
    kDataPrefix.size() + kGlyphTextLength + kGapAndComment.size() + 1;

[[noreturn]] void Refuse(std::size_t line, std::string reason)
{
    throw ReadFailure{.line = line, .reason = std::move(reason)};
}

// A line of the expected file as a reason shows it: quoted, long ones cut.
std::string Quoted(std::string_view line)
{
    if (line.empty()) {
        return "an empty line";
    }
    const bool cut = line.size() > kShownLength;
    std::string quoted(1, '"');
    quoted += cut ? line.substr(0, kShownLength - 3) : line;
    quoted += cut ? "...\"" : "\"";
    return quoted;
}

std::optional<int> Number(std::string_view digits)
{
    unsigned value = 0;
    const char* end = digits.data() + digits.size();
    if (digits.empty() || digits.size() > kMaxNumberDigits) {
        return std::nullopt;
    }
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<int> NumberAfter(std::string_view line, std::string_view prefix)
{
    return line.starts_with(prefix) ? Number(line.substr(prefix.size())) : std::nullopt;
}

// A line the writer prints with a number in it, e.g. "  E = S + 4".
std::string Line(std::string_view prefix, long long number, std::string_view suffix = {})
{
    return std::string(prefix) + std::to_string(number) + std::string(suffix);
}

bool IsTableLabel(std::string_view line)
{
    return line.starts_with(kTablePrefix) && line.ends_with(kLabelEnd);
}

std::string TableOf(std::size_t index)
{
    return TableName(LabelNumber(index));
}

std::string WiringTitlePrefix()
{
    return std::string(kTitleBoxStart) + std::string(kWiringTitle);
}

// "Dim I As Byte" for the writer's "Dim I As Word" of a counter that indexes
// the tables; empty for any other line.
std::string ByteCounterOf(std::string_view line)
{
    for (const Variable& variable : kVariables) {
        if (variable.indexesTables && line.starts_with(kDimPrefix) &&
            line.substr(kDimPrefix.size()).starts_with(variable.name) &&
            line.substr(kDimPrefix.size() + variable.name.size()) == kWordType) {
            return std::string(kDimPrefix) + std::string(variable.name) + std::string(kByteType);
        }
    }
    return {};
}

// The refresh counts as a reason gives them: "from 1 to 10".
std::string RefreshCountRange()
{
    return "from " + std::to_string(kMinRefreshCount) + " to " + std::to_string(kMaxRefreshCount);
}

// Walks the file line by line. Every line ends in CR LF, or every line in LF
// alone when the first one does; one empty line at the very end counts as the
// end of the file, and the last line may lack its line end (the compare
// refuses that).
class LineCursor final
{
public:
    explicit LineCursor(std::string_view bytes) : m_rest(bytes)
    {
        const std::size_t firstEnd = bytes.find('\n');
        m_lfOnly =
            firstEnd != std::string_view::npos && (firstEnd == 0 || bytes[firstEnd - 1] != '\r');
    }

    bool atEnd() const { return m_rest.empty() || m_rest == (m_lfOnly ? "\n" : "\r\n"); }
    // The number of the line peek() and next() give.
    std::size_t lineNumber() const { return m_lineNumber; }
    bool lastLineEnded() const { return m_lastLineEnded; }

    // The next line without its line end; at the end of the file, an empty one.
    std::string_view peek()
    {
        if (!m_peeked) {
            split();
        }
        return m_line;
    }

    std::string_view next()
    {
        const std::string_view line = peek();
        m_rest.remove_prefix(m_lineBytes);
        m_peeked = false;
        ++m_lineNumber;
        return line;
    }

private:
    void split()
    {
        const std::size_t end = m_rest.find('\n');
        m_peeked = true;
        m_lastLineEnded = end != std::string_view::npos;
        m_line = m_rest.substr(0, end);
        m_lineBytes = m_lastLineEnded ? end + 1 : m_rest.size();
        const bool carriageReturn = m_line.ends_with('\r');
        if (carriageReturn) {
            m_line.remove_suffix(1);
        }
        if (m_lastLineEnded && carriageReturn == m_lfOnly) {
            Refuse(m_lineNumber, m_lfOnly ? "expected a line end of LF alone, as on line 1"
                                          : "expected a CR LF line end, as on line 1");
        }
    }

    std::string_view m_rest;
    std::string_view m_line;
    std::size_t m_lineBytes = 0;
    std::size_t m_lineNumber = 1;
    bool m_lfOnly = false;
    bool m_peeked = false;
    bool m_lastLineEnded = true;
};

// What a scroll block tells about its message.
struct BlockFacts
{
    std::size_t headLine = 0;
    ScrollDirection direction = ScrollDirection::Left;
    int refreshCount = 1;
    int endValue = 0; // Left and Right only
    int pause = 0;
    std::vector<int> pageStarts{}; // Still and Blink only
};

// Gathers the entries and the board from the places that hold them: the title
// boxes and blocks (direction, refresh count, end value, latch parts) and the
// data tables (the characters). The lines in between are left to the compare
// with the rendered program, which names the first line that differs.
class ProgramParser final
{
public:
    ProgramParser(std::string_view bytes, const GlyphTable& glyphs)
        : m_lines(bytes), m_glyphs(glyphs)
    {}

    ProgramDocument parse()
    {
        readBanner();
        readBlocks();
        readTables();
        Board board = boardOfBlocks();
        return {std::move(m_entries), std::move(board), std::move(m_drawn)};
    }

    // Per table, whether it is a short Up or Down table without its padding.
    const std::vector<bool>& unpaddedTables() const { return m_unpadded; }

private:
    // Refuses at the next line, saying so when the file has ended there.
    [[noreturn]] void expected(std::string_view what)
    {
        const std::string prefix = m_lines.atEnd() ? "the file ends here; expected " : "expected ";
        Refuse(m_lines.lineNumber(), prefix + std::string(what));
    }

    std::string_view take(std::string_view what)
    {
        if (m_lines.atEnd()) {
            expected(what);
        }
        return m_lines.next();
    }

    // Takes the next line, which must be `line`; `why` follows it in the reason.
    void takeLine(std::string_view line, std::string_view why)
    {
        if (m_lines.atEnd() || m_lines.peek() != line) {
            expected(Quoted(line) + std::string(why));
        }
        m_lines.next();
    }

    void readBanner() { takeLine(kBannerRule, ", the banner of a program Corvane wrote"); }

    void readBlocks()
    {
        const std::string afterLastBlock = Quoted(kLoopLine) + " after the last scroll block";
        for (;;) {
            const std::size_t number = m_lines.lineNumber();
            const std::string_view line = take(afterLastBlock);
            if (line == kLoopLine) {
                break;
            }
            if (IsTableLabel(line)) {
                Refuse(number, "expected " + afterLastBlock);
            }
            if (m_blocks.empty() && line.starts_with(WiringTitlePrefix())) {
                refuseWiringTest(number);
            }
            if (!line.starts_with(kTitlePrefix)) {
                continue;
            }
            if (m_blocks.size() == ProgramDocument::kMaxEntries) {
                Refuse(number, "expected " + Quoted(kLoopLine) + ": a program holds at most " +
                                   std::to_string(ProgramDocument::kMaxEntries) + " messages");
            }
            readBlock(readTitle(line, number));
        }
        if (m_blocks.empty()) {
            Refuse(m_lines.lineNumber() - 1,
                   "expected the title box of " + TableOf(0) + " before " + Quoted(kLoopLine));
        }
    }

    // The wiring test has titles of its own and no messages: refused as what
    // it is, with the width its width picture names.
    [[noreturn]] void refuseWiringTest(std::size_t titleLine)
    {
        while (!m_lines.atEnd()) {
            const auto columns = NumberAfter(m_lines.next(), kWiringWidthComment);
            if (columns && Board::isListedWidth(*columns)) {
                throw ReadFailure{.line = titleLine,
                                  .reason = "the wiring test for a board of " +
                                            std::to_string(*columns) +
                                            " columns, which has no messages",
                                  .kind = ReadFailure::Kind::WiringTest,
                                  .wiringTestColumns = *columns};
            }
        }
        Refuse(titleLine, "expected the title box of " + TableOf(0) +
                              "; a wiring test names its width in its last table");
    }

    ScrollDirection readTitle(std::string_view line, std::size_t number)
    {
        const std::string label = LabelNumber(m_blocks.size());
        std::string_view rest = line.substr(kTitlePrefix.size());
        if (!rest.starts_with(label) || !rest.substr(label.size()).starts_with(kTitleTo)) {
            Refuse(number, "expected the title box of " + TableName(label) +
                               ": the labels count up from " + LabelNumber(0));
        }
        rest.remove_prefix(label.size() + kTitleTo.size());
        for (int index = 0; index < kDirectionCount; ++index) {
            const auto direction = static_cast<ScrollDirection>(index);
            if (rest.starts_with(DirectionWord(direction)) &&
                rest.substr(DirectionWord(direction).size()) == kTitleEnd) {
                return direction;
            }
        }
        std::string names; // "Left, Right, Up or Down"
        for (int index = 0; index < kDirectionCount; ++index) {
            names += index == 0 ? "" : index + 1 == kDirectionCount ? " or " : ", ";
            names += DirectionName(static_cast<ScrollDirection>(index));
        }
        Refuse(number,
               "expected the direction " + names + " in the title box of " + TableName(label));
    }

    void readBlock(ScrollDirection direction)
    {
        const std::string table = TableOf(m_blocks.size());
        const std::string says = ": the title box says " + std::string(DirectionName(direction));
        while (!m_lines.atEnd() && !m_lines.peek().starts_with(kStepLoopPrefix)) {
            const std::string_view line = m_lines.peek();
            if (line.starts_with(kTitlePrefix) || line == kLoopLine) {
                break;
            }
            m_lines.next();
        }
        BlockFacts facts{.headLine = m_lines.lineNumber(), .direction = direction};
        const auto endValue = NumberAfter(take("the scroll block of " + table), kStepLoopPrefix);
        if (!endValue) {
            Refuse(facts.headLine, "expected " + Quoted(kStepLoopPrefix) +
                                       " and a number, the scroll block of " + table);
        }
        facts.endValue = *endValue;

        std::optional<int> refreshCount;
        switch (direction) {
        case ScrollDirection::Left:
            takeLine(Line(kLeftWindowPrefix, ScrollPlan::kLastColumn), says);
            refreshCount = readHorizontalRefreshes(facts);
            break;
        case ScrollDirection::Right:
            takeLine(Line(kRightStartPrefix, facts.endValue, kRightStartSuffix), says);
            take(Quoted(Line(kRightWindowPrefix, ScrollPlan::kLastColumn)));
            refreshCount = readHorizontalRefreshes(facts);
            break;
        case ScrollDirection::Up:
        case ScrollDirection::Down: {
            const auto steps =
                m_lines.atEnd() ? std::nullopt : NumberAfter(m_lines.peek(), kStepRefreshPrefix);
            if (!steps || *steps % ScrollPlan::kVerticalRefreshFactor != 0 ||
                *steps / ScrollPlan::kVerticalRefreshFactor < kMinRefreshCount ||
                *steps / ScrollPlan::kVerticalRefreshFactor > kMaxRefreshCount) {
                expected(Quoted(kStepRefreshPrefix) + " and three times a refresh count " +
                         RefreshCountRange() + says);
            }
            m_lines.next();
            refreshCount = *steps / ScrollPlan::kVerticalRefreshFactor;
            const int first = ScrollPlan::kFirstVerticalRefreshFactor * *refreshCount;
            const auto held = m_lines.atEnd()
                                  ? std::nullopt
                                  : NumberAfter(m_lines.peek(), kFirstStepRefreshPrefix);
            const auto pause = held ? PauseOf(*held - first) : std::nullopt;
            if (!pause) {
                expected(Quoted(Line(kFirstStepRefreshPrefix, first)) +
                         ", seven times the refresh count and 40 per second of pause");
            }
            m_lines.next();
            facts.pause = *pause;
            break;
        }
        case ScrollDirection::Still:
        case ScrollDirection::Blink:
            refreshCount = readStandingHead(facts, says);
            break;
        }
        if (!refreshCount || *refreshCount < kMinRefreshCount || *refreshCount > kMaxRefreshCount) {
            Refuse(m_lines.lineNumber() - 1, "expected a refresh count " + RefreshCountRange() +
                                                 " (" + std::to_string(RefreshCountOf(0)) +
                                                 " minus the speed)");
        }
        facts.refreshCount = *refreshCount;
        readLatchParts(direction, table, says);
        m_blocks.push_back(facts);
    }

    // A Left or Right block's refresh loop: the refresh count, or Index
    // counting it with more refreshes at the held step of a pause.
    std::optional<int> readHorizontalRefreshes(BlockFacts& facts)
    {
        const std::string_view line = take("the refresh loop");
        if (!line.starts_with(kStepIndexPrefix)) {
            return NumberAfter(line, kRefreshLoopPrefix);
        }
        const auto refreshCount = NumberAfter(line, kStepIndexPrefix);
        const std::string_view held = take("the held step");
        const std::size_t middle = held.find(kHeldIndexMiddle);
        const auto heldRefreshes = middle == std::string_view::npos
                                       ? std::nullopt
                                       : Number(held.substr(middle + kHeldIndexMiddle.size()));
        const auto pause = refreshCount && heldRefreshes && held.starts_with(kHeldStepPrefix)
                               ? PauseOf(*heldRefreshes - *refreshCount)
                               : std::nullopt;
        if (!pause || *pause == 0) {
            Refuse(m_lines.lineNumber() - 1,
                   "expected " +
                       Quoted(std::string(kHeldStepPrefix) + "..." + std::string(kHeldIndexMiddle) +
                              "...") +
                       ", the refresh count and 40 per second of a pause from 1 to 9");
        }
        facts.pause = *pause;
        takeLine(kPausedRefreshLoop, ", the refresh loop of a pause");
        return refreshCount;
    }

    // A standing block's head: one page window a line, then the refresh loop
    // of a second (Still) or half a second (Blink); the steps of a page give
    // the refresh count.
    std::optional<int> readStandingHead(BlockFacts& facts, const std::string& says)
    {
        const bool blinks = facts.direction == ScrollDirection::Blink;
        while (!m_lines.atEnd() && m_lines.peek().starts_with(kPageStepPrefix)) {
            const std::string_view line = m_lines.peek();
            const std::size_t middle = line.find(kPageStartMiddle);
            const auto start = middle == std::string_view::npos
                                   ? std::nullopt
                                   : Number(line.substr(middle + kPageStartMiddle.size()));
            if (!start) {
                expected(Quoted(std::string(kPageStepPrefix) + "..." +
                                std::string(kPageStartMiddle) + "...") +
                         ", the window of a page");
            }
            facts.pageStarts.push_back(*start);
            m_lines.next();
        }
        if (facts.pageStarts.empty()) {
            expected("the window of the first page" + says);
        }
        takeLine(Line(kPageWindowPrefix, ScrollPlan::kLastColumn), says);
        if (blinks) {
            takeLine(kBlinkToggleLine, says);
        }
        takeLine(Line(kRefreshLoopPrefix,
                      blinks ? ScrollPlan::kBlinkStepRefreshes : ScrollPlan::kStillStepRefreshes),
                 says);
        const int pages = static_cast<int>(facts.pageStarts.size());
        const int perPage = (facts.endValue + 1) / pages;
        if ((facts.endValue + 1) % pages != 0 || (blinks && perPage % 2 != 0)) {
            Refuse(facts.headLine,
                   "expected as many steps for each of the " + std::to_string(pages) + " pages");
        }
        return blinks ? perPage / 2 : perPage;
    }

    // The seconds of a pause its extra refreshes make: 40 each, 0 to 9.
    static std::optional<int> PauseOf(int extraRefreshes)
    {
        constexpr int kPerSecond = ScrollPlan::kRefreshesPerSecond;
        if (extraRefreshes < 0 || extraRefreshes % kPerSecond != 0 ||
            extraRefreshes / kPerSecond > kMaxPause) {
            return std::nullopt;
        }
        return extraRefreshes / kPerSecond;
    }

    // Counts the latch parts up to the common tail; every block has as many.
    void readLatchParts(ScrollDirection direction, const std::string& table,
                        const std::string& says)
    {
        int latches = 0;
        for (;;) {
            if (m_lines.atEnd()) {
                expected(Quoted(kTailFirstLine) + " in the block of " + table);
            }
            const std::size_t number = m_lines.lineNumber();
            const std::string_view line = m_lines.next();
            if (line == kTailFirstLine) {
                break;
            }
            if (line.starts_with(kTitlePrefix) || line.starts_with(kStepLoopPrefix) ||
                line == kLoopLine) {
                Refuse(number, "expected " + Quoted(kTailFirstLine) + " in the block of " + table);
            }
            if (!line.starts_with(kLookupPrefix)) {
                continue;
            }
            if (++latches > Board::kMaxLatchCount) {
                Refuse(number, "expected " + Quoted(kTailFirstLine) + ": a block drives at most " +
                                   std::to_string(Board::kMaxLatchCount) + " latches");
            }
            if (latches == 1) {
                checkRowShift(direction, says);
            }
        }
        const std::size_t tailLine = m_lines.lineNumber() - 1;
        if (latches == 0) {
            const std::string firstLookup = std::string(kLookupPrefix) +
                                            std::string(kFirstLatchIndex) + table +
                                            std::string(kLookupEnd);
            Refuse(tailLine,
                   "expected a latch part (" + Quoted(firstLookup) + ") before this line");
        }
        if (m_latchCount == 0) {
            m_latchCount = latches;
        }
        if (latches != m_latchCount) {
            Refuse(tailLine, "expected " + std::to_string(m_latchCount) +
                                 " latch parts before this line, as in the block of " + TableOf(0) +
                                 "; found " + std::to_string(latches));
        }
    }

    void checkRowShift(ScrollDirection direction, const std::string& says)
    {
        const std::string_view line = m_lines.atEnd() ? std::string_view{} : m_lines.peek();
        if (direction == ScrollDirection::Up && line != kShiftUpLine) {
            expected(Quoted(kShiftUpLine) + says);
        }
        if (direction == ScrollDirection::Down && line != kShiftDownLine) {
            expected(Quoted(kShiftDownLine) + says);
        }
        if (!IsVertical(direction) && line.starts_with(kShiftPrefix)) {
            expected("no row shift" + says);
        }
    }

    void readTables()
    {
        while (!m_lines.atEnd() && !IsTableLabel(m_lines.peek()) &&
               !m_lines.peek().starts_with(kDataPrefix)) {
            m_lines.next();
        }
        for (std::size_t index = 0; index < m_blocks.size(); ++index) {
            readTable(index);
        }
        if (!m_lines.atEnd()) {
            expected("the end of the file after the table of " + TableOf(m_blocks.size() - 1));
        }
    }

    void readTable(std::size_t index)
    {
        const std::string table = TableOf(index);
        const std::string label = table + std::string(kLabelEnd);
        takeLine(label, ", the data tables in the order of the blocks");

        const ScrollDirection direction = m_blocks[index].direction;
        const auto latches = static_cast<std::uint8_t>(m_latchCount);
        if (IsStanding(direction)) {
            readStandingTable(index, table);
            return;
        }
        // Only the blank lines after the characters depend on the text's length.
        readBlankLines(BlankLinesOf(direction, 1, latches).leading, "before", table);
        std::string text;
        while (!m_lines.atEnd() && m_lines.peek() != kBlankColumnLine &&
               !IsTableLabel(m_lines.peek())) {
            appendCharacter(text, table);
        }
        expectCharacters(text, table);
        // Writers before the padding was added ended a short vertical table
        // with its characters; the block reads the missing columns as dark.
        const std::size_t padding = BlankLinesOf(direction, text.size(), latches).trailing;
        const bool unpadded = IsVertical(direction) && padding > 0 &&
                              (m_lines.atEnd() || m_lines.peek() != kBlankColumnLine);
        m_unpadded.push_back(unpadded);
        if (!unpadded) {
            readBlankLines(padding, "after", table);
        }
        m_entries.push_back(Message{
            .text = std::move(text),
            .direction = direction,
            .speed = SpeedOfRefreshCount(m_blocks[index].refreshCount),
            .pause = m_blocks[index].pause,
        });
    }

    // A standing table: its pages' characters between blank runs; the compare
    // checks the runs.
    void readStandingTable(std::size_t index, const std::string& table)
    {
        readBlankLines(static_cast<std::size_t>(m_latchCount), "before", table);
        std::string text;
        while (!m_lines.atEnd() && !IsTableLabel(m_lines.peek())) {
            if (m_lines.peek() == kBlankColumnLine) {
                m_lines.next();
                continue;
            }
            appendCharacter(text, table);
        }
        expectCharacters(text, table);
        m_unpadded.push_back(false);
        m_entries.push_back(Message{
            .text = std::move(text),
            .direction = m_blocks[index].direction,
            .speed = SpeedOfRefreshCount(m_blocks[index].refreshCount),
        });
    }

    // Reads one character's Data line onto a table's text, which holds at
    // most kMaxTextLength characters.
    void appendCharacter(std::string& text, const std::string& table)
    {
        if (text.size() == Message::kMaxTextLength) {
            expected("at most " + std::to_string(Message::kMaxTextLength) +
                     " characters in the table of " + table);
        }
        text += readCharacter(table);
    }

    // A table holds at least one character.
    void expectCharacters(const std::string& text, const std::string& table)
    {
        if (text.empty()) {
            expected("the Data line of a character of " + table);
        }
    }

    void readBlankLines(std::size_t count, std::string_view side, const std::string& table)
    {
        for (std::size_t line = 1; line <= count; ++line) {
            if (m_lines.atEnd() || m_lines.peek() != kBlankColumnLine) {
                expected(Quoted(kBlankColumnLine) + ", blank-column line " + std::to_string(line) +
                         " of " + std::to_string(count) + " " + std::string(side) +
                         " the characters of " + table);
            }
            m_lines.next();
        }
    }

    char readCharacter(const std::string& table)
    {
        const std::string_view line = m_lines.peek();
        if (!line.starts_with(kDataPrefix)) {
            expected("the Data line of a character of " + table);
        }
        if (line.size() != kCharacterLineLength ||
            line.substr(kDataPrefix.size() + kGlyphTextLength, kGapAndComment.size()) !=
                kGapAndComment) {
            expected("a Data line with six bytes and its character in a comment (\"" +
                     std::string(kDataPrefix) + "&H.. , &H.. , &H.. , &H.. , &H.." +
                     std::string(kGapAndComment) + "c\")");
        }
        const auto code = static_cast<unsigned char>(line.back());
        if (!HasGlyph(code)) {
            expected("a printable Windows-1252 character code (32 to 126, or 128 to 255 but "
                     "129, 141, 143, 144 and 157) in the comment, found " +
                     std::to_string(code));
        }
        const std::string_view glyphText = line.substr(kDataPrefix.size(), kGlyphTextLength);
        const GlyphColumnBytes columns = glyphColumnsOf(glyphText);
        const std::size_t number = m_lines.lineNumber();
        if (const auto first = m_firstDrawing.find(code); first == m_firstDrawing.end()) {
            m_firstDrawing.emplace(code, std::pair{number, columns});
            if (glyphText != LookupGlyph(m_glyphs, code)) {
                m_drawn.emplace(code, columns);
            }
        } else if (first->second.second != columns) {
            Refuse(number, "the character " + CodeName(code) +
                               " is drawn here differently "
                               "from line " +
                               std::to_string(first->second.first) +
                               "; a program draws each character one way");
        }
        m_lines.next();
        return line.back();
    }

    // The five bytes of a Data line's glyph text, each "&H" and two upper-case
    // hexadecimal digits up to 7F, joined by " , ".
    GlyphColumnBytes glyphColumnsOf(std::string_view glyphText)
    {
        GlyphColumnBytes columns{};
        for (std::size_t column = 0; column < columns.size(); ++column) {
            const std::string_view part = glyphText.substr(7 * column, 4);
            const std::string_view separator =
                column + 1 < columns.size() ? glyphText.substr(7 * column + 4, 3) : " , ";
            const auto digit = [](char c) {
                return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            };
            const int high = digit(part[2]);
            const int low = digit(part[3]);
            if (!part.starts_with("&H") || separator != " , " || high < 0 || high > 7 || low < 0) {
                expected("a glyph of five bytes from &H00 to &H7F (\"&H.. , &H.. , &H.. , "
                         "&H.. , &H..\")");
            }
            columns[column] = static_cast<std::uint8_t>(high * 16 + low);
        }
        return columns;
    }

    // "“é” (code 233)": the character of a comment byte, in UTF-8.
    static std::string CodeName(unsigned char code)
    {
        // Appended piece by piece: GCC 12 at -O3 warns falsely of an overlap
        // in the chain of operator+ on a temporary.
        std::string name = "\"";
        name += CharacterUtf8(code);
        name += "\" (code ";
        name += std::to_string(code);
        name += ')';
        return name;
    }

    // The width from the end values of the Left and Right blocks
    // (width + 6 × length − 1), or five columns per latch when there are none.
    Board boardOfBlocks() const
    {
        std::optional<int> width;
        std::size_t widthSource = 0;
        for (std::size_t index = 0; index < m_blocks.size(); ++index) {
            const BlockFacts& block = m_blocks[index];
            if (IsVertical(block.direction) || IsStanding(block.direction)) {
                continue;
            }
            const int textColumns =
                ScrollPlan::kColumnsPerCharacter * static_cast<int>(m_entries[index].text.size());
            const int blockWidth = block.endValue + 1 - textColumns;
            if (width && blockWidth != *width) {
                Refuse(block.headLine, "expected " +
                                           Quoted(Line(kStepLoopPrefix, *width + textColumns - 1)) +
                                           " for the width " + std::to_string(*width) +
                                           " of the block of " + TableOf(widthSource));
            }
            if (!Board::isListedWidth(blockWidth) ||
                Board::latchCountFor(blockWidth) != m_latchCount) {
                Refuse(block.headLine,
                       "expected a width from the list (" + std::string(Board::kWidthListWording) +
                           ") that needs " + std::to_string(m_latchCount) +
                           " latches in the end value (width + 6 per character - 1); it "
                           "gives the width " +
                           std::to_string(blockWidth));
            }
            width = blockWidth;
            widthSource = index;
        }
        if (!width) {
            width = widthOfStandingBlocks();
        }
        const int columns = width.value_or(Board::kColumnsPerLatch * m_latchCount);
        return Board{std::to_string(columns), static_cast<std::uint8_t>(m_latchCount),
                     Board::kRowCount};
    }

    // The narrowest width of the latch count whose board centres every
    // standing block's pages where its windows say; none without such blocks.
    std::optional<int> widthOfStandingBlocks() const
    {
        std::optional<std::size_t> first;
        for (std::size_t index = 0; index < m_blocks.size() && !first; ++index) {
            if (IsStanding(m_blocks[index].direction)) {
                first = index;
            }
        }
        if (!first) {
            return std::nullopt;
        }
        for (int columns = Board::kColumnsPerLatch * (m_latchCount - 1) + 1;
             columns <= Board::kColumnsPerLatch * m_latchCount; ++columns) {
            if (!Board::isListedWidth(columns)) {
                continue;
            }
            const Board board = Board::ofWidth(std::to_string(columns));
            bool fits = true;
            for (std::size_t index = *first; index < m_blocks.size() && fits; ++index) {
                fits =
                    !IsStanding(m_blocks[index].direction) ||
                    ScrollPlan(m_entries[index], board).pageStarts() == m_blocks[index].pageStarts;
            }
            if (fits) {
                return columns;
            }
        }
        Refuse(m_blocks[*first].headLine, "expected page windows that centre the pages of " +
                                              TableOf(*first) + " on a board of " +
                                              std::to_string(m_latchCount) + " latches");
    }

    LineCursor m_lines;
    const GlyphTable& m_glyphs;
    std::vector<BlockFacts> m_blocks;
    std::vector<Message> m_entries;
    DrawnGlyphs m_drawn;
    // Each code's first Data line and its glyph there.
    std::map<unsigned char, std::pair<std::size_t, GlyphColumnBytes>> m_firstDrawing;
    std::vector<bool> m_unpadded;
    int m_latchCount = 0;
};

// Refuses at the first line where `bytes` differs from `rendered`, passing
// over the padding of the tables `unpadded` marks. A vertical table has no
// blank-column line before its characters, so each one it holds is padding.
// Older writers declared the table counters As Byte whatever the tables
// needed: a file whose first counter is a Byte where a Word is written has
// them all so.
void CompareLines(std::string_view bytes, std::string_view rendered,
                  const std::vector<bool>& unpadded)
{
    using text::kLineEnd;
    LineCursor lines(bytes);
    std::optional<std::size_t> table;
    std::optional<bool> byteCounters;
    for (std::size_t start = 0; start < rendered.size();) {
        const std::size_t end = std::min(rendered.find(kLineEnd, start), rendered.size());
        const std::string_view line = rendered.substr(start, end - start);
        start = end + kLineEnd.size();
        if (IsTableLabel(line)) {
            table = table ? *table + 1 : 0;
        }
        if (table && *table < unpadded.size() && unpadded[*table] && line == kBlankColumnLine) {
            continue;
        }
        if (lines.atEnd()) {
            Refuse(lines.lineNumber(), "the file ends here; expected " + Quoted(line));
        }
        const std::size_t number = lines.lineNumber();
        const std::string_view found = lines.next();
        std::string_view expected = line;
        const std::string byteCounter = ByteCounterOf(line);
        if (!byteCounter.empty()) {
            byteCounters = byteCounters.value_or(found == byteCounter);
            expected = *byteCounters ? byteCounter : line;
        }
        if (found != expected) {
            Refuse(number, "expected " + Quoted(expected));
        }
    }
    if (!lines.atEnd()) {
        Refuse(lines.lineNumber(), "expected the end of the file");
    }
    if (!lines.lastLineEnded()) {
        Refuse(lines.lineNumber() - 1, "expected a line end after the last line");
    }
}

} // namespace

ReadResult ReadProgram(std::string_view bytes, const GlyphTable& glyphs)
{
    if (!glyphs.isFilled()) {
        throw std::invalid_argument("ReadProgram needs a filled glyph table");
    }
    // A Windows editor may start the file with a UTF-8 byte order mark; the
    // line numbers stay those the user sees.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view text =
        bytes.starts_with(kByteOrderMark) ? bytes.substr(kByteOrderMark.size()) : bytes;
    try {
        ProgramParser parser(text, glyphs);
        ProgramDocument document = parser.parse();
        const std::string rendered =
            RenderProgram(document.entries, document.board, glyphs, document.font());
        const bool asWritten = rendered == bytes;
        if (!asWritten) {
            CompareLines(text, rendered, parser.unpaddedTables());
        }
        return ProgramRead{std::move(document), asWritten};
    } catch (ReadFailure& failure) {
        return std::move(failure);
    }
}

} // namespace corvane

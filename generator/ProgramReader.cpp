#include "generator/ProgramReader.h"

#include "generator/ProgramWriter.h"
#include "generator/ScrollPlan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <utility>

namespace corvane {

namespace {

constexpr std::size_t kMaxMessages = 256;
constexpr std::size_t kMaxTextLength = 256;
constexpr int kMaxRefreshCount = 10;
constexpr std::size_t kMaxNumberDigits = 6;
constexpr std::size_t kShownLength = 60;

constexpr std::string_view kBannerRule = "'*********************************************";
constexpr std::string_view kTitlePrefix = "' | Scrolling Text";
constexpr std::array<std::string_view, 4> kTitleEnds = {"Left  |", "Right |", "Up    |", "Down  |"};
constexpr std::array<std::string_view, 4> kDirectionNames = {"Left", "Right", "Up", "Down"};
constexpr std::string_view kHeadPrefix = " For S = 0 To ";
constexpr std::string_view kLeftWindowLine = "  E = S + 4";
constexpr std::string_view kStepRefreshPrefix = "  M = ";
constexpr std::string_view kRightWindowSuffix = " - S";
constexpr std::string_view kRefreshPrefix = "  For Refresh = 1 To ";
constexpr std::string_view kFirstStepPrefix = "  If S = 0 Then M = ";
constexpr std::string_view kLookupPrefix = "    Portd = Lookup(";
constexpr std::string_view kShiftPrefix = "    Shift Portd";
constexpr std::string_view kShiftUpLine = "    Shift Portd , Left , S";
constexpr std::string_view kShiftDownLine = "    Shift Portd , Right , S";
constexpr std::string_view kTailFirstLine = "    Portc = Scan";
constexpr std::string_view kLoopLine = "Loop";
constexpr std::string_view kTablePrefix = "Text";
constexpr std::string_view kDataPrefix = "Data ";
constexpr std::string_view kBlankColumnLine = "Data &H00 , &H00 , &H00 , &H00 , &H00";
// "Data " + glyph text + " , &H00  '" + the character.
constexpr std::string_view kGapAndComment = " , &H00  '";
constexpr std::size_t kGlyphTextLength = 32;
constexpr std::size_t kCharacterLineLength =
    kDataPrefix.size() + kGlyphTextLength + kGapAndComment.size() + 1;

[[noreturn]] void Refuse(std::size_t line, std::string reason)
{
    throw ReadFailure{line, std::move(reason)};
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

bool IsTableLabel(std::string_view line)
{
    return line.starts_with(kTablePrefix) && line.ends_with(':');
}

std::string_view NameOf(ScrollDirection direction)
{
    return kDirectionNames[static_cast<std::size_t>(direction)];
}

std::string TableName(std::size_t index)
{
    return std::string(kTablePrefix) + LabelNumber(index);
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
        return {std::move(m_entries), std::move(board)};
    }

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
        for (;;) {
            const std::size_t number = m_lines.lineNumber();
            const std::string_view line = take("\"Loop\" after the last scroll block");
            if (line == kLoopLine) {
                break;
            }
            if (IsTableLabel(line)) {
                Refuse(number, "expected \"Loop\" after the last scroll block");
            }
            if (!line.starts_with(kTitlePrefix)) {
                continue;
            }
            if (m_blocks.size() == kMaxMessages) {
                Refuse(number, "expected \"Loop\": a program holds at most 256 messages");
            }
            readBlock(readTitle(line, number));
        }
        if (m_blocks.empty()) {
            Refuse(m_lines.lineNumber() - 1, "expected the title box of Text00 before \"Loop\"");
        }
    }

    ScrollDirection readTitle(std::string_view line, std::size_t number)
    {
        const std::string label = LabelNumber(m_blocks.size());
        std::string_view rest = line.substr(kTitlePrefix.size());
        if (!rest.starts_with(label) || !rest.substr(label.size()).starts_with(" to ")) {
            Refuse(number,
                   "expected the title box of Text" + label + ": the labels count up from 00");
        }
        rest.remove_prefix(label.size() + 4);
        for (std::size_t direction = 0; direction < kTitleEnds.size(); ++direction) {
            if (rest == kTitleEnds[direction]) {
                return static_cast<ScrollDirection>(direction);
            }
        }
        Refuse(number,
               "expected the direction Left, Right, Up or Down in the title box of Text" + label);
    }

    void readBlock(ScrollDirection direction)
    {
        const std::string table = TableName(m_blocks.size());
        const std::string says = ": the title box says " + std::string(NameOf(direction));
        while (!m_lines.atEnd() && !m_lines.peek().starts_with(kHeadPrefix)) {
            const std::string_view line = m_lines.peek();
            if (line.starts_with(kTitlePrefix) || line == kLoopLine) {
                break;
            }
            m_lines.next();
        }
        BlockFacts facts{.headLine = m_lines.lineNumber(), .direction = direction};
        const auto endValue = NumberAfter(take("the scroll block of " + table), kHeadPrefix);
        if (!endValue) {
            Refuse(facts.headLine,
                   "expected \" For S = 0 To \" and a number, the scroll block of " + table);
        }
        facts.endValue = *endValue;

        std::optional<int> refreshCount;
        switch (direction) {
        case ScrollDirection::Left:
            takeLine(kLeftWindowLine, says);
            refreshCount = NumberAfter(take("the refresh loop"), kRefreshPrefix);
            break;
        case ScrollDirection::Right: {
            const std::string windowLine = std::string(kStepRefreshPrefix) +
                                           std::to_string(facts.endValue) +
                                           std::string(kRightWindowSuffix);
            takeLine(windowLine, says);
            take("\"  E = M + 4\"");
            refreshCount = NumberAfter(take("the refresh loop"), kRefreshPrefix);
            break;
        }
        case ScrollDirection::Up:
        case ScrollDirection::Down: {
            const auto steps =
                m_lines.atEnd() ? std::nullopt : NumberAfter(m_lines.peek(), kStepRefreshPrefix);
            if (!steps || *steps % ScrollPlan::kVerticalRefreshFactor != 0 ||
                *steps / ScrollPlan::kVerticalRefreshFactor < 1 ||
                *steps / ScrollPlan::kVerticalRefreshFactor > kMaxRefreshCount) {
                expected("\"  M = \" and three times a refresh count from 1 to 10" + says);
            }
            m_lines.next();
            refreshCount = *steps / ScrollPlan::kVerticalRefreshFactor;
            const std::string firstStepLine =
                std::string(kFirstStepPrefix) +
                std::to_string(ScrollPlan::kFirstVerticalRefreshFactor * *refreshCount);
            takeLine(firstStepLine, ", seven times the refresh count");
            break;
        }
        }
        if (!refreshCount || *refreshCount < 1 || *refreshCount > kMaxRefreshCount) {
            Refuse(m_lines.lineNumber() - 1,
                   "expected a refresh count from 1 to 10 (10 minus the speed)");
        }
        facts.refreshCount = *refreshCount;
        readLatchParts(direction, table, says);
        m_blocks.push_back(facts);
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
            if (line.starts_with(kTitlePrefix) || line.starts_with(kHeadPrefix) ||
                line == kLoopLine) {
                Refuse(number, "expected " + Quoted(kTailFirstLine) + " in the block of " + table);
            }
            if (!line.starts_with(kLookupPrefix)) {
                continue;
            }
            if (++latches > Board::kMaxLatchCount) {
                Refuse(number,
                       "expected " + Quoted(kTailFirstLine) + ": a block drives at most 8 latches");
            }
            if (latches == 1) {
                checkRowShift(direction, says);
            }
        }
        const std::size_t tailLine = m_lines.lineNumber() - 1;
        if (latches == 0) {
            Refuse(tailLine, "expected a latch part (\"    Portd = Lookup(i , " + table +
                                 ")\") before this line");
        }
        if (m_latchCount == 0) {
            m_latchCount = latches;
        }
        if (latches != m_latchCount) {
            Refuse(tailLine,
                   "expected " + std::to_string(m_latchCount) +
                       " latch parts before this line, as in the block of Text00; found " +
                       std::to_string(latches));
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
            expected("the end of the file after the table of " + TableName(m_blocks.size() - 1));
        }
    }

    void readTable(std::size_t index)
    {
        const std::string table = TableName(index);
        const std::string label = table + ":";
        takeLine(label, ", the data tables in the order of the blocks");

        const ScrollDirection direction = m_blocks[index].direction;
        const auto latches = static_cast<std::uint8_t>(m_latchCount);
        // Only the blank lines after the characters depend on the text's length.
        readBlankLines(BlankLinesOf(direction, 1, latches).leading, "before", table);
        std::string text;
        while (!m_lines.atEnd() && m_lines.peek() != kBlankColumnLine &&
               !IsTableLabel(m_lines.peek())) {
            if (text.size() == kMaxTextLength) {
                expected("at most 256 characters in the table of " + table);
            }
            text += readCharacter(table);
        }
        if (text.empty()) {
            expected("the Data line of a character of " + table);
        }
        readBlankLines(BlankLinesOf(direction, text.size(), latches).trailing, "after", table);
        m_entries.push_back(
            {std::move(text), PackItemData(static_cast<int>(direction),
                                           kMaxRefreshCount - m_blocks[index].refreshCount)});
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
            expected("a Data line with six bytes and its character in a comment "
                     "(\"Data &H.. , &H.. , &H.. , &H.. , &H.. , &H00  'c\")");
        }
        const auto code = static_cast<unsigned char>(line.back());
        if (code < kFirstGlyphCode || code > kLastGlyphCode) {
            expected("a character code from 32 to 126 in the comment, found " +
                     std::to_string(code));
        }
        const GlyphText& glyph = LookupGlyph(m_glyphs, code);
        if (line.substr(kDataPrefix.size(), kGlyphTextLength) != glyph) {
            expected("the glyph of \"" + std::string(1, line.back()) + "\": " +
                     Quoted(std::string(kDataPrefix) + glyph + std::string(kGapAndComment) +
                            line.back()));
        }
        m_lines.next();
        return line.back();
    }

    // The width from the end values of the Left and Right blocks
    // (width + 6 × length − 1), or five columns per latch when there are none.
    Board boardOfBlocks() const
    {
        std::optional<int> width;
        std::size_t widthSource = 0;
        for (std::size_t index = 0; index < m_blocks.size(); ++index) {
            const BlockFacts& block = m_blocks[index];
            if (IsVertical(block.direction)) {
                continue;
            }
            const int textColumns =
                ScrollPlan::kColumnsPerCharacter * static_cast<int>(m_entries[index].text.size());
            const int blockWidth = block.endValue + 1 - textColumns;
            if (width && blockWidth != *width) {
                Refuse(block.headLine, "expected \" For S = 0 To " +
                                           std::to_string(*width + textColumns - 1) +
                                           "\" for the width " + std::to_string(*width) +
                                           " of the block of " + TableName(widthSource));
            }
            if (!Board::isListedWidth(blockWidth) ||
                Board::latchCountFor(blockWidth) != m_latchCount) {
                Refuse(block.headLine,
                       "expected a width from the list (5 to 40, not 38) that needs " +
                           std::to_string(m_latchCount) +
                           " latches in the end value (width + 6 per character - 1); it "
                           "gives the width " +
                           std::to_string(blockWidth));
            }
            width = blockWidth;
            widthSource = index;
        }
        const int columns = width.value_or(Board::kColumnsPerLatch * m_latchCount);
        return Board{std::to_string(columns), static_cast<std::uint8_t>(m_latchCount),
                     Board::kRowCount};
    }

    LineCursor m_lines;
    const GlyphTable& m_glyphs;
    std::vector<BlockFacts> m_blocks;
    std::vector<MessageEntry> m_entries;
    int m_latchCount = 0;
};

// Refuses at the first line where `bytes` differs from `rendered`.
void CompareLines(std::string_view bytes, std::string_view rendered)
{
    LineCursor lines(bytes);
    constexpr std::string_view kLineEnd = "\r\n";
    for (std::size_t start = 0; start < rendered.size();) {
        const std::size_t end = std::min(rendered.find(kLineEnd, start), rendered.size());
        const std::string_view line = rendered.substr(start, end - start);
        start = end + kLineEnd.size();
        if (lines.atEnd()) {
            Refuse(lines.lineNumber(), "the file ends here; expected " + Quoted(line));
        }
        const std::size_t number = lines.lineNumber();
        if (lines.next() != line) {
            Refuse(number, "expected " + Quoted(line));
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
    try {
        ProgramDocument document = ProgramParser(bytes, glyphs).parse();
        const Board& board = document.board;
        const std::string rendered = RenderProgram(document.entries, board, glyphs);
        if (rendered != bytes) {
            CompareLines(bytes, rendered);
        }
        return document;
    } catch (ReadFailure& failure) {
        return std::move(failure);
    }
}

} // namespace corvane

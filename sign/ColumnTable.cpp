#include "sign/ColumnTable.h"

#include "sign/ScrollPlan.h"
#include "sign/StillPages.h"

namespace corvane {

namespace {

constexpr std::size_t kBlankLineBytes = ScrollPlan::kColumnsPerLatch;

Board BoardOfLatches(std::uint8_t latchCount)
{
    return Board::ofWidth(std::to_string(Board::kColumnsPerLatch * latchCount));
}

void AppendCharacters(std::vector<std::uint8_t>& bytes, std::string_view characters,
                      const Font& font)
{
    for (const char character : characters) {
        const auto glyph = font.columns(static_cast<unsigned char>(character));
        bytes.insert(bytes.end(), glyph.begin(), glyph.end());
        bytes.push_back(0); // the gap column after each character
    }
}

} // namespace

// Left and Right tables start and end with one blank run per latch. Up and
// Down read columns 0 to 5 × LatchCount − 1, so a short vertical message gets
// blank runs after its characters until the table holds them.
BlankColumnLines BlankLinesOf(ScrollDirection direction, std::size_t textLength,
                              std::uint8_t latchCount)
{
    if (!IsVertical(direction)) {
        return {latchCount, latchCount};
    }
    const std::size_t needed = std::size_t{ScrollPlan::kColumnsPerLatch} * latchCount;
    const std::size_t held = ScrollPlan::kColumnsPerCharacter * textLength;
    if (held >= needed) {
        return {};
    }
    return {0, (needed - held + ScrollPlan::kColumnsPerLatch - 1) / ScrollPlan::kColumnsPerLatch};
}

std::vector<std::size_t> StandingBlankLinesOf(const Message& message, const Board& board)
{
    const std::size_t pages = StillPagesOf(message.text, board.columns()).size();
    return std::vector<std::size_t>(pages + 1, board.latchCount);
}

std::vector<std::uint8_t> ColumnTableBytes(const Message& message, const Board& board,
                                           const Font& font)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(ColumnTableSize(message, board));
    if (IsStanding(message.direction)) {
        const std::string_view text = message.text;
        for (const StillPage& page : StillPagesOf(text, board.columns())) {
            bytes.resize(bytes.size() + board.latchCount * kBlankLineBytes, 0);
            AppendCharacters(
                bytes, text.substr(page.first, page.length + (page.dropsSpace ? 1 : 0)), font);
        }
        bytes.resize(bytes.size() + board.latchCount * kBlankLineBytes, 0);
        return bytes;
    }
    const BlankColumnLines blanks =
        BlankLinesOf(message.direction, message.text.size(), board.latchCount);
    bytes.resize(blanks.leading * kBlankLineBytes, 0);
    AppendCharacters(bytes, message.text, font);
    bytes.resize(bytes.size() + blanks.trailing * kBlankLineBytes, 0);
    return bytes;
}

std::size_t ColumnTableSize(const Message& message, const Board& board)
{
    std::size_t blankLines = 0;
    if (IsStanding(message.direction)) {
        for (const std::size_t lines : StandingBlankLinesOf(message, board)) {
            blankLines += lines;
        }
    } else {
        const BlankColumnLines blanks =
            BlankLinesOf(message.direction, message.text.size(), board.latchCount);
        blankLines = blanks.leading + blanks.trailing;
    }
    return blankLines * kBlankLineBytes +
           std::size_t{ScrollPlan::kColumnsPerCharacter} * message.text.size();
}

std::size_t ColumnTablesSize(std::span<const Message> messages, const Board& board)
{
    std::size_t total = 0;
    for (const Message& message : messages) {
        total += ColumnTableSize(message, board);
    }
    return total;
}

std::vector<std::uint8_t> ColumnTableBytes(const Message& message, std::uint8_t latchCount,
                                           const Font& font)
{
    return ColumnTableBytes(message, BoardOfLatches(latchCount), font);
}

std::size_t ColumnTableSize(const Message& message, std::uint8_t latchCount)
{
    return ColumnTableSize(message, BoardOfLatches(latchCount));
}

std::size_t ColumnTablesSize(std::span<const Message> messages, std::uint8_t latchCount)
{
    return ColumnTablesSize(messages, BoardOfLatches(latchCount));
}

} // namespace corvane

#include "sign/ColumnTable.h"

#include "sign/ScrollPlan.h"

namespace corvane {

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

std::vector<std::uint8_t> ColumnTableBytes(const Message& message, std::uint8_t latchCount,
                                           const Font& font)
{
    const BlankColumnLines blanks =
        BlankLinesOf(message.direction, message.text.size(), latchCount);
    constexpr std::size_t kBlankLineBytes = ScrollPlan::kColumnsPerLatch;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(ColumnTableSize(message, latchCount));
    bytes.resize(blanks.leading * kBlankLineBytes, 0);
    for (const char character : message.text) {
        const auto glyph = font.columns(static_cast<unsigned char>(character));
        bytes.insert(bytes.end(), glyph.begin(), glyph.end());
        bytes.push_back(0); // the gap column after each character
    }
    bytes.resize(bytes.size() + blanks.trailing * kBlankLineBytes, 0);
    return bytes;
}

std::size_t ColumnTableSize(const Message& message, std::uint8_t latchCount)
{
    const BlankColumnLines blanks =
        BlankLinesOf(message.direction, message.text.size(), latchCount);
    return (blanks.leading + blanks.trailing) * std::size_t{ScrollPlan::kColumnsPerLatch} +
           std::size_t{ScrollPlan::kColumnsPerCharacter} * message.text.size();
}

std::size_t ColumnTablesSize(std::span<const Message> messages, std::uint8_t latchCount)
{
    std::size_t total = 0;
    for (const Message& message : messages) {
        total += ColumnTableSize(message, latchCount);
    }
    return total;
}

} // namespace corvane

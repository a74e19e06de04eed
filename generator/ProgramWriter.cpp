#include "generator/ProgramWriter.h"

#include "generator/MakerDetails.h"
#include "generator/ProgramParts.h"
#include "generator/ProgramText.h"
#include "generator/ScrollBlock.h"
#include "generator/ScrollPlan.h"
#include "generator/TextLines.h"

#include <algorithm>
#include <stdexcept>

namespace corvane {

using text::AppendLine;

namespace {

constexpr int kByteMax = 255;

ScrollDirection DirectionOfEntry(const MessageEntry& entry)
{
    const int direction = DirectionOf(entry.itemData);
    return IsDirection(direction) ? static_cast<ScrollDirection>(direction) : ScrollDirection::Left;
}

} // namespace

// Left and Right tables start and end with one blank line per latch. Up and
// Down blocks read columns 0 to 5 × LatchCount − 1, so a short vertical
// message gets blank lines after its characters until the table holds them.
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

namespace {

void AppendBannerLine(std::string& out, std::string_view prefix, std::string_view value)
{
    const std::size_t start = out.size();
    out += prefix;
    out += value;
    out.resize(std::max(out.size(), start + program::kBannerWidth), ' ');
    AppendLine(out, program::kBannerLineEnd);
}

} // namespace

void WriteBanner(std::string& out)
{
    AppendLine(out, program::kBannerRule);
    AppendBannerLine(out, program::kBannerMakerPrefix, maker::kName);
    AppendBannerLine(out, program::kBannerBoardLine, {});
    AppendBannerLine(out, program::kBannerVisitLine, {});
    AppendBannerLine(out, program::kBannerWebPrefix, maker::kWebAddress);
    AppendBannerLine(out, program::kBannerEmailPrefix, maker::kEmail);
    AppendBannerLine(out, program::kBannerTelephonePrefix, maker::kTelephone);
    AppendLine(out, program::kBannerRule);
}

void WriteHeader(std::string& out, bool wordCounters)
{
    AppendLine(out, program::kChipLine);
    AppendLine(out, program::kCrystalLine);
    AppendLine(out);
    for (const std::string_view line : program::kPortLines) {
        AppendLine(out, line);
    }
    AppendLine(out);
    for (const program::Variable& variable : program::kVariables) {
        out += program::kDimPrefix;
        out += variable.name;
        AppendLine(out, variable.indexesTables && wordCounters ? program::kWordType
                                                               : program::kByteType);
    }
    AppendLine(out);
    AppendLine(out, program::kDoLine);
    AppendLine(out);
    AppendLine(out);
}

namespace {

// "Scrolling Text00 to Left  ": the box's text between "' | " and "|".
std::string TitleOf(const ScrollBlockInput& block)
{
    std::string title(program::kTitlePrefix.substr(program::kTitleBoxStart.size()));
    title += block.labelNumber;
    title += program::kTitleTo;
    title += program::DirectionWord(block.direction);
    return title;
}

} // namespace

void WriteArtAndTitle(std::string& out, std::string_view title)
{
    for (const std::string_view line : maker::kArtLines) {
        AppendLine(out, line);
    }
    AppendLine(out, program::kTitleRule);
    out += program::kTitleBoxStart;
    out += title;
    AppendLine(out, program::kTitleEnd);
    AppendLine(out, program::kTitleRule);
    AppendLine(out);
}

void WriteProgramEnd(std::string& out)
{
    AppendLine(out, program::kLoopLine);
    AppendLine(out, program::kEndLine);
    AppendLine(out);
}

namespace {

void WriteDataTable(std::string& out, const MessageEntry& entry, const ScrollBlockInput& block,
                    const GlyphTable& glyphs)
{
    const BlankColumnLines blanks =
        BlankLinesOf(block.direction, entry.text.size(), block.board.latchCount);
    out += program::TableName(block.labelNumber);
    AppendLine(out, program::kLabelEnd);
    for (std::size_t line = 0; line < blanks.leading; ++line) {
        AppendLine(out, program::kBlankColumnLine);
    }
    for (const char character : entry.text) {
        const unsigned char code = PrintableCode(static_cast<unsigned char>(character));
        out += program::kDataPrefix;
        out += LookupGlyph(glyphs, code);
        out += program::kGapAndComment;
        out += static_cast<char>(code);
        out += text::kLineEnd;
    }
    for (std::size_t line = 0; line < blanks.trailing; ++line) {
        AppendLine(out, program::kBlankColumnLine);
    }
}

std::size_t EstimatedSize(std::span<const MessageEntry> entries, std::uint8_t latchCount)
{
    constexpr std::size_t kFixedBytes = 1024;
    constexpr std::size_t kPerMessageBytes = 1024;
    constexpr std::size_t kPerLatchBytes = 160;
    constexpr std::size_t kPerCharacterBytes = 50;
    std::size_t size = kFixedBytes;
    for (const MessageEntry& entry : entries) {
        size +=
            kPerMessageBytes + kPerLatchBytes * latchCount + kPerCharacterBytes * entry.text.size();
    }
    return size;
}

} // namespace

std::string LabelNumber(std::size_t index)
{
    std::string label = std::to_string(index / 10);
    label += static_cast<char>('0' + index % 10);
    return label;
}

ScrollBlockInput MakeScrollBlockInput(std::size_t index, const MessageEntry& entry,
                                      const Board& board)
{
    const int speed = std::min(SpeedOf(entry.itemData), kMaxSpeed);
    return ScrollBlockInput{
        .labelNumber = LabelNumber(index),
        .direction = DirectionOfEntry(entry),
        .refreshCount = static_cast<std::uint8_t>(RefreshCountOf(speed)),
        .textLength = entry.text.size(),
        .board = board,
    };
}

std::vector<std::uint8_t> DataTableBytes(const MessageEntry& entry, std::uint8_t latchCount)
{
    const BlankColumnLines blanks =
        BlankLinesOf(DirectionOfEntry(entry), entry.text.size(), latchCount);
    constexpr std::size_t kBlankLineBytes = ScrollPlan::kColumnsPerLatch;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(DataTableSize(entry, latchCount));
    bytes.resize(blanks.leading * kBlankLineBytes, 0);
    for (const char character : entry.text) {
        const auto glyph = GlyphColumns(static_cast<unsigned char>(character));
        bytes.insert(bytes.end(), glyph.begin(), glyph.end());
        bytes.push_back(0); // the gap column after each character
    }
    bytes.resize(bytes.size() + blanks.trailing * kBlankLineBytes, 0);
    return bytes;
}

std::size_t DataTableSize(const MessageEntry& entry, std::uint8_t latchCount)
{
    const BlankColumnLines blanks =
        BlankLinesOf(DirectionOfEntry(entry), entry.text.size(), latchCount);
    return (blanks.leading + blanks.trailing) * std::size_t{ScrollPlan::kColumnsPerLatch} +
           std::size_t{ScrollPlan::kColumnsPerCharacter} * entry.text.size();
}

std::size_t DataTablesSize(std::span<const MessageEntry> entries, std::uint8_t latchCount)
{
    std::size_t total = 0;
    for (const MessageEntry& entry : entries) {
        total += DataTableSize(entry, latchCount);
    }
    return total;
}

std::string RenderProgram(std::span<const MessageEntry> entries, const Board& board,
                          const GlyphTable& glyphs)
{
    if (!glyphs.isFilled()) {
        throw std::invalid_argument("RenderProgram needs a filled glyph table");
    }
    std::vector<ScrollBlockInput> blocks;
    blocks.reserve(entries.size());
    bool wordCounters = false;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        blocks.push_back(MakeScrollBlockInput(index, entries[index], board));
        wordCounters = wordCounters || ScrollPlan(blocks.back()).largestCounterValue() > kByteMax;
    }

    std::string out;
    out.reserve(EstimatedSize(entries, board.latchCount));
    WriteBanner(out);
    WriteHeader(out, wordCounters);
    for (const ScrollBlockInput& block : blocks) {
        WriteArtAndTitle(out, TitleOf(block));
        WriteScrollBlock(out, block);
    }
    WriteProgramEnd(out);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        WriteDataTable(out, entries[index], blocks[index], glyphs);
    }
    return out;
}

} // namespace corvane

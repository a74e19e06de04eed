#include "bascom/ProgramWriter.h"

#include "bascom/MakerDetails.h"
#include "bascom/ProgramParts.h"
#include "bascom/ProgramText.h"
#include "bascom/ScrollBlock.h"
#include "bascom/TextLines.h"
#include "sign/ColumnTable.h"
#include "sign/ScrollPlan.h"
#include "sign/StillPages.h"

#include <algorithm>
#include <stdexcept>

namespace corvane {

using text::AppendLine;

namespace {} // namespace

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

void WriteHeader(std::string& out, bool wordCounters, bool wordRefreshes)
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
        const bool word =
            (variable.indexesTables && wordCounters) || (variable.countsRefreshes && wordRefreshes);
        AppendLine(out, word ? program::kWordType : program::kByteType);
    }
    AppendLine(out);
    AppendLine(out, program::kDoLine);
    AppendLine(out);
    AppendLine(out);
}

namespace {

// "Scrolling Text00 to Left  ": the box's text between "' | " and "|".
std::string TitleOf(const std::string& labelNumber, ScrollDirection direction)
{
    std::string title(program::kTitlePrefix.substr(program::kTitleBoxStart.size()));
    title += labelNumber;
    title += program::kTitleTo;
    title += program::DirectionWord(direction);
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

void WriteBlankLines(std::string& out, std::size_t count)
{
    for (std::size_t line = 0; line < count; ++line) {
        AppendLine(out, program::kBlankColumnLine);
    }
}

void WriteCharacterLines(std::string& out, std::string_view characters, const GlyphTable& glyphs,
                         const Font& font)
{
    for (const char character : characters) {
        const unsigned char code = PrintableCode(static_cast<unsigned char>(character));
        out += program::kDataPrefix;
        if (font.isDrawn(code)) {
            out += FormatGlyphText(font.columns(code));
        } else {
            out += LookupGlyph(glyphs, code);
        }
        out += program::kGapAndComment;
        out += static_cast<char>(code);
        out += text::kLineEnd;
    }
}

void WriteDataTable(std::string& out, const std::string& labelNumber, const Message& message,
                    const Board& board, const GlyphTable& glyphs, const Font& font)
{
    out += program::TableName(labelNumber);
    AppendLine(out, program::kLabelEnd);
    if (IsStanding(message.direction)) {
        const std::string_view text = message.text;
        for (const StillPage& page : StillPagesOf(text, board.columns())) {
            WriteBlankLines(out, board.latchCount);
            WriteCharacterLines(out,
                                text.substr(page.first, page.length + (page.dropsSpace ? 1 : 0)),
                                glyphs, font);
        }
        WriteBlankLines(out, board.latchCount);
        return;
    }
    const BlankColumnLines blanks =
        BlankLinesOf(message.direction, message.text.size(), board.latchCount);
    WriteBlankLines(out, blanks.leading);
    WriteCharacterLines(out, message.text, glyphs, font);
    WriteBlankLines(out, blanks.trailing);
}

std::size_t EstimatedSize(std::span<const Message> messages, std::uint8_t latchCount)
{
    constexpr std::size_t kFixedBytes = 1024;
    constexpr std::size_t kPerMessageBytes = 1024;
    constexpr std::size_t kPerLatchBytes = 160;
    constexpr std::size_t kPerCharacterBytes = 50;
    std::size_t size = kFixedBytes;
    for (const Message& message : messages) {
        size += kPerMessageBytes + kPerLatchBytes * latchCount +
                kPerCharacterBytes * message.text.size();
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

std::string RenderProgram(std::span<const Message> messages, const Board& board,
                          const GlyphTable& glyphs, const Font& font)
{
    if (!glyphs.isFilled()) {
        throw std::invalid_argument("RenderProgram needs a filled glyph table");
    }
    std::vector<ScrollPlan> plans;
    plans.reserve(messages.size());
    bool wordCounters = false;
    bool wordRefreshes = false;
    for (const Message& message : messages) {
        plans.emplace_back(message, board);
        wordCounters = wordCounters || plans.back().largestCounterValue() > program::kByteMax;
        // Refresh leaves its loop one above the bound.
        wordRefreshes = wordRefreshes || plans.back().largestRefreshes() >= program::kByteMax;
    }

    std::string out;
    out.reserve(EstimatedSize(messages, board.latchCount));
    WriteBanner(out);
    WriteHeader(out, wordCounters, wordRefreshes);
    for (std::size_t index = 0; index < messages.size(); ++index) {
        const std::string labelNumber = LabelNumber(index);
        WriteArtAndTitle(out, TitleOf(labelNumber, plans[index].direction()));
        WriteScrollBlock(out, labelNumber, plans[index]);
    }
    WriteProgramEnd(out);
    for (std::size_t index = 0; index < messages.size(); ++index) {
        WriteDataTable(out, LabelNumber(index), messages[index], board, glyphs, font);
    }
    return out;
}

} // namespace corvane

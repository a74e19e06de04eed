#include "bascom/WiringTestProgram.h"

#include "bascom/ProgramParts.h"
#include "bascom/ProgramText.h"
#include "bascom/ScrollBlock.h"
#include "bascom/TextLines.h"
#include "sign/WiringTest.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <vector>

namespace corvane {

using text::AppendLine;

namespace {

constexpr int kColumns = Board::kColumnsPerLatch;
constexpr std::size_t kTitleWidth = 26; // keeps the title box 31 characters wide

// One phase's pictures, which all last the same number of refreshes.
struct PhaseImages
{
    WiringPhase phase = WiringPhase::Latches;
    std::vector<WiringImage> images;

    int refreshes() const { return images.front().refreshes; }
    int count() const { return static_cast<int>(images.size()); }
};

std::vector<PhaseImages> GroupByPhase(std::vector<WiringImage> images)
{
    std::vector<PhaseImages> phases;
    for (WiringImage& image : images) {
        if (phases.empty() || phases.back().phase != image.phase) {
            phases.push_back({image.phase, {}});
        }
        if (!phases.back().images.empty() && image.refreshes != phases.back().refreshes()) {
            throw std::logic_error("a wiring test phase with pictures of different lengths");
        }
        phases.back().images.push_back(std::move(image));
    }
    return phases;
}

// "WiringLatches", "WiringAllLit".
std::string TableLabel(WiringPhase phase)
{
    std::string label(WiringPhaseName(phase));
    std::erase(label, ' ');
    return label.insert(0, "Wiring");
}

std::string Title(WiringPhase phase)
{
    std::string title(program::kWiringTitle);
    title += WiringPhaseName(phase);
    title.resize(std::max(title.size(), kTitleWidth), ' ');
    return title;
}

// The table index past the last picture: S's images lie at M = 5L × S on.
int TableEnd(const PhaseImages& phase, int latchCount)
{
    return phase.count() * kColumns * latchCount;
}

// Shows picture S for its refreshes: each column I of latch 0 is table byte
// M + I, latch h's is 5h further; M moves on by one picture after each.
void WriteBlock(std::string& out, const PhaseImages& phase, int latchCount)
{
    const std::string label = TableLabel(phase.phase);
    AppendLine(out, program::kPictureStartLine);
    AppendLine(out, program::kStepLoopPrefix, phase.count() - 1);
    AppendLine(out, program::kRightWindowPrefix, kColumns - 1);
    AppendLine(out, program::kRefreshLoopPrefix, phase.refreshes());
    AppendLine(out, program::kScanStartLine);
    AppendLine(out, program::kRightColumnLoop);
    AppendLine(out);
    for (int latch = 0; latch < latchCount; ++latch) {
        if (latch > 0) {
            AppendLine(out, program::kLatchOffsetPrefix, kColumns * latch);
        }
        out += program::kLookupPrefix;
        out += latch == 0 ? program::kFirstLatchIndex : program::kLatchIndex;
        out += label;
        AppendLine(out, program::kLookupEnd);
        AppendLine(out, program::kStrobePrefix, 1 << latch);
        AppendLine(out, program::kStrobeOffLine);
        AppendLine(out);
    }
    WriteColumnTail(out);
    AppendLine(out, program::kLoopEndLines[0]);
    AppendLine(out, program::kLoopEndLines[1]);
    AppendLine(out, program::kNextPicturePrefix, kColumns * latchCount);
    AppendLine(out, program::kLoopEndLines[2]);
    AppendLine(out);
}

std::string ImageComment(WiringPhase phase, int index, const Board& board)
{
    std::string comment = "' ";
    switch (phase) {
    case WiringPhase::Latches:
        return comment + "Latch " + std::to_string(index);
    case WiringPhase::Rows:
        comment += "Row " + std::to_string(index);
        if (index == 0) {
            comment += " (bottom)";
        } else if (index == board.rowCount - 1) {
            comment += " (top)";
        }
        return comment;
    case WiringPhase::Columns:
        return comment + "Column " + std::to_string(index);
    case WiringPhase::AllLit:
        return comment + "Every LED";
    case WiringPhase::Width:
        break;
    }
    return std::string(program::kWiringWidthComment) + std::to_string(board.columns());
}

void WriteDataLine(std::string& out, std::span<const std::uint8_t> bytes)
{
    out += program::kDataPrefix;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "&H%02X", static_cast<unsigned>(bytes[k]));
        out += k == 0 ? "" : " , ";
        out += hex;
    }
    out += text::kLineEnd;
}

void WriteDataTable(std::string& out, const PhaseImages& phase, const Board& board)
{
    AppendLine(out, TableLabel(phase.phase) + std::string(program::kLabelEnd));
    for (int index = 0; index < phase.count(); ++index) {
        AppendLine(out, ImageComment(phase.phase, index, board));
        const std::span<const std::uint8_t> columns = phase.images[index].columns;
        for (std::size_t first = 0; first < columns.size(); first += kColumns) {
            WriteDataLine(out, columns.subspan(first, kColumns));
        }
    }
}

} // namespace

std::string RenderWiringTestProgram(const Board& board)
{
    const std::vector<PhaseImages> phases = GroupByPhase(WiringTestImages(board));
    // M passes the last picture's index after the last step.
    const bool wordCounters =
        std::any_of(phases.begin(), phases.end(), [&](const PhaseImages& phase) {
            return TableEnd(phase, board.latchCount) > program::kByteMax;
        });

    std::string out;
    WriteBanner(out);
    WriteHeader(out, wordCounters);
    for (const PhaseImages& phase : phases) {
        WriteArtAndTitle(out, Title(phase.phase));
        WriteBlock(out, phase, board.latchCount);
    }
    WriteProgramEnd(out);
    for (const PhaseImages& phase : phases) {
        WriteDataTable(out, phase, board);
    }
    return out;
}

} // namespace corvane

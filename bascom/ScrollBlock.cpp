#include "bascom/ScrollBlock.h"

#include "bascom/ProgramText.h"
#include "bascom/TextLines.h"
#include "sign/ScrollPlan.h"

namespace corvane {

using text::AppendLine;

namespace {

void WriteHead(std::string& out, const ScrollPlan& plan)
{
    constexpr int kLastColumn = ScrollPlan::kColumnsPerLatch - 1;
    AppendLine(out, program::kStepLoopPrefix, plan.endValue());
    switch (plan.direction()) {
    case ScrollDirection::Left:
        AppendLine(out, program::kLeftWindowPrefix, kLastColumn);
        AppendLine(out, program::kRefreshLoopPrefix, plan.stepRefreshes());
        AppendLine(out, program::kScanStartLine);
        AppendLine(out, program::kLeftColumnLoop);
        break;
    case ScrollDirection::Right:
        AppendLine(out, program::kRightStartPrefix, plan.endValue(), program::kRightStartSuffix);
        AppendLine(out, program::kRightWindowPrefix, kLastColumn);
        AppendLine(out, program::kRefreshLoopPrefix, plan.stepRefreshes());
        AppendLine(out, program::kScanStartLine);
        AppendLine(out, program::kRightColumnLoop);
        break;
    case ScrollDirection::Up:
    case ScrollDirection::Down:
        AppendLine(out, program::kStepRefreshPrefix, plan.stepRefreshes());
        AppendLine(out, program::kFirstStepRefreshPrefix, plan.firstStepRefreshes());
        AppendLine(out, program::kVerticalRefreshLoop);
        AppendLine(out, program::kScanStartLine);
        AppendLine(out, program::kVerticalColumnLoopPrefix, kLastColumn);
        break;
    }
    AppendLine(out);
}

void WriteLatchPart(std::string& out, const ScrollPlan& plan, const std::string& labelNumber,
                    int latch)
{
    if (latch == 0) {
        out += program::kLookupPrefix;
        out += program::kFirstLatchIndex;
    } else {
        AppendLine(out, program::kLatchOffsetPrefix, ScrollPlan::latchOffset(latch));
        out += program::kLookupPrefix;
        out += program::kLatchIndex;
    }
    out += program::TableName(labelNumber);
    AppendLine(out, program::kLookupEnd);
    switch (plan.rowShift()) {
    case ScrollPlan::RowShift::Left:
        AppendLine(out, program::kShiftUpLine);
        break;
    case ScrollPlan::RowShift::Right:
        AppendLine(out, program::kShiftDownLine);
        break;
    case ScrollPlan::RowShift::None:
        break;
    }
    AppendLine(out, program::kStrobePrefix, ScrollPlan::strobeValue(latch));
    AppendLine(out, program::kStrobeOffLine);
    AppendLine(out);
}

void WriteTail(std::string& out)
{
    WriteColumnTail(out);
    for (const std::string_view line : program::kLoopEndLines) {
        AppendLine(out, line);
    }
    AppendLine(out);
}

} // namespace

void WriteColumnTail(std::string& out)
{
    AppendLine(out, program::kTailFirstLine);
    AppendLine(out, program::kRotateScanLine);
    AppendLine(out, program::kColumnWaitPrefix, ScrollPlan::kColumnWaitMs);
    AppendLine(out, program::kColumnsOffLine);
    AppendLine(out);
}

void WriteScrollBlock(std::string& out, const std::string& labelNumber, const ScrollPlan& plan)
{
    WriteHead(out, plan);
    for (int latch = 0; latch < plan.latchCount(); ++latch) {
        WriteLatchPart(out, plan, labelNumber, latch);
    }
    WriteTail(out);
}

} // namespace corvane

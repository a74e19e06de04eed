#include "bascom/ScrollBlock.h"

#include "bascom/ProgramText.h"
#include "bascom/TextLines.h"
#include "sign/ScrollPlan.h"

namespace corvane {

using text::AppendLine;

namespace {

// The refresh loop of a Left or Right step, longer at the held one.
void WriteHorizontalRefreshLoop(std::string& out, const ScrollPlan& plan)
{
    if (plan.heldStep() < 0) {
        AppendLine(out, program::kRefreshLoopPrefix, plan.stepRefreshes());
        return;
    }
    AppendLine(out, program::kStepIndexPrefix, plan.stepRefreshes());
    out += program::kHeldStepPrefix;
    text::AppendNumber(out, plan.heldStep());
    AppendLine(out, program::kHeldIndexMiddle, plan.heldRefreshes());
    AppendLine(out, program::kPausedRefreshLoop);
}

// A standing block's head: each page's window from its first step on.
void WriteStandingHead(std::string& out, const ScrollPlan& plan)
{
    const bool blinks = plan.direction() == ScrollDirection::Blink;
    if (blinks) {
        AppendLine(out, program::kBlinkStartLine);
    }
    AppendLine(out, program::kStepLoopPrefix, plan.endValue());
    int firstStep = 0;
    for (const int start : plan.pageStarts()) {
        out += program::kPageStepPrefix;
        text::AppendNumber(out, firstStep);
        AppendLine(out, program::kPageStartMiddle, start);
        firstStep += plan.stepsPerPage();
    }
    AppendLine(out, program::kPageWindowPrefix, ScrollPlan::kLastColumn);
    if (blinks) {
        AppendLine(out, program::kBlinkToggleLine);
    }
    AppendLine(out, program::kRefreshLoopPrefix, plan.stepRefreshes());
    AppendLine(out, blinks ? program::kBlinkScanLine : program::kScanStartLine);
    AppendLine(out, program::kPageColumnLoop);
}

void WriteHead(std::string& out, const ScrollPlan& plan)
{
    if (plan.isStanding()) {
        WriteStandingHead(out, plan);
        AppendLine(out);
        return;
    }
    AppendLine(out, program::kStepLoopPrefix, plan.endValue());
    switch (plan.direction()) {
    case ScrollDirection::Left:
        AppendLine(out, program::kLeftWindowPrefix, ScrollPlan::kLastColumn);
        WriteHorizontalRefreshLoop(out, plan);
        AppendLine(out, program::kScanStartLine);
        AppendLine(out, program::kLeftColumnLoop);
        break;
    case ScrollDirection::Right:
        AppendLine(out, program::kRightStartPrefix, plan.endValue(), program::kRightStartSuffix);
        AppendLine(out, program::kRightWindowPrefix, ScrollPlan::kLastColumn);
        WriteHorizontalRefreshLoop(out, plan);
        AppendLine(out, program::kScanStartLine);
        AppendLine(out, program::kRightColumnLoop);
        break;
    default:
        // Up and Down; the held first step is the pause's.
        AppendLine(out, program::kStepRefreshPrefix, plan.stepRefreshes());
        AppendLine(out, program::kFirstStepRefreshPrefix, plan.refreshes(0));
        AppendLine(out, program::kVerticalRefreshLoop);
        AppendLine(out, program::kScanStartLine);
        AppendLine(out, program::kVerticalColumnLoopPrefix, ScrollPlan::kLastColumn);
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

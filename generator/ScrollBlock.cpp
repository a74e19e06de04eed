#include "generator/ScrollBlock.h"

#include "generator/ScrollPlan.h"
#include "generator/TextLines.h"

namespace corvane {

using text::AppendLine;

namespace {

void WriteHead(std::string& out, const ScrollPlan& plan)
{
    constexpr int kLastColumn = ScrollPlan::kColumnsPerLatch - 1;
    AppendLine(out, " For S = 0 To ", plan.endValue());
    switch (plan.direction()) {
    case ScrollDirection::Left:
        AppendLine(out, "  E = S + ", kLastColumn);
        AppendLine(out, "  For Refresh = 1 To ", plan.stepRefreshes());
        AppendLine(out, "   Scan = &H01");
        AppendLine(out, "   For I = S To E");
        break;
    case ScrollDirection::Right:
        AppendLine(out, "  M = ", plan.endValue(), " - S");
        AppendLine(out, "  E = M + ", kLastColumn);
        AppendLine(out, "  For Refresh = 1 To ", plan.stepRefreshes());
        AppendLine(out, "   Scan = &H01");
        AppendLine(out, "   For I = M To E");
        break;
    case ScrollDirection::Up:
    case ScrollDirection::Down:
        AppendLine(out, "  M = ", plan.stepRefreshes());
        AppendLine(out, "  If S = 0 Then M = ", plan.firstStepRefreshes());
        AppendLine(out, "  For Refresh = 1 To M");
        AppendLine(out, "   Scan = &H01");
        AppendLine(out, "   For I = 0 To ", kLastColumn);
        break;
    }
    AppendLine(out);
}

void WriteLatchPart(std::string& out, const ScrollPlan& plan, const std::string& labelNumber,
                    int latch)
{
    if (latch == 0) {
        out += "    Portd = Lookup(i , Text";
    } else {
        AppendLine(out, "    A = I + ", ScrollPlan::latchOffset(latch));
        out += "    Portd = Lookup(a , Text";
    }
    out += labelNumber;
    AppendLine(out, ")");
    switch (plan.rowShift()) {
    case ScrollPlan::RowShift::Left:
        AppendLine(out, "    Shift Portd , Left , S");
        break;
    case ScrollPlan::RowShift::Right:
        AppendLine(out, "    Shift Portd , Right , S");
        break;
    case ScrollPlan::RowShift::None:
        break;
    }
    AppendLine(out, "    Portb = ", ScrollPlan::strobeValue(latch));
    AppendLine(out, "    Portb = 0");
    AppendLine(out);
}

void WriteTail(std::string& out)
{
    WriteColumnTail(out);
    AppendLine(out, "   Next I");
    AppendLine(out, "  Next Refresh");
    AppendLine(out, " Next S");
    AppendLine(out);
}

} // namespace

void WriteColumnTail(std::string& out)
{
    AppendLine(out, "    Portc = Scan");
    AppendLine(out, "    Rotate Scan , Left , 1");
    AppendLine(out, "    Waitms ", ScrollPlan::kColumnWaitMs);
    AppendLine(out, "    Portc = 0");
    AppendLine(out);
}

void WriteScrollBlock(std::string& out, const ScrollBlockInput& input)
{
    const ScrollPlan plan(input);
    WriteHead(out, plan);
    for (int latch = 0; latch < plan.latchCount(); ++latch) {
        WriteLatchPart(out, plan, input.labelNumber, latch);
    }
    WriteTail(out);
}

} // namespace corvane

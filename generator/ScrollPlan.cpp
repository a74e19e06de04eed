#include "generator/ScrollPlan.h"

#include <algorithm>

namespace corvane {

ScrollPlan::ScrollPlan(const ScrollBlockInput& input)
    : m_direction(input.direction), m_refreshCount(input.refreshCount),
      m_latchCount(input.board.latchCount), m_boardWidth(input.board.columns())
{
    // The horizontal end value uses the width as chosen, not 5 × LatchCount.
    m_endValue = isVertical()
                     ? input.board.rowCount - 1
                     : m_boardWidth + kColumnsPerCharacter * static_cast<int>(input.textLength) - 1;
}

ScrollPlan::RowShift ScrollPlan::rowShift() const
{
    switch (m_direction) {
    case ScrollDirection::Up:
        return RowShift::Left;
    case ScrollDirection::Down:
        return RowShift::Right;
    default:
        return RowShift::None;
    }
}

int ScrollPlan::stepRefreshes() const
{
    return isVertical() ? kVerticalRefreshFactor * m_refreshCount : m_refreshCount;
}

int ScrollPlan::firstStepRefreshes() const
{
    return isVertical() ? kFirstVerticalRefreshFactor * m_refreshCount : m_refreshCount;
}

int ScrollPlan::firstIndex(int step, int latch) const
{
    switch (m_direction) {
    case ScrollDirection::Left:
        return step + latchOffset(latch);
    case ScrollDirection::Right:
        return m_endValue - step + latchOffset(latch);
    default:
        return latchOffset(latch);
    }
}

std::uint8_t ScrollPlan::rowBits(std::uint8_t tableByte, int step) const
{
    constexpr unsigned kRowMask = 0x7F; // Portd bit 7 drives no row
    const RowShift shift = rowShift();
    if (shift == RowShift::None) {
        return static_cast<std::uint8_t>(tableByte & kRowMask);
    }
    if (step >= 8) {
        return 0; // every bit of the 8-bit port has been shifted out
    }
    const unsigned shifted =
        shift == RowShift::Left ? unsigned{tableByte} << step : unsigned{tableByte} >> step;
    return static_cast<std::uint8_t>(shifted & kRowMask);
}

int ScrollPlan::maxLookupIndex() const
{
    if (m_latchCount == 0) {
        return -1;
    }
    const int lastLatch = m_latchCount - 1;
    const int widestStep = m_direction == ScrollDirection::Left ? m_endValue : 0;
    return firstIndex(widestStep, lastLatch) + kColumnsPerLatch - 1;
}

int ScrollPlan::largestCounterValue() const
{
    // I leaves its loop one above its last column, S one above endValue().
    const int loopExit =
        isVertical() ? std::max(kColumnsPerLatch, stepCount()) : m_endValue + kColumnsPerLatch;
    return std::max({maxLookupIndex(), loopExit, firstStepRefreshes()});
}

} // namespace corvane

#include "sign/ScrollPlan.h"

#include <algorithm>

namespace corvane {

ScrollPlan::ScrollPlan(const Message& message, const Board& board)
    : ScrollPlan(IsDirection(static_cast<int>(message.direction)) ? message.direction
                                                                  : ScrollDirection::Left,
                 RefreshCountOf(std::clamp(message.speed, kMinSpeed, kMaxSpeed)),
                 message.text.size(), board)
{}

ScrollPlan::ScrollPlan(ScrollDirection direction, int refreshCount, std::size_t textLength,
                       const Board& board)
    : m_direction(direction), m_refreshCount(refreshCount), m_latchCount(board.latchCount),
      m_boardWidth(board.columns())
{
    // The horizontal end value uses the width as chosen, not 5 × LatchCount.
    m_endValue = isVertical()
                     ? board.rowCount - 1
                     : m_boardWidth + kColumnsPerCharacter * static_cast<int>(textLength) - 1;
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

ScrollPlan::IndexRange ScrollPlan::readIndexes() const
{
    if (m_latchCount == 0) {
        return {};
    }
    // Left reads furthest at its last step, Right lowest there; Up and Down
    // read the same columns at every step.
    const int lastLatch = m_latchCount - 1;
    const int lastStep = m_endValue;
    const bool movesForward = m_direction == ScrollDirection::Left;
    const bool movesBackward = m_direction == ScrollDirection::Right;
    return {
        .first = firstIndex(movesBackward ? lastStep : 0, 0),
        .end = firstIndex(movesForward ? lastStep : 0, lastLatch) + kColumnsPerLatch,
    };
}

int ScrollPlan::shownColumns() const
{
    return std::min(m_boardWidth, kColumnsPerLatch * m_latchCount);
}

int ScrollPlan::maxLookupIndex() const
{
    return static_cast<int>(readIndexes().end) - 1;
}

int ScrollPlan::largestCounterValue() const
{
    // I leaves its loop one above its last column, S one above endValue().
    const int loopExit =
        isVertical() ? std::max(kColumnsPerLatch, stepCount()) : m_endValue + kColumnsPerLatch;
    return std::max({maxLookupIndex(), loopExit, firstStepRefreshes()});
}

} // namespace corvane

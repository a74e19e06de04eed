#include "sign/ScrollPlan.h"

#include "sign/StillPages.h"

#include <algorithm>
#include <string>

namespace corvane {

ScrollPlan::ScrollPlan(const Message& message, const Board& board)
    : ScrollPlan(IsDirection(static_cast<int>(message.direction)) ? message.direction
                                                                  : ScrollDirection::Left,
                 RefreshCountOf(std::clamp(message.speed, kMinSpeed, kMaxSpeed)),
                 message.text.size(), board)
{
    if (isStanding()) {
        placePages(message.text, board);
        return;
    }
    m_pause = std::clamp(message.pause, 0, kMaxPause);
    if (m_pause == 0) {
        return;
    }
    if (isVertical()) {
        m_heldStep = 0;
        return;
    }
    // The step at which the message's first column stands at board column
    // `at`: centred when the message fits, else at the left edge.
    const int textColumns = kColumnsPerCharacter * static_cast<int>(message.text.size()) - 1;
    const int shown = shownColumns();
    const int at = textColumns <= shown ? (shown - textColumns) / 2 : 0;
    const int firstColumn = latchOffset(m_latchCount);
    const int step =
        m_direction == ScrollDirection::Left ? firstColumn - at : m_endValue - firstColumn + at;
    m_heldStep = std::clamp(step, 0, m_endValue);
}

ScrollPlan::ScrollPlan(ScrollDirection direction, int refreshCount, std::size_t textLength,
                       const Board& board)
    : m_direction(direction), m_refreshCount(refreshCount), m_latchCount(board.latchCount),
      m_boardWidth(board.columns())
{
    // The horizontal end value uses the width as chosen, not 5 × LatchCount.
    m_endValue = isVertical()
                     ? board.rowCount - 1
                     : m_boardWidth + kColumnsPerCharacter * static_cast<int>(textLength) - 1;
    if (isStanding()) {
        placePages(std::string(textLength, 'A'), board);
    }
}

// Each page's characters follow LatchCount blank runs in the table; the
// window starts as many columns before them as centre them on the board.
void ScrollPlan::placePages(std::string_view text, const Board& board)
{
    const int shown = shownColumns();
    const int blanks = latchOffset(board.latchCount);
    m_pageStarts.clear();
    int tableIndex = 0;
    for (const StillPage& page : StillPagesOf(text, board.columns())) {
        tableIndex += blanks;
        const int pageColumns = kColumnsPerCharacter * static_cast<int>(page.length) - 1;
        m_pageStarts.push_back(tableIndex - std::max(0, (shown - pageColumns) / 2));
        tableIndex +=
            kColumnsPerCharacter * static_cast<int>(page.length + (page.dropsSpace ? 1 : 0));
    }
    m_endValue = static_cast<int>(m_pageStarts.size()) * stepsPerPage() - 1;
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

int ScrollPlan::stepsPerPage() const
{
    return m_direction == ScrollDirection::Blink ? 2 * m_refreshCount : m_refreshCount;
}

int ScrollPlan::stepRefreshes() const
{
    switch (m_direction) {
    case ScrollDirection::Still:
        return kStillStepRefreshes;
    case ScrollDirection::Blink:
        return kBlinkStepRefreshes;
    default:
        return isVertical() ? kVerticalRefreshFactor * m_refreshCount : m_refreshCount;
    }
}

int ScrollPlan::firstStepRefreshes() const
{
    return isVertical() ? kFirstVerticalRefreshFactor * m_refreshCount : stepRefreshes();
}

int ScrollPlan::refreshes(int step) const
{
    if (step == m_heldStep) {
        return heldRefreshes();
    }
    return step == 0 ? firstStepRefreshes() : stepRefreshes();
}

int ScrollPlan::heldRefreshes() const
{
    if (m_heldStep < 0) {
        return 0;
    }
    const int usual = m_heldStep == 0 ? firstStepRefreshes() : stepRefreshes();
    return usual + kRefreshesPerSecond * m_pause;
}

int ScrollPlan::largestRefreshes() const
{
    return std::max({firstStepRefreshes(), stepRefreshes(), heldRefreshes()});
}

int ScrollPlan::firstIndex(int step, int latch) const
{
    switch (m_direction) {
    case ScrollDirection::Left:
        return step + latchOffset(latch);
    case ScrollDirection::Right:
        return m_endValue - step + latchOffset(latch);
    case ScrollDirection::Still:
    case ScrollDirection::Blink: {
        const auto page = static_cast<std::size_t>(std::max(0, step) / stepsPerPage());
        return m_pageStarts.at(std::min(page, m_pageStarts.size() - 1)) + latchOffset(latch);
    }
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
    const int lastLatch = m_latchCount - 1;
    if (isStanding()) {
        const auto [lowest, highest] = std::ranges::minmax(m_pageStarts);
        return {.first = lowest, .end = highest + latchOffset(lastLatch) + kColumnsPerLatch};
    }
    // Left reads furthest at its last step, Right lowest there; Up and Down
    // read the same columns at every step.
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
    if (isStanding()) {
        // I leaves its loop one above the last page's last column, S one
        // above the last step.
        return std::max(static_cast<int>(readIndexes().end), stepCount());
    }
    // I leaves its loop one above its last column, S one above endValue(); M
    // holds the refreshes of Up's and Down's first step.
    const int loopExit =
        isVertical() ? std::max(kColumnsPerLatch, stepCount()) : m_endValue + kColumnsPerLatch;
    return std::max(
        {maxLookupIndex(), loopExit, isVertical() ? refreshes(0) : 0, firstStepRefreshes()});
}

} // namespace corvane

#include "editor/model/VerticalCut.h"

#include "sign/ScrollPlan.h"

namespace corvane {

std::size_t VerticalShownCharacters(const Board& board)
{
    // Up and Down read the same table columns at every step: those the board shows.
    const ScrollPlan plan(ScrollDirection::Up, kMinRefreshCount, 1, board);
    const int shownColumns = plan.shownColumns();
    if (shownColumns <= 0) {
        return 0;
    }
    const int lastLatch = (shownColumns - 1) / ScrollPlan::kColumnsPerLatch;
    const int tableColumns =
        plan.firstIndex(0, lastLatch) + (shownColumns - 1) % ScrollPlan::kColumnsPerLatch + 1;
    return static_cast<std::size_t>((tableColumns + ScrollPlan::kColumnsPerCharacter - 1) /
                                    ScrollPlan::kColumnsPerCharacter);
}

std::string CutWarningOf(const Message& message, const Board& board)
{
    if (!IsVertical(message.direction)) {
        return {};
    }
    const std::size_t shown = VerticalShownCharacters(board);
    if (message.text.size() <= shown) {
        return {};
    }
    return "Up and Down show the first " + std::to_string(shown) +
           (shown == 1 ? " character" : " characters") + " on this board";
}

} // namespace corvane

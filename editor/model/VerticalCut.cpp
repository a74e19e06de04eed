#include "editor/model/VerticalCut.h"

#include "generator/BoardSimulator.h"
#include "generator/ScrollPlan.h"

#include <algorithm>

namespace corvane {

std::size_t VerticalShownCharacters(const Board& board)
{
    // The columns the board shows and the table index each one reads, by the
    // rule the simulator draws them with.
    const ScrollBlockInput block{.direction = ScrollDirection::Up, .board = board};
    const ScrollPlan plan(block);
    const int shownColumns = BoardSimulator(block, {}).width();
    int tableColumns = 0;
    for (int column = 0; column < shownColumns; ++column) {
        const int latch = column / ScrollPlan::kColumnsPerLatch;
        tableColumns = std::max(tableColumns, plan.firstIndex(0, latch) +
                                                  column % ScrollPlan::kColumnsPerLatch + 1);
    }
    return static_cast<std::size_t>((tableColumns + ScrollPlan::kColumnsPerCharacter - 1) /
                                    ScrollPlan::kColumnsPerCharacter);
}

std::string CutWarningOf(const MessageEntry& entry, const Board& board)
{
    const int direction = DirectionOf(entry.itemData);
    if (!IsDirection(direction) || !IsVertical(static_cast<ScrollDirection>(direction))) {
        return {};
    }
    const std::size_t shown = VerticalShownCharacters(board);
    if (entry.text.size() <= shown) {
        return {};
    }
    return "Up and Down show the first " + std::to_string(shown) +
           (shown == 1 ? " character" : " characters") + " on this board";
}

} // namespace corvane

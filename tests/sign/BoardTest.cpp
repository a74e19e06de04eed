#include "sign/Board.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Board, NeedsOneLatchPerFiveColumnsRoundedUp)
{
    const std::pair<int, int> cases[] = {{5, 1},  {6, 2},  {10, 2}, {11, 3}, {18, 4},
                                         {20, 4}, {21, 5}, {35, 7}, {36, 8}, {40, 8}};
    for (const auto& [columns, latches] : cases) {
        EXPECT_EQ(Board::latchCountFor(columns), latches) << columns << " columns";
    }
}

// The edges of the list and its one gap, which every part that checks a
// width shares.
TEST(Board, ListsTheWidthsFiveToFortyWithoutThirtyEight)
{
    const std::pair<int, bool> cases[] = {{4, false}, {5, true},  {37, true}, {38, false},
                                          {39, true}, {40, true}, {41, false}};
    for (const auto& [columns, listed] : cases) {
        EXPECT_EQ(Board::isListedWidth(columns), listed) << columns << " columns";
    }
}

TEST(Board, OfWidthKeepsTheTextAndTakesItsLatches)
{
    EXPECT_EQ(Board::ofWidth("18"), (Board{"18", 4, 7}));
    EXPECT_EQ(Board::ofWidth("40").columns(), 40);
    EXPECT_EQ(Board{"wide"}.columns(), 0);
}

} // namespace
} // namespace corvane

#include "editor/model/controls/ListBox.h"
#include "editor/model/controls/OptionGroup.h"

#include <gtest/gtest.h>
#include <vector>

namespace corvane::test {
namespace {

struct RaisingCase
{
    ListBox::ClickRaising raising;
    std::vector<int> clicks; // total after each step
};

class ListBoxRaising : public ::testing::TestWithParam<RaisingCase>
{};

TEST_P(ListBoxRaising, ProgramSelectionRaisesClickAtOnce)
{
    ListBox list(GetParam().raising, "", true);
    for (const char* text : {"9", "8", "7"}) {
        list.addItem(text);
    }
    int clicks = 0;
    std::vector<int> totals;
    list.setClickHandler([&] { ++clicks; });
    list.select(1);
    totals.push_back(clicks);
    list.selectByText("8");
    totals.push_back(clicks);
    list.selectByText("0");
    EXPECT_FALSE(list.selectedIndex());
    EXPECT_EQ(list.selectedText(), "");
    totals.push_back(clicks);
    list.selectByText("0");
    totals.push_back(clicks);
    list.select(2);
    list.removeItem(2);
    EXPECT_FALSE(list.selectedIndex());
    totals.push_back(clicks);
    list.select(1);
    totals.push_back(clicks);
    EXPECT_EQ(totals, GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ListBoxRaising,
    ::testing::Values(RaisingCase{ListBox::ClickRaising::OnChange, {1, 1, 2, 2, 3, 4}},
                      RaisingCase{ListBox::ClickRaising::Always, {1, 2, 3, 4, 5, 6}}));

TEST(Controls, SelectionFollowsItsItemWithoutRaisingClick)
{
    ListBox list(ListBox::ClickRaising::OnChange, "", true);
    for (const char* text : {"a", "b", "c", "d"}) {
        list.addItem(text);
    }
    list.select(2);
    int clicks = 0;
    list.setClickHandler([&] { ++clicks; });
    list.insertItem(2, "x");
    EXPECT_EQ(list.selectedText(), "c");
    list.insertItem(4, "y");
    list.removeItem(0);
    EXPECT_EQ(list.selectedIndex(), 2u);
    list.removeItem(4);
    list.swapItems(1, 2);
    EXPECT_EQ(list.selectedIndex(), 2u);
    EXPECT_EQ(list.selectedText(), "x");
    EXPECT_EQ(list.itemData(0), 0);
    EXPECT_EQ(clicks, 0);
    list.clear();
    EXPECT_FALSE(list.selectedIndex());
}

TEST(Controls, OptionGroupRaisesClickEvenForTheSelectedButton)
{
    OptionGroup group({{"Left", "", true}, {"Right", "", true}});
    std::vector<std::size_t> clicked;
    group.setClickHandler([&](std::size_t index) { clicked.push_back(index); });
    group.select(0);
    group.select(1);
    group.select(1);
    EXPECT_EQ(clicked, (std::vector<std::size_t>{0, 1, 1}));
    EXPECT_EQ(group.selectedIndex(), 1u);
}

} // namespace
} // namespace corvane::test

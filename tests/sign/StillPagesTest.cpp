#include "sign/StillPages.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane {
namespace {

struct PagesCase
{
    std::string text;
    int columns = 0;
    std::vector<std::string> pages; // what each page shows
    std::vector<bool> dropsSpace;
};

void PrintTo(const PagesCase& row, std::ostream* out)
{
    *out << '"' << row.text << "\" on " << row.columns;
}

class StillPagesTest : public ::testing::TestWithParam<PagesCase>
{};

TEST_P(StillPagesTest, BreaksAtSpacesAndCutsLongWords)
{
    const PagesCase& row = GetParam();
    std::vector<std::string> shown;
    std::vector<bool> drops;
    for (const StillPage& page : StillPagesOf(row.text, row.columns)) {
        shown.push_back(row.text.substr(page.first, page.length));
        drops.push_back(page.dropsSpace);
    }
    EXPECT_EQ(shown, row.pages);
    EXPECT_EQ(drops, row.dropsSpace);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, StillPagesTest,
    ::testing::Values(
        // Five characters take 29 columns and four 23.
        PagesCase{"OPEN", 30, {"OPEN"}, {false}},
        PagesCase{"Fresh bread", 30, {"Fresh", "bread"}, {true, false}},
        PagesCase{"Fresh bread", 23, {"Fres", "h", "brea", "d"}, {false, true, false, false}},
        PagesCase{"AB CD EF", 30, {"AB CD", "EF"}, {true, false}},
        PagesCase{"ABCDE F", 29, {"ABCDE", "F"}, {true, false}},
        // The narrowest board shows a character a page.
        PagesCase{"A B", 5, {"A", "B"}, {true, false}},
        PagesCase{"Hi", 5, {"H", "i"}, {false, false}}, PagesCase{" ", 40, {" "}, {false}},
        PagesCase{"one two three", 40, {"one", "two", "three"}, {true, true, false}}));

} // namespace
} // namespace corvane

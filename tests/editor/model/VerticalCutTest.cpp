#include "editor/model/VerticalCut.h"

#include "bascom/ProgramWriter.h"
#include "sign/BoardSimulator.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace corvane::test {
namespace {

// The characters of `entry` that the simulated board lights at the first
// step of its block: for a text whose glyphs light every column, the count
// of characters the board shows at all.
std::size_t LitCharacters(const Message& entry, const Board& board)
{
    const BoardSimulator simulator(ShowOf(entry, board));
    std::set<std::size_t> lit;
    const auto frame = simulator.frame(0);
    for (std::size_t column = 0; column < frame.size(); ++column) {
        if (frame[column] != 0) {
            lit.insert(column / 6);
        }
    }
    return lit.size();
}

// Whatever the width, the count is what the board shows: "M" lights all five
// of its columns, so every character shown even in part lights one.
TEST(VerticalCut, CountsTheCharactersTheBoardShowsOnEveryWidth)
{
    for (int width = 5; width <= 40; ++width) {
        if (!Board::isListedWidth(width)) {
            continue;
        }
        const Board board = Board::ofWidth(std::to_string(width));
        const Message up{std::string(40, 'M'), ScrollDirection(2), 5};
        EXPECT_EQ(VerticalShownCharacters(board), LitCharacters(up, board)) << "width " << width;
    }
}

struct CutCase
{
    std::string text;
    int direction;
    std::string width;
    std::string warning;
};

class CutWarning : public ::testing::TestWithParam<CutCase>
{};

TEST_P(CutWarning, NamesWhatTheBoardShowsOfALongerUpOrDownMessage)
{
    const CutCase& cut = GetParam();
    EXPECT_EQ(
        CutWarningOf({cut.text, ScrollDirection(cut.direction), 5}, Board::ofWidth(cut.width)),
        cut.warning);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CutWarning,
    ::testing::Values(
        CutCase{"Second message", 2, "20", "Up and Down show the first 4 characters on this board"},
        CutCase{"Second message", 3, "40", "Up and Down show the first 7 characters on this board"},
        CutCase{"AB", 2, "5", "Up and Down show the first 1 character on this board"},
        CutCase{"Seco", 3, "20", ""}, CutCase{"Second message", 0, "20", ""},
        CutCase{"Second message", 1, "5", ""}));

} // namespace
} // namespace corvane::test

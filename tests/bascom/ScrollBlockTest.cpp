#include "bascom/ScrollBlock.h"

#include "tests/bascom/BasicInterpreter.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace corvane {
namespace {

using test::SplitLines;

std::string Block(ScrollDirection direction, int refreshCount, std::size_t length,
                  const std::string& width, int latchCount, const std::string& label = "07")
{
    std::string out;
    WriteScrollBlock(out, label,
                     ScrollPlan(direction, refreshCount, length,
                                Board{width, static_cast<std::uint8_t>(latchCount)}));
    return out;
}

int LatchCountOf(int width)
{
    return (width + 4) / 5;
}

TEST(ScrollBlock, RightHeadCountsDownFromTheSharedEndValue)
{
    const auto lines = SplitLines(Block(ScrollDirection::Right, 4, 3, "20", 4, "05"));
    const std::vector<std::string> head = {" For S = 0 To 37",
                                           "  M = 37 - S",
                                           "  E = M + 4",
                                           "  For Refresh = 1 To 4",
                                           "   Scan = &H01",
                                           "   For I = M To E",
                                           "",
                                           "    Portd = Lookup(i , Text05)",
                                           "    Portb = 1",
                                           "    Portb = 0",
                                           "",
                                           "    A = I + 5",
                                           "    Portd = Lookup(a , Text05)",
                                           "    Portb = 2"};
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
}

TEST(ScrollBlock, HorizontalEndValueUsesTheChosenWidth)
{
    // width + 6 × length − 1, also past 255, and never 5 × LatchCount.
    for (const auto& [width, length, end] :
         {std::tuple{"10", 2U, "21"}, {"18", 3U, "35"}, {"40", 45U, "309"}, {"5", 256U, "1540"}}) {
        for (const auto direction : {ScrollDirection::Left, ScrollDirection::Right}) {
            const auto lines =
                SplitLines(Block(direction, 3, length, width, LatchCountOf(std::stoi(width))));
            EXPECT_EQ(lines[0], std::string(" For S = 0 To ") + end) << width;
            if (direction == ScrollDirection::Right) {
                EXPECT_EQ(lines[1], std::string("  M = ") + end + " - S") << width;
            }
        }
    }
}

TEST(ScrollBlock, RefreshBoundsForSlowestAndFastestSpeed)
{
    for (const auto& [refresh, horizontal, vertical, first] :
         {std::tuple{10, "10", "30", "70"}, {1, "1", "3", "7"}}) {
        const auto left = SplitLines(Block(ScrollDirection::Left, refresh, 2, "20", 4));
        EXPECT_EQ(left[2], std::string("  For Refresh = 1 To ") + horizontal);
        const auto right = SplitLines(Block(ScrollDirection::Right, refresh, 2, "20", 4));
        EXPECT_EQ(right[3], std::string("  For Refresh = 1 To ") + horizontal);
        const auto down = SplitLines(Block(ScrollDirection::Down, refresh, 2, "20", 4));
        EXPECT_EQ(down[1], std::string("  M = ") + vertical);
        EXPECT_EQ(down[2], std::string("  If S = 0 Then M = ") + first);
    }
}

TEST(ScrollBlock, VerticalBlocksDependOnlyOnLabelRefreshAndLatches)
{
    for (int width = 5; width <= 40; ++width) {
        const int latches = LatchCountOf(width);
        const std::string up = Block(ScrollDirection::Up, 5, 1, "5", latches);
        const std::string down = Block(ScrollDirection::Down, 5, 1, "5", latches);
        for (const std::size_t length : {1U, 7U, 256U}) {
            EXPECT_EQ(Block(ScrollDirection::Up, 5, length, std::to_string(width), latches), up);
            EXPECT_EQ(Block(ScrollDirection::Down, 5, length, std::to_string(width), latches),
                      down);
        }
        EXPECT_EQ(test::ReplaceAll(down, "Shift Portd , Right", "Shift Portd , Left"), up);
    }
}

class ScrollBlockShape : public ::testing::TestWithParam<std::tuple<ScrollDirection, int>>
{};

TEST_P(ScrollBlockShape, HasOneLatchPartPerLatchAndTheCommonTail)
{
    const auto [direction, latches] = GetParam();
    const bool vertical = direction == ScrollDirection::Up || direction == ScrollDirection::Down;
    const std::string block = Block(direction, 2, 3, std::to_string(5 * latches), latches);
    const auto lines = SplitLines(block);

    // Head 6 (Left) or 7 lines; latch parts 3/4 (+1 shift line vertically) plus an empty line.
    const std::size_t head = direction == ScrollDirection::Left ? 6 : 7;
    const std::size_t firstPart = vertical ? 5 : 4;
    EXPECT_EQ(lines.size(), head + firstPart + (latches - 1) * (firstPart + 1) + 9);
    EXPECT_TRUE(block.ends_with(" Next S\r\n\r\n"));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.ends_with(' '); }));

    std::vector<std::string> strobes;
    std::vector<std::string> offsets;
    for (const std::string& line : lines) {
        if (line.starts_with("    Portb = ") && line != "    Portb = 0") {
            strobes.push_back(line.substr(12));
        }
        if (line.starts_with("    A = I + ")) {
            offsets.push_back(line.substr(12));
        }
    }
    std::vector<std::string> expectedStrobes;
    std::vector<std::string> expectedOffsets;
    for (int h = 0; h < latches; ++h) {
        expectedStrobes.push_back(std::to_string(1 << h));
        if (h > 0) {
            expectedOffsets.push_back(std::to_string(5 * h));
        }
    }
    EXPECT_EQ(strobes, expectedStrobes);
    EXPECT_EQ(offsets, expectedOffsets);
    const auto shifts = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.starts_with("    Shift Portd");
    });
    EXPECT_EQ(shifts, vertical ? latches : 0);
    const std::vector<std::string> tail = {"    Portc = Scan",
                                           "    Rotate Scan , Left , 1",
                                           "    Waitms 5",
                                           "    Portc = 0",
                                           "",
                                           "   Next I",
                                           "  Next Refresh",
                                           " Next S",
                                           ""};
    EXPECT_EQ(std::vector<std::string>(lines.end() - 9, lines.end()), tail);
}

INSTANTIATE_TEST_SUITE_P(
    DirectionsAndLatchCounts, ScrollBlockShape,
    ::testing::Combine(::testing::Values(ScrollDirection::Left, ScrollDirection::Right,
                                         ScrollDirection::Up, ScrollDirection::Down),
                       ::testing::Range(1, 9)));

} // namespace
} // namespace corvane

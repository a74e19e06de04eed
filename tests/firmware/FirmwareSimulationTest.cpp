#include "firmware/SignLayout.h"
#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "sign/GlyphTable.h"
#include "tests/firmware/SignSimulation.h"
#include "tests/firmware/SimulationMatrix.h"
#include "tests/sign/TextAt.h"

#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

using test::TextAt;

// The board is repainted at least 200 times a second.
constexpr long long kLongestPeriodCycles = CORVANE_CLOCK_HZ / 1000;
constexpr double kShareTolerance = 0.02;

class FirmwareSimulationTest : public ::testing::TestWithParam<ListCase>
{};

// The firmware on a simulated ATmega8 shows the same images, in the same
// order and for the same time, as the BASCOM program of the same list (or
// as the description of shows built as they are), then starts again at the
// first show. Every column period lasts at most 1 ms and its column is lit
// for its brightness's eighths of it (±2 %), the interrupts never wait for
// the main loop, and no latch changes while a column is lit.
TEST_P(FirmwareSimulationTest, ShowsWhatTheProgramShows)
{
    const ListRun run = RunList(GetParam());
    ASSERT_GE(run.shown.size(), run.expected.size() - 1);
    for (std::size_t index = 0; index + 1 < run.expected.size(); ++index) {
        SCOPED_TRACE("image " + std::to_string(index));
        ASSERT_EQ(run.shown[index].columns, run.expected[index].columns);
        // simavr takes one cycle more before the first timer interrupt.
        ASSERT_NEAR(run.shown[index].cycles, run.expected[index].cycles, index == 0 ? 1 : 0);
    }
    const ScanTiming& timing = run.timing;
    EXPECT_EQ(timing.latchChangesWhileLit, 0);
    EXPECT_EQ(timing.interruptsWhileAwake, 0);
    EXPECT_LE(timing.longestPeriodCycles, kLongestPeriodCycles);
    const double share = GetParam().brightness / static_cast<double>(CORVANE_BRIGHTNESS_STEPS);
    EXPECT_GE(timing.lowestLitShare, share * (1 - kShareTolerance));
    EXPECT_LE(timing.highestLitShare, share * (1 + kShareTolerance));
}

INSTANTIATE_TEST_SUITE_P(Lists, FirmwareSimulationTest, ::testing::ValuesIn(SimulationMatrix()),
                         [](const ::testing::TestParamInfo<ListCase>& info) {
                             return info.param.name;
                         });

// The shop's list of the README: OPEN centred for 5 s, SALE centred blinking twice, then the
// scroll that stops 2 s when "Fresh bread" reaches the left edge.
TEST(FirmwareSimulationTest, ShowsTheShopList)
{
    const std::vector<Message> shop = {{"OPEN", ScrollDirection::Still, 5},
                                       {"SALE", ScrollDirection::Blink, 8},
                                       {"Fresh bread", ScrollDirection::Left, 6, 2}};
    const Board board = Board::ofWidth("30");
    const auto firmware = std::get<std::vector<std::uint8_t>>(BuildFirmware(shop, board));
    SignSimulation simulation(IntelHex(firmware), board.latchCount);
    constexpr long long kMs = CORVANE_CLOCK_HZ / 1000;
    constexpr long long kStep = 4 * 25 * kMs; // a scroll step of speed 6
    ASSERT_TRUE(simulation.runUntilImages(8, 20'000 * kMs));
    const std::vector<BoardImage>& images = simulation.images();
    const std::vector<std::uint8_t> dark(30, 0);
    EXPECT_EQ(images[0].columns, TextAt("OPEN", 3, 30));
    EXPECT_NEAR(images[0].cycles, 5000 * kMs, 1);
    EXPECT_EQ(images[1], (BoardImage{TextAt("SALE", 3, 30), 500 * kMs}));
    EXPECT_EQ(images[2], (BoardImage{dark, 500 * kMs}));
    EXPECT_EQ(images[3], (BoardImage{TextAt("SALE", 3, 30), 500 * kMs}));
    // The scroll's first step is dark too.
    EXPECT_EQ(images[4], (BoardImage{dark, 500 * kMs + kStep}));
    const BoardImage stop{TextAt("Fresh bread", 0, 30), 2000 * kMs + kStep};
    ASSERT_TRUE(simulation.runUntilImages(40, 20'000 * kMs));
    EXPECT_EQ(simulation.images()[4 + 30], stop);
}

} // namespace
} // namespace corvane

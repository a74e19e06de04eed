#include "firmware/SignLayout.h"
#include "tests/firmware/SimulationMatrix.h"

#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

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

} // namespace
} // namespace corvane

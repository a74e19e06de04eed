#include "tests/firmware/SimulationMatrix.h"

#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

class FirmwareSimulationTest : public ::testing::TestWithParam<ListCase>
{};

// The firmware on a simulated ATmega8 shows the same images, in the same
// order and for the same time, as the BASCOM program of the same list, then
// starts again at the first message; no latch changes while a column is lit,
// and every column is lit for 5 ms ± 1 %.
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
    EXPECT_EQ(run.latchChangesWhileLit, 0);
    EXPECT_GE(run.shortestLitCycles, 4950);
    EXPECT_LE(run.longestLitCycles, 5050);
}

INSTANTIATE_TEST_SUITE_P(Lists, FirmwareSimulationTest, ::testing::ValuesIn(SimulationMatrix()),
                         [](const ::testing::TestParamInfo<ListCase>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace corvane

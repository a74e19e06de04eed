#include "tests/firmware/SignSimulation.h"

#include "firmware/SignLayout.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>

namespace corvane {
namespace {

constexpr int kLatches = 2;
constexpr long long kColumnCycles = CORVANE_CLOCK_HZ / 200; // the probe's 5 ms
constexpr long long kRefreshCycles = 5 * kColumnCycles;

std::string ScanProbeHex()
{
    std::ifstream file(CORVANE_SCAN_PROBE_HEX);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// What the probe latches: board column k shows 9 * (k + 1), or 0x7F minus that in its second
// picture.
std::vector<std::uint8_t> ProbePicture(int picture)
{
    std::vector<std::uint8_t> columns;
    for (int k = 0; k < 5 * kLatches; ++k) {
        const int rows = 9 * (k + 1);
        columns.push_back(static_cast<std::uint8_t>(picture == 0 ? rows : 0x7F - rows));
    }
    return columns;
}

// The probe latches a decoy through each transparent latch before the real rows, writes 0x7F
// while every latch holds, changes latch 1 once while column 2 is lit, and switches pictures
// every three refreshes of five 5 ms columns (Timer1, sleeping between columns but through one
// interrupt in refresh 16; simavr takes one cycle more before the first interrupt than before
// the others).
TEST(SignSimulation, ShowsWhatTheLatchesHeldWhenEachColumnLit)
{
    SignSimulation simulation(ScanProbeHex(), kLatches);
    ASSERT_TRUE(simulation.runUntilImages(5, 20 * kRefreshCycles));

    const std::vector<BoardImage>& images = simulation.images();
    for (std::size_t k = 0; k < images.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(images[k].columns, ProbePicture(static_cast<int>(k % 2)));
        EXPECT_NEAR(images[k].cycles, 3 * kRefreshCycles, k == 0 ? 1 : 0);
    }
    const ScanTiming& timing = simulation.timing();
    EXPECT_EQ(timing.latchChangesWhileLit, 1);
    // Each column is lit for its 5 ms slot less the dark gap while the latches are loaded.
    EXPECT_GT(timing.shortestLitCycles, kColumnCycles - 100);
    EXPECT_LT(timing.longestLitCycles, kColumnCycles);
    EXPECT_LE(timing.longestLitCycles - timing.shortestLitCycles, 1);
    EXPECT_EQ(timing.shortestPeriodCycles, kColumnCycles);
    EXPECT_EQ(timing.longestPeriodCycles, kColumnCycles);
    EXPECT_NEAR(timing.lowestLitShare,
                static_cast<double>(timing.shortestLitCycles) / kColumnCycles, 1e-9);
    // It sleeps between its interrupts, so far.
    EXPECT_EQ(timing.interruptsWhileAwake, 0);

    // The board keeps showing the picture that follows; its refreshes so far are counted.
    simulation.runCycles(kRefreshCycles);
    const std::optional<BoardImage> shown = simulation.currentImage();
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->columns, ProbePicture(1));
    EXPECT_GE(shown->cycles, kRefreshCycles);
    // In refresh 16 it stays awake through one interrupt.
    EXPECT_EQ(simulation.timing().interruptsWhileAwake, 1);
}

TEST(SignSimulation, RejectsACorruptedHex)
{
    std::string hex = ScanProbeHex();
    ASSERT_GT(hex.size(), 20u);
    hex[10] = hex[10] == '0' ? '1' : '0';
    EXPECT_THROW(SignSimulation(hex, kLatches), std::invalid_argument);
}

} // namespace
} // namespace corvane

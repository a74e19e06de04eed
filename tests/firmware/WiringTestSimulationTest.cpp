#include "firmware/SignLayout.h"
#include "flashimage/IntelHex.h"
#include "flashimage/WiringTestFirmware.h"
#include "sign/GlyphTable.h"
#include "sign/WiringTest.h"
#include "tests/firmware/SignSimulation.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace corvane {
namespace {

constexpr std::uint8_t kLit = 0x7F;
constexpr long long kCyclesPerRefresh = CORVANE_REFRESH_CYCLES;

struct Expected
{
    int phase = 1;
    std::vector<std::uint8_t> columns;
    long long refreshes = 0;
};

struct WiringCase
{
    const char* width;
    // Where each digit of the width starts in phase 5's picture.
    std::vector<std::pair<int, char>> widthDigits;
};

void PrintTo(const WiringCase& wiring, std::ostream* out)
{
    *out << "width " << wiring.width;
}

// The refreshes of each of `pictures` pictures sharing about 2 s (80 refreshes).
long long TwoSecondsShare(int pictures)
{
    return std::max(1LL, std::llround(80.0 / pictures));
}

// One pass of the wiring test, as its phases are described.
std::vector<Expected> ExpectedPass(const WiringCase& wiring)
{
    const int width = std::stoi(wiring.width);
    const int latches = (width + 4) / 5;
    const std::vector<std::uint8_t> dark(5U * latches, 0);
    std::vector<Expected> pass;
    // 1. Each latch alone, all 35 of its LEDs lit.
    for (int latch = 0; latch < latches; ++latch) {
        auto columns = dark;
        std::fill_n(columns.begin() + 5 * latch, 5, kLit);
        pass.push_back({1, columns, TwoSecondsShare(latches)});
    }
    // 2. Each row alone across the board, bottom row (bit 0) to top row (bit 6).
    for (int row = 0; row < 7; ++row) {
        pass.push_back({2, std::vector(dark.size(), std::uint8_t(1 << row)), TwoSecondsShare(7)});
    }
    // 3. Each column of the board alone, left to right.
    for (int column = 0; column < width; ++column) {
        auto columns = dark;
        columns[column] = kLit;
        pass.push_back({3, columns, TwoSecondsShare(width)});
    }
    // 4. Everything lit for a second.
    pass.push_back({4, std::vector(dark.size(), kLit), 40});
    // 5. The width in digits for two seconds.
    auto columns = dark;
    for (const auto& [start, digit] : wiring.widthDigits) {
        const auto glyph = GlyphColumns(static_cast<unsigned char>(digit));
        std::copy(glyph.begin(), glyph.end(), columns.begin() + start);
    }
    pass.push_back({5, columns, 80});
    return pass;
}

class WiringTestSimulation : public ::testing::TestWithParam<WiringCase>
{};

// The wiring test firmware on a simulated ATmega8 shows every phase's
// pictures in order and for their time, then starts over with latch 0.
TEST_P(WiringTestSimulation, ShowsEachPhaseInOrderForItsTime)
{
    const Board board = Board::ofWidth(GetParam().width);
    const FirmwareResult firmware = WiringTestFirmware(board);
    ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(firmware));
    SignSimulation simulation(IntelHex(std::get<std::vector<std::uint8_t>>(firmware)),
                              board.latchCount);

    const std::vector<Expected> pass = ExpectedPass(GetParam());
    long long passCycles = 0;
    for (const Expected& image : pass) {
        passCycles += image.refreshes * kCyclesPerRefresh;
    }
    // The whole pass, and the first picture of the next one.
    const std::size_t count = pass.size() + 1;
    ASSERT_TRUE(simulation.runUntilImages(count, 2 * passCycles));

    for (std::size_t index = 0; index < count; ++index) {
        const Expected& expected = pass[index % pass.size()];
        const BoardImage& shown = simulation.images()[index];
        SCOPED_TRACE("image " + std::to_string(index) + ", phase " +
                     std::to_string(expected.phase));
        ASSERT_EQ(shown.columns, expected.columns);
        // simavr takes one cycle more before the first timer interrupt.
        ASSERT_NEAR(shown.cycles, expected.refreshes * kCyclesPerRefresh, index == 0 ? 1 : 0);
    }
    EXPECT_EQ(simulation.timing().latchChangesWhileLit, 0);
}

INSTANTIATE_TEST_SUITE_P(Boards, WiringTestSimulation,
                         ::testing::Values(WiringCase{"5", {{0, '5'}}},
                                           WiringCase{"18", {{3, '1'}, {9, '8'}}},
                                           WiringCase{"40", {{14, '4'}, {20, '0'}}}),
                         [](const ::testing::TestParamInfo<WiringCase>& info) {
                             return std::string("Width") + info.param.width;
                         });

} // namespace
} // namespace corvane

#pragma once

#include "sign/Board.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

// The wiring test walks a freshly soldered board through known pictures, so
// that each wiring fault shows as a picture wrong in a way that names it.
// Its phases, in the order shown, over and over:
enum class WiringPhase : std::uint8_t
{
    Latches, // each latch alone, all 35 of its LEDs lit: latch 0 to the last
    Rows,    // each row alone across the board: the bottom row to the top
    Columns, // each column of the board alone, left to right
    AllLit,  // every LED lit for a second: the board's brightest current
    Width    // the width the board was built for, in digits, for two seconds
};

inline constexpr std::array<WiringPhase, 5> kWiringPhases = {
    WiringPhase::Latches, WiringPhase::Rows, WiringPhase::Columns, WiringPhase::AllLit,
    WiringPhase::Width};

// "Latches", "Rows", "Columns", "All Lit", "Width".
std::string_view WiringPhaseName(WiringPhase phase);

// One still picture of the wiring test.
struct WiringImage
{
    WiringPhase phase = WiringPhase::Latches;
    // The 5 × latchCount driven columns, left to right; bit 0 is the bottom row.
    std::vector<std::uint8_t> columns{};
    // How long it stays, in refreshes of the five columns (25 ms each).
    int refreshes = 1;

    friend bool operator==(const WiringImage&, const WiringImage&) = default;
};

// The refreshes each picture of a phase of `imageCount` pictures lasts: the
// whole number nearest 2 s / imageCount (80 refreshes), at least one, so that
// the phase takes about 2 s at a steady pace.
int WiringRefreshesPerImage(int imageCount);

// The pictures of one pass of the test, phase by phase. Phases 1, 2 and 4
// drive every latch output, those past the board's edge included; phase 3
// walks only the columns on the board. Throws std::invalid_argument for a
// board of a width the width list does not offer or of the wrong latch count.
std::vector<WiringImage> WiringTestImages(const Board& board);

} // namespace corvane

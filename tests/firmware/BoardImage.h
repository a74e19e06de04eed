#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

// One distinct picture on the board; consecutive identical refreshes are merged into one image.
struct BoardImage
{
    // 5 * latchCount columns, left to right; bit 0 is the bottom row, bit 7 is always clear.
    std::vector<std::uint8_t> columns;
    // From the moment column 0 lit for its first refresh to the moment column 0 lit for the next
    // different image's first refresh, so it includes the dark latching gaps.
    long long cycles = 0;

    friend bool operator==(const BoardImage&, const BoardImage&) = default;
};

} // namespace corvane

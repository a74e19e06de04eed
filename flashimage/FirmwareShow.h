#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

// One show the sign engine plays: a column table and how it moves through it.
// During step S latch h shows in column c the byte at
// firstIndex ± S + 5h + c (Forward, Backward), or at firstIndex + 5h + c
// shifted S rows (RowsUp, RowsDown) or as it is (Still). A blinking show is
// dark during every odd step. Each step lasts its refreshes of 25 ms, as a
// refresh of the five columns of the BASCOM program does; the held step, if
// any, lasts heldRefreshes instead.
struct FirmwareShow
{
    enum class Motion : std::uint8_t
    {
        Forward = 0,
        Backward = 1,
        RowsUp = 2,
        RowsDown = 3,
        Still = 4
    };

    std::vector<std::uint8_t> table{}; // covers every index the show reads
    std::uint16_t stepCount = 1;
    std::uint16_t firstIndex = 0;
    Motion motion = Motion::Forward;
    bool blink = false;
    std::uint8_t firstRefreshes = 1;
    std::uint8_t refreshes = 1;
    std::uint16_t heldStep = 0;
    std::uint16_t heldRefreshes = 0; // 0: no step is held
};

} // namespace corvane

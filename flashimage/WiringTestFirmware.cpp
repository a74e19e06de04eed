#include "flashimage/WiringTestFirmware.h"

#include "flashimage/FirmwareShow.h"
#include "sign/WiringTest.h"

#include <utility>
#include <vector>

namespace corvane {

FirmwareResult WiringTestFirmware(const Board& board)
{
    std::vector<FirmwareShow> shows;
    for (WiringImage& image : WiringTestImages(board)) {
        const auto refreshes = static_cast<std::uint8_t>(image.refreshes);
        shows.push_back({.table = std::move(image.columns),
                         .stepCount = 1,
                         .firstIndex = 0,
                         .motion = FirmwareShow::Motion::Still,
                         .firstRefreshes = refreshes,
                         .refreshes = refreshes});
    }
    return LinkFirmware(shows, board.latchCount);
}

} // namespace corvane

#pragma once

#include "flashimage/Firmware.h"
#include "sign/Board.h"

namespace corvane {

// The wiring test as a firmware for the sign engine: one still show per
// picture.
FirmwareResult WiringTestFirmware(const Board& board);

} // namespace corvane

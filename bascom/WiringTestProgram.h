#pragma once

#include "sign/Board.h"

#include <string>

namespace corvane {

// The wiring test (WiringTestImages) as a BASCOM-AVR program in the style of
// the message programs: the same banner and header, one titled block per
// phase that shows its pictures in turn for their refreshes, and one data
// table per phase holding the pictures one after another. Throws
// std::invalid_argument for a board WiringTestImages refuses.
std::string RenderWiringTestProgram(const Board& board);

} // namespace corvane

#pragma once

#include "generator/ScrollBlockInput.h"

#include <string>

namespace corvane {

// Appends the message's scroll block: whole lines, each ending in CR LF, the
// last one the empty line after " Next S".
void WriteScrollBlock(std::string& out, const ScrollBlockInput& input);

} // namespace corvane

#pragma once

#include "sign/ScrollPlan.h"

#include <string>

namespace corvane {

// Appends the message's scroll block: whole lines, each ending in CR LF, the
// last one the empty line after " Next S".
void WriteScrollBlock(std::string& out, const std::string& labelNumber, const ScrollPlan& plan);

// The lines that end each column of a block, once every latch holds it: light
// the column for 5 ms, move Scan on to the next, darken the board; then an
// empty line.
void WriteColumnTail(std::string& out);

} // namespace corvane

#pragma once

#include "generator/MessageEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

// What one message's scroll block is made from.
struct ScrollBlockInput
{
    std::string labelNumber = "00";
    ScrollDirection direction = ScrollDirection::Left;
    std::uint8_t refreshCount = 1; // 10 minus the speed: 1 to 10
    std::size_t textLength = 1;
    std::string widthText = "20"; // board width in LED columns, as the width list shows it
    std::uint8_t latchCount = 4;  // 1 to 8
    std::uint8_t rowCount = 7;
};

// Appends the message's scroll block: whole lines, each ending in CR LF, the
// last one the empty line after " Next S".
void WriteScrollBlock(std::string& out, const ScrollBlockInput& input);

} // namespace corvane

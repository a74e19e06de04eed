#pragma once

#include "generator/Board.h"
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
    std::uint8_t refreshCount = 1; // RefreshCountOf(speed): 1 to 10
    std::size_t textLength = 1;
    Board board{};
};

} // namespace corvane

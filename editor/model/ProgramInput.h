#pragma once

#include "generator/MessageEntry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// What the program writer needs from the editor once a file name was chosen.
struct ProgramInput
{
    std::vector<MessageEntry> entries{}; // in list order
    std::string width{};                 // the selected width's text
    std::uint8_t latchCount = 0;
    std::uint8_t rowCount = 0;
};

} // namespace corvane

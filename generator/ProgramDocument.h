#pragma once

#include "generator/Board.h"
#include "generator/MessageEntry.h"

#include <vector>

namespace corvane {

// A program as the editor holds it and the writer renders it: the messages in
// list order and the board they scroll on.
struct ProgramDocument
{
    std::vector<MessageEntry> entries{};
    Board board{};

    friend bool operator==(const ProgramDocument&, const ProgramDocument&) = default;
};

} // namespace corvane

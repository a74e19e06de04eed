#pragma once

#include "sign/Board.h"
#include "sign/Message.h"

#include <cstddef>
#include <vector>

namespace corvane {

// A program as the editor holds it and the writer renders it: the messages in
// list order (at most 256, one table label each from Text00 to Text255) and
// the board they scroll on.
struct ProgramDocument
{
    static constexpr std::size_t kMaxEntries = 256;

    std::vector<Message> entries{};
    Board board{};

    friend bool operator==(const ProgramDocument&, const ProgramDocument&) = default;
};

} // namespace corvane

#pragma once

#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/Message.h"
#include "sign/ScrollPlan.h"

#include <cstdint>
#include <vector>

namespace corvane {

// A message's show on a board: its column table and how it moves over it.
struct Show
{
    ScrollPlan plan;
    std::vector<std::uint8_t> table{}; // ColumnTableBytes of the message
};

Show ShowOf(const Message& message, const Board& board, const Font& font = Font::builtIn());

} // namespace corvane

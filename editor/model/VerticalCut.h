#pragma once

#include "sign/Board.h"
#include "sign/Message.h"

#include <cstddef>
#include <string>

namespace corvane {

// How many characters of an Up or Down message the board shows, whole or in
// part: a vertical block keeps its window on the first columns of its table,
// six to a character, so a longer message is cut ("Seco" of "Second message"
// on a board of width 20).
std::size_t VerticalShownCharacters(const Board& board);

// "Up and Down show the first 4 characters on this board" for an Up or Down
// entry longer than the board shows; empty for any other.
std::string CutWarningOf(const Message& entry, const Board& board);

} // namespace corvane

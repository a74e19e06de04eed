#pragma once

#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/Message.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

// A message's column table: its columns in order, five glyph columns and one
// gap column per character, with runs of five blank columns before and after
// them. A standing message's table has its pages one after another (each page
// with the space it breaks at), with LatchCount blank runs before each page
// and after the last.

// The runs of five blank columns a table holds before and after its characters.
struct BlankColumnLines
{
    std::size_t leading = 0;
    std::size_t trailing = 0;
};
BlankColumnLines BlankLinesOf(ScrollDirection direction, std::size_t textLength,
                              std::uint8_t latchCount);

// The blank runs before each page of a standing message on the board, and
// after the last one.
std::vector<std::size_t> StandingBlankLinesOf(const Message& message, const Board& board);

// The column bytes of the message's table in the font; bit 0 the bottom row.
std::vector<std::uint8_t> ColumnTableBytes(const Message& message, const Board& board,
                                           const Font& font = Font::builtIn());

// The number of bytes of the message's table: six per character plus five per
// blank run.
std::size_t ColumnTableSize(const Message& message, const Board& board);
// The same for every table of a list.
std::size_t ColumnTablesSize(std::span<const Message> messages, const Board& board);

// The same on a board of 5 × latchCount columns.
std::vector<std::uint8_t> ColumnTableBytes(const Message& message, std::uint8_t latchCount,
                                           const Font& font = Font::builtIn());
std::size_t ColumnTableSize(const Message& message, std::uint8_t latchCount);
std::size_t ColumnTablesSize(std::span<const Message> messages, std::uint8_t latchCount);

} // namespace corvane

#pragma once

#include "generator/Board.h"
#include "generator/GlyphTable.h"
#include "generator/MessageEntry.h"
#include "generator/ScrollBlockInput.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// The message index as decimal text of at least two digits: 0 → "00", 123 → "123".
std::string LabelNumber(std::size_t index);

// The scroll block of entry `index`. A direction outside 0 to 3 is taken as
// Left and a speed above 9 as 9, so the refresh count stays within 1 to 10.
ScrollBlockInput MakeScrollBlockInput(std::size_t index, const MessageEntry& entry,
                                      const Board& board);

// The blank-column lines ("Data &H00 , &H00 , &H00 , &H00 , &H00") a data
// table holds before and after its characters.
struct BlankColumnLines
{
    std::size_t leading = 0;
    std::size_t trailing = 0;
};
BlankColumnLines BlankLinesOf(ScrollDirection direction, std::size_t textLength,
                              std::uint8_t latchCount);

// The column bytes the entry's data table holds, in the order of its Data lines.
std::vector<std::uint8_t> DataTableBytes(const MessageEntry& entry, std::uint8_t latchCount);

// The number of bytes on the Data lines of the entry's table, counted from
// the rules that write it: six per character plus five per blank-column line.
std::size_t DataTableSize(const MessageEntry& entry, std::uint8_t latchCount);
// The same for every table of a list.
std::size_t DataTablesSize(std::span<const MessageEntry> entries, std::uint8_t latchCount);

// The whole generated BASCOM-AVR program for the entries in list order, as the
// bytes of the file. Requires a filled glyph table (throws
// std::invalid_argument otherwise).
std::string RenderProgram(std::span<const MessageEntry> entries, const Board& board,
                          const GlyphTable& glyphs);

} // namespace corvane

#pragma once

#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/GlyphTable.h"
#include "sign/Message.h"

#include <cstddef>
#include <span>
#include <string>

namespace corvane {

// The message index as decimal text of at least two digits: 0 → "00", 123 → "123".
std::string LabelNumber(std::size_t index);

// The whole generated BASCOM-AVR program for the messages in list order, as
// the bytes of the file. Each character's Data line carries its glyph in the
// font (a drawn one where the font has it) and, in its comment, the
// character's Windows-1252 byte. Requires a filled glyph table (throws
// std::invalid_argument otherwise).
std::string RenderProgram(std::span<const Message> messages, const Board& board,
                          const GlyphTable& glyphs, const Font& font = Font::builtIn());

} // namespace corvane

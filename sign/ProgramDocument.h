#pragma once

#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/Message.h"

#include <cstddef>
#include <vector>

namespace corvane {

// A program as the editor holds it and the writer renders it: the messages in
// list order (at most 256, one table label each from Text00 to Text255) and
// the board they scroll on, and the glyphs it draws differently from the
// built-in font (Font keeps only those).
struct ProgramDocument
{
    static constexpr std::size_t kMaxEntries = 256;

    std::vector<Message> entries{};
    Board board{};
    DrawnGlyphs glyphs{};

    Font font() const { return Font(glyphs); }

    friend bool operator==(const ProgramDocument&, const ProgramDocument&) = default;
};

} // namespace corvane

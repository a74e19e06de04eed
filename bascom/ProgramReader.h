#pragma once

#include "sign/GlyphTable.h"
#include "sign/ProgramDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane {

// Why a file is not a program Corvane wrote: the 1-based line where it departs
// from one and what was expected there. Corvane's own wiring test is a kind
// of its own: it has no messages, and the line is that of its first title.
struct ReadFailure
{
    enum class Kind : std::uint8_t
    {
        NotAProgram,
        WiringTest
    };

    std::size_t line = 0;
    std::string reason;
    Kind kind = Kind::NotAProgram;
    int wiringTestColumns = 0; // the width a wiring test was built for

    friend bool operator==(const ReadFailure&, const ReadFailure&) = default;
};

// A program read back, and whether its file holds exactly the bytes
// RenderProgram gives for it; Save would write any other file differently.
struct ProgramRead
{
    ProgramDocument document{};
    bool asWritten = true;
};

using ReadResult = std::variant<ProgramRead, ReadFailure>;

// Reads back the message list and board of a program RenderProgram wrote, so
// that rendering the result gives the same bytes. Besides, it reads what other
// writers leave in such a file, counting it as not written so: a leading UTF-8
// byte order mark, LF line ends throughout, one final empty line, short Up or
// Down tables without the blank lines that pad them to the board's columns,
// and table counters all declared As Byte where the tables need words.
// A file whose messages all scroll Up or Down does not show its width; it is
// read as five columns per latch. A Data line whose glyph differs from the
// built-in one of its comment's character is that character drawn anew, kept
// in the document's glyphs; a character drawn two ways is refused at its
// second drawing, naming the first. Anything else is refused. Requires a filled
// glyph table (throws std::invalid_argument otherwise).
ReadResult ReadProgram(std::string_view bytes, const GlyphTable& glyphs);

} // namespace corvane

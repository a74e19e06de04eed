#include "generator/ProgramReader.h"
#include "generator/ProgramWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace corvane;

const GlyphTable& Glyphs()
{
    static const GlyphTable table = [] {
        GlyphTable filled;
        FillGlyphTable(filled);
        return filled;
    }();
    return table;
}

std::string WithLfOnly(std::string_view crlf)
{
    std::string lf;
    lf.reserve(crlf.size());
    for (const char byte : crlf) {
        if (byte != '\r') {
            lf += byte;
        }
    }
    return lf;
}

// An accepted file is the rendered program, with CR LF or LF line ends, with
// or without one final empty line.
bool IsRenderingOf(std::string_view bytes, const ProgramDocument& document)
{
    const std::string crlf = RenderProgram(document.entries, document.board, Glyphs());
    const std::string lf = WithLfOnly(crlf);
    return bytes == crlf || bytes == crlf + "\r\n" || bytes == lf || bytes == lf + "\n";
}

} // namespace

// Whatever the bytes, the reader either refuses them at a line of the file (or
// the one after its end) with a reason, or accepts exactly a written program.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult result = ReadProgram(bytes, Glyphs());
    if (const auto* failure = std::get_if<ReadFailure>(&result)) {
        const auto lineEnds =
            static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        if (failure->line == 0 || failure->line > lineEnds + 2 || failure->reason.empty()) {
            std::abort();
        }
        return 0;
    }
    if (!IsRenderingOf(bytes, std::get<ProgramDocument>(result))) {
        std::abort();
    }
    return 0;
}

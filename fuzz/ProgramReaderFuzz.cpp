#include "bascom/ProgramReader.h"
#include "bascom/ProgramText.h"
#include "bascom/ProgramWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The table counters' declarations in one type: a file may declare them As
// Byte where the program declares words.
std::string OneCounterType(std::string line)
{
    for (const program::Variable& variable : program::kVariables) {
        const std::string byteCounter = std::string(program::kDimPrefix) +
                                        std::string(variable.name) +
                                        std::string(program::kByteType);
        if (variable.indexesTables && line == byteCounter) {
            return std::string(program::kDimPrefix) + std::string(variable.name) +
                   std::string(program::kWordType);
        }
    }
    return line;
}

// The lines of a program file without their line ends, the byte order mark,
// a final empty line and the blank-column lines of vertical tables, with the
// counters in one type: what the reader lets a file leave out, add or change.
std::vector<std::string> Essential(std::string_view bytes, const ProgramDocument& document)
{
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string> lines;
    std::size_t table = 0;
    bool inTables = false;
    bool vertical = false;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string line(bytes.substr(0, end));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (line.starts_with(program::kTablePrefix) && line.ends_with(program::kLabelEnd)) {
            vertical = IsVertical(document.entries.at(table++).direction);
            inTables = true;
        }
        if (!(inTables && vertical && line == program::kBlankColumnLine)) {
            lines.push_back(OneCounterType(std::move(line)));
        }
    }
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// An accepted file is the rendered program, less what the reader lets a file
// change; it counts as written so only when it is exactly that program.
bool IsRenderingOf(std::string_view bytes, const ProgramRead& read)
{
    const ProgramDocument& document = read.document;
    const std::string rendered =
        RenderProgram(document.entries, document.board, Glyphs(), document.font());
    return read.asWritten == (bytes == rendered) &&
           Essential(bytes, document) == Essential(rendered, document);
}

} // namespace

// Whatever the bytes, the reader either refuses them at a line of the file (or
// the one after its end) with a reason, or accepts a written program in one of
// the forms it allows.
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
    if (!IsRenderingOf(bytes, std::get<ProgramRead>(result))) {
        std::abort();
    }
    return 0;
}

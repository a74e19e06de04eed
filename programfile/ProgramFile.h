#pragma once

#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/GlyphTable.h"
#include "sign/Message.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

struct WriteFailure
{
    std::string path;
    std::string reason; // the system's reason text
};

// Creates or replaces the file at utf8Path with exactly `bytes`. The bytes go
// to a temporary file in the same folder that then replaces the target in one
// step, once every write and the sync to disk have succeeded: on failure (a
// full disk too) an existing file keeps its old content, no temporary file is
// left behind, and the reason is the system's. A target that exists and is
// no regular file (a folder, a device, a named pipe, a socket) is refused,
// untouched: a file would take its place.
std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes);

// The same for bytes built from the file at utf8SourcePath, which the write
// refuses to replace, under its own name or any other (a hard link, a path
// through a symbolic link).
std::optional<WriteFailure> WriteFileBuiltFrom(const std::string& utf8Path, std::string_view bytes,
                                               const std::string& utf8SourcePath);

// The sync to disk of the temporary file's descriptor: fdatasync's contract,
// 0 or −1 with errno set. Tests pass their own to fail it, or to act between
// the sync and the replacing rename.
using DataSync = std::function<int(int fd)>;
std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes,
                                             const DataSync& dataSync);

// Renders the program for the entries (RenderProgram) and writes it to utf8Path.
std::optional<WriteFailure> WriteProgram(const std::string& utf8Path,
                                         std::span<const Message> entries, const Board& board,
                                         const GlyphTable& glyphs,
                                         const Font& font = Font::builtIn());

} // namespace corvane

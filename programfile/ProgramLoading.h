#pragma once

#include "bascom/ProgramReader.h"
#include "sign/GlyphTable.h"

#include <QString>
#include <variant>

namespace corvane {

// Programs Corvane writes stay under 5 MB; a file larger than this is refused,
// read no further than one byte past it.
inline constexpr qint64 kMaxProgramFileSize = qint64{16} * 1024 * 1024;

// Why a file did not open: a sentence for the user that names the file, and,
// for content that is not a program Corvane wrote, the line and what was
// expected there as details ("Line 1: expected ..."); empty otherwise. The
// wiring test Corvane writes is refused in a sentence of its own, without
// details.
struct LoadFailure
{
    QString message;
    QString details;
};

using LoadResult = std::variant<ProgramRead, LoadFailure>;

// Reads the program at `path` back into its messages and board, or says why
// it cannot. A path that is not a regular file (a folder, a named pipe, a
// device, a socket) is refused by what it is, unread (ReadRegularFile):
// reading a pipe or a device could wait for ever.
LoadResult LoadProgram(const QString& path, const GlyphTable& glyphs);

} // namespace corvane

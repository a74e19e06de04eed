#pragma once

#include "generator/GlyphTable.h"
#include "generator/ProgramDocument.h"

#include <QString>
#include <variant>

namespace corvane {

// Programs Corvane writes stay under 5 MB; a file larger than this is refused,
// read no further than one byte past it.
inline constexpr qint64 kMaxProgramFileSize = qint64{16} * 1024 * 1024;

// Reads the program at `path` back into its messages and board, or says why
// it cannot: the message names the file and, for content that is not a
// program Corvane wrote, the line and what was expected there.
std::variant<ProgramDocument, QString> LoadProgram(const QString& path, const GlyphTable& glyphs);

} // namespace corvane

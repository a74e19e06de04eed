#pragma once

#include "bascom/ProgramWriter.h"
#include "sign/GlyphTable.h"
#include "sign/ProgramDocument.h"
#include "tests/sign/FilledGlyphs.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace corvane::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `program` at `path` as Save writes it; returns the path.
inline QString WriteProgramFile(const QString& path, const ProgramDocument& program)
{
    const GlyphTable& glyphs = test::FilledGlyphs();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(
            QByteArray::fromStdString(RenderProgram(program.entries, program.board, glyphs)));
    }
    return path;
}

} // namespace corvane::test

#pragma once

#include <QFileInfo>
#include <QLocale>
#include <QString>

namespace corvane {

// The line that confirms a file written at `path`: "Saved sign.bas (2,214 bytes)".
inline QString WrittenNote(const QString& verb, const QString& path)
{
    const QFileInfo file(path);
    return QStringLiteral("%1 %2 (%3 bytes)")
        .arg(verb, file.fileName(), QLocale(QLocale::English).toString(file.size()));
}

} // namespace corvane

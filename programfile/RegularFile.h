#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace corvane {

// What a path names when it is no regular file.
enum class NotAFile : std::uint8_t
{
    Folder,
    NamedPipe,
    Device,
    Socket,
    Other
};

// What the path names when it exists and is no regular file, symbolic links
// followed; nothing for a regular file or a path that does not exist. Only
// the path's status is read, so nothing waits on a pipe or starts a device.
std::optional<NotAFile> NotAFileAt(const QString& path);

// "x.bas is a named pipe, not a file."
QString NotAFileSentence(const QString& fileName, NotAFile what);
// "Is a named pipe, not a file": a reason in the words of the system's own.
QString NotAFileReason(NotAFile what);

// Whether both paths exist and are one file (the same device and inode),
// whatever their names.
bool IsSameFile(const QString& first, const QString& second);

// A regular file's bytes, or why they were not read.
struct FileBytes
{
    enum class Outcome : std::uint8_t
    {
        Read,
        NotAFile,
        TooLarge,
        Failed
    };

    Outcome outcome = Outcome::Read;
    QByteArray bytes;
    NotAFile notAFile = NotAFile::Other; // when the outcome is NotAFile
    QString error;                       // when it is Failed: the system's reason
};

// Runs between reading the path's status and opening it; tests swap the file there.
using BeforeOpen = std::function<void()>;

// Reads the regular file at `path`, refusing it as too large beyond `maxSize`
// bytes and reading no further than one byte past that. What is no regular
// file is refused by what it is, unread: first by the path's status, then by
// the status of what was opened. The opening itself does not wait (a named
// pipe put in the file's place meanwhile opens at once and is refused); only
// a regular file is then read, waiting as usual.
FileBytes ReadRegularFile(const QString& path, qint64 maxSize, const BeforeOpen& beforeOpen = {});

} // namespace corvane

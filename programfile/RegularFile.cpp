#include "programfile/RegularFile.h"

#include "programfile/FormText.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

std::optional<NotAFile> NotAFileOf(mode_t mode)
{
    if (S_ISREG(mode)) {
        return std::nullopt;
    }
    if (S_ISDIR(mode)) {
        return NotAFile::Folder;
    }
    if (S_ISFIFO(mode)) {
        return NotAFile::NamedPipe;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return NotAFile::Device;
    }
    if (S_ISSOCK(mode)) {
        return NotAFile::Socket;
    }
    return NotAFile::Other;
}

std::optional<struct stat> StatusOf(const QString& path)
{
    struct stat status
    {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return status;
}

FileBytes Refused(NotAFile what)
{
    return {FileBytes::Outcome::NotAFile, {}, what, {}};
}

FileBytes Failed(QString error)
{
    return {FileBytes::Outcome::Failed, {}, NotAFile::Other, std::move(error)};
}

FileBytes TooLarge()
{
    return {FileBytes::Outcome::TooLarge, {}, NotAFile::Other, {}};
}

} // namespace

std::optional<NotAFile> NotAFileAt(const QString& path)
{
    const auto status = StatusOf(path);
    return status ? NotAFileOf(status->st_mode) : std::nullopt;
}

QString NotAFileSentence(const QString& fileName, NotAFile what)
{
    switch (what) {
    case NotAFile::Folder:
        return FormText("%1 is a folder, not a file.").arg(fileName);
    case NotAFile::NamedPipe:
        return FormText("%1 is a named pipe, not a file.").arg(fileName);
    case NotAFile::Device:
        return FormText("%1 is a device, not a file.").arg(fileName);
    case NotAFile::Socket:
        return FormText("%1 is a socket, not a file.").arg(fileName);
    case NotAFile::Other:
        break;
    }
    return FormText("%1 is not a regular file.").arg(fileName);
}

QString NotAFileReason(NotAFile what)
{
    switch (what) {
    case NotAFile::Folder:
        return FormText("Is a folder, not a file");
    case NotAFile::NamedPipe:
        return FormText("Is a named pipe, not a file");
    case NotAFile::Device:
        return FormText("Is a device, not a file");
    case NotAFile::Socket:
        return FormText("Is a socket, not a file");
    case NotAFile::Other:
        break;
    }
    return FormText("Is not a regular file");
}

bool IsSameFile(const QString& first, const QString& second)
{
    const auto one = StatusOf(first);
    const auto other = StatusOf(second);
    return one && other && one->st_dev == other->st_dev && one->st_ino == other->st_ino;
}

FileBytes ReadRegularFile(const QString& path, qint64 maxSize, const BeforeOpen& beforeOpen)
{
    if (const auto what = NotAFileAt(path)) {
        return Refused(*what);
    }
    if (beforeOpen) {
        beforeOpen();
    }
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        // A socket cannot be opened at all; it is refused by what it is.
        if (const auto what = NotAFileAt(path)) {
            return Refused(*what);
        }
        return Failed(QString::fromLocal8Bit(std::strerror(error)));
    }
    struct stat status
    {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return Failed(QString::fromLocal8Bit(std::strerror(error)));
    }
    if (const auto what = NotAFileOf(status.st_mode)) {
        ::close(fd);
        return Refused(*what);
    }
    // A regular file: from here on reading may wait for the disk as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failed(file.errorString());
    }
    if (file.size() > maxSize) {
        return TooLarge();
    }
    // One byte past the limit and no further: a file that grows meanwhile
    // shows as too large then.
    QByteArray bytes = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError) {
        return Failed(file.errorString());
    }
    if (bytes.size() > maxSize) {
        return TooLarge();
    }
    return {FileBytes::Outcome::Read, std::move(bytes), NotAFile::Other, {}};
}

} // namespace corvane

#include "programfile/ProgramLoading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string_view>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace corvane {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("Form1", text);
}

// "x.bas is a named pipe, not a file." for a path that exists and is no
// regular file; empty for one that is, or that does not exist. Only the
// path's status is read, so nothing waits on a pipe or starts a device.
QString NotAFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) {
        return {};
    }
    const QString name = info.fileName();
    if (info.isDir()) {
        return Tr("%1 is a folder, not a file.").arg(name);
    }
#ifdef Q_OS_UNIX
    struct stat status
    {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISFIFO(status.st_mode)) {
            return Tr("%1 is a named pipe, not a file.").arg(name);
        }
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
            return Tr("%1 is a device, not a file.").arg(name);
        }
        if (S_ISSOCK(status.st_mode)) {
            return Tr("%1 is a socket, not a file.").arg(name);
        }
    }
#endif
    return Tr("%1 is not a regular file.").arg(name);
}

} // namespace

LoadResult LoadProgram(const QString& path, const GlyphTable& glyphs)
{
    const auto failure = [&path](const QString& reason) {
        return LoadFailure{Tr("The program \"%1\" could not be opened.\n%2")
                               .arg(QDir::toNativeSeparators(path), reason),
                           {}};
    };
    const auto tooLarge = [&failure] {
        return failure(
            Tr("The file is larger than 16 MiB, far larger than any program Corvane writes."));
    };
    if (QString notAFile = NotAFile(path); !notAFile.isEmpty()) {
        return LoadFailure{std::move(notAFile), {}};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(file.errorString());
    }
    if (file.size() > kMaxProgramFileSize) {
        return tooLarge();
    }
    // Read one byte past the limit and no further: a file that grows meanwhile
    // shows as too large then.
    const QByteArray bytes = file.read(kMaxProgramFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        return failure(file.errorString());
    }
    if (bytes.size() > kMaxProgramFileSize) {
        return tooLarge();
    }
    ReadResult result = ReadProgram(std::string_view(bytes.constData(), bytes.size()), glyphs);
    if (const auto* refused = std::get_if<ReadFailure>(&result)) {
        return LoadFailure{
            Tr("%1 is not a program Corvane wrote.").arg(QFileInfo(path).fileName()),
            Tr("Line %1: %2").arg(refused->line).arg(QString::fromStdString(refused->reason))};
    }
    return std::get<ProgramRead>(std::move(result));
}

} // namespace corvane

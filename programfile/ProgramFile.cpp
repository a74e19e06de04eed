#include "programfile/ProgramFile.h"

#include "bascom/ProgramWriter.h"
#include "programfile/RegularFile.h"

#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace corvane {

namespace {

// Why the target may not be replaced: it is no regular file, or it is the
// source; nothing when it may.
std::optional<WriteFailure> RefusedTarget(const std::string& utf8Path,
                                          const std::string& utf8SourcePath)
{
    const QString target = QString::fromStdString(utf8Path);
    if (const auto what = NotAFileAt(target)) {
        return WriteFailure{utf8Path, NotAFileReason(*what).toStdString()};
    }
    if (!utf8SourcePath.empty() && IsSameFile(target, QString::fromStdString(utf8SourcePath))) {
        return WriteFailure{utf8Path, "Is the file it is built from, which stays as it is"};
    }
    return std::nullopt;
}

std::optional<WriteFailure> SafeWrite(const std::string& utf8Path, std::string_view bytes,
                                      const DataSync& dataSync, const std::string& utf8SourcePath)
{
    if (auto refusal = RefusedTarget(utf8Path, utf8SourcePath)) {
        return refusal;
    }
    QSaveFile file(QString::fromStdString(utf8Path));
    const auto failure = [&](std::string reason) {
        // The temporary file goes and the target stays as it was.
        file.cancelWriting();
        return WriteFailure{utf8Path, std::move(reason)};
    };
    const auto qtReason = [&] { return file.errorString().toStdString(); };

    // Unbuffered, every write reaches the file at once and reports its own
    // failure: a buffered write's failure only surfaces in commit(), which
    // then puts the incomplete file in place of the target all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failure(qtReason());
    }
    // A short write is no failure by itself; the next write says why it stopped.
    while (!bytes.empty()) {
        const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0) {
            return failure(qtReason());
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // commit() syncs too but ignores the result; a failed sync means the bytes
    // may never reach the disk.
    if (dataSync(file.handle()) != 0) {
        return failure(std::generic_category().message(errno));
    }
    if (!file.commit()) {
        return WriteFailure{utf8Path, qtReason()};
    }
    return std::nullopt;
}

} // namespace

std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes)
{
    return SafeWrite(utf8Path, bytes, ::fdatasync, {});
}

std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes,
                                             const DataSync& dataSync)
{
    return SafeWrite(utf8Path, bytes, dataSync, {});
}

std::optional<WriteFailure> WriteFileBuiltFrom(const std::string& utf8Path, std::string_view bytes,
                                               const std::string& utf8SourcePath)
{
    return SafeWrite(utf8Path, bytes, ::fdatasync, utf8SourcePath);
}

std::optional<WriteFailure> WriteProgram(const std::string& utf8Path,
                                         std::span<const Message> entries, const Board& board,
                                         const GlyphTable& glyphs, const Font& font)
{
    return WriteProgramFile(utf8Path, RenderProgram(entries, board, glyphs, font));
}

} // namespace corvane

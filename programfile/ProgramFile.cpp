#include "programfile/ProgramFile.h"

#include "bascom/ProgramWriter.h"

#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace corvane {

std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes)
{
    return WriteProgramFile(utf8Path, bytes, ::fdatasync);
}

std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes,
                                             const DataSync& dataSync)
{
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

std::optional<WriteFailure> WriteProgram(const std::string& utf8Path,
                                         std::span<const Message> entries, const Board& board,
                                         const GlyphTable& glyphs)
{
    return WriteProgramFile(utf8Path, RenderProgram(entries, board, glyphs));
}

} // namespace corvane

#include "generator/ProgramFile.h"

#include "generator/ProgramWriter.h"

#include <QSaveFile>
#include <QString>

namespace corvane {

std::optional<WriteFailure> WriteProgramFile(const std::string& utf8Path, std::string_view bytes)
{
    QSaveFile file(QString::fromStdString(utf8Path));
    const auto failure = [&] { return WriteFailure{utf8Path, file.errorString().toStdString()}; };
    if (!file.open(QIODevice::WriteOnly)) {
        return failure();
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        WriteFailure result = failure();
        file.cancelWriting(); // the destructor then removes the temporary file
        return result;
    }
    if (!file.commit()) {
        return failure();
    }
    return std::nullopt;
}

std::optional<WriteFailure> WriteProgram(const std::string& utf8Path,
                                         std::span<const MessageEntry> entries, const Board& board,
                                         const GlyphTable& glyphs)
{
    return WriteProgramFile(utf8Path, RenderProgram(entries, board, glyphs));
}

} // namespace corvane

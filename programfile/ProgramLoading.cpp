#include "programfile/ProgramLoading.h"

#include "programfile/FormText.h"
#include "programfile/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <string_view>

namespace corvane {

LoadResult LoadProgram(const QString& path, const GlyphTable& glyphs)
{
    const auto failure = [&path](const QString& reason) {
        return LoadFailure{FormText("The program \"%1\" could not be opened.\n%2")
                               .arg(QDir::toNativeSeparators(path), reason),
                           {}};
    };
    const QString name = QFileInfo(path).fileName();
    const FileBytes file = ReadRegularFile(path, kMaxProgramFileSize);
    switch (file.outcome) {
    case FileBytes::Outcome::NotAFile:
        return LoadFailure{NotAFileSentence(name, file.notAFile), {}};
    case FileBytes::Outcome::TooLarge:
        return failure(FormText(
            "The file is larger than 16 MiB, far larger than any program Corvane writes."));
    case FileBytes::Outcome::Failed:
        return failure(file.error);
    case FileBytes::Outcome::Read:
        break;
    }
    const QByteArray& bytes = file.bytes;
    ReadResult result = ReadProgram(std::string_view(bytes.constData(), bytes.size()), glyphs);
    if (const auto* refused = std::get_if<ReadFailure>(&result)) {
        if (refused->kind == ReadFailure::Kind::WiringTest) {
            return LoadFailure{
                FormText("%1 is Corvane's wiring test for a board of %2 columns; it has "
                         "no messages to edit.")
                    .arg(name)
                    .arg(refused->wiringTestColumns),
                {}};
        }
        return LoadFailure{FormText("%1 is not a program Corvane wrote.").arg(name),
                           FormText("Line %1: %2")
                               .arg(refused->line)
                               .arg(QString::fromStdString(refused->reason))};
    }
    return std::get<ProgramRead>(std::move(result));
}

} // namespace corvane

#include "programfile/ProgramLoading.h"

#include "programfile/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <string_view>

namespace corvane {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("Form1", text);
}

} // namespace

LoadResult LoadProgram(const QString& path, const GlyphTable& glyphs)
{
    const auto failure = [&path](const QString& reason) {
        return LoadFailure{Tr("The program \"%1\" could not be opened.\n%2")
                               .arg(QDir::toNativeSeparators(path), reason),
                           {}};
    };
    const QString name = QFileInfo(path).fileName();
    const FileBytes file = ReadRegularFile(path, kMaxProgramFileSize);
    switch (file.outcome) {
    case FileBytes::Outcome::NotAFile:
        return LoadFailure{NotAFileSentence(name, file.notAFile), {}};
    case FileBytes::Outcome::TooLarge:
        return failure(
            Tr("The file is larger than 16 MiB, far larger than any program Corvane writes."));
    case FileBytes::Outcome::Failed:
        return failure(file.error);
    case FileBytes::Outcome::Read:
        break;
    }
    const QByteArray& bytes = file.bytes;
    ReadResult result = ReadProgram(std::string_view(bytes.constData(), bytes.size()), glyphs);
    if (const auto* refused = std::get_if<ReadFailure>(&result)) {
        if (refused->kind == ReadFailure::Kind::WiringTest) {
            return LoadFailure{Tr("%1 is Corvane's wiring test for a board of %2 columns; it has "
                                  "no messages to edit.")
                                   .arg(name)
                                   .arg(refused->wiringTestColumns),
                               {}};
        }
        return LoadFailure{
            Tr("%1 is not a program Corvane wrote.").arg(name),
            Tr("Line %1: %2").arg(refused->line).arg(QString::fromStdString(refused->reason))};
    }
    return std::get<ProgramRead>(std::move(result));
}

} // namespace corvane

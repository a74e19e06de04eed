#include "programfile/ProgramLoading.h"

#include "generator/ProgramReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <string_view>

namespace corvane {

std::variant<ProgramDocument, QString> LoadProgram(const QString& path, const GlyphTable& glyphs)
{
    const auto failure = [&path](const QString& reason) {
        return QCoreApplication::translate("Form1", "The program \"%1\" could not be opened.\n%2")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    const auto tooLarge = [&failure] {
        return failure(QCoreApplication::translate(
            "Form1",
            "The file is larger than 16 MiB, far larger than any program Corvane writes."));
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(file.errorString());
    }
    if (file.size() > kMaxProgramFileSize) {
        return tooLarge();
    }
    // Read one byte past the limit and no further: a file that grows meanwhile,
    // or a device whose size says 0 (/dev/zero), shows as too large then.
    const QByteArray bytes = file.read(kMaxProgramFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        return failure(file.errorString());
    }
    if (bytes.size() > kMaxProgramFileSize) {
        return tooLarge();
    }
    ReadResult result = ReadProgram(std::string_view(bytes.constData(), bytes.size()), glyphs);
    if (const auto* refused = std::get_if<ReadFailure>(&result)) {
        return failure(QCoreApplication::translate("Form1", "Line %1: %2")
                           .arg(refused->line)
                           .arg(QString::fromStdString(refused->reason)));
    }
    return std::get<ProgramDocument>(std::move(result));
}

} // namespace corvane

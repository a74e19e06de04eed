#pragma once

#include "editor/SaveDialogs.h"

class QFileDialog;

namespace corvane {

// The platform's save dialog and a warning box.
class StandardSaveDialogs final : public SaveDialogs
{
    Q_DISABLE_COPY_MOVE(StandardSaveDialogs)

public:
    static constexpr const char* kTitle = "Select a Name for Program";
    static constexpr const char* kFilter = "(BASCOM AVR File) (*.bas)";

    StandardSaveDialogs() = default;
    ~StandardSaveDialogs() override = default;

    // Title, the one filter, save mode, no default suffix (a name typed
    // without ".bas" stays as typed), no overwrite question, and icons that
    // never read a file.
    static void ConfigureProgramDialog(QFileDialog& dialog);

    QString askProgramPath(QWidget* parent) override;
    void reportWriteFailure(QWidget* parent, const QString& message) override;
};

} // namespace corvane

#pragma once

#include "editor/SaveDialogs.h"

class QFileDialog;
class QMessageBox;

namespace corvane {

// The platform's save dialog and a warning box.
class StandardSaveDialogs final : public SaveDialogs
{
    Q_DISABLE_COPY_MOVE(StandardSaveDialogs)

public:
    static constexpr const char* kTitle = "Select a Name for Program";
    static constexpr const char* kFilter = "(BASCOM AVR File) (*.bas)";
    // The title of the boxes that report on a save.
    static constexpr const char* kMessageTitle = "Corvane";

    StandardSaveDialogs() = default;
    ~StandardSaveDialogs() override = default;

    // Title, the one filter, save mode, no default suffix (a name typed
    // without ".bas" stays as typed) and no overwrite question.
    static void ConfigureProgramDialog(QFileDialog& dialog);
    // A warning box titled with the program's name.
    static void ConfigureWarningBox(QMessageBox& box, const QString& message);

    QString askProgramPath(QWidget* parent) override;
    void reportWriteFailure(QWidget* parent, const QString& message) override;
    void warnFlashExceeded(QWidget* parent, const QString& message) override;
};

} // namespace corvane

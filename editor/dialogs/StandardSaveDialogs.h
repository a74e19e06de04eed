#pragma once

#include "editor/dialogs/NameOnlyIconProvider.h"
#include "editor/dialogs/SaveDialogs.h"

class QFileDialog;
class QMessageBox;

namespace corvane {

// The platform's save dialog, a warning box and a question box.
class StandardSaveDialogs final : public SaveDialogs
{
    Q_DISABLE_COPY_MOVE(StandardSaveDialogs)

public:
    static constexpr const char* kTitle = "Select a Name for Program";
    static constexpr const char* kFilter = "(BASCOM AVR File) (*.bas)";
    // The title of the boxes that report on a save or an open.
    static constexpr const char* kMessageTitle = "Corvane";

    StandardSaveDialogs() = default;
    ~StandardSaveDialogs() override = default;

    // Title, the one filter, save mode, no default suffix (a name typed
    // without ".bas" stays as typed), no overwrite question, and icons that
    // never read a file. The dialog must not outlive this object.
    void configureProgramDialog(QFileDialog& dialog);
    // A warning box titled with the program's name.
    static void configureWarningBox(QMessageBox& box, const QString& message);
    // Shows such a box, modal, until the user closes it.
    static void showWarning(QWidget* parent, const QString& message);
    // Titled "Corvane", with Save (the default), Discard and Cancel.
    static void setUpSaveQuestion(QMessageBox& box, const QString& question);

    QString askProgramPath(QWidget* parent) override;
    void reportWriteFailure(QWidget* parent, const QString& message) override;
    Answer askSaveBeforeLosing(QWidget* parent, const QString& question) override;
    void warnFlashExceeded(QWidget* parent, const QString& message) override;

private:
    NameOnlyIconProvider m_icons;
};

} // namespace corvane

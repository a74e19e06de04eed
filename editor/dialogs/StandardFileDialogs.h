#pragma once

#include "editor/dialogs/FileDialogs.h"
#include "editor/dialogs/NameOnlyIconProvider.h"

class QFileDialog;
class QMessageBox;

namespace corvane {

// The platform's file dialog, a warning box and a question box.
class StandardFileDialogs final : public FileDialogs
{
    Q_DISABLE_COPY_MOVE(StandardFileDialogs)

public:
    // The title of the boxes that warn or ask.
    static constexpr const char* kMessageTitle = "Corvane";

    StandardFileDialogs() = default;
    ~StandardFileDialogs() override = default;

    // The setup's title, filters, default suffix and start; an existing file
    // to open, or any name to save under, asking before an existing file is
    // replaced when the setup says so; and icons that never read a file. The
    // dialog must not outlive this object.
    void configureFileDialog(QFileDialog& dialog, const FileDialogSetup& setup);
    // A warning box titled with the program's name, its message shown as
    // plain text; details, if any, behind the box's "Show Details..." button.
    static void configureWarningBox(QMessageBox& box, const QString& message,
                                    const QString& details = {});
    // Titled with the program's name, with Save (the default), Discard and Cancel.
    static void setUpSaveQuestion(QMessageBox& box, const QString& question);

    // Saving, the name gets the extension it lacks before the dialog asks
    // about replacing a file (ExtendingFileDialog).
    QString chooseFile(QWidget* parent, const FileDialogSetup& setup) override;
    void warn(QWidget* parent, const QString& message) override;
    void warnWithDetails(QWidget* parent, const QString& message, const QString& details) override;
    Answer askSaveBeforeLosing(QWidget* parent, const QString& question) override;

private:
    NameOnlyIconProvider m_icons;
};

} // namespace corvane

#pragma once

#include "editor/dialogs/FileDialogSetup.h"

#include <QString>
#include <QtGlobal>

class QWidget;

namespace corvane {

// The modal dialogs around files: choosing one, warning of what went wrong
// with one, and asking before changed messages would be lost. Tests
// substitute their own answers.
class FileDialogs
{
    Q_DISABLE_COPY_MOVE(FileDialogs)

public:
    enum class Answer
    {
        Save,
        Discard,
        Cancel,
    };

    FileDialogs() = default;
    virtual ~FileDialogs() = default;

    // The path chosen, exactly as typed or picked; empty when cancelled.
    virtual QString chooseFile(QWidget* parent, const FileDialogSetup& setup) = 0;
    // A file that could not be opened or written, or a program too large
    // for the chip; the user closes it.
    virtual void warn(QWidget* parent, const QString& message) = 0;
    // The same with details below the message (where a file departs from a
    // program, say); by default on lines of their own after it.
    virtual void warnWithDetails(QWidget* parent, const QString& message, const QString& details)
    {
        warn(parent, details.isEmpty() ? message : message + QStringLiteral("\n\n") + details);
    }
    // Asks `question` with Save, Discard and Cancel.
    virtual Answer askSaveBeforeLosing(QWidget* parent, const QString& question) = 0;
};

} // namespace corvane

#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace corvane {

// The dialogs Save needs: asking for the program's file name, reporting a
// failed write and warning of a program too large for the chip; and the
// question before changed messages would be lost. Tests
// substitute their own answers for the modal dialogs.
class SaveDialogs
{
    Q_DISABLE_COPY_MOVE(SaveDialogs)

public:
    enum class Answer
    {
        Save,
        Discard,
        Cancel,
    };

    SaveDialogs() = default;
    virtual ~SaveDialogs() = default;

    // The chosen path exactly as typed or picked; empty when cancelled.
    virtual QString askProgramPath(QWidget* parent) = 0;
    virtual void reportWriteFailure(QWidget* parent, const QString& message) = 0;
    // Asks `question` with Save, Discard and Cancel.
    virtual Answer askSaveBeforeLosing(QWidget* parent, const QString& question) = 0;
    // After a save whose data tables alone exceed the chip's flash.
    virtual void warnFlashExceeded(QWidget* parent, const QString& message) = 0;
};

} // namespace corvane

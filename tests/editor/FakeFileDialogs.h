#pragma once

#include "editor/dialogs/FileDialogs.h"

#include <QList>
#include <QStringList>

namespace corvane::test {

// The dialogs, answered as the test sets them, with what they were asked.
class FakeFileDialogs final : public FileDialogs
{
public:
    FakeFileDialogs() = default;
    ~FakeFileDialogs() override = default;

    QString chooseFile(QWidget*, const FileDialogSetup& setup) override
    {
        asked << setup;
        return setup.purpose == FileDialogSetup::Purpose::Open ? openPath : savePath;
    }
    void warn(QWidget*, const QString& message) override { warnings << message; }
    // The message among the warnings, its details beside it.
    void warnWithDetails(QWidget* parent, const QString& message, const QString& details) override
    {
        warn(parent, message);
        warningDetails << details;
    }
    Answer askSaveBeforeLosing(QWidget*, const QString& question) override
    {
        questions << question;
        return answer;
    }

    // Back to cancelling everything, with nothing asked.
    void reset()
    {
        openPath.clear();
        savePath.clear();
        answer = Answer::Cancel;
        asked.clear();
        warnings.clear();
        warningDetails.clear();
        questions.clear();
    }

    // The titles of the file dialogs shown, in order.
    QStringList askedTitles() const
    {
        QStringList titles;
        for (const FileDialogSetup& setup : asked) {
            titles << setup.title;
        }
        return titles;
    }

    QString openPath; // empty: the open dialog is cancelled
    QString savePath; // empty: the save dialog is cancelled
    Answer answer = Answer::Cancel;
    QList<FileDialogSetup> asked;
    QStringList warnings;
    QStringList warningDetails; // of the warnings given with details
    QStringList questions;
};

} // namespace corvane::test

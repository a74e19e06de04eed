#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace corvane {

// The dialogs opening a program needs: asking which file to open and
// reporting one that could not be opened. Tests substitute their own answers.
class OpenDialogs
{
    Q_DISABLE_COPY_MOVE(OpenDialogs)

public:
    OpenDialogs() = default;
    virtual ~OpenDialogs() = default;

    // The chosen path; empty when cancelled.
    virtual QString askProgramToOpen(QWidget* parent) = 0;
    virtual void reportOpenFailure(QWidget* parent, const QString& message) = 0;
};

} // namespace corvane

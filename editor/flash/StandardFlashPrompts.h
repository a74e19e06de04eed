#pragma once

#include "editor/flash/FlashPrompts.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

namespace corvane {

class BoardFlasher;

// Flashing's questions and answers as dialogs over `parent`: the programmer
// dialog, a progress dialog whose Cancel ends avrdude, and message boxes in
// plain text, avrdude's whole output under Show Details….
class StandardFlashPrompts final : public FlashPrompts
{
public:
    explicit StandardFlashPrompts(QWidget* parent);
    ~StandardFlashPrompts() override;

    // The flasher the progress dialog's Cancel stops.
    void setFlasher(BoardFlasher* flasher) { m_flasher = flasher; }

    std::optional<Request> chooseProgrammer(ProgrammerList& programmers,
                                            const ProgrammerChoice& last,
                                            const QStringList& images) override;
    bool askToFixClock(const QString& problem, const QString& change) override;
    void showProgress(int percent, const QString& stage) override;
    void closeProgress() override;
    void tell(Outcome outcome, const QString& text, const QString& details) override;

private:
    QWidget* m_parent = nullptr;
    BoardFlasher* m_flasher = nullptr;
    QPointer<QProgressDialog> m_progress;
};

} // namespace corvane

#pragma once

#include "editor/flash/FlashPrompts.h"

#include <optional>

class QTextStream;

namespace corvane {

// Flashing without a window: the programmer comes from the command line,
// the progress and the outcome go to the error output in the window's own
// words, and the clock question is answered by --fix-clock.
class ConsoleFlashPrompts final : public FlashPrompts
{
public:
    ConsoleFlashPrompts(const ProgrammerChoice& choice, bool fixClock, QTextStream& errors);

    // How the last run ended; nothing before one was told.
    std::optional<Outcome> outcome() const { return m_outcome; }

    std::optional<Request> chooseProgrammer(ProgrammerList& programmers,
                                            const ProgrammerChoice& last,
                                            const QStringList& images) override;
    bool askToFixClock(const QString& problem, const QString& change) override;
    void showProgress(int percent, const QString& stage) override;
    void closeProgress() override {}
    void tell(Outcome outcome, const QString& text, const QString& details) override;

private:
    ProgrammerChoice m_choice;
    bool m_fixClock = false;
    bool m_declined = false;
    QTextStream& m_errors;
    QString m_stage;
    int m_shownPercent = -1;
    std::optional<Outcome> m_outcome;
};

} // namespace corvane

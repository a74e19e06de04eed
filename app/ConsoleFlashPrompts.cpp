#include "app/ConsoleFlashPrompts.h"

#include "editor/flash/ProgrammerList.h"
#include "editor/model/flash/KnownProgrammer.h"

#include <QEventLoop>
#include <QTextStream>

namespace corvane {

ConsoleFlashPrompts::ConsoleFlashPrompts(const ProgrammerChoice& choice, bool fixClock,
                                         QTextStream& errors)
    : m_choice(choice), m_fixClock(fixClock), m_errors(errors)
{}

std::optional<FlashPrompts::Request>
ConsoleFlashPrompts::chooseProgrammer(ProgrammerList& programmers, const ProgrammerChoice&,
                                      const QStringList&)
{
    // A programmer that is none of the known ones must be in avrdude's list.
    if (FindKnownProgrammer(m_choice.programmer) == nullptr) {
        if (programmers.state() == ProgrammerList::State::Reading) {
            QEventLoop wait;
            QObject::connect(&programmers, &ProgrammerList::changed, &wait, &QEventLoop::quit);
            wait.exec();
        }
        if (!programmers.lists(m_choice.programmer)) {
            m_errors << "corvane: avrdude does not know the programmer \""
                     << QString::fromStdString(m_choice.programmer) << "\"\n";
            m_errors.flush();
            return std::nullopt;
        }
    }
    return Request{m_choice, 0};
}

bool ConsoleFlashPrompts::askToFixClock(const QString& problem, const QString&)
{
    m_errors << "corvane: " << problem << '\n';
    if (m_fixClock) {
        m_errors << "corvane: setting the low fuse back to the factory's 1 MHz (--fix-clock)\n";
    } else {
        m_errors << "corvane: nothing was written; run again with --fix-clock to set the chip's "
                    "clock back to the factory's 1 MHz first\n";
        m_declined = true;
    }
    m_errors.flush();
    return m_fixClock;
}

void ConsoleFlashPrompts::showProgress(int percent, const QString& stage)
{
    // Each stage once, and its progress in steps of 10 %.
    const int step = percent / 10 * 10;
    if (stage == m_stage && (percent == 0 || step == m_shownPercent)) {
        return;
    }
    if (stage != m_stage) {
        m_stage = stage;
        m_shownPercent = -1;
    }
    m_errors << "corvane: " << stage;
    if (percent > 0) {
        m_errors << ' ' << step << '%';
        m_shownPercent = step;
    }
    m_errors << '\n';
    m_errors.flush();
}

void ConsoleFlashPrompts::tell(Outcome outcome, const QString& text, const QString&)
{
    m_outcome = outcome;
    // A declined clock question has been told already.
    if (!(m_declined && outcome == Outcome::Cancelled)) {
        m_errors << "corvane: " << text << '\n';
        m_errors.flush();
    }
    m_declined = false;
}

} // namespace corvane

#include "editor/flash/ProgrammerList.h"

#include "editor/flash/AvrdudeProcess.h"

#include <algorithm>

namespace corvane {

ProgrammerList::ProgrammerList(const QString& avrdude, std::chrono::milliseconds answerTimeout,
                               QObject* parent)
    : QObject(parent), m_avrdude(avrdude), m_answerTimeout(answerTimeout)
{}

ProgrammerList::~ProgrammerList()
{
    delete m_run;
}

void ProgrammerList::read()
{
    if (m_state != State::NotRead) {
        return;
    }
    m_state = State::Reading;
    m_run = new AvrdudeProcess(m_answerTimeout);
    connect(m_run, &AvrdudeProcess::errorOutput, this, &ProgrammerList::take);
    connect(m_run, &AvrdudeProcess::standardOutput, this, &ProgrammerList::take);
    connect(m_run, &AvrdudeProcess::finished, this, &ProgrammerList::onFinished);
    QStringList arguments;
    for (const std::string& argument : AvrdudeListArguments()) {
        arguments << QString::fromStdString(argument);
    }
    m_run->start(m_avrdude, arguments);
}

bool ProgrammerList::lists(std::string_view id) const
{
    return std::any_of(m_programmers.begin(), m_programmers.end(),
                       [id](const Programmer& programmer) { return programmer.id == id; });
}

void ProgrammerList::take(const QByteArray& bytes)
{
    m_output += bytes.first(std::min(bytes.size(), kOutputLimit - m_output.size()));
    if (m_output.size() >= kOutputLimit) {
        m_run->cancel(); // enough of it
    }
}

void ProgrammerList::onFinished()
{
    m_run->deleteLater();
    m_run = nullptr;
    m_programmers = ParseProgrammerList(
        std::string_view(m_output.constData(), static_cast<std::size_t>(m_output.size())));
    m_output.clear();
    m_state = m_programmers.empty() ? State::Failed : State::Read;
    emit changed();
}

} // namespace corvane

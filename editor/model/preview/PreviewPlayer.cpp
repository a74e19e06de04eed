#include "editor/model/preview/PreviewPlayer.h"

#include "generator/ProgramWriter.h"

namespace corvane {

bool PreviewPlayer::setInput(const PreviewInput& input)
{
    if (m_input == input) {
        return false;
    }
    m_simulator.emplace(MakeScrollBlockInput(input.index, input.entry, input.board),
                        DataTableBytes(input.entry, input.board.latchCount));
    m_input = input;
    showStep(0);
    return true;
}

int PreviewPlayer::advance()
{
    if (m_playing && stepCount() > 0) {
        showStep(m_step + 1 < m_simulator->stepCount() ? m_step + 1 : 0);
    }
    return stepDurationMs();
}

std::string PreviewPlayer::status() const
{
    if (!m_input) {
        return {};
    }
    return DescriptionOf(*m_input) + (m_playing ? "" : " \u00B7 Paused");
}

int PreviewPlayer::stepCount() const
{
    return m_simulator ? m_simulator->stepCount() : 0;
}

int PreviewPlayer::stepDurationMs() const
{
    return stepCount() > 0 ? m_simulator->durationMs(m_step) : 0;
}

long long PreviewPlayer::passDurationMs() const
{
    return m_simulator ? m_simulator->totalDurationMs() : 0;
}

void PreviewPlayer::showStep(int step)
{
    m_step = step;
    if (stepCount() > 0) {
        m_frame = m_simulator->frame(step);
    } else {
        m_frame.clear();
    }
}

} // namespace corvane

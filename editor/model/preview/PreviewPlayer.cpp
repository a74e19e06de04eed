#include "editor/model/preview/PreviewPlayer.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace corvane {

std::int64_t PreviewPlayer::SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

PreviewPlayer::PreviewPlayer(Clock clock) : m_clock(std::move(clock)) {}

bool PreviewPlayer::setInput(const PreviewInput& input)
{
    if (m_input == input) {
        return false;
    }
    m_simulator.emplace(ShowOf(input.entry, input.board, input.font));
    m_input = input;
    m_pausedLeftMs = -1;
    showStep(0);
    if (m_playing) {
        startStep(m_clock(), stepDurationMs());
    }
    return true;
}

void PreviewPlayer::play()
{
    if (m_playing) {
        return;
    }
    m_playing = true;
    startStep(m_clock(), m_pausedLeftMs >= 0 ? m_pausedLeftMs : stepDurationMs());
    m_pausedLeftMs = -1;
}

void PreviewPlayer::pause()
{
    if (!m_playing) {
        return;
    }
    m_playing = false;
    m_pausedLeftMs = std::clamp<std::int64_t>(m_stepEndMs - m_clock(), 0, stepDurationMs());
}

int PreviewPlayer::advance()
{
    if (m_playing && stepCount() > 0) {
        const std::int64_t now = m_clock();
        const std::int64_t late = std::max<std::int64_t>(0, now - m_stepEndMs);
        showStep(m_step + 1 < m_simulator->stepCount() ? m_step + 1 : 0);
        startStep(now, std::max<std::int64_t>(0, stepDurationMs() - late));
    }
    return stepDurationMs();
}

std::optional<std::int64_t> PreviewPlayer::waitMs() const
{
    if (!m_playing || stepCount() == 0) {
        return std::nullopt;
    }
    return m_stepEndMs - m_startedMs;
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

void PreviewPlayer::startStep(std::int64_t now, std::int64_t intervalMs)
{
    m_startedMs = now;
    m_stepEndMs = now + intervalMs;
}

} // namespace corvane

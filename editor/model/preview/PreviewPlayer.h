#pragma once

#include "editor/model/preview/PreviewInput.h"
#include "sign/BoardSimulator.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// Steps through what the board shows for one message, looping as the
// generated program does, and keeps the board's pace. The caller runs one
// timer: after each call it starts it for waitMs() (or stops it when there
// is none), and when it runs out it calls advance().
class PreviewPlayer final
{
public:
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<std::int64_t()>;
    // The system's steady clock.
    static std::int64_t SteadyMs();

    explicit PreviewPlayer(Clock clock = SteadyMs);

    // Restarts from step 0 when the input differs from the one held; returns
    // whether it did. While playing, the new step's time starts now.
    bool setInput(const PreviewInput& input);
    const std::optional<PreviewInput>& input() const { return m_input; }

    // Play goes on with what was left of the step when it paused.
    void play();
    void pause();
    bool isPlaying() const { return m_playing; }

    // Moves to the next step, from the last one back to step 0, and returns
    // how long that step lasts. While paused or without input nothing moves.
    // A call that comes late shortens the next step by as much, so the
    // animation keeps the board's pace; beyond one step the delay is dropped.
    int advance();

    // How long after the last call that changed it the current step ends:
    // the timer's interval. Nothing while paused or without steps.
    std::optional<std::int64_t> waitMs() const;

    // What is shown and whether it moves: "Text03 · Left · speed 5", with
    // " · Paused" added while paused; empty without input. UTF-8.
    std::string status() const;

    int step() const { return m_step; }
    int stepCount() const;
    int stepDurationMs() const;
    long long passDurationMs() const;

    // The lit rows of each board column during the current step (bit 0 the
    // bottom row).
    std::span<const std::uint8_t> frame() const { return m_frame; }

private:
    void showStep(int step);
    // The current step ends `intervalMs` after `now`.
    void startStep(std::int64_t now, std::int64_t intervalMs);

    Clock m_clock;
    std::optional<PreviewInput> m_input{};
    std::optional<BoardSimulator> m_simulator{};
    std::vector<std::uint8_t> m_frame{};
    int m_step = 0;
    bool m_playing = false;
    std::int64_t m_startedMs = 0;     // clock time of the last start of a step's time
    std::int64_t m_stepEndMs = 0;     // clock time at which the current step ends
    std::int64_t m_pausedLeftMs = -1; // what was left of the step when paused; -1 the whole step
};

} // namespace corvane

#pragma once

#include "editor/model/preview/PreviewInput.h"
#include "generator/BoardSimulator.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// Steps through what the board shows for one message, looping as the
// generated program does. The caller keeps time: it shows frame() for
// stepDurationMs() and then calls advance().
class PreviewPlayer final
{
public:
    PreviewPlayer() = default;

    // Restarts from step 0 when the input differs from the one held; returns
    // whether it did.
    bool setInput(const PreviewInput& input);
    const std::optional<PreviewInput>& input() const { return m_input; }

    void play() { m_playing = true; }
    void pause() { m_playing = false; }
    bool isPlaying() const { return m_playing; }

    // Moves to the next step, from the last one back to step 0, and returns
    // how long that step lasts. While paused or without input nothing moves.
    int advance();

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

    std::optional<PreviewInput> m_input{};
    std::optional<BoardSimulator> m_simulator{};
    std::vector<std::uint8_t> m_frame{};
    int m_step = 0;
    bool m_playing = false;
};

} // namespace corvane

#pragma once

#include "editor/model/history/EditorSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The steps the user can take back and do again. It holds the state before
// the oldest step kept and the state after each step; undo moves back one
// state, redo forward one, and a new step drops the states ahead. Past the
// capacity the oldest step is forgotten.
//
// A run of keystrokes into one entry is one step: the keystrokes after the
// first amend the state after it until anything else happens.
class EditHistory final
{
public:
    static constexpr std::size_t kCapacity = 200;

    explicit EditHistory(std::size_t capacity = kCapacity);

    // Forgets every step; `start` is where the history begins.
    void reset(EditorSnapshot start);

    // The state after the last step done, or the start.
    const EditorSnapshot& current() const { return m_states[m_position].state; }

    // A step named `name` that led from current() to `after`. With `runEntry`
    // it opens a run of keystrokes into that entry.
    void record(std::string name, EditorSnapshot after,
                std::optional<std::size_t> runEntry = std::nullopt);
    // Whether a keystroke into `entry` continues the open run.
    bool continuesRun(std::size_t entry) const { return m_runEntry == entry; }
    // A keystroke of the open run changed its entry to `text` and `itemData`.
    void amendRun(const std::string& text, std::int32_t itemData);
    // Anything other than a keystroke happened.
    void endRun() { m_runEntry.reset(); }
    // The current entry moved without a step.
    void moveCurrent(std::size_t index);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position + 1 < m_states.size(); }
    std::size_t undoCount() const { return m_position; }
    std::size_t redoCount() const { return m_states.size() - 1 - m_position; }
    // The name of the step undo or redo would take; empty when there is none.
    std::string_view undoName() const;
    std::string_view redoName() const;

    // Move one step back or forward and give the state to bring back.
    // Only when canUndo() or canRedo().
    const EditorSnapshot& undo();
    const EditorSnapshot& redo();

private:
    struct State
    {
        std::string stepName{}; // of the step that led here; empty for the first
        EditorSnapshot state{};
    };

    std::size_t m_capacity = kCapacity;
    std::deque<State> m_states{State{}};
    std::size_t m_position = 0;
    std::optional<std::size_t> m_runEntry{};
};

} // namespace corvane

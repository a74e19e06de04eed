#include "editor/model/history/EditHistory.h"

#include <cassert>
#include <utility>

namespace corvane {

EditHistory::EditHistory(std::size_t capacity) : m_capacity(capacity)
{
    assert(capacity > 0);
}

void EditHistory::reset(EditorSnapshot start)
{
    m_states.clear();
    m_states.push_back({{}, std::move(start)});
    m_position = 0;
    m_runEntry.reset();
}

void EditHistory::record(std::string name, EditorSnapshot after,
                         std::optional<std::size_t> runEntry)
{
    m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_position) + 1, m_states.end());
    m_states.push_back({std::move(name), std::move(after)});
    ++m_position;
    if (m_states.size() > m_capacity + 1) {
        m_states.pop_front();
        --m_position;
    }
    m_runEntry = runEntry;
}

void EditHistory::amendRun(const std::string& text, std::int32_t itemData)
{
    assert(m_runEntry && m_position > 0 && !canRedo());
    m_states[m_position].state.setEntry(*m_runEntry, text, itemData);
}

void EditHistory::moveCurrent(std::size_t index)
{
    m_states[m_position].state.setCurrent(index);
}

std::string_view EditHistory::undoName() const
{
    return canUndo() ? std::string_view(m_states[m_position].stepName) : std::string_view();
}

std::string_view EditHistory::redoName() const
{
    return canRedo() ? std::string_view(m_states[m_position + 1].stepName) : std::string_view();
}

const EditorSnapshot& EditHistory::undo()
{
    assert(canUndo());
    m_runEntry.reset();
    return m_states[--m_position].state;
}

const EditorSnapshot& EditHistory::redo()
{
    assert(canRedo());
    m_runEntry.reset();
    return m_states[++m_position].state;
}

} // namespace corvane

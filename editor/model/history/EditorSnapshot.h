#pragma once

#include "editor/model/controls/ListItem.h"
#include "sign/Font.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The editor's content at one moment, as undo and redo bring it back: the
// entries as they would be committed (the current entry carrying the speed and
// direction being edited), the selected width, the glyphs drawn for the
// program, and which entry is current.
// A text that two snapshots hold alike is held once, so a history of many
// steps over a full list costs little more than the entries each step changed.
class EditorSnapshot final
{
public:
    struct Entry
    {
        std::shared_ptr<const std::string> text{};
        std::int32_t itemData = 0;
    };

    // The editor as it is now: the list box's items, the current entry with
    // the settings it would be committed with, and the selected width.
    struct Source
    {
        const std::vector<ListItem>& items;
        std::size_t current = 0;
        std::int32_t currentItemData = 0;
        std::optional<std::size_t> width{};
        const DrawnGlyphs* glyphs = nullptr; // none drawn when null
    };

    EditorSnapshot() = default;

    // Takes `source`, sharing with `base` the texts of the entries that lie
    // before and after the span that differs.
    static EditorSnapshot Take(const Source& source, const EditorSnapshot& base);

    const std::vector<Entry>& entries() const { return m_entries; }
    std::optional<std::size_t> width() const { return m_width; }
    const DrawnGlyphs& glyphs() const;
    std::size_t current() const { return m_current; }

    // Entries (texts and settings), width and glyphs alike; the current entry
    // may differ.
    bool sameContent(const Source& source) const;
    bool sameContent(const EditorSnapshot& other) const;

    // The current entry moved without the content changing.
    void setCurrent(std::size_t index) { m_current = index; }
    // One entry changed, as a keystroke changes the current one.
    void setEntry(std::size_t index, const std::string& text, std::int32_t itemData);

private:
    std::vector<Entry> m_entries{};
    std::optional<std::size_t> m_width{};
    std::shared_ptr<const DrawnGlyphs> m_glyphs{}; // null when none are drawn
    std::size_t m_current = 0;
};

} // namespace corvane

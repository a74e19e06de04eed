#include "editor/model/history/EditorSnapshot.h"

#include <algorithm>
#include <cassert>

namespace corvane {

namespace {

std::int32_t ItemDataAt(const EditorSnapshot::Source& source, std::size_t index)
{
    return index == source.current ? source.currentItemData : source.items[index].itemData;
}

const DrawnGlyphs& NoGlyphs()
{
    static const DrawnGlyphs none;
    return none;
}

const DrawnGlyphs& GlyphsOf(const EditorSnapshot::Source& source)
{
    return source.glyphs != nullptr ? *source.glyphs : NoGlyphs();
}

} // namespace

EditorSnapshot EditorSnapshot::Take(const Source& source, const EditorSnapshot& base)
{
    const std::vector<ListItem>& items = source.items;
    const std::vector<Entry>& old = base.m_entries;

    // An action inserts, removes or replaces one span of entries; the texts
    // before and after it are the base's.
    const std::size_t shorter = std::min(items.size(), old.size());
    std::size_t prefix = 0;
    while (prefix < shorter && items[prefix].text == *old[prefix].text) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           items[items.size() - 1 - suffix].text == *old[old.size() - 1 - suffix].text) {
        ++suffix;
    }

    EditorSnapshot snapshot;
    snapshot.m_entries.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::shared_ptr<const std::string> text;
        if (i < prefix) {
            text = old[i].text;
        } else if (i >= items.size() - suffix) {
            text = old[i + old.size() - items.size()].text;
        } else {
            text = std::make_shared<const std::string>(items[i].text);
        }
        snapshot.m_entries.push_back({std::move(text), ItemDataAt(source, i)});
    }
    snapshot.m_width = source.width;
    if (!GlyphsOf(source).empty()) {
        snapshot.m_glyphs = GlyphsOf(source) == base.glyphs()
                                ? base.m_glyphs
                                : std::make_shared<const DrawnGlyphs>(GlyphsOf(source));
    }
    snapshot.m_current = source.current;
    return snapshot;
}

bool EditorSnapshot::sameContent(const Source& source) const
{
    if (m_width != source.width || m_entries.size() != source.items.size() ||
        glyphs() != GlyphsOf(source)) {
        return false;
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].itemData != ItemDataAt(source, i) ||
            *m_entries[i].text != source.items[i].text) {
            return false;
        }
    }
    return true;
}

bool EditorSnapshot::sameContent(const EditorSnapshot& other) const
{
    return m_width == other.m_width && glyphs() == other.glyphs() &&
           std::ranges::equal(m_entries, other.m_entries, [](const Entry& a, const Entry& b) {
               return a.itemData == b.itemData && (a.text == b.text || *a.text == *b.text);
           });
}

const DrawnGlyphs& EditorSnapshot::glyphs() const
{
    return m_glyphs ? *m_glyphs : NoGlyphs();
}

void EditorSnapshot::setEntry(std::size_t index, const std::string& text, std::int32_t itemData)
{
    assert(index < m_entries.size());
    Entry& entry = m_entries[index];
    if (*entry.text != text) {
        entry.text = std::make_shared<const std::string>(text);
    }
    entry.itemData = itemData;
}

} // namespace corvane

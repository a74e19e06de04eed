#include "editor/model/controls/ListBox.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace corvane {

ListBox::ListBox(ClickRaising raising, std::string tooltip, bool enabled)
    : Control(std::move(tooltip), enabled), m_raising(raising)
{}

void ListBox::setClickHandler(std::function<void()> handler)
{
    m_onClick = std::move(handler);
}

const std::string& ListBox::itemText(std::size_t index) const
{
    assert(index < m_items.size());
    return m_items[index].text;
}

std::int32_t ListBox::itemData(std::size_t index) const
{
    assert(index < m_items.size());
    return m_items[index].itemData;
}

void ListBox::setItemData(std::size_t index, std::int32_t itemData)
{
    assert(index < m_items.size());
    m_items[index].itemData = itemData;
}

void ListBox::setItemText(std::size_t index, std::string text)
{
    assert(index < m_items.size());
    m_items[index].text = std::move(text);
}

void ListBox::addItem(std::string text, std::int32_t itemData)
{
    m_items.push_back({std::move(text), itemData});
}

void ListBox::insertItem(std::size_t index, std::string text)
{
    assert(index <= m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), {std::move(text), 0});
    if (m_selected && *m_selected >= index) {
        ++*m_selected;
    }
}

void ListBox::removeItem(std::size_t index)
{
    assert(index < m_items.size());
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    if (m_selected == index) {
        m_selected.reset();
    } else if (m_selected && *m_selected > index) {
        --*m_selected;
    }
}

void ListBox::clear()
{
    m_items.clear();
    m_selected.reset();
}

void ListBox::swapItems(std::size_t first, std::size_t second)
{
    assert(first < m_items.size() && second < m_items.size());
    std::swap(m_items[first], m_items[second]);
}

std::string_view ListBox::selectedText() const
{
    return m_selected ? std::string_view(m_items[*m_selected].text) : std::string_view();
}

void ListBox::select(std::size_t index)
{
    assert(index < m_items.size());
    changeSelection(index);
}

void ListBox::selectByText(std::string_view text)
{
    const auto found =
        std::ranges::find_if(m_items, [text](const ListItem& item) { return item.text == text; });
    changeSelection(found == m_items.end()
                        ? std::nullopt
                        : std::optional(static_cast<std::size_t>(found - m_items.begin())));
}

void ListBox::changeSelection(std::optional<std::size_t> index)
{
    const bool changed = m_selected != index;
    m_selected = index;
    if ((changed || m_raising == ClickRaising::Always) && m_onClick) {
        m_onClick();
    }
}

} // namespace corvane

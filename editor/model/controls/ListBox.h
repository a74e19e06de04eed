#pragma once

#include "editor/model/controls/Control.h"
#include "editor/model/controls/ListItem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A list box or pick-only drop-down list: items carrying item data and at most
// one selected item. Selecting by program raises the click handler at once;
// changing the items never does. Removing the selected item leaves no
// selection; removing or inserting an item before it moves the selection with
// the item.
class ListBox final : public Control
{
public:
    enum class ClickRaising
    {
        OnChange, // only when the selected index changes
        Always,   // on every selection made, even of the selected item
    };

    explicit ListBox(ClickRaising raising, std::string tooltip, bool enabled);

    void setClickHandler(std::function<void()> handler);

    std::size_t count() const { return m_items.size(); }
    const std::vector<ListItem>& items() const { return m_items; }
    const std::string& itemText(std::size_t index) const;
    std::int32_t itemData(std::size_t index) const;
    void setItemData(std::size_t index, std::int32_t itemData);
    // Replaces an item's text in place; its data and the selection stay.
    void setItemText(std::size_t index, std::string text);

    void addItem(std::string text, std::int32_t itemData = 0);
    void insertItem(std::size_t index, std::string text);
    void removeItem(std::size_t index);
    void clear();
    // Exchanges two items; the selection stays at its index.
    void swapItems(std::size_t first, std::size_t second);

    std::optional<std::size_t> selectedIndex() const { return m_selected; }
    // The selected item's text, empty when nothing is selected.
    std::string_view selectedText() const;

    void select(std::size_t index);
    // Selects the first item with exactly this text, or none when no item has it.
    void selectByText(std::string_view text);

private:
    void changeSelection(std::optional<std::size_t> index);

    ClickRaising m_raising = ClickRaising::OnChange;
    std::vector<ListItem> m_items{};
    std::optional<std::size_t> m_selected{};
    std::function<void()> m_onClick{};
};

} // namespace corvane

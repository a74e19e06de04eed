#include "editor/window/ListWidgetSync.h"

#include "sign/Windows1252.h"

#include <QListWidget>
#include <algorithm>
#include <cstddef>

namespace corvane {

namespace {

void ShowItem(QListWidgetItem& row, const ListItem& item)
{
    row.setText(QString::fromStdString(ToUtf8(item.text)));
    row.setData(Qt::UserRole, item.itemData);
}

int Row(std::size_t index)
{
    return static_cast<int>(index);
}

} // namespace

void SyncListWidget(QListWidget& list, std::vector<ListItem>& shown,
                    const std::vector<ListItem>& items)
{
    // Rows equal at both ends stay; only the span between them changes.
    const std::size_t shorter = std::min(shown.size(), items.size());
    std::size_t prefix = 0;
    while (prefix < shorter && shown[prefix] == items[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           shown[shown.size() - 1 - suffix] == items[items.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::size_t oldSpan = shown.size() - prefix - suffix;
    const std::size_t newSpan = items.size() - prefix - suffix;
    const std::size_t replaced = std::min(oldSpan, newSpan);

    for (std::size_t i = prefix; i < prefix + replaced; ++i) {
        if (shown[i] != items[i]) {
            ShowItem(*list.item(Row(i)), items[i]);
            shown[i] = items[i];
        }
    }
    const std::size_t at = prefix + replaced;
    if (oldSpan > newSpan) {
        for (std::size_t i = oldSpan - newSpan; i > 0; --i) {
            delete list.takeItem(Row(at + i - 1));
        }
        const auto first = shown.begin() + static_cast<std::ptrdiff_t>(at);
        shown.erase(first, first + static_cast<std::ptrdiff_t>(oldSpan - newSpan));
    } else if (newSpan > oldSpan) {
        const auto first = items.begin() + static_cast<std::ptrdiff_t>(at);
        const auto last = first + static_cast<std::ptrdiff_t>(newSpan - oldSpan);
        for (auto item = first; item != last; ++item) {
            auto* row = new QListWidgetItem;
            ShowItem(*row, *item);
            list.insertItem(Row(at) + static_cast<int>(item - first), row);
        }
        shown.insert(shown.begin() + static_cast<std::ptrdiff_t>(at), first, last);
    }
}

} // namespace corvane

#include "editor/window/ControlView.h"

#include "editor/window/SymbolCaption.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QListWidget>

namespace corvane {

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void SetEnabled(QWidget& widget, bool enabled)
{
    if (widget.isEnabled() == enabled) {
        return;
    }
    // A control disabled under the pointer that was just clicked keeps no
    // focus; Qt would otherwise pass it on to the next control in tab order.
    if (!enabled && widget.window()->focusWidget() == &widget) {
        widget.clearFocus();
    }
    widget.setEnabled(enabled);
}

void ShowControl(QWidget& widget, const Control& control)
{
    SetEnabled(widget, control.isEnabled());
    const QString tooltip = Latin1(control.tooltip());
    if (widget.toolTip() != tooltip) {
        widget.setToolTip(tooltip);
    }
}

void ShowButton(QAbstractButton& button, const CaptionedControl& control, bool symbol)
{
    ShowControl(button, control);
    const QString caption = symbol ? SymbolCaption(control.caption()) : Latin1(control.caption());
    if (button.text() != caption) {
        button.setText(caption);
    }
}

void ShowSelection(QListWidget& list, std::optional<std::size_t> selected)
{
    const int row = selected ? static_cast<int>(*selected) : -1;
    if (list.currentRow() != row) {
        list.setCurrentRow(row);
        if (QListWidgetItem* item = list.item(row)) {
            list.scrollToItem(item);
        }
    }
    // A click on the empty area or a Ctrl+click may have dropped the highlight.
    if (QListWidgetItem* item = list.item(row); item && !item->isSelected()) {
        item->setSelected(true);
    } else if (!item && list.selectionModel()->hasSelection()) {
        list.clearSelection();
    }
}

} // namespace corvane

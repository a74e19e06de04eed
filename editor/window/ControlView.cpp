#include "editor/window/ControlView.h"

#include "editor/window/SymbolCaption.h"

#include <QAbstractButton>
#include <QAction>
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

namespace {

void ShowTooltip(QWidget& widget, const QString& tooltip)
{
    if (widget.toolTip() != tooltip) {
        widget.setToolTip(tooltip);
    }
}

} // namespace

void ShowControl(QWidget& widget, const Control& control)
{
    SetEnabled(widget, control.isEnabled());
    ShowTooltip(widget, Latin1(control.tooltip()));
}

QString KeysText(const QAction& action)
{
    QStringList keys;
    for (const QKeySequence& key : action.shortcuts()) {
        keys << key.toString(QKeySequence::NativeText);
    }
    return keys.join(QStringLiteral(", "));
}

void ShowButton(QAbstractButton& button, const CaptionedControl& control, bool symbol)
{
    SetEnabled(button, control.isEnabled());
    QString tooltip = Latin1(control.tooltip());
    for (const QAction* action : button.actions()) {
        if (const QString keys = KeysText(*action); !keys.isEmpty()) {
            tooltip += QStringLiteral(" (") + keys + QLatin1Char(')');
            break;
        }
    }
    ShowTooltip(button, tooltip);
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

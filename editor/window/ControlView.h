#pragma once

#include "editor/model/controls/CaptionedControl.h"
#include "editor/model/controls/Control.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>

class QAbstractButton;
class QAction;
class QListWidget;
class QWidget;

namespace corvane {

// Showing a headless control's state on its widget. Each setter touches the
// widget only when what it shows differs, so no signal or repaint comes of
// an unchanged state.

// The model's 8-bit text as the window shows it.
QString Latin1(std::string_view text);

// Enables or disables the widget; one disabled while it has the focus gives
// the focus up rather than pass it to the next control in tab order.
void SetEnabled(QWidget& widget, bool enabled);
// Enabled state and tooltip.
void ShowControl(QWidget& widget, const Control& control);
// Also the caption; a symbol caption is drawn with its Unicode symbol. The
// tooltip names the key of the button's own shortcut action, if it has one:
// "Save the program (Ctrl+S)".
void ShowButton(QAbstractButton& button, const CaptionedControl& control, bool symbol = false);
// The keys of an action as a menu shows them: "Ctrl+Shift+Z, Ctrl+Y".
QString KeysText(const QAction& action);
// The current and highlighted row; none for no selection.
void ShowSelection(QListWidget& list, std::optional<std::size_t> selected);

} // namespace corvane

#pragma once

#include <QLineEdit>

class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;

namespace corvane {

// The one-line message box. It reports the focus changes the editor counts:
// the focus leaving for another control of the window, not the window being
// deactivated or a popup (a context menu, a modal dialog) opening. Before it
// handles the user's keystroke or click it announces it, so the editor can
// take the box as focused first.
class MessageTextBox final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageTextBox)

public:
    explicit MessageTextBox(QWidget* parent = nullptr);
    ~MessageTextBox() override = default;

signals:
    void focusEntered();
    void focusLeft();
    void aboutToEdit();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace corvane

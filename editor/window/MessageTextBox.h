#pragma once

#include <QLineEdit>

class QAction;
class QContextMenuEvent;
class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;

namespace corvane {

// The one-line message box. It reports the focus changes the editor counts:
// the focus leaving for another control of the window, not the window being
// deactivated or a popup (a context menu, a modal dialog) opening. Before it
// handles the user's keystroke or click it announces it, so the editor can
// take the box as focused first. It keeps no undo of its own: the undo and
// redo keys, and its context menu's Undo and Redo, take the window's steps.
class MessageTextBox final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageTextBox)

public:
    explicit MessageTextBox(QWidget* parent = nullptr);
    ~MessageTextBox() override = default;

    // The window's undo and redo, shown in the box's context menu. Not owned.
    void setHistoryActions(QAction* undo, QAction* redo);

signals:
    void focusEntered();
    void focusLeft();
    void aboutToEdit();

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};

} // namespace corvane

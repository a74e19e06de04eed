#pragma once

#include "editor/window/Form1Controls.h"

#include <QObject>
#include <QPoint>
#include <initializer_list>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace corvane {

// The main window's actions beside its controls: undo and redo (Ctrl+Z;
// Ctrl+Shift+Z and Ctrl+Y), the buttons' keys (Ctrl+Up and Ctrl+Down move
// the message, F5 plays, Ctrl+S saves, Ctrl+Shift+Delete clears the list),
// Ctrl+Q to close the window, Shift+F10 for the focused control's context
// menu, and the message list's context menu, which shows undo, redo and the
// file actions. The menu bar shows the same actions.
class Form1Actions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1Actions)

public:
    // The actions work while `window` is active; they are its children.
    Form1Actions(QWidget& window, const Form1Controls& controls);

    QAction& undo() const { return *m_undo; }
    QAction& redo() const { return *m_redo; }
    // A button's action clicks it and is enabled while the button is.
    QAction& save() const { return *m_save; }
    QAction& clearAll() const { return *m_clearAll; }
    QAction& moveUp() const { return *m_moveUp; }
    QAction& moveDown() const { return *m_moveDown; }
    QAction& play() const { return *m_play; }
    QAction& quit() const { return *m_quit; }
    QAction& contextMenu() const { return *m_contextMenu; }

    // Adds a group of actions to the list's menu, after a separator.
    void addMenuGroup(std::initializer_list<QAction*> actions);
    // The list's menu, made anew each time it opens, so that it names the
    // steps to undo and redo as they are then.
    QMenu* buildMessageMenu() const;

protected:
    // A button's action follows the button's enabled state.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* buttonAction(QPushButton* button, const char* name, const QString& text,
                          const QKeySequence& keys);
    void showMessageMenu(const QPoint& position) const;
    // Opens the context menu of the control with the focus, as the Menu key does.
    void openFocusedContextMenu() const;

    QWidget& m_window;
    const Form1Controls& m_controls;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_save = nullptr;
    QAction* m_clearAll = nullptr;
    QAction* m_moveUp = nullptr;
    QAction* m_moveDown = nullptr;
    QAction* m_play = nullptr;
    QAction* m_quit = nullptr;
    QAction* m_contextMenu = nullptr;
    std::vector<std::vector<QAction*>> m_menuGroups;
};

} // namespace corvane

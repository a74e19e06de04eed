#pragma once

#include "editor/window/Form1Controls.h"

#include <QObject>
#include <QPoint>
#include <initializer_list>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace corvane {

// The main window's actions beside its controls: undo and redo (Ctrl+Z;
// Ctrl+Shift+Z and Ctrl+Y), the buttons' keys (Ctrl+Up and Ctrl+Down move
// the message, F5 plays, Ctrl+S saves), Ctrl+Q to close the window, and the
// message list's context menu, which shows undo, redo and the file actions.
class Form1Actions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1Actions)

public:
    // The actions work while `window` is active; they are its children.
    Form1Actions(QWidget& window, const Form1Controls& controls);

    QAction& undo() const { return *m_undo; }
    QAction& redo() const { return *m_redo; }

    // Adds a group of actions to the list's menu, after a separator.
    void addMenuGroup(std::initializer_list<QAction*> actions);
    // The list's menu, made anew each time it opens, so that it names the
    // steps to undo and redo as they are then.
    QMenu* buildMessageMenu() const;

private:
    void showMessageMenu(const QPoint& position) const;

    QWidget& m_window;
    const Form1Controls& m_controls;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    std::vector<std::vector<QAction*>> m_menuGroups;
};

} // namespace corvane

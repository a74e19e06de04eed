#include "editor/window/Form1Actions.h"

#include "editor/window/MessageTextBox.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace corvane {

namespace {

QAction* WindowAction(QObject* parent, const char* name, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(parent);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

} // namespace

Form1Actions::Form1Actions(QWidget& window, const Form1Controls& controls)
    : QObject(&window), m_window(window), m_controls(controls),
      m_undo(WindowAction(&window, "undoAction", {QKeySequence(Qt::CTRL | Qt::Key_Z)})),
      m_redo(WindowAction(
          &window, "redoAction",
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}))
{
    window.addAction(m_undo);
    window.addAction(m_redo);
    // The box has no undo of its own: its keys and menu take the window's steps.
    controls.TxtMessage->setHistoryActions(m_undo, m_redo);

    // A button's key clicks it, and only while the button can be clicked; its
    // tooltip names the key (ShowButton).
    const auto key = [](QPushButton* button, const QKeySequence& keys) {
        auto* action = WindowAction(button, "", {keys});
        button->addAction(action);
        connect(action, &QAction::triggered, button, &QAbstractButton::click);
    };
    key(controls.CmdUp, QKeySequence(Qt::CTRL | Qt::Key_Up));
    key(controls.CmdDn, QKeySequence(Qt::CTRL | Qt::Key_Down));
    key(controls.CmdPlayOne, QKeySequence(Qt::Key_F5));
    key(controls.CmdSave, QKeySequence::Save);

    QAction* quit = WindowAction(&window, "quitAction", {QKeySequence(Qt::CTRL | Qt::Key_Q)});
    window.addAction(quit);
    connect(quit, &QAction::triggered, &window, &QWidget::close);

    controls.LstMessage->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(controls.LstMessage, &QWidget::customContextMenuRequested, this,
            &Form1Actions::showMessageMenu);
}

void Form1Actions::addMenuGroup(std::initializer_list<QAction*> actions)
{
    m_menuGroups.emplace_back(actions);
}

QMenu* Form1Actions::buildMessageMenu() const
{
    auto* menu = new QMenu(&m_window);
    menu->setObjectName(QStringLiteral("messageMenu"));
    menu->addAction(m_undo);
    menu->addAction(m_redo);
    for (const std::vector<QAction*>& group : m_menuGroups) {
        menu->addSeparator();
        for (QAction* action : group) {
            menu->addAction(action);
        }
    }
    return menu;
}

void Form1Actions::showMessageMenu(const QPoint& position) const
{
    QMenu* menu = buildMessageMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_controls.LstMessage->viewport()->mapToGlobal(position));
}

} // namespace corvane

#include "editor/window/Form1Actions.h"

#include "editor/window/MessageTextBox.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
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
    // The keys page names them so; their text names the step as well.
    m_undo->setIconText(tr("Undo"));
    m_redo->setIconText(tr("Redo"));
    window.addAction(m_undo);
    window.addAction(m_redo);
    // The box has no undo of its own: its keys and menu take the window's steps.
    controls.TxtMessage->setHistoryActions(m_undo, m_redo);

    // A button's key clicks it; its tooltip names the key (ShowButton).
    m_moveUp = buttonAction(controls.CmdUp, "moveUpAction", tr("Move the Message Up"),
                            QKeySequence(Qt::CTRL | Qt::Key_Up));
    m_moveDown = buttonAction(controls.CmdDn, "moveDownAction", tr("Move the Message Down"),
                              QKeySequence(Qt::CTRL | Qt::Key_Down));
    m_play = buttonAction(controls.CmdPlayOne, "playAction", tr("Play or Pause the Message"),
                          QKeySequence(Qt::Key_F5));
    m_save = buttonAction(controls.CmdSave, "saveAction", tr("&Save"), QKeySequence::Save);
    m_clearAll = buttonAction(controls.CmdClear, "clearAllAction", tr("&Clear All"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));

    m_quit = WindowAction(&window, "quitAction", {QKeySequence(Qt::CTRL | Qt::Key_Q)});
    m_quit->setText(tr("&Quit"));
    window.addAction(m_quit);
    connect(m_quit, &QAction::triggered, &window, &QWidget::close);

    m_contextMenu =
        WindowAction(&window, "contextMenuAction", {QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    m_contextMenu->setText(tr("Context Menu"));
    window.addAction(m_contextMenu);
    connect(m_contextMenu, &QAction::triggered, this, &Form1Actions::openFocusedContextMenu);

    controls.LstMessage->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(controls.LstMessage, &QWidget::customContextMenuRequested, this,
            &Form1Actions::showMessageMenu);
}

QAction* Form1Actions::buttonAction(QPushButton* button, const char* name, const QString& text,
                                    const QKeySequence& keys)
{
    QAction* action = WindowAction(button, name, {keys});
    action->setText(text);
    action->setEnabled(button->isEnabled());
    button->addAction(action);
    button->installEventFilter(this);
    connect(action, &QAction::triggered, button, &QAbstractButton::click);
    return action;
}

bool Form1Actions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            for (QAction* action : button->actions()) {
                action->setEnabled(button->isEnabled());
            }
        }
    }
    return QObject::eventFilter(watched, event);
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

void Form1Actions::openFocusedContextMenu() const
{
    QWidget* focused = m_window.focusWidget();
    if (focused == nullptr || !focused->isEnabled()) {
        return;
    }
    // A list opens its menu at the current row, in its viewport; another
    // control at its caret, or its middle.
    QWidget* target = focused;
    QPoint at = focused->rect().center();
    if (auto* view = qobject_cast<QAbstractItemView*>(focused)) {
        target = view->viewport();
        const QRect current = view->visualRect(view->currentIndex());
        at = current.isValid() ? current.center() : target->rect().center();
    } else if (const QRect caret = focused->inputMethodQuery(Qt::ImCursorRectangle).toRect();
               caret.isValid()) {
        at = caret.center();
    }
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
}

} // namespace corvane

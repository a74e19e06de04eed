#include "editor/window/MessageTextBox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <memory>

namespace corvane {

namespace {

bool IsHistoryKey(const QKeyEvent& event)
{
    const QKeySequence keys(event.keyCombination());
    return event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo) ||
           keys == QKeySequence(Qt::CTRL | Qt::Key_Z) ||
           keys == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) ||
           keys == QKeySequence(Qt::CTRL | Qt::Key_Y);
}

} // namespace

MessageTextBox::MessageTextBox(QWidget* parent) : QLineEdit(parent)
{
    // Text arrives by typing and pasting only.
    setAcceptDrops(false);
}

void MessageTextBox::setHistoryActions(QAction* undo, QAction* redo)
{
    m_undo = undo;
    m_redo = redo;
}

bool MessageTextBox::event(QEvent* event)
{
    // Left unclaimed, the undo and redo keys reach the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride &&
        IsHistoryKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void MessageTextBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The standard items are known by their text, translated as the line
    // edit translates it, before the tab that precedes the shortcut.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        const QString item = action->text().section(QLatin1Char('\t'), 0, 0);
        QAction* window = item == QLineEdit::tr("&Undo")   ? m_undo
                          : item == QLineEdit::tr("&Redo") ? m_redo
                                                           : nullptr;
        if (window != nullptr) {
            menu->insertAction(action, window);
            menu->removeAction(action);
        }
    }
    menu->exec(event->globalPos());
}

void MessageTextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit focusEntered();
}

void MessageTextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        // The box stays the window's focus widget.
        break;
    default:
        emit focusLeft();
        break;
    }
}

void MessageTextBox::keyPressEvent(QKeyEvent* event)
{
    // With nothing to take back the window's shortcut is off and the key
    // arrives here; the box's own undo must not run.
    if (IsHistoryKey(*event)) {
        event->ignore();
        return;
    }
    emit aboutToEdit();
    QLineEdit::keyPressEvent(event);
    // Enter has been handled here (returnPressed); it must not reach the
    // window a second time.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
    }
}

void MessageTextBox::inputMethodEvent(QInputMethodEvent* event)
{
    emit aboutToEdit();
    QLineEdit::inputMethodEvent(event);
}

void MessageTextBox::mousePressEvent(QMouseEvent* event)
{
    emit aboutToEdit();
    QLineEdit::mousePressEvent(event);
}

} // namespace corvane

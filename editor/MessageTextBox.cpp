#include "editor/MessageTextBox.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace corvane {

MessageTextBox::MessageTextBox(QWidget* parent) : QLineEdit(parent)
{
    // Text arrives by typing and pasting only.
    setAcceptDrops(false);
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

#include "editor/window/OneRowList.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace corvane {

OneRowList::OneRowList(QWidget* parent) : QListWidget(parent)
{
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &OneRowList::selectShownRow);
}

int OneRowList::shownRow() const
{
    return indexAt(viewport()->rect().topLeft()).row();
}

void OneRowList::keyPressEvent(QKeyEvent* event)
{
    // A page is one row; Qt's own page step would not move at all.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageUp
                                               ? QAbstractSlider::SliderPageStepSub
                                               : QAbstractSlider::SliderPageStepAdd);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void OneRowList::selectShownRow()
{
    // Scrolling to the current row (a selection made elsewhere) selects nothing new.
    if (const int row = shownRow(); isEnabled() && row >= 0 && row != currentRow()) {
        setCurrentRow(row);
    }
}

} // namespace corvane

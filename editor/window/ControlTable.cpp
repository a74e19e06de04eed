#include "editor/window/ControlTable.h"

#include "editor/window/TwipsLayout.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

QWidget* ContainerOf(QWidget& window, const ControlRow& control)
{
    return control.parent == nullptr ? &window : ControlOf<QWidget>(window, control.parent);
}

} // namespace

void CreateControls(QWidget& window, std::span<const ControlRow> table)
{
    for (const ControlRow& control : table) {
        QWidget* widget = control.create(ContainerOf(window, control));
        widget->setObjectName(QLatin1String(control.name));
    }
}

void PlaceControls(QWidget& window, std::span<const ControlRow> table)
{
    const qreal dpi = window.logicalDpiX();
    for (const ControlRow& control : table) {
        ControlOf<QWidget>(window, control.name)
            ->setGeometry(TwipsRect(control.left, control.top, control.width, control.height, dpi));
    }
}

void ApplyTabOrder(QWidget& window, std::span<const ControlRow> table)
{
    std::vector<const ControlRow*> order;
    for (const ControlRow& control : table) {
        if (control.tabIndex >= 0) {
            order.push_back(&control);
        }
    }
    std::ranges::sort(order, {}, &ControlRow::tabIndex);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(ControlOf<QWidget>(window, order[i - 1]->name),
                             ControlOf<QWidget>(window, order[i]->name));
    }
}

} // namespace corvane

#include "editor/ControlTable.h"

#include "editor/TwipsLayout.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

QWidget* ContainerOf(QWidget& window, const ControlSpec& spec)
{
    return spec.parent == nullptr ? &window : ControlOf<QWidget>(window, spec.parent);
}

} // namespace

void CreateControls(QWidget& window, std::span<const ControlSpec> table)
{
    for (const ControlSpec& spec : table) {
        QWidget* widget = spec.create(ContainerOf(window, spec));
        widget->setObjectName(QLatin1String(spec.name));
    }
}

void PlaceControls(QWidget& window, std::span<const ControlSpec> table)
{
    const qreal dpi = window.logicalDpiX();
    for (const ControlSpec& spec : table) {
        ControlOf<QWidget>(window, spec.name)
            ->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height, dpi));
    }
}

void ApplyTabOrder(QWidget& window, std::span<const ControlSpec> table)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& spec : table) {
        if (spec.tabIndex >= 0) {
            order.push_back(&spec);
        }
    }
    std::ranges::sort(order, {}, &ControlSpec::tabIndex);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(ControlOf<QWidget>(window, order[i - 1]->name),
                             ControlOf<QWidget>(window, order[i]->name));
    }
}

} // namespace corvane

#include "editor/window/TabStops.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <algorithm>
#include <vector>

namespace corvane {

namespace {

bool InGroup(const QButtonGroup& group, const QWidget* widget)
{
    return widget != nullptr &&
           std::ranges::any_of(group.buttons(),
                               [widget](const QWidget* button) { return button == widget; });
}

const QButtonGroup* GroupOf(const QWidget* widget, const QList<const QButtonGroup*>& groups)
{
    const auto found = std::ranges::find_if(
        groups, [widget](const QButtonGroup* group) { return InGroup(*group, widget); });
    return found == groups.end() ? nullptr : *found;
}

bool CanTakeFocus(const QWidget* widget)
{
    return widget != nullptr && widget->isEnabled() && widget->isVisible() &&
           (widget->focusPolicy() & Qt::TabFocus) != 0;
}

} // namespace

TabStops::TabStops(const QWidget& window, std::span<const ControlRow> table,
                   const QList<const QButtonGroup*>& groups)
{
    std::vector<const ControlRow*> order;
    for (const ControlRow& control : table) {
        if (control.tabIndex >= 0) {
            order.push_back(&control);
        }
    }
    std::ranges::sort(order, {}, &ControlRow::tabIndex);
    QList<const QButtonGroup*> placed;
    for (const ControlRow* control : order) {
        auto* widget = ControlOf<QWidget>(window, control->name);
        if (const QButtonGroup* group = GroupOf(widget, groups); group == nullptr) {
            m_stops.append({widget, nullptr});
        } else if (!placed.contains(group)) {
            placed.append(group);
            m_stops.append({nullptr, group});
        }
    }
}

QWidget* TabStops::focusTarget(const Stop& stop)
{
    if (stop.group == nullptr) {
        return CanTakeFocus(stop.control) ? stop.control : nullptr;
    }
    QAbstractButton* checked = stop.group->checkedButton();
    return CanTakeFocus(checked) ? checked : nullptr;
}

bool TabStops::holds(const Stop& stop, const QWidget* widget) const
{
    return widget != nullptr &&
           (stop.control == widget || (stop.group != nullptr && InGroup(*stop.group, widget)));
}

QWidget* TabStops::next(const QWidget* current, bool forward) const
{
    const auto count = static_cast<int>(m_stops.size());
    const auto at =
        std::ranges::find_if(m_stops, [&](const Stop& stop) { return holds(stop, current); });
    // From outside the order, the first step lands on the first or last stop.
    int index =
        at == m_stops.end() ? (forward ? -1 : count) : static_cast<int>(at - m_stops.begin());
    for (int step = 0; step < count; ++step) {
        index = ((forward ? index + 1 : index - 1) % count + count) % count;
        if (QWidget* target = focusTarget(m_stops[index])) {
            return target;
        }
    }
    return nullptr;
}

} // namespace corvane

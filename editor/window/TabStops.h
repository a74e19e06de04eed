#pragma once

#include "editor/window/ControlTable.h"

#include <QList>
#include <span>

class QButtonGroup;
class QWidget;

namespace corvane {

// The places Tab and Shift+Tab move the focus to, in the tab order of a
// control table. The buttons of an exclusive button group are one place, at
// the first of them in tab order; the group's checked button takes the focus
// there, and the arrow keys choose among them.
class TabStops final
{
public:
    TabStops(const QWidget& window, std::span<const ControlRow> table,
             const QList<const QButtonGroup*>& groups);

    // The enabled, visible control after (or before) `current` in the order,
    // wrapping around; from a control outside the order, the first (or last).
    // Null when none can take the focus.
    QWidget* next(const QWidget* current, bool forward) const;

private:
    struct Stop
    {
        QWidget* control = nullptr;          // a control of its own
        const QButtonGroup* group = nullptr; // or a group of buttons
    };

    // Where the stop takes the focus; null when it cannot.
    static QWidget* focusTarget(const Stop& stop);
    bool holds(const Stop& stop, const QWidget* widget) const;

    QList<Stop> m_stops;
};

} // namespace corvane

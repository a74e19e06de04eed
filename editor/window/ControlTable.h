#pragma once

#include <QWidget>
#include <span>

namespace corvane {

// One control of a window: its object name, the container it sits in, where
// (in twips, relative to the container's client area) and its place in tab
// order. A window keeps one constant table of these; it drives creation,
// geometry and tab order alike.
struct ControlRow
{
    const char* name;
    const char* parent; // object name of the container; nullptr for the window
    QWidget* (*create)(QWidget* parent);
    int left;
    int top;
    int width;
    int height;
    int tabIndex = -1; // -1: the control takes no focus

    template <typename Widget> static QWidget* make(QWidget* parent) { return new Widget(parent); }
};

// Creates and names the controls in table order; a container comes before
// the controls it holds.
void CreateControls(QWidget& window, std::span<const ControlRow> table);
// Sizes and places every control of the table at the window's logical dpi.
void PlaceControls(QWidget& window, std::span<const ControlRow> table);
// Chains the focus-taking controls by their tab index.
void ApplyTabOrder(QWidget& window, std::span<const ControlRow> table);

// The window's control of that name and type; the table guarantees it exists.
template <typename Widget> Widget* ControlOf(const QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    Q_ASSERT(widget != nullptr);
    return widget;
}

} // namespace corvane

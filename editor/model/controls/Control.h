#pragma once

#include <string>
#include <utility>

namespace corvane {

// What every control of the window carries. Changing it raises no event.
class Control
{
public:
    Control() = default;
    explicit Control(std::string tooltip, bool enabled)
        : m_tooltip(std::move(tooltip)), m_enabled(enabled)
    {}

    const std::string& tooltip() const { return m_tooltip; }
    void setTooltip(std::string tooltip) { m_tooltip = std::move(tooltip); }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

private:
    std::string m_tooltip{};
    bool m_enabled = true;
};

} // namespace corvane

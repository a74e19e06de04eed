#pragma once

#include "editor/model/controls/CaptionedControl.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace corvane {

// An indexed array of option buttons of which exactly one is selected.
// Every selection, by the user or the program, raises the click handler with
// the button's index, even when that button was already selected.
class OptionGroup final
{
public:
    explicit OptionGroup(std::vector<CaptionedControl> buttons);

    void setClickHandler(std::function<void(std::size_t)> handler);

    std::size_t count() const { return m_buttons.size(); }
    const CaptionedControl& button(std::size_t index) const;
    CaptionedControl& button(std::size_t index);

    std::size_t selectedIndex() const { return m_selected; }
    void select(std::size_t index);

private:
    std::vector<CaptionedControl> m_buttons{};
    std::size_t m_selected = 0;
    std::function<void(std::size_t)> m_onClick{};
};

} // namespace corvane

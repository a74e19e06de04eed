#include "editor/model/controls/OptionGroup.h"

#include <cassert>
#include <utility>

namespace corvane {

OptionGroup::OptionGroup(std::vector<CaptionedControl> buttons) : m_buttons(std::move(buttons))
{
    assert(!m_buttons.empty());
}

void OptionGroup::setClickHandler(std::function<void(std::size_t)> handler)
{
    m_onClick = std::move(handler);
}

const CaptionedControl& OptionGroup::button(std::size_t index) const
{
    assert(index < m_buttons.size());
    return m_buttons[index];
}

CaptionedControl& OptionGroup::button(std::size_t index)
{
    assert(index < m_buttons.size());
    return m_buttons[index];
}

void OptionGroup::select(std::size_t index)
{
    assert(index < m_buttons.size());
    m_selected = index;
    if (m_onClick) {
        m_onClick(index);
    }
}

} // namespace corvane

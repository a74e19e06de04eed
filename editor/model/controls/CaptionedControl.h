#pragma once

#include "editor/model/controls/Control.h"

#include <string>
#include <utility>

namespace corvane {

// A button, a label or one option button: a caption besides the common state.
class CaptionedControl final : public Control
{
public:
    CaptionedControl(std::string caption, std::string tooltip, bool enabled)
        : Control(std::move(tooltip), enabled), m_caption(std::move(caption))
    {}

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption) { m_caption = std::move(caption); }

private:
    std::string m_caption{};
};

} // namespace corvane

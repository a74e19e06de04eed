#pragma once

#include "editor/model/MessageEditor.h"

#include <memory>
#include <string>

namespace corvane::test {

// An editor as the shown window leaves it, with `text` typed into its first
// entry.
inline std::unique_ptr<MessageEditor> TypingEditor(const std::string& text)
{
    auto editor = std::make_unique<MessageEditor>();
    editor->Form_Load();
    editor->userFocusBox();
    editor->userEditText(text, text.size());
    return editor;
}

} // namespace corvane::test

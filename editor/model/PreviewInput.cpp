#include "editor/model/PreviewInput.h"

#include "editor/model/MessageEditor.h"

namespace corvane {

std::optional<PreviewInput> PreviewInputOf(const MessageEditor& editor)
{
    auto board = editor.selectedBoard();
    auto entry = editor.editedEntry();
    if (!board || !entry) {
        return std::nullopt;
    }
    return PreviewInput{editor.CurIndex(), std::move(*entry), std::move(*board)};
}

} // namespace corvane

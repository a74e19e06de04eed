#include "editor/model/preview/PreviewInput.h"

#include "bascom/ProgramWriter.h"
#include "editor/model/MessageEditor.h"

#include <array>
#include <string_view>

namespace corvane {

std::optional<PreviewInput> PreviewInputOf(const MessageEditor& editor)
{
    auto board = editor.selectedBoard();
    auto entry = editor.editedEntry();
    if (!board || !entry) {
        return std::nullopt;
    }
    return PreviewInput{editor.CurIndex(), std::move(*entry), std::move(*board), editor.font()};
}

std::string DescriptionOf(const PreviewInput& input)
{
    static constexpr std::array<std::string_view, 4> kDirections = {"Left", "Right", "Up", "Down"};
    static constexpr std::string_view kSeparator = " \u00B7 ";
    const auto direction = static_cast<std::size_t>(input.entry.direction);
    std::string text = "Text" + LabelNumber(input.index);
    text += kSeparator;
    text += direction < kDirections.size() ? kDirections[direction] : kDirections[0];
    text += kSeparator;
    text += "speed " + std::to_string(input.entry.speed);
    return text;
}

} // namespace corvane

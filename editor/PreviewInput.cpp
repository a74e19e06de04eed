#include "editor/PreviewInput.h"

#include "editor/model/MessageEditor.h"

namespace corvane {

std::optional<PreviewInput> PreviewInputOf(const MessageEditor& editor)
{
    const ListBox& widths = editor.CmbWidth();
    const auto width = widths.selectedIndex();
    const auto& items = editor.LstMessage().items();
    const std::size_t index = editor.CurIndex();
    if (!width || index >= items.size()) {
        return std::nullopt;
    }
    const std::int32_t latches = widths.itemData(*width);
    if (latches < 1 || latches > 8) {
        return std::nullopt;
    }
    return PreviewInput{
        .index = index,
        .entry =
            MessageEntry{items[index].text, PackItemData(editor.CurScroll(), editor.CurSpeed())},
        .widthText = widths.itemText(*width),
        .latchCount = static_cast<std::uint8_t>(latches),
        .rowCount = editor.RowCount(),
    };
}

bool PlayOneIsPlaying(const MessageEditor& editor)
{
    return editor.CmdPlayOne().caption() == ";";
}

} // namespace corvane

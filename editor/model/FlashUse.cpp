#include "editor/model/FlashUse.h"

#include "editor/model/MessageEditor.h"
#include "generator/ProgramWriter.h"

#include <vector>

namespace corvane {

std::string FlashUse::summary() const
{
    return "Data tables: " + GroupThousands(tableBytes) + " of " + GroupThousands(flashBytes) +
           " bytes of flash";
}

std::string FlashUse::overflowWarning() const
{
    return "The program was saved, but it cannot fit an " + std::string(chip::kName) +
           ": its data tables alone take " + GroupThousands(tableBytes) +
           " bytes, and the chip has " + GroupThousands(flashBytes) +
           " bytes of flash.\nFewer or shorter messages are needed.";
}

FlashUse FlashUseOf(std::span<const MessageEntry> entries, std::uint8_t latchCount)
{
    return {DataTablesSize(entries, latchCount)};
}

FlashUse FlashUseOf(const MessageEditor& editor)
{
    std::vector<MessageEntry> entries = editor.entries();
    if (const auto edited = editor.editedEntry()) {
        entries[editor.CurIndex()] = *edited;
    }
    const auto board = editor.selectedBoard();
    return FlashUseOf(entries, board ? board->latchCount : editor.LatchCount());
}

std::string GroupThousands(std::size_t value)
{
    std::string digits = std::to_string(value);
    for (std::size_t end = digits.size(); end > 3; end -= 3) {
        digits.insert(end - 3, 1, ',');
    }
    return digits;
}

} // namespace corvane

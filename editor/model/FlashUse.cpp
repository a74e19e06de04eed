#include "editor/model/FlashUse.h"

#include "editor/model/MessageEditor.h"
#include "flashimage/Firmware.h"
#include "sign/ColumnTable.h"

#include <vector>

namespace corvane {

std::string FlashUse::summary() const
{
    return "Data tables: " + GroupThousands(tableBytes) + " of " + GroupThousands(flashBytes) +
           " bytes of flash";
}

std::string FlashUse::firmwareSummary() const
{
    return "Firmware: " + GroupThousands(firmwareBytes) + " of " + GroupThousands(flashBytes) +
           " bytes of flash";
}

std::string FlashUse::overflowWarning() const
{
    return "The program was saved, but it cannot fit an " + std::string(chip::kName) +
           ": its data tables alone take " + GroupThousands(tableBytes) +
           " bytes, and the chip has " + GroupThousands(flashBytes) +
           " bytes of flash.\nFewer or shorter messages are needed.";
}

FlashUse FlashUseOf(std::span<const Message> entries, const Board& board)
{
    return {ColumnTablesSize(entries, board), FirmwareSize(entries, board)};
}

FlashUse FlashUseOf(const MessageEditor& editor)
{
    const ProgramDocument program = DocumentOf(editor);
    return FlashUseOf(program.entries, program.board);
}

ProgramDocument DocumentOf(const MessageEditor& editor)
{
    ProgramDocument program{
        editor.entries(), {{}, editor.LatchCount(), Board::kRowCount}, editor.glyphs()};
    if (const auto edited = editor.editedEntry()) {
        program.entries[editor.CurIndex()] = *edited;
    }
    if (auto board = editor.selectedBoard()) {
        program.board = std::move(*board);
    }
    return program;
}

} // namespace corvane

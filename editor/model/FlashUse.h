#pragma once

#include "sign/Board.h"
#include "sign/GroupThousands.h"
#include "sign/Message.h"
#include "sign/ProgramDocument.h"
#include "sign/TargetChip.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace corvane {

class MessageEditor;

// How much of the chip's flash a list takes: the data tables of its BASCOM
// program (a lower bound: the program's code needs flash besides), and its
// firmware, exactly.
struct FlashUse
{
    std::size_t tableBytes = 0;
    std::size_t firmwareBytes = 0;
    std::size_t flashBytes = chip::kFlashBytes;

    bool exceedsFlash() const { return tableBytes > flashBytes; }
    bool firmwareExceedsFlash() const { return firmwareBytes > flashBytes; }
    // "Data tables: 2,214 of 8,192 bytes of flash"
    std::string summary() const;
    // "Firmware: 1,904 of 8,192 bytes of flash"
    std::string firmwareSummary() const;
    // What a save is told when the tables alone do not fit.
    std::string overflowWarning() const;

    friend bool operator==(const FlashUse&, const FlashUse&) = default;
};

// The program and firmware of these entries on that board.
FlashUse FlashUseOf(std::span<const Message> entries, const Board& board);
// The list as Save would write it now (DocumentOf).
FlashUse FlashUseOf(const MessageEditor& editor);

// The list as Save would write it now, changing nothing: the current entry
// with the settings being edited, on the selected width.
ProgramDocument DocumentOf(const MessageEditor& editor);

} // namespace corvane

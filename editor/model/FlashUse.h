#pragma once

#include "generator/MessageEntry.h"
#include "generator/TargetChip.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace corvane {

class MessageEditor;

// How much of the chip's flash the data tables of a list take. The tables
// alone are a lower bound for the program: its code needs flash besides.
struct FlashUse
{
    std::size_t tableBytes = 0;
    std::size_t flashBytes = chip::kFlashBytes;

    bool exceedsFlash() const { return tableBytes > flashBytes; }
    // "Data tables: 2,214 of 8,192 bytes of flash"
    std::string summary() const;
    // What a save is told when the tables alone do not fit.
    std::string overflowWarning() const;

    friend bool operator==(const FlashUse&, const FlashUse&) = default;
};

// The tables of these entries on a board of that many latches.
FlashUse FlashUseOf(std::span<const MessageEntry> entries, std::uint8_t latchCount);
// The list as Save would write it now: the current entry with the settings
// being edited, on the selected width.
FlashUse FlashUseOf(const MessageEditor& editor);

// Decimal with "," between groups of three digits: 8192 → "8,192".
std::string GroupThousands(std::size_t value);

} // namespace corvane

#pragma once

#include "editor/model/flash/Avrdude.h"

#include <string>
#include <string_view>

namespace corvane {

// What went wrong, as avrdude's output tells it. The kinds stand in order
// of weight: when several lines name a failure, the later kind wins (a USB
// permission warning explains the "cannot find USB device" that follows it).
struct AvrdudeFailure
{
    enum class Kind
    {
        None,
        UnknownProgrammer,       // avrdude does not know the -c id
        NoProgrammer,            // no such USB device
        ProgrammerNotResponding, // a serial programmer that does not answer
        ChipNotAnswering,        // programmer found, chip silent
        OtherChip,               // a chip of another signature answered
        PortNotOpened,           // the serial port cannot be opened
        UsbPermission,           // the USB device may not be opened
        PortPermission,          // the serial port may not be opened
    };

    Kind kind = Kind::None;
    std::string detail{}; // the port, the chip that answered, the programmer id
    std::string reason{}; // the system's words for a port that did not open

    friend bool operator==(const AvrdudeFailure&, const AvrdudeFailure&) = default;
};

// What one line of avrdude's output says went wrong; None for most lines.
AvrdudeFailure ClassifyAvrdudeLine(std::string_view line);

// The failure in a hobbyist's words: what happened and what to check, for
// the programmer `choice` names.
std::string FailureWords(const AvrdudeFailure& failure, const ProgrammerChoice& choice);

} // namespace corvane

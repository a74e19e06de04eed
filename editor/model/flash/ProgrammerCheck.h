#pragma once

#include "editor/model/flash/Avrdude.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The checks every programmer setting passes before it reaches avrdude,
// whether typed in the dialog, remembered in the settings or given on the
// command line. Each gives the value to use, or nothing when it is bad.

// 1 to 64 letters, digits, '_', '-', '.' or '+', not starting with '-'.
bool IsProgrammerId(std::string_view id);
// Empty (avrdude's default), or a whole number of 300 to 4,000,000 baud.
std::optional<std::string> CheckedBaud(std::string_view text);
// Empty (the programmer's own clock), or a period of 0.1 to 1,000 µs
// written as digits with at most three decimals ("8", "0.5").
std::optional<std::string> CheckedBitclock(std::string_view text);
// Empty, or at most 256 printable characters not starting with '-'
// ("/dev/ttyUSB0", "usb:1234").
std::optional<std::string> CheckedPort(std::string_view text);

// What a programmer starts from: its baud and bit clock, no port. An id
// that is not a known programmer gets avrdude's defaults.
ProgrammerChoice DefaultChoice(std::string_view programmer);

// `raw` with every field checked. An empty or unknown programmer (neither
// a known one nor one `listed` by avrdude) gives USBasp's default choice; a
// bad port, baud or bit clock gives that programmer's default. A USB
// programmer takes no port and no baud.
ProgrammerChoice CheckedChoice(const ProgrammerChoice& raw,
                               const std::function<bool(std::string_view id)>& listed);

// Why a checked choice cannot be used yet (a serial programmer without its
// port), or nothing.
std::optional<std::string> MissingSetting(const ProgrammerChoice& choice);

} // namespace corvane

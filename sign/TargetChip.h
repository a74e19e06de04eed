#pragma once

#include <cstddef>
#include <string_view>

// The microcontroller every generated program and firmware is built for, and
// the names the tools around it know it by.
namespace corvane::chip {

inline constexpr std::string_view kName = "ATmega8";
// The part as avrdude's "-p" names it.
inline constexpr std::string_view kAvrdudePart = "m8";
// BASCOM-AVR's register file of the part, which "$regfile" names.
inline constexpr std::string_view kRegisterFile = "m8def.dat";
// Program memory, which the code and the data tables share: one Data byte
// takes one byte of it.
inline constexpr std::size_t kFlashBytes = 8192;
// Its factory-set internal oscillator, which the programs ("$crystal") and the
// firmware's engine (CORVANE_CLOCK_HZ) are built for, so that no fuse needs
// changing.
inline constexpr unsigned long kClockHz = 1000000;

} // namespace corvane::chip

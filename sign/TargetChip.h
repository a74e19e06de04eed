#pragma once

#include <cstddef>
#include <string_view>

// The microcontroller every generated program is written for ("m8def.dat").
namespace corvane::chip {

inline constexpr std::string_view kName = "ATmega8";
// Program memory, which the code and the data tables share: one Data byte
// takes one byte of it.
inline constexpr std::size_t kFlashBytes = 8192;
// Its factory-set internal oscillator, which the programs ("$crystal") and the
// firmware's engine are built for, so that no fuse needs changing.
inline constexpr unsigned long kClockHz = 1000000;

} // namespace corvane::chip

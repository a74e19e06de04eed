#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The ATmega8's low fuse: BODLEVEL, BODEN, SUT1..0, CKSEL3..0 from bit 7
// down. The sign's firmware is timed for the factory setting, 0xE1: the
// calibrated internal RC oscillator at 1 MHz (CKSEL 0001, SUT 10).
inline constexpr std::uint8_t kFactoryLowFuse = 0xE1;

// The fuse avrdude printed for "-U lfuse:r:-:h" ("0xe1", the last line
// counts); nothing when its output holds no such value.
std::optional<std::uint8_t> ParseFuseByte(std::string_view output);

// What a sign on a chip with this low fuse would do, in plain words
// ("…: the sign would run 8 times too fast."); empty when the chip runs on
// its internal 1 MHz oscillator.
std::string ClockProblem(std::uint8_t lowFuse);

// The fuse with the factory clock (CKSEL and SUT) and the brown-out bits
// kept as they are.
std::uint8_t WithFactoryClock(std::uint8_t lowFuse);

} // namespace corvane

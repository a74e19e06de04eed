#pragma once

#include <span>
#include <string_view>

namespace corvane {

// A programmer hobbyists use, as the flash dialog offers it in plain words,
// with the avrdude settings that suit a factory-fresh ATmega8 on its 1 MHz
// internal clock.
struct KnownProgrammer
{
    std::string_view id;       // avrdude's -c
    std::string_view name;     // "USBasp"
    std::string_view tooltip;  // what it is and how it is wired
    bool needsPort = false;    // a serial port (-P); the others sit on USB
    std::string_view baud;     // the -b it needs; empty for none
    std::string_view bitclock; // its -B default in µs; empty: its own clock
    std::string_view usbId;    // "16c0:05dc", for the udev rule; empty for serial ones
};

// The ISP clock a new ATmega8 at 1 MHz takes safely: an SPI clock below a
// quarter of the chip's clock, so a period of at least 4 µs; 8 µs leaves room.
inline constexpr std::string_view kSafeBitclock = "8";

// USBasp first (the default), then the others hobbyists use most.
std::span<const KnownProgrammer> KnownProgrammers();
// Null when avrdude's `id` is none of them.
const KnownProgrammer* FindKnownProgrammer(std::string_view id);

} // namespace corvane

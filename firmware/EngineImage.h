#pragma once

#include <cstdint>
#include <span>

// The sign engine (firmware/engine/) as built for the ATmega8.
namespace corvane::engine {

// Its flash image from address 0. The engine reads its sign data from the
// address right after the image (SignLayout.h gives the layout).
std::span<const std::uint8_t> Image();

} // namespace corvane::engine

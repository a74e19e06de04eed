#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace corvane {

// `bytes` as an Intel HEX file loading them from address 0: data records of
// 16 bytes, then the end-of-file record; lines end in LF. Flash images of up
// to 64 KiB need no address records.
std::string IntelHex(std::span<const std::uint8_t> bytes);

} // namespace corvane

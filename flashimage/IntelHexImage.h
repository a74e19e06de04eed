#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane {

// The flash image an Intel HEX file loads (from address 0, gaps 0xFF), or
// why it is none: a bad record or checksum, or data at or beyond `capacity`
// bytes. Data, end-of-file and the segment and linear address records are
// read; the start address records are ignored.
std::variant<std::vector<std::uint8_t>, std::string> ReadIntelHex(std::string_view text,
                                                                  std::size_t capacity);

} // namespace corvane

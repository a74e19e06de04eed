# Writes the engine's flash image as a C++ array. The sign data is appended
# right after the image, where the engine looks for it (__data_load_end), so
# the two must agree.
file(READ ${BIN} image HEX)
string(LENGTH "${image}" digits)
math(EXPR size "${digits} / 2")

file(STRINGS ${SYMBOLS} lines REGEX " __data_load_end$")
if(NOT lines)
    message(FATAL_ERROR "the engine defines no __data_load_end")
endif()
string(REGEX MATCH "^[0-9a-fA-F]+" end "${lines}")
math(EXPR end "0x${end}")
if(NOT end EQUAL size)
    message(FATAL_ERROR "the engine's image is ${size} bytes, but its sign data starts at ${end}")
endif()

string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${image}")
file(WRITE ${OUT} "// Generated from the sign engine's image; do not edit.
#include \"firmware/EngineImage.h\"

#include <array>

namespace corvane::engine {
namespace {
constexpr std::array<std::uint8_t, ${size}> kImage{${bytes}};
} // namespace

std::span<const std::uint8_t> Image()
{
    return kImage;
}

} // namespace corvane::engine
")

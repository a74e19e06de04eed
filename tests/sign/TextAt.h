#pragma once

#include "sign/GlyphTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane::test {

// The columns of the text's characters from board column `at` on a board of
// `width` columns, in the built-in font.
inline std::vector<std::uint8_t> TextAt(std::string_view text, int at, int width)
{
    std::vector<std::uint8_t> columns(static_cast<std::size_t>(width), 0);
    for (const char character : text) {
        for (const std::uint8_t glyphColumn : GlyphColumns(static_cast<unsigned char>(character))) {
            if (at >= 0 && at < width) {
                columns[static_cast<std::size_t>(at)] = glyphColumn & 0x7F;
            }
            ++at;
        }
        ++at;
    }
    return columns;
}

} // namespace corvane::test

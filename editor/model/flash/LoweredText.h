#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace corvane {

// The text in lower case, ASCII letters only: avrdude's messages are English.
inline std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char character) { return std::tolower(character); });
    return lowered;
}

} // namespace corvane

#pragma once

#include <cstddef>
#include <string>

namespace corvane {

// Decimal with "," between groups of three digits: 8192 → "8,192".
inline std::string GroupThousands(std::size_t value)
{
    std::string digits = std::to_string(value);
    for (std::size_t end = digits.size(); end > 3; end -= 3) {
        digits.insert(end - 3, 1, ',');
    }
    return digits;
}

} // namespace corvane

#pragma once

#include "sign/Message.h"

#include <cstddef>
#include <vector>

namespace corvane::test {

// The largest list the window holds: 256 messages of 256 characters, every
// direction and speed. Another `variant` gives other characters, so that two
// variants differ in every message.
inline std::vector<Message> LargestList(std::size_t variant = 0)
{
    constexpr std::size_t kMessages = 256;
    constexpr std::size_t kLength = 256;
    std::vector<Message> entries(kMessages);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].text.resize(kLength);
        for (std::size_t k = 0; k < kLength; ++k) {
            entries[i].text[k] = static_cast<char>(32 + (i + 7 * k + variant) % 95);
        }
        entries[i].direction = static_cast<ScrollDirection>(i % 4);
        entries[i].speed = static_cast<int>(i % 10);
    }
    return entries;
}

} // namespace corvane::test

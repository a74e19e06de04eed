#pragma once

#include <cstdint>
#include <string>

namespace corvane {

struct ListItem
{
    std::string text{};
    std::int32_t itemData = 0;

    friend bool operator==(const ListItem&, const ListItem&) = default;
};

} // namespace corvane

#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// A list box item: its text and the integer it carries (its item data).
struct ListItem
{
    std::string text = " ";
    std::int32_t itemData = 0;

    friend bool operator==(const ListItem&, const ListItem&) = default;
};

} // namespace corvane

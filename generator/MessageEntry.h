#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// Index of the direction option button; also the high nibble of ItemData.
enum class ScrollDirection : std::uint8_t
{
    Left = 0,
    Right = 1,
    Up = 2,
    Down = 3
};

// One message of the list: its text (1 to 256 characters, one byte each; a
// blank entry is the single space " ") and its packed settings,
// itemData = direction × 16 + speed (speed 0 to 9, direction 0 to 3).
struct MessageEntry
{
    std::string text = " ";
    std::int32_t itemData = 0;

    friend bool operator==(const MessageEntry&, const MessageEntry&) = default;
};

// Up and Down shift the rows; Left and Right move along the columns.
constexpr bool IsVertical(ScrollDirection direction)
{
    return direction == ScrollDirection::Up || direction == ScrollDirection::Down;
}

constexpr std::int32_t PackItemData(int direction, int speed)
{
    return direction * 16 + speed;
}

constexpr int SpeedOf(std::int32_t itemData)
{
    return itemData & 15;
}

constexpr int DirectionOf(std::int32_t itemData)
{
    return itemData / 16;
}

} // namespace corvane

#pragma once

#include "editor/model/controls/ListItem.h"
#include "sign/Message.h"

#include <algorithm>
#include <cstdint>

namespace corvane {

// The message list box keeps each message's settings packed in its item
// data: pause × 256 + direction × 16 + speed (bits 0 to 3 the speed, bits 4
// to 7 the direction, bits 8 to 11 the pause), so that without a pause it is
// direction × 16 + speed.
constexpr std::int32_t PackItemData(int direction, int speed, int pause = 0)
{
    return pause * 256 + direction * 16 + speed;
}

constexpr int SpeedOf(std::int32_t itemData)
{
    return itemData & 15;
}

constexpr int DirectionOf(std::int32_t itemData)
{
    return itemData / 16 & 15;
}

constexpr int PauseOf(std::int32_t itemData)
{
    return itemData / 256;
}

constexpr std::int32_t ItemDataOf(const Message& message)
{
    return PackItemData(static_cast<int>(message.direction), message.speed, message.pause);
}

// The message a list item holds. A direction outside 0 to 5 is taken as Left,
// a speed above 9 as 9 and a pause above 9 as 9, as the program's blocks
// would show them; a standing message has no pause (the item keeps the one
// chosen for when it scrolls again).
inline Message MessageOf(const ListItem& item)
{
    const int direction = DirectionOf(item.itemData);
    const ScrollDirection way =
        IsDirection(direction) ? static_cast<ScrollDirection>(direction) : ScrollDirection::Left;
    return Message{
        .text = item.text,
        .direction = way,
        .speed = std::min(SpeedOf(item.itemData), kMaxSpeed),
        .pause = IsStanding(way) ? 0 : std::clamp(PauseOf(item.itemData), 0, kMaxPause),
    };
}

inline ListItem ListItemOf(const Message& message)
{
    return ListItem{message.text, ItemDataOf(message)};
}

// Whether the item holds a message by the rules: a valid text, a direction
// and a speed packed alone.
inline bool IsValidItem(const ListItem& item)
{
    const int direction = DirectionOf(item.itemData);
    const int speed = SpeedOf(item.itemData);
    const int pause = PauseOf(item.itemData);
    return IsValidText(item.text) && IsDirection(direction) && IsSpeed(speed) && IsPause(pause) &&
           PackItemData(direction, speed, pause) == item.itemData;
}

} // namespace corvane

#pragma once

#include "generator/GlyphTable.h"

#include <algorithm>
#include <cstddef>
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
inline constexpr int kDirectionCount = 4;

// Speeds run from 0 to 9, 9 the fastest.
inline constexpr int kMinSpeed = 0;
inline constexpr int kMaxSpeed = 9;

// A scroll block refreshes every step 10 − speed times: once at speed 9, ten
// times at speed 0.
constexpr int RefreshCountOf(int speed)
{
    return kMaxSpeed + 1 - speed;
}
constexpr int SpeedOfRefreshCount(int refreshCount)
{
    return kMaxSpeed + 1 - refreshCount;
}
inline constexpr int kMinRefreshCount = RefreshCountOf(kMaxSpeed);
inline constexpr int kMaxRefreshCount = RefreshCountOf(kMinSpeed);

// One message of the list: its text (1 to 256 characters, one byte each, each
// one the font shows; a blank entry is the single space " ") and its packed
// settings, itemData = direction × 16 + speed (speed 0 to 9, direction 0 to 3).
struct MessageEntry
{
    static constexpr std::size_t kMaxTextLength = 256;

    std::string text = " ";
    std::int32_t itemData = 0;

    friend bool operator==(const MessageEntry&, const MessageEntry&) = default;
};

// Up and Down shift the rows; Left and Right move along the columns.
constexpr bool IsVertical(ScrollDirection direction)
{
    return direction == ScrollDirection::Up || direction == ScrollDirection::Down;
}

constexpr bool IsDirection(int direction)
{
    return direction >= 0 && direction < kDirectionCount;
}

constexpr bool IsSpeed(int speed)
{
    return speed >= kMinSpeed && speed <= kMaxSpeed;
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

// Whether the entry keeps the rules above: a text of 1 to kMaxTextLength
// characters the font shows, and a direction and a speed packed alone.
inline bool IsValidEntry(const MessageEntry& entry)
{
    const int direction = DirectionOf(entry.itemData);
    const int speed = SpeedOf(entry.itemData);
    return !entry.text.empty() && entry.text.size() <= MessageEntry::kMaxTextLength &&
           std::ranges::all_of(entry.text,
                               [](char c) { return HasGlyph(static_cast<unsigned char>(c)); }) &&
           IsDirection(direction) && IsSpeed(speed) &&
           PackItemData(direction, speed) == entry.itemData;
}

} // namespace corvane

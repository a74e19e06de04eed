#pragma once

#include "sign/GlyphTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

// The ways a message shows on the board: the four scrolls, the index of
// their option buttons, then standing still and blinking in place.
enum class ScrollDirection : std::uint8_t
{
    Left = 0,
    Right = 1,
    Up = 2,
    Down = 3,
    Still = 4,
    Blink = 5
};
inline constexpr int kScrollCount = 4;
inline constexpr int kDirectionCount = 6;

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

// Up and Down shift the rows; Left and Right move along the columns.
constexpr bool IsVertical(ScrollDirection direction)
{
    return direction == ScrollDirection::Up || direction == ScrollDirection::Down;
}

// Still and Blink stand in place, page by page, instead of scrolling.
constexpr bool IsStanding(ScrollDirection direction)
{
    return direction == ScrollDirection::Still || direction == ScrollDirection::Blink;
}

// A scroll stops for 0 to 9 seconds when the message reaches its place.
inline constexpr int kMaxPause = 9;
constexpr bool IsPause(int pause)
{
    return pause >= 0 && pause <= kMaxPause;
}

constexpr bool IsDirection(int direction)
{
    return direction >= 0 && direction < kDirectionCount;
}

constexpr bool IsSpeed(int speed)
{
    return speed >= kMinSpeed && speed <= kMaxSpeed;
}

// One message of the sign: its text (1 to 256 characters, one byte each, each
// one the font shows; a blank message is the single space " "), the way it
// moves, its speed and, for the scrolls, its pause in seconds (standing
// messages show none).
struct Message
{
    static constexpr std::size_t kMaxTextLength = 256;

    std::string text = " ";
    ScrollDirection direction = ScrollDirection::Left;
    int speed = 0;
    int pause = 0;

    friend bool operator==(const Message&, const Message&) = default;
};

// Whether the text keeps the rules above: 1 to kMaxTextLength characters the
// font shows.
inline bool IsValidText(const std::string& text)
{
    return !text.empty() && text.size() <= Message::kMaxTextLength &&
           std::ranges::all_of(text,
                               [](char c) { return HasGlyph(static_cast<unsigned char>(c)); });
}

// Whether the message keeps the rules above.
inline bool IsValidMessage(const Message& message)
{
    return IsValidText(message.text) && IsDirection(static_cast<int>(message.direction)) &&
           IsSpeed(message.speed) && IsPause(message.pause);
}

} // namespace corvane

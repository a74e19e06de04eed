#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The LED sign board a program drives: its width as the width list shows it
// (the text is what the program writes, e.g. "18"), the 74573 latches that
// drive it and its LED rows.
struct Board
{
    static constexpr int kRowCount = 7;
    static constexpr int kColumnsPerLatch = 5;
    static constexpr int kMaxLatchCount = 8;

    std::string widthText = "20";
    std::uint8_t latchCount = 4;
    std::uint8_t rowCount = kRowCount;

    // Latches a board of `columns` LED columns needs: one per five columns,
    // rounded up ("18" → 4, "40" → 8).
    static constexpr std::uint8_t latchCountFor(int columns)
    {
        return static_cast<std::uint8_t>((columns + kColumnsPerLatch - 1) / kColumnsPerLatch);
    }

    // The widths the width list offers, in words for messages and help.
    static constexpr std::string_view kWidthListWording = "5 to 40, without 38";

    // Whether the width list offers a board of `columns` columns (see
    // kWidthListWording).
    static constexpr bool isListedWidth(int columns)
    {
        constexpr int kNarrowest = 5;
        constexpr int kWidest = 40;
        constexpr int kUnlisted = 38;
        return columns >= kNarrowest && columns <= kWidest && columns != kUnlisted;
    }

    // The board of a width text with the latches its width needs.
    static Board ofWidth(std::string_view widthText);

    // The width text read as a whole number of columns; 0 when it holds none.
    int columns() const;

    friend bool operator==(const Board&, const Board&) = default;
};

// The width text read as a whole number of columns; 0 when it holds none.
int WidthColumns(std::string_view widthText);

} // namespace corvane

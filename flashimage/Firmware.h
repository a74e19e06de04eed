#pragma once

#include "flashimage/FirmwareShow.h"
#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/Message.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace corvane {

// A sign's firmware for the ATmega8: the embedded engine, then the sign data
// (the shows' records and tables) it plays in order, forever.

// The board's brightness: each column is lit for brightness eighths of its
// period, 1 the dimmest, 8 (full) the whole of it but the moment of latching.
inline constexpr std::uint8_t kFullBrightness = 8;

// The shows of one message: the same images, in the same order and for the
// same number of refreshes as its BASCOM scroll block. A scroll is one show
// (its pause a held step), a standing message one Still show per page.
std::vector<FirmwareShow> ShowsOfMessage(const Message& message, const Board& board,
                                         const Font& font = Font::builtIn());

// The exact size of the flash image of these shows.
std::size_t FirmwareSize(std::span<const FirmwareShow> shows);
// The exact size of the firmware of these messages.
std::size_t FirmwareSize(std::span<const Message> messages, const Board& board);

// A firmware that does not fit the chip's flash.
struct FirmwareTooLarge
{
    std::size_t bytes = 0;

    // "The firmware needs 9,214 bytes; the ATmega8 holds 8,192. Fewer or
    // shorter messages are needed."
    std::string reason() const;

    friend bool operator==(const FirmwareTooLarge&, const FirmwareTooLarge&) = default;
};

// The flash image from address 0, or the refusal when it exceeds the flash.
using FirmwareResult = std::variant<std::vector<std::uint8_t>, FirmwareTooLarge>;

// Throws std::invalid_argument for no show, a latch count outside 1 to 8, a
// brightness outside 1 to 8, or a show whose table is shorter than the
// indexes it reads, that holds a step it does not have or that has no step,
// or a step of no refresh.
FirmwareResult LinkFirmware(std::span<const FirmwareShow> shows, std::uint8_t latchCount,
                            std::uint8_t brightness = kFullBrightness);
FirmwareResult BuildFirmware(std::span<const Message> messages, const Board& board,
                             std::uint8_t brightness = kFullBrightness);
// The same in the program's font.
FirmwareResult BuildFirmware(std::span<const Message> messages, const Board& board,
                             const Font& font, std::uint8_t brightness = kFullBrightness);

} // namespace corvane

#pragma once

#include <array>
#include <string_view>

// The maker's details: shown in the main window's About frame and on the
// splash window, and written into the banner of every generated program.
// The banner's fixed columns bound their lengths (checked below).
namespace corvane::maker {

inline constexpr std::string_view kName = "Mira Castellan";
inline constexpr std::string_view kWebAddress = "www.corvane.example";
inline constexpr std::string_view kEmail = "mira@corvane.example";
inline constexpr std::string_view kTelephone = "+1 555 0100 274";

static_assert(kName.size() <= 16 && kWebAddress.size() <= 26 && kEmail.size() <= 23 &&
              kTelephone.size() <= 33);

// "CORVANE" in large letters, written ahead of every message's title box.
// The first line is 106 characters, the others 107; none ends in a space.
// clang-format off
inline constexpr std::array<std::string_view, 6> kArtLines = {
    "' ________________________________________________________________________________________________________",
    "'|                     ____     ___     ____    __     __      _       _   _    _____                     |",
    "'|                    / ___|   / _ \\   |  _ \\   \\ \\   / /     / \\     | \\ | |  | ____|                    |",
    "'|                   | |      | | | |  | |_/ /   \\ \\ / /     / _ \\    |  \\| |  |  _|                      |",
    "'|                   | |___   | |_| |  |  _ \\     \\ \\/ /    / ___ \\   | |\\  |  | |___                     |",
    "'|____________________\\____|___\\___/___|_|_\\_\\_____\\__/____/_/___\\_\\__|_|_\\_|__|_____|____________________|",
};
// clang-format on

} // namespace corvane::maker

#pragma once

#include "flashimage/Firmware.h"
#include "flashimage/FirmwareShow.h"
#include "sign/Message.h"
#include "tests/firmware/BoardImage.h"
#include "tests/firmware/ScanTiming.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace corvane {

// One list and board the firmware is simulated with: the shows of messages,
// or, when `shows` is not empty, shows built as they are.
struct ListCase
{
    std::string name;
    std::string width;
    std::vector<Message> entries;
    std::vector<FirmwareShow> shows{};
    std::uint8_t brightness = kFullBrightness;
    DrawnGlyphs glyphs{}; // the list's own glyphs
};

inline void PrintTo(const ListCase& list, std::ostream* out)
{
    *out << list.name;
}

// Every direction; widths 5, 18, 37 and 40; speeds 0, 1, 5 and 9; short
// messages and ones that need 16-bit counters; one message and several;
// still, blinking and held shows; every brightness; Windows-1252 characters
// and drawn glyphs.
std::vector<ListCase> SimulationMatrix();

// A list's firmware run on the simulated board for one pass and the first
// show again, beside what the BASCOM program of the same list shows (the
// board simulator's steps), or, for shows built as they are, what their
// description says.
struct ListRun
{
    // Both merged where consecutive images are equal; `shown` cut to the
    // board's width. Every expected image but the last is complete in `shown`.
    std::vector<BoardImage> expected;
    std::vector<BoardImage> shown;
    ScanTiming timing;
};

// Throws std::invalid_argument when the list's firmware does not fit the chip.
ListRun RunList(const ListCase& list);

} // namespace corvane

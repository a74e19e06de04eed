#pragma once

#include "sign/Message.h"
#include "tests/firmware/BoardImage.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvane {

// One list and board the firmware is simulated with.
struct ListCase
{
    std::string name;
    std::string width;
    std::vector<Message> entries;
};

inline void PrintTo(const ListCase& list, std::ostream* out)
{
    *out << list.name;
}

// Every direction; widths 5, 18, 37 and 40; speeds 0, 1, 5 and 9; short
// messages and ones that need 16-bit counters; one message and several.
std::vector<ListCase> SimulationMatrix();

// A list's firmware run on the simulated board for one pass and the first
// message again, beside what the board simulator says the BASCOM program shows.
struct ListRun
{
    // Both merged where consecutive images are equal; `shown` cut to the
    // board's width. Every expected image but the last is complete in `shown`.
    std::vector<BoardImage> expected;
    std::vector<BoardImage> shown;
    long long shortestLitCycles = 0;
    long long longestLitCycles = 0;
    long long latchChangesWhileLit = 0;
};

// Throws std::invalid_argument when the list's firmware does not fit the chip.
ListRun RunList(const ListCase& list);

} // namespace corvane

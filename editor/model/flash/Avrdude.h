#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The programmer avrdude talks to, as the flash dialog chooses it. Every
// field holds a checked value (ProgrammerCheck.h) by the time it reaches the
// arguments.
struct ProgrammerChoice
{
    std::string programmer = "usbasp";
    std::string port{};         // empty: avrdude's default for the programmer
    std::string baud{};         // empty: avrdude's default
    std::string bitclock = "8"; // ISP clock period in µs; empty: the programmer's own

    friend bool operator==(const ProgrammerChoice&, const ProgrammerChoice&) = default;
};

// One line of the programmer list avrdude prints for "-c ?".
struct Programmer
{
    std::string id;
    std::string description;

    friend bool operator==(const Programmer&, const Programmer&) = default;
};

// "-p m8 -c PROGRAMMER [-P PORT] [-b BAUD] [-B BITCLOCK]", which every run starts with.
std::vector<std::string> AvrdudeChipArguments(const ProgrammerChoice& choice);
// Reads the low fuse to standard output as "0xe1".
std::vector<std::string> AvrdudeFuseReadArguments(const ProgrammerChoice& choice);
// Writes the low fuse, then reads it back to standard output.
std::vector<std::string> AvrdudeFuseWriteArguments(const ProgrammerChoice& choice,
                                                   std::uint8_t lowFuse);
// "... -U flash:w:FILE:i"
std::vector<std::string> AvrdudeFlashArguments(const ProgrammerChoice& choice,
                                               const std::string& hexPath);
// The arguments that make avrdude print its programmer list.
std::vector<std::string> AvrdudeListArguments();

// At most this many programmers are taken from a list.
inline constexpr std::size_t kMaxListedProgrammers = 2000;

// The programmers of avrdude's "-c ?" output ("  usbasp   = USBasp, http://…"), in
// its order, at most kMaxListedProgrammers.
std::vector<Programmer> ParseProgrammerList(std::string_view output);

} // namespace corvane

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The programmer avrdude talks to, as the flash dialog chooses it.
struct ProgrammerChoice
{
    std::string programmer = "usbasp";
    std::string port{}; // empty: avrdude's default for the programmer
    std::string baud{}; // empty: avrdude's default

    friend bool operator==(const ProgrammerChoice&, const ProgrammerChoice&) = default;
};

// One line of the programmer list avrdude prints for "-c ?".
struct Programmer
{
    std::string id;
    std::string description;

    friend bool operator==(const Programmer&, const Programmer&) = default;
};

// "-p m8 -c PROGRAMMER [-P PORT] [-b BAUD] -U flash:w:FILE:i"
std::vector<std::string> AvrdudeFlashArguments(const ProgrammerChoice& choice,
                                               const std::string& hexPath);
// The arguments that make avrdude print its programmer list.
std::vector<std::string> AvrdudeListArguments();

// The programmers of avrdude's "-c ?" output ("  usbasp   = USBasp, http://…"), in
// its order.
std::vector<Programmer> ParseProgrammerList(std::string_view output);

} // namespace corvane

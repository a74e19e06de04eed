#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A small interpreter for the subset of BASCOM-AVR that a generated program's
// main loop uses, modelling the board: Portb strobes latch h (bit h) with
// Portd, Portc enables the shared columns, Waitms advances the clock.
namespace corvane::test {

std::vector<std::string> SplitLines(std::string_view text); // at CR LF

// `text` with every `from` replaced by `to`, left to right.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

struct DataTable
{
    std::string label;
    std::vector<std::uint8_t> bytes;
};

// The "Label:" and "Data" lines of a program, in file order.
std::vector<DataTable> ParseDataTables(const std::vector<std::string>& lines);

// What the board showed during one step of a scroll block (one pass of its
// outermost For loop).
struct ShownStep
{
    std::vector<int> columns; // per driven column 5h + j, -1 if never lit
    bool steady = true;       // every refresh of the step lit the same rows
    long long durationMs = 0;
};

struct ProgramRun
{
    std::vector<std::vector<ShownStep>> blocks; // one per scroll block, in order
    bool readOutsideTable = false;              // a Lookup went past its table's end
};

// Runs the main loop (between "Do" and "Loop") once. Throws
// std::runtime_error on anything outside the subset, an undeclared variable,
// or when more than `statementBudget` statements run.
ProgramRun RunMainLoopOnce(std::string_view program, long long statementBudget = 50'000'000);

} // namespace corvane::test

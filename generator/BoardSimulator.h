#pragma once

#include "generator/ScrollBlockInput.h"
#include "generator/ScrollPlan.h"

#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

// What the board shows while a generated scroll block runs, step by step,
// derived from the same ScrollPlan the writer prints into the block.
class BoardSimulator final
{
public:
    // `tableBytes`: the message's data table (DataTableBytes); the simulator keeps a copy.
    BoardSimulator(const ScrollBlockInput& input, std::span<const std::uint8_t> tableBytes);

    int stepCount() const { return m_plan.stepCount(); }
    // Columns the board shows: the width text's number, at most the 5 × LatchCount driven ones.
    int width() const { return m_width; }

    // The lit rows of each shown column during the step, left to right: bit 0
    // the bottom row, bit 6 the top. Throws std::out_of_range for a step
    // outside 0 to stepCount() − 1.
    std::vector<std::uint8_t> frame(int step) const;

    int durationMs(int step) const;
    long long totalDurationMs() const;

    // False when the block would read past the end of its table (such reads show as dark here).
    bool readsWithinTable() const;

private:
    ScrollPlan m_plan;
    std::vector<std::uint8_t> m_table;
    int m_width = 0;
};

} // namespace corvane

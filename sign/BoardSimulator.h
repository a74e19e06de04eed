#pragma once

#include "sign/Show.h"

#include <cstdint>
#include <vector>

namespace corvane {

// What the board shows while a message's show runs, step by step, derived
// from the same ScrollPlan the program's block and the firmware follow.
class BoardSimulator final
{
public:
    explicit BoardSimulator(Show show);

    int stepCount() const { return m_show.plan.stepCount(); }
    // Columns the board shows: the width text's number, at most the 5 × LatchCount driven ones.
    int width() const { return m_show.plan.shownColumns(); }

    // The lit rows of each shown column during the step, left to right: bit 0
    // the bottom row, bit 6 the top. Throws std::out_of_range for a step
    // outside 0 to stepCount() − 1.
    std::vector<std::uint8_t> frame(int step) const;

    int durationMs(int step) const;
    long long totalDurationMs() const;

    // False when the show would read past the end of its table (such reads show as dark here).
    bool readsWithinTable() const;

private:
    Show m_show;
};

} // namespace corvane

#include "generator/BoardSimulator.h"

#include <algorithm>
#include <stdexcept>

namespace corvane {

BoardSimulator::BoardSimulator(const ScrollBlockInput& input,
                               std::span<const std::uint8_t> tableBytes)
    : m_plan(input), m_table(tableBytes.begin(), tableBytes.end()),
      m_width(std::min(m_plan.boardWidth(), ScrollPlan::kColumnsPerLatch * m_plan.latchCount()))
{}

std::vector<std::uint8_t> BoardSimulator::frame(int step) const
{
    if (step < 0 || step >= stepCount()) {
        throw std::out_of_range("BoardSimulator::frame: no such step");
    }
    std::vector<std::uint8_t> columns(static_cast<std::size_t>(m_width));
    for (int column = 0; column < m_width; ++column) {
        const int latch = column / ScrollPlan::kColumnsPerLatch;
        const int index = m_plan.firstIndex(step, latch) + column % ScrollPlan::kColumnsPerLatch;
        const std::uint8_t tableByte =
            index >= 0 && static_cast<std::size_t>(index) < m_table.size() ? m_table[index] : 0;
        columns[column] = m_plan.rowBits(tableByte, step);
    }
    return columns;
}

int BoardSimulator::durationMs(int step) const
{
    if (step < 0 || step >= stepCount()) {
        throw std::out_of_range("BoardSimulator::durationMs: no such step");
    }
    return m_plan.durationMs(step);
}

long long BoardSimulator::totalDurationMs() const
{
    long long total = 0;
    for (int step = 0; step < stepCount(); ++step) {
        total += m_plan.durationMs(step);
    }
    return total;
}

bool BoardSimulator::readsWithinTable() const
{
    return m_plan.maxLookupIndex() < static_cast<long long>(m_table.size());
}

} // namespace corvane

#include "sign/BoardSimulator.h"

#include <stdexcept>
#include <utility>

namespace corvane {

BoardSimulator::BoardSimulator(Show show) : m_show(std::move(show)) {}

std::vector<std::uint8_t> BoardSimulator::frame(int step) const
{
    if (step < 0 || step >= stepCount()) {
        throw std::out_of_range("BoardSimulator::frame: no such step");
    }
    const ScrollPlan& plan = m_show.plan;
    const std::vector<std::uint8_t>& table = m_show.table;
    std::vector<std::uint8_t> columns(static_cast<std::size_t>(width()));
    if (plan.isDark(step)) {
        return columns;
    }
    for (int column = 0; column < width(); ++column) {
        const int latch = column / ScrollPlan::kColumnsPerLatch;
        const int index = plan.firstIndex(step, latch) + column % ScrollPlan::kColumnsPerLatch;
        const std::uint8_t tableByte =
            index >= 0 && static_cast<std::size_t>(index) < table.size() ? table[index] : 0;
        columns[column] = plan.rowBits(tableByte, step);
    }
    return columns;
}

int BoardSimulator::durationMs(int step) const
{
    if (step < 0 || step >= stepCount()) {
        throw std::out_of_range("BoardSimulator::durationMs: no such step");
    }
    return m_show.plan.durationMs(step);
}

long long BoardSimulator::totalDurationMs() const
{
    long long total = 0;
    for (int step = 0; step < stepCount(); ++step) {
        total += m_show.plan.durationMs(step);
    }
    return total;
}

bool BoardSimulator::readsWithinTable() const
{
    return m_show.plan.readIndexes().end <= static_cast<long long>(m_show.table.size());
}

} // namespace corvane

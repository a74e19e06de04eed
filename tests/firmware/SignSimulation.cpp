#include "tests/firmware/SignSimulation.h"

#include "firmware/SignLayout.h"
#include "flashimage/IntelHexImage.h"

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <simavr/avr_extint.h>
#include <simavr/avr_ioport.h>
#include <simavr/sim_avr.h>
#include <stdexcept>
#include <string>
#include <variant>

namespace corvane {
namespace {

constexpr int kColumnsPerLatch = 5;
constexpr std::uint8_t kColumnMask = 0x1F;
constexpr std::uint32_t kFrequency = CORVANE_CLOCK_HZ;
// The ATmega8's interrupt vectors, reset included, one word each.
constexpr avr_flashaddr_t kVectorTableEnd = 19 * 2;

// Widens [low, high] to hold `value`; `first` when there is no range yet.
template <typename T> void Widen(T value, T& low, T& high, bool first)
{
    if (first || value < low) {
        low = value;
    }
    if (first || value > high) {
        high = value;
    }
}

} // namespace

void SignSimulation::AvrDeleter::operator()(avr_t* avr) const
{
    avr_terminate(avr);
    std::free(avr);
}

SignSimulation::SignSimulation(std::string_view intelHex, int latchCount) : m_latchCount(latchCount)
{
    if (latchCount < 1 || latchCount > static_cast<int>(m_latches.size())) {
        throw std::invalid_argument("latch count must be 1 to 8");
    }
    m_avr.reset(avr_make_mcu_by_name("atmega8"));
    if (!m_avr) {
        throw std::runtime_error("simavr does not know the atmega8");
    }
    avr_init(m_avr.get());
    m_avr->frequency = kFrequency;
    // The default sleep callback waits in real time; simulated time needs no waiting, the core
    // jumps straight to the next timer event.
    m_avr->sleep = [](avr_t*, avr_cycle_count_t) {};
    // INT0 and INT1 sit on Portd rows 2 and 3. In its default low-level mode simavr polls such a
    // pin on every cycle while it is low, even with the interrupt disabled, which makes a
    // busy-waiting firmware run three times slower; the board firmware uses neither interrupt.
    avr_extint_set_strict_lvl_trig(m_avr.get(), 0, 0);
    avr_extint_set_strict_lvl_trig(m_avr.get(), 1, 0);

    auto read = ReadIntelHex(intelHex, m_avr->flashend + 1);
    if (const auto* why = std::get_if<std::string>(&read)) {
        throw std::invalid_argument("Intel HEX: " + *why);
    }
    auto& flash = std::get<std::vector<std::uint8_t>>(read);
    if (flash.empty()) {
        throw std::invalid_argument("Intel HEX holds no data");
    }
    avr_loadcode(m_avr.get(), flash.data(), static_cast<std::uint32_t>(flash.size()), 0);

    connectPort<kPortB>('B');
    connectPort<kPortC>('C');
    connectPort<kPortD>('D');
    m_refresh.assign(static_cast<std::size_t>(kColumnsPerLatch * latchCount), 0);
}

SignSimulation::~SignSimulation() = default;

template <SignSimulation::Port port> void SignSimulation::connectPort(char name)
{
    const auto ioctl = AVR_IOCTL_IOPORT_GETIRQ(name);
    avr_irq_t* written = avr_io_getirq(m_avr.get(), ioctl, IOPORT_IRQ_REG_PORT);
    avr_irq_t* direction = avr_io_getirq(m_avr.get(), ioctl, IOPORT_IRQ_DIRECTION_ALL);
    if (!written || !direction) {
        throw std::runtime_error(std::string("simavr has no port ") + name);
    }
    avr_irq_register_notify(written, &SignSimulation::onPortIrq<port, false>, this);
    avr_irq_register_notify(direction, &SignSimulation::onPortIrq<port, true>, this);
}

// simavr raises the PORT register IRQ on every write to it and the direction IRQ on every DDR
// write, though it drops a raise that repeats the previous value (its port IRQs are all
// filtered); a repeat changes nothing here. The core's cycle count is then still that of the start
// of the writing instruction.
template <SignSimulation::Port port, bool direction>
void SignSimulation::onPortIrq(avr_irq_t*, std::uint32_t value, void* param)
{
    auto* self = static_cast<SignSimulation*>(param);
    (direction ? self->m_ddr : self->m_port)[port] = static_cast<std::uint8_t>(value);
    self->outputsChanged(port);
}

void SignSimulation::outputsChanged(Port port)
{
    const std::uint8_t before = m_output[port];
    const auto output = static_cast<std::uint8_t>(m_port[port] & m_ddr[port]);
    m_output[port] = output;
    switch (port) {
    case kPortB:
    case kPortD: {
        const std::uint8_t transparent = m_output[kPortB];
        const auto rows = static_cast<std::uint8_t>(m_output[kPortD] & kRowMask);
        for (int latch = 0; latch < m_latchCount; ++latch) {
            if ((transparent >> latch) & 1) {
                setLatch(latch, rows);
            }
        }
        break;
    }
    case kPortC:
        if (((before ^ output) & kColumnMask) != 0) {
            columnsChanged(before & kColumnMask, output & kColumnMask);
        }
        break;
    case kPortCount:
        break;
    }
}

void SignSimulation::setLatch(int latch, std::uint8_t value)
{
    if (m_latches[latch] == value) {
        return;
    }
    m_latches[latch] = value;
    if ((m_output[kPortC] & kColumnMask) != 0) {
        ++m_timing.latchChangesWhileLit;
    }
}

void SignSimulation::columnsChanged(std::uint8_t before, std::uint8_t lit)
{
    const long long now = cycle();
    if (before != 0) {
        const long long length = now - m_litSince;
        Widen(length, m_timing.shortestLitCycles, m_timing.longestLitCycles,
              m_timing.longestLitCycles == 0);
        m_litInPeriod += length;
    }
    if (lit == 0) {
        return;
    }
    if (m_lastLighting >= 0) {
        const long long period = now - m_lastLighting;
        const bool first = m_timing.longestPeriodCycles == 0;
        Widen(period, m_timing.shortestPeriodCycles, m_timing.longestPeriodCycles, first);
        Widen(static_cast<double>(m_litInPeriod) / static_cast<double>(period),
              m_timing.lowestLitShare, m_timing.highestLitShare, first);
    }
    m_lastLighting = now;
    m_litInPeriod = 0;
    m_litSince = now;
    if (!std::has_single_bit(lit)) {
        m_fault = "the firmware lit several columns at once";
        return;
    }
    const int column = std::countr_zero(lit);
    if (column == 0) {
        if (m_refreshStart >= 0) {
            if (m_nextColumn != kColumnsPerLatch) {
                m_fault = "the firmware lit column 0 again before column 4";
                return;
            }
            finishRefresh(now);
        }
        m_refreshStart = now;
        m_nextColumn = 0;
    } else if (m_refreshStart < 0) {
        return;
    }
    if (column != m_nextColumn) {
        m_fault = "the firmware lit the columns out of order";
        return;
    }
    for (int latch = 0; latch < m_latchCount; ++latch) {
        m_refresh[static_cast<std::size_t>(kColumnsPerLatch * latch + column)] = m_latches[latch];
    }
    ++m_nextColumn;
}

void SignSimulation::finishRefresh(long long now)
{
    const long long length = now - m_refreshStart;
    if (m_shown.columns == m_refresh) {
        m_shown.cycles += length;
        return;
    }
    if (!m_shown.columns.empty()) {
        m_images.push_back(m_shown);
    }
    m_shown.columns = m_refresh;
    m_shown.cycles = length;
}

std::optional<BoardImage> SignSimulation::currentImage() const
{
    if (m_shown.columns.empty()) {
        return std::nullopt;
    }
    return m_shown;
}

long long SignSimulation::cycle() const
{
    return static_cast<long long>(m_avr->cycle);
}

// Runs one instruction, or a sleep up to the next timer event; false once the run cannot go on.
bool SignSimulation::step()
{
    // Only an interrupt wakes the core, and the core never jumps into the vector table itself:
    // an interrupt that finds the core awake is one it reaches without sleeping since the last.
    if (m_avr->state == cpu_Sleeping) {
        m_sleptSinceInterrupt = true;
    }
    const int state = avr_run(m_avr.get());
    if (m_avr->pc > 0 && m_avr->pc < kVectorTableEnd) {
        if (!m_sleptSinceInterrupt) {
            ++m_timing.interruptsWhileAwake;
        }
        m_sleptSinceInterrupt = false;
    }
    return m_fault == nullptr && (state == cpu_Running || state == cpu_Sleeping);
}

void SignSimulation::stopped()
{
    const int state = m_avr->state;
    const char* what = m_fault != nullptr     ? m_fault
                       : state == cpu_Crashed ? "the firmware crashed"
                       : state == cpu_Done    ? "the firmware stopped (sleep with interrupts off)"
                                              : "the core stopped";
    char where[64];
    std::snprintf(where, sizeof where, " at cycle %lld, byte address 0x%04X", cycle(),
                  static_cast<unsigned>(m_avr->pc));
    throw std::runtime_error(what + std::string(where));
}

void SignSimulation::runCycles(long long cycles)
{
    const avr_t& avr = *m_avr;
    const auto end = avr.cycle + static_cast<avr_cycle_count_t>(std::max(cycles, 0LL));
    while (avr.cycle < end) {
        if (!step()) {
            stopped();
        }
    }
}

bool SignSimulation::runUntilImages(std::size_t count, long long cycleLimit)
{
    const avr_t& avr = *m_avr;
    const auto end = avr.cycle + static_cast<avr_cycle_count_t>(std::max(cycleLimit, 0LL));
    while (m_images.size() < count && avr.cycle < end) {
        if (!step()) {
            stopped();
        }
    }
    return m_images.size() >= count;
}

} // namespace corvane

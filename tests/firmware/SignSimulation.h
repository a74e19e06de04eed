#pragma once

#include "tests/firmware/BoardImage.h"
#include "tests/firmware/ScanTiming.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

struct avr_t;
struct avr_irq_t;

namespace corvane {

// Runs a firmware HEX on a simulated ATmega8 at 1 MHz wired to the sign board and records what
// the board shows.
//
// Wiring: Portd carries the seven rows of one column (bit 0 the bottom row, bit 7 unused). Latch h
// follows Portd while Portb bit h is high and holds when it goes low. Portc == 1 << c lights
// column c of every latch at once: board column 5 * h + c shows latch h. A pin drives only when
// its DDR bit is set.
//
// A refresh lights columns 0..4 in turn and lasts from column 0 lighting to column 0 lighting
// again; a column shows what its latch held when the column lit. Lighting columns out of that
// order, or more than one at once, is a firmware fault: the run stops with std::runtime_error, as
// it does when the core crashes or stops (sleep with interrupts off).
class SignSimulation
{
public:
    static constexpr std::uint8_t kRowMask = 0x7F; // Portd bit 7 drives no row

    // Throws std::invalid_argument for a malformed HEX or a latch count outside 1..8.
    SignSimulation(std::string_view intelHex, int latchCount);
    ~SignSimulation();
    SignSimulation(const SignSimulation&) = delete;
    SignSimulation& operator=(const SignSimulation&) = delete;

    // Runs at least `cycles` more cycles (sleep may overshoot to the next timer event).
    void runCycles(long long cycles);
    // Runs until `count` images are complete (a different one has started after each) or
    // `cycleLimit` more cycles have passed; returns whether the count was reached.
    bool runUntilImages(std::size_t count, long long cycleLimit);

    const std::vector<BoardImage>& images() const { return m_images; }
    // The image being shown, its cycles counting its complete refreshes so far; none before the
    // first refresh has completed.
    std::optional<BoardImage> currentImage() const;

    const ScanTiming& timing() const { return m_timing; }
    long long cycle() const;

private:
    enum Port
    {
        kPortB,
        kPortC,
        kPortD,
        kPortCount
    };

    struct AvrDeleter
    {
        void operator()(avr_t* avr) const;
    };

    template <Port port, bool direction>
    static void onPortIrq(avr_irq_t* irq, std::uint32_t value, void* param);
    template <Port port> void connectPort(char name);
    void outputsChanged(Port port);
    void columnsChanged(std::uint8_t before, std::uint8_t lit);
    void finishRefresh(long long now);
    void setLatch(int latch, std::uint8_t value);
    bool step();
    [[noreturn]] void stopped();

    std::unique_ptr<avr_t, AvrDeleter> m_avr;
    int m_latchCount = 0;
    std::array<std::uint8_t, kPortCount> m_port{};
    std::array<std::uint8_t, kPortCount> m_ddr{};
    std::array<std::uint8_t, kPortCount> m_output{};
    std::array<std::uint8_t, 8> m_latches{};

    ScanTiming m_timing;
    long long m_litSince = 0;
    // When a column last lit, -1 before the first; how long columns were lit since.
    long long m_lastLighting = -1;
    long long m_litInPeriod = 0;
    // Whether the core has slept since it last entered an interrupt.
    bool m_sleptSinceInterrupt = false;

    // The refresh being scanned: -1 until column 0 first lights.
    long long m_refreshStart = -1;
    int m_nextColumn = 0;
    std::vector<std::uint8_t> m_refresh;
    BoardImage m_shown;
    std::vector<BoardImage> m_images;

    // Set inside a port callback, thrown once control is back out of simavr.
    const char* m_fault = nullptr;
};

} // namespace corvane

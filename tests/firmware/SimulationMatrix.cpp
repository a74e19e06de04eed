#include "tests/firmware/SimulationMatrix.h"

#include "firmware/SignLayout.h"
#include "generator/BoardSimulator.h"
#include "generator/Firmware.h"
#include "generator/IntelHex.h"
#include "generator/ProgramWriter.h"
#include "tests/firmware/SignSimulation.h"

#include <stdexcept>

namespace corvane {

namespace {

constexpr long long kCyclesPerMs = CORVANE_CLOCK_HZ / 1000;
// From reset to the first column lit, with room to spare.
constexpr long long kStartCycles = 10 * kCyclesPerMs;

enum Direction
{
    kLeft,
    kRight,
    kUp,
    kDown
};

MessageEntry Message(std::string text, Direction direction, int speed)
{
    return {std::move(text), PackItemData(direction, speed)};
}

// Consecutive equal images become one, their durations added.
void AppendMerged(std::vector<BoardImage>& images, BoardImage image)
{
    if (!images.empty() && images.back().columns == image.columns) {
        images.back().cycles += image.cycles;
    } else {
        images.push_back(std::move(image));
    }
}

BoardSimulator SimulatorOf(const std::vector<MessageEntry>& entries, std::size_t index,
                           const Board& board)
{
    const MessageEntry& entry = entries[index % entries.size()];
    return BoardSimulator(MakeScrollBlockInput(index, entry, board),
                          DataTableBytes(entry, board.latchCount));
}

} // namespace

std::vector<ListCase> SimulationMatrix()
{
    const std::string longText = "A message long enough to need 16-bit counters.";
    return {
        {"LeftOnTheNarrowestBoard", "5", {Message("Hi!", kLeft, 9)}},
        {"RightOnAnUnevenWidth", "18", {Message("Right", kRight, 1)}},
        {"UpShortOfTheBoard", "37", {Message("Up", kUp, 5)}},
        {"DownCutToTheBoard", "5", {Message("Second message", kDown, 0)}},
        {"LeftNeedingWideCounters", "40", {Message(longText, kLeft, 9)}},
        {"RightNeedingWideCounters", "37", {Message(longText, kRight, 5)}},
        {"SeveralInListOrder",
         "18",
         {Message("AB", kLeft, 5), Message("C", kUp, 9), Message("Down!", kDown, 1),
          Message("xyz", kRight, 0), MessageEntry{" ", 0}}},
        {"SeveralOnTheWidestBoard",
         "40",
         {Message("Wide", kRight, 9), Message("~{|}", kDown, 5), Message("0O", kLeft, 0)}},
    };
}

ListRun RunList(const ListCase& list)
{
    const Board board = Board::ofWidth(list.width);
    const FirmwareResult firmware = BuildFirmware(list.entries, board);
    if (!std::holds_alternative<std::vector<std::uint8_t>>(firmware)) {
        throw std::invalid_argument("RunList: the firmware does not fit the chip");
    }

    // The whole pass, then the first message again.
    ListRun run;
    long long cycles = kStartCycles;
    for (std::size_t index = 0; index <= list.entries.size(); ++index) {
        const BoardSimulator simulator = SimulatorOf(list.entries, index, board);
        for (int step = 0; step < simulator.stepCount(); ++step) {
            AppendMerged(run.expected,
                         {simulator.frame(step), simulator.durationMs(step) * kCyclesPerMs});
        }
        cycles += simulator.totalDurationMs() * kCyclesPerMs;
    }

    SignSimulation simulation(IntelHex(std::get<std::vector<std::uint8_t>>(firmware)),
                              board.latchCount);
    simulation.runCycles(cycles);
    // The board shows only the columns of its width; latches drive 5 per latch.
    for (const BoardImage& image : simulation.images()) {
        AppendMerged(run.shown,
                     {std::vector(image.columns.begin(), image.columns.begin() + board.columns()),
                      image.cycles});
    }
    run.shortestLitCycles = simulation.shortestLitCycles();
    run.longestLitCycles = simulation.longestLitCycles();
    run.latchChangesWhileLit = simulation.latchChangesWhileLit();
    return run;
}

} // namespace corvane

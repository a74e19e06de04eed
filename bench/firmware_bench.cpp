#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "sign/TargetChip.h"
#include "tests/firmware/SimulationMatrix.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace corvane {
namespace {

// The longest list of messages `messageAt` makes, in order, on the board
// whose firmware still fits the chip.
template <typename MessageAt>
std::vector<Message> LargestFittingList(const Board& board, MessageAt messageAt)
{
    std::vector<Message> entries;
    for (;;) {
        entries.push_back(messageAt(static_cast<int>(entries.size())));
        if (FirmwareSize(entries, board) > chip::kFlashBytes) {
            entries.pop_back();
            return entries;
        }
    }
}

// 40-character Left messages.
Message LeftMessage(int index)
{
    return {std::string(40, static_cast<char>('A' + index % 26)), ScrollDirection::Left, 5};
}

// 20-character messages taking every way in turn: each scroll with a pause,
// the standing ones in pages of words.
Message MessageOfEveryWay(int index)
{
    Message entry{"Fresh bread " + std::string(8, static_cast<char>('A' + index % 26)),
                  ScrollDirection(index % kDirectionCount), index % 10};
    entry.pause = IsStanding(entry.direction) ? 0 : 1 + index % kMaxPause;
    return entry;
}

// Target: under 5 ms, HEX text included, for either list on the widest board.
void BuildFirmwareOf(benchmark::State& state, Message (*messageAt)(int))
{
    const Board board = Board::ofWidth("40");
    const auto entries = LargestFittingList(board, messageAt);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const FirmwareResult firmware = BuildFirmware(entries, board);
        const auto& flash = std::get<std::vector<std::uint8_t>>(firmware);
        bytes = flash.size();
        benchmark::DoNotOptimize(IntelHex(flash));
    }
    state.counters["messages"] = static_cast<double>(entries.size());
    state.counters["flash_bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BuildFirmwareOf, LargestFittingList, LeftMessage)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildFirmwareOf, LargestListOfEveryWay, MessageOfEveryWay)
    ->Unit(benchmark::kMillisecond);

// Target: the whole matrix under 60 s on the project's 2-core machines.
void BM_SimulationMatrix(benchmark::State& state)
{
    const auto matrix = SimulationMatrix();
    for (auto _ : state) {
        for (const ListCase& list : matrix) {
            benchmark::DoNotOptimize(RunList(list));
        }
    }
}
BENCHMARK(BM_SimulationMatrix)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace corvane

BENCHMARK_MAIN();

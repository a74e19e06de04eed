#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "sign/TargetChip.h"
#include "tests/firmware/SimulationMatrix.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace corvane {
namespace {

// The longest list of 40-character Left messages on the widest board whose
// firmware still fits the chip.
std::vector<Message> LargestFittingList(const Board& board)
{
    std::vector<Message> entries;
    for (;;) {
        Message entry{std::string(40, static_cast<char>('A' + entries.size() % 26)),
                      ScrollDirection(0), 5};
        entries.push_back(entry);
        if (FirmwareSize(entries, board) > chip::kFlashBytes) {
            entries.pop_back();
            return entries;
        }
    }
}

// Target: under 5 ms, HEX text included.
void BM_BuildFirmwareOfTheLargestFittingList(benchmark::State& state)
{
    const Board board = Board::ofWidth("40");
    const auto entries = LargestFittingList(board);
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
BENCHMARK(BM_BuildFirmwareOfTheLargestFittingList)->Unit(benchmark::kMillisecond);

// The longest list of 20-character messages on the widest board, taking every way in turn
// (each scroll with a pause, the standing ones in pages of words), whose firmware still fits.
std::vector<Message> LargestFittingListOfEveryWay(const Board& board)
{
    std::vector<Message> entries;
    for (;;) {
        const auto index = static_cast<int>(entries.size());
        Message entry{"Fresh bread " + std::string(8, static_cast<char>('A' + index % 26)),
                      ScrollDirection(index % kDirectionCount), index % 10};
        entry.pause = IsStanding(entry.direction) ? 0 : 1 + index % kMaxPause;
        entries.push_back(entry);
        if (FirmwareSize(entries, board) > chip::kFlashBytes) {
            entries.pop_back();
            return entries;
        }
    }
}

// Target: under 5 ms, HEX text included.
void BM_BuildFirmwareOfTheLargestListOfEveryWay(benchmark::State& state)
{
    const Board board = Board::ofWidth("40");
    const auto entries = LargestFittingListOfEveryWay(board);
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
BENCHMARK(BM_BuildFirmwareOfTheLargestListOfEveryWay)->Unit(benchmark::kMillisecond);

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

#include "bascom/ProgramReader.h"
#include "bascom/ProgramWriter.h"
#include "programfile/ProgramFile.h"
#include "sign/BoardSimulator.h"
#include "tests/sign/FilledGlyphs.h"
#include "tests/sign/LargestList.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace corvane {
namespace {

Board LargestBoard()
{
    return Board::ofWidth("40");
}

using test::FilledGlyphs;

std::string BenchPath()
{
    return (std::filesystem::temp_directory_path() / "corvane-bench.bas").string();
}

void BM_RenderProgram(benchmark::State& state)
{
    const auto entries = test::LargestList();
    const GlyphTable& glyphs = FilledGlyphs();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string file = RenderProgram(entries, LargestBoard(), glyphs);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading the file that BM_RenderProgram writes, reported beside it.
void BM_ReadProgram(benchmark::State& state)
{
    const GlyphTable& glyphs = FilledGlyphs();
    const std::string file = RenderProgram(test::LargestList(), LargestBoard(), glyphs);
    for (auto _ : state) {
        const ReadResult result = ReadProgram(file, glyphs);
        if (!std::holds_alternative<ProgramRead>(result)) {
            state.SkipWithError("the largest program was refused");
            break;
        }
        benchmark::DoNotOptimize(&result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_ReadProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderAndWriteProgram(benchmark::State& state)
{
    const auto entries = test::LargestList();
    const GlyphTable& glyphs = FilledGlyphs();
    const std::string path = BenchPath();
    const std::size_t bytes = RenderProgram(entries, LargestBoard(), glyphs).size();
    for (auto _ : state) {
        if (WriteProgram(path, entries, LargestBoard(), glyphs)) {
            state.SkipWithError("writing failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    std::filesystem::remove(path);
}
BENCHMARK(BM_RenderAndWriteProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainBufferedWrite(benchmark::State& state)
{
    const std::string file = RenderProgram(test::LargestList(), LargestBoard(), FilledGlyphs());
    const std::string path = BenchPath();
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PlainBufferedWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same write followed by the disk sync that QSaveFile::commit() performs
// before its rename: the floor for any save that survives a power cut.
void BM_PlainWriteAndSync(benchmark::State& state)
{
    const std::string file = RenderProgram(test::LargestList(), LargestBoard(), FilledGlyphs());
    const std::string path = BenchPath();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, file.data(), file.size()) != static_cast<ssize_t>(file.size()) ||
            ::fdatasync(fd) != 0) {
            state.SkipWithError("writing failed");
        }
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PlainWriteAndSync)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SimulatorFrame(benchmark::State& state)
{
    const Message entry{std::string(256, 'W'), ScrollDirection(0), 5};
    const BoardSimulator simulator(ShowOf(entry, LargestBoard()));
    int step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(simulator.frame(step).data());
        step = (step + 97) % simulator.stepCount();
    }
}
BENCHMARK(BM_SimulatorFrame);

} // namespace
} // namespace corvane

BENCHMARK_MAIN();

// Start-up to the main window shown, whole process included: Corvane's
// start-up against a bare Qt Widgets window program built the same way,
// measured side by side (offscreen).
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace {

void RunProbe(benchmark::State& state, const char* path)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    for (auto _ : state) {
        pid_t pid = 0;
        char* argv[] = {const_cast<char*>(path), nullptr};
        if (posix_spawn(&pid, path, nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the probe");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe failed");
            return;
        }
    }
}

void BM_BareWindowProgram(benchmark::State& state)
{
    RunProbe(state, CORVANE_BARE_PROBE);
}
BENCHMARK(BM_BareWindowProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

// For reference: the same bare window with one label, which brings in the
// font database that every window showing text needs.
void BM_BareWindowWithTextProgram(benchmark::State& state)
{
    RunProbe(state, CORVANE_BARE_TEXT_PROBE);
}
BENCHMARK(BM_BareWindowWithTextProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CorvaneStartup(benchmark::State& state)
{
    RunProbe(state, CORVANE_STARTUP_PROBE);
}
BENCHMARK(BM_CorvaneStartup)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

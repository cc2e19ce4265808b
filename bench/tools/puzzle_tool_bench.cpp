// Whole commands of kelvaro-puzzles, timed from start to exit, as a person running them waits:
// 100 hard puzzles with their solutions to PDF (goal: under a second), and unique stats on one
// thread against all cores (goal on two cores: at least 1.7 times faster).
//   build/bench/tools/puzzle_tool_bench --benchmark_filter=Stats   (about a minute per run)
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs the tool with `args`, its output thrown away; the wall time goes to the benchmark.
void runTimed(benchmark::State& state, const std::string& args) {
    const std::string command =
        std::string("'") + KELVARO_PUZZLES_PATH + "' " + args + " >/dev/null 2>/dev/null";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int raw = std::system(command.c_str());
        const auto stop = std::chrono::steady_clock::now();
        if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0) {
            state.SkipWithError("the tool failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}

void printHundredHardPuzzles(benchmark::State& state) {
    const std::string pdf = "/tmp/kelvaro-bench-" + std::to_string(getpid()) + ".pdf";
    runTimed(state, "print --size 12 --seed 1 --count 100 --per-page 6 --solutions -o " + pdf);
    unlink(pdf.c_str());
}
BENCHMARK(printHundredHardPuzzles)->UseManualTime()->Unit(benchmark::kMillisecond);

// Argument: --jobs; 0 leaves it out, which means all cores.
void uniqueStats(benchmark::State& state) {
    const int jobs = static_cast<int>(state.range(0));
    state.SetLabel(jobs == 0 ? std::to_string(std::thread::hardware_concurrency()) + " cores"
                             : std::to_string(jobs) + " job");
    runTimed(state, "stats --size 12 --seed 1 --count 10000 --unique" +
                        (jobs == 0 ? std::string() : " --jobs " + std::to_string(jobs)));
}
BENCHMARK(uniqueStats)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

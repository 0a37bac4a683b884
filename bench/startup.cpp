// Start of the client on a fresh copy of the demonstration game at rest, headless,
// from process start to the main menu with its first screen, the team overview,
// drawn (the program then looks at the mouse and takes the script's one move; the
// script used up, it ends). No shot: writing a picture costs more than a start.
// Beside it a process that only starts and exits. The client's own processor time
// (user + system) is reported beside the wall time, which a busy machine stretches.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "platform/process.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

const std::string DIST = KORAX_DIST_DIR;

// A copy of the program directory with a pristine DEMO, so the turn the client
// writes when it stops never touches the build's own.
fs::path programdir() {
    static const fs::path dir = [] {
        fs::path p = fs::temp_directory_path() / "korax-bench-start";
        fs::remove_all(p);
        fs::copy(DIST, p, fs::copy_options::recursive);
        // The run ends (exit code 125) once the menu has waited for more input.
        std::ofstream(p / "start.script") << "move 1 1\n";
        return p;
    }();
    return dir;
}

double children_cpu() {
    rusage u{};
    ::getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void client(benchmark::State& state) {
    const fs::path dir = programdir();
    double cpu = 0;
    ::setenv("KORAX_VIDEO", "headless", 1);
    ::setenv("KORAX_INPUT", (dir / "start.script").c_str(), 1);
    ::setenv("KORAX_INPUT_TRACE", (dir / "trace.txt").c_str(), 1);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(dir / "DEMO");
        fs::copy(DIST + "/DEMO", dir / "DEMO", fs::copy_options::recursive);
        // The waiting cup result is applied once, at a game's first start, and
        // puts the received messages before the menu: not the every-day start.
        fs::remove(dir / "DEMO" / "CUP1.RST");
        fs::remove(dir / "trace.txt");
        const double before = children_cpu();
        state.ResumeTiming();
        PROCESSRUN run;
        run.program = (dir / "korax").string();
        run.args = {"DEMO"};
        run.output = (dir / "client.log").string();
        const int code = RUNANDWAIT(run);
        // The trace names the move once the menu took it.
        if (code != 125 || !fs::exists(dir / "trace.txt") || fs::file_size(dir / "trace.txt") == 0) state.SkipWithError("the main menu was not reached");
        cpu += children_cpu() - before;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}

void bare_process(benchmark::State& state) {
    for (auto _ : state) {
        PROCESSRUN run;
        run.program = "/bin/true";
        RUNANDWAIT(run);
    }
}

}  // namespace

BENCHMARK(client)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bare_process)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

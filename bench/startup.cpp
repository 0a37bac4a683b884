// Start of the client on a fresh copy of the demonstration game, headless, from
// process start to the main menu with its first screen, the team overview, drawn
// and shot; beside it a process that only
// starts and exits.
#include <benchmark/benchmark.h>

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
        // The run ends (exit code 125) as soon as the menu waits for more input.
        std::ofstream(p / "start.script") << "shot " << (p / "menu.png").string() << "\n";
        return p;
    }();
    return dir;
}

void client(benchmark::State& state) {
    const fs::path dir = programdir();
    ::setenv("KORAX_VIDEO", "headless", 1);
    ::setenv("KORAX_INPUT", (dir / "start.script").c_str(), 1);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(dir / "DEMO");
        fs::copy(DIST + "/DEMO", dir / "DEMO", fs::copy_options::recursive);
        fs::remove(dir / "menu.png");
        state.ResumeTiming();
        PROCESSRUN run;
        run.program = (dir / "korax").string();
        run.args = {"DEMO"};
        run.output = (dir / "client.log").string();
        RUNANDWAIT(run);
        if (!fs::exists(dir / "menu.png")) state.SkipWithError("the main menu was not reached");
    }
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

// DOS-style name resolution (run for every file the program opens) and the text
// helpers every message is built with.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "platform/dospath.h"

namespace fs = std::filesystem;

namespace {

// A game directory of the usual size: about eighty files in mixed letter case.
struct Tree {
    fs::path dir, old;
    Tree() {
        old = fs::current_path();
        char buf[] = "/tmp/korax-bench-paths-XXXXXX";
        dir = ::mkdtemp(buf);
        fs::create_directories(dir / "Game1");
        for (int i = 1; i <= 80; ++i)
            std::ofstream(dir / "Game1" / ("file" + std::to_string(i) + ".dat")) << "x";
        std::ofstream(dir / "Game1" / "team3.dat") << "x";
        fs::current_path(dir);
    }
    ~Tree() {
        fs::current_path(old);
        fs::remove_all(dir);
    }
};

void BM_HostPathExisting(benchmark::State& state) {
    Tree t;
    for (auto _ : state) benchmark::DoNotOptimize(korax::HOSTPATH("GAME1\\TEAM3.DAT"));
}
BENCHMARK(BM_HostPathExisting);

void BM_HostPathExactSpelling(benchmark::State& state) {
    Tree t;
    for (auto _ : state) benchmark::DoNotOptimize(korax::HOSTPATH("Game1\\team3.dat"));
}
BENCHMARK(BM_HostPathExactSpelling);

void BM_HostPathNewFile(benchmark::State& state) {
    Tree t;
    for (auto _ : state) benchmark::DoNotOptimize(korax::HOSTPATH("GAME1\\TEAM3.TRN"));
}
BENCHMARK(BM_HostPathNewFile);

void BM_NumstrAndW(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(korax::NUMSTR("Gold: # $", 1234567));
        benchmark::DoNotOptimize(korax::W(42, 6));
        benchmark::DoNotOptimize(korax::W10(-85));
    }
}
BENCHMARK(BM_NumstrAndW);

}  // namespace

BENCHMARK_MAIN();

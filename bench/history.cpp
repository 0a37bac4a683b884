// The history screen's list: a 10000-line history file read into the list and its
// first page built, beside the plain reading of the same file line by line into a
// vector of strings in the same run. Reported: both times and their ratio (goal:
// at most 3).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "management/statbuild.h"
#include "management/stats.h"
#include "ui/dialogs.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

constexpr int LINES = 10000;
constexpr int PAGE = 25;

fs::path scratch() {
    static const fs::path dir = [] {
        std::string tmpl = (fs::temp_directory_path() / "korax-bench-history-XXXXXX").string();
        fs::path d = ::mkdtemp(tmpl.data());
        std::ofstream out(d / "TEAM1.HI", std::ios::binary);
        for (int i = 1; i <= LINES; ++i) {
            if (i % 40 == 1) out << "Saison " << (i / 40 + 1) << "\r\n";
            else if (i % 9 == 0) out << ">>> Place " << i % 10 + 1 << " after day " << i % 18 + 1 << "\r\n";
            else out << i % 18 + 1 << ". Dragons - Wolves " << i % 4 << ":" << i % 3 << "\r\n";
        }
        return d;
    }();
    return dir;
}

std::size_t open_to_first_page() {
    LADEHISTORIE();
    std::size_t n = 0;
    for (int i = 1; i <= PAGE && i <= LISTENANZ; ++i) {
        std::string line;
        LISTEGET(i, line);
        n += HISTORIEZEILE(line).text.size();
    }
    n += static_cast<std::size_t>(LISTENANZ);
    LISTECLOSE();
    return n;
}

std::size_t plain_read() {
    std::ifstream in(scratch() / "TEAM1.HI", std::ios::binary);
    std::vector<std::string> v;
    for (std::string line; std::getline(in, line);) v.push_back(line);
    return v.size();
}

void history_first_page(benchmark::State& state) {
    GAMEDIR = scratch().string() + "/";
    NUMMER = 1;
    double ours = 0, plain = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(open_to_first_page());
        auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(plain_read());
        auto t2 = std::chrono::steady_clock::now();
        ours += std::chrono::duration<double>(t1 - t0).count();
        plain += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["history_ms"] = 1000 * ours / n;
    state.counters["getline_ms"] = 1000 * plain / n;
    state.counters["ratio"] = plain > 0 ? ours / plain : 0;
}

}  // namespace

BENCHMARK(history_first_page)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(50);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(scratch(), ec);
    return 0;
}

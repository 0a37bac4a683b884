// Result archives: check value, packing and unpacking of a result-sized set of
// files, with and without password, and the cost of starting a program.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/process.h"
#include "results/rsz.h"
#include "results/zipper.h"

using namespace korax;

namespace {

// A container-like mix: record bytes that repeat, pictures that compress less.
std::vector<RSZENTRY> result_files() {
    std::string records;
    for (int i = 0; i < 20000; ++i) records += static_cast<char>("KORAX-HURTIN-BOGON"[i % 18] ^ (i / 61));
    std::string picture(60000, '\0');
    unsigned x = 12345;
    for (auto& c : picture) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>((x >> 16) & 0x1F);
    }
    return {{"TEAM3.RST", records + picture}, {"NEWS.TXT", std::string(3000, 'n')}};
}

std::string scratch() {
    char tmpl[] = "/tmp/korax-bench-rsz-XXXXXX";
    return ::mkdtemp(tmpl) ? std::string(tmpl) : std::string("/tmp");
}

void BM_CRUNCHPW(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(CRUNCHPW("PASSWORD"));
}
BENCHMARK(BM_CRUNCHPW);

void BM_Pack(benchmark::State& state) {
    auto files = result_files();
    RSZPACKOPTIONS o;
    o.password = state.range(0) ? "Hugo" : "";
    o.quickhash = state.range(0) == 1;
    std::string a;
    for (auto _ : state) {
        RSZPACKBYTES(files, o, a);
        benchmark::DoNotOptimize(a.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (files[0].data.size() + files[1].data.size()));
}
// 0: unprotected, 1: protected with the cheapest hash, 2: with the hash results use.
BENCHMARK(BM_Pack)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_Unpack(benchmark::State& state) {
    auto files = result_files();
    RSZPACKOPTIONS o;
    o.password = state.range(0) ? "Hugo" : "";
    o.quickhash = state.range(0) == 1;
    std::string a;
    RSZPACKBYTES(files, o, a);
    std::string dir = scratch();
    for (auto _ : state) {
        RSZRESULT r = RSZUNPACKBYTES(a, dir, o.password);
        if (!r.ok()) state.SkipWithError("unpack failed");
    }
    std::filesystem::remove_all(dir);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (files[0].data.size() + files[1].data.size()));
}
BENCHMARK(BM_Unpack)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RunAndWait(benchmark::State& state) {
    PROCESSRUN run;
    run.program = "/bin/true";
    for (auto _ : state) benchmark::DoNotOptimize(RUNANDWAIT(run));
}
BENCHMARK(BM_RunAndWait)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The toolkit's readers and streams: MENU.CFG parsing and rewriting, help topic
// lookup in a large help file, and memory-stream throughput in memory and on disk.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/m_tool.h"
#include "ui/memplus.h"

using namespace korax;

namespace {

std::string menu_text() {
    std::string t = "; menu\r\n";
    for (int i = 0; i < 99; ++i) {
        if (i == 6) t += "---\r\n";
        t += std::to_string(101 + i % 28) + "   ;Label " + std::to_string(i) + "\r\n";
    }
    return t;
}

std::string help_text() {
    std::string t;
    for (int topic = 1; topic <= 700; ++topic) {
        t += "<" + std::to_string(topic) + ">\r\n";
        for (int l = 0; l < 20; ++l) t += "A help line of ordinary length for the topic number " + std::to_string(topic) + ".\r\n";
    }
    return t;
}

void BM_ParseMenuCfg(benchmark::State& state) {
    const std::string t = menu_text();
    for (auto _ : state) benchmark::DoNotOptimize(PARSEMENUCFG(t));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}
BENCHMARK(BM_ParseMenuCfg);

void BM_SwapMenuLines(benchmark::State& state) {
    const std::string t = menu_text();
    for (auto _ : state) benchmark::DoNotOptimize(SWAPMENULINES(t, 105, 120));
}
BENCHMARK(BM_SwapMenuLines);

void BM_HelpTopicLastOfMany(benchmark::State& state) {
    const std::string t = help_text();
    for (auto _ : state) benchmark::DoNotOptimize(READHELPTOPIC(t, 700));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}
BENCHMARK(BM_HelpTopicLastOfMany);

void BM_MemplusRoundTrip(benchmark::State& state) {
    MEMPLUSRESET();
    MEMPLUSFREEKB = state.range(0) ? 0 : -1;  // 1: force the file
    std::vector<std::uint8_t> rec(128, 7);
    for (auto _ : state) {
        MEMPLUSOPEN(1, 1024, 1024);
        for (int i = 0; i < 1000; ++i) MEMPLUSWRITE(1, rec.data(), rec.size());
        MEMPLUSSEEK(1, 0);
        for (int i = 0; i < 1000; ++i) MEMPLUSREAD(1, rec.data(), rec.size());
        MEMPLUSCLOSE(1);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * 1000 * rec.size()));
    MEMPLUSRESET();
    MEMPLUSFREEKB = -1;
}
BENCHMARK(BM_MemplusRoundTrip)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();

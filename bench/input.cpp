// Cost of the input path: the key and mouse queues, the script parser and a
// scripted key read as the program's screens do it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/inputscript.h"
#include "graph/wingraph.h"

namespace {

void setup_headless() {
    setenv("KORAX_VIDEO", "headless", 1);
    korax::GRENABLED = true;
    korax::END_INPUT_SCRIPT();
    korax::EMPTY_INPUT_QUEUES();
}

void BM_KeyRoundTrip(benchmark::State& state) {
    setup_headless();
    for (auto _ : state) {
        korax::ADDKEY('a');
        benchmark::DoNotOptimize(korax::READKEY());
    }
}
BENCHMARK(BM_KeyRoundTrip);

void BM_KeyOverflow(benchmark::State& state) {
    setup_headless();
    for (auto _ : state) korax::ADDEXTKEY(72);
    korax::EMPTY_INPUT_QUEUES();
}
BENCHMARK(BM_KeyOverflow);

void BM_MouseEventRoundTrip(benchmark::State& state) {
    setup_headless();
    korax::TMOUSEEVENT e{};
    for (auto _ : state) {
        korax::ADDMOUSEEVENT(korax::MOUSE_MOVED, 0, 10, 20);
        korax::GETMOUSEEVENT(e);
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_MouseEventRoundTrip);

void BM_MousePoll(benchmark::State& state) {
    setup_headless();
    int b, x, y;
    for (auto _ : state) {
        korax::EMOUSESTAT(b, x, y);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_MousePoll);

std::string long_script() {
    std::string s;
    for (int i = 0; i < 1000; ++i)
        s += "key Ctrl+Left\ntext Hello world\nclick 100 200 right\nwait 10\n# note\nkey F1\n";
    return s;
}

void BM_ParseScript(benchmark::State& state) {
    const std::string s = long_script();
    for (auto _ : state) benchmark::DoNotOptimize(korax::PARSE_INPUT_SCRIPT(s, "bench.kis"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_ParseScript);

void BM_ScriptedKeys(benchmark::State& state) {
    setup_headless();
    std::string s;
    for (int i = 0; i < 4096; ++i) s += "key x\n";
    const auto actions = korax::PARSE_INPUT_SCRIPT(s, "bench.kis");
    for (auto _ : state) {
        state.PauseTiming();
        korax::SET_INPUT_SCRIPT(actions);
        state.ResumeTiming();
        for (std::size_t i = 0; i < actions.size(); ++i) {
            while (!korax::KEYPRESSED()) {
            }
            benchmark::DoNotOptimize(korax::READKEY());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * actions.size()));
    korax::END_INPUT_SCRIPT();
}
BENCHMARK(BM_ScriptedKeys);

}  // namespace

BENCHMARK_MAIN();

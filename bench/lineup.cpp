// The line-up's pitch with its five positions drawn in memory: catch radii of 50
// against radii of 32767 read from a team file. Goal: the huge radii cost at most
// 1.5 times the small ones, since circles are clipped to the pitch row by row.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "data/config.h"
#include "data/g_types.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "management/lineup.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;

namespace {

void open_screen() {
    if (INGRAPH) return;
    setenv("KORAX_VIDEO", "headless", 1);
    EINITGRAPH(0);
    EMUMOUSE_init();
    LEFTMENU = false;
    SETGEOMETRY();
}

void pitch(benchmark::State& state) {
    open_screen();
    TEAM = TEAMREC{};
    const int place[6][2] = {{0, 0}, {700, 180}, {700, 420}, {350, 150}, {350, 450}, {100, 300}};
    for (int p = 1; p <= 5; ++p) {
        TEAM.TAKTIK[p].NORMALX = static_cast<std::int16_t>(place[p][0]);
        TEAM.TAKTIK[p].NORMALY = static_cast<std::int16_t>(place[p][1]);
        TEAM.TAKTIK[p].FANGRADIUS = static_cast<std::int16_t>(state.range(0));
        TEAM.TAKTIK[p].LAUFX = 900;
        TEAM.TAKTIK[p].LAUFY = 300;
    }
    for (auto _ : state) DRAWLINEUPPITCH(false);
}

}  // namespace

BENCHMARK(pitch)->Arg(50)->Arg(300)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

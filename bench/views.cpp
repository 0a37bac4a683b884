// The team and league screens drawn in the client's own process, headless, on a
// generated league: each screen opened, drawn and left with Escape.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"
#include "graph/emugraph.h"
#include "graph/winpcx.h"
#include "management/screens.h"
#include "graph/inputscript.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "data/config.h"
#include "data/lg.h"
#include "ui/m_tool.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

const std::string DIST = KORAX_DIST_DIR;

// A copy of the program directory with league LIGA (team 3, match day 12), its
// model loaded and the screen open, once for all benchmarks.
bool prepare() {
    static const bool ready = [] {
        fs::path p = fs::temp_directory_path() / "korax-bench-views";
        fs::remove_all(p);
        fs::create_directories(p);
        for (auto& e : fs::directory_iterator(DIST))
            if (e.path().filename() != "DEMO" && e.path().filename() != "DEMO.ORIG")
                fs::copy(e.path(), p / e.path().filename(), fs::copy_options::recursive);
        fs::create_directory(p / "LIGA");
        PROCESSRUN make;
        make.program = (p / "mkgame").string();
        make.args = {"--team", "3", "--day", "12", "--dir", "LIGA", "LIGA"};
        make.dir = p.string();
        make.output = (p / "mkgame.log").string();
        if (RUNANDWAIT(make) != 0 || ::chdir(p.c_str()) != 0) return false;
        ::setenv("KORAX_VIDEO", "headless", 1);
        KXPATH = p.string();
        READ_LG("KORAX", 220);
        READINI(255, true);
        GAMEDIR = "LIGA\\";
        NUMMER = 3;
        NUMMERSTR = "3";
        EINITGRAPH(0);
        SHOWPCX(0, 0, JOINPATH(KXPATH, "palette!.pcx"));
        INITOBERFLAECHE(1);
        OPENFILES(_PLAYER | _TEAM);
        READGEN();
        READALLTEAMS();
        READPLAYERS();
        INITOBERFLAECHE(0);
        BUTTONINIT(true);
        return true;
    }();
    return ready;
}

void screen(benchmark::State& state, void (*open)()) {
    if (!prepare()) {
        state.SkipWithError("no league");
        return;
    }
    for (auto _ : state) {
        SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT("key Esc\n", "bench"));
        open();
    }
}

}  // namespace

BENCHMARK_CAPTURE(screen, 101_team_overview, TEAMUEBERSICHT)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(screen, 105_league_table, TABELLE)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(screen, 106_pairings, SPIELPAARUNG)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(screen, 123_team_data, TEAMDATEN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(screen, 124_shape_editor, SHAPEEDITOR)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

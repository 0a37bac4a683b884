// Screen timings: the real client, headless, on a fresh copy of the demonstration
// game, opens one main-menu code's screen by a click on its menu button, and the
// input trace gives the time from the click to the screen drawn (the program's
// next look at the mouse). Beside them a start
// that goes straight to the stop. Goal: every screen drawn in under 5 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/process.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

// One row per main-menu code. `then`: script lines between the click and the
// shot, for a screen that asks something before it shows itself. `day`: a game
// generated on that match day instead of the demonstration game (0).
struct SCREENCASE {
    int code;
    const char* name;
    const char* then;
    int day = 0;
};
constexpr SCREENCASE SCREENS[] = {
    {101, "team_overview", ""},   {102, "line_up", ""},        {103, "replay_match", ""},
    {103, "replay_own_matches", "key 2\n"}, {103, "replay_match_days", "key 3\n"},
    {103, "replay_cup_matches", "key 4\n"},
    {104, "slave_market", ""},    {105, "league_table", ""},   {106, "pairings", ""},
    {107, "history", ""},         {108, "accommodation", ""},  {109, "stadium", ""},
    {110, "training", ""},        {111, "bank", ""},           {112, "write_messages", ""},
    {113, "read_messages", ""},   {114, "statistics", ""},     {115, "betting_office", ""},
    {116, "cup_draw", ""},        {117, "friendly_tactics", ""}, {118, "catering", ""},
    {119, "advertising", ""},     {120, "newspaper", ""},      {123, "team_data", ""},
    {124, "shape_editor", ""},    {125, "temple", ""},         {127, "set_up", ""},
    {128, "turn_deadline", ""},   {104, "season_end", "", 18},
};

// The first menu button (code 101) and the second, in the right-hand column the
// demonstration game's configuration chooses.
constexpr int BUTTONX = 900, BUTTON1Y = 108, BUTTON2Y = 154;

const std::string DIST = KORAX_DIST_DIR;

// Runs of the client per benchmark: the measured times are a few milliseconds
// inside a run of a quarter second, which a time-based count would repeat for minutes.
constexpr int RUNS = 10;

fs::path programdir() {
    static const fs::path dir = [] {
        fs::path p = fs::temp_directory_path() / "korax-bench-screens";
        fs::remove_all(p);
        fs::copy(DIST, p, fs::copy_options::recursive);
        return p;
    }();
    return dir;
}

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// The shipped menu with `code` moved right behind 101, so that its button is the
// second one and in view whatever the scrolling.
void write_menu(const fs::path& dir, int code) {
    std::istringstream in(slurp(fs::path(DIST) / "MENU.CFG"));
    std::string out, line;
    const std::string mine = std::to_string(code) + "   ;bench\n";
    while (std::getline(in, line)) {
        if (line.rfind(std::to_string(code), 0) == 0 && code != 101) continue;
        out += line + "\n";
        if (line.rfind("101", 0) == 0 && code != 101) out += mine;
    }
    std::ofstream(dir / "MENU.CFG", std::ios::binary) << out;
}

// One run of the client; its wall time in seconds, or a negative value on failure.
double run_client(const fs::path& dir, benchmark::State& state, int day = 0, int menucode = 0) {
    state.PauseTiming();
    fs::remove_all(dir / "DEMO");
    if (day > 0) {
        fs::create_directories(dir / "DEMO");
        PROCESSRUN gen;
        gen.program = (dir / "mkgame").string();
        gen.args = {"--seed", "7", "--team", "1", "--day", std::to_string(day), "--dir", "DEMO", (dir / "DEMO").string()};
        gen.output = (dir / "mkgame.log").string();
        RUNANDWAIT(gen);
    } else {
        fs::copy(DIST + "/DEMO", dir / "DEMO", fs::copy_options::recursive);
        // The screens are timed on a game at rest: the waiting cup result would put
        // the received messages before the menu.
        fs::remove(dir / "DEMO" / "CUP1.RST");
    }
    if (menucode == 116) {
        // The cup draw at its largest: 10000 lines, wider than the text area.
        std::ofstream draw(dir / "DEMO" / "POKAL.TXT", std::ios::binary);
        for (int i = 1; i <= 10000; ++i)
            draw << "Pairing " << i << ": Dragons of the Deep - Club " << i << std::string(120, '.') << "\r\n";
    }
    fs::remove(dir / "shot.png");
    fs::remove(dir / "trace.txt");
    state.ResumeTiming();
    const auto t0 = std::chrono::steady_clock::now();
    PROCESSRUN run;
    run.program = (dir / "korax").string();
    run.args = {"DEMO"};
    run.output = (dir / "client.log").string();
    const int code = RUNANDWAIT(run);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    // The run ends (exit code 125) when the screen waits for more input.
    if (code != 125 || !fs::exists(dir / "shot.png")) return -1;
    return s;
}

void setenvs(const fs::path& dir) {
    ::setenv("KORAX_VIDEO", "headless", 1);
    ::setenv("KORAX_INPUT", (dir / "run.kis").c_str(), 1);
    ::setenv("KORAX_INPUT_TRACE", (dir / "trace.txt").c_str(), 1);
}

void start_to_stop(benchmark::State& state) {
    const fs::path dir = programdir();
    fs::copy_file(fs::path(DIST) / "MENU.CFG", dir / "MENU.CFG", fs::copy_options::overwrite_existing);
    std::ofstream(dir / "run.kis") << "shot " << (dir / "shot.png").string() << "\n";
    setenvs(dir);
    for (auto _ : state)
        if (run_client(dir, state) < 0) state.SkipWithError("the main menu was not reached");
}

// Microseconds from the first action of script line `from` to that of line `to`.
long long traced(const fs::path& file, int from, int to) {
    std::ifstream in(file);
    long long a = -1, b = -1, us;
    for (int line; in >> line >> us;) {
        if (line == from && a < 0) a = us;
        if (line == to && b < 0) b = us;
    }
    return a >= 0 && b >= a ? b - a : -1;
}

void screen(benchmark::State& state, const SCREENCASE& c) {
    const fs::path dir = programdir();
    write_menu(dir, c.code);
    const int y = c.code == 101 ? BUTTON1Y : BUTTON2Y;
    std::string script = "click " + std::to_string(BUTTONX) + " " + std::to_string(y) + "\n" + c.then;
    // The screen is drawn when the program looks at the mouse again: a move to a
    // corner is applied then. The shot after it would wait for the next look at the
    // keys, which the idle step of a screen loop may delay by its pause.
    const int drawnline = 1 + static_cast<int>(std::count(script.begin(), script.end(), '\n'));
    script += "move 1 1\nshot " + (dir / "shot.png").string() + "\n";
    std::ofstream(dir / "run.kis") << script;
    setenvs(dir);
    double runs = 0;
    std::vector<double> times;
    for (auto _ : state) {
        const double s = run_client(dir, state, c.day, c.code);
        const long long us = traced(dir / "trace.txt", 1, drawnline);
        if (s < 0 || us < 0) {
            state.SkipWithError("the screen was not reached");
            break;
        }
        runs += s;
        times.push_back(static_cast<double>(us) / 1000);
        state.SetIterationTime(static_cast<double>(us) / 1e6);
    }
    if (times.empty()) return;
    // On a busy machine a run now and then loses the processor in the middle; the
    // median shows the screen's own time.
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
    state.counters["run_ms"] = 1000 * runs / static_cast<double>(times.size());
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("start_to_stop", start_to_stop)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(RUNS);
    for (const SCREENCASE& c : SCREENS)
        benchmark::RegisterBenchmark(("screen/" + std::to_string(c.code) + "_" + c.name + (c.day ? "_day" + std::to_string(c.day) : "")).c_str(), screen, c)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(RUNS);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

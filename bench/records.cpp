// Check values of a whole player file, and loading a league's team file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"

using namespace korax;

static std::vector<PLAYERREC> somePlayers(int n) {
    std::vector<PLAYERREC> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        PLAYERREC& p = v[static_cast<std::size_t>(i)];
        p.TEAM = static_cast<std::int16_t>(i % 10 + 1);
        p.RACE = static_cast<std::int16_t>(i % 10 + 1);
        p.NAME = "Player";
        p.VERFASSUNG = static_cast<std::int8_t>(i % 200 - 100);
        p.MOTIVATION = static_cast<std::uint8_t>(i % 256);
        p.INTELLIGENZ = static_cast<std::uint8_t>(i * 7);
    }
    return v;
}

static void BM_PlayerCheckValue(benchmark::State& state) {
    auto players = somePlayers(200);
    for (auto _ : state) {
        std::int32_t acc = 0;
        for (const auto& p : players) acc ^= PLAYERPRUEF(p);
        benchmark::DoNotOptimize(acc);
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_PlayerCheckValue);

static void BM_ReadAllTeams(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path old = fs::current_path();
    std::string tmpl = (fs::temp_directory_path() / "korax-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    fs::current_path(tmpl);
    {
        std::FILE* f = std::fopen("TEAM1.DAT", "wb");
        TEAMREC t{};
        for (int i = 0; i < 10; ++i) std::fwrite(&t, sizeof t, 1, f);
        std::fclose(f);
        f = std::fopen("PLAYER1.DAT", "wb");
        PLAYERREC p{};
        std::fwrite(&p, sizeof p, 1, f);
        std::fclose(f);
    }
    GAMEDIR = ".\\";
    NUMMERSTR = "1";
    NUMMER = 1;
    OPENFILES(_PLAYER | _TEAM);
    for (auto _ : state) READALLTEAMS();
    CLOSEFILES(_PLAYER | _TEAM);
    fs::current_path(old);
    fs::remove_all(tmpl);
}
BENCHMARK(BM_ReadAllTeams);

BENCHMARK_MAIN();

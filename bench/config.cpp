// Start-up costs of the language table and the configuration: parsing the shipped
// language file, reading KORAX.INI, and building its rewritten text.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "data/config.h"
#include "data/lg.h"

namespace {

std::string slurp(const std::string& name) {
    std::ifstream f(std::string(KORAX_DIST_DIR) + "/" + name, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void BM_ParseLanguageFile(benchmark::State& state, const char* name) {
    std::string data = slurp(name);
    if (data.empty()) {
        state.SkipWithError("language file not built");
        return;
    }
    static std::array<korax::STRING70, 701> table;
    for (auto _ : state) {
        int line = 0, maxlg = 0;
        std::uint16_t verlg = 0;
        benchmark::DoNotOptimize(korax::PARSE_LG(data, "KORAX", 220, table, line, verlg, maxlg));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK_CAPTURE(BM_ParseLanguageFile, english, "KORAX.ENG");
BENCHMARK_CAPTURE(BM_ParseLanguageFile, german, "KORAX.DEU");

void BM_ReadIni(benchmark::State& state) {
    std::string data = slurp("KORAX.INI");
    for (auto _ : state) korax::READINI_TEXT(data, 255, true);
}
BENCHMARK(BM_ReadIni);

void BM_RebuildIni(benchmark::State& state) {
    std::string data = slurp("KORAX.INI");
    for (auto _ : state) benchmark::DoNotOptimize(korax::REBUILD_INI(data));
}
BENCHMARK(BM_RebuildIni);

}  // namespace

BENCHMARK_MAIN();

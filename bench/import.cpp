// The result import of a typical and of a large container, beside copying the
// same bytes on the same disk.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/g_general.h"
#include "data/g_types.h"
#include "platform/process.h"
#include "results/showrst.h"
#include "shell/korax.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

fs::path root() {
    static const fs::path dir = [] {
        fs::path p = fs::current_path() / "korax-bench-import";
        fs::remove_all(p);
        fs::create_directories(p / "LIGA");
        PROCESSRUN run;
        run.program = std::string(KORAX_DIST_DIR) + "/mkgame";
        run.args = {"--seed", "4", "--team", "2", "--day", "6", "--dir", "LIGA", "--form", "rst", p.string()};
        if (RUNANDWAIT(run) != 0) throw std::runtime_error("mkgame failed");
        fs::rename(p / "TEAM2.RST", p / "TYPICAL.RST");  // the import deletes what it reads
        return p;
    }();
    return dir;
}

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// The typical container with ten 12 KB pictures, a 60 KB quick-match replay, all
// five further matches and 30 messages; its check value recomputed.
std::string large(const std::string& typical) {
    std::array<std::int32_t, 30> t;
    std::memcpy(t.data(), typical.data() + 14, sizeof t);
    std::size_t pos = 134;
    for (int i = 10; i < 20; ++i) pos += t[i];
    const std::string player = typical.substr(pos, t[0]), team = typical.substr(pos + t[0], t[1]),
                      gen = typical.substr(pos + t[0] + t[1], t[2]), match = typical.substr(pos + t[0] + t[1] + t[2], t[3]);
    std::string body, counted;
    for (int i = 10; i < 20; ++i) {
        t[i] = 12000;
        body += std::string(12000, char('A' + i));
    }
    const std::string quick(60000, 'q');
    counted = player + team + gen + gen.substr(0, 2) + match + quick;
    std::string tail = player + team + gen + match + quick;
    for (int k = 1; k <= 5; ++k) tail += match, counted += match;
    t[6] = 0x3E;
    t[7] = static_cast<std::int32_t>(quick.size());
    t[5] = 12;
    for (int i = 0; i < 12; ++i) tail += std::string("\x08History") + std::string(33, '\0'), counted += std::string("\x08History") + std::string(33, '\0');
    t[4] = 1215;
    for (int i = 0; i < 30; ++i) tail += std::string(1215, char('a' + i % 26)), counted += std::string(1215, char('a' + i % 26));
    unsigned sum = 2;
    for (unsigned char ch : counted) sum += ch;
    t[9] = static_cast<std::int32_t>(sum % 256 + 6);
    std::string out = typical.substr(0, 14);
    out.append(reinterpret_cast<const char*>(t.data()), sizeof t);
    return out + body + tail;
}

void import(benchmark::State& state, bool big) {
    const fs::path dir = root();
    fs::current_path(dir);
    const std::string typical = slurp(dir / "TYPICAL.RST");
    const std::string bytes = big ? large(typical) : typical;
    for (auto _ : state) {
        state.PauseTiming();
        { std::ofstream(dir / "TEAM2.RST", std::ios::binary) << bytes; }
        GAMEDIR = ".\\";
        RSTNAME = "TEAM2.RST";
        NUMMERWAHL = 0;
        state.ResumeTiming();
        SHOWRST();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same bytes copied as one file, with and without waiting for the disk.
void copy(benchmark::State& state, bool big, bool sync) {
    const fs::path dir = root();
    const std::string typical = slurp(dir / "TYPICAL.RST");
    const std::string bytes = big ? large(typical) : typical;
    { std::ofstream(dir / "SOURCE.RST", std::ios::binary) << bytes; }
    for (auto _ : state) {
        const std::string in = slurp(dir / "SOURCE.RST");
        int fd = ::open((dir / "COPY.RST").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, in.data(), in.size()) != static_cast<ssize_t>(in.size())) state.SkipWithError("write");
        if (sync) ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same bytes split into as many files as the import writes (one per section
// and copy), each written plainly under its name.
void copyfiles(benchmark::State& state, bool big) {
    const fs::path dir = root();
    const std::string typical = slurp(dir / "TYPICAL.RST");
    const std::string bytes = big ? large(typical) : typical;
    const std::size_t files = big ? 31 : 24;
    fs::create_directories(dir / "FILES");
    for (auto _ : state) {
        const std::string in = slurp(dir / "TYPICAL.RST");
        for (std::size_t k = 0; k < files; ++k) {
            const std::size_t from = bytes.size() * k / files, to = bytes.size() * (k + 1) / files;
            int fd = ::open((dir / "FILES" / std::to_string(k)).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (::write(fd, bytes.data() + from, to - from) != static_cast<ssize_t>(to - from)) state.SkipWithError("write");
            ::close(fd);
        }
        benchmark::DoNotOptimize(in);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK_CAPTURE(copyfiles, typical_as_files, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(copyfiles, large_as_files, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import, typical, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(copy, typical_plain, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(copy, typical_synced, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import, large, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(copy, large_plain, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(copy, large_synced, true, true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

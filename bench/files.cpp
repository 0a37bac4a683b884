// The safe copy (temporary file, flush to disk, rename) and the atomic rewrite
// against a plain copy of the same bytes into the same directory, for a typical
// 12 KB team picture and a 1 MB file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data/g_tools.h"

using namespace korax;

namespace {

// One scratch directory for the whole run, entered so that the program's relative
// names land in it.
const std::string& scratch() {
    static std::string dir = [] {
        std::string t = (std::filesystem::temp_directory_path() / "korax-bench-files-XXXXXX").string();
        if (!::mkdtemp(t.data())) std::abort();
        std::filesystem::current_path(t);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::current_path("/", ec);
            std::filesystem::remove_all(scratch(), ec);
        });
        return t;
    }();
    return dir;
}

void source(std::size_t size) {
    scratch();
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 31);
    std::ofstream("SRC.DAT", std::ios::binary) << bytes;
}

void BM_CopyFile(benchmark::State& state) {
    source(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(COPYFILE("SRC.DAT", "DST.DAT"));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The same bytes with read and write and nothing else: no temporary file, no flush.
void BM_PlainCopy(benchmark::State& state) {
    source(static_cast<std::size_t>(state.range(0)));
    std::vector<char> buf(BUFFERSIZE);
    for (auto _ : state) {
        int in = ::open("SRC.DAT", O_RDONLY);
        int out = ::open("PLAIN.DAT", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ssize_t n;
        while ((n = ::read(in, buf.data(), buf.size())) > 0)
            if (::write(out, buf.data(), static_cast<std::size_t>(n)) != n) break;
        ::close(in);
        ::close(out);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_RewriteFile(benchmark::State& state) {
    scratch();
    std::string bytes(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state) REWRITEFILE("GAMES.INI", bytes);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CopyFile)->Arg(12000)->Arg(1 << 20);
BENCHMARK(BM_PlainCopy)->Arg(12000)->Arg(1 << 20);
BENCHMARK(BM_RewriteFile)->Arg(400)->Arg(12000);

}  // namespace

BENCHMARK_MAIN();

// Feeds arbitrary bytes to the start-up's cup reading as the announcement
// POKAL3.DAT: a number, a round, a file name and an opponent, or anything else.
// Whatever it names, no file outside the game directory is read or written.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/state.h"
#include "base/types.h"
#include "results/pokal.h"

namespace fs = std::filesystem;

namespace {

char g_root[] = "/tmp/korax-fuzz-pokal-XXXXXX";

void remove_root() {
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(g_root, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path root = [] {
        if (!::mkdtemp(g_root)) std::abort();
        std::atexit(remove_root);
        fs::path p = g_root;
        fs::create_directories(p / "prog" / "LIGA");
        fs::current_path(p / "prog");
        korax::KXPATH = (p / "prog").string() + "/";
        korax::GAMEDIR = "LIGA\\";
        korax::NUMMER = 3;
        korax::NUMMERSTR = "3";
        return p;
    }();
    std::ofstream(root / "prog" / "LIGA" / "POKAL3.DAT", std::ios::binary)
        << std::string(reinterpret_cast<const char*>(data), size);
    try {
        korax::READPOKAL();
        if (korax::POKALNAME.size() > 8 || korax::POKALGEGNER.size() > 80 || korax::POKALRUNDE.size() > 25) std::abort();
    } catch (const korax::FatalError&) {
    }
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().filename() != "prog") std::abort();
    for (const auto& e : fs::directory_iterator(root / "prog"))
        if (e.path().filename() != "LIGA") std::abort();
    for (const auto& e : fs::directory_iterator(root / "prog" / "LIGA"))
        if (e.path().filename() != "POKAL3.DAT") std::abort();
    return 0;
}

// Feeds arbitrary bytes to the start-up's cup reading as the cup result CUP3.RST of
// a small game directory. The result is refused with a fatal error or applied;
// either way nothing may appear outside the game directory.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/state.h"
#include "base/types.h"
#include "data/g_types.h"
#include "results/pokal.h"

namespace fs = std::filesystem;

namespace {

char g_root[] = "/tmp/korax-fuzz-cup-XXXXXX";

void remove_root() {
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(g_root, ec);
}

void spit(const fs::path& p, const std::string& b) { std::ofstream(p, std::ios::binary) << b; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path root = [] {
        setenv("KORAX_VIDEO", "headless", 1);
        if (!::mkdtemp(g_root)) std::abort();
        std::atexit(remove_root);
        fs::path p = g_root;
        fs::create_directories(p / "prog" / "LIGA");
        fs::current_path(p / "prog");
        spit("LIGA/TEAM3.DAT", std::string(10 * sizeof(korax::TEAMREC), '\0'));
        spit("LIGA/PLAYER3.DAT", std::string(110 * sizeof(korax::PLAYERREC), '\0'));
        korax::KXPATH = (p / "prog").string() + "/";
        korax::GAMEDIR = "LIGA\\";
        korax::NUMMER = 3;
        korax::NUMMERSTR = "3";
        korax::OPENFILES(korax::_PLAYER | korax::_TEAM);
        return p;
    }();
    for (const auto& e : fs::directory_iterator(root / "prog" / "LIGA")) {
        const std::string n = e.path().filename().string();
        if (n != "TEAM3.DAT" && n != "PLAYER3.DAT") fs::remove(e.path());
    }
    spit(root / "prog" / "LIGA" / "POKAL3.DAT", "5\r\nRound\r\nCUP3\r\nThem\r\n");
    spit(root / "prog" / "LIGA" / "CUP3.RST", std::string(reinterpret_cast<const char*>(data), size));
    korax::IGNORMODE = size % 2 == 1;  // both sides of the check value
    try {
        korax::READPOKAL();
    } catch (const korax::FatalError&) {
    }
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().filename() != "prog") std::abort();
    for (const auto& e : fs::directory_iterator(root / "prog"))
        if (e.path().filename() != "LIGA") std::abort();
    for (const auto& e : fs::directory_iterator(root / "prog" / "LIGA"))
        if (!e.is_regular_file()) std::abort();
    return 0;
}

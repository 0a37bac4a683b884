// Match files as they lie in the game directory (stored by an import, a cup
// result or the viewer), read as the match choice and the viewer run read them:
// the version and both team names of the header, and the argument line built
// from them. Files of any length, also under the 939 bytes a whole header needs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/state.h"
#include "data/g_tools.h"
#include "results/testgame.h"

using namespace korax;

namespace {

char g_scratch[] = "/tmp/korax-fuzz-matchfile-XXXXXX";

void removeScratch() {
    std::error_code ec;
    std::filesystem::remove_all(g_scratch, ec);
}

volatile std::size_t sink;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool ready = false;
    if (!ready) {
        if (!::mkdtemp(g_scratch)) std::abort();
        std::atexit(removeScratch);
        GAMEDIR = std::string(g_scratch) + "/";
        NUMMER = 1;
        NUMMERSTR = "1";
        ready = true;
    }
    const std::string file = GAMEDIR + "GAME1.DAT";
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);

    std::string a, b;
    std::int16_t nr = 0;
    const bool whole = GETGAMENAME(file, a, b, nr);
    if (whole && size < 939) std::abort();  // a header needs 939 bytes
    if (a.size() > 25 || b.size() > 25) std::abort();
    const std::int16_t version = READVGRVERSION();
    if (size < 6 && version != 6) std::abort();
    VGRLINE v;
    v.which = -1;
    v.nummer = NUMMER;
    v.gamedir = GAMEDIR;
    v.quickname = a + b;
    sink = sink + VGRPROGRAMM(version).size() + VGRARGUMENTE(v).size();
    return 0;
}

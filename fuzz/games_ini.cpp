// GAMES.INI reader: any bytes must give a list or a clean fatal error, and the
// directory probes must stay inside the scratch directory.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/g_tools.h"

namespace {

char scratch[] = "/tmp/korax-fuzz-games-XXXXXX";

void remove_scratch() {
    if (::chdir("/") != 0) return;
    std::string d = scratch;
    ::rmdir((d + "/DEMO").c_str());
    ::rmdir((d + "/LIGA1").c_str());
    ::rmdir(d.c_str());
}

bool enter_scratch() {
    static bool ready = false;
    if (ready) return true;
    if (!::mkdtemp(scratch) || ::chdir(scratch) != 0) return false;
    ::mkdir("DEMO", 0700);
    ::mkdir("LIGA1", 0700);
    std::atexit(remove_scratch);
    ready = true;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!enter_scratch()) return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        korax::PARSEGAMESINI(text);
        if (korax::GAMESANZ < 0 || korax::GAMESANZ > korax::MAXGAMES) __builtin_trap();
        std::string out = korax::GAMESINITEXT();
        // What is written back must read back to the same list.
        int anz = korax::GAMESANZ;
        korax::PARSEGAMESINI(out);
        if (korax::GAMESANZ != anz) __builtin_trap();
        korax::GAMELISTVIEW v;
        korax::GAMELISTMOVE(v, size % 7);
        korax::GAMELISTDELETE(v);
    } catch (const korax::FatalError&) {
    }
    return 0;
}

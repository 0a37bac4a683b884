// Heads of recorded match files (GAME.TMP is left by another program): parsed,
// and each side imported into both tactics.
#include <cstdint>
#include <string_view>

#include "data/g_general.h"
#include "data/g_types.h"
#include "management/formation.h"

using namespace korax;

namespace {
volatile long long sink;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MATCHHEAD h;
    const int r = PARSEMATCHHEAD(std::string_view(reinterpret_cast<const char*>(data), size), h);
    sink = sink + r;
    if (r != 0) return 0;
    sink = sink + h.team[0].NAME.str().size() + h.team[1].NAME.str().size();
    for (int side : {0, 1})
        for (bool sparr : {false, true}) {
            TEAM = TEAMREC{};
            IMPORTSIDE(h, side, sparr, TEAM);
            for (int p = 1; p <= 5; ++p) sink = sink + SPARRRACE(TEAM.SPARRTAKTIK[p].NR) + SLOTON(TEAM, p);
        }
    return 0;
}

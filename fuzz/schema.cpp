// Schema files from other trainers, read into both tactics, then every value
// that the line-up draws from them: places held on the pitch, tie codes, radii.
#include <cstdint>
#include <string>
#include <string_view>

#include "data/g_general.h"
#include "data/g_types.h"
#include "management/formation.h"

using namespace korax;

namespace {
volatile long long sink;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SETSPIELFELD(244, 1018, 725);
    GEN.LIGA = size > 0 ? data[0] : 0;
    for (bool sparr : {false, true}) {
        TEAM = TEAMREC{};
        SCHEMAFROMBYTES(bytes, sparr, TEAM);
        const auto& tk = TACTICS(TEAM, sparr);
        for (int p = 1; p <= 5; ++p) {
            std::string code;
            const bool tied = TIEDCODE(tk[p], code);
            sink = sink + CLAMPEDSCREENX(tk[p].NORMALX) + CLAMPEDSCREENY(tk[p].NORMALY) + code.size() + tied;
            sink = sink + CLAMPEDSCREENX(tk[p].LAUFX) + CLAMPEDSCREENY(tk[p].LAUFY) + SPARRRACE(tk[p].NR);
            for (int k = 0; k <= 6; ++k) sink = sink + TIEALLOWED(p, k);
            sink = sink + POSIOK(TEAM, sparr, p, CLAMPEDSCREENX(tk[p].NORMALX), CLAMPEDSCREENY(tk[p].NORMALY));
        }
        sink = sink + SCHEMABYTES(TEAM, sparr).size();
    }
    return 0;
}

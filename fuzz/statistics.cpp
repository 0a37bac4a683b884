// General and team record bytes as they arrive from the game master, through the
// builders of the statistics and season-end screens: chart lines and points, the
// strength range, the fair-play order and rows, scorer rows and keep marks. Every
// value must give a line, a row or a blank, never a crash, a read outside an
// array or a point outside the chart.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"
#include "management/statbuild.h"

using namespace korax;

namespace {

template <typename R>
void take(R& r, const std::uint8_t*& p, std::size_t& n) {
    const std::size_t k = std::min(n, sizeof(R));
    std::memset(static_cast<void*>(&r), 0, sizeof(R));
    std::memcpy(static_cast<void*>(&r), p, k);
    p += k;
    n -= k;
}

volatile std::size_t sink;

void keep(const std::string& s) { sink = sink + s.size(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* p = data;
    std::size_t n = size;
    if (n < 12) return 0;
    NUMMER = static_cast<std::int16_t>(static_cast<std::int8_t>(*p++));
    std::array<int, 11> colours{};
    for (int t = 1; t <= 10; ++t) colours[static_cast<std::size_t>(t)] = *p++ % 17;
    const unsigned char key = *p++;
    n -= 12;
    take(TEAM, p, n);
    take(GEN, p, n);
    for (int t = 1; t <= 10; ++t) {
        TEAMNAME[t] = TEAM.NAME;
        TEAMBRUTAL[t] = TEAM.TRANSGEBOT[t];
        TEAMBRUTALL[t] = TEAM.TRANSFER[t];
    }
    for (int i = 1; i <= 10; ++i) {
        take(PLAYER[i], p, n);
        BELEGT[i] = (PLAYER[i].TEAM & 1) != 0;
    }
    const int spieltag = SPIELTAG();
    const CHARTRANGE r = STAERKERANGE(GEN, colours, spieltag);
    if (r.hi <= r.lo || r.lo % 50 != 0) __builtin_trap();
    const CHARTBOX box{250, 170, 800, 660, std::max(18, CHARTLASTDAY(spieltag))};
    for (int kind : {1, 2}) {
        const int lo = kind == 2 ? 1 : r.lo, hi = kind == 2 ? 10 : r.hi;
        for (const CHARTLINE& l : CHARTLINES(GEN, colours, spieltag, kind))
            for (const auto& run : l.runs)
                for (const CHARTPOINT& pt : run) {
                    if (kind == 1 && (pt.value < lo || pt.value > hi)) __builtin_trap();
                    const PIXEL px = CHARTPIXEL(box, kind, lo, hi, pt);
                    if (px.x < box.x1 || px.x > box.x2 || px.y < box.y1 || px.y > box.y2) __builtin_trap();
                }
    }
    for (int i = 0; i <= 11; ++i) {
        const FAIRPLAYZEILE f = FAIRPLAYZEILEN(i);
        keep(f.rank + f.name + f.platz + f.schnitt + f.gesamt);
        const SCORERZEILE s = SCORERZEILEN(i);
        keep(s.rank + s.name + s.race + s.team);
    }
    // Toggling a slot twice gives back the gold exactly whenever the first toggle booked.
    const int slot = HALTESLOT(key);
    keep(HALTEPREISTEXT(TEAM.TRANSGEBOT[std::max(slot, 1)]));
    if (HALTEOFFEN(slot)) {
        const std::int32_t gold = TEAM.GOLD;
        const std::int16_t transfer = TEAM.TRANSFER[slot];
        const HALTEN first = HALTETOGGLE(TEAM, slot);
        if (first == HALTEN::ZURUECK || (first == HALTEN::GENOMMEN && HALTETOGGLE(TEAM, slot) == HALTEN::ZURUECK)) {
            if (first == HALTEN::GENOMMEN && (TEAM.GOLD != gold || TEAM.TRANSFER[slot] != transfer)) __builtin_trap();
        } else if (first != HALTEN::GENOMMEN && (TEAM.GOLD != gold || TEAM.TRANSFER[slot] != transfer)) {
            __builtin_trap();
        }
        keep(HALTEMELDUNG(PLAYER[slot].NAME.str()));
    }
    return 0;
}

// Team, player and general record bytes as they arrive from the game master,
// through every pure builder of the team and league views: table rows, pairing
// lines, overview rows, card values, balls, colour steps and emblem versions.
// Every value must give a row, a blank or a refusal, never a crash or a read
// outside an array.
#include <cstdint>
#include <cstring>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"
#include "management/pendant.h"
#include "management/views.h"

using namespace korax;

namespace {

template <typename R>
std::size_t take(R& r, const std::uint8_t*& p, std::size_t& n) {
    std::size_t k = std::min(n, sizeof(R));
    std::memset(static_cast<void*>(&r), 0, sizeof(R));
    std::memcpy(static_cast<void*>(&r), p, k);
    p += k;
    n -= k;
    return k;
}

volatile std::size_t sink;

void keep(const std::string& s) { sink = sink + s.size(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* p = data;
    std::size_t n = size;
    if (n < 2) return 0;
    NUMMER = static_cast<std::int16_t>(static_cast<std::int8_t>(*p++));
    LASTDAY = (*p++ & 1) != 0;
    n -= 2;
    take(TEAM, p, n);
    take(GEN, p, n);
    for (int i = 1; i <= 10; ++i) {
        take(PLAYER[i], p, n);
        BELEGT[i] = (PLAYER[i].TEAM & 1) != 0;
        TEAMNAME[i] = TEAM.NAME;
        TRAINERNAME[i] = TEAM.TRAINER;
        TEAMPROFI[i] = (TEAM.PLAYERS[i] & 1) != 0;
        TEAMLIZENZ[i] = TEAM.SYMBOLVER[i];
    }
    for (int i = 0; i <= 11; ++i) {
        TABELLENZEILE z = TABELLENZEILEN(i);
        keep(z.name + z.trainer + z.tordiff + z.tendenz.text);
        sink = sink + static_cast<std::size_t>(TABELLENZONE(i) + 1);
        sink = sink + static_cast<std::size_t>(GETSPIELERNUMMER(i)) + (ZEILEOFFEN(i) ? 1 : 0);
        sink = sink + static_cast<std::size_t>(NAECHSTEZEILE(i, 1) + NAECHSTEZEILE(i, -1));
    }
    for (int d = 0; d <= 19; ++d)
        for (int k = 0; k <= 6; ++k) {
            PAARUNGSZEILE z = PAARUNGSZEILEN(d, k);
            keep(z.heimname + z.gastname);
        }
    for (int s = 0; s <= 11; ++s) {
        const PLAYERREC& pl = PLAYER[s];
        const int pass = AKTUPASS(s, pl), vor = AKTUVORLEGEN(s, pl);
        BALLS a = BALLSOF(pl.PASS, pass, 2), b = BALLSOF(pl.VORLEGEN / 2, vor / 2, 4);
        sink = sink + static_cast<std::size_t>(a.stored + a.over + b.stored + b.over + AKTUINDI(s, pl));
        keep(TRANSFERTEXT(s) + ZUSTANDSZEILE(s, pl) + RACEPICTURE(pl.RACE));
        sink = sink + static_cast<std::size_t>(KARTENKOPIE(pl, TEAM).INDI + PENDANTCOLOR(pl.ARTIFAKT));
    }
    TEAM.FARBE1 = static_cast<std::uint8_t>(FARBSTEP(TEAM.FARBE1, TEAM.FARBE2, (size & 1) != 0));
    TEAM.FARBE2 = static_cast<std::uint8_t>(FARBSTEP(TEAM.FARBE2, TEAM.FARBE1, (size & 2) != 0));
    if (TEAM.FARBE1 < 1 || TEAM.FARBE1 > 16 || TEAM.FARBE2 < 1 || TEAM.FARBE2 > 16) __builtin_trap();
    SYMBOLFRAGE(TEAM, GEN, NUMMER, 67, (size & 4) != 0);
    SYMBOLFRAGE(TEAM, GEN, NUMMER, 70, (size & 8) != 0);
    keep(WRITEFTIME(TEAM.TRAINING.KXGESAMT) + WRITEFTIME(static_cast<std::int64_t>(GEN.SEED) * GEN.PRUEF));
    return 0;
}

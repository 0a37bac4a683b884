// Team, general and player records as they arrive from the game master, run
// through the slave market's rules: the lots are read, and each bid or decision
// taken and then taken back must leave the team record, gold included, as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "management/marketrules.h"

using namespace korax;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool same(const TEAMREC& a, const TEAMREC& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TEAMREC t{};
    GENTYPE g{};
    if (size < sizeof t + sizeof g) return 0;
    std::memcpy(&t, data, sizeof t);
    std::memcpy(&g, data + sizeof t, sizeof g);
    data += sizeof t + sizeof g;
    size -= sizeof t + sizeof g;

    // The rest is the player file: whole records, then the operations.
    const std::size_t records = size > 0 ? std::min<std::size_t>(data[0], size / sizeof(PLAYERREC)) : 0;
    const std::uint8_t* file = data + (size > 0 ? 1 : 0);
    const std::size_t filesize = size > 0 ? std::min(records * sizeof(PLAYERREC), size - 1) / sizeof(PLAYERREC) : 0;
    const SKLAVENMARKTDATEN m = SKLAVENDATEN(g, 1 + (t.SAISON & 7), [&](int nr, PLAYERREC& p) {
        if (nr < 1 || static_cast<std::size_t>(nr) > filesize) return false;
        std::memcpy(&p, file + (nr - 1) * sizeof p, sizeof p);
        return true;
    });
    check(m.anzahl >= 0 && m.anzahl <= LOTANZ);
    check(m.sichtbar >= 1 && m.sichtbar <= MAXKARTEN);
    for (int i = 1; i <= LOTANZ; ++i) {
        check(m.lot[i].preis >= 0);
        check(m.lot[i].kreuze >= 0 && m.lot[i].kreuze <= MAXKREUZE);
    }
    const std::size_t used = size > 0 ? 1 + filesize * sizeof(PLAYERREC) : 0;
    data += used;
    size -= used;

    int erste = 0;
    for (std::size_t k = 0; k + 2 < size; k += 3) {
        const int op = data[k] % 4;
        const int a = data[k + 1], b = data[k + 2];
        const TEAMREC saved = t;
        switch (op) {
        case 0: {  // a bid, then Escape, then the old bid again
            const int i = 1 + a % LOTANZ;
            const int preis = m.lot[i].preis;
            if (GEBOTMOEGLICH(t, i, preis) != GEBOTSTAND::FRAGEN) {
                check(same(t, saved));
                break;
            }
            const std::int64_t max = GEBOTMAX(t, i);
            check(max >= preis && max <= MAXGEBOT);
            const std::int64_t n = preis + (b * 131) % (max - preis + 1);
            if (!SETZEGEBOT(t, i, n)) {
                check(same(t, saved));
                break;
            }
            check(t.ANGEBOT[i] == n);
            check(static_cast<std::int64_t>(t.GOLD) ==
                  static_cast<std::int64_t>(saved.GOLD) + saved.ANGEBOT[i] - n);
            const std::int64_t old = saved.ANGEBOT[i];
            if (old < 0 || old > MAXGEBOT) break;
            check(SETZEGEBOT(t, i, 0));
            check(SETZEGEBOT(t, i, old));
            check(same(t, saved));
            break;
        }
        case 1: {  // a new decision on a slot, then taken back
            const int s = 1 + a % 10;
            if (t.TRANSFER[s] != 0) break;
            PLAYERREC p{};
            std::memcpy(&p, &t, std::min(sizeof p, sizeof t));  // any bytes will do
            p.VERFASSUNG = static_cast<std::int8_t>(b);
            const std::int64_t wert = PLAYERWERT(p);
            const int ziel = b % 12 - 1;  // -1 release, 0 offer, 1..10 a team
            bool ok = false;
            if (ziel == -1) ok = FREIGEBEN(t, s, wert);
            else if (ziel == 0) ok = PREISANGEBOT(t, s, 1 + b * 37 % MAXPREISANGEBOT);
            else ok = TRANSFERAN(t, s, ziel, wert);
            if (!ok) {
                check(same(t, saved));
                break;
            }
            const TEAMREC taken = t;
            const STORNOERGEBNIS r = STORNOTRANSFER(t, s, wert);
            if (r == STORNOERGEBNIS::KEINGOLD) {
                // Only a release whose value the gold no longer holds stays.
                check(ziel == -1 && same(t, taken));
                break;
            }
            // An offer's price is cleared when it is taken back, whatever stood
            // there before; everything else, the gold first, is as it was.
            if (ziel == 0) t.TRANSGEBOT[s] = saved.TRANSGEBOT[s];
            check(t.GOLD == saved.GOLD && same(t, saved));
            break;
        }
        case 2: {  // a decision of the data taken back
            const int s = 1 + a % 10;
            const std::int64_t wert = b * 9;
            const int d = t.TRANSFER[s];
            const STORNOERGEBNIS r = STORNOTRANSFER(t, s, wert);
            const std::int64_t moved = static_cast<std::int64_t>(t.GOLD) - saved.GOLD;
            if (r == STORNOERGEBNIS::FREIGABE) check(d == -1 && moved == -wert);
            else if (r == STORNOERGEBNIS::TRANSFER) check(d >= 1 && d <= 10 && moved == TRANSFERGEBUEHR(wert));
            else check(moved == 0);
            if (r == STORNOERGEBNIS::KEINE || r == STORNOERGEBNIS::KEINGOLD) check(same(t, saved));
            else check(t.TRANSFER[s] == 0);
            break;
        }
        default: {  // scrolling stays inside the lots
            bool beep = false;
            erste = (a & 1) ? SCROLLRECHTS(erste, m.sichtbar, beep) : SCROLLLINKS(erste, m.sichtbar, beep);
            check(erste >= 0 && erste + m.sichtbar <= LOTANZ);
            break;
        }
        }
    }
    return 0;
}

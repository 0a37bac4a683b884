// Team and general records as they arrive from the game master, run through the
// booking rules of stadium, advance sale, bank, betting office and training. Any
// fixture, gold, seat count, stake or price must give no sanitizer report, and
// each booking must move the gold by exactly what it booked and be taken back to
// the same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "management/finance.h"

using namespace korax;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

std::int64_t gold(const TEAMREC& t) { return t.GOLD; }

// Gold after adding d, as the 32-bit field keeps it.
std::int32_t wrapped(std::int64_t g, std::int64_t d) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(g + d)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TEAMREC t{};
    GENTYPE g{};
    if (size < sizeof t + sizeof g) return 0;
    std::memcpy(&t, data, sizeof t);
    std::memcpy(&g, data + sizeof t, sizeof g);
    data += sizeof t + sizeof g;
    size -= sizeof t + sizeof g;

    const int day = NEXTSPIELTAG(g);
    check(day >= 0 && day <= 18);
    for (int k = 1; k <= 5; ++k) {
        SPIELPLANTYPE p{};
        if (day) PAARUNG(day, k, p);
        GESPERRT(p, 3, g.PLATZ, g.ABSTIEG);
        const std::int64_t before = gold(t);
        const std::uint8_t had = t.VKAUF[k];
        const auto r = VKAUF(t, 3, k, p, g);
        const std::int64_t price = g.VPREIS[p.HEIM];
        if (r == VKAUFERGEBNIS::GEKAUFT) check(t.GOLD == wrapped(before, -price) && price >= 0 && price <= before);
        else if (r == VKAUFERGEBNIS::ZURUECK) check(t.GOLD == wrapped(before, price) && had == 1);
        else check(gold(t) == before);
    }

    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const int op = data[i] % 8;
        const int arg = data[i + 1];
        const TEAMREC saved = t;
        switch (op) {
        case 0: {  // build seats
            STORNOAUSBAU(t);
            const std::int64_t max = AUSBAULIMIT(t);
            check(max <= INT16_MAX);
            if (max > 0) {
                const std::int64_t n = 1 + arg % max;
                const std::int64_t g0 = gold(t);
                BUCHEAUSBAU(t, n);
                check(t.STADION.ERWEITERUNG == n && t.GOLD == wrapped(g0, -2 * n));
            }
            break;
        }
        case 1: {  // pull down seats
            STORNOAUSBAU(t);
            const std::int64_t max = ABRISSLIMIT(t);
            if (max > 0) {
                const std::int64_t n = 1 + arg % max;
                const std::int64_t g0 = gold(t);
                BUCHEABRISS(t, n);
                check(t.STADION.ERWEITERUNG == -n && t.GOLD == wrapped(g0, n));
                check(t.STADION.SITZPLAETZE + t.STADION.ERWEITERUNG >= MINSITZE);
            }
            break;
        }
        case 2: {  // payment and its reversal
            const int to = 1 + arg % 10;
            if (!UEBERWEISUNGMOEGLICH(t, to)) break;
            STORNOUEBERWEISUNG(t, to);
            const TEAMREC clean = t;
            const std::int64_t n = t.GOLD > 0 ? 1 + arg % t.GOLD : 0;
            BUCHEUEBERWEISUNG(t, to, n);
            check(t.GOLD == wrapped(gold(clean), -n));
            STORNOUEBERWEISUNG(t, to);
            check(std::memcmp(&t, &clean, sizeof t) == 0);
            break;
        }
        case 3: {  // credit or repayment
            if (t.KREDITSUMME == 0) {
                const std::int64_t limit = KREDITLIMIT(t, day, ARR1<PLAYERREC, 1, 10>{}, ARR1<bool, 1, 10>{});
                check(limit == 500 || limit == 1000);
                const std::int64_t g0 = gold(t);
                BUCHEKREDIT(t, 1 + arg % limit, g.ZINSEN);
                check(t.GOLD == wrapped(g0, t.KREDITSUMME));
            } else {
                const std::int64_t r = TILGUNGMAX(t);
                if (r > 0) check(BUCHETILGUNG(t, 1 + arg % r));
            }
            break;
        }
        case 4: {  // a stake, taken back
            const int team = 1 + arg % 10, other = 1 + (arg / 10) % 10;
            if (team == other || WETTVERBOT(t, team, other, 0) != 0) break;
            const std::int64_t max = STORNOWETTE(t, team);
            if (max == 0) {
                check(std::memcmp(&t, &saved, sizeof t) == 0);
                break;
            }
            check(max >= MINWETTE && max <= MAXWETTE && max <= gold(saved) + saved.WETTEN[team]);
            const TEAMREC clean = t;
            BUCHEWETTE(t, team, max);
            check(t.GOLD == wrapped(gold(clean), -max) && t.WETTEN[team] == max);
            STORNOWETTE(t, team);
            check(std::memcmp(&t, &clean, sizeof t) == 0);
            break;
        }
        case 5:
        case 6: {  // training clicks
            NORMWERT(t.TRAINING);
            const int k = 1 + arg % 6;
            if (op == 5) TRAININGPLUS(t.TRAINING, k);
            else TRAININGMINUS(t.TRAINING, k);
            const I16* a = TRAININGAREA(t.TRAINING, k);
            check(*a >= 0 && *a <= TRAININGMAX);
            check(t.GOLD == saved.GOLD);
            break;
        }
        default:
            TRAINERSTIMMUNG(static_cast<std::int16_t>(t.TRAINING.TRAINERERG));
            check(STIMMUNGSKALA(t.STADION.STIMMUNG) >= -4 && STIMMUNGSKALA(t.STADION.STIMMUNG) <= 4);
            check(STANDARDPREIS(t.UNTERKUNFT) <= 100 && STANDARDPREIS(t.VERPFLEGUNG) <= 100);
            break;
        }
    }
    return 0;
}

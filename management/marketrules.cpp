#include "management/marketrules.h"

#include <algorithm>
#include <climits>

namespace korax {

namespace {

bool fits(std::int64_t g) { return g >= INT32_MIN && g <= INT32_MAX; }

bool ligateam(long long t) { return t >= 1 && t <= 10; }

}  // namespace

int KARTENZAHL(int xm1, int xm2) { return std::clamp((xm2 - xm1 - 60) / KARTENBREITE, 1, MAXKARTEN); }

int ASKPREIS(int gebot, const PLAYERREC& p) { return gebot > 0 ? gebot : std::max(0, static_cast<int>(PLAYERWERT(p))); }

SKLAVENMARKTDATEN SKLAVENDATEN(const GENTYPE& g, int sichtbar, const PLAYERLESER& lesen) {
    SKLAVENMARKTDATEN m;
    m.sichtbar = std::clamp(sichtbar, 1, MAXKARTEN);
    for (int i = 1; i <= LOTANZ; ++i) {
        SKLAVENLOT& l = m.lot[i];
        l = SKLAVENLOT{};
        const int nr = g.SKLAVEN[i];
        if (nr <= 0 || !lesen(nr, l.p)) {
            l = SKLAVENLOT{};
            continue;
        }
        l.belegt = true;
        l.nr = nr;
        l.preis = ASKPREIS(g.SKLAVENGEBOT[i], l.p);
        l.team = g.SKLAVENTEAM[i];
        l.kreuze = std::min(static_cast<int>(g.SKLAVENCOUNT[i]) + 1, MAXKREUZE);
        ++m.anzahl;
    }
    return m;
}

int SCROLLRECHTS(int erste, int sichtbar, bool& beep) {
    const int last = std::max(0, LOTANZ - sichtbar);
    beep = erste >= last;
    if (beep) return std::clamp(erste, 0, last);
    return std::min(erste + sichtbar, last);
}

int SCROLLLINKS(int erste, int sichtbar, bool& beep) {
    beep = erste <= 0;
    if (beep) return 0;
    return std::max(erste - sichtbar, 0);
}

// ---- bids -------------------------------------------------------------------------

GEBOTSTAND GEBOTMOEGLICH(const TEAMREC& t, int i, int preis) {
    if (preis <= 0 || !ARR1<I16, 1, 10>::in(i)) return GEBOTSTAND::KEINPREIS;
    return preis <= GEBOTMAX(t, i) ? GEBOTSTAND::FRAGEN : GEBOTSTAND::ZUTEUER;
}

std::int64_t GEBOTMAX(const TEAMREC& t, int i) {
    const std::int64_t frei = static_cast<std::int64_t>(t.GOLD) + t.ANGEBOT[i];
    return std::min<std::int64_t>(frei, MAXGEBOT);
}

bool SETZEGEBOT(TEAMREC& t, int i, std::int64_t n) {
    if (n < 0 || n > MAXGEBOT || !ARR1<I16, 1, 10>::in(i)) return false;
    const std::int64_t g = static_cast<std::int64_t>(t.GOLD) + t.ANGEBOT[i] - n;
    if (!fits(g)) return false;
    t.GOLD = static_cast<std::int32_t>(g);
    t.ANGEBOT[i] = static_cast<std::int16_t>(n);
    return true;
}

// ---- own squad --------------------------------------------------------------------

std::int64_t TRANSFERGEBUEHR(std::int64_t wert) {
    if (wert < 0) return -TRANSFERGEBUEHR(-wert);
    const std::int64_t q = wert / 20, r = wert % 20;
    if (r > 10 || (r == 10 && q % 2 == 1)) return q + 1;
    return q;
}

STORNOERGEBNIS STORNOTRANSFER(TEAMREC& t, int s, std::int64_t wert) {
    if (!ARR1<I16, 1, 10>::in(s)) return STORNOERGEBNIS::KEINE;
    const int d = t.TRANSFER[s];
    if (d == 0) return STORNOERGEBNIS::KEINE;
    if (d == -1) {
        const std::int64_t g = static_cast<std::int64_t>(t.GOLD) - wert;
        if (wert > t.GOLD || !fits(g)) return STORNOERGEBNIS::KEINGOLD;
        t.GOLD = static_cast<std::int32_t>(g);
        t.TRANSFER[s] = 0;
        return STORNOERGEBNIS::FREIGABE;
    }
    if (d <= -2) {
        t.TRANSFER[s] = 0;
        t.TRANSGEBOT[s] = 0;
        return d == -2 ? STORNOERGEBNIS::OFFEN : STORNOERGEBNIS::ANGEBOT;
    }
    if (!ligateam(d)) {
        // A destination outside the league was never booked here.
        t.TRANSFER[s] = 0;
        return STORNOERGEBNIS::UNGUELTIG;
    }
    const std::int64_t g = static_cast<std::int64_t>(t.GOLD) + TRANSFERGEBUEHR(wert);
    if (!fits(g)) return STORNOERGEBNIS::KEINE;
    t.GOLD = static_cast<std::int32_t>(g);
    t.TRANSFER[s] = 0;
    return STORNOERGEBNIS::TRANSFER;
}

bool TRANSFERAN(TEAMREC& t, int s, int team, std::int64_t wert) {
    if (!ARR1<I16, 1, 10>::in(s) || t.TRANSFER[s] != 0 || !ligateam(team)) return false;
    const std::int64_t fee = TRANSFERGEBUEHR(wert);
    const std::int64_t g = static_cast<std::int64_t>(t.GOLD) - fee;
    if (t.GOLD < fee || !fits(g)) return false;
    t.GOLD = static_cast<std::int32_t>(g);
    t.TRANSFER[s] = static_cast<std::int16_t>(team);
    return true;
}

bool FREIGEBEN(TEAMREC& t, int s, std::int64_t wert) {
    if (!ARR1<I16, 1, 10>::in(s) || t.TRANSFER[s] != 0) return false;
    const std::int64_t g = static_cast<std::int64_t>(t.GOLD) + wert;
    if (!fits(g)) return false;
    t.GOLD = static_cast<std::int32_t>(g);
    t.TRANSFER[s] = -1;
    return true;
}

bool PREISANGEBOT(TEAMREC& t, int s, std::int64_t preis) {
    if (!ARR1<I16, 1, 10>::in(s) || t.TRANSFER[s] != 0 || preis < 1 || preis > MAXPREISANGEBOT) return false;
    t.TRANSGEBOT[s] = static_cast<std::int16_t>(preis);
    t.TRANSFER[s] = -3;
    return true;
}

bool ZIELWAHL(unsigned char key, int& ziel) {
    if (key >= '1' && key <= '9') ziel = key - '0';
    else if (key == 'A') ziel = 10;
    else if (key == 'H') ziel = -1;
    else if (key == 'I') ziel = -3;
    else if (key == 'R' || key == 27 || key >= 100) ziel = 0;
    else return false;
    return true;
}

std::string WW10(int n) { return n == 100 ? "max" : std::to_string(n); }

}  // namespace korax

#include "management/finance.h"

#include <algorithm>

namespace korax {

namespace {

bool ligateam(long long team) { return team >= 1 && team <= 10; }

}  // namespace

int NEXTSPIELTAG(const GENTYPE& g) {
    const int turn = g.TURN;
    if (turn < 0 || turn >= 10) return 0;
    // Day 9 of the first half is followed by day 1 of the second (season day 10).
    const int d = (g.HINRUNDE == 1 ? turn : turn + 9) + 1;
    return d <= 18 ? d : 0;
}

bool PAARUNGGUELTIG(const SPIELPLANTYPE& p) { return ligateam(p.HEIM) && ligateam(p.GAST); }

// ---- stadium --------------------------------------------------------------------

std::int64_t AUSBAUSTART(const TEAMREC& t) {
    const std::int64_t e = t.STADION.ERWEITERUNG;
    return e > 0 ? e : 0;
}

std::int64_t ABRISSSTART(const TEAMREC& t) {
    const std::int64_t e = t.STADION.ERWEITERUNG;
    return e < 0 ? -e : 0;
}

void STORNOAUSBAU(TEAMREC& t) {
    const std::int64_t e = t.STADION.ERWEITERUNG;
    if (e > 0) t.GOLD += SITZPREIS * e;
    else if (e < 0) t.GOLD += e;
    t.STADION.ERWEITERUNG = 0;
}

std::int64_t AUSBAULIMIT(const TEAMREC& t) {
    std::int64_t max = MAXSITZE - static_cast<std::int64_t>(t.STADION.SITZPLAETZE);
    // Integer division truncates toward zero as the game's div does.
    max = std::min<std::int64_t>(max, static_cast<std::int64_t>(t.GOLD) / SITZPREIS);
    // A damaged seat count must not let an order wrap the 16-bit order field.
    return std::min<std::int64_t>(max, INT16_MAX);
}

std::int64_t ABRISSLIMIT(const TEAMREC& t) {
    const std::int64_t s = t.STADION.SITZPLAETZE;
    return s > MINSITZE ? s - MINSITZE : 0;
}

void BUCHEAUSBAU(TEAMREC& t, std::int64_t n) {
    if (n <= 0 || n > INT16_MAX) return;
    t.STADION.ERWEITERUNG = static_cast<std::int16_t>(n);
    t.GOLD -= SITZPREIS * n;
}

void BUCHEABRISS(TEAMREC& t, std::int64_t n) {
    if (n <= 0 || n > INT16_MAX) return;
    t.STADION.ERWEITERUNG = static_cast<std::int16_t>(-n);
    t.GOLD += n;
}

int STIMMUNGSKALA(int stimmung) { return std::clamp(stimmung, -4, 4); }

// ---- advance sale ---------------------------------------------------------------

VKAUFERGEBNIS VKAUF(TEAMREC& t, int nummer, int k, const SPIELPLANTYPE& p, const GENTYPE& g) {
    if (k < 1 || k > 5 || !PAARUNGGUELTIG(p)) return VKAUFERGEBNIS::NICHTS;
    if (p.HEIM == nummer || p.GAST == nummer) return VKAUFERGEBNIS::EIGENES;
    const std::int64_t price = g.VPREIS[p.HEIM];
    // A negative price would create gold on buying.
    if (price < 0) return VKAUFERGEBNIS::NICHTS;
    if (t.VKAUF[k] == 1) {
        t.VKAUF[k] = 0;
        t.GOLD += price;
        return VKAUFERGEBNIS::ZURUECK;
    }
    if (price > static_cast<std::int64_t>(t.GOLD)) return VKAUFERGEBNIS::KEINGOLD;
    t.VKAUF[k] = 1;
    t.GOLD -= price;
    return VKAUFERGEBNIS::GEKAUFT;
}

std::int64_t VPREISMAX(int ligafaktor) { return (static_cast<std::int64_t>(ligafaktor) + 1) * 30; }

// ---- bank -----------------------------------------------------------------------

bool UEBERWEISUNGMOEGLICH(const TEAMREC& t, int to) {
    if (!ligateam(to)) return false;
    return static_cast<std::int64_t>(t.GOLD) + t.UEBERWEISUNG[to] > 0;
}

std::int64_t STORNOUEBERWEISUNG(TEAMREC& t, int to) {
    if (!ligateam(to)) return 0;
    const std::int64_t a = t.UEBERWEISUNG[to];
    t.GOLD += a;
    t.UEBERWEISUNG[to] = 0;
    return a;
}

void BUCHEUEBERWEISUNG(TEAMREC& t, int to, std::int64_t n) {
    if (!ligateam(to) || n <= 0 || n > INT32_MAX) return;
    t.UEBERWEISUNG[to] = static_cast<std::int32_t>(n);
    t.GOLD -= n;
}

std::int64_t KREDITLIMIT(const TEAMREC& t, int spieltag, const ARR1<PLAYERREC, 1, 10>& player,
                         const ARR1<bool, 1, 10>& belegt) {
    std::int64_t limit = spieltag < 3 ? 500 : 1000;
    if (spieltag >= 6)
        for (int s = 1; s <= 10; ++s)
            if (belegt[s] && t.TRANSFER[s] == 0) limit += PLAYERWERT(player[s]);
    return limit;
}

void BUCHEKREDIT(TEAMREC& t, std::int64_t n, int zinsen) {
    if (n <= 0 || n > INT32_MAX) return;
    t.KREDITSUMME = static_cast<std::int32_t>(n);
    t.KREDITDAUER = 0;
    t.KREDITZINSEN = static_cast<std::uint8_t>(zinsen);
    t.GOLD += n;
}

std::int64_t TILGUNGMAX(const TEAMREC& t) {
    return std::min<std::int64_t>(t.KREDITSUMME, t.GOLD);
}

bool BUCHETILGUNG(TEAMREC& t, std::int64_t n) {
    if (n <= 0 || n > TILGUNGMAX(t)) return true;
    t.GOLD -= n;
    t.KREDITSUMME -= n;
    if (t.KREDITSUMME == 0) {
        t.KREDITZINSEN = 0;
        t.KREDITDAUER = 0;
    }
    return t.GOLD >= 0;
}

// ---- betting office -------------------------------------------------------------

int GESPERRT(const SPIELPLANTYPE& p, int nummer, int platz, int abstieg) {
    if (!PAARUNGGUELTIG(p)) return 0;
    int opponent = 0;
    std::int64_t odds = 0;
    if (p.HEIM == nummer) {
        opponent = p.GAST;
        odds = p.GWERT;
    } else if (p.GAST == nummer) {
        opponent = p.HEIM;
        odds = p.HWERT;
    } else {
        return 0;
    }
    if (odds < 20 || platz < 11 - abstieg) return opponent;
    return 0;
}

int WETTVERBOT(const TEAMREC& t, int team, int other, int blocked) {
    if (!ligateam(team) || !ligateam(other)) return -1;
    const bool stake = t.WETTEN[team] > 0;
    if (!stake && t.GOLD < MINWETTE) return 290;
    if (!stake && t.WETTEN[other] > 0) return 291;
    if (team == blocked) return 292;
    return 0;
}

std::int64_t STORNOWETTE(TEAMREC& t, int team) {
    if (!ligateam(team)) return 0;
    const std::int64_t stake = t.WETTEN[team];
    const std::int64_t back = static_cast<std::int64_t>(t.GOLD) + stake;
    // Below the smallest stake the dialog would force 10 gold that are not there;
    // gold that no longer fits its field (damaged data) is not touched either.
    if (back > INT32_MAX) return 0;
    const std::int64_t max = std::min<std::int64_t>(back, MAXWETTE);
    if (max < MINWETTE) return 0;
    t.GOLD += stake;
    t.WETTEN[team] = 0;
    return max;
}

void BUCHEWETTE(TEAMREC& t, int team, std::int64_t n) {
    if (!ligateam(team) || n <= 0 || n > MAXWETTE) return;
    t.WETTEN[team] = static_cast<std::int32_t>(n);
    t.GOLD -= n;
}

// ---- training -------------------------------------------------------------------

I16* TRAININGAREA(TRAININGTYPE& tr, int k) {
    switch (k) {
    case 1: return &tr.TECHNIK;
    case 2: return &tr.TAKTIK;
    case 3: return &tr.KRAFT;
    case 4: return &tr.SCHUSS;
    case 5: return &tr.AUSDAUER;
    case 6: return &tr.INTERVALL;
    default: return nullptr;
    }
}

void NORMWERT(TRAININGTYPE& tr) {
    for (int k = 1; k <= 6; ++k) {
        I16& a = *TRAININGAREA(tr, k);
        a = static_cast<std::int16_t>(std::clamp<int>(a, 0, TRAININGMAX));
    }
}

std::int64_t FREIEPUNKTE(const TRAININGTYPE& tr) {
    return static_cast<std::int64_t>(tr.POINTS) - tr.TECHNIK - tr.TAKTIK - tr.KRAFT - tr.SCHUSS - tr.AUSDAUER -
           tr.INTERVALL;
}

int TRAININGPLUS(TRAININGTYPE& tr, int k) {
    I16* a = TRAININGAREA(tr, k);
    if (!a) return 0;
    if (FREIEPUNKTE(tr) <= 0) return 419;
    if (*a < TRAININGMAX) *a += 1;
    return 0;
}

void TRAININGMINUS(TRAININGTYPE& tr, int k) {
    I16* a = TRAININGAREA(tr, k);
    if (a && *a > 0) *a -= 1;
}

STIMMUNGSZEILE TRAINERSTIMMUNG(int erg) {
    if (erg >= -5 && erg <= 5) return {577, 7, "smiley0"};
    if (erg < -50) return {578, 12, "smiley-4"};
    if (erg < -30) return {579, 12, "smiley-3"};
    if (erg < -20) return {580, 12, "smiley-2"};
    if (erg < -5) return {581, 12, "smiley-1"};
    if (erg > 50) return {582, 10, "smiley4"};
    if (erg > 30) return {583, 10, "smiley3"};
    if (erg > 20) return {584, 10, "smiley2"};
    return {585, 10, "smiley1"};
}

int STANDARDPREIS(int s) {
    static constexpr int PRICES[5] = {0, 10, 20, 50, 100};
    return s >= 0 && s <= 4 ? PRICES[s] : -1;
}

}  // namespace korax

#include "management/views.h"

#include <cstdlib>

#include "results/pokal.h"
#include "data/lg.h"
#include "base/types.h"

namespace korax {

namespace {

bool isteam(long long t) { return t >= 1 && t <= 10; }

// Statistics rows run from day 0 to 20; a day outside gives no tendency.
bool statistikday(int d) { return d >= 0 && d <= 20; }

}  // namespace

// ---- league table ----------------------------------------------------------------

std::string TABELLENNAME(std::string_view name, bool profi) {
    std::string n(name.substr(0, 30));
    if (profi) return n;
    if (n.size() > 23) return n.substr(0, 24) + "(A)";
    return n + " (A)";
}

TENDENZ STAERKETENDENZ(int d) {
    if (d > 150) return {"++", 10};
    if (d > 50) return {"+", 10};
    if (d < -150) return {"--", 12};
    if (d < -50) return {"-", 14};
    return {"o", 0};
}

TABELLENZEILE TABELLENZEILEN(int i) {
    TABELLENZEILE z;
    if (i < 1 || i > 10) return z;
    const TABELLENTYPE& r = GEN.TABELLE[i];
    const int t = r.TEAM;
    if (!isteam(t)) return z;
    z.shown = true;
    z.team = t;
    z.name = std::to_string(i) + "." + TABELLENNAME(TEAMNAME[t].str(), TEAMPROFI[t]);
    z.colour = t == NUMMER ? 5 : 14;
    z.mark = LASTDAY && TEAMLIZENZ[t] > 0;
    z.trainer = "(" + TRAINERNAME[t].str() + ")";
    z.won = r.GEWONNEN;
    z.drawn = r.UNENTSCHIEDEN;
    z.lost = r.VERLOREN;
    z.tordiff = (r.TORDIFF > 0 ? "+" : "") + std::to_string(static_cast<int>(r.TORDIFF));
    z.staerke = r.STAERKE;
    const int day = SPIELTAG();
    if (day > 0 && statistikday(day) && statistikday(day - 1)) {
        z.hastendenz = true;
        z.tendenz = STAERKETENDENZ(static_cast<int>(r.STAERKE) - static_cast<int>(GEN.STATISTIK[t][day - 1].STAERKE));
    }
    return z;
}

int TABELLENZONE(int i) {
    const int auf = std::min<int>(GEN.AUFSTIEG, 10);
    const int ab = std::min<int>(GEN.ABSTIEG, 10);
    if (i >= 1 && i <= auf) return 1;
    if (i <= 10 && i > 10 - ab) return -1;
    return 0;
}

// ---- pairings ----------------------------------------------------------------------

int PAARUNGSTAGKEY(unsigned char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key >= 'A' && key <= 'I') return key - 'A' + 10;
    return 0;
}

int PAARUNGSSTART(int tag) {
    if (tag < 1) return 1;
    if (tag > 18) return 18;
    return tag;
}

PFEIL TABTENDENZWERT(int team) {
    PFEIL p;
    const int day = SPIELTAG();
    if (day == 0 || !isteam(team) || !statistikday(day) || !statistikday(day - 1)) return p;
    const int d = GEN.STATISTIK[team][day].TABPLATZ - GEN.STATISTIK[team][day - 1].TABPLATZ;
    if (d < 0) p = {'^', 10};
    else if (d > 0) p = {'v', 12};
    return p;
}

PAARUNGSZEILE PAARUNGSZEILEN(int day, int k) {
    PAARUNGSZEILE z;
    SPIELPLANTYPE f;
    if (!PAARUNG(day, k, f)) return z;
    z.heim = f.HEIM;
    z.gast = f.GAST;
    z.hwert = f.HWERT;
    z.gwert = f.GWERT;
    z.heimda = isteam(z.heim);
    z.gastda = isteam(z.gast);
    if (z.heimda) {
        z.heimname = TEAMNAME[z.heim].str();
        z.heimplatz = TABPLATZ(z.heim);
        z.heimpfeil = TABTENDENZWERT(z.heim);
    }
    if (z.gastda) {
        z.gastname = TEAMNAME[z.gast].str();
        z.gastplatz = TABPLATZ(z.gast);
        z.gastpfeil = TABTENDENZWERT(z.gast);
    }
    return z;
}

// ---- overview and card ---------------------------------------------------------------

int POSITIONOF(int slot) {
    // Never asks with 0: an empty position holds 0 and would be found.
    if (slot < 1 || slot > 10) return 0;
    for (int p = 1; p <= 5; ++p)
        if (TEAM.IMTEAM[p] == slot) return p;
    return 0;
}

int GETSPIELERNUMMER(int row) {
    static constexpr int LINEUP[6] = {0, 3, 4, 5, 1, 2};
    if (row >= 1 && row <= 5) {
        const int s = TEAM.IMTEAM[LINEUP[row]];
        return s >= 1 && s <= 10 && BELEGT[s] ? s : 0;
    }
    if (row < 6 || row > 10) return 0;
    int k = row - 5;
    for (int s = 1; s <= 10; ++s) {
        if (!BELEGT[s] || POSITIONOF(s) > 0) continue;
        if (--k == 0) return s;
    }
    return 0;
}

bool ZEILEOFFEN(int row) {
    const int s = GETSPIELERNUMMER(row);
    return s > 0 && PLAYER[s].VERFASSUNG > 0;
}

int NAECHSTEZEILE(int row, int step) {
    for (int r = row + step; r >= 1 && r <= 10; r += step)
        if (ZEILEOFFEN(r)) return r;
    return 0;
}

std::int16_t AKTUINDI(int slot, const PLAYERREC& p) {
    const int pos = slot > 0 ? POSITIONOF(slot) : 0;
    int v = p.INDI;
    if (pos == 3 || pos == 4) v = static_cast<int>(DIV(p.INDI, 2));
    if (p.INTELLIGENZ >= 60) v = static_cast<int>(DIV(static_cast<std::int64_t>(v) * 6, p.INTELLIGENZ / 10));
    return WRAP16(v);
}

std::int16_t AKTUPASS(int slot, const PLAYERREC& p) {
    int v = p.PASS;
    if (slot > 0 && POSITIONOF(slot) == 5) v += 2;
    const int d = 7 - p.GESCHICKLICHKEIT / 10;
    if (d > 0) v -= d;
    if (p.INDI > 100) v -= static_cast<int>(DIV(AKTUINDI(slot, p) - 100, 33)) + 1;
    if (v < 0) v = 0;
    return WRAP16(v);
}

std::int16_t AKTUVORLEGEN(int, const PLAYERREC& p) {
    int v = p.VORLEGEN;
    if (p.GESCHICKLICHKEIT < 70) {
        v = 0;
    } else {
        const int k = static_cast<int>(DIV(p.INDI, 20));
        if (k > 3) {
            v -= k - 2;
            if (p.INTELLIGENZ >= 80) v += 1;
        }
    }
    if (v < 0) v = 0;
    return WRAP16(v);
}

BALLS BALLSOF(int stored, int effective, int colour) {
    BALLS b;
    if (stored <= 0 || effective > 10) return b;
    b.drawn = true;
    b.stored = std::min(stored, 5);
    b.colour = b.stored == effective ? colour + 8 : colour;
    if (b.stored != effective) {
        b.over = std::max(effective, 0);
        b.overcolour = colour + 8;
    }
    return b;
}

std::string TRANSFERTEXT(int slot) {
    if (slot < 1 || slot > 10 || TEAM.TRANSFER[slot] == 0) return "";
    if (TEAM.TRANSFER[slot] <= -2) return "T" + std::to_string(static_cast<int>(TEAM.TRANSGEBOT[slot]));
    return LASTDAY ? L[20].str() : L[21].str();
}

std::string ZUSTANDSZEILE(int slot, const PLAYERREC& p) {
    if (p.VERFASSUNG <= 0) return L[44].str();
    if (SPIELTAG() == POKALTAG && p.ORGTEAM > 0 && p.DAYSIMTEAM <= 3) return L[576].str();
    if (slot >= 1 && slot <= 10 && TEAM.TRANSFER[slot] != 0) {
        if (TEAM.TRANSFER[slot] <= -2) return L[45].str() + ": " + std::to_string(static_cast<int>(TEAM.TRANSGEBOT[slot]));
        return LASTDAY ? L[46].str() : L[47].str();
    }
    return "";
}

bool INDISICHTBAR(const TEAMREC& t) {
    return t.ERFAHRUNG >= 2 && t.ERFCODE == static_cast<std::uint8_t>(t.ERFAHRUNG ^ ERFMASK);
}

PLAYERREC KARTENKOPIE(const PLAYERREC& p, const TEAMREC& t) {
    PLAYERREC c = p;
    if (!INDISICHTBAR(t)) c.INDI = -1;
    return c;
}

std::string RACEPICTURE(int race) {
    // Both looks of a race share its picture.
    if (race < 1 || race > 10) return "";
    static const char* const NAMES[5] = {"ih", "ib", "is", "im", "ie"};
    return NAMES[(race + 1) / 2 - 1];
}

// ---- team data ---------------------------------------------------------------------

int FARBSTEP(int v, int partner, bool down) {
    if (down) {
        if (v < 1 || v > 16) {
            v = 16;
        } else {
            --v;
            if (v == partner && v > 0) --v;
            if (v < 1) v = 16;
        }
        if (v == partner) --v;
    } else {
        ++v;
        if (v == partner) ++v;
        if (v >= 16) v = 1;
        if (v == partner) ++v;
    }
    return v;
}

void SYMBOLFRAGE(TEAMREC& t, const GENTYPE& g, int nummer, int code, bool yes) {
    const bool own = nummer >= 1 && nummer <= 10;
    if (code == 67) {
        if (!own) return;
        // The version byte wraps, as the record keeps it.
        t.SYMBOLVER[nummer] = static_cast<std::uint8_t>(yes ? g.TSYMVER[nummer] + 1 : g.TSYMVER[nummer]);
        return;
    }
    if (code != 70) return;
    // A new own emblem asked for with code 67 stays asked for either way.
    const bool pending = own && t.SYMBOLVER[nummer] != g.TSYMVER[nummer];
    for (int i = 1; i <= 10; ++i) {
        if (i == nummer && pending) continue;
        t.SYMBOLVER[i] = yes ? 0 : g.TSYMVER[i];
    }
}

std::string WRITEFTIME(std::int64_t t) {
    // s = 2t seconds; worked on the magnitude so that no value can overflow.
    const bool negative = t < 0;
    const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(t) : static_cast<std::uint64_t>(t);
    const std::uint64_t hours = a / 1800;
    const std::uint64_t rest = (a % 1800) * 2;
    auto two = [](std::uint64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return (negative ? "-" : "") + two(hours) + ":" + two(rest / 60) + "." + two(rest % 60);
}

int COMPUTERSTEP(int mode) { return mode >= 0 && mode < 2 ? mode + 1 : 0; }

}  // namespace korax

#include "management/formation.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/types.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "platform/dospath.h"

namespace korax {

int XS1 = 0, XS2 = 1000, YS1 = 0, YS2 = 600;

void SETSPIELFELD(int xm1, int xm2, int ym2) {
    XS1 = xm1 + 5;
    XS2 = xm2 - 55;
    YS1 = 137;
    YS2 = ym2 - 125;
}

double SCALEX() { return (XS2 - XS1) / 1000.0; }
double SCALEY() { return (YS2 - YS1) / 600.0; }

int TOSCREENX(int x) { return XS1 + static_cast<int>(ROUND(x * SCALEX())); }
int TOSCREENY(int y) { return YS1 + static_cast<int>(ROUND(y * SCALEY())); }

int TOPITCHX(int px) {
    const double s = SCALEX();
    return s > 0 ? static_cast<int>(ROUND((px - XS1) / s)) : 0;
}

int TOPITCHY(int py) {
    const double s = SCALEY();
    return s > 0 ? static_cast<int>(ROUND((py - YS1) / s)) : 0;
}

int CLAMPEDSCREENX(int x) { return std::clamp(TOSCREENX(std::clamp(x, -1000000, 1000000)), XS1, XS2); }
int CLAMPEDSCREENY(int y) { return std::clamp(TOSCREENY(std::clamp(y, -1000000, 1000000)), YS1, YS2); }

std::string NUMBERSTR(int p) {
    switch (p) {
    case 1: return "S1";
    case 2: return "S2";
    case 3: return "A1";
    case 4: return "A2";
    case 5: return "M ";
    default: return " ";
    }
}

ARR1<TAKTIKTYPE, 1, 5>& TACTICS(TEAMREC& t, bool sparr) { return sparr ? t.SPARRTAKTIK : t.TAKTIK; }

bool PLACED(const TAKTIKTYPE& t) { return t.NORMALX > 0; }

bool TIEDCODE(const TAKTIKTYPE& t, std::string& code) {
    if (t.NORMALX > 0) return false;
    // A negative place is neither placed nor tied; its box shows no code.
    code = t.NORMALX == 0 && t.NORMALY >= 1 && t.NORMALY <= 5 ? NUMBERSTR(t.NORMALY) : "";
    return true;
}

int SPARRRACE(int nr) { return nr >= 1 && nr <= 5 ? nr : 3; }

std::string RACENAME(int race) {
    static const char* const names[5] = {"Hurtin", "Bogon", "Spider", "Marvin", "Eciton"};
    return race >= 1 && race <= 5 ? names[race - 1] : "";
}

int SLOTON(const TEAMREC& t, int p) {
    const int s = t.IMTEAM[p];
    return s >= 1 && s <= 10 ? s : 0;
}

int POSITIONOFSLOT(const TEAMREC& t, int slot) {
    if (slot < 1 || slot > 10) return 0;
    for (int p = 1; p <= 5; ++p)
        if (SLOTON(t, p) == slot) return p;
    return 0;
}

bool POSIOK(const TEAMREC& t, bool sparr, int pos, int px, int py) {
    if (!(px - 32 > XS1 && px + 32 < XS2 && py - 32 > YS1 && py + 32 < YS2)) return false;
    const int x = TOPITCHX(px), y = TOPITCHY(py);
    return sparr ? TESTSPARRPOSI(t, pos, x, y) : TESTPOSI(t, pos, x, y);
}

std::vector<int> TIETARGETS(int pos) {
    if (pos == 1 || pos == 2) return {3, 4, 5};
    if (pos == 3 || pos == 4) return {1, 2, 3};
    if (pos == 5) return {1, 2, 3, 4, 5};
    return {};
}

bool TIEALLOWED(int pos, int k) {
    if (k < 1 || k > 5 || pos < 1 || pos > 5) return false;
    if ((pos == 3 || pos == 4) && (k == 3 || k == 4)) return false;
    if ((pos == 1 || pos == 2) && (k == 1 || k == 2)) return false;
    return true;
}

bool POSICHECK(TEAMREC& t, bool sparr, int pos, const DROP& d) {
    if (pos < 1 || pos > 5) return false;
    TAKTIKTYPE& tk = TACTICS(t, sparr)[pos];
    switch (d.kind) {
    case DROPKIND::ESCAPE: return false;
    case DROPKIND::TARGET:
        if (!TIEALLOWED(pos, d.target)) return false;
        tk.NORMALX = 0;
        tk.NORMALY = static_cast<std::int16_t>(d.target);
        return true;
    case DROPKIND::POINT:
        if (d.px < XS1 || d.px > XS2 || d.py < YS1 || d.py > YS2) return false;
        if (!POSIOK(t, sparr, pos, d.px, d.py)) return false;
        tk.NORMALX = static_cast<std::int16_t>(TOPITCHX(d.px));
        tk.NORMALY = static_cast<std::int16_t>(TOPITCHY(d.py));
        return true;
    }
    return false;
}

bool ISCLICK(int x0, int y0, int x, int y) { return std::abs(x - x0) <= CLICKSLOP && std::abs(y - y0) <= CLICKSLOP; }

int ASSIGNCHECK(const TEAMREC& t, int slot, bool lastday) {
    if (slot < 1 || slot > 10 || !BELEGT[slot]) return -1;
    if (POSITIONOFSLOT(t, slot) > 0) return 67;
    if (t.TRANSFER[slot] != 0 && !lastday) return 68;
    return 0;
}

void ASSIGN(TEAMREC& t, bool sparr, int slot, int pos) {
    if (pos < 1 || pos > 5) return;
    if (sparr) t.SPARRTAKTIK[pos].NR = static_cast<std::int16_t>(slot);
    else t.IMTEAM[pos] = static_cast<std::uint8_t>(slot);
}

void EXCHANGE(TEAMREC& t, bool sparr, int a, int b) {
    if (a < 1 || a > 5 || b < 1 || b > 5 || a == b) return;
    if (sparr) {
        const std::int16_t n = t.SPARRTAKTIK[a].NR;
        t.SPARRTAKTIK[a].NR = t.SPARRTAKTIK[b].NR;
        t.SPARRTAKTIK[b].NR = n;
    } else {
        std::swap(t.IMTEAM.v[a - 1], t.IMTEAM.v[b - 1]);
    }
}

void SELECT(SELECTION& s, int n) {
    s.old = s.sel;
    s.sel = n;
}

void AFTERACTION(SELECTION& s) {
    if (s.sel == s.old) s.sel = s.old = 0;
}

int SELECTIONOFKEY(int key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key >= 'A' && key <= 'F') return key - 'A' + 10;
    return 0;
}

bool SCHEMAFROMBYTES(std::string_view bytes, bool sparr, TEAMREC& t) {
    auto& tk = TACTICS(t, sparr);
    for (int p = 1; p <= 5; ++p) {
        const std::size_t at = (p - 1) * sizeof(TAKTIKTYPE);
        if (bytes.size() < at + sizeof(TAKTIKTYPE)) return false;
        const std::int16_t nr = tk[p].NR;
        std::memcpy(&tk[p], bytes.data() + at, sizeof(TAKTIKTYPE));
        if (sparr) {
            tk[p].NR = nr;
            tk[p].EINSATZ = static_cast<std::uint8_t>(LIGAFAKTOR());
        }
    }
    return true;
}

std::string SCHEMABYTES(const TEAMREC& t, bool sparr) {
    const auto& tk = sparr ? t.SPARRTAKTIK : t.TAKTIK;
    std::string b;
    for (int p = 1; p <= 5; ++p) b += RECORDBYTES(tk[p]);
    return b;
}

bool LOADSCHEMA(const std::string& name, bool sparr) {
    std::ifstream f(HOSTPATH(name), std::ios::binary);
    if (!f) return false;
    // Only the five records matter; a longer file is read no further.
    std::string b(SCHEMASIZE, '\0');
    f.read(b.data(), static_cast<std::streamsize>(b.size()));
    b.resize(static_cast<std::size_t>(std::max<std::streamsize>(f.gcount(), 0)));
    return SCHEMAFROMBYTES(b, sparr, TEAM);
}

namespace {

bool endswithsch(std::string_view name) {
    if (name.size() < 4) return false;
    std::string e(name.substr(name.size() - 4));
    for (auto& c : e) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return e == ".SCH";
}

}  // namespace

bool SAVESCHEMA(const std::string& name, bool sparr) {
    if (name.empty()) return false;
    // A typed name such as KORAX.INI must never overwrite a file of the program.
    if (FILECHECK(name) && !endswithsch(name)) return false;
    try {
        REWRITEFILE(name, SCHEMABYTES(TEAM, sparr));
    } catch (const FatalError&) {
        return false;
    }
    return true;
}

int PARSEMATCHHEAD(std::string_view bytes, MATCHHEAD& h) {
    if (bytes.size() < 6) return HEADSHORT;
    std::int16_t v;
    std::memcpy(&v, bytes.data() + 4, 2);
    if (v > 1000 || v < 0) return HEADVERSION;
    if (bytes.size() < MATCHHEADSIZE) return HEADSHORT;
    h.version = v;
    std::size_t at = 6;
    for (auto& t : h.team) {
        std::memcpy(&t, bytes.data() + at, sizeof t);
        at += sizeof t;
    }
    for (auto& p : h.player) {
        std::memcpy(&p, bytes.data() + at, sizeof p);
        at += sizeof p;
    }
    return 0;
}

void IMPORTSIDE(const MATCHHEAD& h, int side, bool sparr, TEAMREC& t) {
    if (side < 0 || side > 1) return;
    const TEAMREC& from = h.team[static_cast<std::size_t>(side)];
    for (int p = 1; p <= 5; ++p) {
        if (!sparr) {
            t.TAKTIK[p] = from.TAKTIK[p];
            continue;
        }
        t.SPARRTAKTIK[p] = from.TAKTIK[p];
        const int race = h.player[static_cast<std::size_t>(side * 5 + p - 1)].RACE;
        t.SPARRTAKTIK[p].NR = static_cast<std::int16_t>(SPARRRACE(static_cast<int>(DIV(race + 1, 2))));
        t.SPARRTAKTIK[p].EINSATZ = static_cast<std::uint8_t>(LIGAFAKTOR());
    }
}

}  // namespace korax

// The tips file, the counting of the tips that hold, and the actions of the tips.
#include <fstream>

#include "adviser/adviser.h"
#include "adviser/bparser.h"
#include "adviser/hugo_internal.h"
#include "data/artefakt.h"
#include "data/g_general.h"
#include "platform/dospath.h"
#include "data/lg.h"
#include "base/types.h"
#include "ui/dialogs.h"

namespace korax {

ARR1<std::uint8_t, 100, 199> TIPS{};
ARR1<bool, 100, 199> TIPSCHECK{};
std::uint16_t TIPANZAHL = 0;
std::vector<TIPBLOCK> TIPBLOCKS;

namespace {

// A tips file is a short text written by hand; more than this is not read.
constexpr std::streamsize MAXTIPSFILE = 1 << 20;
constexpr std::size_t MAXBEDINGUNG = 80;

std::string gross(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

// "[ccc]..." with three digits: the code; -1 for a header line that is no number;
// 0 for a line that is no header.
int kopfcode(std::string_view line) {
    if (line.size() < 5 || line[0] != '[') return 0;
    int code = 0;
    for (int i = 1; i <= 3; ++i) {
        char c = line[static_cast<std::size_t>(i)];
        if (c < '0' || c > '9') return -1;
        code = code * 10 + (c - '0');
    }
    return code;
}

std::string tipsdatei() { return "HUGI." + LEXT.str(); }

std::string lies_tipsdatei() {
    std::ifstream in(HOSTPATH(tipsdatei()), std::ios::binary);
    if (!in) return {};
    // Sized to the file: a megabyte cleared at every start costs more than the tips.
    in.seekg(0, std::ios::end);
    std::streamsize size = in.tellg();
    in.clear();
    in.seekg(0);
    if (size < 0 || size > MAXTIPSFILE) size = MAXTIPSFILE;
    std::string data(static_cast<std::size_t>(size), '\0');
    in.read(data.data(), size);
    // Whatever could be read counts; a failing read ends the file there.
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

std::string wert(long long v) { return W(v, 1); }

// "1" when the advertising offer w (an index into GEN.WERBUNG) runs out or is not held.
std::string werbung_frei(int w) {
    if (w < 1 || w > 10) return "0";
    const WERBREC& r = GEN.WERBUNG[w];
    return (r.DAUER <= 1 || r.TEAM == 0) ? "1" : "0";
}

// Reads a whole number after "=": digits with an optional sign, nothing else.
bool ganze_zahl(std::string_view s, long long& out) {
    std::size_t i = 0;
    bool minus = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) minus = s[i++] == '-';
    if (i == s.size() || s.size() - i > 12) return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    out = minus ? -v : v;
    return true;
}

// F=: the next free offer from the league's place on, and the free one after it.
bool werbung_nehmen() {
    const int start = ((GEN.PLATZ - 1) % 10 + 10) % 10 + 1;
    int erste = 0, zweite = 0;
    for (int k = 0; k < 10; ++k) {
        int w = (start - 1 + k) % 10 + 1;
        if (GEN.WERBUNG[w].TEAM != 0) continue;
        if (erste == 0) erste = w;
        else if (zweite == 0) zweite = w;
    }
    if (erste == 0) return false;
    if (TEAM.WERB1 == erste && TEAM.WERB2 == zweite) return false;
    TEAM.WERB1 = static_cast<std::uint8_t>(erste);
    TEAM.WERB2 = static_cast<std::uint8_t>(zweite);
    return true;
}

// T=: the waiting artefact goes to the first slot that may take it.
bool artefakt_geben() {
    // A pendant the slot code cannot hold stays on the altar, as in the temple.
    if (ALTARCODE(TEAM) == 0) return false;
    for (int s = 1; s <= 10; ++s) {
        if (!TAKESARTEFAKT(TEAM, s)) continue;
        PLAYER[s].ARTIFAKT = TEAM.ARTEFAKT;
        PLAYER[s].ARTLEVEL = TEAM.ARTLEVEL;
        TEAM.ARTPLAYER[s] = static_cast<std::uint8_t>(ALTARCODE(TEAM));
        TEAM.ARTEFAKT = 0;
        TEAM.ARTLEVEL = 0;
        TEAM.ARTPRUEF = CHECKARTEFAKTE(TEAM);
        return true;
    }
    return false;
}

}  // namespace

std::vector<TIPBLOCK> READTIPSTEXT(std::string_view text) {
    std::vector<TIPBLOCK> blocks;
    enum { NICHTS, BEDINGUNG, TEXT, AKTION } stand = NICHTS;
    TIPBLOCK b;
    auto fertig = [&] {
        if (stand != NICHTS && stand != BEDINGUNG) blocks.push_back(b);
        stand = NICHTS;
    };
    for (const TEXTLINE& tl : SPLITLINES(text)) {
        std::string_view line = tl.text;
        if (int code = kopfcode(line)) {
            if (code < 0) continue;
            fertig();
            // Codes outside the menu codes have no screen to stand on.
            if (code < 100 || code > 199) continue;
            b = TIPBLOCK{};
            b.code = code;
            stand = BEDINGUNG;
            continue;
        }
        switch (stand) {
            case NICHTS: break;
            case BEDINGUNG: {
                std::size_t p = gross(line).find("@IF");
                if (p == std::string::npos) break;
                b.condition = p + 4 <= line.size() ? std::string(line.substr(p + 4)) : std::string();
                stand = TEXT;
                break;
            }
            case TEXT:
                if (line.find('@') == std::string_view::npos) b.lines.emplace_back(line);
                else stand = AKTION;
                break;
            case AKTION:
                b.action = std::string(line);
                blocks.push_back(b);
                stand = NICHTS;
                break;
        }
    }
    fertig();
    return blocks;
}

std::vector<TIPVARIABLE> TIPVARIABLEN() {
    int spieler = 0;
    bool werbung = false;
    for (int i = 1; i <= 10; ++i) {
        if (TEAM.PLAYERS[i] > 0) ++spieler;
        if (GEN.WERBUNG[i].TEAM == NUMMER) werbung = true;
    }
    return {
        {1, wert(TEAM.UNTERKUNFT)},
        {2, wert(TEAM.VERPFLEGUNG)},
        {6, TEAM.WERB1 == 0 ? "0" : werbung_frei(TEAM.WERB1)},
        {7, wert(TEAM.GOLD)},
        {19, TEAM.WERB2 == 0 ? "0" : werbung_frei(TEAM.WERB2)},
        {20, TEAM.ARTEFAKT != 0 ? "1" : "0"},
        {23, werbung ? "1" : "0"},
        {24, wert(spieler)},
    };
}

bool CHECKPARSER(int, std::string condition) {
    NORMTEXT(condition);
    // Cut short, "g > 10000" would read "g > 10": too long counts false.
    if (condition.size() > MAXBEDINGUNG) return false;
    int pos = 0, art = 0;
    std::string norm = CONVERTFUNKTION(condition, pos, art);
    bool ja = false;
    if (pos == -1) {
        TFUNKTION baum = BAUEBAUM(norm, pos, art);
        if (baum) {
            for (const auto& v : TIPVARIABLEN()) SETVARIABLE(v.nr, v.text, 'N');
            double r = BERECHNE(baum);
            ja = RUNTIMEERROR == 0 && r != 0;
        }
        DELETETREE(baum);
    }
    DELETEVARIABLEN();
    return ja;
}

void LESETIPS() {
    for (auto& t : TIPS) t = 0;
    for (auto&& c : TIPSCHECK) c = false;
    TIPANZAHL = 0;
    TIPBLOCKS.clear();
    if (!LASTDAY) {
        TIPBLOCKS = READTIPSTEXT(lies_tipsdatei());
        for (const auto& b : TIPBLOCKS) {
            TIPSCHECK[b.code] = true;
            if (!CHECKPARSER(b.code, b.condition)) continue;
            if (TIPS[b.code] < 255) TIPS[b.code] = static_cast<std::uint8_t>(TIPS[b.code] + 1);
            if (TIPANZAHL < 65535) ++TIPANZAHL;
        }
    }
    // Also on the last match day, so that no count of before stays on the button.
    TIPSBUTTON();
}

const TIPBLOCK* AKTUTIP(int nr) {
    for (const auto& b : TIPBLOCKS)
        if (b.code == nr && CHECKPARSER(nr, b.condition)) return &b;
    return nullptr;
}

bool TIP(int nr) { return TIPS.in(nr) && TIPS[nr] > 0; }

void TIPSCREEN(int nr) { HUGO = TIP(nr) ? 1 : 0; }

void TIPCHANGED(int nr) {
    if (TIPSCHECK.in(nr) && TIPSCHECK[nr]) LESETIPS();
}

bool SETPARSER(int nr, std::string action) {
    NORMTEXT(action);
    if (action.size() < 3) return false;
    char was = action[0];
    if (was >= 'a' && was <= 'z') was = static_cast<char>(was - 32);
    std::size_t i = 1;
    while (i < action.size() && action[i] == ' ') ++i;
    if (i >= action.size() || action[i] != '=') return false;
    ++i;
    while (i < action.size() && action[i] == ' ') ++i;
    long long n = 0;
    if (i >= action.size() || !ganze_zahl(std::string_view(action).substr(i), n)) return false;
    bool geaendert = false;
    switch (was) {
        case 'A':
            if (nr == 0 && n >= 0 && n <= 4 && TEAM.UNTERKUNFT != n) {
                TEAM.UNTERKUNFT = static_cast<std::int16_t>(n);
                geaendert = true;
            }
            break;
        case 'B':
            if (nr == 0 && n >= 0 && n <= 4 && TEAM.VERPFLEGUNG != n) {
                TEAM.VERPFLEGUNG = static_cast<std::uint8_t>(n);
                geaendert = true;
            }
            break;
        case 'F': geaendert = werbung_nehmen(); break;
        case 'T': geaendert = nr == 0 && artefakt_geben(); break;
        default: break;
    }
    if (geaendert) WRITETEAM(NUMMER, TEAM);
    return geaendert;
}

}  // namespace korax

#include "management/statbuild.h"

#include <algorithm>
#include <utility>

#include "base/types.h"
#include "data/lg.h"
#include "ui/frames.h"

namespace korax {

namespace {

bool isteam(long long t) { return t >= 1 && t <= 10; }

// Floor division by a positive divisor.
std::int64_t floordiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}

}  // namespace

// ---- charts ------------------------------------------------------------------------

int CHARTLASTDAY(int spieltag) {
    if (spieltag < 0) return -1;
    return std::min(spieltag, 20);
}

std::vector<CHARTLINE> CHARTLINES(const GENTYPE& g, const std::array<int, 11>& colours, int spieltag, int kind) {
    std::vector<CHARTLINE> out;
    const int last = CHARTLASTDAY(spieltag);
    for (int t = 1; t <= 10; ++t) {
        if (colours[static_cast<std::size_t>(t)] <= 0) continue;
        CHARTLINE line;
        line.team = t;
        line.colour = colours[static_cast<std::size_t>(t)];
        std::vector<CHARTPOINT> run;
        for (int d = 0; d <= last; ++d) {
            const STATISTIKTYPE& s = g.STATISTIK[t][d];
            const int v = kind == 2 ? static_cast<int>(s.TABPLATZ) : static_cast<int>(s.STAERKE);
            if (kind == 2 && !isteam(v)) {
                // A place outside the table breaks the line instead of leaving the chart.
                if (!run.empty()) line.runs.push_back(std::move(run));
                run.clear();
                continue;
            }
            run.push_back({d, v});
        }
        if (!run.empty()) line.runs.push_back(std::move(run));
        out.push_back(std::move(line));
    }
    return out;
}

CHARTRANGE STAERKERANGE(const GENTYPE& g, const std::array<int, 11>& colours, int spieltag) {
    CHARTRANGE r{3000, 1000};
    const int last = CHARTLASTDAY(spieltag);
    for (int t = 1; t <= 10; ++t) {
        if (colours[static_cast<std::size_t>(t)] <= 0) continue;
        for (int d = 0; d <= last; ++d) {
            const int s = g.STATISTIK[t][d].STAERKE;
            r.lo = std::min(r.lo, s);
            r.hi = std::max(r.hi, s);
        }
    }
    // Rounded down also below zero, so no line falls under the frame.
    r.lo = static_cast<int>(floordiv(r.lo, 50) * 50);
    if (r.hi <= r.lo) r.hi = r.lo + 50;
    return r;
}

PIXEL CHARTPIXEL(const CHARTBOX& b, int kind, int lo, int hi, CHARTPOINT p) {
    const int days = std::max(b.days, 1);
    const std::int64_t w = b.x2 - b.x1, h = b.y2 - b.y1;
    PIXEL px;
    px.x = b.x1 + static_cast<int>(w * std::clamp(p.day, 0, days) / days);
    std::int64_t y;
    if (kind == 2) {
        y = b.y1 + h * (std::int64_t{p.value} - 1) / 9;
    } else {
        const std::int64_t span = std::max<std::int64_t>(std::int64_t{hi} - lo, 1);
        y = b.y2 - h * (std::int64_t{p.value} - lo) / span;
    }
    px.y = static_cast<int>(std::clamp<std::int64_t>(y, b.y1, b.y2));
    return px;
}

// ---- fair play --------------------------------------------------------------------

std::array<int, 10> FAIRPLAYORDER(const ARR1<std::int16_t, 1, 10>& brutal) {
    std::array<int, 11> f{};
    for (int i = 1; i <= 10; ++i) f[static_cast<std::size_t>(i)] = i;
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= 10; ++j)
            if (brutal[f[static_cast<std::size_t>(j)]] < brutal[f[static_cast<std::size_t>(i)]])
                std::swap(f[static_cast<std::size_t>(i)], f[static_cast<std::size_t>(j)]);
    std::array<int, 10> out{};
    for (int i = 1; i <= 10; ++i) out[static_cast<std::size_t>(i - 1)] = f[static_cast<std::size_t>(i)];
    return out;
}

std::int64_t BRUTALSCHNITT(std::int64_t brutal, int spieltag) {
    if (spieltag <= 0) return 0;
    const std::int64_t n = brutal * 10, d = spieltag;
    std::int64_t q = floordiv(n, d);
    const std::int64_t r2 = 2 * (n - q * d);
    if (r2 > d || (r2 == d && (q & 1) != 0)) ++q;
    return q;
}

FAIRPLAYZEILE FAIRPLAYZEILEN(int rank) {
    FAIRPLAYZEILE z;
    if (rank < 1 || rank > 10) return z;
    const int t = FAIRPLAYORDER(TEAMBRUTAL)[static_cast<std::size_t>(rank - 1)];
    z.team = t;
    z.rank = std::to_string(rank) + ". ";
    z.name = TEAMNAME[t].str();
    z.own = t == NUMMER;
    z.platz = "(" + std::to_string(TABPLATZ(t)) + ")";
    z.schnitt = W10(BRUTALSCHNITT(TEAMBRUTAL[t], SPIELTAG()));
    z.gesamt = std::to_string(TEAMBRUTALL[t]);
    return z;
}

// ---- top scorers -------------------------------------------------------------------

SCORERZEILE SCORERZEILEN(int i) {
    SCORERZEILE z;
    if (i < 1 || i > 10) return z;
    const TORSCHUETZENTYPE& s = GEN.TORSCHUETZEN[i];
    // Team 0 and race 0 is the ordinary start of a season: an empty row.
    if (!isteam(s.TEAM) || !isteam(s.RASSE)) return z;
    z.shown = true;
    z.rank = std::to_string(i) + ". ";
    z.name = s.NAME.str();
    z.colour = s.TEAM == NUMMER ? 5 : 15;
    z.race = GETRACENAME(s.RASSE).str();
    z.team = TEAMNAME[s.TEAM].str();
    z.tore = s.TORE;
    return z;
}

// ---- history ------------------------------------------------------------------------

HISZEILE HISTORIEZEILE(std::string_view line) {
    HISZEILE z;
    const std::size_t at = line.find("Saison");
    if (at != std::string_view::npos && at < 5) {
        z.art = HISART::HEADING;
        z.text = std::string(line);
    } else if (line.substr(0, 4) == ">>> " || line.substr(0, 4) == "*** ") {
        z.art = HISART::HIGHLIGHT;
        z.text = std::string(line.substr(4));
    } else {
        z.text = std::string(line);
    }
    return z;
}

int HISSCROLL(int first, int step, int anzahl) {
    const int top = std::max(anzahl, 1);
    return std::clamp(first + step, 1, top);
}

void HISPUSH(HISRING& r, std::string_view line) {
    ++r.total;
    if (r.lines.size() < HISMAX) {
        r.lines.emplace_back(line);
        return;
    }
    r.lines[r.next].assign(line);
    r.next = (r.next + 1) % HISMAX;
}

std::vector<std::string> HISLINES(HISRING& r) {
    std::rotate(r.lines.begin(), r.lines.begin() + static_cast<std::ptrdiff_t>(r.next), r.lines.end());
    r.next = 0;
    return std::move(r.lines);
}

// ---- season end ------------------------------------------------------------------

int HALTESLOT(unsigned char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key == 'A') return 10;
    return 0;
}

bool HALTEOFFEN(int slot) { return slot >= 1 && slot <= 10 && BELEGT[slot] && PLAYER[slot].VERFASSUNG > 0; }

std::string HALTEPREISTEXT(std::int64_t price) {
    if (price < 10000) return "T" + std::to_string(price);
    return std::to_string(price);
}

HALTEN HALTETOGGLE(TEAMREC& t, int slot) {
    if (slot < 1 || slot > 10) return HALTEN::NICHTS;
    const std::int64_t price = t.TRANSGEBOT[slot];
    const std::int64_t gold = t.GOLD;
    if (t.TRANSFER[slot] == 1) {
        t.TRANSFER[slot] = 0;
        t.GOLD = WRAP32(gold + price);
        return HALTEN::ZURUECK;
    }
    // Only a keep mark was paid for; any other decision gives no gold back.
    if (t.TRANSFER[slot] != 0) return HALTEN::NICHTS;
    if (price > gold) return HALTEN::ZUTEUER;
    t.TRANSFER[slot] = 1;
    t.GOLD = WRAP32(gold - price);
    return HALTEN::GENOMMEN;
}

std::string HALTEMELDUNG(std::string_view name) {
    return L[83].str() + "/" + L[84].str() + " " + NOLINEBREAKS(name);
}

}  // namespace korax

// Statistics (114): table-place and strength charts, fair-play table, top scorers.
#include <algorithm>
#include <array>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/screens.h"
#include "management/statbuild.h"
#include "management/stats.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_STATISTIK = 114;
constexpr int TABTOP = 95, TABBOTTOM = 127;
constexpr int PANELTOP = 140;
constexpr int LEGENDWIDTH = 200;
constexpr int CHARTCOLOUR = 0;
constexpr int GRIDCOLOUR = 8;

// Tab n (1..4): window n, its title and header text.
struct TAB {
    int title;
    int header;
};
constexpr TAB TABS[5] = {{0, 0}, {284, 278}, {285, 536}, {286, 275}, {287, 276}};

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

std::array<int, 11> shown_colours() {
    std::array<int, 11> c{};
    for (int t = 1; t <= 10; ++t) c[static_cast<std::size_t>(t)] = TEAMCOLOR[static_cast<std::size_t>(t)];
    return c;
}

CHARTBOX chartbox() {
    CHARTBOX b;
    b.x1 = XM1 + 70;
    b.y1 = PANELTOP + 30;
    b.x2 = XM2 - LEGENDWIDTH - 20;
    b.y2 = YM2 - 60;
    b.days = std::max(18, CHARTLASTDAY(SPIELTAG()));
    return b;
}

void tabs(int current) {
    const int w = (XM2 - XM1 - 40) / 4;
    for (int n = 1; n <= 4; ++n) {
        const int x = XM1 + 20 + (n - 1) * w;
        FENSTER(n, x, TABTOP, x + w - 8, TABBOTTOM, L[TABS[n].title].str(), -1, n == current ? 14 : 7);
    }
}

void fairplay() {
    const int x1 = XM1 + 30, top = PANELTOP + 30;
    const int cplatz = XMC + 40, cschnitt = XMC + 110, cgesamt = XMC + 240;
    HINTERGRUND(XM1 + 20, PANELTOP, XM2 - 20, top + 11 * 30 + 10, 8);
    DEFAULTTEXT2();
    text(x1, top, 14, "Team");
    text(cschnitt, top, 14, L[280].str() + "(/) ");
    text(cgesamt, top, 14, L[281].str());
    for (int r = 1; r <= 10; ++r) {
        const FAIRPLAYZEILE z = FAIRPLAYZEILEN(r);
        const int y = top + r * 30;
        text(x1, y, 7, z.rank);
        text(x1 + 50, y, z.own ? 14 : 15, z.name);
        text(cplatz, y, 7, z.platz);
        text(cschnitt, y, 15, z.schnitt);
        text(cgesamt, y, 15, z.gesamt);
    }
    DEFAULTTEXT();
}

void scorers() {
    const int x1 = XM1 + 30, top = PANELTOP + 30;
    const int cname = x1 + 80, crace = XMC - 90, cteam = XMC + 20, ctore = XM2 - 90;
    // A mid panel: the race's dark blue and the own players' magenta stay readable.
    HINTERGRUND(XM1 + 20, PANELTOP, XM2 - 20, top + 20 + 10 * 15 + 20, 3);
    DEFAULTTEXT();
    text(x1, top, 14, L[7].str());
    text(cname, top, 14, L[282].str());
    text(crace, top, 14, L[283].str());
    text(cteam, top, 14, "Team ");
    text(ctore, top, 14, L[15].str());
    for (int i = 1; i <= 10; ++i) {
        const SCORERZEILE z = SCORERZEILEN(i);
        if (!z.shown) continue;
        const int y = top + 10 + i * 15;
        text(x1, y, 14, z.rank);
        text(cname, y, z.colour, z.name);
        text(crace, y, 1, z.race);
        text(cteam, y, 15, z.team);
        text(ctore, y, 15, std::to_string(z.tore));
    }
}

void AUFBAU(int tab) {
    CLEAROBERFLAECHE();
    HEADER(L[TABS[tab].header].str());
    tabs(tab);
    if (tab == 1) {
        RASTER(1, 18, 2);
    } else if (tab == 2) {
        const CHARTRANGE r = STAERKERANGE(GEN, shown_colours(), SPIELTAG());
        RASTER(r.lo, r.hi, 1);
    } else if (tab == 3) {
        fairplay();
    } else {
        scorers();
    }
}

}  // namespace

void RASTER(int lo, int hi, int kind) {
    const CHARTBOX b = chartbox();
    HINTERGRUND(XM1 + 20, PANELTOP, XM2 - 20, YM2 - 10, CHARTCOLOUR);
    DEFAULTTEXT();
    // Grid: a column per match day, a row per place or per strength step.
    ESETLINESTYLE(0, 0, 1);
    ESETCOLOR(GRIDCOLOUR);
    for (int d = 0; d <= b.days; ++d) {
        const PIXEL p = CHARTPIXEL(b, kind, lo, hi, {d, lo});
        ELINE(p.x, b.y1, p.x, b.y2);
        ESETTEXTJUSTIFY(CENTERTEXT, TOPTEXT);
        text(p.x, b.y2 + 8, 7, std::to_string(d));
        ESETCOLOR(GRIDCOLOUR);
    }
    ESETTEXTJUSTIFY(RIGHTTEXT, CENTERTEXT);
    if (kind == 2) {
        for (int place = 1; place <= 10; ++place) {
            const PIXEL p = CHARTPIXEL(b, kind, lo, hi, {0, place});
            ESETCOLOR(GRIDCOLOUR);
            ELINE(b.x1, p.y, b.x2, p.y);
            text(b.x1 - 8, p.y, 7, std::to_string(place) + ".");
        }
    } else {
        const int steps = 5;
        for (int k = 0; k <= steps; ++k) {
            const int v = static_cast<int>(lo + (static_cast<long long>(hi) - lo) * k / steps);
            const PIXEL p = CHARTPIXEL(b, kind, lo, hi, {0, v});
            ESETCOLOR(GRIDCOLOUR);
            ELINE(b.x1, p.y, b.x2, p.y);
            text(b.x1 - 8, p.y, 7, std::to_string(v));
        }
    }
    ESETCOLOR(15);
    ERECTANGLE(b.x1, b.y1, b.x2, b.y2);
    ESETTEXTJUSTIFY(LEFTTEXT, TOPTEXT);
    text(b.x1, b.y2 + 26, 7, L[11].str());

    // Lines, and the legend in the same colours.
    const auto lines = CHARTLINES(GEN, shown_colours(), SPIELTAG(), kind);
    ESETLINESTYLE(0, 0, 3);
    for (const CHARTLINE& l : lines) {
        ESETCOLOR(l.colour);
        for (const auto& run : l.runs) {
            PIXEL from = CHARTPIXEL(b, kind, lo, hi, run.front());
            if (run.size() == 1) ECIRCLEFILL(from.x, from.y, 3, l.colour);
            ESETCOLOR(l.colour);
            for (std::size_t k = 1; k < run.size(); ++k) {
                const PIXEL to = CHARTPIXEL(b, kind, lo, hi, run[k]);
                ELINE(from.x, from.y, to.x, to.y);
                from = to;
            }
        }
    }
    ESETLINESTYLE(0, 0, 1);
    int y = b.y1;
    for (const CHARTLINE& l : lines) {
        ESETFILLSTYLE(1, l.colour);
        EBAR(b.x2 + 24, y + 4, b.x2 + 40, y + 10);
        text(b.x2 + 48, y, l.colour, TEAMNAME[l.team].str().substr(0, 17));
        y += 22;
    }
    DEFAULTTEXT();
}

void STATISTIK() {
    TIPSCREEN(SCREEN_STATISTIK);
    if (GEN.TURN == 0) {
        CLEAROBERFLAECHE();
        HEADER(L[SCREEN_STATISTIK].str());
        MELDUNG(L[SCREEN_STATISTIK].str() + L[279].str());
        return;
    }
    int tab = 1;
    AUFBAU(tab);
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(SCREEN_STATISTIK);
            AUFBAU(tab);
        } else if (KEY >= '1' && KEY <= '4') {
            tab = KEY - '0';
            AUFBAU(tab);
        }
    }
}

}  // namespace korax

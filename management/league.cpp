// League table (105) and pairings (106).
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "management/screens.h"
#include "management/views.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int ROWH = 48;
constexpr int PANELCOLOUR = 7;

int tabletop() { return 130; }

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

// Columns of the table, right of the names: each stands under its word of the
// header, wherever the font puts that word.
const char* const HEAD = "Punkte  G   U   V   Tore";
struct COLUMNS {
    int punkte, g, u, v, tore, staerke, tendenz;
};
COLUMNS columns() {
    const int x = XM2 - 360;
    auto at = [x](int chars) { return x + ETEXTWIDTH(std::string(HEAD, static_cast<std::size_t>(chars))); };
    const int tore = at(20);
    return {x, at(8), at(12), at(16), tore, tore + 60, tore + 130};
}

void tabelle_aufbau() {
    CLEAROBERFLAECHE();
    HEADER(L[105].str());
    const int x1 = XM1 + 20, x2 = XM2 - 20, top = tabletop();
    HINTERGRUND(x1, top - 34, x2, top + 10 * ROWH + 6, PANELCOLOUR);
    for (int i = 1; i <= 10; ++i) {
        int zone = TABELLENZONE(i);
        if (zone == 0) continue;
        // A coloured band and frame keep every text colour of the row readable.
        const int c = zone > 0 ? 10 : 12, y1 = top + (i - 1) * ROWH + 2, y2 = top + i * ROWH - 2;
        ESETFILLSTYLE(1, c);
        EBAR(x1 + 2, y1, x1 + 8, y2);
        ESETCOLOR(c);
        ERECTANGLE(x1 + 2, y1, x2 - 2, y2);
        ERECTANGLE(x1 + 3, y1 + 1, x2 - 3, y2 - 1);
    }
    ESETFILLSTYLE(1, PANELCOLOUR);
    DEFAULTTEXT2();
    DEFAULTTEXT2();
    const COLUMNS c = columns();
    std::string head = HEAD;
    if (XMODE > 0) head += "  " + L[277].str();
    text(c.punkte, top - 16, 15, head);
    for (int i = 1; i <= 10; ++i) {
        const TABELLENZEILE z = TABELLENZEILEN(i);
        if (!z.shown) continue;
        const int y = top + (i - 1) * ROWH + 14;
        text(x1 + 12, y, z.colour, z.name);
        if (z.mark) {
            const int w = ETEXTWIDTH(z.name);
            text(x1 + 16 + w, y, 10, std::string(1, static_cast<char>(251)));
        }
        text(x1 + 36, y + 18, 15, z.trainer);
        text(c.punkte, y, 15, std::to_string(3 * z.won + z.drawn));
        text(c.g, y, 15, std::to_string(z.won));
        text(c.u, y, 15, std::to_string(z.drawn));
        text(c.v, y, 15, std::to_string(z.lost));
        text(c.tore, y, 15, z.tordiff);
        text(c.staerke, y, 15, "(" + std::to_string(z.staerke) + ")");
        if (z.hastendenz) text(c.tendenz, y, z.tendenz.colour, z.tendenz.text);
    }
    DEFAULTTEXT();
}

// ---- pairings ----

int paarungstag = 1;

void paarung_tage() {
    // The day selector: one field per match day, windows 1..18.
    const int w = (XM2 - XM1 - 40) / 18;
    for (int d = 1; d <= 18; ++d) {
        const int x = XM1 + 20 + (d - 1) * w;
        FENSTER(d, x, YM2 - 70, x + w - 6, YM2 - 30, "", -3, d == paarungstag ? 14 : 7);
        ESETCOLOR(0);
        CENTERTEXTSTYLE();
        EOUTTEXTXY(x + (w - 6) / 2, YM2 - 50, std::to_string(d));
    }
    DEFAULTTEXT();
}

void team_side(int x, int y, bool da, int team, const std::string& name, int platz, PFEIL pfeil) {
    if (!da) return;
    text(x, y, team == NUMMER ? 14 : 15, name);
    const std::string p = std::to_string(platz) + ".";
    text(x, y + 20, 7, p);
    if (pfeil.c) text(x + ETEXTWIDTH(p) + 6, y + 20, pfeil.colour, std::string(1, pfeil.c));
    ESETCOLOR(8);
}

void paarung_aufbau() {
    CLEAROBERFLAECHE();
    HEADER(L[106].str());
    const int x1 = XM1 + 20, x2 = XM2 - 20;
    HINTERGRUND(x1, 100, x2, 150, 1);
    DEFAULTTEXT2();
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    text(XMC, 125, 14, std::to_string(paarungstag) + ". " + L[106].str());
    DEFAULTTEXT2();
    const int top = 170, h = 80;
    for (int k = 1; k <= 5; ++k) {
        const int y = top + (k - 1) * h;
        HINTERGRUND(x1, y, x2, y + h - 12, 8);
        DEFAULTTEXT2();
        const PAARUNGSZEILE z = PAARUNGSZEILEN(paarungstag, k);
        team_side(x1 + 16, y + 18, z.heimda, z.heim, z.heimname, z.heimplatz, z.heimpfeil);
        team_side(XMC + 60, y + 18, z.gastda, z.gast, z.gastname, z.gastplatz, z.gastpfeil);
        if (z.heimda && z.gastda) {
            ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
            text(XMC + 20, y + 28, 15, std::to_string(z.hwert) + " : " + std::to_string(z.gwert));
        }
    }
    paarung_tage();
}

}  // namespace

void TABTENDENZ(int team) {
    const PFEIL p = TABTENDENZWERT(team);
    if (p.c) {
        ESETCOLOR(p.colour);
        EOUTTEXT(std::string(1, p.c));
    }
    if (SPIELTAG() != 0) ESETCOLOR(8);
}

// The loop every screen of this unit runs: true when the screen is left.
bool SCREENLEFT() {
    if (KEY == 27 || KEY == 'R' || KEY >= 100) {
        // "R" leaves the screen like Escape; in the menu loop it would end the program.
        if (KEY == 'R') KEY = 27;
        return true;
    }
    return false;
}

void TABELLE() {
    TIPSCREEN(105);
    tabelle_aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(105);
            tabelle_aufbau();
        }
    }
}

void SPIELPAARUNG() {
    TIPSCREEN(106);
    paarungstag = PAARUNGSSTART(TAG);
    paarung_aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(106);
            paarung_aufbau();
        } else if (int d = PAARUNGSTAGKEY(KEY); d > 0) {
            paarungstag = d;
            paarung_aufbau();
        }
    }
}

}  // namespace korax

#include "management/zoomplayer.h"

#include <algorithm>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "management/pendant.h"
#include "management/views.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "data/lg.h"
#include "base/types.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

PLAYERREC ONEPLAYER{};

namespace {

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

void bar(int x1, int y1, int x2, int y2, int colour) {
    if (x2 < x1) return;
    ESETFILLSTYLE(1, colour);
    EBAR(x1, y1, x2, y2);
}

// Attribute rows of the card: stored value, value after motivation, row colour.
struct ATTRIBUT {
    int label;
    int stored;
    int motivated;
    int colour;
};

constexpr int CHARTMAX = 300;  // 3 pixels a point up to 100; longer bars are clipped

void chart(int x0, int y0, const PLAYERREC& p, const PLAYERREC& m, int prozent) {
    for (int k = 0; k <= 10; ++k) {
        const int x = x0 + 120 + 30 * k;
        ESETCOLOR(7);
        ELINE(x, y0 - 12, x, y0 + 7 * 22 - 8);
        ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
        text(x, y0 - 22, 7, W10(k * 10));
        DEFAULTTEXT2();
    }
    const ATTRIBUT rows[7] = {
        {29, p.INTELLIGENZ, m.INTELLIGENZ, 5},
        {30, p.SCHNELLIGKEIT, m.SCHNELLIGKEIT, 4},
        {31, p.AUSDAUER, m.AUSDAUER, 3},
        {32, p.KOERPERKRAFT, m.KOERPERKRAFT, 1},
        {33, p.GESCHICKLICHKEIT, m.GESCHICKLICHKEIT, 2},
        {34, p.MOTIVATION, p.MOTIVATION, 6},
        {35, p.VERFASSUNG, p.VERFASSUNG, 7},
    };
    for (int r = 0; r < 7; ++r) {
        const ATTRIBUT& a = rows[r];
        const int y = y0 + r * 22;
        const int hi = EHIGHCOLOR(a.colour);
        text(x0, y, hi, L[a.label].str());
        const int xb = x0 + 120;
        const int stored = std::clamp(a.stored * 3, 0, CHARTMAX);
        const int mot = std::clamp(a.motivated * 3, 0, CHARTMAX);
        bar(xb + 2, y - 4, xb + stored + 1, y + 8, 0);  // shadow
        if (prozent < 100) {
            bar(xb, y - 6, xb + stored - 1, y + 6, a.colour);
            bar(xb, y - 6, xb + mot - 1, y + 6, hi);
        } else {
            bar(xb, y - 6, xb + stored - 1, y + 6, hi);
        }
        std::string v = W10(a.stored);
        if (r < 5 && a.motivated < a.stored) v += " (" + W10(a.motivated) + ")";
        text(x0 + 430, y, 15, v);
        if (r == 5 && prozent < 100) text(x0 + 430 + ETEXTWIDTH(v) + 12, y, 12, std::to_string(prozent) + "%");
    }
}

}  // namespace

void RACEBILD(int race, int x, int y) {
    const std::string pic = RACEPICTURE(race);
    if (pic.empty()) return;
    SHOWPCX(x, y, JOINPATH(KXPATH, pic + ".pcx"));
}

void BALLANZEIGE(int x, int y, int stored, int effective, int colour) {
    const BALLS b = BALLSOF(stored, effective, colour);
    if (!b.drawn) return;
    for (int i = 0; i < b.stored; ++i) ECIRCLEFILL(x + 10 * i, y, 3, b.colour);
    for (int i = 0; i < b.over; ++i) ECIRCLEFILL(x + 10 * i, y, 3, b.overcolour);
}

void ZOOMPLAYER(int nr, int top, int bottom, int mode, const std::string& title) {
    if (nr < 0 || nr > 10) return;
    if (top == 0) top = 132;
    if (bottom == 0) bottom = YM2 - 20;
    while (LEFTBUTTON()) DELAY(10);
    const PLAYERREC p = nr == 0 ? KARTENKOPIE(ONEPLAYER, TEAM) : PLAYER[nr];
    PLAYERREC m;
    std::int16_t prozent = 100;
    SETMOTIPLAYER(p, m, prozent);
    EHIDEMOUSE();
    HINTERGRUND(XM1 + 3, top, XM2 - 5, bottom, 8);
    DEFAULTTEXT2();
    const int x0 = XM1 + 20;
    text(x0, top + 16, 15, p.NAME.str());
    chart(x0, top + 64, p, m, prozent);

    // Race and artefact on the right.
    const int xr = XM2 - 140;
    RACEBILD(p.RACE, xr, top + 30);
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    text(xr + 48, top + 140, 15, GETRACENAME(p.RACE).str());
    DEFAULTTEXT2();
    if (p.ARTIFAKT > 0) {
        int c1 = 0, c2 = 0;
        std::string name;
        READPENDANT(p.ARTIFAKT, c1, c2, name);
        const int ya = top + 250;
        text(xr - 60, ya, 14, L[49].str() + ":");
        text(xr - 60, ya + 20, 15, name);
        text(xr - 60, ya + 40, 15, "Level " + std::to_string(p.ARTLEVEL));
        SHOWICON(ARTICON, xr + 60, ya + 56, false);
        ECIRCLEFILL(xr + 40, ya + 72, 6, PENDANTCOLOR(p.ARTIFAKT));
    }

    // Value, position, season and goals, orders, state.
    int y = top + 64 + 7 * 22 + 16;
    PLAYERREC full = p;
    full.MOTIVATION = 100;
    full.VERFASSUNG = 100;
    text(x0, y, 15, L[36].str() + ": $" + std::to_string(PLAYERWERT(p)) + " (max.$" + std::to_string(PLAYERWERT(full)) + ")");
    y += 22;
    if (prozent < 100) {
        text(x0, y, 15, L[37].str() + ": " + std::to_string(prozent) + "% - $" + std::to_string(PLAYERWERT(m)));
        y += 22;
    }
    const int pos = nr > 0 ? POSITIONOF(nr) : 0;
    if (pos == 1 || pos == 2) text(x0, y, 15, L[38].str() + " " + std::to_string(pos));
    else if (pos == 3 || pos == 4) text(x0, y, 15, L[39].str() + " " + std::to_string(pos - 2));
    else if (pos == 5) text(x0, y, 15, L[40].str());
    if (pos > 0) y += 22;
    text(x0, y, 15, std::to_string(static_cast<int>(p.SAISON)) + ".te Saison");
    text(x0 + 200, y, 15, L[17].str() + " " + std::to_string(static_cast<int>(p.TORE)));
    y += 30;
    text(x0, y, 14, L[41].str() + ":");
    const int xo = x0 + 140;
    if (p.INDI >= 0) {
        bar(xo, y - 4, xo + 99, y + 4, 7);
        bar(xo, y - 4, xo + std::min(p.INDI / 2, 100) - 1, y - 1, 5);
        if (nr > 0) bar(xo, y + 1, xo + std::clamp(AKTUINDI(nr, p) / 2, 0, 100) - 1, y + 4, 13);
    } else {
        text(xo, y, 15, L[293].str());
    }
    y += 22;
    if (p.GESCHICKLICHKEIT >= 40 && p.PASS > 0) {
        text(x0, y, 2, L[42].str() + ":");
        BALLANZEIGE(xo + 4, y, p.PASS, AKTUPASS(nr, p), 2);
        y += 22;
    }
    if (p.GESCHICKLICHKEIT >= 70 && p.VORLEGEN > 0) {
        text(x0, y, 4, L[43].str() + ":");
        BALLANZEIGE(xo + 4, y, p.VORLEGEN / 2, AKTUVORLEGEN(nr, p) / 2, 4);
        y += 22;
    }
    const std::string state = ZUSTANDSZEILE(nr, p);
    if (!state.empty()) text(x0, y + 8, 12, state);

    if (mode == 1) {
        FENSTER(11, XM1 + 120, 95, XM2 - 120, 124, title, -1);
        FENSTER(12, XM1 + 20, 95, XM1 + 110, 124, "<<-", -1);
        FENSTER(13, XM2 - 110, 95, XM2 - 20, 124, "->>", -1);
    } else if (mode == 2) {
        FENSTER(20, XM1 + 20, 95, XM2 - 20, 124, title, -1);
    }
    DEFAULTTEXT();
    ESHOWMOUSE();
}

void ICONLEISTE(int a, int b, bool moti) {
    EHIDEMOUSE();
    for (int slot = 1; slot <= 10; ++slot) {
        if (a != 0 && slot != a && slot != b) continue;
        const int col = (slot - 1) % 5, x = XM1 + 7 + 153 * col;
        const int y = slot <= 5 ? YM2 - 115 : YM2 - 57;
        FENSTER(slot, x, y, x + 138, y + 50, "", -3, 7);
        if (!BELEGT[slot]) continue;
        const PLAYERREC& p = PLAYER[slot];
        SHOWICON(ICON[slot], x + 3, y + 9, false);
        const int pos = POSITIONOF(slot);
        DEFAULTTEXT2();
        if (pos > 0) SHOWNUMBER(pos, x + 36, y + 9, 15);
        if (p.ARTIFAKT > 0) {
            ECIRCLEFILL(x + 42, y + 25, 4, PENDANTCOLOR(p.ARTIFAKT));
            if (a == 0 && b == -1) {
                ESETCOLOR(14);
                ECIRCLE(x + 42, y + 25, 6);
            }
        }
        text(x + 50, y + 9, pos > 0 ? 15 : 8, p.NAME.str());
        PLAYERREC m = p;
        std::int16_t prozent = 100;
        if (moti) SETMOTIPLAYER(p, m, prozent);
        text(x + 50, y + 24, 0, "$" + std::to_string(PLAYERWERT(m)));
        const std::string t = TRANSFERTEXT(slot);
        std::string right;
        int rightcolour = 12;
        if (!t.empty()) right = TEAM.TRANSFER[slot] <= -2 ? t : (LASTDAY ? L[58].str() : L[59].str());
        else if (p.VERFASSUNG <= 0) right = L[16].str();
        else if (moti && prozent < 100) right = std::to_string(prozent) + "%", rightcolour = 4;
        if (!right.empty()) {
            ESETTEXTJUSTIFY(RIGHTTEXT, CENTERTEXT);
            text(x + 135, y + 24, rightcolour, right);
        }
        if (p.VERFASSUNG > 0) {
            // One bar a attribute, a pixel a point, on a grid of 10-pixel steps.
            const int gx = x + 38, gy = y + 34;
            ESETCOLOR(8);
            for (int k = 0; k <= 90; k += 10) ELINE(gx + k, gy - 1, gx + k, gy + 13);
            const int values[7] = {p.INTELLIGENZ, p.SCHNELLIGKEIT, p.AUSDAUER, p.KOERPERKRAFT, p.GESCHICKLICHKEIT,
                                   p.MOTIVATION, p.VERFASSUNG};
            const int vc = p.VERFASSUNG >= 50 ? 15 : p.VERFASSUNG >= 30 ? 14 : 4;
            const int colours[7] = {5, 4, 11, 1, 10, 8, vc};
            for (int k = 0; k < 7; ++k) bar(gx, gy + 2 * k, gx + std::clamp(values[k], 0, 98) - 1, gy + 2 * k, colours[k]);
        }
        DEFAULTTEXT2();
    }
    DEFAULTTEXT();
    ESHOWMOUSE();
}

}  // namespace korax

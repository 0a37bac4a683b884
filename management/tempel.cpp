// Temple (125): the pendant on the altar is dragged onto a player, a player's
// pendant onto another player or back onto the altar. Every move is written at
// once; the check value of the distribution is brought up to date on leaving.
#include "management/tempel.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/artefakt.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "management/mscreen.h"
#include "management/pendant.h"
#include "management/screens.h"
#include "management/zoomplayer.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

ARTBROWSER ARTBROWSERSTART(const TEAMREC& t) {
    ARTBROWSER b;
    b.type = t.ARTEFAKT >= 1 && t.ARTEFAKT <= 6 ? t.ARTEFAKT : 0;
    b.level = std::min<int>(t.ARTLEVEL, 8);
    return b;
}

bool ARTBROWSERSTEP(ARTBROWSER& b, char key) {
    switch (key) {
        case 'F': b.level = std::max(b.level - 1, 0); return true;
        case 'G': b.level = std::min(b.level + 1, 8); return true;
        case 'H': b.type = b.type <= 1 ? 6 : b.type - 1; return true;
        case 'I': b.type = b.type >= 6 || b.type < 1 ? 1 : b.type + 1; return true;
        default: return false;
    }
}

int ARTTYPETEXT(int type) { return type >= 1 && type <= 6 ? 340 + 10 * (type - 1) : 330; }

int ARTLEVELTEXT(int type, int level) {
    if (type < 1 || type > 6 || level < 1 || level > 9) return 0;
    return 340 + 10 * (type - 1) + level;
}

namespace {

constexpr int RING = 16;
constexpr int TOP = 110;

struct TEMPELSTATE {
    ARTBROWSER browser;
    int selected = 0;  // selected window (1..11), 0 none
    bool card = false;
};
TEMPELSTATE S;

int altarx1() { return XM1 + 10; }
int altarx2() { return XM1 + 230; }
int bottom() { return YM2 - 130; }

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

void smalltext() {
    ESETTEXTSTYLE(4, 0, 1);
    ESETTEXTJUSTIFY(LEFTTEXT, CENTERTEXT);
}

void altar() {
    const int x1 = altarx1(), x2 = altarx2(), y2 = bottom();
    FENSTER(ARTALTAR, x1, TOP, x2, y2, "", -1);
    PICTURE(x1 + 10, TOP + 10, "altar.pcx");
    if (TEAM.ARTEFAKT == 0) return;
    int c1 = 0, c2 = 0;
    std::string name;
    READPENDANT(TEAM.ARTEFAKT, c1, c2, name);
    DEFAULTTEXT2();
    text(x1 + 10, TOP + 270, 15, L[49].str() + ":");
    text(x1 + 10, TOP + 290, 14, name);
    text(x1 + 10, TOP + 310, 15, "LEVEL " + std::to_string(TEAM.ARTLEVEL));
    SHOWICON(ARTICON, (x1 + x2) / 2 - 16, TOP + 330, false);
    const int dauer = ARTLEVELDAUER(TEAM.ARTLEVEL);
    if (TEAM.ARTDAUER > 0 && dauer >= 0) {
        smalltext();
        text(x1 + 10, TOP + 385, 11, std::to_string(TEAM.ARTDAUER) + " " + L[50].str() + " " + std::to_string(dauer));
    }
    ESETCOLOR(14);
    ERECTANGLE(x1 + 5, TOP + 5, x2 - 5, y2 - 5);
    DEFAULTTEXT();
}

void browser() {
    const int x1 = altarx2() + 10, x2 = XM2 - 10, y2 = bottom();
    const ARTBROWSER& b = S.browser;
    EHIDEMOUSE();
    FELD3D(x1, TOP, x2, y2, 0, 0);
    FENSTER(17, x1 + 10, TOP + 10, x1 + 40, TOP + 40, "<", -1);
    FENSTER(18, x1 + 50, TOP + 10, x1 + 80, TOP + 40, ">", -1);
    FENSTER(15, x1 + 90, TOP + 10, x1 + 120, TOP + 40, "^", -1);
    FENSTER(16, x1 + 130, TOP + 10, x1 + 160, TOP + 40, "v", -1);
    ECIRCLEFILL(x1 + 185, TOP + 25, 9, PENDANTCOLOR(b.type));
    smalltext();
    text(x1 + 10, TOP + 60, 15, L[ARTTYPETEXT(b.type)].str());
    if (b.type >= 1) {
        const bool own = b.type == TEAM.ARTEFAKT;
        for (int l = 1; l <= 9; ++l) {
            const int colour = own && l == TEAM.ARTLEVEL ? 12 : own ? 7 : 8;
            text(x1 + 10, TOP + 80 + 22 * l, colour, "L" + std::to_string(l) + ": " + L[ARTLEVELTEXT(b.type, l)].str());
        }
        const int colour = TEAM.ARTEFAKT != 0 && b.level == TEAM.ARTLEVEL ? 4 : 15;
        text(x1 + 10, TOP + 330, colour,
             "Level " + std::to_string(b.level) + " -> " + std::to_string(b.level + 1) + ": " +
                 NUMSTR(L[334].str(), (b.level + 1) * 100));
        text(x1 + 10, TOP + 352, colour, L[401 + b.level].str());
    }
    DEFAULTTEXT();
    ESHOWMOUSE();
}

void aufbau() {
    EHIDEMOUSE();
    CLEAROBERFLAECHE();
    HEADER(L[125].str());
    REFRESHFENSTER();
    S.card = false;
    altar();
    browser();
    ICONLEISTE(0, -1, true);
    if (S.selected > 0) SETRAHMEN(S.selected, true);
    ESHOWMOUSE();
}

void select(int n) {
    if (S.selected > 0) SETRAHMEN(S.selected, false);
    S.selected = S.selected == n ? 0 : n;
    if (S.selected > 0) SETRAHMEN(S.selected, true);
}

// The cursor over window w while a pendant from window from is dragged: where it
// may be dropped, where the drop would be refused, and elsewhere.
void dragcursor(int from, int w) {
    if (!ARTDROPTARGET(BELEGT, from, w)) {
        ESETDRAGMOUSE();
        return;
    }
    TEAMREC t = TEAM;
    ARR1<PLAYERREC, 1, 10> p = PLAYER;
    if (ARTMOVE(t, p, BELEGT, from, w).moved) ESETPOSMOUSE();
    else ESETSTOPMOUSE();
}

// A ring follows the mouse while the left button is held; the screen under it is
// put back at every step. Answers the click window it was let go over.
int drag(int from) {
    std::vector<std::uint8_t> under;
    int x = MOUSEX, y = MOUSEY;
    auto show = [&] {
        EGETIMAGE(x - RING - 2, y - RING - 2, x + RING + 2, y + RING + 2, under);
        ESETCOLOR(14);
        ECIRCLE(x, y, RING);
        ECIRCLE(x, y, RING - 1);
    };
    EHIDEMOUSE();
    show();
    dragcursor(from, KLICKHIT(x, y));
    while (LEFTBUTTON()) {
        int b = 0, mx = 0, my = 0;
        EMOUSESTAT(b, mx, my);
        if (mx != x || my != y) {
            EPUTIMAGE(x - RING - 2, y - RING - 2, under, 0);
            x = mx;
            y = my;
            show();
            dragcursor(from, KLICKHIT(x, y));
        }
        DELAY(10);
    }
    EPUTIMAGE(x - RING - 2, y - RING - 2, under, 0);
    ESETSMOUSE();
    ESHOWMOUSE();
    return KLICKHIT(x, y);
}

void playericons(int from, int to) {
    for (int s = 1; s <= 10; ++s)
        if (BELEGT[s]) CHANGEICON(ICON[s], from, to);
}

// Handles a press of the left button on window n; true when the team changed.
bool press(int n) {
    if (n == ARTALTAR && S.selected != ARTALTAR && TEAM.ARTEFAKT != 0 && TEAM.ARTDAUER > 0) {
        // Taking a pendant that is still growing costs its time on the altar.
        while (LEFTBUTTON()) DELAY(10);
        select(n);
        MELDUNG(L[506].str() + "/" + L[507].str());
        return false;
    }
    if (!ARTDRAGSTART(TEAM, BELEGT, n)) {
        while (LEFTBUTTON()) DELAY(10);
        select(n);
        return false;
    }
    const int to = drag(n);
    if (to == n) {
        select(n);
        return false;
    }
    if (!ARTDROPTARGET(BELEGT, n, to)) return false;
    BEEP(to == ARTALTAR ? 2 : 1);
    const ARTMOVERESULT r = ARTMOVE(TEAM, PLAYER, BELEGT, n, to);
    if (r.refusal != 0) {
        MELDUNG(L[r.refusal].str());
        return false;
    }
    if (!r.moved) return false;
    WRITETEAM(NUMMER, TEAM);
    if (n == ARTALTAR || to == ARTALTAR) S.browser = ARTBROWSERSTART(TEAM);
    S.selected = 0;
    aufbau();
    return true;
}

}  // namespace

void TEMPEL() {
    TIPSCREEN(125);
    S = TEMPELSTATE{};
    S.browser = ARTBROWSERSTART(TEAM);
    bool changed = false;
    // Black drawn as 251 keeps the icons whole on the coloured windows; put back on leaving.
    playericons(0, 251);
    DRAGDROP = true;
    aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') {
            DRAGDROP = false;
            HELP(125);
            DRAGDROP = true;
            aufbau();
        } else if (S.card) {
            if (KEY == 'K') aufbau();
        } else if (ARTBROWSERSTEP(S.browser, KEY)) {
            while (LEFTBUTTON()) DELAY(10);
            browser();
        } else {
            const int n = (KEY >= '1' && KEY <= '9') ? KEY - '0' : KEY == 'A' ? 10 : KEY == 'B' ? ARTALTAR : 0;
            if (n > 0 && RB && n <= 10 && BELEGT[n]) {
                while (RIGHTBUTTON()) DELAY(10);
                REFRESHFENSTER();
                ZOOMPLAYER(n, 0, 0, 2, L[335].str());
                S.card = true;
            } else if (n > 0 && LB) {
                changed = press(n) || changed;
            } else if (n > 0) {
                select(n);
            }
        }
        DELAY(100);
    }
    DRAGDROP = false;
    const std::int16_t pruef = CHECKARTEFAKTE(TEAM);
    if (TEAM.ARTPRUEF != pruef) {
        TEAM.ARTPRUEF = pruef;
        changed = true;
    }
    playericons(251, 0);
    LEAVESCREEN(125, changed);
}

}  // namespace korax

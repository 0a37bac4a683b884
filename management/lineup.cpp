// The line-up screen: five positions on a drawn pitch, who plays on them, their
// catch radius, run target and commitment; in sparring mode the opponents of a
// friendly. Tactics go to and come from schema files and recorded matches.
#include "management/lineup.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "adviser/adviser.h"
#include "base/state.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "management/formation.h"
#include "management/pendant.h"
#include "management/zoomplayer.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "results/auswahl.h"
#include "results/testgame.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_LINEUP = 102;
constexpr int SCREEN_SPARR = 117;
constexpr int BANDTOP = 82;

// The buttons of the top band: window, left offset from XM1, second text.
struct BANDBUTTON {
    int n;
    int dx;
    int text;
};
constexpr BANDBUTTON BAND[] = {{16, 10, 61}, {17, 140, 62}, {18, 270, 63}};

// Drop targets for tying, shown in the top band while a position is dragged.
struct TIEWINDOW {
    int k;
    int dx;
    int y;
};
constexpr TIEWINDOW TIES[] = {{1, 10, 85}, {2, 10, 110}, {3, 100, 85}, {4, 100, 110}, {5, 190, 85}};

constexpr int STARTWINDOW = 10;
constexpr int ICONFARBE = 251;  // the icons' black while the screen is open

void playericons(int from, int to) {
    for (int s = 1; s <= 10; ++s)
        if (BELEGT[s]) CHANGEICON(ICON[s], from, to);
}

struct LINEUPSTATE {
    bool sparr = false;
    bool changed = false;
    bool card = false;  // the player card covers the screen
    SELECTION s;
};

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

void fillrect(int x1, int y1, int x2, int y2, int colour) {
    if (x2 < x1 || y2 < y1) return;
    ESETFILLSTYLE(1, colour);
    EBAR(x1, y1, x2, y2);
}

void rect(int x1, int y1, int x2, int y2, int colour) {
    ESETCOLOR(colour);
    ERECTANGLE(x1, y1, x2, y2);
}

std::string positionname(const LINEUPSTATE& st, int p) {
    if (st.sparr) return RACENAME(SPARRRACE(TEAM.SPARRTAKTIK[p].NR));
    const int slot = SLOTON(TEAM, p);
    return slot > 0 && BELEGT[slot] ? PLAYER[slot].NAME.str() : "";
}

// Top-left corner of the icon of a placed position.
int cornerx(const TAKTIKTYPE& t) { return CLAMPEDSCREENX(t.NORMALX) - 10; }
int cornery(const TAKTIKTYPE& t) { return CLAMPEDSCREENY(t.NORMALY) - 10; }

void drawband() {
    EHIDEMOUSE();
    fillrect(XM1, BANDTOP, XM2, YS1 - 2, SCREEN);
    for (int k = 16; k <= 20; ++k) KLICKFENSTER[static_cast<std::size_t>(k)].AKTIV = false;
    for (const auto& b : BAND)
        FENSTER(b.n, XM1 + b.dx, 90, XM1 + b.dx + 110, 127, L[60].str() + "/" + L[b.text].str(), -1);
    ESHOWMOUSE();
}

void drawties(int pos) {
    EHIDEMOUSE();
    fillrect(XM1, BANDTOP, XM2, YS1 - 2, SCREEN);
    for (int k = 16; k <= 20; ++k) KLICKFENSTER[static_cast<std::size_t>(k)].AKTIV = false;
    for (int k : TIETARGETS(pos))
        for (const auto& t : TIES)
            if (t.k == k)
                FENSTER(15 + k, XM1 + t.dx, t.y, XM1 + t.dx + 70, t.y + 20, L[6].str() + " " + NUMBERSTR(k), -1);
    ESHOWMOUSE();
}

}  // namespace

void WRITESPIELFELD() {
    SETSPIELFELD(XM1, XM2, YM2);
    EHIDEMOUSE();
    const int w = std::max(1, (XS2 - XS1) / 10);
    for (int i = 0; i <= 10; ++i) {
        const int a = std::max(XS1, XS1 + i * w - w / 2), b = std::min(XS2, XS1 + i * w + w - w / 2);
        fillrect(a, YS1, b, YS2, i % 2 == 0 ? 2 : 10);
    }
    rect(XS1, YS1, XS2, YS2, 15);
    rect(XS1 - 1, YS1 - 1, XS2 + 1, YS2 + 1, 15);
    const int ym = (YS1 + YS2) / 2;
    ESETFILLSTYLE(8, 15);
    EBAR(XS1 - 6, ym - 20, XS1 - 1, ym + 20);
    EBAR(XS2 + 1, ym - 20, XS2 + 6, ym + 20);
    ESETCOLOR(15);
    const int q = (XS2 - XS1) / 4, xm = (XS1 + XS2) / 2;
    ELINE(XS1 + q, YS1, XS1 + q, YS2);
    ELINE(XS2 - q, YS1, XS2 - q, YS2);
    ELINE(xm, YS1, xm, YS2);
    ECIRCLE(xm, ym, 38);
    ECIRCLE(xm, ym, 39);
    ECIRCLEFILL(xm, ym, 4, 15);
    ESHOWMOUSE();
}

namespace {

// The radius circle and run line of a placed position, drawn before the windows.
void drawreach(const TAKTIKTYPE& t) {
    const int x = cornerx(t), y = cornery(t);
    if (t.FANGRADIUS > 0)
        CLIPRING(x + 16, y + 16, static_cast<int>(ROUND(t.FANGRADIUS * SCALEY())), 15, XS1, YS1, XS2, YS2);
    if (t.LAUFX > 0) {
        const int lx = CLAMPEDSCREENX(t.LAUFX), ly = CLAMPEDSCREENY(t.LAUFY);
        LINEINCOLOUR(x + 16, y + 16, lx, ly, 0);
        ECIRCLEFILL(lx, ly, 2, 0);
    }
}

void drawposition(const LINEUPSTATE& st, int p) {
    const TAKTIKTYPE& t = TACTICS(TEAM, st.sparr)[p];
    std::string code;
    DEFAULTTEXT2();
    if (TIEDCODE(t, code)) {
        const int x = XM2 - 47, y = 90 + (p - 1) * 70;
        FENSTER(p + 10, x, y, x + 40, y + 25, "", -1);
        text(x + 4, y + 8, 15, "->" + code);
        return;
    }
    const int x = cornerx(t), y = cornery(t);
    FENSTER(p + 10, x - 2, y - 2, x + 40, y + 40, "", -3, 7);
    const int slot = st.sparr ? 0 : SLOTON(TEAM, p);
    const bool someone = st.sparr || (slot > 0 && BELEGT[slot]);
    if (someone) {
        if (st.sparr) SHOWICON(ICONRACE[SPARRRACE(t.NR)], x, y, false);
        else SHOWICON(ICON[slot], x, y, false);
    }
    SHOWNUMBER(p, x + 33, y, 15);
    if (!st.sparr && someone && PLAYER[slot].ARTIFAKT > 0) ECIRCLEFILL(x + 35, y + 14, 3, PENDANTCOLOR(PLAYER[slot].ARTIFAKT));
    DEFAULTTEXT2();
    text(x, y + 44, 15, "F" + std::to_string(static_cast<int>(t.FANGRADIUS)));
    if (st.sparr) {
        static const char* league[] = {"3", "2", "1"};
        static const int colour[] = {10, 15, 4};
        if (t.EINSATZ <= 2) text(x + 33, y + 22, colour[t.EINSATZ], league[t.EINSATZ]);
    } else if (t.EINSATZ == 0) {
        text(x + 33, y + 22, 10, "^");
    } else if (t.EINSATZ == 2) {
        text(x + 33, y + 22, 4, "v");
    }
    if (someone) {
        if (!st.sparr) {
            PLAYERREC m;
            std::int16_t prozent = 100;
            SETMOTIPLAYER(PLAYER[slot], m, prozent);
            text(x + 40, y + 44, 14, "$" + std::to_string(PLAYERWERT(m)));
        }
        text(x, y + 55, 15, positionname(st, p));
    }
    DEFAULTTEXT();
}

void drawpositions(const LINEUPSTATE& st) {
    EHIDEMOUSE();
    for (int p = 1; p <= 5; ++p) {
        const TAKTIKTYPE& t = TACTICS(TEAM, st.sparr)[p];
        if (PLACED(t)) drawreach(t);
    }
    for (int p = 1; p <= 5; ++p) drawposition(st, p);
    ESHOWMOUSE();
}

void drawbars(const LINEUPSTATE& st);

void redrawpitch(const LINEUPSTATE& st) {
    EHIDEMOUSE();
    // Boxes of tied positions stand right of the pitch.
    fillrect(XM2 - 50, 86, XM2, YM2 - 120, SCREEN);
    fillrect(XS1 - 8, YS1 - 2, XS2 + 8, YM2 - 120, SCREEN);
    for (int p = 11; p <= 15; ++p) KLICKFENSTER[static_cast<std::size_t>(p)].AKTIV = false;
    WRITESPIELFELD();
    drawpositions(st);
    // Names under the lowest positions reach into the bars, which are drawn again over them.
    drawbars(st);
    ESHOWMOUSE();
}

void drawbars(const LINEUPSTATE& st) {
    if (st.sparr) {
        SPARRLEISTE();
        FENSTER(STARTWINDOW, XM2 - 220, YM2 - 65, XM2 - 20, YM2 - 25, L[298].str(), 1);
    } else {
        ICONLEISTE(0, 0, true);
    }
}

void AUFBAU(const LINEUPSTATE& st) {
    CLEAROBERFLAECHE();
    HEADER(L[st.sparr ? 65 : 102].str());
    REFRESHFENSTER();
    drawband();
    WRITESPIELFELD();
    drawpositions(st);
    drawbars(st);
}

// Highlight of a selection and, in the line-up, of its partner.
void SETRAHMEN2(const LINEUPSTATE& st, int n, bool on) {
    if (n <= 0) return;
    SETRAHMEN(n, on);
    if (st.sparr) return;
    int partner = 0;
    if (n >= 1 && n <= 10) partner = POSITIONOFSLOT(TEAM, n) > 0 ? POSITIONOFSLOT(TEAM, n) + 10 : 0;
    else if (n >= 11 && n <= 15) partner = SLOTON(TEAM, n - 10);
    if (partner > 0) SETRAHMEN(partner, on);
    else if (!on)
        for (int k = 1; k <= 10; ++k) SETRAHMEN(k, false);
}

void newselection(LINEUPSTATE& st, int n) {
    const int before = st.s.sel;
    SELECT(st.s, n);
    EHIDEMOUSE();
    SETRAHMEN2(st, before, false);
    SETRAHMEN2(st, st.s.sel, true);
    ESHOWMOUSE();
}

void clearselection(LINEUPSTATE& st) {
    EHIDEMOUSE();
    SETRAHMEN2(st, st.s.sel, false);
    SETRAHMEN2(st, st.s.old, false);
    ESHOWMOUSE();
    st.s = SELECTION{};
}

void blink(int a, int b) {
    for (int i = 0; i < 2; ++i) {
        SETRAHMEN(a, false);
        SETRAHMEN(b, false);
        DELAY(200);
        SETRAHMEN(a, true);
        SETRAHMEN(b, true);
        DELAY(200);
    }
}

// What a completed pair of selections does: a squad member (or race) onto a
// position, or two positions exchanged.
void pairaction(LINEUPSTATE& st) {
    const int old = st.s.old, sel = st.s.sel;
    if (sel < 11 || sel > 15 || old < 1 || old > 15) return;
    const int pos = sel - 10;
    if (old <= 10) {
        if (st.sparr) {
            if (old > 5) return;
        } else {
            const int r = ASSIGNCHECK(TEAM, old, LASTDAY);
            if (r < 0) return;
            if (r > 0) {
                MELDUNG(L[7].str() + " \"" + NOLINEBREAKS(PLAYER[old].NAME.str()) + "\" " + L[r].str());
                clearselection(st);
                return;
            }
        }
        blink(old, sel);
        const int leaving = st.sparr ? 0 : SLOTON(TEAM, pos);
        ASSIGN(TEAM, st.sparr, old, pos);
        st.changed = true;
        clearselection(st);
        redrawpitch(st);
        if (!st.sparr) ICONLEISTE(old, leaving > 0 ? leaving : old, true);
        return;
    }
    if (old != sel) {
        EXCHANGE(TEAM, st.sparr, old - 10, pos);
        st.changed = true;
        clearselection(st);
        redrawpitch(st);
        if (!st.sparr) ICONLEISTE(0, 0, true);
    }
}

// The guide of a dragged position: the pitch inset by 30, kept behind or in front
// of the other line.
void guide(const LINEUPSTATE& st, int pos, int& x1, int& y1, int& x2, int& y2) {
    x1 = XS1 + 30, y1 = YS1 + 30, x2 = XS2 - 30, y2 = YS2 - 30;
    const auto& tk = TACTICS(TEAM, st.sparr);
    if (pos == 1 || pos == 2) {
        for (int o : {3, 4})
            if (PLACED(tk[o])) x1 = std::max(x1, CLAMPEDSCREENX(tk[o].NORMALX));
    } else if (pos == 3 || pos == 4) {
        for (int o : {1, 2})
            if (PLACED(tk[o])) x2 = std::min(x2, CLAMPEDSCREENX(tk[o].NORMALX));
    }
}

void xorframe(int x, int y) {
    ESETCOLOR(2);
    ERECTANGLE(x - 12, y - 12, x + 28, y + 28);
}

// Follows the mouse while the left button is held. Gives false when Escape ended
// it; (x, y) is where the button came up.
bool follow(int& x, int& y, const LINEUPSTATE& st, int pos) {
    EMOUSEBORDER(XM1, BANDTOP, XM2 - 20, YM2);
    ESETWRITEMODE(1);
    int b = 1, mx = x, my = y;
    xorframe(mx, my);
    bool escaped = false;
    while (true) {
        if (KEYPRESSED()) {
            TASTE();
            if (KEY == 27) {
                escaped = true;
                break;
            }
        }
        EMOUSESTAT(b, x, y);
        if ((b & 1) == 0) break;
        if (x != mx || y != my) {
            xorframe(mx, my);
            mx = x, my = y;
            xorframe(mx, my);
            const int over = KLICKHIT(x, y);
            if (pos == 0) {
                if (over >= 11 && over <= 15) ESETCMOUSE();
                else ESETDRAGMOUSE();
            } else if (over >= 16 && over <= 20) {
                ESETPOSMOUSE();
            } else if (POSIOK(TEAM, st.sparr, pos, x, y)) {
                ESETPOSMOUSE();
            } else {
                ESETSTOPMOUSE();
            }
        }
        DELAY(10);
    }
    xorframe(mx, my);
    ESETWRITEMODE(0);
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    ESETSMOUSE();
    if (escaped)
        while (LEFTBUTTON()) DELAY(10);
    return !escaped;
}

// A squad icon (or race) dragged onto a position. True when the button came up
// where it went down: a click, which only selects.
bool dragmember(LINEUPSTATE& st, int x0, int y0) {
    int x = x0, y = y0;
    ESETDRAGMOUSE();
    if (!follow(x, y, st, 0)) {
        clearselection(st);
        return false;
    }
    if (ISCLICK(x0, y0, x, y)) return true;
    const int over = KLICKHIT(x, y);
    if (over >= 11 && over <= 15) {
        newselection(st, over);
        pairaction(st);
    }
    return false;
}

// A position dragged to a new place or onto a tie target; true for a click.
bool dragposition(LINEUPSTATE& st, int x0, int y0) {
    const int pos = st.s.sel - 10;
    drawties(pos);
    int gx1, gy1, gx2, gy2;
    guide(st, pos, gx1, gy1, gx2, gy2);
    ESETWRITEMODE(1);
    rect(gx1, gy1, gx2, gy2, 14);
    ESETWRITEMODE(0);
    int x = x0, y = y0;
    const bool done = follow(x, y, st, pos);
    ESETWRITEMODE(1);
    rect(gx1, gy1, gx2, gy2, 14);
    ESETWRITEMODE(0);
    // The target under the drop is looked up before the buttons come back.
    const int over = KLICKHIT(x, y);
    drawband();
    if (!done) {
        clearselection(st);
        redrawpitch(st);
        return false;
    }
    if (ISCLICK(x0, y0, x, y)) return true;
    DROP d;
    if (over >= 16 && over <= 20) d = {DROPKIND::TARGET, over - 15, x, y};
    else d = {DROPKIND::POINT, 0, x, y};
    if (POSICHECK(TEAM, st.sparr, pos, d)) {
        st.changed = true;
        clearselection(st);
    }
    redrawpitch(st);
    // A refused drop keeps the position selected.
    SETRAHMEN2(st, st.s.sel, true);
    return false;
}

void runtarget(LINEUPSTATE& st, int p) {
    TAKTIKTYPE& t = TACTICS(TEAM, st.sparr)[p];
    const int ox = cornerx(t) + 16, oy = cornery(t) + 16;
    EMOUSEBORDER(XS1, YS1, XS2, YS2);
    int x = t.LAUFX > 0 ? CLAMPEDSCREENX(t.LAUFX) : ox, y = t.LAUFX > 0 ? CLAMPEDSCREENY(t.LAUFY) : oy;
    EMOUSEPOS(x, y);
    ESETCMOUSE();
    ESETWRITEMODE(1);
    ESETCOLOR(15);
    ELINE(ox, oy, x, y);
    int b = 0, mx = x, my = y;
    bool stored = false;
    while (true) {
        EMOUSESTAT(b, x, y);
        if (x != mx || y != my) {
            ELINE(ox, oy, mx, my);
            mx = x, my = y;
            ELINE(ox, oy, mx, my);
        }
        if (b & 1) {
            t.LAUFX = static_cast<std::int16_t>(TOPITCHX(x));
            t.LAUFY = static_cast<std::int16_t>(TOPITCHY(y));
            stored = true;
            break;
        }
        if (b & 2) break;
        if (KEYPRESSED()) {
            TASTE();
            if (KEY == 27) break;
        }
        DELAY(10);
    }
    ELINE(ox, oy, mx, my);
    ESETWRITEMODE(0);
    while (LEFTBUTTON() || RIGHTBUTTON()) DELAY(10);
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    ESETSMOUSE();
    if (stored) st.changed = true;
}

void showcard(LINEUPSTATE& st, int slot) {
    if (st.sparr || slot < 1 || slot > 10 || !BELEGT[slot] || PLAYER[slot].VERFASSUNG <= 0) return;
    ZOOMPLAYER(slot, YS1, YM2 - 20, 2, L[69].str());
    st.card = true;
}

void positionmenu(LINEUPSTATE& st, int p, int mx, int my) {
    TAKTIKTYPE& t = TACTICS(TEAM, st.sparr)[p];
    const std::string title = "[" + NOLINEBREAKS(positionname(st, p)) + "]";
    int c;
    if (st.sparr) {
        c = GETKONTEXT(mx, my, title, L[297].str(), L[72].str(), L[73].str(), "", "");
        c = c == 1 ? 4 : c;
    } else {
        c = GETKONTEXT(mx, my, title, L[71].str(), L[72].str(), L[73].str(), L[74].str(), "");
    }
    switch (c) {
    case 1:
        showcard(st, SLOTON(TEAM, p));
        return;
    case 2: {
        const std::int32_t r = EDITINT(L[64].str(), t.FANGRADIUS, 50, 300);
        if (r > 0) {
            t.FANGRADIUS = static_cast<std::int16_t>(r);
            st.changed = true;
        }
        break;
    }
    case 3: runtarget(st, p); break;
    case 4: {
        const int e = st.sparr ? GETKONTEXT(mx, my, "[" + L[297].str() + "]", L[300].str(), L[301].str(), L[302].str(), "", "")
                               : GETKONTEXT(mx, my, "[" + L[75].str() + "]", L[77].str(), L[76].str(), L[78].str(), "", "");
        if (e >= 1 && e <= 3) {
            t.EINSATZ = static_cast<std::uint8_t>(e - 1);
            st.changed = true;
        }
        break;
    }
    default: break;
    }
    AUFBAU(st);
}

void loadschema(const LINEUPSTATE& st) {
    const std::string title = L[60].str() + " " + L[61].str();
    const std::string name = GETDATEINAME(".\\", "*.sch", title);
    if (name.empty()) return;
    // Records read before a failure stay replaced.
    if (!LOADSCHEMA(name, st.sparr)) MELDUNG(L[99].str() + " " + title);
}

void saveschema(const LINEUPSTATE& st) {
    const std::string name = SAVEDATEINAME("", ".sch", L[60].str() + " " + L[62].str() + ":");
    if (name.empty()) return;
    if (!SAVESCHEMA(name, st.sparr)) MELDUNG(L[99].str() + " " + L[60].str() + " " + L[62].str());
}

void waitrelease() {
    while (LEFTBUTTON() || RIGHTBUTTON()) DELAY(10);
}

// One input of the screen; false when the screen is to be left.
bool handle(LINEUPSTATE& st) {
    const int key = KEY;
    const bool right = RB || (LB && SHIFT_KEY_DOWN());
    const bool left = LB && !right;
    const int x0 = MOUSEX, y0 = MOUSEY;
    if (st.card) {
        if (key == 'K' || right) {
            waitrelease();
            st.card = false;
            AUFBAU(st);
        }
        return true;
    }
    const int n = SELECTIONOFKEY(key);
    const bool selectable = n > 0 && (!st.sparr || n <= 5 || n >= 11) && !(st.sparr && key == 'A');
    if (selectable) {
        if (right) {
            waitrelease();
            if (n <= 10) showcard(st, n);
            else positionmenu(st, n - 10, x0, y0);
            return true;
        }
        newselection(st, n);
        bool click = true;
        if (left) click = n <= 10 ? dragmember(st, x0, y0) : dragposition(st, x0, y0);
        if (click && st.s.sel != 0) pairaction(st);
        AFTERACTION(st.s);
        if (st.s.sel == 0) clearselection(st);
        return true;
    }
    if (LB || RB) waitrelease();
    switch (key) {
    case 'G': {
        const std::string was = RECORDBYTES(TEAM);
        loadschema(st);
        st.changed = st.changed || RECORDBYTES(TEAM) != was;
        AUFBAU(st);
        break;
    }
    case 'H':
        saveschema(st);
        AUFBAU(st);
        break;
    case 'I': {
        // The import writes into TEAM; whether it did is not told back.
        const std::string was = RECORDBYTES(TEAM);
        AUSWAHLGAME(st.sparr ? 2 : 1);
        st.changed = st.changed || RECORDBYTES(TEAM) != was;
        st.s = SELECTION{};
        AUFBAU(st);
        break;
    }
    case 'A':
        if (st.sparr) {
            if (st.changed) WRITETEAM(NUMMER, TEAM);
            st.changed = false;
            TESTGAME(5, false);
            AUFBAU(st);
        }
        break;
    case '0':
        HELP(st.sparr ? SCREEN_SPARR : SCREEN_LINEUP);
        AUFBAU(st);
        break;
    default: break;
    }
    return true;
}

}  // namespace

void DRAWLINEUPPITCH(bool sparr) {
    LINEUPSTATE st;
    st.sparr = sparr;
    redrawpitch(st);
}

void SPARRLEISTE() {
    EHIDEMOUSE();
    for (int race = 1; race <= 5; ++race) {
        const int x = XM1 + 20 + 60 * (race - 1);
        FENSTER(race, x, YM2 - 70, x + 50, YM2 - 20, "", -3, 7);
        SHOWICON(ICONRACE[race], x + 9, YM2 - 66, false);
        DEFAULTTEXT2();
        ESETTEXTJUSTIFY(CENTERTEXT, TOPTEXT);
        text(x + 25, YM2 - 33, 15, RACENAME(race));
    }
    DEFAULTTEXT();
    ESHOWMOUSE();
}

void AUFSTELLUNG(bool sparr) {
    LINEUPSTATE st;
    st.sparr = sparr;
    if (!sparr) {
        TIPSCREEN(SCREEN_LINEUP);
        // Black drawn as 251 keeps the icons whole on the coloured pitch and bar.
        playericons(0, ICONFARBE);
        SHOWPCX(XMC - 8, EMAXY / 2 - 8, JOINPATH(KXPATH, "palette!.pcx"));
        if (!PCXLOADED) ERROR(1, "PALETTE!.PCX");
    } else {
        HUGO = 0;
        for (int p = 1; p <= 5; ++p)
            if (TEAM.SPARRTAKTIK[p].NR == 0) TEAM.SPARRTAKTIK[p].NR = 3;
    }
    DRAGDROP = true;
    AUFBAU(st);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        handle(st);
    }
    DRAGDROP = false;
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    ESETSMOUSE();
    // Every other screen draws the icons with black again.
    if (!sparr) playericons(ICONFARBE, 0);
    // "R" leaves like Escape; in the menu loop it would end the program.
    if (KEY == 'R') KEY = 27;
    if (st.changed) {
        WRITETEAM(NUMMER, TEAM);
        TIPCHANGED(sparr ? SCREEN_SPARR : SCREEN_LINEUP);
    }
}

bool IMPORTSCHEMA(const std::string& name, bool sparr) {
    // Only the head is read: a file left by another program may be of any size, and
    // one too short for the head is a failed import, not a fatal read error.
    std::ifstream f(HOSTPATH(name), std::ios::binary);
    if (!f) return false;
    std::string bytes(MATCHHEADSIZE, '\0');
    f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(f.gcount(), 0)));
    MATCHHEAD h;
    const int r = PARSEMATCHHEAD(bytes, h);
    if (r == HEADVERSION) {
        MELDUNG(L[504].str());
        return false;
    }
    if (r != 0) return false;
    const std::string home = NOLINEBREAKS(h.team[0].NAME.str()), away = NOLINEBREAKS(h.team[1].NAME.str());
    const int c = GETKONTEXT(MOUSEX, MOUSEY, "[" + L[501].str() + "]", home, away, "", "", "");
    if (c < 1 || c > 2) return true;
    IMPORTSIDE(h, c - 1, sparr, TEAM);
    MELDUNG(SUBSTR(L[503].str(), c == 1 ? home : away));
    return true;
}

}  // namespace korax

// Shape editor (124): a squad member dragged onto the work slot is shown large.
// The slot is only a view: the editor writes nothing.
#include <string>
#include <vector>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "management/screens.h"
#include "management/views.h"
#include "management/zoomplayer.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int WORKSLOT = 11;
constexpr int RING = 18;

int selected = 0;  // selected window (1..11), 0 none
int placed = 0;    // squad slot on the work slot, 0 none
bool card = false;

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

void workslot() {
    const int x1 = XM1 + 40, x2 = XMC + 60, y1 = 110, y2 = YM2 - 150;
    FENSTER(WORKSLOT, x1, y1, x2, y2, L[423].str(), -1);
    if (placed > 0 && BELEGT[placed]) {
        const PLAYERREC& p = PLAYER[placed];
        DEFAULTTEXT2();
        text(x1 + 20, y1 + 50, 14, p.NAME.str());
        RACEBILD(p.RACE, x1 + 20, y1 + 80);
        SHOWICONX(ICON[placed], x1 + 150, y1 + 80, false, 4);
        FENSTER(12, XMC + 90, 150, XM2 - 40, 210, "", -1);
        FENSTER(13, XMC + 90, 240, XM2 - 40, 300, "SAVE", -1);
    }
}

void aufbau() {
    CLEAROBERFLAECHE();
    HEADER(L[124].str());
    REFRESHFENSTER();
    card = false;
    workslot();
    ICONLEISTE(0, 0, true);
    if (selected > 0) SETRAHMEN(selected, true);
}

void select(int n) {
    if (selected > 0) SETRAHMEN(selected, false);
    selected = selected == n ? 0 : n;
    if (selected > 0) SETRAHMEN(selected, true);
}

// A ring follows the mouse while the left button is held; the screen under it is
// put back at every step. Answers the click window it was let go over.
int drag() {
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
    while (LEFTBUTTON()) {
        int b = 0, mx = 0, my = 0;
        EMOUSESTAT(b, mx, my);
        if (mx != x || my != y) {
            EPUTIMAGE(x - RING - 2, y - RING - 2, under, 0);
            x = mx;
            y = my;
            show();
        }
        DELAY(10);
    }
    EPUTIMAGE(x - RING - 2, y - RING - 2, under, 0);
    ESHOWMOUSE();
    return KLICKHIT(x, y);
}

}  // namespace

void SHAPEEDITOR() {
    TIPSCREEN(124);
    selected = 0;
    placed = 0;
    DRAGDROP = true;
    aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            DRAGDROP = false;
            HELP(124);
            DRAGDROP = true;
            aufbau();
            continue;
        }
        if (card) {
            if (KEY == 'K') aufbau();
            continue;
        }
        const int n = (KEY >= '1' && KEY <= '9') ? KEY - '0' : KEY == 'A' ? 10 : KEY == 'B' ? WORKSLOT : 0;
        if (n == 0) continue;
        if (RB && n <= 10 && BELEGT[n]) {
            while (RIGHTBUTTON()) DELAY(10);
            REFRESHFENSTER();
            ZOOMPLAYER(n, 132, YM2 - 20, 2, L[422].str());
            card = true;
            continue;
        }
        if (LB) {
            const int target = drag();
            if (n <= 10 && BELEGT[n] && target == WORKSLOT) {
                placed = n;
                BEEP(2);
                aufbau();
                continue;
            }
            if (n == WORKSLOT && placed > 0 && target >= 1 && target <= 10) {
                placed = 0;
                BEEP(1);
                aufbau();
                continue;
            }
            if (target != n) continue;
        }
        select(n);
    }
    DRAGDROP = false;
}

}  // namespace korax

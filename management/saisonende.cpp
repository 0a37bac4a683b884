// Season end (104 on the last match day): which players are kept for the next
// season, each against the keep price the game master set. Gold is booked at once.
#include <algorithm>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "management/pendant.h"
#include "management/screens.h"
#include "management/statbuild.h"
#include "management/stats.h"
#include "management/zoomplayer.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_SAISONENDE = 104;
constexpr int TIP_SAISONENDE = 197;
constexpr int ICONFILL = 253;  // icons stand on this colour while the screen is open
constexpr int TOP = 128;
constexpr int WINDOWH = 116;
constexpr int PLAIN = 7, MARKED = 3;

struct WINDOWRECT {
    int x1, y1, x2, y2;
};
// Slots 1..5 in the left column, 6..10 in the right one.
WINDOWRECT slotwindow(int slot) {
    const int w = (XM2 - XM1 - 50) / 2;
    const int col = (slot - 1) / 5, row = (slot - 1) % 5;
    const int x1 = XM1 + 20 + col * (w + 10), y1 = TOP + row * (WINDOWH + 2);
    return {x1, y1, x1 + w, y1 + WINDOWH - 2};
}

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

void window(int slot) {
    const WINDOWRECT r = slotwindow(slot);
    const bool marked = TEAM.TRANSFER[slot] == 1;
    FENSTER(slot == 10 ? 10 : slot, r.x1, r.y1, r.x2, r.y2, "", -3, marked ? MARKED : PLAIN);
    if (marked) {
        ESETCOLOR(14);
        ERECTANGLE(r.x1 + 2, r.y1 + 2, r.x2 - 2, r.y2 - 2);
    }
    const PLAYERREC& p = PLAYER[slot];
    SHOWICON(ICON[slot], r.x1 + 8, r.y1 + 8, false);
    if (p.ARTIFAKT > 0) ECIRCLEFILL(r.x1 + 48, r.y1 + 14, 5, PENDANTCOLOR(p.ARTIFAKT));
    DEFAULTTEXT2();
    const std::string key = slot == 10 ? "A" : std::to_string(slot);
    text(r.x1 + 60, r.y1 + 14, 14, key + " " + p.NAME.str());
    text(r.x1 + 60, r.y1 + 34, 0, std::to_string(PLAYERWERT(p)) + "$");
    if (marked) text(r.x2 - 150, r.y1 + 14, 14, L[20].str());
    text(r.x2 - 150, r.y1 + 34, marked ? 15 : 4, HALTEPREISTEXT(TEAM.TRANSGEBOT[slot]));
    DEFAULTTEXT();
    // Attribute bars in two columns, the value as tenths.
    const int values[7] = {p.INTELLIGENZ, p.SCHNELLIGKEIT, p.AUSDAUER, p.KOERPERKRAFT,
                           p.GESCHICKLICHKEIT, p.MOTIVATION, p.VERFASSUNG};
    const int colours[7] = {13, 12, 11, 9, 10, 14, 15};
    const int colw = (r.x2 - r.x1 - 16) / 2;
    for (int k = 0; k < 7; ++k) {
        // Texts stand centred on their y, the bars around it.
        const int x = r.x1 + 8 + (k / 4) * colw, y = r.y1 + 56 + (k % 4) * 15;
        text(x, y, 0, L[22 + k].str());
        const int bx = x + 56, bw = colw - 56 - 44;
        ESETFILLSTYLE(1, 0);
        EBAR(bx, y - 5, bx + bw, y + 5);
        const int len = std::clamp(values[k], 0, 100) * bw / 100;
        if (len > 0) {
            ESETFILLSTYLE(1, colours[k]);
            EBAR(bx, y - 5, bx + len - 1, y + 5);
        }
        text(bx + bw + 6, y, 0, W10(values[k]));
    }
}

void AUFBAU() {
    CLEAROBERFLAECHE();
    HEADER(L[70].str());
    REFRESHFENSTER();
    SHOWGOLD(XMC, 108);
    for (int i = 1; i <= 10; ++i)
        if (BELEGT[i]) window(i);
}

}  // namespace

void SAISONENDE() {
    if (TEAM.LIZENZ == 0) {
        MELDUNG(L[82].str());
        return;
    }
    const auto saved = ICON;
    for (int i = 1; i <= 10; ++i)
        if (BELEGT[i]) CHANGEICON(ICON[i], 0, ICONFILL);
    HUGO = TIP(TIP_SAISONENDE) ? 1 : 0;
    bool changed = false;
    bool card = false;
    AUFBAU();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            if (card && RIGHTBUTTON()) {
                while (RIGHTBUTTON()) DELAY(10);
                card = false;
                AUFBAU();
            }
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(SCREEN_SAISONENDE);
            card = false;
            AUFBAU();
            continue;
        }
        if (card) {
            if (KEY == 'K' || RB) {
                while (RIGHTBUTTON()) DELAY(10);
                card = false;
                AUFBAU();
            }
            continue;
        }
        const int slot = HALTESLOT(static_cast<unsigned char>(KEY));
        if (!HALTEOFFEN(slot)) continue;
        if (RB) {
            while (RIGHTBUTTON()) DELAY(10);
            CLEAROBERFLAECHE();
            HEADER(L[70].str());
            REFRESHFENSTER();
            ZOOMPLAYER(slot, 132, YM2 - 20, 2, L[70].str());
            card = true;
            continue;
        }
        switch (HALTETOGGLE(TEAM, slot)) {
            case HALTEN::ZURUECK:
            case HALTEN::GENOMMEN:
                changed = true;
                // The gold display does not erase a longer amount: the whole screen is drawn again.
                AUFBAU();
                break;
            case HALTEN::ZUTEUER: MELDUNG(HALTEMELDUNG(PLAYER[slot].NAME.str())); break;
            case HALTEN::NICHTS: break;
        }
    }
    ICON = saved;
    if (changed) {
        WRITETEAM(NUMMER, TEAM);
        TIPCHANGED(TIP_SAISONENDE);
    }
    REFRESHFENSTER();
}

}  // namespace korax

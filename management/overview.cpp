// Team overview (101): the squad in line-up order, each row with its orders and
// state, a detail panel, and the player card of any row.
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
#include "graph/winpcx.h"
#include "management/pendant.h"
#include "management/screens.h"
#include "management/views.h"
#include "management/zoomplayer.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int ROWTOP = 150;
constexpr int ROWH = 38;
constexpr int ROWCOLOUR = 7;
constexpr int PANELTOP = ROWTOP + 10 * ROWH + 6;

// Columns of a row, from its left edge.
enum : int { C_NAME = 56, C_POS = 130, C_WERT = 150, C_PROZ = 214, C_TORE = 262, C_SAISON = 310,
             C_VERF = 350, C_DAYS = 430, C_TRANS = 540 };

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

int rowx() { return XM1 + 10; }
int rowy(int row) { return ROWTOP + (row - 1) * ROWH; }

void zeile(int row) {
    const int x = rowx(), y = rowy(row);
    FENSTER(row, x, y, XM2 - 10, y + ROWH - 4, "", -3, ROWCOLOUR);
    const int s = GETSPIELERNUMMER(row);
    if (s == 0) return;
    const PLAYERREC& p = PLAYER[s];
    SHOWICON(ICON[s], x + 4, y + 1, false);
    if (p.ARTIFAKT > 0) ECIRCLEFILL(x + 44, y + 10, 5, PENDANTCOLOR(p.ARTIFAKT));
    DEFAULTTEXT2();
    const int y1 = y + 10, y2 = y + 25;
    text(x + C_NAME, y1, 15, p.NAME.str());
    const int pos = POSITIONOF(s);
    if (pos > 0) text(x + C_POS, y1, 14, std::to_string(pos));
    text(x + C_WERT, y1, 0, std::to_string(PLAYERWERT(p)) + "$");
    PLAYERREC m;
    std::int16_t prozent = 100;
    SETMOTIPLAYER(p, m, prozent);
    text(x + C_PROZ, y1, prozent < 100 ? 4 : 0, std::to_string(prozent) + "%");
    text(x + C_TORE, y1, 0, std::to_string(static_cast<int>(p.TORE)));
    text(x + C_SAISON, y1, 0, std::to_string(static_cast<int>(p.SAISON)));
    text(x + C_VERF, y1, p.VERFASSUNG <= 0 ? 12 : 0, std::to_string(static_cast<int>(p.VERFASSUNG)));
    std::string days = std::to_string(static_cast<int>(p.DAYSIMTEAM));
    if (p.ORGTEAM > 0) days += " (" + std::to_string(static_cast<int>(p.ORGTEAM)) + ")";
    text(x + C_DAYS, y1, 0, days);
    text(x + C_TRANS, y1, 12, TRANSFERTEXT(s));
    // Orders: the individual order and its effective value, passing and dribbling balls.
    text(x + C_NAME, y2, 5, std::to_string(static_cast<int>(p.INDI)) + "/" + std::to_string(AKTUINDI(s, p)));
    BALLANZEIGE(x + C_WERT + 4, y2, p.PASS, AKTUPASS(s, p), 2);
    BALLANZEIGE(x + C_TORE + 4, y2, p.VORLEGEN / 2, AKTUVORLEGEN(s, p) / 2, 4);
}

void panel(int row) {
    const int x1 = XM1 + 10, x2 = XM2 - 10;
    HINTERGRUND(x1, PANELTOP, x2, YM2 - 8, 8);
    const int s = GETSPIELERNUMMER(row);
    if (s == 0) return;
    const PLAYERREC& p = PLAYER[s];
    DEFAULTTEXT2();
    text(x1 + 12, PANELTOP + 14, 15, std::to_string(row) + ". " + p.NAME.str());
    const int values[7] = {p.INTELLIGENZ, p.SCHNELLIGKEIT, p.AUSDAUER, p.KOERPERKRAFT, p.GESCHICKLICHKEIT,
                           p.MOTIVATION, p.VERFASSUNG};
    const int colours[7] = {13, 12, 11, 9, 10, 14, 15};
    for (int k = 0; k < 7; ++k) {
        const int y = PANELTOP + 34 + k * 20;
        text(x1 + 12, y, 7, L[22 + k].str());
        const int len = std::clamp(values[k], 0, 255) * 2;
        ESETFILLSTYLE(1, 0);
        EBAR(x1 + 80, y - 6, x1 + 80 + 200, y + 6);
        if (len > 0) {
            ESETFILLSTYLE(1, colours[k]);
            EBAR(x1 + 80, y - 6, x1 + 80 + std::min(len, 200) - 1, y + 6);
        }
        text(x1 + 290, y, 15, std::to_string(values[k]));
    }
    DEFAULTTEXT();
}

void liste() {
    CLEAROBERFLAECHE();
    HEADER(L[101].str());
    REFRESHFENSTER();
    DEFAULTTEXT2();
    text(XM1 + 20, 104, 14, std::to_string(static_cast<int>(TEAM.SAISON)) + ". Saison");
    SHOWPCX(XM1 + 160, 90, JOINPATH(GAMEDIR, "team" + NUMMERSTR + ".pcx"));
    SHOWGOLD(XM2 - 300, 112);
    DEFAULTTEXT2();
    const int x = rowx(), y = ROWTOP - 12;
    text(x + C_WERT, y, 15, "$");
    text(x + C_PROZ, y, 15, "%");
    text(x + C_TORE, y, 15, L[15].str());
    text(x + C_VERF, y, 15, L[16].str());
    text(x + C_DAYS, y, 15, L[575].str());
    for (int r = 1; r <= 10; ++r) zeile(r);
}

}  // namespace

void TEAMUEBERSICHT() {
    TIPSCREEN(101);
    // The icons stand on the row colour for the time of the screen.
    const auto saved = ICON;
    for (int i = 1; i <= 10; ++i)
        if (BELEGT[i]) CHANGEICON(ICON[i], 0, ROWCOLOUR);
    int current = std::max(1, NAECHSTEZEILE(0, 1));
    int card = 0;  // row whose card is open, 0: the list
    auto aufbau = [&] {
        if (card > 0) {
            CLEAROBERFLAECHE();
            HEADER(L[66].str());
            REFRESHFENSTER();
            ZOOMPLAYER(GETSPIELERNUMMER(card), 132, YM2 - 20, 1, L[48].str());
        } else {
            liste();
            panel(current);
        }
    };
    auto open = [&](int row) {
        if (!ZEILEOFFEN(row)) return;
        card = row;
        current = row;
        aufbau();
    };
    aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            // The detail panel follows the row under the mouse.
            if (card == 0) {
                const int hit = KLICKHIT(MOUSEX, MOUSEY);
                if (hit >= 1 && hit <= 10 && hit != current && GETSPIELERNUMMER(hit) > 0) {
                    current = hit;
                    panel(current);
                }
            }
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(101);
            aufbau();
        } else if ((KEY >= '1' && KEY <= '9') || KEY == 'A') {
            open(KEY == 'A' ? 10 : KEY - '0');
        } else if (KEY == 'B') {
            if (card > 0) {
                card = 0;
                aufbau();
            }
        } else if ((KEY == 'C' || KEY == 'D') && card > 0) {
            const int next = NAECHSTEZEILE(card, KEY == 'C' ? -1 : 1);
            if (next == 0) BEEP(3);
            else open(next);
        }
    }
    ICON = saved;
    WRITETEAM(NUMMER, TEAM);
    REFRESHFENSTER();
}

}  // namespace korax

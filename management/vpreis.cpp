// The advance sale: the next match day's pairings bought at their home teams'
// prices, and the own advance price. Opened from the match choice.
#include <cstdint>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/finance.h"
#include "management/mscreen.h"
#include "management/screens.h"
#include "management/views.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/infotext.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_VPREIS = 200;
constexpr int ROWTOP = 140;
constexpr int ROWSTEP = 55;
constexpr int PRICEWINDOW = 6;

std::string team_line(int team) {
    return TEAMNAME[team].str() + " (" + std::to_string(TABPLATZ(team)) + ")";
}

void AUFBAU(int day) {
    CLEAROBERFLAECHE();
    HEADER(L[SCREEN_VPREIS].str());
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(XM1 + 40, ROWTOP - 30, L[11].str() + ". " + std::to_string(day));
    for (int k = 1; k <= 5; ++k) {
        const int y = ROWTOP + (k - 1) * ROWSTEP;
        FENSTER(k, XM1 + 20, y, XM2 - 20, y + ROWSTEP - 8, "", 1);
        SPIELPLANTYPE p{};
        PAARUNG(day, k, p);
        if (!PAARUNGGUELTIG(p)) continue;  // a team outside the league: drawn empty
        DEFAULTTEXT();
        ESETCOLOR(15);
        EOUTTEXTXY(XM1 + 50, y + 16, team_line(p.HEIM) + " - " + team_line(p.GAST));
        ESETCOLOR(14);
        EOUTTEXTXY(XM2 - 160, y + 16, " $" + std::to_string(static_cast<int>(GEN.VPREIS[p.HEIM])));
        if (TEAM.VKAUF[k] == 1) {
            ESETCOLOR(12);
            EOUTTEXTXY(XM2 - 60, y + 16, "X");
        }
    }
    const int y = ROWTOP + 5 * ROWSTEP + 10;
    FENSTER(PRICEWINDOW, XM1 + 20, y, XMC + 100, y + 40,
            L[79].str() + ": $" + std::to_string(static_cast<int>(TEAM.VPREIS)), 1);
    SHOWGOLD(XM1 + 150, YM2 - 50);
}

void buy(int day, int k) {
    SPIELPLANTYPE p{};
    PAARUNG(day, k, p);
    switch (VKAUF(TEAM, NUMMER, k, p, GEN)) {
    case VKAUFERGEBNIS::EIGENES: MELDUNG(L[81].str()); break;
    case VKAUFERGEBNIS::KEINGOLD: MELDUNG(L[9].str()); break;
    default: break;
    }
}

}  // namespace

void SETVPREIS(bool& leave) {
    if (LASTDAY) {
        INFOTEXT(L[80].str());
        leave = KEY >= 100;
        return;
    }
    if (ADVISER.silence) ADVISER.silence();
    const int day = NEXTSPIELTAG(GEN);
    if (day == 0) {
        MELDUNG(L[80].str());
        KEY = 27;
        return;
    }
    bool changed = false;
    AUFBAU(day);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R') break;
        if (KEY >= 100) {
            leave = true;
            break;
        }
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') {
            HELP(SCREEN_VPREIS);
            break;
        }
        if (KEY >= '1' && KEY <= '5') {
            buy(day, KEY - '0');
            changed = true;
        } else if (KEY == '6') {
            const std::int32_t v = EDITINT(L[79].str(), TEAM.VPREIS, 1, VPREISMAX(LIGAFAKTOR()));
            TEAM.VPREIS = v > 0 ? static_cast<std::int16_t>(v) : static_cast<std::int16_t>(GEN.VPREIS[NUMMER]);
            changed = true;
        } else {
            continue;
        }
        AUFBAU(day);
    }
    LEAVESCREEN(SCREEN_VPREIS, changed);
}

}  // namespace korax

// The betting office: stakes on the teams of the next match day.
#include <cstdint>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "management/finance.h"
#include "management/mscreen.h"
#include "management/views.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/infotext.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_WETTBUERO = 115;
constexpr int ROWTOP = 132;
constexpr int ROWSTEP = 96;
constexpr int PANELWIDTH = 250;
constexpr int PANELHEIGHT = 86;

struct SIDE {
    int team = 0;
    int other = 0;
    std::int64_t odds = 0;
};

// The team of window w (1..10) of the next match day: home for odd w, away for even.
SIDE side_of(int day, int w) {
    SPIELPLANTYPE p{};
    PAARUNG(day, (w + 1) / 2, p);
    if (!PAARUNGGUELTIG(p)) return {};
    if (w % 2 == 1) return {p.HEIM, p.GAST, p.HWERT};
    return {p.GAST, p.HEIM, p.GWERT};
}

int blocked_team(int day) {
    for (int k = 1; k <= 5; ++k) {
        SPIELPLANTYPE p{};
        PAARUNG(day, k, p);
        if (const int b = GESPERRT(p, NUMMER, GEN.PLATZ, GEN.ABSTIEG)) return b;
    }
    return 0;
}

void panel(int w, int x, int y, const SIDE& s) {
    FENSTER(w, x, y, x + PANELWIDTH, y + PANELHEIGHT, "", -1);
    if (!s.team) return;  // a pairing outside the league stays empty
    SHOWPCX(x + 24, y + 4, GAMEDIR + "team" + std::to_string(s.team) + ".pcx");
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(x + 100, y + 10, TEAMNAME[s.team].str() + " (" + std::to_string(TABPLATZ(s.team)) + ")");
    ESETCOLOR(14);
    EOUTTEXTXY(x + 100, y + 30, "1 : " + W10(s.odds));
    const std::int32_t stake = TEAM.WETTEN[s.team];
    if (stake > 0) {
        ESETCOLOR(12);
        EOUTTEXTXY(x + 100, y + 50, "$ " + std::to_string(stake));
    }
}

void AUFBAU(int day) {
    CLEAROBERFLAECHE();
    HEADER(L[SCREEN_WETTBUERO].str());
    for (int k = 1; k <= 5; ++k) {
        const int y = ROWTOP + (k - 1) * ROWSTEP - 40;
        panel(2 * k - 1, XM1 + 68, y, side_of(day, 2 * k - 1));
        panel(2 * k, XMC + 64, y, side_of(day, 2 * k));
        CENTERTEXTSTYLE();
        ESETCOLOR(15);
        EOUTTEXTXY((XM1 + 68 + PANELWIDTH + XMC + 64) / 2, y + PANELHEIGHT / 2, "vs");
        DEFAULTTEXT();
    }
    SHOWGOLD(XM1 + 150, YM2 - 30);
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(XMC - 80, YM2 - 34, L[288].str());
}

// Returns true when the record changed.
bool stake(int day, int w) {
    const SIDE s = side_of(day, w);
    switch (WETTVERBOT(TEAM, s.team, s.other, blocked_team(day))) {
    case -1: return false;
    case 290: MELDUNG(L[290].str()); return false;
    case 291: MELDUNG(L[291].str()); return false;
    case 292: MELDUNG(L[291].str() + L[292].str()); return false;
    default: break;
    }
    const std::int64_t start = TEAM.WETTEN[s.team];
    const std::int64_t max = STORNOWETTE(TEAM, s.team);
    if (max == 0) {
        MELDUNG(L[290].str());
        return false;
    }
    BUCHEWETTE(TEAM, s.team, EDITINT(L[6].str() + " " + TEAMNAME[s.team].str(), start, MINWETTE, max));
    return true;
}

int window_of(unsigned char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key == 'A') return 10;
    return 0;
}

}  // namespace

void WETTBUERO() {
    if (LASTDAY) {
        INFOTEXT(L[289].str());
        return;
    }
    TIPSCREEN(SCREEN_WETTBUERO);
    const int day = NEXTSPIELTAG(GEN);
    if (day == 0) {
        MELDUNG(L[289].str());
        KEY = 27;
        return;
    }
    bool changed = false;
    AUFBAU(day);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') HELP(SCREEN_WETTBUERO);
        else if (const int w = window_of(KEY)) changed |= stake(day, w);
        else continue;
        AUFBAU(day);
    }
    LEAVESCREEN(SCREEN_WETTBUERO, changed);
}

}  // namespace korax

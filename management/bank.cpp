// The bank: payments to other teams and one credit at a time.
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

constexpr int SCREEN_BANK = 111;
constexpr int CREDITWINDOW = 20;  // key "K"
constexpr int TEAMTOP = 110;
constexpr int TEAMSTEP = 22;

// Team of a payment key: "1".."9" and "A" are teams 1..10.
int team_of(unsigned char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key == 'A') return 10;
    return 0;
}

void AUFBAU() {
    CLEAROBERFLAECHE();
    HEADER(L[SCREEN_BANK].str());
    const int rx = XMC + 90;
    PICTURE(rx, 110, "bank");
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(rx, 280, L[245].str());
    EOUTTEXTXY(rx, 296, L[246].str());
    EOUTTEXTXY(rx, 320, L[247].str() + " 5%");
    for (int t = 1; t <= 10; ++t) {
        const int y = TEAMTOP + (t - 1) * TEAMSTEP;
        FENSTER(t, XM1 + 20, y, XMC + 60, y + TEAMSTEP - 2, "", 3, 1);
        DEFAULTTEXT();
        ESETCOLOR(t == NUMMER ? 13 : 15);
        EOUTTEXTXY(XM1 + 40, y + 6, TEAMNAME[t].str().substr(0, 22));
        ESETCOLOR(14);
        EOUTTEXTXY(XMC - 40, y + 6, "$" + std::to_string(static_cast<std::int32_t>(TEAM.UEBERWEISUNG[t])));
    }
    const int y = TEAMTOP + 10 * TEAMSTEP + 20;
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(XM1 + 20, y, L[248].str() + " " + std::to_string(GEN.ZINSEN) + "%");
    if (TEAM.KREDITSUMME != 0) {
        EOUTTEXTXY(XM1 + 20, y + 20, NUMSTR(L[249].str(), TEAM.KREDITSUMME));
        EOUTTEXTXY(XM1 + 20, y + 36, NUMSTR(L[250].str(), static_cast<std::int64_t>(TEAM.KREDITDAUER) * 10));
        EOUTTEXTXY(XM1 + 20, y + 52, NUMSTR(L[251].str(), TEAM.KREDITZINSEN));
    }
    FENSTER(CREDITWINDOW, XM1 + 20, y + 72, XMC + 60, y + 112, L[TEAM.KREDITSUMME != 0 ? 252 : 253].str(), 1);
    SHOWGOLD(XM1 + 150, YM2 - 50);
}

void payment(int to) {
    if (!UEBERWEISUNGMOEGLICH(TEAM, to)) {
        MELDUNG(L[262].str());
        return;
    }
    const std::int64_t a = STORNOUEBERWEISUNG(TEAM, to);
    BUCHEUEBERWEISUNG(TEAM, to, EDITINT(L[261].str(), a, 0, TEAM.GOLD));
}

void credit() {
    if (TEAM.KREDITSUMME == 0) {
        const std::int64_t limit = KREDITLIMIT(TEAM, SPIELTAG(), PLAYER, BELEGT);
        BUCHEKREDIT(TEAM, EDITINT(L[255].str(), 0, 0, limit), GEN.ZINSEN);
        return;
    }
    MELDUNG(L[256].str() + L[257].str() + L[258].str() + L[259].str());
    const std::int64_t r = TILGUNGMAX(TEAM);
    if (r <= 0) return;
    if (!BUCHETILGUNG(TEAM, EDITINT(L[260].str(), r, 0, r))) ERROR(99, "Intern-Kredit");
}

}  // namespace

void BANK() {
    if (LASTDAY) {
        INFOTEXT(L[254].str());
        return;
    }
    TIPSCREEN(SCREEN_BANK);
    bool changed = false;
    AUFBAU();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') {
            HELP(SCREEN_BANK);
        } else if (KEY == 'K') {
            credit();
            changed = true;
        } else if (const int to = team_of(KEY)) {
            payment(to);
            changed = true;
        } else {
            continue;
        }
        AUFBAU();
    }
    LEAVESCREEN(SCREEN_BANK, changed);
}

}  // namespace korax

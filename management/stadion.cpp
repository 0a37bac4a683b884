// The stadium: seats built or pulled down for the coming turn, the ticket price,
// last match's figures, the fans' mood and the scoreboard.
#include <cstdint>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
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

constexpr int SCREEN_STADION = 109;

struct STADIONWINDOW {
    int n;
    int y;
    int text;
};
constexpr STADIONWINDOW BUILD{1, 110, 229};
constexpr STADIONWINDOW PRICE{2, 230, 238};
constexpr STADIONWINDOW PULLDOWN{3, 330, 230};

bool pulldown_open() { return SPIELTAG() >= ABRISSTAG; }

std::string seats_line() {
    std::string s = L[231].str() + ": " + std::to_string(static_cast<int>(TEAM.STADION.SITZPLAETZE));
    const int e = TEAM.STADION.ERWEITERUNG;
    if (e > 0) s += " +" + std::to_string(e);
    else if (e < 0) s += " " + std::to_string(e);
    return s;
}

void mood_gauge(int x, int y) {
    // Nine marks 12 pixels apart from -4 to +4, labelled every second mark.
    ESETCOLOR(15);
    ELINE(x, y, x + 96, y);
    for (int i = 0; i <= 8; ++i) ELINE(x + 12 * i, y - 3, x + 12 * i, y + 3);
    DEFAULTTEXT();
    for (int i = 0; i <= 4; ++i) {
        ESETCOLOR(15);
        EOUTTEXTXY(x + 24 * i - 8, y + 10 + 12 * (i % 2), L[224 + i].str());
    }
    const int m = STIMMUNGSKALA(TEAM.STADION.STIMMUNG);
    ESETFILLSTYLE(1, m < 0 ? 12 : 10);
    if (m > -4) EBAR(x, y - 16, x + (m + 4) * 12, y - 8);
}

void AUFBAU() {
    CLEAROBERFLAECHE();
    HEADER(L[SCREEN_STADION].str());
    const int x1 = XM1 + 20, x2 = XM1 + 300;
    FENSTER(BUILD.n, x1, BUILD.y, x2, BUILD.y + 40, L[BUILD.text].str(), 1);
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(x1, BUILD.y + 50, seats_line());
    EOUTTEXTXY(x1, BUILD.y + 70, L[237].str());
    FENSTER(PRICE.n, x1, PRICE.y, x2, PRICE.y + 40, L[PRICE.text].str(), 1);
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(x1, PRICE.y + 50, "$ " + std::to_string(static_cast<int>(TEAM.STADION.EINTRITT)));
    if (pulldown_open()) {
        FENSTER(PULLDOWN.n, x1, PULLDOWN.y, x2, PULLDOWN.y + 40, L[PULLDOWN.text].str(), 1);
        DEFAULTTEXT();
        ESETCOLOR(15);
        EOUTTEXTXY(x1, PULLDOWN.y + 50, L[236].str());
    }
    const int rx = XMC + 20;
    PICTURE(rx, 200, "wolke" + std::to_string(static_cast<int>(TEAM.STADION.OLDWETTER)));
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(rx, 300, NUMSTR(L[243].str(), TEAM.STADION.ZUSCHAUER));
    EOUTTEXTXY(rx, 320, NUMSTR(L[244].str(), TEAM.STADION.OLDEINTRITT));
    PICTURE(rx, 350, "stadi");
    mood_gauge(x1 + 20, 470);
    SHOWGOLD(XM1 + 150, YM2 - 50);
}

// ---- scoreboard -----------------------------------------------------------------

std::string top_scorer() {
    int best = 1;
    for (int s = 2; s <= 10; ++s)
        if (BELEGT[s] && PLAYER[s].TORE > PLAYER[best].TORE) best = s;
    // An empty first slot and no scorer: no name rather than an unused record's.
    if (!BELEGT[best]) return "";
    return PLAYER[best].NAME.str();
}

struct SCOREBOARD {
    bool running = true;
    int shown = -1;
};

// Shows the text of the current moment: name, "go", "for GOAL", two ticks each,
// one blank tick after each.
void STADIONBUTTON(SCOREBOARD& b) {
    if (!b.running) return;
    const int phase = static_cast<int>(READTICKS() % 9);
    const int step = phase / 3;
    const bool blank = phase % 3 == 2;
    const int what = blank ? 3 : step;
    if (what == b.shown) return;
    b.shown = what;
    const int x = XM1 + 160, y = 142;
    ESETFILLSTYLE(1, 0);
    EBAR(x - 2, y - 2, x + 200, y + 30);
    if (what == 3) return;
    const std::string texts[3] = {top_scorer(), "go", "for GOAL"};
    ESETTEXTSTYLE(0, 0, 3);
    ESETCOLOR(12);
    EOUTTEXTXY(x, y, texts[what]);
    DEFAULTTEXT();
}

// ---- orders ---------------------------------------------------------------------

void build() {
    const std::int64_t start = AUSBAUSTART(TEAM);
    STORNOAUSBAU(TEAM);
    const std::int64_t max = AUSBAULIMIT(TEAM);
    if (max <= 0) {
        MELDUNG(L[233].str());
        return;
    }
    BUCHEAUSBAU(TEAM, EDITINT(L[232].str(), start, 0, max));
}

void pull_down() {
    const std::int64_t start = ABRISSSTART(TEAM);
    STORNOAUSBAU(TEAM);
    const std::int64_t max = ABRISSLIMIT(TEAM);
    if (max <= 0) {
        MELDUNG(L[235].str());
        return;
    }
    BUCHEABRISS(TEAM, EDITINT(L[234].str(), start, 0, max));
}

}  // namespace

void STADION() {
    if (LASTDAY) {
        INFOTEXT(L[598].str());
        return;
    }
    TIPSCREEN(SCREEN_STADION);
    bool changed = false;
    SCOREBOARD board;
    AUFBAU();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            STADIONBUTTON(board);
            DELAY(10);
            continue;
        }
        board.running = false;
        switch (KEY) {
        case '0': HELP(SCREEN_STADION); break;
        case '1':
            build();
            changed = true;
            break;
        case '2': {
            const std::int32_t v = EDITINT("Neuer Eintrittspreis", TEAM.STADION.EINTRITT, 1, 10);
            if (v > 0) TEAM.STADION.EINTRITT = static_cast<std::int16_t>(v);
            changed = true;
            break;
        }
        case '3':
            if (!pulldown_open()) continue;
            pull_down();
            changed = true;
            break;
        default: continue;
        }
        AUFBAU();
    }
    LEAVESCREEN(SCREEN_STADION, changed);
}

}  // namespace korax

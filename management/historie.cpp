// History (107): the team's facts on a start page and its history file below,
// paged one line at a time.
#include <algorithm>
#include <new>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/screens.h"
#include "management/statbuild.h"
#include "management/stats.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_HISTORIE = 107;
constexpr int STARTTOP = 95, STARTBOTTOM = 245;
constexpr int LISTTOP = 260;
constexpr int ROWH = 18;
constexpr int DOWNWINDOW = 2, UPWINDOW = 8;  // keys "2" and "8"

int rows() { return (YM2 - 10 - LISTTOP - 12) / ROWH; }

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

void START() {
    HEADER(L[SCREEN_HISTORIE].str());
    const int x1 = XM1 + 20, x2 = XM2 - 20, c2 = XMC + 20;
    HINTERGRUND(x1, STARTTOP, x2, STARTBOTTOM, 1);
    DEFAULTTEXT2();
    text(x1 + 16, STARTTOP + 14, 14, TEAMNAME[NUMMER].str());
    text(x1 + 16, STARTTOP + 38, 15, "(" + TRAINERNAME[NUMMER].str() + ")");
    const int platz = TABPLATZ(NUMMER);
    const int staerke = platz >= 1 && platz <= 10 ? static_cast<int>(GEN.TABELLE[platz].STAERKE) : 0;
    struct LINE {
        int label;
        std::string value;
    } const left[] = {
        {537, GEN.LIGATXT.str() + " (" + std::to_string(GEN.LIGA) + ")"},
        {538, std::to_string(static_cast<int>(TEAM.SAISON))},
        {11, std::to_string(static_cast<int>(SPIELTAG()))},
    }, right[] = {
        {539, std::to_string(platz) + ". (" + std::to_string(static_cast<int>(GEN.PLATZ)) + ".)"},
        {536, std::to_string(staerke)},
    };
    int y = STARTTOP + 70;
    for (const LINE& l : left) {
        text(x1 + 16, y, 7, L[l.label].str() + ":");
        text(x1 + 170, y, 15, l.value);
        y += 24;
    }
    y = STARTTOP + 70;
    for (const LINE& l : right) {
        text(c2, y, 7, L[l.label].str() + ":");
        text(c2 + 170, y, 15, l.value);
        y += 24;
    }
    DEFAULTTEXT();
}

void LISTE_ZEIGEN(int first) {
    const int x1 = XM1 + 20, x2 = XM2 - 70;
    HINTERGRUND(x1, LISTTOP, x2, YM2 - 10, 8);
    FENSTER(UPWINDOW, x2 + 10, LISTTOP, XM2 - 20, LISTTOP + 40, "", -1, 7);
    FENSTER(DOWNWINDOW, x2 + 10, YM2 - 50, XM2 - 20, YM2 - 10, "", -1, 7);
    CENTERTEXTSTYLE();
    text((x2 + XM2) / 2 - 5, LISTTOP + 20, 0, "^");
    text((x2 + XM2) / 2 - 5, YM2 - 30, 0, "v");
    DEFAULTTEXT2();
    const int n = rows();
    for (int k = 0; k < n; ++k) {
        const int i = first + k;
        if (i > LISTENANZ) break;
        std::string line;
        LISTEGET(i, line);
        const HISZEILE z = HISTORIEZEILE(line);
        // Texts stand centred on their y.
        const int y = LISTTOP + 16 + k * ROWH;
        if (z.art == HISART::HEADING) {
            ESETFILLSTYLE(1, 1);
            EBAR(x1 + 4, y - ROWH / 2 + 1, x2 - 4, y + ROWH / 2 - 1);
            text(x1 + 12, y, 14, z.text);
        } else if (z.art == HISART::HIGHLIGHT) {
            text(x1 + 12, y, 11, z.text);
        } else {
            text(x1 + 12, y, 15, z.text);
        }
    }
    DEFAULTTEXT();
}

}  // namespace

int LADEHISTORIE() {
    LISTEINIT();
    HISRING ring;
    OPENHIS(NUMMER, false, false);
    ERFOLGREC line;
    try {
        while (READHIS(line)) HISPUSH(ring, line.str());
    } catch (const std::bad_alloc&) {
        CLOSEHIS();
        ERROR(8, "*.HI");
    }
    CLOSEHIS();
    std::vector<std::string> lines = HISLINES(ring);
    for (std::size_t i = 0; i < lines.size(); ++i) LISTENEW(static_cast<int>(i) + 1, lines[i]);
    LISTENANZ = static_cast<int>(lines.size());
    return LISTENANZ;
}

void HISTORIE() {
    TIPSCREEN(SCREEN_HISTORIE);
    LADEHISTORIE();
    int first = 1;
    auto aufbau = [&] {
        CLEAROBERFLAECHE();
        START();
        LISTE_ZEIGEN(first);
    };
    aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(SCREEN_HISTORIE);
            aufbau();
        } else if (KEY == '2' || KEY == '8') {
            const int next = HISSCROLL(first, KEY == '2' ? 1 : -1, LISTENANZ);
            if (next != first) {
                first = next;
                LISTE_ZEIGEN(first);
            }
        }
    }
    LISTECLOSE();
}

}  // namespace korax

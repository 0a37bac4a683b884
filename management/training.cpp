// The training plan: the trainer's points divided between six areas.
#include <cstdint>
#include <string>

#include "adviser/adviser.h"
#include "base/state.h"
#include "base/types.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/finance.h"
#include "management/mscreen.h"
#include "management/views.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_TRAINING = 110;
constexpr int AREATOP = 300;
constexpr int AREASTEP = 48;
constexpr int BALLSTEP = 11;

int area_y(int k) { return AREATOP + (k - 1) * AREASTEP; }

// Clamps the areas and checks the sum; more points given than there are is a
// damaged record.
std::int64_t checked_free() {
    NORMWERT(TEAM.TRAINING);
    const std::int64_t free = FREIEPUNKTE(TEAM.TRAINING);
    if (free < 0) ERROR(20, NUMSTR(L[240].str(), free));
    return free;
}

void free_line(std::int64_t free) {
    ESETFILLSTYLE(1, SCREEN);
    EBAR(XM1 + 20, 200, XMC, 216);
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(XM1 + 20, 204, NUMSTR(L[240].str(), free));
}

// BALLWERT: the label and a row of 20 balls, filled up to the area's points.
void BALLWERT(int k) {
    const int y = area_y(k), x = XM1 + 220;
    FENSTER(k, XM1 + 20, y, XM2 - 20, y + AREASTEP - 6, "", -1);
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(XM1 + 40, y + 14, L[588 + k].str());
    const int points = *TRAININGAREA(TEAM.TRAINING, k);
    for (int i = 1; i <= TRAININGMAX; ++i) {
        const int bx = x + (i - 1) * BALLSTEP, by = y + 20;
        if (i <= points) ECIRCLEFILL(bx, by, 4, 5);
        else {
            ESETCOLOR(5);
            ECIRCLE(bx, by, 4);
        }
        if (i == 5 || i == 10 || i == 15) {
            ESETCOLOR(11);
            ELINE(bx + 5, by - 8, bx + 5, by + 8);
        }
    }
}

std::string experience() {
    const int e = TEAM.ERFAHRUNG;
    return e <= 2 ? L[586 + e].str() : std::to_string(e);
}

void AUFBAU() {
    const std::int64_t free = checked_free();
    CLEAROBERFLAECHE();
    HEADER(L[SCREEN_TRAINING].str());
    DEFAULTTEXT();
    ESETCOLOR(15);
    EOUTTEXTXY(XM1 + 20, 110, SUBSTR(L[303].str(), experience()));
    EOUTTEXTXY(XM1 + 20, 180, L[239].str() + " " + std::to_string(static_cast<int>(TEAM.TRAINING.POINTS)));
    free_line(free);
    const int erg = TEAM.TRAINING.TRAINERERG;
    const STIMMUNGSZEILE mood = TRAINERSTIMMUNG(erg);
    std::string text = L[242].str() + ": " + L[mood.text].str();
    if (TEAM.ERFAHRUNG > 0 || TESTMODE) text += " (" + std::to_string(erg) + ")";
    DEFAULTTEXT();
    ESETCOLOR(mood.colour);
    EOUTTEXTXY(XM1 + 20, 230, text);
    PICTURE(XM2 - 120, 110, mood.picture);
    const int trend = TEAM.TRAINING.TENDENZ;
    ESETCOLOR(15);
    EOUTTEXTXY(XM1 + 20, 250, L[443].str() + " " + (trend < 0 ? "v" : trend > 0 ? "^" : "o"));
    if (TESTMODE) {
        const auto& tr = TEAM.TRAINING;
        ESETCOLOR(7);
        EOUTTEXTXY(XM1 + 20, 270, "VGR " + std::to_string(static_cast<std::int32_t>(tr.VGRGESAMT)) + "/" +
                                      std::to_string(static_cast<int>(tr.VGRANZAHL)) + "  KX " +
                                      std::to_string(static_cast<std::int32_t>(tr.KXGESAMT)) + "/" +
                                      std::to_string(static_cast<int>(tr.KXANZAHL)));
    }
    for (int k = 1; k <= 6; ++k) BALLWERT(k);
}

}  // namespace

void TRAINING() {
    TIPSCREEN(SCREEN_TRAINING);
    bool changed = false;
    AUFBAU();
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY >= 100) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 'R') {
            const std::int64_t free = checked_free();
            if (free <= 0) break;
            MELDUNG(L[420].str() + " " + std::to_string(free));
        } else if (KEY == '0') {
            HELP(SCREEN_TRAINING);
            AUFBAU();
        } else if (KEY >= '1' && KEY <= '6' && (LB || RB)) {
            // Only a click counts; a typed digit changes nothing.
            const int k = KEY - '0';
            checked_free();
            if (RB) {
                if (TRAININGPLUS(TEAM.TRAINING, k) == 419) MELDUNG(L[419].str());
            } else {
                TRAININGMINUS(TEAM.TRAINING, k);
            }
            changed = true;
            free_line(checked_free());
            BALLWERT(k);
        }
    }
    LEAVESCREEN(SCREEN_TRAINING, changed);
}

}  // namespace korax

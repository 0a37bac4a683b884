// Team data (123): computer mode, emblem requests, team colours, password, and
// the usage statistics of the own team.
#include <string>

#include "adviser/adviser.h"
#include "base/state.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "management/screens.h"
#include "management/views.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "results/zipper.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

// A picture of the program directory with its regions (bounded by colour 15)
// filled in the team colours (the plain flood fill of the emulation does
// nothing, so the real one is used); nothing at all when the picture is missing.
struct FILLPOINT {
    int x, y;
    bool second;  // FARBE2, else FARBE1
};

void colouredpicture(const std::string& name, int x, int y, std::initializer_list<FILLPOINT> points) {
    if (!SHOWPCX(x, y, JOINPATH(KXPATH, name))) return;
    for (const FILLPOINT& p : points) {
        ESETFILLSTYLE(1, p.second ? TEAM.FARBE2 : TEAM.FARBE1);
        EFLOODFILLX(x + p.x, y + p.y, 15);
    }
}

void bilder() {
    const int x = XMC + 40;
    HINTERGRUND(x - 10, 100, XM2 - 20, 270, 8);
    colouredpicture("flag.pcx", x, 112, {{20, 10, false}, {20, 18, true}});
    colouredpicture("trikot.pcx", x + 90, 112, {{30, 24, false}, {10, 14, true}, {50, 14, true}});
    const std::string team = "team" + NUMMERSTR + ".pcx";
    SHOWPCX(x, 190, JOINPATH(GAMEDIR, team));
    DEFAULTTEXT2();
    text(x + 50, 208, 15, "(" + team + ")");
}

void statistik() {
    const int x = XMC + 40;
    HINTERGRUND(x - 10, 290, XM2 - 20, 420, 1);
    DEFAULTTEXT2();
    // The time so far: the sum at the start of the run plus this run up to a fresh stamp.
    const std::int32_t now = STARTETIME("KXADD.TMP");
    const std::int32_t sofar = ADDUSAGE(TEAM.TRAINING.KXGESAMT, KXSTARTTIME, now);
    text(x, 310, 15, L[511].str() + " " + std::to_string(static_cast<int>(TEAM.TRAINING.KXANZAHL)));
    text(x, 334, 15, L[512].str() + " " + WRITEFTIME(sofar));
    text(x, 370, 15, L[510].str() + " " + std::to_string(static_cast<int>(TEAM.TRAINING.VGRANZAHL)));
    text(x, 394, 15, L[512].str() + " " + WRITEFTIME(TEAM.TRAINING.VGRGESAMT));
    DEFAULTTEXT();
}

std::string titel(int n) {
    switch (n) {
    case 11: return L[640].str() + "/" + std::to_string(static_cast<int>(TEAM.COMPUTER));
    case 12: return L[641].str() + "/" + L[646].str() + " " + std::to_string(static_cast<int>(TEAM.SYMBOLVER[NUMMER]));
    case 13: return L[642].str() + "/" + std::to_string(static_cast<int>(TEAM.FARBE1));
    case 14: return L[643].str() + "/" + std::to_string(static_cast<int>(TEAM.FARBE2));
    case 15: return L[644].str();
    default: return L[645].str();
    }
}

void fenster() {
    for (int n = 11; n <= 16; ++n) {
        const int y = 100 + (n - 11) * 60;
        FENSTER(n, XM1 + 30, y, XMC - 20, y + 48, titel(n), 1);
        if (n == 13 || n == 14) {
            ESETFILLSTYLE(1, n == 13 ? TEAM.FARBE1 : TEAM.FARBE2);
            EBAR(XMC - 60, y + 12, XMC - 34, y + 36);
        }
    }
}

void aufbau() {
    CLEAROBERFLAECHE();
    HEADER(L[123].str());
    fenster();
    bilder();
    statistik();
}

bool passwort() {
    const int x1 = XMC - 200, x2 = XMC + 200, y1 = 480;
    auto ask = [&](int prompt) {
        HINTERGRUND(x1, y1, x2, y1 + 60, 1);
        DEFAULTTEXT2();
        text(x1 + 16, y1 + 18, 15, L[prompt].str());
        std::string s;
        GREADLN(x1 + 16, y1 + 40, 14, 1, 10, 8, s);
        return s;
    };
    const std::string first = ask(508);
    const std::string second = ask(513);
    aufbau();
    if (first != second) {
        MELDUNG(L[514].str());
        return false;
    }
    CRUNCHPW(STRING8::of(first), TEAM.PASSWORT);
    return true;
}

}  // namespace

bool TEAMDATENACTION(int code, bool rightbutton) {
    switch (code) {
    case 'B':
        TEAM.COMPUTER = static_cast<std::int16_t>(COMPUTERSTEP(TEAM.COMPUTER));
        return true;
    case 'C':
        SYMBOLFRAGE(TEAM, GEN, NUMMER, 67, JANEIN(L[312].str()));
        return true;
    case 'D':
        TEAM.FARBE1 = static_cast<std::uint8_t>(FARBSTEP(TEAM.FARBE1, TEAM.FARBE2, rightbutton));
        return true;
    case 'E':
        TEAM.FARBE2 = static_cast<std::uint8_t>(FARBSTEP(TEAM.FARBE2, TEAM.FARBE1, rightbutton));
        return true;
    case 'F':
        SYMBOLFRAGE(TEAM, GEN, NUMMER, 70, JANEIN(L[446].str()));
        return true;
    case 'G':
        return passwort();
    default:
        return false;
    }
}

void TEAMDATEN() {
    TIPSCREEN(123);
    bool changed = false;
    aufbau();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == 48) {
            HELP(123);
            aufbau();
        } else if (TEAMDATENACTION(KEY, RB)) {
            changed = true;
            TIPCHANGED(123);
            aufbau();
        }
    }
    if (changed) {
        WRITETEAM(NUMMER, TEAM);
        READPLAYERS();
    }
}

}  // namespace korax

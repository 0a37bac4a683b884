// The interactive side of the game list: the chooser, the new-game panel and the
// question for a missing game directory.
#include "results/g_gamechoose.h"

#include <algorithm>
#include <vector>

#include "base/state.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "platform/dospath.h"
#include "ui/dialogs.h"
#include "ui/frames.h"

namespace korax {

namespace {

constexpr int CHOOSERWIDTH = 500;
constexpr int CHOOSERTOP = 132;
constexpr int ROWHEIGHT = 20;
constexpr int TITLEHEIGHT = 32;
constexpr int FIRSTROWWINDOW = 1;  // click windows 1..15, one per visible row
constexpr int NAMELENGTH = 8;       // a new game directory is named by up to 8 characters
constexpr int DESCLENGTH = 40;
constexpr int CELL = 8;
constexpr int PANELCOLOUR = 7;
constexpr int ROWCOLOUR = 7;
constexpr int HIGHCOLOUR = 1;

struct CHOOSERBOX {
    int x1, y1, x2, y2;  // the window
    int rows;            // visible rows
    int fieldy;          // the input line below the window
};

CHOOSERBOX chooserbox() {
    CHOOSERBOX b;
    b.rows = std::min(GAMESANZ + 1, GAMELISTROWS);
    b.x1 = (EGETMAXX() + 1 - CHOOSERWIDTH) / 2;
    b.x2 = b.x1 + CHOOSERWIDTH - 1;
    b.y1 = CHOOSERTOP;
    b.y2 = b.y1 + TITLEHEIGHT + b.rows * ROWHEIGHT + 8;
    b.fieldy = b.y2 + 14;
    return b;
}

// The area the chooser may cover at its largest, saved once and put back on every
// full redraw (the window shrinks after Delete) and when the chooser ends.
struct SAVEDAREA {
    int x1 = 0, y1 = 0;
    std::vector<std::uint8_t> pixels;
};

SAVEDAREA savearea() {
    SAVEDAREA s;
    s.x1 = (EGETMAXX() + 1 - CHOOSERWIDTH) / 2;
    s.y1 = CHOOSERTOP;
    int y2 = std::min(EGETMAXY(), CHOOSERTOP + TITLEHEIGHT + GAMELISTROWS * ROWHEIGHT + 8 + 14 + 30);
    EGETIMAGE(s.x1, s.y1, std::min(EGETMAXX(), s.x1 + CHOOSERWIDTH + 5), y2, s.pixels);
    return s;
}

void restorearea(const SAVEDAREA& s) {
    if (!s.pixels.empty()) EPUTIMAGE(s.x1, s.y1, s.pixels, 0);
}

void dropwindows() {
    for (int n = FIRSTROWWINDOW; n < FIRSTROWWINDOW + GAMELISTROWS; ++n) KLICKFENSTER[n].AKTIV = false;
}

int rowtop(const CHOOSERBOX& b, int visible) { return b.y1 + TITLEHEIGHT + visible * ROWHEIGHT; }

std::string cut(std::string_view s, std::size_t n) { return std::string(s.substr(0, std::min(s.size(), n))); }

void SHOWKEYS() {
    CENTERTEXTSTYLE();
    ESETCOLOR(15);
    int x = (EGETMAXX() + 1) / 2;
    int y = EGETMAXY() - 75;
    for (int n : {551, 552, 553}) {
        EOUTTEXTXY(x, y, L[n].str());
        y += 16;
    }
}

void SHOWONE(const CHOOSERBOX& b, const GAMELISTVIEW& v, int entry) {
    int visible = entry - v.top;
    if (visible < 0 || visible >= b.rows) return;
    int y = rowtop(b, visible);
    bool high = entry == v.pos;
    ESETFILLSTYLE(1, high ? HIGHCOLOUR : ROWCOLOUR);
    EBAR(b.x1 + 20, y, b.x2 - 20, y + ROWHEIGHT - 2);
    DEFAULTTEXT2();
    ESETCOLOR(high ? 15 : 0);
    int ty = y + ROWHEIGHT / 2 - 1;
    EOUTTEXTXY(b.x1 + 28, ty, GAMES[entry].NAME.str());
    EOUTTEXTXY(b.x1 + 140, ty, cut(GAMES[entry].BESCHREIB.str(), (b.x2 - 28 - b.x1 - 140) / CELL));
}

void SHOWINHALT(const CHOOSERBOX& b, const GAMELISTVIEW& v) {
    HINTERGRUND(b.x1, b.y1, b.x2, b.y2, PANELCOLOUR);
    CENTERTEXTSTYLE();
    ESETCOLOR(0);
    EOUTTEXTXY((b.x1 + b.x2) / 2, b.y1 + TITLEHEIGHT / 2, L[556].str());
    dropwindows();
    for (int i = 0; i < b.rows; ++i) {
        int y = rowtop(b, i);
        SETKLICKFENSTER(FIRSTROWWINDOW + i, b.x1 + 20, y, b.x2 - 20, y + ROWHEIGHT - 2);
        SHOWONE(b, v, v.top + i);
    }
    DEFAULTTEXT2();
    ESETCOLOR(0);
    if (v.top > 0) EOUTTEXTXY(b.x2 - 14, rowtop(b, 0) + ROWHEIGHT / 2, "^");
    if (v.top + b.rows < GAMESANZ + 1) EOUTTEXTXY(b.x2 - 14, rowtop(b, b.rows - 1) + ROWHEIGHT / 2, "v");
}

void redraw(const SAVEDAREA& area, CHOOSERBOX& b, const GAMELISTVIEW& v) {
    restorearea(area);
    b = chooserbox();
    SHOWINHALT(b, v);
}

// Reads one line in a field below the chooser window.
std::string readfield(const CHOOSERBOX& b, std::size_t maxlength) {
    int width = static_cast<int>(maxlength) * CELL + 16;
    int x1 = (b.x1 + b.x2 - width) / 2;
    TIEF3D(x1, b.fieldy, x1 + width, b.fieldy + 22, 2, 0);
    std::string s;
    GREADLN(x1 + 8, b.fieldy + 11, 15, 0, CELL, maxlength, s);
    return s;
}

// Waits for a key or a click in a click window, as MOUSEAKTION does, but a click
// on a row is taken before a key typed meanwhile (the key stays queued). Gives the
// visible row clicked (-1 otherwise) and whether it was the right button.
int waitinput(const CHOOSERBOX& b, bool& right) {
    for (;;) {
        KEY = 255;
        CHECKMOUSEPOS();
        right = RB;
        if (KEY != 255 && (LB || RB)) {
            for (int i = 0; i < b.rows; ++i)
                if (KEY == static_cast<unsigned char>(KLICKKEY(FIRSTROWWINDOW + i))) return i;
        }
        if (KEYPRESSED()) {
            TASTE();
            right = false;
            if (KEY >= 'a' && KEY <= 'z') KEY = static_cast<unsigned char>(KEY - 32);
            return -1;
        }
        if (KEY != 255) return -1;
        DELAY(10);
    }
}

}  // namespace

std::string GETGAMELISTE(int mode) {
    if (mode != 1) SHOWKEYS();
    SAVEDAREA area = savearea();
    GAMELISTVIEW v;
    CHOOSERBOX b = chooserbox();
    SHOWINHALT(b, v);
    for (;;) {
        bool right = false;
        int row = waitinput(b, right);
        unsigned char k = KEY, k2 = KEY2;
        if (row >= 0 && v.top + row <= GAMESANZ) {
            // A left click chooses the row; a right click describes it.
            int old = v.pos;
            GAMELISTMOVE(v, v.top + row - v.pos);
            if (!right) break;
            SHOWONE(b, v, old);
            SHOWONE(b, v, v.pos);
            k = ' ';
        } else if (row >= 0) {
            continue;
        }
        if (k == 0 && (k2 == 72 || k2 == 80)) {
            int oldpos = v.pos, oldtop = v.top;
            GAMELISTMOVE(v, k2 == 72 ? -1 : 1);
            if (v.top != oldtop) {
                SHOWINHALT(b, v);
            } else {
                SHOWONE(b, v, oldpos);
                SHOWONE(b, v, v.pos);
            }
        } else if (k == '0') {
            MELDUNG(L[564].str() + "/" + L[565].str() + "/" + L[566].str());
        } else if (k == 0 && k2 == 82) {
            std::string name = readfield(b, NAMELENGTH);
            bool added = GAMELISTINSERT(v, name);
            redraw(area, b, v);
            if (added) MELDUNG(SUBSTR(L[569].str(), NOLINEBREAKS(GAMES[GAMESANZ].NAME.str())));
            else if (!name.empty()) BEEP(3);
        } else if (k == 0 && k2 == 83) {
            if (GAMELISTDELETE(v)) {
                redraw(area, b, v);
                MELDUNG(L[557].str());
            }
        } else if (k == ' ') {
            if (v.pos >= 1) {
                int y = rowtop(b, v.pos - v.top);
                ESETFILLSTYLE(1, HIGHCOLOUR);
                EBAR(b.x1 + 136, y, b.x2 - 20, y + ROWHEIGHT - 2);
                // Edited in place: Enter keeps it, Escape and Enter clear it.
                std::string s = GAMES[v.pos].BESCHREIB.str();
                GREADLN(b.x1 + 140, y + ROWHEIGHT / 2 - 1, 15, HIGHCOLOUR, CELL, DESCLENGTH, s);
                GAMELISTDESCRIBE(v, s);
                SHOWONE(b, v, v.pos);
            }
        } else if (k == 13) {
            break;
        } else if (k == 27) {
            dropwindows();
            ENDPROGRAM(0);
        }
    }
    dropwindows();
    restorearea(area);
    return cut(GAMELISTRESULT(v.pos), MAXDIRNAME);
}

void BESCHREIBGAMEDIR() {
    if (UPCASE(READYDIR(GAMEDIR)) == "DEMO") return;
    int x1 = (EGETMAXX() + 1 - 600) / 2, x2 = x1 + 599;
    HINTERGRUND(x1, 212, x2, 412, PANELCOLOUR);
    DEFAULTTEXT2();
    ESETCOLOR(14);
    EOUTTEXTXY(x1 + 20, 236, NOLINEBREAKS(RSTNAME) + ":");
    ESETCOLOR(12);
    EOUTTEXTXY(x1 + 20, 266, L[570].str());
    ESETCOLOR(15);
    std::string label = L[571].str();
    EOUTTEXTXY(x1 + 20, 306, label);
    int fx = x1 + 30 + ETEXTWIDTH(label);
    // The field starts with the game directory the result names, so Enter takes
    // it; a name the result brings may be longer than a typed one.
    std::string name;
    if (auto named = SAFENAME(READYDIR(GAMEDIR), MAXDIRNAME, false)) name = *named;
    const std::size_t length = std::max<std::size_t>(NAMELENGTH, name.size());
    // Only a plain name: anything else could not be read back from GAMES.INI.
    for (;;) {
        ESETFILLSTYLE(1, 0);
        EBAR(fx - 4, 296, fx + static_cast<int>(length) * CELL + 4, 316);
        GREADLN(fx, 306, 15, 0, CELL, length, name);
        auto plain = SAFENAME(name, length, false);
        if (plain && *plain == name) break;
        name.clear();
    }
    GAMEDIR = name;
    INITDIR(GAMEDIR);
    CAPS(GAMEDIR);
    ESETCOLOR(15);
    std::string dlabel = L[572].str() + ":";
    EOUTTEXTXY(x1 + 20, 346, dlabel);
    int dx = x1 + 30 + ETEXTWIDTH(dlabel);
    ESETFILLSTYLE(1, 0);
    EBAR(dx - 4, 336, std::min(x2 - 8, dx + DESCLENGTH * CELL + 4), 356);
    std::string desc;
    GREADLN(dx, 346, 15, 0, CELL, DESCLENGTH, desc);
    APPENDGAMESINI(READYDIR(GAMEDIR) + ", " + desc);
}

void DIR2GAMEDIR(std::string_view dir) {
    // The name comes from the result being imported: only a plain name may become
    // a directory, whichever caller hands it over.
    GAMEDIR = DATAGAMEDIR(dir, RSTNAME);
    if (CANCHDIR(GAMEDIR)) {
        CHECKGAMEDIR();
        return;
    }
    std::string name = NOLINEBREAKS(READYDIR(dir));
    std::string e1 = cut("[" + SUBSTR(L[568].str(), name) + "]", 60);
    std::string e2 = cut(SUBSTR(L[573].str(), name), 60);
    std::string e3 = cut(L[574].str(), 60);
    std::size_t longest = std::max({e1.size(), e2.size(), e3.size()});
    int w = static_cast<int>(longest + 2) * 8;
    int h = (2 + 3) * 20 + 10;
    int x = (EGETMAXX() + 1 - w) / 2;
    int y = (EGETMAXY() + 1 - h) / 2 - 100;
    switch (GETKONTEXT(x, y, e1, e2, e3, "", "", "")) {
        case 1: INITDIR(GAMEDIR); break;
        case 2: BESCHREIBGAMEDIR(); break;
        default: ENDPROGRAM(0);
    }
}

}  // namespace korax

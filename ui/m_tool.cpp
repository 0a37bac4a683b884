// The screen frame and the menu column on screen, and the input pass every screen runs.
#include "ui/m_tool.h"

#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "ui/dialogs.h"
#include "ui/frames.h"

namespace korax {

ADVISERHOOKS ADVISER;

namespace {

int spare = 0;               // extra room above the scrolling part of the column
bool dragging = false;       // a right-button drag of a menu button is under way
int dragsource = 0;          // the menu code being dragged
int drawnrel = 0;            // the scroll offset the scrolling buttons show

constexpr int HEADERTOP = 38;
constexpr int HEADERBOTTOM = 78;
constexpr int WORKTOP = 84;

BUTTONRECT slot(int i) {
    BUTTONRECT r;
    r.x1 = MENUCOLX1();
    r.x2 = MENUCOLX2();
    if (i < FESTANZ) {
        r.y1 = 88 + 46 * i;
        r.y2 = 128 + 46 * i;
    } else {
        r.y1 = 88 + 46 * i + spare;
        r.y2 = 128 + 46 * i + spare;
        r.x2 -= 25;
    }
    return r;
}

void label(const BUTTONRECT& r, const std::string& text, int colour) {
    ESETTEXTSTYLE(1, 0, 1);
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    int xc = (r.x1 + r.x2) / 2, yc = (r.y1 + r.y2) / 2;
    ESETCOLOR(0);
    EOUTTEXTXY(xc + 1, yc + 1, text);
    ESETCOLOR(colour);
    EOUTTEXTXY(xc, yc, text);
    DEFAULTTEXT();
}

void draw_raised(int b) {
    if (b < 1 || b > ANZ) return;
    BUTTONRECT r = MENUBUTTONRECT(b);
    ESETFILLSTYLE(1, 2);
    EBAR(r.x1, r.y1, r.x2, r.y2);
    FRAME(r.x1, r.y1, r.x2, r.y2, 3, 15, 8);
    ESETCOLOR(3);
    ERECTANGLE(r.x1, r.y1, r.x2, r.y2);
    BUTTONTEXT(b, 11);
}

void draw_pressed(int b) {
    if (b < 1 || b > ANZ) return;
    BUTTONRECT r = MENUBUTTONRECT(b);
    ESETFILLSTYLE(1, 4);
    EBAR(r.x1, r.y1, r.x2, r.y2);
    FRAME(r.x1, r.y1, r.x2, r.y2, 3, 8, 15);
    ESETCOLOR(3);
    ERECTANGLE(r.x1, r.y1, r.x2, r.y2);
    BUTTONTEXT(b, 14);
}

void arrow(int window, const BUTTONRECT& beside, const char* text) {
    int x1 = beside.x2 + 4, x2 = MENUCOLX2();
    SETKLICKFENSTER(window, x1, beside.y1, x2, beside.y2);
    FELD3D(x1, beside.y1, x2, beside.y2, 2, 7);
    CENTERTEXTSTYLE();
    ESETCOLOR(0);
    EOUTTEXTXY((x1 + x2) / 2, (beside.y1 + beside.y2) / 2, text);
    DEFAULTTEXT();
}

void shadowtext(int x, int y, const std::string& text, int colour) {
    ESETCOLOR(0);
    EOUTTEXTXY(x + 1, y + 1, text);
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, text);
}

}  // namespace

void SETGEOMETRY() {
    const int width = EMAXX + 1, height = EMAXY + 1;
    if (LEFTMENU) {
        XM1 = 244;
        XM2 = width - 6;
    } else {
        XM1 = 6;
        XM2 = width - 244;
    }
    XMC = (XM1 + XM2) / 2;
    YM2 = height - 43;
}

int MENUCOLX1() { return LEFTMENU ? 10 : XM2 + 8; }
int MENUCOLX2() { return LEFTMENU ? XM1 - 9 : EMAXX - 9; }

BUTTONRECT MENUBUTTONRECT(int b) {
    BUTTONRECT r = slot(b - 1);
    r.x1 += 3;
    r.y1 += 3;
    r.x2 -= 3;
    r.y2 -= 3;
    return r;
}

void BUTTONINIT(bool readconfig) {
    if (readconfig) {
        FESTANZ = 0;
        MENUANZ = 0;
        MENUREL = 0;
        READMENUCFG();
    }
    ANZ = (YM2 - 90) / 46;
    spare = YM2 - ((ANZ - 1) * 46 + 128) - 7;
    CHECKMENUCOUNTS();
    EHIDEMOUSE();
    const int x1 = MENUCOLX1(), x2 = MENUCOLX2();
    ESETFILLSTYLE(1, SCREEN);
    EBAR(x1 - 2, 84, x2 + 2, YM2);
    drawnrel = MENUREL;
    // Every slot has its button, so that the last entry can be scrolled into view.
    for (int i = 0; i < ANZ; ++i) {
        BUTTONRECT r = slot(i);
        BUTTON3D(i, r.x1, r.y1, r.x2, r.y2, 0);
    }
    for (int i = ANZ; i < KLICKFENSTERANZ - 31; ++i) KLICKFENSTER[static_cast<std::size_t>(i + 31)].AKTIV = false;
    int ysep = spare / 2 + (FESTANZ - 1) * 46 + 131;
    FRAMELINEX(x1, x2, ysep, 15, 8);
    FRAMELINEX(x1, x2, ysep + 2, 15, 8);
    arrow(21, slot(FESTANZ), "^");
    arrow(22, slot(ANZ - 1), "v");
    if (OLDBUTTON >= 1 && OLDBUTTON <= ANZ && BUTTON2MENU(OLDBUTTON) == OLDMENU && OLDMENU != 0)
        draw_pressed(OLDBUTTON);
    ESHOWMOUSE();
}

void INITOBERFLAECHE(int mode) {
    if (mode == 0) ELOADPCX("palette!.pcx", 0, 0);
    SETGEOMETRY();
    CLEARKLICKFENSTER();
    SETPALETTE();
    EHIDEMOUSE();
    ECLEARDEVICE();
    ESETFILLSTYLE(1, SCREEN);
    EBAR(6, 36, EMAXX - 6, EMAXY - 6);
    FRAME(0, 0, EMAXX, EMAXY, 3, 15, 8);
    FRAME(3, 33, EMAXX - 3, EMAXY - 3, 3, 8, 15);
    FRAMELINEX(6, EMAXX - 6, 81, 15, 8);
    if (LEFTMENU) FRAMELINEY(XM1 - 4, 84, EMAXY - 6, 15, 8);
    else FRAMELINEY(XM2 + 3, 84, EMAXY - 6, 15, 8);
    DEFAULTTEXT2();
    shadowtext(12, 17, EWINTITLE.str(), 15);
    shadowtext(220, 17, "Trainer: " + TEAM.TRAINER.str(), 15);
    shadowtext(470, 17, std::to_string(TEAM.LIGA) + ". Liga (" + TEAM.NAME.str() + ")", 15);
    shadowtext(740, 17, "Pokal: " + std::to_string(TEAM.POKALFLAG), 15);
    shadowtext(850, 17, "GameDir: " + GAMEDIR, 15);
    ESHOWMOUSE();
    BUTTONINIT(MENUANZ == 0 || mode == 0);
    if (ADVISER.desktop) ADVISER.desktop();
}

void CLEAROBERFLAECHE() {
    EHIDEMOUSE();
    ESETFILLSTYLE(1, SCREEN);
    EBAR(XM1, WORKTOP, XM2, YM2);
    if (ADVISER.redraw) ADVISER.redraw();
    ESHOWMOUSE();
}

void HEADER(std::string_view text) {
    std::string t(text.substr(0, 40));
    EHIDEMOUSE();
    ESETFILLSTYLE(1, SCREEN);
    EBAR(XM1, HEADERTOP, XM2, HEADERBOTTOM);
    ESETTEXTSTYLE(1, 0, 2);
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    shadowtext(XMC, (HEADERTOP + HEADERBOTTOM) / 2, t, 14);
    DEFAULTTEXT();
    ESHOWMOUSE();
}

void BUTTONAN(int b) {
    // The scroll may have moved since the column was drawn (an entry chosen by
    // code is scrolled into view): the scrolling buttons show the new entries.
    if (MENUREL != drawnrel) {
        drawnrel = MENUREL;
        for (int i = FESTANZ + 1; i <= ANZ; ++i)
            if (i != b) draw_raised(i);
    }
    // Scrolling under a button that stays changes the entry too.
    if (b != OLDBUTTON || BUTTON2MENU(b) != OLDMENU) TABMENU = OLDMENU;
    OLDBUTTON = b;
    OLDMENU = BUTTON2MENU(b);
    draw_pressed(b);
    if (OLDMENU > 0 && OLDMENU < static_cast<int>(L.size())) HEADER(L[static_cast<std::size_t>(OLDMENU)].str());
}

void BUTTONAUS(int b) { draw_raised(b); }

void BUTTONTEXT(int b, int colour) {
    if (b > ANZ || b == 0) return;
    int code = b < 0 ? 198 : BUTTON2MENU(b);
    BUTTONRECT r = b < 0 ? MENUBUTTONRECT(1) : MENUBUTTONRECT(b);
    std::string text = (code >= 0 && code < static_cast<int>(L.size())) ? L[static_cast<std::size_t>(code)].str() : "";
    if (LASTDAY && code == 104) {
        text = L[197].str();
        colour = 14;
    }
    if (code == 128 && GEN.ZATTEXT.size() > 0 && GEN.ZAT > 0) colour = 14;
    label(r, text, colour);
}

void BUTTON3D(int n, int x1, int y1, int x2, int y2, int colour) {
    SETKLICKFENSTER(n + 31, x1, y1, x2, y2);
    TIEF3D(x1, y1, x2, y2, 2, colour);
    BUTTONAUS(n + 1);
}

void RELATIVBUTTON(int c) {
    bool beep = false;
    int target = RELATIVTARGET(c, beep);
    if (beep) {
        BEEP(1);
        return;
    }
    MENUREL = target;
    drawnrel = MENUREL;
    EHIDEMOUSE();
    for (int b = FESTANZ + 1; b <= ANZ; ++b) {
        if (BUTTON2MENU(b) == OLDMENU) draw_pressed(b);
        else draw_raised(b);
    }
    ESHOWMOUSE();
}

void MAPMENUKEY() {
    SHIFT = KEY >= 'A' && KEY <= 'Z';
    if (KEY >= 'a' && KEY <= 'z') KEY = static_cast<unsigned char>(KEY - 32);
    if (KEY > 100) {
        KEY = 0;  // button keys cannot be typed
    } else if (KEY == 9) {
        KEY = static_cast<unsigned char>(100 + MENU2BUTTON(TABMENU));
    } else if (KEY == 0) {
        switch (KEY2) {
            case 15: KEY = 27; break;
            case 73: KEY = 24; break;
            case 81: KEY = 23; break;
            case 72:
                // At the first scrolling button Up scrolls back and stays on that button.
                if (OLDBUTTON == FESTANZ + 1 && MENUREL > 0) {
                    RELATIVBUTTON(21);
                    KEY = static_cast<unsigned char>(100 + OLDBUTTON);
                } else if (OLDBUTTON > 1) {
                    KEY = static_cast<unsigned char>(99 + OLDBUTTON);
                }
                break;
            case 80:
                // At the last button Down scrolls on and stays on that button.
                if (OLDBUTTON < ANZ) {
                    KEY = static_cast<unsigned char>(101 + OLDBUTTON);
                } else if (MENUREL + ANZ < MENUANZ) {
                    RELATIVBUTTON(22);
                    KEY = static_cast<unsigned char>(100 + OLDBUTTON);
                }
                break;
            default: break;
        }
    }
    ETWAS = true;
}

void MENUTASTE() {
    TASTE();
    MAPMENUKEY();
}

void KEYBUTTON() {
    if (KEY < 100) return;
    int b = KEY - 100;
    int code = BUTTON2MENU(b);
    if (code == 0) {
        KEY = 0;
        return;
    }
    EHIDEMOUSE();
    BUTTONAUS(OLDBUTTON);
    BUTTONAN(b);
    CLEAROBERFLAECHE();
    ESHOWMOUSE();
    KEY = static_cast<unsigned char>(code);
}

bool GLOBALBUTTON() {
    do {
        if (ADVISER.animate) ADVISER.animate();
        if (KEYPRESSED()) MENUTASTE();
        else KEY = 0;
        CHECKMOUSEPOS();
        KEYBUTTON();
        if (dragging && KEY == 27) {
            // Escape drops a drag without changing the menu.
            dragging = false;
            EMOUSEBORDER(0, 0, EMAXX, EMAXY);
            ESETSMOUSE();
        } else if (KEY > 100 && (RB || dragging)) {
            if (!dragging) {
                dragging = true;
                dragsource = KEY;
                if (LEFTMENU) EMOUSEBORDER(0, 82, XM1, EMAXY);
                else EMOUSEBORDER(XM2, 82, EMAXX, EMAXY);
                ESETDRAGMOUSE();
            } else {
                dragging = false;
                EMOUSEBORDER(0, 0, EMAXX, EMAXY);
                ESETSMOUSE();
                if (RB && KEY != dragsource) {
                    VERTAUSCHEMENU(dragsource, KEY);
                    BUTTONINIT(true);
                }
                KEY = static_cast<unsigned char>(dragsource);
            }
        }
        if (KEY == 25) {
            if (ADVISER.run) ADVISER.run();
        } else if (KEY == 26) {
            KEY = 27;
            KEY2 = 26;
            while (LEFTBUTTON()) DELAY(10);
        } else if (KEY >= 21 && KEY <= 24) {
            EHIDEMOUSE();
            RELATIVBUTTON(KEY);
            ESHOWMOUSE();
            KEY = 0;
        }
        if (dragging && KEY == 0) DELAY(10);
    } while (dragging);
    return KEY >= 100 || KEY == 27;
}

void BUTTON(int n, int x1, int y1, int x2, int y2, int colour, int textcolour, std::string_view text, bool frame) {
    SETKLICKFENSTER(n, x1, y1, x2, y2);
    EHIDEMOUSE();
    FELD3D(x1, y1, x2, y2, 0, colour);
    if (frame) {
        ESETCOLOR(0);
        ERECTANGLE(x1 - 1, y1 - 1, x2 + 1, y2 + 1);
    }
    BUTTONRECT r{x1, y1, x2, y2};
    label(r, std::string(text.substr(0, 25)), textcolour);
    ESHOWMOUSE();
}

}  // namespace korax

// The adviser's figure, its animation, and the bubble with the current screen's tip.
#include <array>
#include <utility>

#include "adviser/adviser.h"
#include "adviser/hugo_internal.h"
#include "base/state.h"
#include "data/g_general.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "platform/paths.h"
#include "data/lg.h"
#include "base/types.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

std::int16_t HUGO = 1;
int HUGOX = 0, HUGOY = 0;
int HX1 = 0, HY1 = 0, HX2 = 0, HY2 = 0;
ICONREC HUGO1{}, HUGO2{};
std::uint16_t MERKTIME = 0;

namespace {

constexpr int LABELW = 100, LABELH = 32;  // the picture "text"
constexpr int FRAMETICKS = 18;
constexpr int BUBBLERX = 200, BUBBLERY = 150;
constexpr int OVALRX = 60, OVALRY = 34;
constexpr int MAXTIPLINES = 7;
constexpr std::size_t MAXTIPCHARS = 36;

// The figure stands in the bottom right corner of the work area, its label left of it.
void lage() {
    HUGOX = XM2 - 48;
    HUGOY = YM2 - 48;
    HX1 = HUGOX - 46 - LABELW;
    HY1 = HUGOY - 40;
    HX2 = HUGOX + 40;
    HY2 = HUGOY + 40;
}

std::string still() { return TMPFILE("h1.TMP"); }

// The icon twice as large, inside the white disc.
void figur(const ICONREC& icon) {
    for (int row = 0; row < 32; ++row)
        for (int col = 0; col < 32; ++col) {
            const int dx = 2 * col + 1 - 32, dy = 2 * row + 1 - 32;
            if (dx * dx + dy * dy > 30 * 30) continue;
            const int x = HUGOX - 32 + 2 * col, y = HUGOY - 32 + 2 * row, c = icon.P[row][col];
            EPUTPIXEL(x, y, c);
            EPUTPIXEL(x + 1, y, c);
            EPUTPIXEL(x, y + 1, c);
            EPUTPIXEL(x + 1, y + 1, c);
        }
}

void nach_loeschen() {
    if (HUGO > 1) {
        HUGO = 1;
    } else if (HUGO == 0) {
        lage();
        if (ELOADPIC(still(), HX1, HY1) == 0) SETKLICKFENSTER(25, HX1, HY1, HX2, HY2);
        HUGO = -1;
    } else if (HUGO < 0) {
        // The still figure is gone with the clearing; its place answers no more.
        KLICKFENSTER[25].AKTIV = false;
    }
}

void neuer_schirm() {
    HUGO = 1;
    TIPSBUTTON();
}

void nach_hilfe() {
    if (HUGO > 1) HUGO = 1;
}

void text_zentriert(int x, int y, const std::string& s, int colour) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

// The box shown when there is no tip to give. The click that led here has been
// released already (the toolkit waits for that), so the box cannot close at once.
void keine_tipps() {
    MELDUNG(NOLINEBREAKS(L[488].str()) + "/" + NOLINEBREAKS(L[489].str()));
    KEY = 0;
}

}  // namespace

void TIPSBUTTON() {
    if (!INGRAPH) return;
    lage();
    std::string text;
    if (TIPANZAHL > 0) text = "->" + L[480].str() + " (" + std::to_string(TIPANZAHL) + ")";
    BUTTON(26, HX1, YM2 + 8, HX2, EMAXY - 10, 2, 14, text, true);
}

void SHOWHUGO() {
    if (HUGO <= 0) return;
    // Set on every pass: a screen may have cleared its click windows meanwhile.
    SETKLICKFENSTER(25, HUGOX - 40, HUGOY - 40, HUGOX + 40, HUGOY + 40);
    if (HUGO == 1) {
        lage();
        SETKLICKFENSTER(25, HUGOX - 40, HUGOY - 40, HUGOX + 40, HUGOY + 40);
        EHIDEMOUSE();
        ESETFILLSTYLE(1, SCREEN);
        EBAR(HX1, HY1, HX2, HY2);
        // Each disc's outline in its own colour.
        for (const auto& [r, c] : {std::pair{36, 0}, std::pair{35, 12}, std::pair{32, 15}}) {
            ESETCOLOR(c);
            ECIRCLEFILL(HUGOX, HUGOY, r, c);
        }
        SHOWPCX(HUGOX - 46 - LABELW, HUGOY - LABELH / 2, JOINPATH(KXPATH, "text.pcx"));
        if (!READICONTOL("hugo1", HUGO1)) HUGO1 = ICONREC{};
        if (!READICONTOL("hugo2", HUGO2)) HUGO2 = HUGO1;
        figur(HUGO1);
        // The still figure that screens without tips show in its place.
        ESAVEPIC(still(), HX1, HY1, HX2, HY2);
        ESHOWMOUSE();
        HUGO = 2;
        MERKTIME = READTICKS();
        return;
    }
    const std::uint16_t now = READTICKS();
    if (static_cast<std::uint16_t>(now - MERKTIME) < FRAMETICKS) {
        DELAY(10);
        return;
    }
    MERKTIME = now;
    EHIDEMOUSE();
    if (HUGO == 2) {
        figur(HUGO1);
        HUGO = 3;
    } else {
        figur(HUGO2);
        HUGO = 2;
    }
    ESHOWMOUSE();
}

void SMALLELL(int x, int y, int rx, int ry) {
    ESETFILLSTYLE(1, 15);
    ESETCOLOR(0);
    EFILLELLIPSE(x, y, rx, ry);
}

void ELLBUTTON(int x, int y, int n1) {
    ESETFILLSTYLE(1, 7);
    ESETCOLOR(0);
    EFILLELLIPSE(x, y, OVALRX, OVALRY);
    ESETCOLOR(8);
    EELLIPSE(x, y, 0, 360, OVALRX - 1, OVALRY - 1);
    CENTERTEXTSTYLE();
    for (int i = 0; i < 4; ++i) {
        const int n = n1 + i;
        if (n < 0 || n > 700) continue;
        text_zentriert(x, y - 21 + 14 * i, L[static_cast<std::size_t>(n)].str(), 0);
    }
    DEFAULTTEXT();
}

void DOHUGO() {
    const TIPBLOCK* tip = nullptr;
    if (TIPANZAHL > 0 && HUGO >= 1) tip = AKTUTIP(AKTUMENU);
    if (TIPANZAHL == 0) {
        keine_tipps();
        return;
    }
    // Only a tip that holds is shown: the first block alone could advise the wrong
    // way. Without one here, the bubble offers the next screen with tips.
    std::vector<std::string> zeilen;
    int knopf1 = 450, knopf2 = 454;
    if (tip) {
        for (const auto& z : tip->lines) {
            if (static_cast<int>(zeilen.size()) == MAXTIPLINES) break;
            zeilen.push_back(z.substr(0, MAXTIPCHARS));
        }
    } else {
        for (int n = 481; n <= 487; ++n) zeilen.push_back(L[static_cast<std::size_t>(n)].str());
        knopf1 = 470;
        knopf2 = 474;
    }
    const std::string aktion = tip ? tip->action : std::string();

    SAVEBILD();
    lage();
    EHIDEMOUSE();
    const int bx = XMC, by = EMAXY / 2;
    // The tail: three small ellipses from the figure towards the bubble.
    for (int i = 1; i <= 3; ++i) {
        const int x = HUGOX + (bx + BUBBLERX / 2 - HUGOX) * i / 4;
        const int y = HUGOY - 40 + (by + BUBBLERY / 2 - HUGOY + 40) * i / 4;
        SMALLELL(x, y, 6 + 4 * i, 4 + 3 * i);
    }
    ESETFILLSTYLE(1, 15);
    ESETCOLOR(0);
    EFILLELLIPSE(bx, by, BUBBLERX, BUBBLERY);
    ESETCOLOR(8);
    EELLIPSE(bx, by, 0, 360, BUBBLERX - 1, BUBBLERY - 1);
    EELLIPSE(bx, by, 0, 360, BUBBLERX - 2, BUBBLERY - 2);
    DEFAULTTEXT();
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    // Fewer lines stand in the middle of the room above the buttons.
    const int oben = by - 100 + 9 * (MAXTIPLINES - static_cast<int>(zeilen.size()));
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        text_zentriert(bx, oben + 18 * static_cast<int>(i), zeilen[i], 0);
    DEFAULTTEXT();
    const int k1x = bx - 80, k2x = bx + 80, ky = by + 70;
    ELLBUTTON(k1x, ky, knopf1);
    ELLBUTTON(k2x, ky, knopf2);

    std::array<FENSTERREC, KLICKFENSTERANZ> fenster = KLICKFENSTER;
    CLEARKLICKFENSTER();
    SETKLICKFENSTER(1, k1x - OVALRX, ky - OVALRY, k1x + OVALRX, ky + OVALRY);
    SETKLICKFENSTER(2, k2x - OVALRX, ky - OVALRY, k2x + OVALRX, ky + OVALRY);
    EMOUSEBORDER(bx - BUBBLERX, by - BUBBLERY, bx + BUBBLERX, by + BUBBLERY);
    EMOUSEPOS(k1x, ky);
    ESHOWMOUSE();
    bool erster = false;
    for (;;) {
        if (KEYPRESSED()) {
            TASTE();
            break;
        }
        KEY = 0;
        CHECKMOUSEPOS();
        if (RB) break;
        if (LB) {
            erster = KEY == '1';
            break;
        }
        DELAY(10);
    }
    KLICKFENSTER = fenster;
    KEY = 0;
    KEY2 = 0;
    bool angewandt = false;
    if (erster && !tip) {
        KEY = 27;
        KEY2 = 26;
    } else if (erster) {
        angewandt = SETPARSER(0, aktion);
        if (angewandt) KEY = static_cast<unsigned char>(AKTUMENU);
    }
    EHIDEMOUSE();
    LOADBILD();
    ESHOWMOUSE();
    if (angewandt) LESETIPS();
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
}

void ADVISERINIT() {
    ADVISER.animate = SHOWHUGO;
    ADVISER.run = DOHUGO;
    ADVISER.redraw = nach_loeschen;
    ADVISER.afterhelp = nach_hilfe;
    ADVISER.desktop = neuer_schirm;
    ADVISER.silence = [] { HUGO = 0; };
    HUGO = 1;
}

}  // namespace korax

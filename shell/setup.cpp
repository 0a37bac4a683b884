#include "shell/setup.h"

#include "base/types.h"
#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/htime.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

// Windows of the screen: click window number, top edge, and the code its key gives.
struct SETUPWINDOW {
    int n;
    int y;
    int code;
};
constexpr SETUPWINDOW WINDOWS[] = {
    {1, 100, 49}, {2, 165, 50}, {3, 230, 51}, {4, 295, 52}, {19, 375, 74}, {20, 440, 75},
};
constexpr int WINDOWHEIGHT = 50;
constexpr int BACKWINDOW = 27;  // answers Escape

std::string title_of(int code) {
    switch (code) {
    case 49: return L[520].str() + "/" + (STARTBILD ? L[306].str() : L[307].str());
    case 50: return L[521].str() + "/" + VGRMODELABEL(VGRMODE);
    case 51: return L[522].str() + " (min)/" + std::to_string(SCR_TIME / 60);
    case 52: return L[525].str() + "/" + L[MENUMODE == 2 ? 305 : 304].str();
    case 74: return L[523].str();
    case 75: return L[524].str();
    default: return "";
    }
}

void AUFBAU() {
    CLEAROBERFLAECHE();
    HEADER(L[127].str());
    const int x1 = XMC - 220, x2 = XMC + 220;
    for (const auto& w : WINDOWS) FENSTER(w.n, x1, w.y, x2, w.y + WINDOWHEIGHT, title_of(w.code), 1);
    FENSTER(BACKWINDOW, x1, 520, x2, 560, L[526].str(), -1);
}

}  // namespace

std::string VGRMODELABEL(int mode) {
    switch (mode) {
    case 0: return "640x480";
    case 1: return "800x600";
    case 2: return "1024x768";
    case 3: return "BIG 1024";
    default: return "?";
    }
}

bool SETUPACTION(int code) {
    switch (code) {
    case 48:
        HELP(127);
        return false;
    case 49:
        STARTBILD = !STARTBILD;
        WRITEINI();
        return true;
    case 50: {
        int k = GETKONTEXT(XMC - 80, 180, "[Videomode]", "640x480", "800x600", "1024x768", "", "");
        if (k >= 1 && k <= 3) VGRMODE = k - 1;
        WRITEINI();
        return true;
    }
    case 51: {
        std::int32_t v = EDITINT(L[522].str() + " (min)", SCR_TIME / 60, 0, 60);
        SCR_TIME = v * 60;
        WRITEINI();
        return true;
    }
    case 52: {
        int k = GETKONTEXT(XMC - 80, 180, "[Menuemode]", L[304].str(), L[305].str(), "", "", "");
        if (k >= 1 && k <= 2) MENUMODE = k;
        WRITEINI();
        MELDUNG(L[519].str());
        return true;
    }
    case 74:
        EDITOR("MENU.CFG");
        MELDUNG(L[519].str());
        return true;
    case 75:
        MELDUNG(L[596].str());
        EDITOR("KORAX.INI");
        MELDUNG(L[519].str());
        READINI(0, true);
        CHECKTEAMCHANGE();
        return true;
    default:
        return false;
    }
}

void SETUP() {
    bool changed = false;
    AUFBAU();
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (SETUPACTION(KEY)) {
            changed = true;
            AUFBAU();
        } else if (KEY == 48) {
            AUFBAU();
        }
    }
    // "R" leaves the screen like Escape; in the menu loop it would end the program.
    if (KEY == 'R') KEY = 27;
    if (changed) {
        CHECKTEAMCHANGE();
        INITOBERFLAECHE(0);
    }
}

}  // namespace korax

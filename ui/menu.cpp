// Menu state and the pure parts of the menu column: button <-> code, scroll targets.
#include <algorithm>

#include "ui/m_tool.h"

namespace korax {

int XM1 = 244, XM2 = 1024 - 6, XMC = (244 + 1024 - 6) / 2, YM2 = 768 - 43;

std::array<std::uint8_t, MENUMAX + 1> MENU{};
int MENUANZ = 0;
int FESTANZ = 0;
int ANZ = 0;
int MENUREL = 0;
int OLDBUTTON = 1;
int OLDMENU = 0;
int TABMENU = 0;
bool SHIFT = false;

void RESETMENU() {
    MENU.fill(0);
    MENUANZ = FESTANZ = ANZ = MENUREL = 0;
    OLDBUTTON = 1;
    OLDMENU = TABMENU = 0;
    SHIFT = false;
}

int BUTTON2MENU(int b) {
    if (b < 1) return 0;
    int i = b <= FESTANZ ? b : b + MENUREL;
    return (i >= 1 && i <= MENUANZ) ? MENU[static_cast<std::size_t>(i)] : 0;
}

int MENU2BUTTON(int code) {
    for (int i = 1; i <= MENUANZ; ++i) {
        if (MENU[static_cast<std::size_t>(i)] != code) continue;
        if (i <= FESTANZ) return i;
        // An entry scrolled out of view is scrolled in: a button beyond the column
        // could neither show pressed nor be walked from.
        if (i - MENUREL <= FESTANZ) MENUREL = i - FESTANZ - 1;
        else if (i - MENUREL > ANZ) MENUREL = i - ANZ;
        return i - MENUREL;
    }
    return 1;
}

int RELATIVTARGET(int c, bool& beep) {
    beep = false;
    switch (c) {
        case 21:
            if (MENUREL == 0) {
                beep = true;
                return MENUREL;
            }
            return MENUREL - 1;
        case 22:
            if (MENUREL + ANZ < MENUANZ) return MENUREL + 1;
            beep = true;
            return MENUREL;
        case 24:
            return std::max(0, MENUREL - (ANZ - FESTANZ));
        case 23: {
            int n = MENUREL + (ANZ - FESTANZ);
            if (MENUANZ <= n + ANZ) n = std::max(0, MENUANZ - ANZ);
            return n;
        }
        default:
            return MENUREL;
    }
}

std::string UPPERTEXT(std::string_view s) {
    std::string r(s);
    CAPSTEXT(r);
    return r;
}

void CAPSTEXT(std::string& s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
}

}  // namespace korax

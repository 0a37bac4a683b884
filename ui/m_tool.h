// The screen frame: header band, work area and the configurable column of menu
// buttons (MENU.CFG), the general text button, and the input pass every screen runs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

// Work-area geometry, set by SETGEOMETRY at start-up (and after a menu-side change).
extern int XM1;  // left edge of the work area (right edge of a left menu column)
extern int XM2;  // right edge of the work area (left edge of a right menu column)
extern int XMC;  // middle of the work area
extern int YM2;  // bottom of the work area
// XM1 244 / XM2 screen width - 6 with the menu on the left, else 6 / width - 244; YM2 height - 43.
void SETGEOMETRY();

// Menu state.
inline constexpr int MENUMAX = 99;
extern std::array<std::uint8_t, MENUMAX + 1> MENU;  // [1..MENUANZ], codes in file order
extern int MENUANZ;
extern int FESTANZ;   // fixed entries at the top of the column
extern int ANZ;       // button slots that fit: (YM2 - 90) div 46
extern int MENUREL;   // scroll offset of the scrolling part
extern int OLDBUTTON; // button shown pressed (1-based)
extern int OLDMENU;   // its menu code
extern int TABMENU;   // menu code chosen before the current one (Tab goes back to it)
extern bool SHIFT;    // the last key typed was a capital letter A..Z

// MENU.CFG as read: codes in order and the fixed count. Pure; used by BUTTONINIT.
struct MENUCFG {
    std::vector<std::uint8_t> codes;
    int festanz = 0;
};
MENUCFG PARSEMENUCFG(std::string_view text);
// Reads "MENU.CFG" of the current (program) directory into MENU, MENUANZ, FESTANZ.
// Open, read and close failures are fatal 1, 2, 9 with the file name.
void READMENUCFG();
// Checks the counts against ANZ: too few entries is fatal 18, a bad fixed count 19.
void CHECKMENUCOUNTS();
// The text of MENU.CFG with the entries of codes a and b swapped; lines that are not
// these two entries are kept byte for byte.
std::string SWAPMENULINES(std::string_view text, int a, int b);
// The line the program writes for a code: right-aligned in 3, "   ;", its label.
std::string MENULINE(int code);

void BUTTONINIT(bool readconfig);
void INITOBERFLAECHE(int mode);
void CLEAROBERFLAECHE();
void HEADER(std::string_view text);
void BUTTONAN(int b);
void BUTTONAUS(int b);
void BUTTONTEXT(int b, int colour);
void BUTTON3D(int n, int x1, int y1, int x2, int y2, int colour);
int MENU2BUTTON(int code);
int BUTTON2MENU(int b);
bool GLOBALBUTTON();
void MENUTASTE();
// The key mapping of MENUTASTE for a key already read into KEY/KEY2 (no reading).
void MAPMENUKEY();
void KEYBUTTON();
void RELATIVBUTTON(int c);
// The scroll offset RELATIVBUTTON(c) moves to (pure); beep tells whether it refuses.
int RELATIVTARGET(int c, bool& beep);
void VERTAUSCHEMENU(int a, int b);
void BUTTON(int n, int x1, int y1, int x2, int y2, int colour, int textcolour, std::string_view text,
            bool frame);
std::string UPPERTEXT(std::string_view s);
void CAPSTEXT(std::string& s);

// The menu column's x range for the current side.
int MENUCOLX1();
int MENUCOLX2();

// The adviser sits above the toolkit and plugs itself in here at start-up: its
// figure's animation (one step per input pass), its window (click window 25), the
// redraw of its figure after the work area was cleared, its calming after help, and
// its figure and button on a newly drawn desktop, and its silence on a screen that
// has nothing to advise on (the information screen).
struct ADVISERHOOKS {
    void (*animate)() = nullptr;
    void (*run)() = nullptr;
    void (*redraw)() = nullptr;
    void (*afterhelp)() = nullptr;
    void (*desktop)() = nullptr;
    void (*silence)() = nullptr;
};
extern ADVISERHOOKS ADVISER;

// Rectangle of menu button b (1..ANZ) on screen.
struct BUTTONRECT {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
BUTTONRECT MENUBUTTONRECT(int b);

// Puts the menu state back to its start values (tests).
void RESETMENU();

}  // namespace korax

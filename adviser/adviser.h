// The adviser: a figure in a corner of the work area whose button counts the tips
// of the tips file ("HUGI." + language extension) whose conditions hold for the
// team, shows the current screen's tip in a bubble and can carry out its action.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/g_types.h"

namespace korax {

// Per menu code 100..199: how many conditions hold, and whether the file has tips.
extern ARR1<std::uint8_t, 100, 199> TIPS;
extern ARR1<bool, 100, 199> TIPSCHECK;
extern std::uint16_t TIPANZAHL;  // conditions that hold in the whole file

// The figure: 1 to be drawn, 2 and 3 showing frame 1 or 2 (set back to 1 when the
// work area is cleared); 0 restores the still figure saved in "h1.TMP" at the next
// clearing, after which it is -1; below 1 no figure.
extern std::int16_t HUGO;
extern int HUGOX, HUGOY;           // centre of the figure
extern int HX1, HY1, HX2, HY2;     // the area of figure and label
extern ICONREC HUGO1, HUGO2;       // the two animation frames
extern std::uint16_t MERKTIME;     // tick of the last frame change

// Screens: true when tips hold for menu code nr. On entry a screen sets
// HUGO := TIP(nr) (see TIPSCREEN).
bool TIP(int nr);
// On entry of screen nr: the figure stands when tips hold for it.
void TIPSCREEN(int nr);
// After a screen changed the team: the tips are counted again when the file has
// tips for screen nr.
void TIPCHANGED(int nr);

// Counts the tips again (nothing on the last match day) and draws the button.
void LESETIPS();
// A condition (trimmed; over 80 characters it counts false) over the team's facts.
bool CHECKPARSER(int nr, std::string condition);
// Carries out an action line; true when it changed the team (which is then written).
bool SETPARSER(int nr, std::string action);
// One animation step; called from every input pass.
void SHOWHUGO();
// The bubble, after a click on the figure (click window 25).
void DOHUGO();
// The bubble's oval button (four label lines) and its tail of small ellipses.
void ELLBUTTON(int x, int y, int n1);
void SMALLELL(int x, int y, int rx, int ry);

// Installs the adviser into the toolkit's hooks; HUGO := 1.
void ADVISERINIT();

// ---- the tips file as read ------------------------------------------------------

struct TIPBLOCK {
    int code = 0;                      // menu code 100..199
    std::string condition;             // as written after "@IF" and one character
    std::vector<std::string> lines;    // the tip's text
    std::string action;                // the line after the closing "@" line
};
// The blocks of a tips file's text; headers whose code is no number or outside
// 100..199 are skipped with their lines, blocks without a condition line too.
std::vector<TIPBLOCK> READTIPSTEXT(std::string_view text);
// The blocks LESETIPS read last.
extern std::vector<TIPBLOCK> TIPBLOCKS;
// The first block of menu code nr whose condition holds now, or null.
const TIPBLOCK* AKTUTIP(int nr);

// The facts the conditions see, as SETVARIABLE texts (a b f g s t w x).
struct TIPVARIABLE {
    int nr;
    std::string text;
};
std::vector<TIPVARIABLE> TIPVARIABLEN();

}  // namespace korax

// The program's spine: start-up order, command line, the main menu loop and the
// orderly stop. Also the error screen that every fatal failure ends on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/state.h"
#include "graph/htime.h"

namespace korax {

// Visited menu entries in order; starts with 101 and holds each code once.
extern std::vector<int> MENUHISTORY;

// Key codes that arrive in KEY2 together with Escape (KEY = 27).
constexpr unsigned char KEY2_TIPCYCLE = 26;
constexpr unsigned char KEY2_BACK = 15;

// Reads the environment (FSM) and the command line words args[1..] (args[0] is the
// program itself) into the settings above, GAMEDIR and NEUGRAPH.
void LESEPARAM(const std::vector<std::string>& args);

// The main menu loop; returns when the trainer quits.
void HAUPTMENU();

// Gives the own team its display colour 15 (white), unless its colour is 0 (none).
void LOADICONS();

// The placeholder screen for menu codes without a screen of their own.
void NOTHING();

// Appends a menu code to MENUHISTORY unless it is already there.
void MENUVISIT(int code);
// Resets MENUHISTORY to its first entry.
void MENURESET();
// True when Escape (with KEY2 = key2) should ask whether to quit: only the first
// entry is in the history and no tip cycling is pending.
bool ESCAPEASKS(unsigned char key2);
// Otherwise the menu code Escape selects: the next code after `current` (wrapping
// 199 to 100) that has tips for key2 = 26, the previous history entry for 15, the
// first entry for anything else. The tip search gives up after one full round.
int ESCAPETARGET(unsigned char key2, int current, bool (*hastips)(int code));


// Usage time at the menu's entry: a match-viewer run (VGR.TMP in the game
// directory) is added to TEAM.TRAINING.VGRGESAMT, otherwise the client run is
// counted; KXSTARTTIME is taken. At its end the client time is added to KXGESAMT.
void USAGESTART();
void USAGESTOP();

// Shows a fatal error: on standard error always, then on the graphics screen
// ("Error " + nr + ": " + text, "[Press RETURN]") and waits for a key when a
// screen can be opened. Closes the graphics and removes the run's scratch files.
// Returns the process exit code.
int SHOWFATAL(int nr, const std::string& text);

// The whole program: start-up, menu, stop. Returns the exit code (0 on an
// orderly stop); fatal errors are turned into their exit code here.
int KORAXMAIN(int argc, char** argv);

}  // namespace korax

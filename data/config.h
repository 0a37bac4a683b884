// The client's settings from KORAX.INI: read at start-up (program directory, then the
// game directory), rewritten by the set-up screen, and the external text editor.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

namespace korax {

extern int XMODE;               // GRAPHMODE 0..2; the main menu needs 2
extern int MENUMODE;            // 1..2
extern bool LEFTMENU;           // menu column on the left (MENUMODE 2)
extern int VGRMODE;             // match viewer video mode 0..3
extern std::int32_t SCR_TIME;   // screen-saver delay in seconds
extern STRING80 EDITNAME;       // editor command, in the letter case it was written
extern STRING80 SCR_SAVE;       // screen-saver program
extern bool AUTOPLAY;
extern bool SILENCE;            // STEPINFO is off
extern int RSTSIZE;             // 0..2
extern bool STARTBILD;          // STARTPAGE
extern std::array<int, 11> TEAMCOLOR;  // [1..10], colour 0..15; [0] unused
extern std::uint8_t ANPASSUNG;  // handed to the match viewer
extern bool LEISE;              // handed to the match viewer
extern bool NEUGRAPH;           // the game directory's file changed graph or menu mode

// Reads KORAX.INI. first: set the defaults and read the program-wide file in the
// current directory (required). Otherwise read GAMEDIR + "KORAX.INI" if it exists.
// id is the system identifier line 1 must carry (0: not checked).
void READINI(std::uint8_t id, bool first);

// Reads configuration text as READINI does, from memory (file name only for messages).
void READINI_TEXT(std::string_view text, std::uint8_t id, bool first);

// Writes VGRMODE, MENUMODE, SCR_TIME and STARTPAGE back into KORAX.INI in the current
// directory, keeping KORAX.SAV as backup; KORAX.INI is replaced in one step.
void WRITEINI();

// The new KORAX.INI text for the text of the old one (all lines kept in order).
std::string REBUILD_INI(std::string_view old);

// Test seam: when set, WRITEINI calls it before each file step ("backup", "open",
// "read", "create", "write", "close") and treats true as a failure of that step.
extern bool (*WRITEINI_FAULT)(std::string_view step);

// Opens `file` (DOS-style name below the program directory) in the external editor and
// waits. Fatal error 10 with EDITNAME when no editor can be started.
void EDITOR(std::string_view file);

// The argument vector EDITOR runs for `file` (exposed for tests): EDITNAME split on
// blanks, or for "EDIT" the trainer's $VISUAL / $EDITOR / an installed editor.
std::vector<std::string> EDITOR_COMMAND(std::string_view file);

// Sets every setting to its value before any file is read.
void RESET_CONFIG();

}  // namespace korax

// The program-wide state that every layer reads: where the program and the game
// live, the own team's number, and the settings of this run taken at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "base/types.h"

namespace korax {

extern std::string KXPATH;     // program directory (host path)
extern std::string GAMEDIR;    // current game directory, DOS form with trailing backslash
extern std::int16_t NUMMER;    // own team number 1..10
extern std::string NUMMERSTR;  // its decimal text; suffix of the per-team file names

// Name and extension of the program file itself (its directory is KXPATH).
extern std::string KXNAME;
extern std::string KXEXT;
extern std::string RSTNAME;  // result file to import at start-up; empty = none
extern std::string RSZNAME;  // base name of a packed result found in the program directory
extern int NUMMERWAHL;       // team number from the command line, 0 = none
extern bool BARESTART;       // started without command-line arguments
extern bool AUSVGR;          // started back from the match viewer
extern bool IGNORMODE;       // FSM=ignore: accept player records with a stale check value
extern bool TESTMODE;        // FSM=test: show hidden values
extern bool AUTOSEND;        // the trainer agreed to mail the turn at the end
extern bool GESENDET;        // the turn was already sent in this run
extern int AKTUMENU;         // code of the menu entry last chosen

// Usage-time stamps (packed DOS date-time) of this run of the client.
extern std::int32_t KXSTARTTIME;
extern std::int32_t KXSTOPTIME;

}  // namespace korax

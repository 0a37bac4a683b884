// The cup: the announcement of the team's next cup match (POKAL<n>.DAT).
#pragma once

#include <cstdint>
#include <string>

namespace korax {

extern std::int16_t POKALTAG;    // match day of the cup match; -1 none; 98/99 after a result
extern std::string POKALRUNDE;   // name of the cup round
extern std::string POKALNAME;    // base name of the cup files (result and turn)
extern std::string POKALGEGNER;  // description of the opponent
extern bool POKALFIRST;          // the announcement is read for the first time
extern bool NEWPOKAL;            // a cup result arrived or is to be shown in this run
extern std::string QUICKNAME;    // the quick file of the match last stored, GAMEDIR + name

// Reads GAMEDIR + "POKAL" + NUMMERSTR + ".DAT"; no file means no cup. A first read
// (round line starting with ".") stores the announcement without the mark.
void READPOKAL();
// POKALTAG := tag and the announcement written anew (atomically).
void WRITEPOKAL(std::int16_t tag);

}  // namespace korax

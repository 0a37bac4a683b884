// Preparing a run of the match viewer: its argument line and its time file.
#pragma once

#include <cstdint>
#include <string>

#include "data/g_general.h"

namespace korax {

// What the viewer's argument line is made of.
struct VGRLINE {
    std::int16_t which = 0;       // 0 own league match, -1 teams in the file, > 0 friendly
    bool cup = false;             // viewer mode mark " !-" instead of " !*"
    std::int32_t seed = 0;        // GEN.SEED
    int nummer = 0;               // own team
    SPIELPLANTYPE pairing{};      // the own pairing of this turn (which 0)
    std::uint8_t anpassung = 0;
    bool leise = false;
    std::string quickname;        // replay file the viewer is to write; empty: none
    std::string gamedir;
};

// The argument line, never cut (a long game directory must survive whole).
std::string VGRARGUMENTE(const VGRLINE& v);
// "VGR" + version + ".MOD".
std::string VGRPROGRAMM(std::int16_t version);

// The last run prepared: program and argument line (the client never starts it).
struct VGRRUN {
    std::string programm;
    std::string argumente;
};
extern VGRRUN VGRAUFRUF;

// The viewer version in the header of GAMEDIR + "GAME" + n + ".DAT"; 6 when the
// file cannot be read.
std::int16_t READVGRVERSION();

// which 0: the own league match of this turn; -1: a match whose teams stand in the
// match file (cup or free match); > 0: a friendly against team which. cup marks the
// viewer mode of a cup match. No own pairing this turn: fatal 98.
void TESTGAME(std::int16_t which, bool cup);

}  // namespace korax

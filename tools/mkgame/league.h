// A deterministic league, as the game master would send it to one trainer.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"

namespace mkgame {

struct Options {
    std::uint32_t seed = 1;
    int team = 1;               // the trainer's team number, 1..10
    int day = 3;                // match day of the result, 0..18
    std::string gamedir = "DEMO";
    std::string rszname;        // base name of the turn file; empty: TEAM<n>
    bool cupresult = false;     // the last cup round's result waits in the game directory
};

// Every file of the game directory, by name, with its bytes.
struct Game {
    std::map<std::string, std::string> files;
    // The parts a result container is built from.
    std::vector<std::string> pictures;  // TEAM1.PCX .. TEAM10.PCX, "" where none
    std::string player, team, gen, match, quick;
    std::vector<std::string> further;   // further matches of the day, pairing 1..5 ("" = none)
    std::vector<korax::ERFOLGREC> history;
    std::vector<std::string> messages;  // records of 1215 bytes
};

Game MAKEGAME(const Options& o);

// Fouls per team, keep prices on day 18 and the further history lines
// (tools/mkgame/stats.cpp).
void STATSEXTRAS(const Options& o, std::array<korax::TEAMREC, 11>& teams, std::vector<korax::ERFOLGREC>& history);
// The own team's altar, its artefact check value, an application and the contracts
// held by another team and by the own team.
void TEMPLE(korax::TEAMREC& own, int team, korax::GENTYPE& gen);

// The cup draw POKAL.TXT and, with o.cupresult, the cup result CUP<n>.RST that the
// announcement names (tools/mkgame/cup.cpp).
void MAKECUP(const Options& o, Game& g);

// The result container TEAM<n>.RST carrying the same files.
std::string MAKECONTAINER(const Options& o, const Game& g);

}  // namespace mkgame

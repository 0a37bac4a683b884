// The turn file: what the game master receives of the trainer's decisions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/g_types.h"

namespace korax {

// The client's system identifier, carried in byte 3 of the check block.
inline constexpr std::uint8_t SYSTEMKENNUNG = 255;

// Start value of the team check (check block bytes 1 and 2). Agreed with the game
// master's side; the league generator's turn checker uses the same value.
inline constexpr std::uint8_t TEAMCHECKSTART = 0x4B;

// Longest emblem carried by a turn.
inline constexpr std::size_t EMBLEMMAX = 12000;

extern std::string TRNNAME;  // the turn file announced to the trainer and mailed
// The turn files the last SAVETURN of this run wrote (names in the game
// directory), in the order they are mailed: the one named by TRNNAME first. Empty
// until a turn is written, and when the day writes none.
extern std::vector<std::string> TRNFILES;

// The team check over a team record as written: TEAMCHECKSTART plus every byte,
// wrapping at 16 bits, then XOR (turn + 84).
std::uint16_t TEAMCHECK(const TEAMREC& t, std::int16_t turn);

// The drive byte: the four bytes of the low 32 bits of the current volume's
// total size, added modulo 256.
std::uint8_t DRIVEBYTE();

// The base name of the league turn: GEN.RSZNAME when it is a plain name, else
// "TEAM" + NUMMERSTR.
std::string TURNBASENAME();

// Writes the turn file(s) of the current match day and sets TRNNAME. On the last
// match day with a pending stadium extension the trainer is told (language text
// 597) and the program ends with exit code 1 before anything is written.
void SAVETURN();

// Writes one turn file: the cup turn when pokal is set, else the league or
// season-end turn. Every file is written whole under a temporary name and then
// renamed, so a failure never leaves a cut turn file under its real name.
void SAVETRN(bool pokal, std::uint8_t system);

}  // namespace korax

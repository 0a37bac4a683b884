// The slave market of a generated league: which lots the game master marks.
#pragma once

#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"
#include "league.h"

namespace mkgame {

// Marks lot 2 as wanted by another team and hangs a pendant on the slave of lot
// 4; uses no random numbers, so the rest of the league stays as it was.
void MARKETLOTS(const Options& o, std::vector<korax::PLAYERREC>& players, korax::GENTYPE& gen);

}  // namespace mkgame

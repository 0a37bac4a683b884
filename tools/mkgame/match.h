// Stored matches beyond the day's own ones, so that every list of the match
// choice has something to show.
#pragma once

#include "league.h"

namespace mkgame {

// Further matches of earlier days (all four on days 1, 4, 7, ..., the first one on
// days 2, 5, 8, ..., none on days 3, 6, 9, ...), an older cup match GAME<n>.P1 from
// day 2 on, and a free match GAME.TMP with its replay data QUICK.TMP.
void MATCHFILES(const Options& o, Game& g);

}  // namespace mkgame

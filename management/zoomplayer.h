// The player card, the ball rows of the orders and the squad bar, drawn by every
// screen that shows a single player or the squad.
#pragma once

#include <string>

#include "data/g_types.h"

namespace korax {

// A player of another team (a slave on the market) as the card shows it.
extern PLAYERREC ONEPLAYER;

// The card of squad slot nr (1..10), or of ONEPLAYER for 0, between heights top
// and bottom (132 and YM2 - 20 when 0). Mode 1: title window 11 and the windows
// 12 "<<-" ("C") and 13 "->>" ("D"); mode 2: title window 20 ("K").
void ZOOMPLAYER(int nr, int top, int bottom, int mode, const std::string& title);
// A row of balls for an order: stored balls (at most 5) and the effective ones.
void BALLANZEIGE(int x, int y, int stored, int effective, int colour);
// The squad bar, windows 1..10; with a != 0 only slots a and b are drawn.
void ICONLEISTE(int a, int b, bool moti);
// The race picture of a race code at (x, y); nothing for a code outside 1..10.
void RACEBILD(int race, int x, int y);

}  // namespace korax

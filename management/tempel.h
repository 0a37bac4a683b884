// The temple (125): the team's pendants handed between the altar and the squad,
// and a browser of the pendants' descriptions by type and level.
#pragma once

#include "data/g_types.h"

namespace korax {

// The description shown: type 0 (nothing) or 1..6, level 0..8 (the step from it
// to the next level).
struct ARTBROWSER {
    int type = 0;
    int level = 0;
};
// Starts at the altar's pendant: a type outside 1..6 shows type 0; the level is
// kept within 0..8.
ARTBROWSER ARTBROWSERSTART(const TEAMREC& t);
// "F"/"G" step the level without wrapping, "H"/"I" the type through 1..6 cyclically
// (from type 0 to 6 or 1). True when the key is one of them.
bool ARTBROWSERSTEP(ARTBROWSER& b, char key);
// Language texts of a type: its general text (330 for type 0) and the text of
// level 1..9 (0 for type 0 or another level).
int ARTTYPETEXT(int type);
int ARTLEVELTEXT(int type, int level);

void TEMPEL();

}  // namespace korax

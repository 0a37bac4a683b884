// The rules of the artefact distribution that the temple and the adviser share.
#pragma once

#include <cstdint>

#include "data/g_types.h"

namespace korax {

// Check value of the distribution: the altar counts 1 and its level when it holds
// an artefact; every slot with a pendant counts 1 and its level.
std::int16_t CHECKARTEFAKTE(const TEAMREC& t);
// Slot s (1..10) may take a pendant: it holds a player, has none yet, and no
// transfer decision stands for it.
bool TAKESARTEFAKT(const TEAMREC& t, int s);

// Turns an altar pendant of a level needs (indexed by level); -1 for a level
// outside 0..9.
int ARTLEVELDAUER(int level);

// The altar's pendant as a slot keeps it, type * 10 + level; 0 when the altar is
// empty or its pendant does not fit that code (level above 9, code above 255), so
// that handing it over could never change it.
int ALTARCODE(const TEAMREC& t);

// Windows of the temple the moves name: squad slots 1..10 and the altar.
inline constexpr int ARTALTAR = 11;

// A drag may start at window from: the altar holding a codable pendant, or an
// occupied slot carrying a pendant (a code of 10 or more) without a transfer
// decision.
bool ARTDRAGSTART(const TEAMREC& t, const ARR1<bool, 1, 10>& belegt, int from);
// Drop targets for a drag started at from: an occupied slot other than from, or the
// altar for a pendant coming from a slot.
bool ARTDROPTARGET(const ARR1<bool, 1, 10>& belegt, int from, int to);

// Outcome of a drop: moved, refused with a language text, or no move at all.
struct ARTMOVERESULT {
    bool moved = false;
    int refusal = 0;  // language text 336, 337 or 600; 0 with moved false: not a move
};
// Moves the pendant dragged from window from onto window to, keeping TEAM.ARTPLAYER
// and the players' ARTIFAKT/ARTLEVEL in step. The first failing check refuses and
// changes nothing.
ARTMOVERESULT ARTMOVE(TEAMREC& t, ARR1<PLAYERREC, 1, 10>& player, const ARR1<bool, 1, 10>& belegt, int from,
                      int to);

}  // namespace korax

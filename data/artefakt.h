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

}  // namespace korax

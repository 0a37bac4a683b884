// Preparing a run of the match viewer: its argument line and its time file.
#pragma once

#include <cstdint>

namespace korax {

// which 0: the own league match of this turn; -1: a match whose teams stand in the
// match file (cup or free match); > 0: a friendly against team which. cup marks the
// viewer mode of a cup match.
void TESTGAME(std::int16_t which, bool cup);

}  // namespace korax

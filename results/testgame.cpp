#include "results/testgame.h"

namespace korax {

void TESTGAME(std::int16_t, bool) {}

}  // namespace korax

// The choice of a stored match (menu code 103): replayed in the viewer (mode 0) or
// its tactics imported into the line-up (1) or the sparring tactics (2).
#pragma once

#include <cstdint>

namespace korax {

void AUSWAHLGAME(std::uint8_t mode);

}  // namespace korax

#include "results/auswahl.h"

#include "management/mscreen.h"

namespace korax {

void AUSWAHLGAME(std::uint8_t mode) {
    if (mode == 0) AUSWAHLGAME_STANDIN();
}

}  // namespace korax

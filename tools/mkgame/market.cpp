#include "market.h"

namespace mkgame {

using namespace korax;

void MARKETLOTS(const Options& o, std::vector<PLAYERREC>& players, GENTYPE& gen) {
    gen.SKLAVENTEAM[2] = static_cast<std::uint8_t>(o.team % 10 + 1);
    const int slave = gen.SKLAVEN[4];
    if (slave >= 1 && slave < static_cast<int>(players.size())) {
        players[static_cast<std::size_t>(slave)].ARTIFAKT = 4;  // Compensation
        players[static_cast<std::size_t>(slave)].ARTLEVEL = 2;
    }
}

}  // namespace mkgame

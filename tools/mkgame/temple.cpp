// The own team's temple and advertising: a pendant still growing on the altar,
// the check value of the whole distribution, one application, and contracts held
// by another team and by the own team.
#include "data/artefakt.h"
#include "league.h"

namespace mkgame {

using namespace korax;

void TEMPLE(TEAMREC& own, int team, GENTYPE& gen) {
    own.ARTEFAKT = 4;  // Compensation, level 2, one turn on the altar
    own.ARTLEVEL = 2;
    own.ARTDAUER = 1;
    own.ARTPRUEF = CHECKARTEFAKTE(own);
    gen.WERBUNG[3].TEAM = static_cast<std::uint8_t>(team % 10 + 1);
    gen.WERBUNG[6].TEAM = static_cast<std::uint8_t>(team);
    own.WERB1 = 4;
    own.WERB2 = 0;
}

}  // namespace mkgame

// What the statistics, history and season-end screens need of a generated game:
// fouls per team, keep prices on the last match day, and history lines of every
// kind those screens show.
#include <string>

#include "league.h"

using namespace korax;

namespace mkgame {

void STATSEXTRAS(const Options& o, std::array<TEAMREC, 11>& teams, std::vector<ERFOLGREC>& history) {
    // Fouls grow with the days played; teams 4 and 7 share a value, so the fair-play
    // table shows a tie.
    for (int t = 1; t <= 10; ++t) {
        const int perday = static_cast<int>((static_cast<unsigned>(t) * 7u + o.seed) % 9u) + 1;
        teams[t].BRUTAL = static_cast<std::int16_t>(perday * o.day / 2 + (t % 3));
        teams[t].BRUTALL = static_cast<std::int16_t>(teams[t].BRUTAL + 40 + 13 * t);
    }
    teams[7].BRUTAL = teams[4].BRUTAL;

    if (o.day == 18) {
        // The season end starts without decisions; slot 9's price is above any
        // generated gold and slot 10's is shown without the "T".
        TEAMREC& own = teams[o.team];
        for (int s = 1; s <= 10; ++s) {
            own.TRANSFER[s] = 0;
            own.TRANSGEBOT[s] = static_cast<std::int16_t>(150 + 90 * s);
        }
        own.TRANSGEBOT[9] = 9000;
        own.TRANSGEBOT[10] = 12000;
        own.LIZENZ = 1;
    }

    if (o.day >= 1) history.push_back(ERFOLGREC::of("*** Fouls so far: " + std::to_string(teams[o.team].BRUTAL)));
}

}  // namespace mkgame

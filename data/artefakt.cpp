#include "data/artefakt.h"

namespace korax {

std::int16_t CHECKARTEFAKTE(const TEAMREC& t) {
    int n = 0, sum = 0;
    if (t.ARTEFAKT != 0) {
        n = 1;
        sum = t.ARTLEVEL;
    }
    for (int s = 1; s <= 10; ++s) {
        if (t.ARTPLAYER[s] == 0) continue;
        sum += t.ARTPLAYER[s] % 10;
        ++n;
    }
    return static_cast<std::int16_t>(sum + n);
}

bool TAKESARTEFAKT(const TEAMREC& t, int s) {
    if (s < 1 || s > 10) return false;
    return t.PLAYERS[s] > 0 && t.ARTPLAYER[s] == 0 && t.TRANSFER[s] == 0;
}

}  // namespace korax

#include "match.h"

#include <cstring>
#include <string>

namespace mkgame {

namespace {

using korax::GENTYPE;
using korax::PLAYERREC;
using korax::SPIELPLANTYPE;
using korax::TEAMREC;

template <typename R>
R record(const std::string& file, int i) {
    R r{};
    const std::size_t at = static_cast<std::size_t>(i - 1) * sizeof(R);
    if (file.size() >= at + sizeof(R)) std::memcpy(static_cast<void*>(&r), file.data() + at, sizeof(R));
    return r;
}

// The layout the day's own matches have: lead-in with the viewer version, both
// teams, the five players of each side on the pitch.
std::string matchfile(const Game& g, char lead, int home, int guest) {
    std::string m = "KXM" + std::string(1, lead);
    const std::int16_t version = 110;
    m += std::string(reinterpret_cast<const char*>(&version), 2);
    for (int side : {home, guest}) {
        const TEAMREC t = record<TEAMREC>(g.team, side);
        m += std::string(reinterpret_cast<const char*>(&t), sizeof t);
    }
    for (int side : {home, guest}) {
        const TEAMREC t = record<TEAMREC>(g.team, side);
        for (int s = 1; s <= 5; ++s) {
            const PLAYERREC p = record<PLAYERREC>(g.player, (side - 1) * 10 + t.IMTEAM[s]);
            m += std::string(reinterpret_cast<const char*>(&p), sizeof p);
        }
    }
    return m;
}

}  // namespace

void MATCHFILES(const Options& o, Game& g) {
    if (o.day <= 0) return;
    const GENTYPE gen = record<GENTYPE>(g.gen, 1);
    const std::string n = std::to_string(o.team);
    for (int d = 1; d < o.day; ++d) {
        int wanted = d % 3 == 1 ? 4 : d % 3 == 2 ? 1 : 0;
        for (int k = 1; k <= 5 && wanted > 0; ++k) {
            const SPIELPLANTYPE& f = gen.SPIELPLAN[d <= 9 ? 1 : 0][d <= 9 ? d : d - 9][k];
            if (f.HEIM == o.team || f.GAST == o.team) continue;
            g.files["GAME" + n + "." + std::to_string(d) + char('A' + k - 1)] = matchfile(g, char(d), f.HEIM, f.GAST);
            --wanted;
        }
    }
    if (o.day >= 2) {
        const int opponent = (o.team + 4) % 10 + 1;
        g.files["GAME" + n + ".P1"] = matchfile(g, 'P', o.team, opponent);
    }
    const SPIELPLANTYPE& free = gen.SPIELPLAN[1][1][1];
    g.files["GAME.TMP"] = matchfile(g, 'T', free.HEIM, free.GAST);
    std::string quick;
    for (int i = 0; i < 1000; ++i) quick += char((i * 37 + o.day) & 0xFF);
    g.files["QUICK.TMP"] = quick;
}

}  // namespace mkgame

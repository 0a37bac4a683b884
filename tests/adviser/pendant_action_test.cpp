// The adviser's pendant action keeps the temple's rule: a pendant the slot code
// cannot hold stays on the altar.
#include "adviser/bparser.h"
#include "adviser_fixture.h"
#include "data/artefakt.h"

using namespace korax;
using advisertest::TipsDir;

TEST_F(TipsDir, ActionArtefactLeavesAnUncodablePendantOnTheAltar) {
    struct Case {
        int type, level;
    } cases[] = {{26, 0}, {25, 6}, {3, 10}, {4, 200}};
    for (const Case& c : cases) {
        TEAM = TEAMREC{};
        TEAM.ARTEFAKT = static_cast<std::uint8_t>(c.type);
        TEAM.ARTLEVEL = static_cast<std::uint8_t>(c.level);
        TEAM.PLAYERS[1] = 11;
        const TEAMREC before = TEAM;
        EXPECT_FALSE(SETPARSER(0, "T=1")) << c.type << " " << c.level;
        EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(before));
    }
}

// The betting office under scripted input: stakes, refusals and the next match
// day, as the file holds them after leaving.
#include "screen_fixture.h"

using namespace korax;
using WettScreen = korax::mtest::Screen;

TEST_F(WettScreen, StakesAndRefusals) {
    struct Case {
        const char* what;
        std::int32_t gold;
        int platz, odds;  // own place, odds of the own opponent (team 4)
        std::string script;
        int team;
        std::int32_t stake, goldafter;
    } cases[] = {
        {"home side", 500, 9, 30, "key 1\n" + typed(120) + "key Esc\n", 1, 120, 380},
        {"away side", 500, 9, 30, "key 2\n" + typed(40) + "key Esc\n", 2, 40, 460},
        {"cap at 1000", 5000, 9, 30, "key 5\n" + typed(99999) + "key Esc\n", 5, 1000, 4000},
        {"only 8 gold", 8, 9, 30, "key 1\nkey Enter\nkey Esc\n", 1, 0, 8},
        {"both sides", 500, 9, 30, "key 1\n" + typed(50) + "key 2\nkey Enter\nkey Esc\n", 2, 0, 450},
        {"team 11 does nothing", 500, 9, 30, "key A\nkey Esc\n", 9, 0, 500},
        {"own opponent, relegation place, fair odds", 500, 9, 20, "key 4\n" + typed(30) + "key Esc\n", 4, 30, 470},
        {"own opponent, no relegation place", 100, 8, 30, "key 4\nkey Enter\nkey Esc\n", 4, 0, 100},
        {"own opponent, odds below 2", 100, 9, 19, "key 4\nkey Enter\nkey Esc\n", 4, 0, 100},
        {"escape removes the stake", 100, 9, 30, "key 3\n" + typed(50) + "key 3\nkey Esc\nkey Esc\n", 3, 0, 100},
    };
    for (const auto& c : cases) {
        blank();
        TEAM = TEAMREC{}, TEAM.GOLD = c.gold, GEN = GENTYPE{};
        day(9);  // next: day 10, the first of the second half
        GEN.PLATZ = static_cast<std::int16_t>(c.platz);
        GEN.ABSTIEG = 2;
        const int pairs[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 11}};
        for (int k = 1; k <= 5; ++k) {
            auto& p = GEN.SPIELPLAN[0][1][k];
            p.HEIM = static_cast<std::int16_t>(pairs[k - 1][0]);
            p.GAST = static_cast<std::int16_t>(pairs[k - 1][1]);
            p.HWERT = 25;
            p.GWERT = static_cast<std::int16_t>(k == 2 ? c.odds : 30);
        }
        GEN.SPIELPLAN[1][9][1].HEIM = 4;  // the first half's day 9 must not be read instead
        script(c.script);
        WETTBUERO();
        EXPECT_EQ(KEY, 27) << c.what;
        const TEAMREC t = untouched() ? TEAM : onfile();  // nothing changed, nothing written
        EXPECT_EQ(t.WETTEN[c.team], c.stake) << c.what;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(t)) << c.what;
    }
    GEN.HINRUNDE = 0;  // after day 18 there is no next match day
    blank();
    script("key Enter\n");
    WETTBUERO();
    EXPECT_EQ(KEY, 27);
    EXPECT_TRUE(untouched());
}

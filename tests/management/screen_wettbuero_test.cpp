// The betting office under scripted input: stakes, refusals and the next match
// day, as the file holds them after leaving.
#include "screen_fixture.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

class WettScreen : public Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        // Next day: day 10 (first of the second half) after day 9 of the first.
        GEN.HINRUNDE = 1;
        GEN.TURN = 9;
        GEN.PLATZ = 9;
        GEN.ABSTIEG = 2;
        const int pairs[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 11}};
        for (int k = 1; k <= 5; ++k) {
            auto& p = GEN.SPIELPLAN[0][1][k];
            p.HEIM = static_cast<std::int16_t>(pairs[k - 1][0]);
            p.GAST = static_cast<std::int16_t>(pairs[k - 1][1]);
            p.HWERT = 25;
            p.GWERT = 30;
        }
        // First-half day 9 must not be read instead.
        GEN.SPIELPLAN[1][9][1].HEIM = 4;
    }
    static std::string typed(int n) {
        return "key Space\nkey Esc\ntext " + std::to_string(n) + "\nkey Enter\nkey Enter\n";
    }
};

}  // namespace

TEST_F(WettScreen, StakesAndRefusals) {
    struct Case {
        const char* what;
        std::int32_t gold;
        std::string script;
        int team;
        std::int32_t stake, goldafter;
    } cases[] = {
        {"home side", 500, "key 1\n" + typed(120) + "key Esc\n", 1, 120, 380},
        {"away side", 500, "key 2\n" + typed(40) + "key Esc\n", 2, 40, 460},
        {"cap at 1000", 5000, "key 5\n" + typed(99999) + "key Esc\n", 5, 1000, 4000},
        {"only 8 gold", 8, "key 1\nkey Enter\nkey Esc\n", 1, 0, 8},
        {"both sides", 500, "key 1\n" + typed(50) + "key 2\nkey Enter\nkey Esc\n", 2, 0, 450},
        {"team 11 does nothing", 500, "key A\nkey Esc\n", 9, 0, 500},
        {"own opponent, relegation place, fair odds", 500, "key 4\n" + typed(30) + "key Esc\n", 4, 30, 470},
    };
    for (const auto& c : cases) {
        TEAM = TEAMREC{};
        TEAM.GOLD = c.gold;
        script(c.script);
        WETTBUERO();
        EXPECT_EQ(KEY, 27) << c.what;
        TEAMREC t = onfile();
        if (RECORDBYTES(t) == RECORDBYTES(TEAMREC{})) t = TEAM;  // nothing changed, nothing written
        EXPECT_EQ(t.WETTEN[c.team], c.stake) << c.what;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        std::ofstream(root / "team3.dat", std::ios::binary | std::ios::in) << std::string(3 * sizeof(TEAMREC), '\0');
    }
}

TEST_F(WettScreen, BlockedOpponent) {
    struct Case {
        int platz, odds;
        bool blocked;
    } cases[] = {{8, 30, true}, {9, 19, true}, {9, 20, false}};
    for (const auto& c : cases) {
        TEAM = TEAMREC{};
        TEAM.GOLD = 100;
        GEN.PLATZ = static_cast<std::int16_t>(c.platz);
        GEN.SPIELPLAN[0][1][2].GWERT = static_cast<std::int16_t>(c.odds);
        // A refusal is a message box that one key closes; otherwise the dialog asks.
        script(c.blocked ? "key 4\nkey Enter\nkey Esc\n" : "key 4\n" + typed(20) + "key Esc\n");
        WETTBUERO();
        EXPECT_EQ(TEAM.WETTEN[4], c.blocked ? 0 : 20) << c.platz << "/" << c.odds;
        EXPECT_EQ(TEAM.GOLD, c.blocked ? 100 : 80) << c.platz << "/" << c.odds;
    }
}

TEST_F(WettScreen, EscapeRemovesTheStake) {
    TEAM.GOLD = 100;
    TEAM.WETTEN[3] = 50;
    script("key 3\nkey Esc\nkey Esc\n");
    WETTBUERO();
    EXPECT_EQ(onfile().WETTEN[3], 0);
    EXPECT_EQ(onfile().GOLD, 150);
}

TEST_F(WettScreen, NoNextMatchDay) {
    GEN.HINRUNDE = 0;
    GEN.TURN = 9;
    TEAM.GOLD = 100;
    script("key Enter\n");
    WETTBUERO();
    EXPECT_EQ(KEY, 27);
    EXPECT_TRUE(untouched());
}

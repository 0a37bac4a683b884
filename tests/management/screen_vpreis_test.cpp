// The advance sale under scripted input: purchases, returns, refusals and the own
// price, as the file holds them after leaving.
#include "screen_fixture.h"

using namespace korax;

namespace {

class VpreisScreen : public korax::mtest::Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        day(2);        // next: day 3
        GEN.LIGA = 2;  // at most 60
        const int pairs[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {0, 9}};
        for (int k = 1; k <= 5; ++k) {
            GEN.SPIELPLAN[1][3][k].HEIM = static_cast<std::int16_t>(pairs[k - 1][0]);
            GEN.SPIELPLAN[1][3][k].GAST = static_cast<std::int16_t>(pairs[k - 1][1]);
        }
        for (int t = 1; t <= 10; ++t) GEN.VPREIS[t] = static_cast<std::int16_t>(10 * t);
    }
};

}  // namespace

TEST_F(VpreisScreen, BuyReturnAndRefuse) {
    struct Case { const char* what; std::int32_t gold; std::string script; int k, bought; std::int32_t goldafter; } cases[] = {
        {"buy", 100, "key 1\nkey Esc\n", 1, 1, 90},
        {"buy and return", 100, "key 3\nkey 3\nkey Esc\n", 3, 0, 100},
        {"own pairing", 100, "key 2\nkey Enter\nkey Esc\n", 2, 0, 100},
        {"no gold", 69, "key 4\nkey Enter\nkey Esc\n", 4, 0, 69},
        {"team 0", 100, "key 5\nkey Esc\n", 5, 0, 100},
    };
    for (const auto& c : cases) {
        TEAM = TEAMREC{}, TEAM.GOLD = c.gold;
        bool leave = false;
        script(c.script);
        SETVPREIS(leave);
        EXPECT_FALSE(leave) << c.what;
        EXPECT_EQ(KEY, 27) << c.what;
        EXPECT_EQ(TEAM.VKAUF[c.k], c.bought) << c.what;
        EXPECT_EQ(TEAM.GOLD, c.goldafter) << c.what;
        EXPECT_EQ(RECORDBYTES(onfile()), RECORDBYTES(TEAM)) << c.what;
    }
}

TEST_F(VpreisScreen, OwnPriceAndTheMenuButton) {
    TEAM.VPREIS = 20;
    bool leave = false;
    script("key 6\n" + typed(999) + "key x\nclick " + menubutton(3) + "\n");
    SETVPREIS(leave);
    EXPECT_TRUE(leave);
    EXPECT_EQ(onfile().VPREIS, 60);
    leave = false;
    script("key 6\nkey Esc\nkey R\n");  // Escape: back to the game master's price
    SETVPREIS(leave);
    EXPECT_FALSE(leave);
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(onfile().VPREIS, 30);
}

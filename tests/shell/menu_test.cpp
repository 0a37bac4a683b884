#include <gtest/gtest.h>

#include "data/config.h"
#include "data/g_types.h"
#include "shell/korax.h"

using namespace korax;

namespace {

class MenuHistory : public testing::Test {
protected:
    void SetUp() override { MENURESET(); }
    void TearDown() override { MENURESET(); }
};

bool no_tips(int) { return false; }
bool tips_at_103_and_150(int c) { return c == 103 || c == 150; }
bool tips_at_100(int c) { return c == 100; }
bool tips_everywhere(int) { return true; }

}  // namespace

TEST_F(MenuHistory, HoldsEachCodeOnceInVisitOrderAndEscapeAsksOnlyAtTheFirst) {
    EXPECT_EQ(MENUHISTORY, std::vector<int>{101});
    EXPECT_TRUE(ESCAPEASKS(0));
    EXPECT_TRUE(ESCAPEASKS(KEY2_BACK));
    EXPECT_FALSE(ESCAPEASKS(KEY2_TIPCYCLE));
    for (int code : {101, 105, 110, 105, 101}) MENUVISIT(code);
    EXPECT_EQ(MENUHISTORY, (std::vector<int>{101, 105, 110}));
    EXPECT_FALSE(ESCAPEASKS(0));
    EXPECT_EQ(ESCAPETARGET(0, 110, no_tips), 101);  // Escape in a sub-menu: back to the first
    EXPECT_EQ(MENUHISTORY, std::vector<int>{101});
    EXPECT_TRUE(ESCAPEASKS(0));
}

TEST_F(MenuHistory, BackKeyStepsBackOneEntry) {
    for (int code : {105, 110, 111}) MENUVISIT(code);
    EXPECT_EQ(ESCAPETARGET(KEY2_BACK, 111, no_tips), 110);
    EXPECT_EQ(MENUHISTORY, (std::vector<int>{101, 105, 110}));
    EXPECT_EQ(ESCAPETARGET(KEY2_BACK, 110, no_tips), 105);
    EXPECT_EQ(ESCAPETARGET(KEY2_BACK, 105, no_tips), 101);
    EXPECT_EQ(MENUHISTORY, std::vector<int>{101});
}

TEST_F(MenuHistory, TipCycleSearchesUpwardAndWraps) {
    const struct { int from; bool (*tips)(int); int to; } cases[] = {
        {101, tips_at_103_and_150, 103}, {103, tips_at_103_and_150, 150}, {150, tips_at_103_and_150, 103},
        {199, tips_at_100, 100}, {120, tips_everywhere, 121}, {199, tips_everywhere, 100},
        {150, [](int c) { return c == 150; }, 150}};
    for (const auto& c : cases) EXPECT_EQ(ESCAPETARGET(KEY2_TIPCYCLE, c.from, c.tips), c.to) << c.from;
    // Without any tips it ends at the first entry.
    MENUVISIT(105);
    MENUVISIT(112);
    EXPECT_EQ(ESCAPETARGET(KEY2_TIPCYCLE, 112, no_tips), 101);
    EXPECT_EQ(MENUHISTORY, std::vector<int>{101});
}

TEST(UsageSum, DifferenceOfStampsNothingForAFailedStampAndWrapping) {
    EXPECT_EQ(ADDUSAGE(1000, 0x5A000000, 0x5A000010), 1016);
    EXPECT_EQ(ADDUSAGE(1000, 0, 0x5A000010), 1000);
    EXPECT_EQ(ADDUSAGE(1000, 0x5A000000, 0), 1000);
    EXPECT_EQ(ADDUSAGE(1000, -5, 0x5A000010), 1000);
    EXPECT_EQ(ADDUSAGE(INT32_MAX, 1, 3), INT32_MIN + 1);
}

TEST(OwnTeamColour, WhiteUnlessSwitchedOff) {
    auto saved = TEAMCOLOR;
    auto nummer = NUMMER;
    TEAMCOLOR[3] = 5;
    TEAMCOLOR[4] = 0;
    NUMMER = 3;
    LOADICONS();
    EXPECT_EQ(TEAMCOLOR[3], 15);
    NUMMER = 4;
    LOADICONS();
    EXPECT_EQ(TEAMCOLOR[4], 0);
    NUMMER = 0;
    auto before = TEAMCOLOR;
    LOADICONS();
    EXPECT_EQ(TEAMCOLOR, before);
    TEAMCOLOR = saved;
    NUMMER = nummer;
}

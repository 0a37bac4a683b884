// The training plan under scripted input: clicks, the free points, leaving, and
// the usage counters that only test mode shows.
#include "base/state.h"
#include "common/png_shot.h"
#include "screen_fixture.h"

using namespace korax;
using TrainingScreen = korax::mtest::Screen;

TEST_F(TrainingScreen, ClicksChangeOneAreaAndKeysNothing) {
    TEAM.TRAINING.POINTS = 26, TEAM.TRAINING.TECHNIK = 5;
    TEAM.TRAINING.KRAFT = 25;  // clamped to 20 when drawn
    script("key Esc\n");
    TRAINING();
    const std::string w1 = window(1), w2 = window(2);
    TEAM.TRAINING.KRAFT = 25;
    // The last free point goes to area 1; area 2 is then refused (419) and stays at 0.
    script("key 1\nclick " + w1 + " right\nclick " + w2 + " right\nkey Enter\nclick " + w2 + " left\nkey Esc\n");
    TRAINING();
    const TEAMREC t = onfile();
    EXPECT_EQ(t.TRAINING.TECHNIK, 6);
    EXPECT_EQ(t.TRAINING.TAKTIK, 0);
    EXPECT_EQ(t.TRAINING.KRAFT, 20);
}

TEST_F(TrainingScreen, RightClickWithFreePointsAndRWithFreePoints) {
    TEAM.TRAINING.POINTS = 10;
    script("key Esc\n");
    TRAINING();
    const std::string w3 = window(3);
    // "R" with free points only shows how many; Escape leaves anyway.
    script("click " + w3 + " right\nclick " + w3 + " right\nkey R\nkey Enter\nkey Esc\n");
    TRAINING();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(onfile().TRAINING.KRAFT, 2);
    TEAM.TRAINING.POINTS = 2;
    script("key R\n");
    TRAINING();
    EXPECT_EQ(KEY, 27);
}

TEST_F(TrainingScreen, MorePointsGivenThanThereAreIsError20) {
    TEAM.TRAINING.POINTS = 10, TEAM.TRAINING.SCHUSS = 11;
    script("key Esc\n");
    try {
        TRAINING();
        FAIL() << "no error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 20);
    }
    EXPECT_TRUE(untouched());
}

TEST_F(TrainingScreen, UsageCountersOnlyInTestMode) {
    const bool old = TESTMODE;
    for (bool test : {false, true}) {
        TEAM = TEAMREC{}, TEAM.TRAINING.POINTS = 20, TEAM.TRAINING.VGRGESAMT = 123456;
        TEAM.TRAINING.VGRANZAHL = 12, TEAM.TRAINING.KXGESAMT = 654, TEAM.TRAINING.KXANZAHL = 3, TESTMODE = test;
        script("shot t.png\nkey Esc\n");
        TRAINING();
        korax::testing::PNGSHOT s;
        ASSERT_TRUE(s.load(root / "t.png"));
        int grey = 0;
        for (int y = 268; y < 284; ++y)
            for (int x = XM1 + 20; x < XM1 + 400; ++x) grey += s.rgb(x, y) == 0xA8A8A8u;
        EXPECT_EQ(grey > 0, test);
        EXPECT_TRUE(untouched());
    }
    TESTMODE = old;
}

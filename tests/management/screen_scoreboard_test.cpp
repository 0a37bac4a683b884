// The stadium's scoreboard as it runs and stops, and the training screen's usage
// counters that only test mode shows: pictures taken under scripted input.
#include <set>

#include "base/state.h"
#include "common/png_shot.h"
#include "graph/htime.h"
#include "screen_fixture.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

using BoardScreen = Screen;

constexpr int SHOTS = 14;

// The scoreboard area of one picture (one colour when blank) as a string of text / background.
std::string board(const korax::testing::PNGSHOT& s) {
    std::string b;
    for (int y = 140; y < 172; ++y)
        for (int x = XM1 + 158; x < XM1 + 360; ++x) b += s.rgb(x, y) != s.rgb(XM1 + 158, 140) ? '#' : '.';
    return b;
}

std::string shots(int n, const char* prefix) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "move " + std::to_string(600 + i) + " 600\nshot " + std::string(prefix) + std::to_string(i) + ".png\n";
    return s;
}

}  // namespace

TEST_F(BoardScreen, ScoreboardRunsUntilAnyInputWhichIsHandled) {
    struct Case {
        const char* what;
        bool scorer;  // slot 1 taken, slot 4 the top scorer
        std::size_t texts;
    } cases[] = {
        {"top scorer, go, for GOAL", true, 3},
        {"empty first slot: no name", false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TEAM = TEAMREC{};
        TEAM.STADION.SITZPLAETZE = 1800;
        TEAM.GOLD = 1000;
        GEN.HINRUNDE = 1;
        GEN.TURN = 2;
        PLAYER = {};
        BELEGT = {};
        if (c.scorer) {
            BELEGT[1] = BELEGT[4] = true;
            PLAYER[1].NAME = STRING8::of("Aldo");
            PLAYER[4].NAME = STRING8::of("Bruno");
            PLAYER[4].TORE = 7;
        }
        TICKCOUNT = 0;
        script(shots(SHOTS, "run") + "key 1\n" +
               "key Space\nkey Esc\ntext 100\nkey Enter\nkey Enter\n" + shots(4, "stop") + "key Esc\n");
        STADION();
        std::set<std::string> seen;
        int blank = 0;
        for (int i = 0; i < SHOTS; ++i) {
            korax::testing::PNGSHOT s;
            ASSERT_TRUE(s.load(root / ("run" + std::to_string(i) + ".png")));
            const std::string b = board(s);
            if (b.find('#') == std::string::npos) ++blank;
            else seen.insert(b);
        }
        EXPECT_EQ(seen.size(), c.texts);
        EXPECT_GT(blank, 0);
        // Stopped: the board no longer changes.
        std::set<std::string> after;
        for (int i = 0; i < 4; ++i) {
            korax::testing::PNGSHOT s;
            ASSERT_TRUE(s.load(root / ("stop" + std::to_string(i) + ".png")));
            after.insert(board(s));
        }
        EXPECT_EQ(after.size(), 1u);
        // The key that stopped it was not lost: the order was taken.
        EXPECT_EQ(onfile().STADION.ERWEITERUNG, 100);
        EXPECT_EQ(onfile().GOLD, 800);
    }
}

TEST_F(BoardScreen, TrainingShowsUsageCountersOnlyInTestMode) {
    struct Case {
        bool test;
        bool shown;
    } cases[] = {{false, false}, {true, true}};
    const bool old = TESTMODE;
    for (const auto& c : cases) {
        TEAM = TEAMREC{};
        TEAM.TRAINING.POINTS = 20;
        TEAM.TRAINING.VGRGESAMT = 123456;
        TEAM.TRAINING.VGRANZAHL = 12;
        TEAM.TRAINING.KXGESAMT = 654;
        TEAM.TRAINING.KXANZAHL = 3;
        TESTMODE = c.test;
        script("shot t.png\nkey Esc\n");
        TRAINING();
        korax::testing::PNGSHOT s;
        ASSERT_TRUE(s.load(root / "t.png"));
        int grey = 0;
        for (int y = 268; y < 284; ++y)
            for (int x = XM1 + 20; x < XM1 + 400; ++x) grey += s.rgb(x, y) == 0xA8A8A8u;
        EXPECT_EQ(grey > 0, c.shown) << c.test;
        EXPECT_TRUE(untouched());
    }
    TESTMODE = old;
}

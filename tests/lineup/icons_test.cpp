// The player icons' black is drawn as another colour while the line-up is open
// and must come back on every way out, or every later screen shows broken icons.
#include <gtest/gtest.h>

#include <array>

#include "base/state.h"
#include "management/lineup.h"
#include "management/screen_fixture.h"

using namespace korax;

namespace {

class LineupIcons : public korax::mtest::Screen {
protected:
    std::string oldkxpath;
    std::array<ICONREC, 11> saved{};
    std::array<ICONREC, 11> start{};
    void SetUp() override {
        Screen::SetUp();
        oldkxpath = KXPATH;
        KXPATH = KORAX_DIST_DIR;
        for (int s = 1; s <= 10; ++s) {
            saved[s] = ICON[s];
            // Black, a colour, and the bar's colours around it, in stripes.
            for (int r = 0; r < 32; ++r)
                for (int c = 0; c < 32; ++c) ICON[s].P[r][c] = static_cast<std::uint8_t>((r + c + s) % 4 == 0 ? 0 : r % 2 ? 12 : 250);
            start[s] = ICON[s];
            BELEGT[s] = s != 4;  // an empty slot keeps whatever its icon holds
            PLAYER[s].NAME.set("P" + std::to_string(s));
            PLAYER[s].VERFASSUNG = 50;
        }
        for (int p = 1; p <= 5; ++p) {
            TEAM.TAKTIK[p].NORMALX = static_cast<std::int16_t>(100 + 120 * p);
            TEAM.TAKTIK[p].NORMALY = 300;
            TEAM.IMTEAM[p] = static_cast<std::uint8_t>(p);
        }
    }
    void TearDown() override {
        for (int s = 1; s <= 10; ++s) ICON[s] = saved[s];
        KXPATH = oldkxpath;
        Screen::TearDown();
    }
    bool asstarted(int s) const { return RECORDBYTES(ICON[s]) == RECORDBYTES(start[s]); }
    int count(int s, int colour) const {
        int n = 0;
        for (const auto& row : ICON[s].P)
            for (auto p : row) n += p == colour;
        return n;
    }
};

}  // namespace

TEST_F(LineupIcons, BlackIsExchangedWhileOpen) {
    // The script ends with the screen still open.
    script("key 6\n");
    EXPECT_THROW(AUFSTELLUNG(false), ScriptExhausted);
    for (int s = 1; s <= 10; ++s) {
        if (s == 4) {
            EXPECT_TRUE(asstarted(s));
            continue;
        }
        EXPECT_EQ(count(s, 0), 0) << s;
        EXPECT_EQ(count(s, 251), 256) << s;
    }
}

TEST_F(LineupIcons, RestoredOnEveryWayOut) {
    struct Case { const char* name; std::string script; bool sparr; };
    const Case cases[] = {
        {"Escape", "key Esc\n", false},
        {"R", "key R\n", false},
        {"after a change", "key 6\nkey B\nkey Esc\n", false},
        {"menu button", "click 900 105\n", false},
        {"after the player card", "click " + std::to_string(6 + 7 + 20) + " " + std::to_string(725 - 57 + 20) +
                                      " right\nkey K\nkey Esc\n",
         false},
        {"friendly", "key 1\nkey Esc\n", true},
    };
    for (const Case& c : cases) {
        script(c.script);
        AUFSTELLUNG(c.sparr);
        for (int s = 1; s <= 10; ++s) EXPECT_TRUE(asstarted(s)) << c.name << " " << s;
    }
}

// The player icons' black is drawn as another colour while the line-up is open and
// must come back on every way out, or every later screen shows broken icons.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/state.h"
#include "common/client_run.h"
#include "management/formation.h"
#include "management/lineup.h"
#include "management/screen_fixture.h"

using namespace korax;

namespace {

class LineupScreen : public korax::mtest::Screen {
protected:
    std::string oldkxpath;
    std::array<ICONREC, 11> saved{}, start{};
    void SetUp() override {
        Screen::SetUp();
        oldkxpath = KXPATH, KXPATH = KORAX_DIST_DIR;
        for (int s = 1; s <= 10; ++s) {
            saved[s] = ICON[s];
            // Black, a colour, and the bar's colours around it, in stripes.
            for (int r = 0; r < 32; ++r)
                for (int c = 0; c < 32; ++c) ICON[s].P[r][c] = static_cast<std::uint8_t>((r + c + s) % 4 == 0 ? 0 : r % 2 ? 12 : 250);
            start[s] = ICON[s];
        }
        for (int p = 1; p <= 5; ++p) {
            for (auto* t : {&TEAM.TAKTIK[p], &TEAM.SPARRTAKTIK[p]}) {
                t->NORMALX = static_cast<std::int16_t>(p <= 2 ? 700 : p <= 4 ? 350 : 100);
                t->NORMALY = static_cast<std::int16_t>(p == 5 ? 300 : p % 2 ? 150 : 450);
                t->FANGRADIUS = 100;
            }
            TEAM.IMTEAM[p] = static_cast<std::uint8_t>(p);
        }
        for (int s = 1; s <= 10; ++s) BELEGT[s] = true, PLAYER[s].NAME.set("P" + std::to_string(s)), PLAYER[s].VERFASSUNG = 50;
    }
    void TearDown() override {
        for (int s = 1; s <= 10; ++s) ICON[s] = saved[s];
        KXPATH = oldkxpath;
        Screen::TearDown();
    }
    bool asstarted(int s) const { return RECORDBYTES(ICON[s]) == RECORDBYTES(start[s]); }
};

}  // namespace

TEST_F(LineupScreen, KeysAssignExchangeAndRepeatDeselects) {
    // Slot 6 onto position 2; positions 1 and 3 exchanged; "1" twice selects nothing,
    // so the following "B" ends in no pair.
    script("key 6\nkey C\nkey B\nkey D\nkey 1\nkey 1\nkey B\nkey R\n");
    AUFSTELLUNG(false);
    EXPECT_EQ(KEY, 27);
    const TEAMREC t = onfile();
    EXPECT_EQ(std::vector<int>({t.IMTEAM[1], t.IMTEAM[2], t.IMTEAM[3], t.TAKTIK[1].NORMALX}), std::vector<int>({3, 6, 1, 700}));
}

TEST_F(LineupScreen, FriendlyRacesAndExchange) {
    TEAM.SPARRTAKTIK[1].NR = 0, TEAM.SPARRTAKTIK[2].NR = 42, TEAM.SPARRTAKTIK[4].NR = 5;
    script("key 1\nkey E\nkey B\nkey C\nkey Esc\n");
    AUFSTELLUNG(true);
    const TEAMREC t = onfile();
    // 42 exchanged with position 2 whose 0 became "Spider" on entry
    EXPECT_EQ(std::vector<int>({t.SPARRTAKTIK[4].NR, t.SPARRTAKTIK[1].NR, t.SPARRTAKTIK[2].NR, t.IMTEAM[1]}), std::vector<int>({1, 42, 3, 1}));
}

TEST_F(LineupScreen, DragsEscapedReleasedAndClicks) {
    SETSPIELFELD(XM1, XM2, YM2);
    const std::string from = at(TOSCREENX(100), TOSCREENY(300)), to = at(TOSCREENX(200), TOSCREENY(200));
    script("press " + from + "\nmove " + to + "\nkey Esc\nrelease\nkey Esc\n");
    AUFSTELLUNG(false);
    EXPECT_TRUE(untouched());
    // The same drag released lands there; two clicks without movement exchange
    // positions 5 and 3, and neither moves.
    script("press " + from + "\nmove " + to + "\nrelease\nclick " + at(TOSCREENX(200) + 2, TOSCREENY(200) + 2) +
           "\nclick " + at(TOSCREENX(350), TOSCREENY(150)) + "\nkey Esc\n");
    AUFSTELLUNG(false);
    const TEAMREC t = onfile();
    EXPECT_EQ(std::vector<int>({t.TAKTIK[5].NORMALX, t.IMTEAM[5], t.IMTEAM[3], t.TAKTIK[3].NORMALX}),
              std::vector<int>({TOPITCHX(TOSCREENX(200)), 3, 5, 350}));
}

TEST_F(LineupScreen, SchemaSavedProgramFileRefusedThenTiesAndBenchDrops) {
    SETSPIELFELD(XM1, XM2, YM2);
    korax::client::spit(root / "KORAX.INI", "[x]\r\n");
    TEAM.TRANSFER[8] = 1;
    const TEAMREC before = TEAM;
    auto drag = [](const std::string& from, int x, int y) { return "press " + from + "\nmove " + at(x, y) + "\nrelease\n"; };
    const std::string bench6 = at(6 + 7 + 20, 725 - 57 + 20);
    // Defender 4 onto the tie target "A1" is refused; forward 2 ties to "M ". Slot 8
    // has a transfer decision: refused with a message; slot 6 takes position 1.
    script("key H\ntext ATTACK\nkey Enter\nkey H\ntext korax.ini\nkey Enter\nkey Enter\n" +
           drag(at(TOSCREENX(350), TOSCREENY(450)), XM1 + 135, 95) + drag(at(TOSCREENX(700), TOSCREENY(450)), XM1 + 225, 95) +
           drag(at(6 + 7 + 153 * 2 + 20, 725 - 57 + 20), TOSCREENX(700), TOSCREENY(150)) + "key Enter\n" +
           drag(bench6, TOSCREENX(700), TOSCREENY(150)) + "key Esc\n");
    AUFSTELLUNG(false);
    const std::string sch = korax::client::slurp(root / "ATTACK.sch");
    ASSERT_EQ(sch.size(), 230u);
    for (int q = 1; q <= 5; ++q) EXPECT_EQ(sch.substr((q - 1) * sizeof(TAKTIKTYPE), sizeof(TAKTIKTYPE)), RECORDBYTES(before.TAKTIK[q])) << q;
    EXPECT_EQ(korax::client::slurp(root / "KORAX.INI"), "[x]\r\n");
    TEAMREC want = before;
    want.TAKTIK[2].NORMALX = 0, want.TAKTIK[2].NORMALY = 5, want.IMTEAM[1] = 6;
    EXPECT_EQ(RECORDBYTES(onfile()), RECORDBYTES(want));
}

TEST_F(LineupScreen, CursorShowsStopOverARefusedPlace) {
    SETSPIELFELD(XM1, XM2, YM2);
    const std::string from = at(TOSCREENX(100), TOSCREENY(300));
    struct Case { int x, y; MOUSESHAPE_KIND shape; };
    // Within 32 units of position 3; a free place; beyond the margin of the pitch;
    // over the tie target "S1" in the top band.
    for (const Case& c : {Case{TOSCREENX(360), TOSCREENY(160), MOUSESHAPE_STOP}, Case{TOSCREENX(200), TOSCREENY(300), MOUSESHAPE_POSITION},
                          Case{XS1 + 20, TOSCREENY(300), MOUSESHAPE_STOP}, Case{XM1 + 40, 95, MOUSESHAPE_POSITION}}) {
        // The script ends while the button is still held: the shape is the one shown there.
        script("press " + from + "\nmove " + at(c.x, c.y) + "\n");
        EXPECT_THROW(AUFSTELLUNG(false), ScriptExhausted);
        EXPECT_EQ(MOUSESHAPE, c.shape) << c.x << "," << c.y;
        DRAGDROP = false;
        ESETWRITEMODE(0);
        korax::testing::CLOSEHEADLESSSCREEN();
        korax::testing::OPENHEADLESSSCREEN();
        INITOBERFLAECHE(0);
    }
    EXPECT_TRUE(untouched());
}

TEST_F(LineupScreen, IconsBlackIsExchangedWhileOpenAndRestoredOnEveryWayOut) {
    BELEGT[4] = false;  // an empty slot keeps whatever its icon holds
    script("key 6\n");  // the script ends with the screen still open
    EXPECT_THROW(AUFSTELLUNG(false), ScriptExhausted);
    for (int s = 1; s <= 10; ++s) {
        int black = 0, exchanged = 0;
        for (const auto& row : ICON[s].P)
            for (auto p : row) black += p == 0, exchanged += p == 251;
        EXPECT_EQ(black, s == 4 ? 256 : 0) << s;
        EXPECT_EQ(exchanged, s == 4 ? 0 : 256) << s;
    }
    struct Case { const char* name; std::string script; bool sparr; } cases[] = {
        {"R", "key R\n", false}, {"after a change", "key 6\nkey B\nkey Esc\n", false}, {"menu button", "click 900 105\n", false},
        {"after the player card", "click " + at(6 + 7 + 20, 725 - 57 + 20) + " right\nkey K\nkey Esc\n", false},
        {"friendly", "key 1\nkey Esc\n", true}};
    for (int s = 1; s <= 10; ++s) ICON[s] = start[s];  // a fresh start after the screen left open
    korax::testing::CLOSEHEADLESSSCREEN();
    korax::testing::OPENHEADLESSSCREEN();
    INITOBERFLAECHE(0);
    for (const Case& c : cases) {
        script(c.script);
        AUFSTELLUNG(c.sparr);
        for (int s = 1; s <= 10; ++s) EXPECT_TRUE(asstarted(s)) << c.name << " " << s;
    }
}

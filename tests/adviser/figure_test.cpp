// The figure and its bubble on the headless screen, driven by scripted input.
#include <tuple>

#include "adviser/adviser.h"
#include "adviser_fixture.h"
#include "common/headless_screen.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "data/config.h"
#include "shell/korax.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

class Figure : public advisertest::TipsDir {
protected:
    std::array<STRING70, 701> oldl;
    std::string oldtmp, oldpath;
    ADVISERHOOKS oldhooks;

    void SetUp() override {
        TipsDir::SetUp();
        oldl = L;
        oldtmp = TMPDIR;
        oldpath = KXPATH;
        oldhooks = ADVISER;
        TMPDIR = dir.string() + "/";
        KXPATH = dir.string();
        LEFTMENU = false;
        for (const char* f : {"hugo1.RAW", "hugo2.RAW", "text.pcx", "MENU.CFG"})
            fs::copy_file(fs::path(KORAX_DIST_DIR) / f, dir / f);
        for (int i = 100; i <= 130; ++i) L[static_cast<std::size_t>(i)].set("Entry " + std::to_string(i));
        L[1].set("Press a key");
        L[480].set("Tips");
        for (int i = 481; i <= 489; ++i) L[static_cast<std::size_t>(i)].set("Line " + std::to_string(i));
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        ADVISERINIT();
        INITOBERFLAECHE(0);
        AKTUMENU = 101;
        TICKCOUNT = 0;
        KEY = KEY2 = 0;
    }
    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU();
        ADVISER = oldhooks;
        L = oldl;
        TMPDIR = oldtmp;
        KXPATH = oldpath;
        KEY = KEY2 = 0;
        TipsDir::TearDown();
    }
    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "hugo.kis"); }
    static std::string at(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    // The first oval button of the bubble, and the second.
    static std::string first() { return at(XMC - 80, EMAXY / 2 + 70); }
    static std::string second() { return at(XMC + 80, EMAXY / 2 + 70); }
    // Input passes of a screen until something ends it.
    static void passes() {
        for (int i = 0; i < 200 && !GLOBALBUTTON(); ++i) {
            if (KEY != 0) break;
        }
    }
};

const std::string ACCOMMODATION = "[101] Home\r\n@IF a < 2\r\nSleep better.\r\n@END\r\nA=2\r\n";

}  // namespace

TEST_F(Figure, StandsInTheCornerAndChangesFrameEvery18Ticks) {
    tips(ACCOMMODATION);
    LESETIPS();
    SHOWHUGO();
    EXPECT_EQ(std::tie(HUGO, HUGOX, HUGOY), std::make_tuple(2, XM2 - 48, YM2 - 48));
    // the red ring, and the white disc outside the icon's circle
    EXPECT_EQ((std::array<int, 3>{EGETPIXEL(HUGOX, HUGOY - 34), EGETPIXEL(HUGOX, HUGOY - 36), EGETPIXEL(HUGOX - 31, HUGOY)}),
              (std::array<int, 3>{12, 0, 15}));
    const auto& w = KLICKFENSTER[25];
    EXPECT_EQ(std::tie(w.AKTIV, w.X1, w.Y2), std::make_tuple(true, HUGOX - 40, HUGOY + 40));
    EXPECT_TRUE(KLICKFENSTER[26].AKTIV);  // the button with the count, the tip cycle
    EXPECT_GT(KLICKFENSTER[26].Y1, YM2);
    for (const auto& [ticks, frame] : {std::pair{17, 2}, {1, 3}, {18, 2}}) {
        for (int i = 0; i < ticks; ++i) SHOWHUGO();
        EXPECT_EQ(HUGO, frame) << ticks;
    }
    // A clearing has the figure drawn anew at the next pass.
    CLEAROBERFLAECHE();
    EXPECT_EQ(HUGO, 1);
    EXPECT_EQ(EGETPIXEL(HUGOX, HUGOY - 34), SCREEN);
}

TEST_F(Figure, SecondButtonOrAKeyChangeNothingAcceptingAppliesAndWritesTheTeam) {
    tips(ACCOMMODATION);
    TEAM.UNTERKUNFT = 1;
    openTeamFile();
    LESETIPS();
    ASSERT_EQ(TIPANZAHL, 1);
    SHOWHUGO();
    const int under = EGETPIXEL(XMC, EMAXY / 2);
    script("click " + at(HUGOX, HUGOY) + "\nclick " + second() + "\nclick " + at(HUGOX, HUGOY) + "\nkey x\n");
    for (int i = 0; i < 2; ++i) {
        passes();
        EXPECT_EQ(KEY, 0);
    }
    EXPECT_EQ(TEAM.UNTERKUNFT, 1);
    script("click " + at(HUGOX, HUGOY) + "\nclick " + first() + "\n");
    passes();
    // the screen is shown again with the changed values; counted again, the tip holds no more
    EXPECT_EQ(std::tie(KEY, TEAM.UNTERKUNFT, TIPANZAHL), std::make_tuple(101, 2, 0));
    EXPECT_EQ(EGETPIXEL(XMC, EMAXY / 2), under);  // the bubble is gone
    EXPECT_EQ(RECORDBYTES(storedTeam()), RECORDBYTES(TEAM));
}

TEST_F(Figure, WithoutTipsTheBoxIsShownHelpAndNewDesktopDrawTheFigureAnew) {
    LESETIPS();  // no tips file
    SHOWHUGO();
    script("click " + at(HUGOX, HUGOY) + "\nshot box.png\nkey Enter\n");
    passes();
    EXPECT_EQ(KEY, 0);
    EXPECT_TRUE(fs::exists(dir / "box.png"));
    ASSERT_GT(HUGO, 1);  // standing, one of its frames shown
    ADVISER.afterhelp();
    EXPECT_EQ(HUGO, 1);
    HUGO = -1;
    INITOBERFLAECHE(0);
    EXPECT_EQ(HUGO, 1);
}

TEST_F(Figure, WithoutAFigureTheBubbleLeadsToTheNextScreenWithTips) {
    tips("[105] Table\r\n@IF g > 10\r\nRich.\r\n@\r\n-\r\n");
    TEAM.GOLD = 100;
    LESETIPS();
    SHOWHUGO();
    TIPSCREEN(101);  // no tips for this screen: the still figure stays
    EXPECT_EQ(HUGO, 0);
    CLEAROBERFLAECHE();
    EXPECT_EQ(HUGO, -1);
    EXPECT_EQ(EGETPIXEL(HUGOX, HUGOY - 34), 12);  // restored from "h1.TMP"
    EXPECT_EQ(KLICKFENSTER[25].X1, HX1);
    script("click " + at(HUGOX, HUGOY) + "\nclick " + first() + "\n");
    passes();
    EXPECT_EQ(std::tie(KEY, KEY2), std::make_tuple(27, KEY2_TIPCYCLE));
    EXPECT_EQ(ESCAPETARGET(KEY2, AKTUMENU, TIP), 105);
    // A further clearing takes the still figure away, and its place answers no more.
    CLEAROBERFLAECHE();
    EXPECT_FALSE(KLICKFENSTER[25].AKTIV);
}

TEST_F(Figure, AFigureWithoutATipThatHoldsHereOffersTheNextScreenAsTheTipsButtonDoes) {
    // The first block of 101 does not hold: it must not be shown, nor its action run.
    tips("[101] Home\r\n@IF a > 3\r\nLower it.\r\n@\r\nA=0\r\n[105] Table\r\n@IF 1\r\nx\r\n@\r\n-\r\n"
         "[108] Home\r\n@IF 1\r\nx\r\n@\r\n-\r\n");
    TEAM.UNTERKUNFT = 3;
    LESETIPS();
    EXPECT_EQ(TIPANZAHL, 2);
    SHOWHUGO();
    const auto& w = KLICKFENSTER[26];
    for (const std::string& click : {"click " + at(HUGOX, HUGOY) + "\nclick " + first() + "\n",
                                     "click " + at((w.X1 + w.X2) / 2, (w.Y1 + w.Y2) / 2) + "\n"}) {
        KEY = KEY2 = 0;
        script(click);
        passes();
        EXPECT_EQ(std::tie(TEAM.UNTERKUNFT, KEY, KEY2), std::make_tuple(3, 27, KEY2_TIPCYCLE));
    }
    EXPECT_EQ(ESCAPETARGET(KEY2, 105, TIP), 108);
    EXPECT_EQ(ESCAPETARGET(KEY2, 108, TIP), 105);
}

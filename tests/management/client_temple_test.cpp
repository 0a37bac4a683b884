// Temple and advertising through the real client on a generated game: the growing
// pendant's warning, a drag from the altar onto the squad bar, applications, the
// team file afterwards, both languages, and a missing NOTION.CFG.
#include <gtest/gtest.h>

#include <string>

#include "common/client_run.h"
#include "data/artefakt.h"

using namespace korax;
using namespace korax::client;

namespace {

// Temple and advertising right below the overview: buttons 2 and 3.
const char* const MENU = "101   ;a\n125   ;b\n119   ;c\n---\n102   ;d\n105   ;e\n106   ;f\n120   ;g\n113   ;h\n"
                         "104   ;i\n103   ;j\n109   ;k\n111   ;l\n115   ;m\n108   ;n\n118   ;o\n110   ;p\n117   ;q\n"
                         "116   ;r\n114   ;s\n107   ;t\n112   ;u\n123   ;v\n124   ;w\n128   ;x\n127   ;y\n";

// The altar (window 11) and squad slots 1..10 with the menu column on the right.
const char* const ALTAR = "126 352";
std::string slot(int s) {
    const int col = (s - 1) % 5;
    return std::to_string(6 + 7 + 153 * col + 69) + " " + std::to_string(s <= 5 ? 635 : 693);
}

struct Game : ProgramDir {
    explicit Game(int team) {
        spit(prog / "MENU.CFG", MENU);
        EXPECT_EQ(game(team, 5), 0);
    }
};

TEST(TempleClient, GrowingPendantWarnsThenGoesToSlotThree) {
    Game g(6);
    const std::string before = g.file("LIGA/TEAM6.DAT"), players = g.file("LIGA/PLAYER6.DAT");
    const TEAMREC was = g.team(6);
    ASSERT_EQ(was.ARTEFAKT, 4);
    ASSERT_GT(was.ARTDAUER, 0);
    ASSERT_EQ(was.ARTPRUEF, CHECKARTEFAKTE(was));
    const std::string script = menubutton(2) + "click " + ALTAR + "\nkey Enter\npress " + ALTAR + "\nmove " + slot(3) +
                               "\nrelease\n" + "key Esc\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "6"}, script), 0) << g.log();
    const TEAMREC t = g.team(6);
    EXPECT_EQ(t.ARTPLAYER[3], 42);
    EXPECT_EQ(t.ARTEFAKT, 0);
    EXPECT_EQ(t.ARTLEVEL, 0);
    EXPECT_EQ(t.ARTPRUEF, CHECKARTEFAKTE(t));
    EXPECT_EQ(t.ARTPRUEF, 3 + 1 + 2 + 3);
    const std::string after = g.file("LIGA/TEAM6.DAT");
    for (int k = 1; k <= 10; ++k)
        if (k != 6) {
            EXPECT_EQ(after.substr((k - 1) * 907, 907), before.substr((k - 1) * 907, 907)) << k;
        }
    EXPECT_EQ(g.file("LIGA/PLAYER6.DAT"), players);
}

TEST(TempleClient, PendantOfATransferPlayerStaysAndSlotToSlotMoves) {
    Game g(2);
    // Slot 2 (level 3) to slot 8 (transfer decision) is refused; to slot 4 it moves.
    const std::string script = menubutton(2) + "press " + slot(2) + "\nmove " + slot(8) + "\nrelease\nkey Enter\n" +
                               "press " + slot(2) + "\nmove " + slot(4) + "\nrelease\nkey Esc\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "2"}, script), 0) << g.log();
    const TEAMREC t = g.team(2);
    EXPECT_EQ(t.ARTPLAYER[2], 0);
    EXPECT_EQ(t.ARTPLAYER[8], 0);
    EXPECT_EQ(t.ARTPLAYER[4], 23);
    EXPECT_EQ(t.ARTEFAKT, 4);
}

TEST(AdvertisingClient, KeysLandInTheTeamFile) {
    Game g(4);
    const TEAMREC was = g.team(4);
    ASSERT_EQ(was.WERB1, 4);
    // 3 is held by another team, 6 by the own team: keys on them do nothing.
    const std::string script = menubutton(3) + "key 3\nkey 6\nkey 5\nkey 9\nkey A\nkey R\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "4"}, script), 0) << g.log();
    const TEAMREC t = g.team(4);
    EXPECT_EQ(t.WERB1, 4);
    EXPECT_EQ(t.WERB2, 10);
}

TEST(AdvertisingClient, MissingNotionStopsWithError1) {
    Game g(4);
    fs::remove(g.prog / "NOTION.CFG");
    const std::string before = g.file("LIGA/TEAM4.DAT");
    EXPECT_EQ(g.run({"korax", "LIGA", "4"}, menubutton(3) + "key Enter\n"), 1) << g.log();
    TEAMREC want = teamrecord(before, 4), got = g.team(4);
    forgetusage(want);
    forgetusage(got);
    EXPECT_EQ(got.WERB1, want.WERB1);
    EXPECT_EQ(got.ARTPRUEF, want.ARTPRUEF);
}

// Pictures of both screens in English and German; KORAX_SHOTS keeps them.
TEST(TempleClient, ScreenshotsInBothLanguages) {
    std::string pictures[2][2];
    for (int lang = 0; lang < 2; ++lang) {
        Game g(6);
        const std::string cfg = g.file("LANGUAGE.CFG");
        spit(g.prog / "LANGUAGE.CFG", (lang == 0 ? "2" : "1") + cfg.substr(cfg.find('\n')));
        const std::string dir = g.root.string() + "/";
        const std::string script = menubutton(2) + "shot " + dir + "temple.png\n" + menubutton(3) + "shot " + dir +
                                   "advertising.png\n" + "key Esc\nkey Esc\nclick 293 398\nkey Enter\nkey Enter\n";
        ASSERT_EQ(g.run({"korax", "LIGA", "6"}, script), 0) << g.log();
        pictures[lang][0] = slurp(g.root / "temple.png");
        pictures[lang][1] = slurp(g.root / "advertising.png");
        if (const char* keep = std::getenv("KORAX_SHOTS")) {
            const std::string suffix = lang == 0 ? "-en.png" : "-de.png";
            spit(fs::path(keep) / ("temple" + suffix), pictures[lang][0]);
            spit(fs::path(keep) / ("advertising" + suffix), pictures[lang][1]);
        }
    }
    for (int lang = 0; lang < 2; ++lang) {
        EXPECT_GT(pictures[lang][0].size(), 1000u);
        EXPECT_NE(pictures[lang][0], pictures[lang][1]);
    }
    EXPECT_NE(pictures[0][0], pictures[1][0]);
    EXPECT_NE(pictures[0][1], pictures[1][1]);
}

}  // namespace

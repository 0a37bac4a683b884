#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    return std::to_string(6 + 7 + 153 * ((s - 1) % 5) + 69) + " " + std::to_string(s <= 5 ? 635 : 693);
}
std::string drag(const std::string& from, const std::string& to) { return "press " + from + "\nmove " + to + "\nrelease\n"; }

struct Game : ProgramDir {
    explicit Game(int team) {
        spit(prog / "MENU.CFG", MENU);
        EXPECT_EQ(game(team, 5), 0);
    }
};

TEST(TempleClient, BothScreensThenTheGrowingPendantToSlotThree) {
    Game g(6);
    const std::string before = g.file("LIGA/TEAM6.DAT"), players = g.file("LIGA/PLAYER6.DAT");
    const TEAMREC was = g.team(6);
    ASSERT_EQ(was.ARTEFAKT, 4);
    ASSERT_GT(was.ARTDAUER, 0);
    ASSERT_EQ(was.ARTPRUEF, CHECKARTEFAKTE(was));
    // Pictures of both screens (KORAX_SHOTS keeps them); the first press on the
    // growing pendant only warns, then the drag moves it.
    const std::string dir = g.root.string() + "/";
    const std::string script = menubutton(2) + "shot " + dir + "temple.png\n" + menubutton(3) + "shot " + dir +
                               "advertising.png\n" + menubutton(2) + "click " + ALTAR + "\nkey Enter\n" + drag(ALTAR, slot(3));
    ASSERT_EQ(g.run({"korax", "LIGA", "6"}, script + "key Esc\nkey Esc\nclick 293 398\nkey Enter\nkey Enter\n"), 0) << g.log();
    const std::string temple = slurp(g.root / "temple.png"), advertising = slurp(g.root / "advertising.png");
    EXPECT_GT(temple.size(), 1000u);
    EXPECT_NE(temple, advertising);
    if (const char* keep = std::getenv("KORAX_SHOTS")) {
        spit(fs::path(keep) / "temple.png", temple);
        spit(fs::path(keep) / "advertising.png", advertising);
    }
    const TEAMREC t = g.team(6);
    EXPECT_EQ(std::vector<int>({t.ARTPLAYER[3], t.ARTEFAKT, t.ARTLEVEL, t.ARTPRUEF}), std::vector<int>({42, 0, 0, 3 + 1 + 2 + 3}));
    const std::string after = g.file("LIGA/TEAM6.DAT");
    // Every record but the own one as it was.
    EXPECT_EQ(after.substr(0, 4535) + after.substr(5442), before.substr(0, 4535) + before.substr(5442));
    EXPECT_EQ(g.file("LIGA/PLAYER6.DAT"), players);
}

TEST(TempleClient, PendantOfATransferPlayerStaysAndSlotToSlotMoves) {
    Game g(2);
    // Slot 2 (level 3) to slot 8 (transfer decision) is refused; to slot 4 it moves.
    const std::string script = menubutton(2) + drag(slot(2), slot(8)) + "key Enter\n" + drag(slot(2), slot(4)) + "key Esc\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "2"}, script), 0) << g.log();
    const TEAMREC t = g.team(2);
    EXPECT_EQ(std::vector<int>({t.ARTPLAYER[2], t.ARTPLAYER[8], t.ARTPLAYER[4], t.ARTEFAKT}), std::vector<int>({0, 0, 23, 4}));
}

TEST(AdvertisingClient, KeysLandInTheTeamFileAndAMissingNotionIsError1) {
    Game g(4);
    ASSERT_EQ(g.team(4).WERB1, 4);
    // 3 is held by another team, 6 by the own team: keys on them do nothing.
    ASSERT_EQ(g.run({"korax", "LIGA", "4"}, menubutton(3) + "key 3\nkey 6\nkey 5\nkey 9\nkey A\nkey R\n" + QUIT), 0) << g.log();
    TEAMREC want = g.team(4);
    EXPECT_EQ(std::vector<int>({want.WERB1, want.WERB2}), std::vector<int>({4, 10}));
    fs::remove(g.prog / "NOTION.CFG");
    EXPECT_EQ(g.run({"korax", "LIGA", "4"}, menubutton(3) + "key Enter\n"), 1) << g.log();
    TEAMREC got = g.team(4);
    forgetusage(want);
    forgetusage(got);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(want));
}

}  // namespace

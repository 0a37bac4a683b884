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

TEST(TempleClient, BothScreensThenTheGrowingPendantToSlotThree) {
    ProgramDir g;
    spit(g.prog / "MENU.CFG", MENU);
    ASSERT_EQ(g.game(6, 5), 0) << g.log();
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

}  // namespace

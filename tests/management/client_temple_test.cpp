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
    return std::to_string(6 + 7 + 153 * ((s - 1) % 5) + 69) + " " + std::to_string(s <= 5 ? 635 : 693);
}
std::string drag(const std::string& from, const std::string& to) { return "press " + from + "\nmove " + to + "\nrelease\n"; }

struct Game : ProgramDir {
    explicit Game(int team) {
        spit(prog / "MENU.CFG", MENU);
        EXPECT_EQ(game(team, 5), 0);
    }
    void language(const char* code) {
        const std::string cfg = file("LANGUAGE.CFG");
        spit(prog / "LANGUAGE.CFG", code + cfg.substr(cfg.find('\n')));
    }
};

TEST(TempleClient, BothScreensInBothLanguagesThenTheGrowingPendantToSlotThree) {
    Game g(6);
    const std::string before = g.file("LIGA/TEAM6.DAT"), players = g.file("LIGA/PLAYER6.DAT");
    const TEAMREC was = g.team(6);
    ASSERT_EQ(was.ARTEFAKT, 4);
    ASSERT_GT(was.ARTDAUER, 0);
    ASSERT_EQ(was.ARTPRUEF, CHECKARTEFAKTE(was));
    // Pictures of both screens in German, then English; KORAX_SHOTS keeps them.
    std::string pictures[2][2];
    for (int lang = 0; lang < 2; ++lang) {
        g.language(lang == 0 ? "1" : "2");
        const std::string dir = g.root.string() + "/";
        std::string script = menubutton(2) + "shot " + dir + "temple.png\n" + menubutton(3) + "shot " + dir + "advertising.png\n";
        // The first press on the growing pendant only warns; then the drag moves it.
        if (lang == 1) script += menubutton(2) + "click " + ALTAR + "\nkey Enter\n" + drag(ALTAR, slot(3));
        ASSERT_EQ(g.run({"korax", "LIGA", "6"}, script + "key Esc\nkey Esc\nclick 293 398\nkey Enter\nkey Enter\n"), 0)
            << g.log();
        pictures[lang][0] = slurp(g.root / "temple.png");
        pictures[lang][1] = slurp(g.root / "advertising.png");
        EXPECT_GT(pictures[lang][0].size(), 1000u);
        EXPECT_NE(pictures[lang][0], pictures[lang][1]);
        if (const char* keep = std::getenv("KORAX_SHOTS")) {
            const std::string suffix = lang == 0 ? "-de.png" : "-en.png";
            spit(fs::path(keep) / ("temple" + suffix), pictures[lang][0]);
            spit(fs::path(keep) / ("advertising" + suffix), pictures[lang][1]);
        }
    }
    EXPECT_NE(pictures[0][0], pictures[1][0]);
    EXPECT_NE(pictures[0][1], pictures[1][1]);
    const TEAMREC t = g.team(6);
    EXPECT_EQ(t.ARTPLAYER[3], 42);
    EXPECT_EQ(t.ARTEFAKT, 0);
    EXPECT_EQ(t.ARTLEVEL, 0);
    EXPECT_EQ(t.ARTPRUEF, CHECKARTEFAKTE(t));
    EXPECT_EQ(t.ARTPRUEF, 3 + 1 + 2 + 3);
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
    EXPECT_EQ(t.ARTPLAYER[2], 0);
    EXPECT_EQ(t.ARTPLAYER[8], 0);
    EXPECT_EQ(t.ARTPLAYER[4], 23);
    EXPECT_EQ(t.ARTEFAKT, 4);
}

TEST(AdvertisingClient, KeysLandInTheTeamFileAndAMissingNotionIsError1) {
    Game g(4);
    ASSERT_EQ(g.team(4).WERB1, 4);
    // 3 is held by another team, 6 by the own team: keys on them do nothing.
    ASSERT_EQ(g.run({"korax", "LIGA", "4"}, menubutton(3) + "key 3\nkey 6\nkey 5\nkey 9\nkey A\nkey R\n" + QUIT), 0) << g.log();
    TEAMREC want = g.team(4);
    EXPECT_EQ(want.WERB1, 4);
    EXPECT_EQ(want.WERB2, 10);
    fs::remove(g.prog / "NOTION.CFG");
    EXPECT_EQ(g.run({"korax", "LIGA", "4"}, menubutton(3) + "key Enter\n"), 1) << g.log();
    TEAMREC got = g.team(4);
    forgetusage(want);
    forgetusage(got);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(want));
}

}  // namespace

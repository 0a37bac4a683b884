// Season end, statistics and history through the real client on generated games
// of the last match day: keep marks land in TEAM<n>.DAT and as player records in
// the .END turn; refusals change nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/client_run.h"
#include "data/g_types.h"

using namespace korax;
using namespace korax::client;

namespace {

// Statistics, history and season end as buttons 2, 3 and 4 of the menu column.
const char* const MENU = "101   ;a\n114   ;b\n107   ;c\n104   ;d\n105   ;e\n106   ;f\n---\n103   ;h\n109   ;i\n"
                         "111   ;j\n115   ;k\n108   ;l\n118   ;m\n110   ;n\n125   ;o\n119   ;p\n117   ;q\n116   ;r\n"
                         "112   ;u\n128   ;v\n127   ;w\n120   ;x\n113   ;y\n123   ;z\n124   ;t\n102   ;s\n";

struct Day18 {
    ProgramDir p;
    TEAMREC before{};
    Day18() {
        spit(p.prog / "MENU.CFG", MENU);
        EXPECT_EQ(p.game(3, 18), 0);
        before = p.team(3);
    }
    // Changes the own record in the file before the client starts.
    void edit(void (*f)(TEAMREC&)) {
        std::string b = p.file("LIGA/TEAM3.DAT");
        TEAMREC t = teamrecord(b, 3);
        f(t);
        std::memcpy(b.data() + 2 * sizeof(TEAMREC), &t, sizeof t);
        spit(p.prog / "LIGA/TEAM3.DAT", b);
        before = t;
    }
    int run(const std::string& keys, const Env& env = {}) {
        return p.run({"korax", "LIGA", "3"}, menubutton(4) + keys + "key R\n" + QUIT, env);
    }
    // Player records at the end of the .END turn: the kept players.
    std::vector<PLAYERREC> kept() const {
        const std::string turn = p.file("LIGA/TEAM3.END");
        std::vector<PLAYERREC> out;
        const TEAMREC t = teamrecord(p.file("LIGA/TEAM3.DAT"), 3);
        int marks = 0;
        for (int s = 1; s <= 10; ++s) marks += t.TRANSFER[s] == 1;
        EXPECT_GE(turn.size(), marks * sizeof(PLAYERREC));
        for (int k = marks; k >= 1 && turn.size() >= k * sizeof(PLAYERREC); --k) {
            PLAYERREC r;
            std::memcpy(&r, turn.data() + turn.size() - k * sizeof(PLAYERREC), sizeof r);
            out.push_back(r);
        }
        return out;
    }
    PLAYERREC player(int number) const {
        const std::string b = p.file("LIGA/PLAYER3.DAT");
        PLAYERREC r{};
        if (b.size() >= number * sizeof(PLAYERREC)) std::memcpy(&r, b.data() + (number - 1) * sizeof r, sizeof r);
        return r;
    }
};

TEST(SeasonEndThroughTheClient, KeepMarksAreBookedWrittenAndSent) {
    Day18 g;
    ASSERT_EQ(g.before.LIZENZ, 1);
    ASSERT_GE(g.before.GOLD, g.before.TRANSGEBOT[1] + g.before.TRANSGEBOT[2] + g.before.TRANSGEBOT[3]);
    // Slot 1 kept, slot 2 marked and taken back, slot 3 kept.
    ASSERT_EQ(g.run("key 1\nkey 2\nkey 2\nkey 3\n"), 0) << g.p.log();
    TEAMREC t = g.p.team(3);
    EXPECT_EQ(t.GOLD, g.before.GOLD - g.before.TRANSGEBOT[1] - g.before.TRANSGEBOT[3]);
    EXPECT_EQ(t.TRANSFER[1], 1);
    EXPECT_EQ(t.TRANSFER[2], 0);
    EXPECT_EQ(t.TRANSFER[3], 1);
    const auto kept = g.kept();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].NAME.str(), g.player(t.PLAYERS[1]).NAME.str());
    EXPECT_EQ(kept[0].TEAM, t.PLAYERS[1]);
    EXPECT_EQ(kept[1].NAME.str(), g.player(t.PLAYERS[3]).NAME.str());
    EXPECT_EQ(kept[1].PRUEF, PLAYERPRUEF(kept[1]));
}

TEST(SeasonEndThroughTheClient, TogglingTwiceGivesBackTheGold) {
    Day18 g;
    ASSERT_EQ(g.run("key 1\nkey 1\nkey A\nkey A\n"), 0) << g.p.log();
    TEAMREC t = g.p.team(3);
    EXPECT_EQ(t.GOLD, g.before.GOLD);
    EXPECT_EQ(t.TRANSFER[1], 0);
    EXPECT_EQ(t.TRANSFER[10], 0);
    EXPECT_TRUE(g.kept().empty());
}

TEST(SeasonEndThroughTheClient, PriceEqualToTheGoldIsTaken) {
    Day18 g;
    g.edit([](TEAMREC& t) { t.GOLD = t.TRANSGEBOT[4]; });
    ASSERT_EQ(g.run("key 4\n"), 0) << g.p.log();
    EXPECT_EQ(g.p.team(3).GOLD, 0);
    EXPECT_EQ(g.p.team(3).TRANSFER[4], 1);
}

TEST(SeasonEndThroughTheClient, RefusalsChangeNothing) {
    struct Case {
        const char* what;
        void (*edit)(TEAMREC&);
        std::string keys;
    } cases[] = {
        {"price above the gold", [](TEAMREC& t) { t.GOLD = t.TRANSGEBOT[9] - 1; }, "key 9\nkey Enter\n"},
        {"release decision", [](TEAMREC& t) { t.TRANSFER[5] = -2; }, "key 5\n"},
    };
    for (const auto& c : cases) {
        Day18 g;
        g.edit(c.edit);
        ASSERT_EQ(g.run(c.keys), 0) << c.what << g.p.log();
        TEAMREC t = g.p.team(3), b = g.before;
        forgetusage(t);
        forgetusage(b);
        EXPECT_EQ(t.GOLD, b.GOLD) << c.what;
        for (int s = 1; s <= 10; ++s) EXPECT_EQ(t.TRANSFER[s], b.TRANSFER[s]) << c.what << s;
    }
}

TEST(SeasonEndThroughTheClient, NoLicenceShowsTheMessageAndWritesNoTurn) {
    Day18 g;
    g.edit([](TEAMREC& t) { t.LIZENZ = 0; });
    ASSERT_EQ(g.p.run({"korax", "LIGA", "3"}, menubutton(4) + "key Enter\nkey Esc\n" + QUIT), 0) << g.p.log();
    const TEAMREC t = g.p.team(3);
    EXPECT_EQ(t.GOLD, g.before.GOLD);
    EXPECT_EQ(t.TRANSFER[1], 0);
    EXPECT_FALSE(fs::exists(g.p.prog / "LIGA/TEAM3.END"));
}

TEST(StatisticsThroughTheClient, TabsAndHistoryOpenAndLeaveInOrder) {
    Day18 g;
    std::string his = "Saison 1\r\n";
    for (int i = 2; i <= 10001; ++i) his += (i % 7 == 0 ? ">>> line " : "line ") + std::to_string(i) + "\r\n";
    spit(g.p.prog / "LIGA/TEAM3.HI", his);
    const std::string keys = menubutton(2) + "key 2\nkey 3\nkey 4\nkey 1\n" + menubutton(3) +
                             "key 2\nkey 2\nkey 8\nkey R\n";
    ASSERT_EQ(g.p.run({"korax", "LIGA", "3"}, keys + QUIT), 0) << g.p.log();
    // The history file is read, never rewritten.
    EXPECT_EQ(g.p.file("LIGA/TEAM3.HI"), his);
    EXPECT_EQ(g.p.team(3).GOLD, g.before.GOLD);
}

}  // namespace

// Season end, statistics and history through the real client on the last match
// day: keep marks land in TEAM<n>.DAT and as player records in the .END turn.
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
    // Other screens first, then the season end (button 4) and quit.
    int run(const std::string& first, const std::string& seasonend) {
        return p.run({"korax", "LIGA", "3"}, first + menubutton(4) + seasonend + QUIT);
    }
    // Player records at the end of the .END turn: the kept players.
    std::vector<PLAYERREC> kept(int marks) const {
        const std::string turn = p.file("LIGA/TEAM3.END");
        std::vector<PLAYERREC> out(static_cast<std::size_t>(marks));
        EXPECT_GE(turn.size(), marks * sizeof(PLAYERREC));
        if (turn.size() >= marks * sizeof(PLAYERREC))
            std::memcpy(out.data(), turn.data() + turn.size() - marks * sizeof(PLAYERREC), marks * sizeof(PLAYERREC));
        return out;
    }
};

TEST(SeasonEndThroughTheClient, StatisticsHistoryThenKeepMarksBookedWrittenAndSent) {
    Day18 g;
    ASSERT_EQ(g.before.LIZENZ, 1);
    ASSERT_GE(g.before.GOLD, g.before.TRANSGEBOT[1] + g.before.TRANSGEBOT[2] + g.before.TRANSGEBOT[3]);
    std::string his = "Saison 1\r\n";
    for (int i = 2; i <= 10001; ++i) his += (i % 7 == 0 ? ">>> line " : "line ") + std::to_string(i) + "\r\n";
    spit(g.p.prog / "LIGA/TEAM3.HI", his);
    // Every statistics tab, the history paged, then slots 1 and 3 kept, 2 marked and taken back.
    ASSERT_EQ(g.run(menubutton(2) + "key 2\nkey 3\nkey 4\nkey 1\n" + menubutton(3) + "key 2\nkey 2\nkey 8\nkey R\n",
                    "key 1\nkey 2\nkey 2\nkey 3\nkey R\n"),
              0)
        << g.p.log();
    EXPECT_EQ(g.p.file("LIGA/TEAM3.HI"), his);  // read, never rewritten
    const TEAMREC t = g.p.team(3);
    EXPECT_EQ(t.GOLD, g.before.GOLD - g.before.TRANSGEBOT[1] - g.before.TRANSGEBOT[3]);
    for (int s = 1; s <= 10; ++s) EXPECT_EQ(t.TRANSFER[s], s == 1 || s == 3 ? 1 : 0) << s;
    const auto kept = g.kept(2);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].TEAM, t.PLAYERS[1]);  // the record carries the player's number
    EXPECT_EQ(kept[1].TEAM, t.PLAYERS[3]);
    EXPECT_EQ(kept[1].PRUEF, PLAYERPRUEF(kept[1]));
}

}  // namespace

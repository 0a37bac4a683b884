#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/client_run.h"
#include "data/g_general.h"
#include "results/zipper.h"

using namespace korax;
using namespace korax::client;

namespace {

// Buttons 1..6 at y = 105 + 46 (n - 1) open 101, 123, 124, 105, 106, 102.
const char* const MENU = "101   ;a\n123   ;b\n124   ;c\n105   ;d\n106   ;e\n102   ;f\n---\n104   ;g\n103   ;h\n109   ;i\n"
                         "111   ;j\n115   ;k\n108   ;l\n118   ;m\n110   ;n\n125   ;o\n119   ;p\n117   ;q\n116   ;r\n"
                         "114   ;s\n107   ;t\n112   ;u\n128   ;v\n127   ;w\n120   ;x\n113   ;y\n";
const Env IGNOREFSM = {{"FSM", "ignore"}};

struct Game : ProgramDir {
    fs::path liga = prog / "LIGA";
    Game(int team, int day) {
        spit(prog / "MENU.CFG", MENU);
        EXPECT_EQ(game(team, day), 0);
    }
};

}  // namespace

TEST(TeamData, ChangesLandInTheOwnRecordOnly) {
    Game g(3, 4);
    const std::string teams = g.file("LIGA/TEAM3.DAT"), players = g.file("LIGA/PLAYER3.DAT"), gen = g.file("LIGA/GEN3.DAT");
    // A right click steps colour 1 down, D twice up (past its partner 11), E steps
    // colour 2 up past the new partner; B computer mode, C new emblem (yes), F all
    // emblems (no), G the same password twice, G two different ones (refused).
    const std::string script = menubutton(2) + "click 200 244 right\nkey D\nkey D\nkey E\nkey B\nkey C\nkey Y\n"
                               "key F\nkey N\nkey G\ntext abc\nkey Enter\ntext abc\nkey Enter\n"
                               "key G\ntext one\nkey Enter\ntext two\nkey Enter\nkey Enter\nkey R\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "3"}, script), 0) << g.log();
    const std::string after = g.file("LIGA/TEAM3.DAT");
    ASSERT_EQ(after.size(), teams.size());
    // Every record but the own one as it was.
    EXPECT_EQ(after.substr(0, 1814) + after.substr(2721), teams.substr(0, 1814) + teams.substr(2721));
    TEAMREC want = teamrecord(teams, 3), got = teamrecord(after, 3);
    ASSERT_EQ(std::vector<int>({want.FARBE1, want.FARBE2}), std::vector<int>({10, 11}));
    want.COMPUTER = 1;
    want.SYMBOLVER[3] = 2;  // the emblem version of the record + 1, kept by "no" to all
    // 10 down to 9, up to 10, up past its partner 11 to 12; 11 up past the new partner 12
    want.FARBE1 = 12, want.FARBE2 = 13;
    CRUNCHPW(STRING8::of("abc"), want.PASSWORT);
    forgetusage(want), forgetusage(got);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(want));
    EXPECT_EQ(g.file("LIGA/PLAYER3.DAT"), players);
    EXPECT_EQ(g.file("LIGA/GEN3.DAT"), gen);
    EXPECT_TRUE(fs::exists(g.liga / "KXADD.TMP"));
}

TEST(Overview, CardFollowsTheRowsThatCanBeOpened) {
    Game g(4, 12);
    // Row 2 shows squad slot 4 (position 4): out with condition 0.
    std::string players = g.file("LIGA/PLAYER4.DAT");
    players[(34 - 1) * 61 + 21] = 0;
    spit(g.liga / "PLAYER4.DAT", players);
    const std::string r = g.prog.string() + "/";
    std::string back;  // from row 10 to row 1 takes eight steps (row 2 is passed over), the ninth beeps
    for (int i = 0; i < 9; ++i) back += "key C\n";
    auto shot = [&](const std::string& n) { return "key Z\nshot " + r + n + ".png\n"; };
    const std::string script = shot("list") + "key 2\n" + shot("list2") + "key 3\n" + shot("card3") +
                               "key B\nkey 1\nkey D\n" + shot("next") + "key B\nkey A\n" + shot("card10") +
                               "key D\n" + shot("last") + back +
                               shot("first") + "key B\nkey 1\n" + shot("card1") + "key B\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "4"}, script, IGNOREFSM), 0) << g.log();
    auto png = [&](const std::string& n) { return slurp(g.prog / (n + ".png")); };
    auto same = [&](const std::string& a, const std::string& b) { return png(a) == png(b); };
    ASSERT_FALSE(png("list").empty());
    EXPECT_TRUE(same("list2", "list"));    // a row that cannot be opened: nothing happens
    EXPECT_FALSE(same("card3", "list"));
    EXPECT_TRUE(same("next", "card3"));    // "D" from row 1 passes over row 2
    EXPECT_TRUE(same("last", "card10"));   // "D" on the last row only beeps
    EXPECT_TRUE(same("first", "card1"));   // "C" back to the first row, then beeps
    EXPECT_FALSE(same("card1", "card3"));
}

TEST(Views, TourOfHostileRecordsWritesOnlyTheOwnTeam) {
    // Every screen of the unit with its keys, the card opened and walked.
    const std::string tour = "key 1\nkey D\nkey D\nkey C\nkey A\nkey 5\nkey B\n" + menubutton(3) +
                             "key 1\nkey B\nclick 80 630 right\nkey K\npress 80 630\nmove 200 300\nrelease\npress 200 300\n"
                             "move 80 630\nrelease\n" + menubutton(4) + menubutton(5) + "key I\nkey 1\nkey J\n" + menubutton(2) +
                             "key D\nclick 200 244 right\nkey E\nkey Esc\n" + QUIT;
    Game g(2, 0);
    std::string teams = g.file("LIGA/TEAM2.DAT"), players = g.file("LIGA/PLAYER2.DAT"), gen = g.file("LIGA/GEN2.DAT");
    TEAMREC own = teamrecord(teams, 2);
    own.FARBE1 = 0, own.FARBE2 = 200, own.COMPUTER = 7, own.PASSWORT.len = 200, own.SAISON = -1;
    own.IMTEAM[1] = 0, own.IMTEAM[2] = 11, own.IMTEAM[3] = 4, own.IMTEAM[4] = 4, own.IMTEAM[5] = 255;
    own.ARTPLAYER[1] = 255, own.ARTPLAYER[4] = 99, own.TRANSFER[4] = -7, own.TRANSGEBOT[4] = -32768;
    std::memcpy(teams.data() + 907, &own, sizeof own);
    spit(g.liga / "TEAM2.DAT", teams);
    for (int p = 11; p <= 20; ++p) {
        PLAYERREC pl;
        std::memcpy(&pl, players.data() + (p - 1) * 61, 61);
        pl.INTELLIGENZ = pl.SCHNELLIGKEIT = pl.GESCHICKLICHKEIT = 255;
        pl.VERFASSUNG = static_cast<std::int8_t>(p == 14 ? -128 : 100);
        pl.INDI = 32767, pl.PASS = -5, pl.VORLEGEN = 255;
        pl.RACE = static_cast<std::int16_t>(p == 15 ? 11 : p == 16 ? -3 : pl.RACE);
        pl.NAME.len = 255;
        std::memcpy(players.data() + (p - 1) * 61, &pl, 61);
    }
    spit(g.liga / "PLAYER2.DAT", players);
    GENTYPE gn;
    std::memcpy(&gn, gen.data(), sizeof gn);
    gn.AUFSTIEG = 9, gn.ABSTIEG = 200, gn.TSYMVER[2] = 255;
    gn.TABELLE[1].TEAM = 0, gn.TABELLE[2].TEAM = 11, gn.TABELLE[3].TEAM = -1;
    gn.SPIELPLAN[1][1][1].HEIM = 99, gn.SPIELPLAN[1][1][2].GAST = -4;
    gn.HINRUNDE = 0, gn.TURN = 30;  // day 39: no statistics row for it
    std::memcpy(gen.data(), &gn, sizeof gn);
    spit(g.liga / "GEN2.DAT", gen);
    // Pictures missing: nothing drawn in their place.
    for (const char* f : {"flag.pcx", "trikot.pcx", "ih.pcx", "LIGA/TEAM2.PCX"}) fs::remove(g.prog / f);
    ASSERT_EQ(g.run({"korax", "LIGA", "2"}, tour, IGNOREFSM), 0) << g.log();
    const std::string after = g.file("LIGA/TEAM2.DAT");
    // Every record but the own one as it was.
    EXPECT_EQ(after.substr(0, 907) + after.substr(1814), teams.substr(0, 907) + teams.substr(1814));
    EXPECT_EQ(g.file("LIGA/PLAYER2.DAT"), players);
}

TEST(StadiumThroughTheClient, OrderAndPriceAreWrittenWhenLeaving) {
    ProgramDir p;
    p.demo();
    const TEAMREC before = teamrecord(p.file("DEMO/TEAM1.DAT"), 1);
    ASSERT_TRUE(before.STADION.SITZPLAETZE + 10 <= 2000 && before.GOLD >= 20);
    // Ten seats, ticket price 9, leave with "R"; the run ends when the script runs out in the menu.
    p.run({"korax", "DEMO"}, "wait 200\nclick 888 511\nwait 200\n"
                             "key 1\nkey Space\nkey Esc\ntext 10\nkey Enter\nkey Enter\n"
                             "key 2\nkey Space\nkey Esc\ntext 9\nkey Enter\nkey Enter\n"
                             "key R\nwait 200\n");
    const TEAMREC after = teamrecord(p.file("DEMO/TEAM1.DAT"), 1);
    EXPECT_EQ(std::vector<int>({after.STADION.ERWEITERUNG, after.STADION.EINTRITT, after.GOLD}), std::vector<int>({10, 9, before.GOLD - 20}));
}

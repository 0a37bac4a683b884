// The team and league screens through the real client on generated games: team
// data changes land in the own team record and nowhere else; overview, card,
// table, pairings and shape editor survive hostile records.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"
#include "platform/process.h"
#include "results/zipper.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void spit(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }

// The screens of this unit at the top of the menu column: buttons 1..6 at
// y = 105 + 46 (n - 1) open 101, 123, 124, 105, 106, 102.
const char* const MENU = "101   ;a\n123   ;b\n124   ;c\n105   ;d\n106   ;e\n102   ;f\n---\n104   ;g\n103   ;h\n109   ;i\n"
                         "111   ;j\n115   ;k\n108   ;l\n118   ;m\n110   ;n\n125   ;o\n119   ;p\n117   ;q\n116   ;r\n"
                         "114   ;s\n107   ;t\n112   ;u\n128   ;v\n127   ;w\n120   ;x\n113   ;y\n";
std::string button(int n) { return "click 900 " + std::to_string(105 + 46 * (n - 1)) + "\n"; }

// From the team overview: Escape asks, yes quits, two messages confirmed.
const char* const QUIT = "key Esc\nkey Y\nkey Enter\nkey Enter\n";

struct Game {
    fs::path root;
    fs::path liga;
    Game(int team, int day) {
        std::string tmpl = (fs::temp_directory_path() / "korax-views-XXXXXX").string();
        root = ::mkdtemp(tmpl.data());
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
            if (e.path().filename() != "DEMO" && e.path().filename() != "DEMO.ORIG")
                fs::copy(e.path(), root / e.path().filename(), fs::copy_options::recursive);
        spit(root / "MENU.CFG", MENU);
        liga = root / "LIGA";
        fs::create_directory(liga);
        EXPECT_EQ(run({"mkgame", "--seed", "5", "--team", std::to_string(team), "--day", std::to_string(day), "--dir",
                       "LIGA", "LIGA"},
                      ""),
                  0);
    }
    ~Game() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    int run(const std::vector<std::string>& program, const std::string& script, bool ignore = false) {
        spit(root / "input.script", script);
        PROCESSRUN r;
        r.program = (root / program[0]).string();
        r.args.assign(program.begin() + 1, program.end());
        r.dir = root.string();
        r.output = (root / "client.log").string();
        ::setenv("KORAX_VIDEO", "headless", 1);
        ::setenv("KORAX_INPUT", (root / "input.script").c_str(), 1);
        if (ignore) ::setenv("FSM", "ignore", 1);
        const int code = RUNANDWAIT(r);
        ::unsetenv("KORAX_INPUT");
        ::unsetenv("FSM");
        return code;
    }
    std::string log() { return slurp(root / "client.log"); }
};

TEAMREC teamrecord(const std::string& file, int t) {
    TEAMREC r;
    std::memcpy(&r, file.data() + (t - 1) * sizeof(TEAMREC), sizeof r);
    return r;
}

// Usage counters the client books at every stop; they differ from run to run.
void forgetusage(TEAMREC& t) {
    t.TRAINING.KXGESAMT = 0;
    t.TRAINING.KXANZAHL = 0;
}

TEST(TeamData, ChangesLandInTheOwnRecordOnly) {
    Game g(3, 4);
    const std::string teams = slurp(g.liga / "TEAM3.DAT"), players = slurp(g.liga / "PLAYER3.DAT");
    const std::string gen = slurp(g.liga / "GEN3.DAT");
    // A right click steps colour 1 down, D twice up (past its partner 11), E steps
    // colour 2 up past the new partner; B computer mode, C new emblem (yes), F all
    // emblems (no), G the same password twice.
    const std::string script = button(2) + "click 200 244 right\nkey D\nkey D\nkey E\nkey B\nkey C\nkey Y\n"
                               "key F\nkey N\nkey G\ntext abc\nkey Enter\ntext abc\nkey Enter\nkey R\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "3"}, script), 0) << g.log();
    const std::string after = slurp(g.liga / "TEAM3.DAT");
    ASSERT_EQ(after.size(), teams.size());
    for (int t = 1; t <= 10; ++t)
        if (t != 3) {
            EXPECT_EQ(after.substr((t - 1) * 907, 907), teams.substr((t - 1) * 907, 907)) << t;
        }
    TEAMREC want = teamrecord(teams, 3), got = teamrecord(after, 3);
    ASSERT_EQ(want.FARBE1, 10);
    ASSERT_EQ(want.FARBE2, 11);
    want.COMPUTER = 1;
    want.SYMBOLVER[3] = 2;    // the emblem version of the record + 1, kept by "no" to all
    want.FARBE1 = 12;         // 10 down to 9, up to 10, up past its partner 11 to 12
    want.FARBE2 = 13;         // 11 up past the new partner 12
    CRUNCHPW(STRING8::of("abc"), want.PASSWORT);
    forgetusage(want);
    forgetusage(got);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(want));
    EXPECT_EQ(slurp(g.liga / "PLAYER3.DAT"), players);
    EXPECT_EQ(slurp(g.liga / "GEN3.DAT"), gen);
    EXPECT_TRUE(fs::exists(g.liga / "KXADD.TMP"));
}

TEST(TeamData, DifferentPasswordsChangeNothing) {
    Game g(5, 2);
    const std::string teams = slurp(g.liga / "TEAM5.DAT");
    const std::string script = button(2) + "key G\ntext one\nkey Enter\ntext two\nkey Enter\nkey Enter\nkey Esc\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "5"}, script), 0) << g.log();
    TEAMREC want = teamrecord(teams, 5), got = teamrecord(slurp(g.liga / "TEAM5.DAT"), 5);
    forgetusage(want);
    forgetusage(got);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(want));
}

// Every screen of the unit with its keys, the card opened and walked.
std::string tour() {
    return "key 1\nkey D\nkey D\nkey C\nkey A\nkey 5\nkey B\n" + button(3) + "key 1\nkey B\nclick 80 630 right\nkey K\n" +
           "press 80 630\nmove 200 300\nrelease\npress 200 300\nmove 80 630\nrelease\n" +
           button(4) + button(5) + "key I\nkey 1\nkey J\n" + button(2) + "key D\nclick 200 244 right\nkey E\nkey Esc\n" +
           QUIT;
}

TEST(Views, TourOfTheScreensWritesOnlyTheOwnTeam) {
    Game g(7, 12);
    const std::string teams = slurp(g.liga / "TEAM7.DAT"), players = slurp(g.liga / "PLAYER7.DAT");
    ASSERT_EQ(g.run({"korax", "LIGA", "7"}, tour()), 0) << g.log();
    const std::string after = slurp(g.liga / "TEAM7.DAT");
    for (int t = 1; t <= 10; ++t)
        if (t != 7) {
            EXPECT_EQ(after.substr((t - 1) * 907, 907), teams.substr((t - 1) * 907, 907)) << t;
        }
    EXPECT_EQ(slurp(g.liga / "PLAYER7.DAT"), players);
}

TEST(Overview, CardFollowsTheRowsThatCanBeOpened) {
    Game g(4, 6);
    // Row 2 shows squad slot 4 (position 4): out with condition 0.
    std::string players = slurp(g.liga / "PLAYER4.DAT");
    players[(34 - 1) * 61 + 21] = 0;
    spit(g.liga / "PLAYER4.DAT", players);
    const std::string r = g.root.string() + "/";
    std::string back;  // from row 10 to row 1 takes eight steps (row 2 is passed over), the ninth beeps
    for (int i = 0; i < 9; ++i) back += "key C\n";
    auto shot = [&](const std::string& n) { return "key Z\nshot " + r + n + ".png\n"; };
    const std::string script = shot("list") + "key 2\n" + shot("list2") + "key 3\n" + shot("card3") +
                               "key B\nkey 1\nkey D\n" + shot("next") + "key B\nkey A\n" + shot("card10") +
                               "key D\n" + shot("last") + back +
                               shot("first") + "key B\nkey 1\n" + shot("card1") + "key B\n" + QUIT;
    ASSERT_EQ(g.run({"korax", "LIGA", "4"}, script, true), 0) << g.log();
    auto png = [&](const std::string& n) { return slurp(g.root / (n + ".png")); };
    auto same = [&](const std::string& a, const std::string& b) { return png(a) == png(b); };
    ASSERT_FALSE(png("list").empty());
    EXPECT_TRUE(same("list2", "list"));    // a row that cannot be opened: nothing happens
    EXPECT_FALSE(same("card3", "list"));
    EXPECT_TRUE(same("next", "card3"));    // "D" from row 1 passes over row 2
    EXPECT_TRUE(same("last", "card10"));   // "D" on the last row only beeps
    EXPECT_TRUE(same("first", "card1"));   // "C" back to the first row, then beeps
    EXPECT_FALSE(same("card1", "card3"));
}

TEST(Views, HostileRecordsAreDrawnWithoutACrash) {
    Game g(2, 0);
    std::string teams = slurp(g.liga / "TEAM2.DAT"), players = slurp(g.liga / "PLAYER2.DAT"), gen = slurp(g.liga / "GEN2.DAT");
    TEAMREC own = teamrecord(teams, 2);
    own.FARBE1 = 0;
    own.FARBE2 = 200;
    own.COMPUTER = 7;
    own.IMTEAM[1] = 0, own.IMTEAM[2] = 11, own.IMTEAM[3] = 4, own.IMTEAM[4] = 4, own.IMTEAM[5] = 255;
    own.ARTPLAYER[1] = 255;
    own.ARTPLAYER[4] = 99;
    own.TRANSFER[4] = -7;
    own.TRANSGEBOT[4] = -32768;
    own.PASSWORT.len = 200;
    own.SAISON = -1;
    std::memcpy(teams.data() + 907, &own, sizeof own);
    spit(g.liga / "TEAM2.DAT", teams);
    for (int p = 11; p <= 20; ++p) {
        PLAYERREC pl;
        std::memcpy(&pl, players.data() + (p - 1) * 61, 61);
        pl.INTELLIGENZ = pl.SCHNELLIGKEIT = pl.GESCHICKLICHKEIT = 255;
        pl.VERFASSUNG = static_cast<std::int8_t>(p == 14 ? -128 : 100);
        pl.INDI = 32767;
        pl.PASS = -5;
        pl.VORLEGEN = 255;
        pl.RACE = static_cast<std::int16_t>(p == 15 ? 11 : p == 16 ? -3 : pl.RACE);
        pl.NAME.len = 255;
        std::memcpy(players.data() + (p - 1) * 61, &pl, 61);
    }
    spit(g.liga / "PLAYER2.DAT", players);
    GENTYPE gn;
    std::memcpy(&gn, gen.data(), sizeof gn);
    gn.AUFSTIEG = 9;
    gn.ABSTIEG = 200;
    gn.TABELLE[1].TEAM = 0;
    gn.TABELLE[2].TEAM = 11;
    gn.TABELLE[3].TEAM = -1;
    gn.SPIELPLAN[1][1][1].HEIM = 99;
    gn.SPIELPLAN[1][1][2].GAST = -4;
    gn.HINRUNDE = 0;
    gn.TURN = 30;  // day 39: no statistics row for it
    gn.TSYMVER[2] = 255;
    std::memcpy(gen.data(), &gn, sizeof gn);
    spit(g.liga / "GEN2.DAT", gen);
    // Pictures missing: nothing drawn in their place.
    for (const char* f : {"flag.pcx", "trikot.pcx", "ih.pcx", "LIGA/TEAM2.PCX"}) fs::remove(g.root / f);
    ASSERT_EQ(g.run({"korax", "LIGA", "2"}, tour(), true), 0) << g.log();
}

}  // namespace

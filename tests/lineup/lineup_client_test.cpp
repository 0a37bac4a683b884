#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"
#include "management/formation.h"

using namespace korax;
using namespace korax::client;

namespace {

std::string at(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

// Screen point of a placed position's icon in the team record.
std::string iconof(const TEAMREC& t, int p) { return at(TOSCREENX(t.TAKTIK[p].NORMALX), TOSCREENY(t.TAKTIK[p].NORMALY)); }

std::string drag(const std::string& from, int x, int y) { return "press " + from + "\nmove " + at(x, y) + "\nrelease\n"; }

// Line-up and friendly tactics right below the overview: buttons 2 and 3.
const char* const MENU = "101   ;a\n102   ;b\n117   ;c\n---\n105   ;d\n106   ;e\n120   ;f\n113   ;g\n"
                         "104   ;h\n103   ;i\n109   ;j\n111   ;k\n115   ;l\n108   ;m\n118   ;n\n110   ;o\n125   ;p\n"
                         "119   ;q\n116   ;r\n114   ;s\n107   ;t\n112   ;u\n123   ;v\n124   ;w\n128   ;x\n127   ;y\n";

// The placing fields of a position, without race, commitment and reserve.
std::string placing(const TAKTIKTYPE& t) {
    return std::to_string(t.NORMALX) + "," + std::to_string(t.NORMALY) + "," + std::to_string(t.FANGRADIUS) + "," +
           std::to_string(t.LAUFX) + "," + std::to_string(t.LAUFY);
}

class LineupClient : public ::testing::Test {
protected:
    ProgramDir p;
    TEAMREC before{};
    std::string beforefile;
    void SetUp() override {
        spit(p.prog / "MENU.CFG", MENU);
        ASSERT_EQ(p.game(3, 4), 0);
        beforefile = p.file("LIGA/TEAM3.DAT");
        before = teamrecord(beforefile, 3);
        forgetusage(before);
        SETSPIELFELD(6, 1024 - 244, 768 - 43);  // as the client draws it, the menu on the right
    }
    int run(const std::string& script) { return p.run({"korax", "LIGA", "3"}, menubutton(2) + script + "key R\n" + QUIT); }
};

}  // namespace

TEST_F(LineupClient, SavedSchemaRefusedProgramFileThenDropsOfPositionsAndPlayers) {
    // The schema saved first holds the tactics as they were; korax.ini is refused.
    const std::string ini = p.file("KORAX.INI");
    std::string s = "key 1\nkey 1\nkey H\ntext ATTACK\nkey Enter\nkey H\ntext korax.ini\nkey Enter\nkey Enter\n";
    // Position 5 to pitch point (200, 100); forward 1 behind the defenders (refused);
    // defender 4 onto the target "A1" (shown, refused); forward 2 tied to "M ".
    const int x5 = TOSCREENX(200), y5 = TOSCREENY(100);
    s += drag(iconof(before, 5), x5, y5);
    s += drag(iconof(before, 1), TOSCREENX(200), TOSCREENY(450));
    s += drag(iconof(before, 4), 6 + 100 + 35, 85 + 10);
    s += drag(iconof(before, 2), 6 + 190 + 35, 85 + 10);
    // Slot 8 is on the market and slot 9 has a transfer decision: both refused with a
    // message; slot 6 dragged onto position 1, slot 7 by keys onto position 3.
    const int x1 = TOSCREENX(before.TAKTIK[1].NORMALX), y1 = TOSCREENY(before.TAKTIK[1].NORMALY);
    for (int slot : {8, 9}) s += drag(at(6 + 7 + 153 * (slot - 6) + 20, 725 - 57 + 20), x1, y1) + "key Enter\n";
    s += drag(at(6 + 7 + 20, 725 - 57 + 20), x1, y1) + "key 7\nkey D\n";
    ASSERT_EQ(run(s), 0) << p.log();
    const std::string sch = p.file("ATTACK.sch");
    ASSERT_EQ(sch.size(), 230u);
    for (int q = 1; q <= 5; ++q)
        EXPECT_EQ(sch.substr((q - 1) * sizeof(TAKTIKTYPE), sizeof(TAKTIKTYPE)), RECORDBYTES(before.TAKTIK[q]));
    EXPECT_EQ(p.file("KORAX.INI"), ini);
    const std::string file = p.file("LIGA/TEAM3.DAT");
    EXPECT_EQ(file.substr(0, 1814) + file.substr(2721), beforefile.substr(0, 1814) + beforefile.substr(2721));
    TEAMREC after = teamrecord(file, 3);
    forgetusage(after);
    TEAMREC want = before;
    want.TAKTIK[5].NORMALX = static_cast<std::int16_t>(TOPITCHX(x5));
    want.TAKTIK[5].NORMALY = static_cast<std::int16_t>(TOPITCHY(y5));
    want.TAKTIK[2].NORMALX = 0, want.TAKTIK[2].NORMALY = 5, want.IMTEAM[1] = 6, want.IMTEAM[3] = 7;
    EXPECT_EQ(RECORDBYTES(after), RECORDBYTES(want));
}

TEST_F(LineupClient, HugeRadiiAreDrawnQuickly) {
    std::string file = beforefile;
    TEAMREC t = before;
    for (int q = 1; q <= 5; ++q) t.TAKTIK[q].FANGRADIUS = 32767, t.TAKTIK[q].LAUFX = 32767, t.TAKTIK[q].LAUFY = -32768;
    t.TAKTIK[3].NORMALX = -5, t.TAKTIK[4].NORMALX = 0, t.TAKTIK[4].NORMALY = 99, t.IMTEAM[2] = 200;
    std::memcpy(file.data() + 2 * sizeof(TEAMREC), &t, sizeof t);
    spit(p.prog / "LIGA/TEAM3.DAT", file);
    const std::string shot = (p.root / "huge.png").string();
    ASSERT_EQ(run("shot " + shot + "\n"), 0) << p.log();
    EXPECT_TRUE(fs::exists(shot));
}

TEST_F(LineupClient, FriendlyTestMatchAndImportIntoBothTactics) {
    const std::string match = p.file("LIGA/GAME3.2");
    ASSERT_EQ(match.size(), 2430u);
    ASSERT_FALSE(fs::exists(p.prog / "LIGA/VGR.TMP"));
    // "A" is a test match in the friendly only: it writes the team with one more and
    // confirms with a message. "I", own matches ("2"), day 2; a side clicked in the
    // menu that opens at the mouse, left there by the click on menu button n (its
    // rows for home and away); the menu drops the event right after its choice (the
    // click), Enter confirms the message.
    auto import = [](int n, int side) {
        return "key I\nkey 2\nkey 2\nclick 930 " + std::to_string(105 + 46 * (n - 1) + 35 + 20 * side) +
               "\nwait 10\nclick 5 5\nkey Enter\nkey R\n";
    };
    const std::string script = menubutton(2) + "key A\n" + import(2, 0) + menubutton(3) + "key A\nkey Enter\n" + import(3, 1);
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, script + QUIT), 0) << p.log();
    EXPECT_TRUE(fs::exists(p.prog / "LIGA/VGR.TMP"));
    const std::string after = p.file("LIGA/TEAM3.DAT");
    // Every record but the own one as it was.
    EXPECT_EQ(after.substr(0, 1814) + after.substr(2721), beforefile.substr(0, 1814) + beforefile.substr(2721));
    TEAMREC t = teamrecord(after, 3), want = before, from[2];
    forgetusage(t);
    want.TRAINING.VGRANZAHL = static_cast<std::uint16_t>(want.TRAINING.VGRANZAHL + 1);
    for (int side : {0, 1}) std::memcpy(&from[side], match.data() + 6 + side * sizeof(TEAMREC), sizeof(TEAMREC));
    for (int q = 1; q <= 5; ++q) {
        want.TAKTIK[q] = from[0].TAKTIK[q];
        PLAYERREC pl;
        std::memcpy(&pl, match.data() + 1820 + (5 + q - 1) * sizeof(PLAYERREC), sizeof pl);
        EXPECT_EQ(placing(t.SPARRTAKTIK[q]), placing(from[1].TAKTIK[q])) << q;
        EXPECT_EQ(t.SPARRTAKTIK[q].NR, SPARRRACE((pl.RACE + 1) / 2)) << q;
        want.SPARRTAKTIK[q] = t.SPARRTAKTIK[q];
    }
    EXPECT_EQ(RECORDBYTES(t), RECORDBYTES(want));
}

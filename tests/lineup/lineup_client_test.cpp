#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"
#include "management/formation.h"

using namespace korax;
using namespace korax::client;

namespace {

// Line-up and friendly tactics right below the overview: buttons 2 and 3.
const char* const MENU = "101   ;a\n102   ;b\n117   ;c\n---\n105   ;d\n106   ;e\n120   ;f\n113   ;g\n"
                         "104   ;h\n103   ;i\n109   ;j\n111   ;k\n115   ;l\n108   ;m\n118   ;n\n110   ;o\n125   ;p\n"
                         "119   ;q\n116   ;r\n114   ;s\n107   ;t\n112   ;u\n123   ;v\n124   ;w\n128   ;x\n127   ;y\n";

// The placing fields of a position, without race, commitment and reserve.
std::string placing(const TAKTIKTYPE& t) {
    return std::to_string(t.NORMALX) + "," + std::to_string(t.NORMALY) + "," + std::to_string(t.FANGRADIUS) + "," +
           std::to_string(t.LAUFX) + "," + std::to_string(t.LAUFY);
}

}  // namespace

TEST(LineupClient, FriendlyTestMatchAndImportIntoBothTactics) {
    ProgramDir p;
    spit(p.prog / "MENU.CFG", MENU);
    ASSERT_EQ(p.game(3, 4), 0);
    const std::string beforefile = p.file("LIGA/TEAM3.DAT"), match = p.file("LIGA/GAME3.2");
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
    TEAMREC t = teamrecord(after, 3), want = teamrecord(beforefile, 3), from[2];
    forgetusage(t), forgetusage(want);
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

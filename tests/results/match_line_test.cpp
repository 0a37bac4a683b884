// The match viewer's argument line and the keys and names of the match lists.
#include <gtest/gtest.h>

#include "base/state.h"
#include "results/auswahl.h"
#include "results/testgame.h"

using namespace korax;

TEST(ViewerLine, OneLinePerKindOfRun) {
    const std::string dir = "C:\\KORAX\\LIGA\\", longdir(120, 'D');
    auto pairing = [](int home, int guest) { SPIELPLANTYPE p{}; p.HEIM = static_cast<std::int16_t>(home); p.GAST = static_cast<std::int16_t>(guest); return p; };
    struct { const char* what; VGRLINE v; std::string line; } cases[] = {
        {"own team at home", {0, false, 1234, 3, pairing(3, 7), 2, false, "", dir}, dir + " 1234 3 7 1 !* 2 1"},
        {"own team away", {0, false, 1234, 3, pairing(8, 3), 2, false, "", dir}, dir + " 1234 8 3 0 !* 2 1"},
        {"friendly", {6, false, 99, 4, pairing(4, 9), 1, false, "", dir}, dir + " 6 4 0 1 !* 1 1"},
        {"cup, silent, replay file", {-1, true, 5, 3, {}, 255, true, dir + "QUICK3.P2", dir}, dir + " 5 0 0 3 !- 255 0 " + dir + "QUICK3.P2"},
        {"long directory not cut", {-1, false, 2147483647, 10, {}, 255, false, longdir + "Q", longdir}, longdir + " 2147483647 0 0 10 !* 255 1 " + longdir + "Q"}};
    for (const auto& c : cases) EXPECT_EQ(VGRARGUMENTE(c.v), c.line) << c.what;
    EXPECT_EQ(VGRPROGRAMM(110), "VGR110.MOD");
}

TEST(MatchLists, KeysAndFileNames) {
    struct { unsigned char key; int day, cup; } cases[] = {
        {'0', 0, 0}, {'9', 9, 9}, {'A', 10, 10}, {'I', 18, 18}, {'J', 0, 19}, {'Q', 0, 26}, {'R', 0, 0}, {'a', 0, 0}, {200, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(std::make_pair(TAGKEY(c.key), POKALKEY(c.key)), std::make_pair(c.day, c.cup)) << c.key;
    const std::string old = NUMMERSTR;
    NUMMERSTR = "10";
    EXPECT_EQ(SPIELDATEI(18) + " " + ANDEREDATEI(3, 5) + " " + POKALDATEI(12), "GAME10.18 GAME10.3E GAME10.P12");
    EXPECT_EQ(QUICKDATEI("GAME10.3E") + " " + QUICKDATEI("GAME.TMP"), "QUICK10.3E QUICK.TMP");
    NUMMERSTR = old;
}

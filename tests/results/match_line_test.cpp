// The match viewer's argument line and the keys and names of the match lists.
#include <gtest/gtest.h>

#include "base/state.h"
#include "results/auswahl.h"
#include "results/testgame.h"

using namespace korax;

namespace {

SPIELPLANTYPE pairing(int home, int guest) {
    SPIELPLANTYPE p{};
    p.HEIM = static_cast<std::int16_t>(home);
    p.GAST = static_cast<std::int16_t>(guest);
    return p;
}

}  // namespace

TEST(ViewerLine, OneLinePerKindOfRun) {
    const std::string dir = "C:\\KORAX\\LIGA\\";
    struct { const char* what; VGRLINE v; std::string line; } cases[] = {
        {"own team at home", {0, false, 1234, 3, pairing(3, 7), 2, false, "", dir}, dir + " 1234 3 7 1 !* 2 1"},
        {"own team away", {0, false, 1234, 3, pairing(8, 3), 2, false, "", dir}, dir + " 1234 8 3 0 !* 2 1"},
        {"teams in the file", {-1, false, -77, 10, {}, 0, false, "", dir}, dir + " -77 0 0 10 !* 0 1"},
        {"friendly", {6, false, 99, 4, pairing(4, 9), 1, false, "", dir}, dir + " 6 4 0 1 !* 1 1"},
        {"cup", {-1, true, 5, 3, {}, 0, false, "", dir}, dir + " 5 0 0 3 !- 0 1"},
        {"silent", {-1, false, 5, 3, {}, 0, true, "", dir}, dir + " 5 0 0 3 !* 0 0"},
        {"replay file to write", {0, false, 5, 3, pairing(3, 1), 0, false, dir + "QUICK3.5", dir},
         dir + " 5 3 1 1 !* 0 1 " + dir + "QUICK3.5"},
        {"cup after a result", {-1, true, 5, 3, {}, 255, true, dir + "QUICK3.P2", dir},
         dir + " 5 0 0 3 !- 255 0 " + dir + "QUICK3.P2"},
    };
    for (const auto& c : cases) EXPECT_EQ(VGRARGUMENTE(c.v), c.line) << c.what;
}

TEST(ViewerLine, LongGameDirectoryIsNotCut) {
    const std::string dir(120, 'D');
    VGRLINE v{-1, false, 2147483647, 10, {}, 255, false, dir + "QUICK10.P1", dir};
    const std::string line = VGRARGUMENTE(v);
    EXPECT_EQ(line, dir + " 2147483647 0 0 10 !* 255 1 " + dir + "QUICK10.P1");
}

TEST(ViewerLine, ProgramNameCarriesTheVersion) {
    EXPECT_EQ(VGRPROGRAMM(6), "VGR6.MOD");
    EXPECT_EQ(VGRPROGRAMM(110), "VGR110.MOD");
    EXPECT_EQ(VGRPROGRAMM(-1), "VGR-1.MOD");
}

TEST(MatchLists, KeysNameDaysAndCupMatches) {
    struct { unsigned char key; int day, cup; } cases[] = {
        {'0', 0, 0},  {'1', 1, 1},  {'9', 9, 9},   {'A', 10, 10}, {'I', 18, 18}, {'J', 0, 19},
        {'Q', 0, 26}, {'R', 0, 0},  {'a', 0, 0},   {27, 0, 0},    {'Z', 0, 0},   {200, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TAGKEY(c.key), c.day) << c.key;
        EXPECT_EQ(POKALKEY(c.key), c.cup) << c.key;
    }
}

TEST(MatchLists, FileNamesOfTheTeam) {
    const std::string old = NUMMERSTR;
    NUMMERSTR = "10";
    EXPECT_EQ(SPIELDATEI(18), "GAME10.18");
    EXPECT_EQ(ANDEREDATEI(3, 1), "GAME10.3A");
    EXPECT_EQ(ANDEREDATEI(3, 5), "GAME10.3E");
    EXPECT_EQ(POKALDATEI(12), "GAME10.P12");
    EXPECT_EQ(QUICKDATEI("GAME10.3E"), "QUICK10.3E");
    EXPECT_EQ(QUICKDATEI("GAME.TMP"), "QUICK.TMP");
    EXPECT_EQ(QUICKDATEI("GAME10.P2"), "QUICK10.P2");
    NUMMERSTR = old;
}

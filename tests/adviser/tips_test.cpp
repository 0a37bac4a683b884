// The tips file as read, the counting of the tips that hold, and the actions.
#include <string>
#include <tuple>

#include "adviser/bparser.h"
#include "adviser_fixture.h"
#include "data/artefakt.h"

using namespace korax;
using advisertest::TipsDir;

namespace {

std::string block(const std::string& header, const std::string& cond, const std::string& action = "-") {
    return header + "\r\n@IF " + cond + "\r\nSome advice.\r\n@\r\n" + action + "\r\n";
}

}  // namespace

TEST(TipsText, BlocksAsReadAndBrokenOnes) {
    auto b = READTIPSTEXT(
        "comment before any block\n[108] Accommodation\nignored before the condition\n@if a < 2\n"
        "Your players sleep in a barn.\nA simple inn keeps them fit.\n@END\nA=2\nignored after the action\n"
        "[105]\n@IF:g > 1000\nRich!\n");
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(std::tie(b[0].code, b[0].condition, b[0].action), std::make_tuple(108, "a < 2", "A=2"));
    EXPECT_EQ(b[0].lines, (std::vector<std::string>{"Your players sleep in a barn.", "A simple inn keeps them fit."}));
    EXPECT_EQ(std::tie(b[1].code, b[1].condition, b[1].action), std::make_tuple(105, "g > 1000", ""));  // a bare "[105]"
    struct Case { const char* text; std::size_t blocks; } const cases[] = {
        {"[050] low\n@IF 1\nx\n@\n-\n", 0}, {"[999] high\n@IF 1\nx\n@\n-\n", 0}, {"[12x] word\n@IF 1\nx\n@\n-\n", 0},
        {"[10\n@IF 1\n", 0}, {"[108] no condition\nx\n@\n-\n", 0},
        {"[108] a\n@IF 1\n[050] b\n@IF 1\n[109] c\n@IF 1\n", 2}, {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(READTIPSTEXT(c.text).size(), c.blocks) << c.text;
    static const char raw[] = "[108] nul\0\xFF\n@IF 1\n\xFE\0x\n@\nA=1\n";
    std::string nul(raw, sizeof raw - 1);
    b = READTIPSTEXT(nul);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].lines.at(0), std::string("\xFE\0x", 3));
    EXPECT_EQ(b[0].action, "A=1");
}

TEST_F(TipsDir, CountsTheConditionsThatHoldNoneWithoutAFileOrOnTheLastDay) {
    TEAM.GOLD = 5000;
    LESETIPS();
    EXPECT_EQ(TIPANZAHL, 0);
    tips(block("[105] Table", "g > 1000"));
    LASTDAY = true;
    LESETIPS();
    EXPECT_EQ(TIPANZAHL, 0);
    EXPECT_FALSE(TIPSCHECK[105]);
    LASTDAY = false;
    tips(block("[105] Table", "g > 1000") + block("[105] Again", "x = 0") + block("[108] Home", "a < 2") +
         block("[111] Bank", "g < 100") + block("[050] Low", "1") + block("[110] Bad", "g > (1") +
         block("[112] Error", "5/0") + block("[113] Long", "1 " + std::string(80, ' ') + "& 1"));
    TEAM.GOLD = 1001;
    LESETIPS();
    const std::pair<int, int> counts[] = {{105, 2}, {108, 1}, {111, 0}, {110, 0}, {112, 0}, {113, 0}};
    for (const auto& [code, n] : counts) EXPECT_EQ(TIPS[code], n) << code;
    EXPECT_EQ(TIPANZAHL, 3);
    EXPECT_EQ((std::array<bool, 3>{TIPSCHECK[111], TIPSCHECK[110], TIPSCHECK[109]}), (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ((std::array<bool, 4>{TIP(105), TIP(111), TIP(50), TIP(999)}), (std::array<bool, 4>{true, false, false, false}));
    TEAM.GOLD = 1000;
    LESETIPS();
    EXPECT_EQ(std::tie(TIPS[105], TIPANZAHL), std::make_tuple(1, 2));
    // Long conditions count false, not cut: cut to 80 characters this would read "g > 10" and hold.
    EXPECT_FALSE(CHECKPARSER(105, std::string(74, ' ') + "g > 10000"));
    EXPECT_TRUE(CHECKPARSER(105, "  " + std::string(70, ' ') + "g > 10  "));
}

TEST_F(TipsDir, VariablesFromTheTeam) {
    TEAM.UNTERKUNFT = 2, TEAM.VERPFLEGUNG = 3, TEAM.GOLD = -50, TEAM.ARTEFAKT = 4;
    TEAM.PLAYERS[1] = 7, TEAM.PLAYERS[4] = 9, TEAM.PLAYERS[5] = -1;
    TEAM.WERB1 = 2, TEAM.WERB2 = 11;  // 11: outside the offers, not held
    GEN.WERBUNG[2].DAUER = 3;
    GEN.WERBUNG[2].TEAM = 5;
    GEN.WERBUNG[9].TEAM = 3;
    struct Case { const char* cond; bool holds; } const cases[] = {
        {"a = 2 & b = 3", true}, {"g = -50", true}, {"f = 0", true}, {"s = 0", true},
        {"t = 1", true},         {"w = 1", true},   {"x = 2", true}, {"c = 0", false},
    };
    for (const auto& c : cases) EXPECT_EQ(CHECKPARSER(0, c.cond), c.holds) << c.cond;
    GEN.WERBUNG[2].DAUER = 1;
    EXPECT_TRUE(CHECKPARSER(0, "f = 1"));
    GEN.WERBUNG[9].TEAM = 4;
    EXPECT_TRUE(CHECKPARSER(0, "w = 0"));
}

TEST_F(TipsDir, HostileConditionsCountFalse) {
    // One of each kind; which expressions fail is the expression tests' table.
    for (const char* c : {"('x'+60)='y'", "ln(0) < 1", "(", "'", "\"",
                          "'a'''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''",
                          "g > "})
        EXPECT_FALSE(CHECKPARSER(0, c)) << c;
    std::string empties;
    for (int i = 0; i < 40; ++i) empties += "''";
    EXPECT_FALSE(CHECKPARSER(0, empties));
    EXPECT_EQ(STRANZ, 0);
}

TEST_F(TipsDir, ActionsAccommodationAndCatering) {
    TEAM.UNTERKUNFT = 1;
    TEAM.VERPFLEGUNG = 1;
    openTeamFile();
    struct Case { int nr; const char* action; bool changes; int unterkunft, verpflegung; } const cases[] = {
        {0, "A=2", true, 2, 1}, {0, "  b = 3 ", true, 2, 3}, {5, "A=4", false, 2, 3}, {0, "A=5", false, 2, 3},
        {0, "A=-1", false, 2, 3}, {0, "A=99999999999", false, 2, 3}, {0, "A=", false, 2, 3}, {0, "A=4x", false, 2, 3},
        {0, "A2", false, 2, 3}, {0, "Z=1", false, 2, 3}, {0, "a=0", true, 0, 3}, {0, "A=0", false, 0, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SETPARSER(c.nr, c.action), c.changes) << c.action;
        EXPECT_EQ(std::tie(TEAM.UNTERKUNFT, TEAM.VERPFLEGUNG), std::make_tuple(c.unterkunft, c.verpflegung)) << c.action;
    }
    EXPECT_EQ(RECORDBYTES(storedTeam()), RECORDBYTES(TEAM));
}

TEST_F(TipsDir, ActionAdvertisingWrapsAndNeedsAFreeOffer) {
    openTeamFile();
    for (int w = 1; w <= 10; ++w) GEN.WERBUNG[w].TEAM = 1;
    EXPECT_FALSE(SETPARSER(0, "F=1"));  // nothing free: nothing happens, and it ends
    EXPECT_EQ(TEAM.WERB1, 0);
    GEN.WERBUNG[2].TEAM = 0;
    GEN.PLATZ = 9;
    EXPECT_TRUE(SETPARSER(0, "F=1"));
    EXPECT_EQ(std::tie(TEAM.WERB1, TEAM.WERB2), std::make_tuple(2, 0));  // only one free: the second stays empty
    GEN.WERBUNG[10].TEAM = GEN.WERBUNG[3].TEAM = 0;
    EXPECT_TRUE(SETPARSER(0, "F=0"));
    EXPECT_EQ(std::tie(TEAM.WERB1, TEAM.WERB2), std::make_tuple(10, 2));
    EXPECT_FALSE(SETPARSER(0, "F=0"));  // the same again changes nothing
    GEN.PLATZ = -38;  // from the file: any value starts inside 1..10, here at 2
    EXPECT_TRUE(SETPARSER(0, "F=1"));
    EXPECT_EQ(std::tie(TEAM.WERB1, TEAM.WERB2), std::make_tuple(2, 3));
    EXPECT_EQ(storedTeam().WERB2, 3);
}

TEST_F(TipsDir, ActionArtefactSkipsTransfersAndRenewsTheCheck) {
    // A pendant the slot code cannot hold stays on the altar; which those are is the temple rules' test.
    TEAM.ARTEFAKT = 25, TEAM.ARTLEVEL = 6, TEAM.PLAYERS[1] = 11;
    const TEAMREC before = TEAM;
    EXPECT_FALSE(SETPARSER(0, "T=1"));
    EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(before));
    TEAM = TEAMREC{};
    TEAM.ARTEFAKT = 4, TEAM.ARTLEVEL = 3, TEAM.ARTPRUEF = 5;
    TEAM.PLAYERS[1] = 11, TEAM.ARTPLAYER[1] = 52;  // has one
    TEAM.PLAYERS[2] = 12, TEAM.TRANSFER[2] = 3;    // to be transferred
    TEAM.PLAYERS[4] = 14;
    openTeamFile();
    EXPECT_FALSE(SETPARSER(5, "T=1"));  // only for the adviser's own call
    EXPECT_FALSE(SETPARSER(0, "T=x"));
    EXPECT_TRUE(SETPARSER(0, "T=1"));
    EXPECT_EQ(std::tie(TEAM.ARTPLAYER[4], TEAM.ARTPLAYER[2], PLAYER[4].ARTIFAKT, PLAYER[4].ARTLEVEL),
              std::make_tuple(43, 0, 4, 3));
    EXPECT_EQ(std::tie(TEAM.ARTEFAKT, TEAM.ARTLEVEL), std::make_tuple(0, 0));  // taken from the altar
    EXPECT_EQ(TEAM.ARTPRUEF, 2 + 3 + 2);  // two pendants: levels 2 and 3, counted 2
    EXPECT_EQ(TEAM.ARTPRUEF, CHECKARTEFAKTE(TEAM));
    EXPECT_FALSE(SETPARSER(0, "T=1"));  // nothing waits on the altar any more
    EXPECT_EQ(RECORDBYTES(storedTeam()), RECORDBYTES(TEAM));
}

TEST(Artefakte, WhoMayTakeOne) {
    TEAMREC t{};
    t.ARTPLAYER[3] = 12, t.ARTPLAYER[7] = 61;
    t.PLAYERS[3] = 1, t.PLAYERS[4] = 2, t.PLAYERS[5] = 3, t.TRANSFER[5] = -1;
    for (int s : {0, 3, 4, 5, 6, 11}) EXPECT_EQ(TAKESARTEFAKT(t, s), s == 4) << s;  // a player without one, staying
}

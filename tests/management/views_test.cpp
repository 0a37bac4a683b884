#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "management/views.h"
#include "results/pokal.h"

using namespace korax;

namespace {

struct ViewsTest : ::testing::Test {
    void SetUp() override {
        GEN = GENTYPE{}, TEAM = TEAMREC{};
        for (int i = 1; i <= 10; ++i) {
            PLAYER[i] = PLAYERREC{}, BELEGT[i] = false;
            TEAMNAME[i].set("Team " + std::to_string(i));
            TRAINERNAME[i].set("Coach " + std::to_string(i));
            TEAMPROFI[i] = true, TEAMLIZENZ[i] = 0;
        }
        NUMMER = 3, LASTDAY = false, POKALTAG = -1;
        for (int n : {20, 21, 44, 45, 46, 47, 576}) L[n].set("L" + std::to_string(n));
    }
    void TearDown() override { SetUp(); }
    static void day(int d) {
        GEN.HINRUNDE = d <= 9 ? 1 : 0;
        GEN.TURN = static_cast<std::int16_t>(d <= 9 ? d : d - 9);
    }
};

TEST_F(ViewsTest, AmateurMarkKeepsTheNameWithinTheRow) {
    const std::string n23(23, 'x'), n24(24, 'y'), n25(25, 'z');
    struct Case { std::string name; bool profi; std::string shown; } cases[] = {
        {n23, false, n23 + " (A)"}, {n24, false, n24 + "(A)"}, {n25, false, n25.substr(0, 24) + "(A)"}, {n25, true, n25}};
    for (const auto& c : cases) EXPECT_EQ(TABELLENNAME(c.name, c.profi), c.shown) << c.name.size();
}

TEST_F(ViewsTest, StrengthTendencyThresholdsAndColours) {
    struct Case { int d; std::string want; } cases[] = {
        {151, "++10"}, {150, "+10"}, {51, "+10"}, {50, "o0"}, {-50, "o0"}, {-51, "-14"}, {-150, "-14"}, {-151, "--12"}};
    for (const auto& c : cases) {
        TENDENZ t = STAERKETENDENZ(c.d);
        EXPECT_EQ(t.text + std::to_string(t.colour), c.want) << c.d;
    }
}

TEST_F(ViewsTest, TableRowsFromTheGeneralRecord) {
    day(4);
    TEAMPROFI[3] = false, TEAMLIZENZ[3] = 1, GEN.TABELLE[1].TEAM = 3, GEN.TABELLE[1].GEWONNEN = 3;
    GEN.TABELLE[1].TORDIFF = 5, GEN.TABELLE[1].STAERKE = 400, GEN.STATISTIK[3][3].STAERKE = 240;
    GEN.TABELLE[2].TEAM = 7, GEN.TABELLE[2].TORDIFF = -2;
    GEN.TABELLE[3].TEAM = 0, GEN.TABELLE[4].TEAM = 11;  // broken rows: skipped
    const TABELLENZEILE own = TABELLENZEILEN(1), other = TABELLENZEILEN(2);
    EXPECT_EQ(own.name + own.trainer + own.tordiff + own.tendenz.text, "1.Team 3 (A)(Coach 3)+5++");
    EXPECT_TRUE(own.shown && !own.mark && own.hastendenz);
    EXPECT_EQ(own.colour, 5);
    EXPECT_EQ(other.colour, 14);
    EXPECT_EQ(other.tordiff, "-2");
    EXPECT_FALSE(TABELLENZEILEN(3).shown || TABELLENZEILEN(4).shown);
    LASTDAY = true;
    EXPECT_TRUE(TABELLENZEILEN(1).mark);
    EXPECT_FALSE(TABELLENZEILEN(2).mark);
    day(0);
    EXPECT_FALSE(TABELLENZEILEN(1).hastendenz);
    GEN.HINRUNDE = 0, GEN.TURN = 30;  // day 39: no statistics row
    EXPECT_FALSE(TABELLENZEILEN(1).hastendenz);
}

TEST_F(ViewsTest, PromotionAndRelegationZonesStayInsideTheTable) {
    struct Case { int auf, ab, row, zone; } cases[] = {
        {2, 3, 2, 1}, {2, 3, 3, 0}, {2, 3, 7, 0}, {2, 3, 8, -1}, {200, 255, 10, 1}, {200, 255, 0, 0}, {200, 255, 11, 0}};
    for (const auto& c : cases) {
        GEN.AUFSTIEG = static_cast<std::uint8_t>(c.auf), GEN.ABSTIEG = static_cast<std::uint8_t>(c.ab);
        EXPECT_EQ(TABELLENZONE(c.row), c.zone) << c.auf << "/" << c.ab << " row " << c.row;
    }
}

TEST_F(ViewsTest, DayKeysAndStartDay) {
    struct Case { unsigned char key; int day; } cases[] = {{'1', 1}, {'9', 9}, {'A', 10}, {'I', 18}, {'J', 0}, {'0', 0}, {27, 0}};
    for (const auto& c : cases) EXPECT_EQ(PAARUNGSTAGKEY(c.key), c.day) << c.key;
    for (auto [tag, start] : {std::pair{0, 1}, {-3, 1}, {7, 7}, {40, 18}}) EXPECT_EQ(PAARUNGSSTART(tag), start);
}

TEST_F(ViewsTest, PairingLinesWithPlacesArrowsAndBlankTeams) {
    day(2);
    for (int i = 1; i <= 10; ++i) GEN.TABELLE[i].TEAM = static_cast<std::int16_t>(i);
    GEN.STATISTIK[1][1].TABPLATZ = 4, GEN.STATISTIK[1][2].TABPLATZ = 1;  // climbed
    GEN.STATISTIK[2][1].TABPLATZ = 1, GEN.STATISTIK[2][2].TABPLATZ = 2;  // fell
    GEN.STATISTIK[5][1].TABPLATZ = 5, GEN.STATISTIK[5][2].TABPLATZ = 5;  // stayed
    auto& f = GEN.SPIELPLAN[0][9][1];  // day 18, first pairing
    f.HEIM = 1, f.GAST = 2, f.HWERT = 3, f.GWERT = 1;
    GEN.SPIELPLAN[0][9][2].HEIM = 5, GEN.SPIELPLAN[0][9][2].GAST = 11;
    const PAARUNGSZEILE z = PAARUNGSZEILEN(PAARUNGSTAGKEY('I'), 1);
    EXPECT_EQ(z.heimname + "/" + z.gastname, "Team 1/Team 2");
    EXPECT_EQ(std::vector<int>({z.heimplatz, z.heimpfeil.c, z.heimpfeil.colour, z.gastpfeil.c, z.gastpfeil.colour, z.hwert}),
              std::vector<int>({1, '^', 10, 'v', 12, 3}));
    const PAARUNGSZEILE half = PAARUNGSZEILEN(18, 2);
    EXPECT_TRUE(half.heimda && !half.gastda);
    EXPECT_EQ(half.heimpfeil.c, 0);
    EXPECT_EQ(half.gastname, "");
    day(0);
    EXPECT_EQ(PAARUNGSZEILEN(18, 1).heimpfeil.c, 0);
    EXPECT_FALSE(PAARUNGSZEILEN(19, 1).heimda);
}

TEST_F(ViewsTest, OverviewRowsLineUpFirstThenTheBench) {
    for (int s : {1, 2, 4, 5, 6, 8, 9}) BELEGT[s] = true;
    TEAM.IMTEAM[1] = 1, TEAM.IMTEAM[2] = 2, TEAM.IMTEAM[3] = 4, TEAM.IMTEAM[4] = 0, TEAM.IMTEAM[5] = 9;
    struct Case { int row, slot; } cases[] = {{1, 4}, {2, 0}, {3, 9}, {4, 1}, {5, 2}, {6, 5}, {8, 8}, {9, 0}, {0, 0}, {11, 0}};
    for (const auto& c : cases) EXPECT_EQ(GETSPIELERNUMMER(c.row), c.slot) << c.row;
    // A position naming an empty slot or one outside the squad gives an empty row.
    TEAM.IMTEAM[3] = 3;
    EXPECT_EQ(GETSPIELERNUMMER(1), 0);
    TEAM.IMTEAM[3] = 11;
    EXPECT_EQ(GETSPIELERNUMMER(1), 0);
    EXPECT_EQ(GETSPIELERNUMMER(6), 4);  // slot 4 is on the bench now
}

TEST_F(ViewsTest, PreviousAndNextSkipRowsThatCannotBeOpened) {
    for (int s = 1; s <= 4; ++s) BELEGT[s] = true, PLAYER[s].VERFASSUNG = 50;
    TEAM.IMTEAM[3] = 1, TEAM.IMTEAM[4] = 2;  // rows 1, 2; bench rows 6, 7 hold slots 3, 4
    PLAYER[3].VERFASSUNG = 0;
    EXPECT_TRUE(ZEILEOFFEN(1));
    EXPECT_FALSE(ZEILEOFFEN(3) || ZEILEOFFEN(6));
    EXPECT_EQ(std::vector<int>({NAECHSTEZEILE(2, 1), NAECHSTEZEILE(7, 1), NAECHSTEZEILE(7, -1), NAECHSTEZEILE(1, -1)}),
              std::vector<int>({7, 0, 2, 0}));
}

PLAYERREC player(int indi, int intel, int gesch, int pass, int vorlegen) {
    PLAYERREC p{};
    p.INDI = static_cast<std::int16_t>(indi), p.PASS = static_cast<std::int16_t>(pass);
    p.INTELLIGENZ = static_cast<std::uint8_t>(intel), p.GESCHICKLICHKEIT = static_cast<std::uint8_t>(gesch);
    p.VORLEGEN = static_cast<std::uint8_t>(vorlegen);
    return p;
}

TEST_F(ViewsTest, EffectiveOrderValues) {
    TEAM.IMTEAM[3] = 7;  // slot 7 defends
    TEAM.IMTEAM[5] = 8;  // slot 8 on position 5
    EXPECT_EQ(AKTUINDI(7, player(150, 80, 50, 0, 0)), 56);
    EXPECT_EQ(AKTUINDI(0, player(150, 80, 50, 0, 0)), 112);
    EXPECT_EQ(AKTUINDI(1, player(150, 59, 50, 0, 0)), 150);
    EXPECT_EQ(AKTUINDI(7, player(32767, 255, 0, 0, 0)), 3931);  // 16383 * 6 div 25
    EXPECT_EQ(AKTUPASS(8, player(100, 50, 45, 3, 0)), 2);
    EXPECT_EQ(AKTUPASS(1, player(0, 50, 20, 2, 0)), 0);
    EXPECT_EQ(AKTUPASS(1, player(200, 50, 90, 5, 0)), 1);  // 5 - (200 - 100) div 33 - 1
    EXPECT_EQ(AKTUVORLEGEN(1, player(90, 85, 75, 0, 6)), 5);
    EXPECT_EQ(AKTUVORLEGEN(1, player(60, 85, 75, 0, 6)), 6);
    EXPECT_EQ(AKTUVORLEGEN(1, player(90, 85, 69, 0, 6)), 0);
    EXPECT_EQ(AKTUVORLEGEN(1, player(32767, 50, 75, 0, 6)), 0);
}

TEST_F(ViewsTest, BallRows) {
    // stored 7 draws 5 balls; effective balls go over the stored row
    struct Case { int stored, effective; std::string want; } cases[] = {
        {3, 3, "1 3 10 0"}, {3, 2, "1 3 2 2"}, {7, 5, "1 5 10 0"}, {7, 7, "1 5 2 7"}, {0, 3, "0 0 0"}, {4, 11, "0 0 0"}};
    for (const auto& c : cases) {
        const BALLS b = BALLSOF(c.stored, c.effective, 2);
        const std::string got = std::to_string(b.drawn) + " " + std::to_string(b.stored) + " " +
                                (b.drawn ? std::to_string(b.colour) + " " : "") + std::to_string(b.over);
        EXPECT_EQ(got, c.want) << c.stored << "/" << c.effective;
    }
}

TEST_F(ViewsTest, TransferAndStateLines) {
    TEAM.TRANSFER[2] = -2, TEAM.TRANSGEBOT[2] = 450, TEAM.TRANSFER[3] = 1;
    PLAYERREC p{};
    p.VERFASSUNG = 50;
    EXPECT_EQ(TRANSFERTEXT(1) + "|" + TRANSFERTEXT(2) + "|" + TRANSFERTEXT(3) + "|" + TRANSFERTEXT(0), "|T450|L21|");
    EXPECT_EQ(ZUSTANDSZEILE(2, p) + "|" + ZUSTANDSZEILE(0, p), "L45: 450|");
    LASTDAY = true;
    EXPECT_EQ(TRANSFERTEXT(3) + "|" + ZUSTANDSZEILE(3, p), "L20|L46");
    day(5);
    POKALTAG = 5, p.ORGTEAM = 4, p.DAYSIMTEAM = 3;
    EXPECT_EQ(ZUSTANDSZEILE(3, p), "L576");
    p.VERFASSUNG = -128;
    EXPECT_EQ(ZUSTANDSZEILE(3, p), "L44");
}

TEST_F(ViewsTest, HiddenIndividualOrderOfOtherTeamsPlayers) {
    PLAYERREC p{};
    p.INDI = 77;
    struct Case { int erfahrung, erfcode, indi; } cases[] = {{1, 1 ^ ERFMASK, -1}, {2, 2 ^ ERFMASK, 77}, {2, 2, -1}, {0, 0, -1}};
    for (const auto& c : cases) {
        TEAMREC t{};
        t.ERFAHRUNG = static_cast<std::uint8_t>(c.erfahrung), t.ERFCODE = static_cast<std::uint8_t>(c.erfcode);
        EXPECT_EQ(KARTENKOPIE(p, t).INDI, c.indi) << c.erfahrung << "/" << c.erfcode;
    }
}

TEST_F(ViewsTest, RacePicturesAndComputerModesOfAnyValue) {
    struct Case { int race; const char* name; } cases[] = {{1, "ih"}, {2, "ih"}, {10, "ie"}, {0, ""}, {11, ""}};
    for (const auto& c : cases) EXPECT_EQ(RACEPICTURE(c.race), c.name) << c.race;
    for (auto [mode, next] : {std::pair{0, 1}, {1, 2}, {2, 0}, {7, 0}, {-1, 0}}) EXPECT_EQ(COMPUTERSTEP(mode), next) << mode;
}

TEST_F(ViewsTest, ColourStepsBothWaysAroundThePartner) {
    struct Case { int value, partner; bool down; int next; } cases[] = {
        {1, 5, false, 2}, {4, 5, false, 6}, {15, 5, false, 1}, {15, 1, false, 2}, {14, 15, false, 1}, {16, 3, false, 1},
        {255, 1, false, 2}, {0, 1, false, 2}, {5, 3, true, 4}, {4, 3, true, 2}, {1, 3, true, 16}, {1, 16, true, 15},
        {0, 3, true, 16}, {200, 16, true, 15}, {16, 15, true, 14}};
    for (const auto& c : cases)
        EXPECT_EQ(FARBSTEP(c.value, c.partner, c.down), c.next) << c.value << (c.down ? " down " : " up ") << c.partner;
}

TEST_F(ViewsTest, UsageTimes) {
    struct Case { std::int64_t t; const char* text; } cases[] = {
        {0, "00:00.00"}, {1799, "00:59.58"}, {1800, "01:00.00"}, {-1799, "-00:59.58"}, {INT32_MAX, "1193046:28.14"},
        {INT64_MIN, "-5124095576030431:00.16"}};
    for (const auto& c : cases) EXPECT_EQ(WRITEFTIME(c.t), c.text) << c.t;
}

}  // namespace

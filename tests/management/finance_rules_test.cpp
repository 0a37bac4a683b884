#include <gtest/gtest.h>

#include <vector>

#include "management/finance.h"

using namespace korax;

namespace {

TEAMREC team(std::int32_t gold) {
    TEAMREC t{};
    t.GOLD = gold;
    return t;
}

SPIELPLANTYPE pairing(int heim, int gast, int hwert = 25, int gwert = 25) {
    SPIELPLANTYPE p{};
    p.HEIM = static_cast<std::int16_t>(heim);
    p.GAST = static_cast<std::int16_t>(gast);
    p.HWERT = static_cast<std::int16_t>(hwert);
    p.GWERT = static_cast<std::int16_t>(gwert);
    return p;
}

}  // namespace

TEST(NextDay, FollowsTheHalvesAndEndsAfterDayEighteen) {
    struct Case { int turn, hinrunde, day; } cases[] = {
        {0, 1, 1}, {9, 1, 10}, {0, 0, 10}, {8, 0, 18}, {9, 0, 0}, {10, 1, 0}, {-1, 1, 0}, {5, 7, 15}};
    for (const auto& c : cases) {
        GENTYPE g{};
        g.TURN = static_cast<std::int16_t>(c.turn), g.HINRUNDE = static_cast<std::uint8_t>(c.hinrunde);
        EXPECT_EQ(NEXTSPIELTAG(g), c.day) << c.turn << "/" << c.hinrunde;
    }
    EXPECT_TRUE(PAARUNGGUELTIG(pairing(1, 10)));
    for (auto p : {pairing(0, 3), pairing(3, 11), pairing(-1, 2)}) EXPECT_FALSE(PAARUNGGUELTIG(p));
}

TEST(Stadium, LimitsTheMoodScaleAndATakenBackPullDown) {
    struct Case { int seats; std::int32_t gold; std::int64_t build, pulldown; } cases[] = {
        {1800, 1000, 200, 1300}, {1800, 300, 150, 1300}, {2000, 5000, 0, 1500}, {100, -50, -25, 0}, {500, 0, 0, 0},
        {501, 0, 0, 1}, {2500, 9000, -500, 2000}, {-32768, INT32_MAX, 32767, 0}};
    for (const auto& c : cases) {
        TEAMREC t = team(c.gold);
        t.STADION.SITZPLAETZE = static_cast<std::int16_t>(c.seats);
        EXPECT_EQ(std::pair(AUSBAULIMIT(t), ABRISSLIMIT(t)), std::pair(c.build, c.pulldown)) << c.seats << " seats, " << c.gold;
    }
    for (auto [m, drawn] : {std::pair{-9, -4}, {-4, -4}, {0, 0}, {4, 4}, {32767, 4}}) EXPECT_EQ(STIMMUNGSKALA(m), drawn);
    TEAMREC t = team(100);
    t.STADION.SITZPLAETZE = 1000;
    BUCHEABRISS(t, 300);
    t.GOLD = 10;  // spent elsewhere: taking the pull-down back may leave the gold negative
    STORNOAUSBAU(t);
    EXPECT_EQ(t.GOLD, -290);
}

TEST(AdvanceSale, PriceBoundsAndUnsellablePairings) {
    GENTYPE g{};
    for (int i = 1; i <= 10; ++i) g.VPREIS[i] = static_cast<std::int16_t>(10 * i);
    g.VPREIS[4] = -20;
    struct Case { SPIELPLANTYPE p; int k; std::int32_t gold; VKAUFERGEBNIS result; } cases[] = {
        {pairing(9, 5), 2, 89, VKAUFERGEBNIS::KEINGOLD}, {pairing(9, 5), 2, 90, VKAUFERGEBNIS::GEKAUFT},
        {pairing(4, 5), 2, 100, VKAUFERGEBNIS::NICHTS}, {pairing(11, 5), 2, 100, VKAUFERGEBNIS::NICHTS},
        {pairing(1, 2), 6, 100, VKAUFERGEBNIS::NICHTS}};
    for (const auto& c : cases) {
        TEAMREC t = team(c.gold);
        EXPECT_EQ(VKAUF(t, 3, c.k, c.p, g), c.result);
        EXPECT_EQ(t.GOLD, c.result == VKAUFERGEBNIS::GEKAUFT ? 0 : c.gold);
    }
    EXPECT_EQ(std::vector<std::int64_t>({VPREISMAX(2), VPREISMAX(1), VPREISMAX(0)}), std::vector<std::int64_t>({90, 60, 30}));
}

TEST(Bank, PaymentsAndRepaymentsOutsideTheirBounds) {
    TEAMREC t = team(300);
    EXPECT_FALSE(UEBERWEISUNGMOEGLICH(t, 11));
    EXPECT_EQ(STORNOUEBERWEISUNG(t, 3), 0);
    const std::string before = RECORDBYTES(t);
    BUCHEUEBERWEISUNG(t, 0, 10);
    BUCHEUEBERWEISUNG(t, 3, 0);
    EXPECT_EQ(RECORDBYTES(t), before);
    t.KREDITSUMME = 300, t.GOLD = -5;
    EXPECT_LE(TILGUNGMAX(t), 0);
}

TEST(Bets, BlockedOpponentAndTeamsOutsideTheLeague) {
    struct Case { SPIELPLANTYPE p; int platz, abstieg, blocked; } cases[] = {
        {pairing(3, 5, 25, 19), 9, 2, 5}, {pairing(3, 5, 25, 20), 9, 2, 0}, {pairing(3, 5, 25, 20), 8, 2, 5},
        {pairing(5, 3, 20, 15), 10, 2, 0}, {pairing(5, 3, 19, 30), 10, 2, 5}, {pairing(1, 2, 5, 5), 1, 0, 0},
        {pairing(3, 11, 5, 5), 1, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(GESPERRT(c.p, 3, c.platz, c.abstieg), c.blocked);
    TEAMREC t = team(100);
    EXPECT_EQ(WETTVERBOT(t, 11, 4, 0) + WETTVERBOT(t, 4, 0, 0), -2);  // teams outside the league
}

TEST(Bets, StakesThatCannotBeTakenBackStay) {
    for (std::int32_t gold : {2, INT32_MAX - 5}) {  // a stake below 10 from the data; the gold would wrap
        TEAMREC t = team(gold);
        t.WETTEN[2] = gold == 2 ? 5 : 100;
        const std::string before = RECORDBYTES(t);
        EXPECT_EQ(STORNOWETTE(t, 2), 0);
        EXPECT_EQ(RECORDBYTES(t), before);
    }
    TEAMREC t = team(5000);
    BUCHEWETTE(t, 2, 1001);
    EXPECT_EQ(t.GOLD, 5000);
}

TEST(Training, ClampAndValuesOutsideTheBounds) {
    TRAININGTYPE tr{};
    tr.POINTS = 100, tr.SCHUSS = 20;
    EXPECT_EQ(std::vector<int>({TRAININGPLUS(tr, 4), tr.SCHUSS}), std::vector<int>({0, 20}));
    tr.TAKTIK = 0;
    TRAININGMINUS(tr, 2);
    EXPECT_EQ(tr.TAKTIK, 0);
    EXPECT_TRUE(TRAININGAREA(tr, 0) == nullptr && TRAININGAREA(tr, 7) == nullptr);
    EXPECT_EQ(TRAININGPLUS(tr, 7), 0);
    tr.TECHNIK = -3, tr.INTERVALL = 400;
    NORMWERT(tr);
    EXPECT_EQ(std::vector<int>({tr.TECHNIK, tr.INTERVALL}), std::vector<int>({0, 20}));
    tr.POINTS = -32768;
    EXPECT_LT(FREIEPUNKTE(tr), -32768);  // no 16-bit wrap into a positive count
}

TEST(Training, MoodRows) {
    struct Case { int erg, text, colour; std::string picture; } cases[] = {
        {-5, 577, 7, "smiley0"}, {5, 577, 7, "smiley0"}, {-6, 581, 12, "smiley-1"}, {-21, 580, 12, "smiley-2"},
        {-31, 579, 12, "smiley-3"}, {-51, 578, 12, "smiley-4"}, {6, 585, 10, "smiley1"}, {21, 584, 10, "smiley2"},
        {31, 583, 10, "smiley3"}, {51, 582, 10, "smiley4"}, {50, 583, 10, "smiley3"}};
    for (const auto& c : cases) {
        auto row = TRAINERSTIMMUNG(c.erg);
        EXPECT_EQ(std::to_string(row.text) + " " + std::to_string(row.colour) + " " + row.picture,
                  std::to_string(c.text) + " " + std::to_string(c.colour) + " " + c.picture);
    }
}

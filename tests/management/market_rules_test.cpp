// The booking rules of the slave market: bids, the decisions on the own squad and
// their exact reversal, the fee's rounding, scrolling and the lots as read.
#include <gtest/gtest.h>

#include <cstring>

#include "management/marketrules.h"

using namespace korax;

namespace {

bool same(const TEAMREC& a, const TEAMREC& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A player whose value is 1.5 x the attribute sum (motivation and condition 0 aside).
PLAYERREC worth(int v) {
    PLAYERREC p{};
    p.VERFASSUNG = 4;  // adds 1 to the sum
    p.INTELLIGENZ = static_cast<std::uint8_t>(v * 2 / 3 - 1);
    return p;
}

}  // namespace

TEST(MarketBids, DialogBoundsAndBookings) {
    struct Case {
        const char* what;
        int gold, bid, price;
        GEBOTSTAND stand;
        std::int64_t max;
        int newbid, goldafter;
    } cases[] = {
        {"raise 100 to 150 with 1000", 900, 100, 80, GEBOTSTAND::FRAGEN, 1000, 150, 850},
        {"lower to the asking price returns the difference", 850, 150, 80, GEBOTSTAND::FRAGEN, 1000, 80, 920},
        {"escape withdraws", 850, 150, 80, GEBOTSTAND::FRAGEN, 1000, 0, 1000},
        {"the own bid counts for the price", 20, 100, 110, GEBOTSTAND::FRAGEN, 120, 110, 10},
        {"bid bounded by a SMALLINT", 100000, 0, 500, GEBOTSTAND::FRAGEN, 32767, 32767, 100000 - 32767},
        {"no price, no bid", 1000, 0, 0, GEBOTSTAND::KEINPREIS, 1000, 0, 1000},
    };
    for (const auto& c : cases) {
        TEAMREC t{};
        t.GOLD = c.gold;
        t.ANGEBOT[4] = static_cast<std::int16_t>(c.bid);
        EXPECT_EQ(GEBOTMOEGLICH(t, 4, c.price), c.stand) << c.what;
        EXPECT_EQ(GEBOTMAX(t, 4), c.max) << c.what;
        if (c.stand != GEBOTSTAND::FRAGEN) continue;
        const TEAMREC before = t;
        ASSERT_TRUE(SETZEGEBOT(t, 4, c.newbid)) << c.what;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        EXPECT_EQ(t.ANGEBOT[4], c.newbid) << c.what;
        // Putting the old bid back gives the old record.
        ASSERT_TRUE(SETZEGEBOT(t, 4, c.bid));
        EXPECT_TRUE(same(t, before)) << c.what;
    }
}

TEST(MarketBids, RefusedWithoutGoldOrOutsideTheField) {
    TEAMREC t{};
    t.GOLD = 40;
    t.ANGEBOT[2] = 50;
    EXPECT_EQ(GEBOTMOEGLICH(t, 2, 91), GEBOTSTAND::ZUTEUER);  // 40 + 50 < 91
    EXPECT_EQ(GEBOTMOEGLICH(t, 2, 90), GEBOTSTAND::FRAGEN);
    EXPECT_FALSE(SETZEGEBOT(t, 2, 32768));
    EXPECT_FALSE(SETZEGEBOT(t, 2, -1));
    EXPECT_FALSE(SETZEGEBOT(t, 11, 10));
    EXPECT_EQ(GEBOTMOEGLICH(t, 0, 10), GEBOTSTAND::KEINPREIS);
    t.GOLD = INT32_MAX;
    const TEAMREC rich = t;
    EXPECT_FALSE(SETZEGEBOT(t, 2, 0));  // giving back 50 would not fit the gold
    EXPECT_TRUE(same(t, rich));
}

TEST(MarketFee, ValueByTwentyRoundedHalfToEven) {
    const std::pair<int, int> cases[] = {{0, 0}, {9, 0}, {10, 0}, {11, 1}, {30, 2}, {50, 2}, {70, 4},
                                         {229, 11}, {230, 12}, {231, 12}, {250, 12}, {251, 13}, {270, 14}};
    for (auto [wert, fee] : cases) EXPECT_EQ(TRANSFERGEBUEHR(wert), fee) << wert;
}

TEST(MarketSquad, EachDecisionIsTakenBackExactly) {
    struct Case {
        const char* what;
        int gold;
        int ziel;  // team, -1 release, -3 offer
        int wert;
        int goldafter;
        STORNOERGEBNIS storno;
    } cases[] = {
        {"release 300", 50, -1, 300, 350, STORNOERGEBNIS::FREIGABE},
        {"transfer worth 230: fee 12", 100, 4, 230, 88, STORNOERGEBNIS::TRANSFER},
        {"transfer worth 250: fee 12", 100, 3, 250, 88, STORNOERGEBNIS::TRANSFER},
        {"transfer to the own team", 100, 3, 230, 88, STORNOERGEBNIS::TRANSFER},
        {"offer for 777", 100, -3, 230, 100, STORNOERGEBNIS::ANGEBOT},
    };
    for (const auto& c : cases) {
        TEAMREC t{};
        t.GOLD = c.gold;
        const TEAMREC before = t;
        bool ok = c.ziel > 0 ? TRANSFERAN(t, 6, c.ziel, c.wert) : c.ziel == -1 ? FREIGEBEN(t, 6, c.wert)
                                                                               : PREISANGEBOT(t, 6, 777);
        ASSERT_TRUE(ok) << c.what;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        EXPECT_EQ(t.TRANSFER[6], c.ziel) << c.what;
        EXPECT_EQ(t.TRANSGEBOT[6], c.ziel == -3 ? 777 : 0) << c.what;
        // A second decision needs the first taken back.
        EXPECT_FALSE(FREIGEBEN(t, 6, c.wert)) << c.what;
        EXPECT_EQ(STORNOTRANSFER(t, 6, c.wert), c.storno) << c.what;
        EXPECT_TRUE(same(t, before)) << c.what;
        EXPECT_EQ(STORNOTRANSFER(t, 6, c.wert), STORNOERGEBNIS::KEINE) << c.what;
    }
}

TEST(MarketSquad, RefusalsAndDecisionsFromTheData) {
    TEAMREC t{};
    t.GOLD = 11;
    EXPECT_FALSE(TRANSFERAN(t, 1, 2, 230));  // fee 12 > 11
    EXPECT_TRUE(TRANSFERAN(t, 1, 2, 220));   // fee 11
    EXPECT_EQ(t.GOLD, 0);
    EXPECT_FALSE(TRANSFERAN(t, 2, 11, 0));
    EXPECT_FALSE(TRANSFERAN(t, 2, 0, 0));
    EXPECT_FALSE(PREISANGEBOT(t, 2, 0));
    EXPECT_FALSE(PREISANGEBOT(t, 2, 10000));

    // A release needs its value back in gold to be taken back.
    t = TEAMREC{};
    t.GOLD = 299;
    t.TRANSFER[5] = -1;
    EXPECT_EQ(STORNOTRANSFER(t, 5, 300), STORNOERGEBNIS::KEINGOLD);
    EXPECT_EQ(t.TRANSFER[5], -1);
    EXPECT_EQ(t.GOLD, 299);

    struct Case {
        int transfer, gebot;
        STORNOERGEBNIS storno;
        int goldafter;
    } cases[] = {
        {-2, 350, STORNOERGEBNIS::OFFEN, 100},      {-3, 50, STORNOERGEBNIS::ANGEBOT, 100},
        {-77, 50, STORNOERGEBNIS::ANGEBOT, 100},    {11, 50, STORNOERGEBNIS::UNGUELTIG, 100},
        {300, 50, STORNOERGEBNIS::UNGUELTIG, 100},  {10, 0, STORNOERGEBNIS::TRANSFER, 112},
    };
    for (const auto& c : cases) {
        t = TEAMREC{};
        t.GOLD = 100;
        t.TRANSFER[7] = static_cast<std::int16_t>(c.transfer);
        t.TRANSGEBOT[7] = static_cast<std::int16_t>(c.gebot);
        EXPECT_EQ(STORNOTRANSFER(t, 7, 230), c.storno) << c.transfer;
        EXPECT_EQ(t.TRANSFER[7], 0) << c.transfer;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.transfer;
        // Only a price offer loses its price; the field is untouched otherwise.
        EXPECT_EQ(t.TRANSGEBOT[7], c.transfer <= -2 ? 0 : c.gebot) << c.transfer;
    }
}

TEST(MarketScrolling, ThreeAndFiveCards) {
    struct Step {
        char key;
        int erste;
        bool beep;
    };
    struct Case {
        int sichtbar;
        std::vector<Step> steps;
    } cases[] = {
        {3, {{'I', 3, false}, {'I', 6, false}, {'I', 7, false}, {'I', 7, true}, {'J', 4, false}, {'J', 1, false},
             {'J', 0, false}, {'J', 0, true}}},
        {5, {{'J', 0, true}, {'I', 5, false}, {'I', 5, true}, {'J', 0, false}}},
        {7, {{'I', 3, false}, {'I', 3, true}, {'J', 0, false}}},
    };
    for (const auto& c : cases) {
        int erste = 0;
        for (const auto& s : c.steps) {
            bool beep = false;
            erste = s.key == 'I' ? SCROLLRECHTS(erste, c.sichtbar, beep) : SCROLLLINKS(erste, c.sichtbar, beep);
            EXPECT_EQ(erste, s.erste) << c.sichtbar << " " << s.key;
            EXPECT_EQ(beep, s.beep) << c.sichtbar << " " << s.key;
        }
    }
    EXPECT_EQ(KARTENZAHL(244, 1018), 5);
    EXPECT_EQ(KARTENZAHL(244, 744), 3);
    EXPECT_EQ(KARTENZAHL(0, 100), 1);
    EXPECT_EQ(KARTENZAHL(0, 5000), 7);
}

TEST(MarketLots, ReadFromTheGeneralRecord) {
    GENTYPE g{};
    g.SKLAVEN[1] = 101;
    g.SKLAVENGEBOT[1] = 250;
    g.SKLAVEN[2] = 102;
    g.SKLAVENGEBOT[2] = -5;  // no price of the game master: the value
    g.SKLAVENTEAM[2] = 7;
    g.SKLAVENCOUNT[2] = 255;
    g.SKLAVEN[3] = 999;      // beyond the file
    g.SKLAVEN[4] = -3;
    g.SKLAVEN[5] = 103;
    const SKLAVENMARKTDATEN m = SKLAVENDATEN(g, 5, [](int nr, PLAYERREC& p) {
        if (nr > 110) return false;
        p = worth(nr == 103 ? 0 : 300);
        if (nr == 103) p.VERFASSUNG = 0;
        return true;
    });
    EXPECT_EQ(m.anzahl, 3);
    EXPECT_TRUE(m.lot[1].belegt);
    EXPECT_EQ(m.lot[1].preis, 250);
    EXPECT_EQ(m.lot[1].kreuze, 1);
    EXPECT_EQ(m.lot[2].preis, 300);
    EXPECT_EQ(m.lot[2].team, 7);
    EXPECT_EQ(m.lot[2].kreuze, MAXKREUZE);
    EXPECT_FALSE(m.lot[3].belegt);
    EXPECT_FALSE(m.lot[4].belegt);
    EXPECT_TRUE(m.lot[5].belegt);
    EXPECT_EQ(m.lot[5].preis, 0);  // worth nothing: cannot be bid for
    EXPECT_EQ(PLAYERWERT(worth(300)), 300);
}

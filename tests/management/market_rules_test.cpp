#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "management/marketrules.h"

using namespace korax;

namespace {

bool same(const TEAMREC& a, const TEAMREC& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEAMREC team(int gold) {
    TEAMREC t{};
    t.GOLD = gold;
    return t;
}

}  // namespace

TEST(MarketBids, DialogBoundsAndBookings) {
    struct Case { const char* what; int gold, bid, price; GEBOTSTAND stand; std::int64_t max; int newbid, goldafter; } cases[] = {
        {"the own bid counts for the price", 20, 100, 110, GEBOTSTAND::FRAGEN, 120, 110, 10},
        {"bid bounded by a SMALLINT", 100000, 0, 500, GEBOTSTAND::FRAGEN, 32767, 32767, 100000 - 32767},
        {"price above gold and bid", 40, 50, 91, GEBOTSTAND::ZUTEUER, 90, 0, 0},
        {"price just within gold and bid", 40, 50, 90, GEBOTSTAND::FRAGEN, 90, 90, 0},
        {"no price, no bid", 1000, 0, 0, GEBOTSTAND::KEINPREIS, 1000, 0, 0},
    };
    for (const auto& c : cases) {
        TEAMREC t = team(c.gold);
        t.ANGEBOT[4] = static_cast<std::int16_t>(c.bid);
        EXPECT_EQ(GEBOTMOEGLICH(t, 4, c.price), c.stand) << c.what;
        EXPECT_EQ(GEBOTMAX(t, 4), c.max) << c.what;
        if (c.stand != GEBOTSTAND::FRAGEN) continue;
        const TEAMREC before = t;
        ASSERT_TRUE(SETZEGEBOT(t, 4, c.newbid)) << c.what;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        ASSERT_TRUE(SETZEGEBOT(t, 4, c.bid));  // the old bid back gives the old record
        EXPECT_TRUE(same(t, before)) << c.what;
    }
    TEAMREC t = team(INT32_MAX);
    t.ANGEBOT[2] = 50;
    const TEAMREC rich = t;
    for (std::int64_t n : {std::int64_t{0}, std::int64_t{32768}, std::int64_t{-1}}) EXPECT_FALSE(SETZEGEBOT(t, 2, n)) << n;
    EXPECT_FALSE(SETZEGEBOT(t, 11, 10));
    EXPECT_TRUE(same(t, rich));  // giving back 50 would not fit the gold
    EXPECT_EQ(GEBOTMOEGLICH(t, 0, 10), GEBOTSTAND::KEINPREIS);
}

TEST(MarketFee, ValueByTwentyRoundedHalfToEven) {
    const std::pair<int, int> cases[] = {{10, 0}, {11, 1}, {30, 2}, {50, 2}, {70, 4}, {229, 11}, {230, 12}, {250, 12}, {251, 13}};
    for (auto [wert, fee] : cases) EXPECT_EQ(TRANSFERGEBUEHR(wert), fee) << wert;
}

TEST(MarketSquad, RefusalsAndDecisionsFromTheData) {
    TEAMREC t = team(11);
    EXPECT_FALSE(TRANSFERAN(t, 1, 2, 230));  // fee 12 > 11
    EXPECT_TRUE(TRANSFERAN(t, 1, 2, 220));   // fee 11
    EXPECT_EQ(t.GOLD, 0);
    EXPECT_FALSE(FREIGEBEN(t, 1, 10));  // a second decision needs the first taken back
    EXPECT_FALSE(TRANSFERAN(t, 2, 11, 0) || TRANSFERAN(t, 2, 0, 0) || PREISANGEBOT(t, 2, 0) || PREISANGEBOT(t, 2, 10000));
    EXPECT_EQ(STORNOTRANSFER(t, 3, 10), STORNOERGEBNIS::KEINE);
    t = team(INT32_MAX - 5);
    const TEAMREC rich = t;
    EXPECT_FALSE(FREIGEBEN(t, 4, 300));  // the gold would not fit
    EXPECT_TRUE(same(t, rich));
    // Decisions as the data holds them, taken back from a player worth 300 (fee 15).
    struct Case { int transfer, gebot, gold; STORNOERGEBNIS storno; int transferafter, goldafter; } cases[] = {
        {-1, 0, 299, STORNOERGEBNIS::KEINGOLD, -1, 299},  // a release needs its value back in gold
        {-1, 0, 300, STORNOERGEBNIS::FREIGABE, 0, 0}, {-2, 350, 100, STORNOERGEBNIS::OFFEN, 0, 100},
        {-3, 50, 100, STORNOERGEBNIS::ANGEBOT, 0, 100}, {-77, 50, 100, STORNOERGEBNIS::ANGEBOT, 0, 100},
        {11, 50, 100, STORNOERGEBNIS::UNGUELTIG, 0, 100}, {10, 0, 100, STORNOERGEBNIS::TRANSFER, 0, 115}};
    for (const auto& c : cases) {
        t = team(c.gold);
        t.TRANSFER[7] = static_cast<std::int16_t>(c.transfer), t.TRANSGEBOT[7] = static_cast<std::int16_t>(c.gebot);
        EXPECT_EQ(STORNOTRANSFER(t, 7, 300), c.storno) << c.transfer;
        EXPECT_EQ(t.TRANSFER[7], c.transferafter) << c.transfer;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.transfer;
        // Only a price offer loses its price; the field is untouched otherwise.
        EXPECT_EQ(t.TRANSGEBOT[7], c.transfer <= -2 ? 0 : c.gebot) << c.transfer;
    }
}

TEST(MarketScrolling, ThreeFiveAndSevenCards) {
    struct Step { char key; int erste; bool beep; };
    struct Case { int sichtbar; std::vector<Step> steps; } cases[] = {
        {3, {{'I', 3, false}, {'I', 6, false}, {'I', 7, false}, {'I', 7, true}, {'J', 4, false}, {'J', 1, false}, {'J', 0, false}, {'J', 0, true}}},
        {5, {{'J', 0, true}, {'I', 5, false}, {'I', 5, true}, {'J', 0, false}}},
        {7, {{'I', 3, false}, {'I', 3, true}, {'J', 0, false}}}};
    for (const auto& c : cases) {
        int erste = 0;
        for (const auto& s : c.steps) {
            bool beep = false;
            erste = s.key == 'I' ? SCROLLRECHTS(erste, c.sichtbar, beep) : SCROLLLINKS(erste, c.sichtbar, beep);
            EXPECT_EQ(std::pair(erste, beep), std::pair(s.erste, s.beep)) << c.sichtbar << " " << s.key;
        }
    }
    struct Area { int x1, x2, cards; } areas[] = {{244, 1018, 5}, {244, 744, 3}, {0, 100, 1}, {0, 5000, 7}};
    for (const auto& a : areas) EXPECT_EQ(KARTENZAHL(a.x1, a.x2), a.cards) << a.x1 << "-" << a.x2;
}

TEST(MarketLots, ReadFromTheGeneralRecord) {
    GENTYPE g{};
    g.SKLAVEN[1] = 101, g.SKLAVENGEBOT[1] = 250, g.SKLAVEN[2] = 102;
    g.SKLAVENGEBOT[2] = -5;  // no price of the game master: the value
    g.SKLAVENTEAM[2] = 7, g.SKLAVENCOUNT[2] = 255;
    g.SKLAVEN[3] = 999;      // beyond the file
    g.SKLAVEN[4] = -3, g.SKLAVEN[5] = 103;
    const SKLAVENMARKTDATEN m = SKLAVENDATEN(g, 5, [](int nr, PLAYERREC& p) {
        if (nr > 110) return false;
        p = PLAYERREC{};
        p.INTELLIGENZ = 199;  // worth 1.5 x the attribute sum: 300
        p.VERFASSUNG = nr == 103 ? 0 : 4;
        return true;
    });
    EXPECT_EQ(std::vector<int>({m.anzahl, m.lot[1].preis, m.lot[1].kreuze, m.lot[2].preis, m.lot[2].team, m.lot[2].kreuze}),
              std::vector<int>({3, 250, 1, 300, 7, MAXKREUZE}));
    EXPECT_FALSE(m.lot[3].belegt || m.lot[4].belegt);
    EXPECT_TRUE(m.lot[5].belegt);
    EXPECT_EQ(m.lot[5].preis, 0);  // worth nothing: cannot be bid for
}

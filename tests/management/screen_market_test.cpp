#include <string>
#include <vector>

#include "base/state.h"
#include "management/market.h"
#include "management/zoomplayer.h"
#include "screen_fixture.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

// A player worth v (1.5 x the attribute sum; condition 4 adds 1).
PLAYERREC worth(int v, const std::string& name = "Slave") {
    PLAYERREC p{};
    p.RACE = 3, p.VERFASSUNG = 4;
    p.NAME.set(name);
    p.INTELLIGENZ = static_cast<std::uint8_t>(v * 2 / 3 - 1);
    return p;
}

class MarketScreen : public Screen {
protected:
    static constexpr int RECORDS = 12;

    void SetUp() override {
        Screen::SetUp();
        std::string file;
        for (int r = 1; r <= RECORDS; ++r) file += RECORDBYTES(worth(100 + 10 * r, "Lot" + std::to_string(r)));
        std::ofstream(root / "player3.dat", std::ios::binary) << file;
        OPENFILES(_PLAYER);
        for (int i = 1; i <= 10; ++i) GEN.SKLAVEN[i] = static_cast<std::int16_t>(i);
        PLAYER[2] = worth(300, "Own2"), PLAYER[3] = worth(230, "Own3"), PLAYER[4] = worth(300, "Own4");
        PLAYER[4].VERFASSUNG = 0;  // worth nothing
        BELEGT[2] = BELEGT[3] = BELEGT[4] = true;
    }
    void TearDown() override {
        if (FILESOPEN(_PLAYER)) CLOSEFILES(_PLAYER);
        TESTMODE = false;
        Screen::TearDown();
    }
    void run(const std::string& s) {
        script(s);
        SKLAVENMARKT();
    }
    // Centre of card c (1..5) as the market draws it with the menu on the right.
    static std::string card(int c) { return at(XM1 + 5 + (c - 1) * 140 + 68, 268); }
};

}  // namespace

TEST_F(MarketScreen, BidAboveGoldAndOwnBidIsRefused) {
    GEN.SKLAVENGEBOT[1] = 100;
    TEAM.GOLD = 50;
    TEAM.ANGEBOT[1] = 40;  // 50 + 40 is still below the price: refused, nothing written
    run("key B\nkey Enter\nkey Esc\n");
    EXPECT_TRUE(untouched());
    EXPECT_EQ(std::vector<int>({TEAM.GOLD, TEAM.ANGEBOT[1]}), std::vector<int>({50, 40}));
}

TEST_F(MarketScreen, ScrollingAndEmptyLots) {
    TEAM.GOLD = 1000, GEN.SKLAVEN[1] = 0;
    GEN.SKLAVEN[2] = 50;  // beyond PLAYER3.DAT
    GEN.SKLAVEN[3] = -7;
    ASSERT_EQ(KARTENZAHL(XM1, XM2), 5);
    // Empty cards take no bid; the second page shows offers 6..10, a further "I" only beeps.
    run("key B\nkey C\nkey D\nkey I\nkey I\nkey F\n" + typed(1) + "key J\nkey J\nkey E\n" + typed(130) + "key Esc\n");
    EXPECT_EQ(MARKT.anzahl, 7);
    for (int i = 1; i <= 3; ++i) EXPECT_FALSE(MARKT.lot[i].belegt) << i;
    const TEAMREC t = onfile();  // the asking prices are the values of lots 10 and 4
    EXPECT_EQ(std::vector<int>({t.ANGEBOT[10], t.ANGEBOT[4], t.GOLD}), std::vector<int>({200, 140, 660}));
}

TEST_F(MarketScreen, OwnPlayersThroughTheChooser) {
    struct Case { const char* what; std::string keys; int slot; int transfer, gebot, gold; } cases[] = {
        {"release 300", "key 2\nkey H\nkey Enter\n", 2, -1, 0, 400},
        {"transfer worth 230 to team 4", "key 3\nkey 4\nkey Enter\n", 3, 4, 0, 88},
        {"offer for 500", "key 2\nkey I\n" + typed(500) + "key Enter\n", 2, -3, 500, 100},
        {"offer escaped", "key 2\nkey I\nkey Esc\n", 2, 0, 0, 100},
        {"chooser left", "key 2\nkey R\n", 2, 0, 0, 100},
        {"worth 0: released unasked", "key 4\nkey Enter\n", 4, -1, 0, 100}};
    for (const auto& c : cases) {
        TEAM = TEAMREC{}, TEAM.GOLD = 100;
        run(c.keys + "key Esc\n");
        TEAMREC t = onfile();
        EXPECT_EQ(std::vector<int>({t.TRANSFER[c.slot], t.TRANSGEBOT[c.slot], t.GOLD}), std::vector<int>({c.transfer, c.gebot, c.gold})) << c.what;
        // A second click takes the decision back and books exactly the opposite.
        if (c.transfer == 0) continue;
        run("key " + std::to_string(c.slot) + "\nkey Enter\nkey Esc\n");
        t = onfile();
        EXPECT_EQ(std::vector<int>({t.TRANSFER[c.slot], t.TRANSGEBOT[c.slot], t.GOLD}), std::vector<int>({0, 0, 100})) << c.what;
    }
}

TEST_F(MarketScreen, RefusalsOnTheOwnSquad) {
    TEAM.GOLD = 11;
    TEAM.IMTEAM[1] = 2;  // slot 2 plays
    run("key 2\nkey Enter\nkey 3\nkey 4\nkey Enter\nkey Esc\n");
    TEAMREC t = onfile();  // slot 3: fee 12 above 11 gold
    EXPECT_EQ(std::vector<int>({t.TRANSFER[2], t.TRANSFER[3], t.GOLD}), std::vector<int>({0, 0, 11}));
    // A release is only taken back with its value in gold; no league team is
    // cleared without booking.
    TEAM.TRANSFER[3] = -1, TEAM.TRANSFER[4] = 12;
    run("key 3\nkey Enter\nkey 4\nkey Enter\nkey Esc\n");
    t = onfile();
    EXPECT_EQ(std::vector<int>({t.TRANSFER[3], t.TRANSFER[4], t.GOLD}), std::vector<int>({-1, 0, 11}));
}

TEST_F(MarketScreen, NamesOfSlashesAddNoLines) {
    TEAM.GOLD = 100;
    PLAYER[3].NAME.set("////////");
    TEAMNAME[4] = TRAINERNAME[4] = STRING25::of(std::string(25, '/'));
    EXPECT_NO_THROW(run("key 3\nkey 4\nkey Enter\nkey 3\nkey Enter\nkey 3\nkey H\nkey Enter\nkey Esc\n"));
    EXPECT_EQ(onfile().TRANSFER[3], -1);
}

TEST_F(MarketScreen, PlayerCardTakesOnlyK) {
    TEAM.GOLD = 1000, TEAM.ERFAHRUNG = 1;
    // While the card is open "B" and "2" are dropped; after "K" the bid goes in.
    run("click " + card(1) + " right\nkey B\nkey 2\nkey K\nkey B\n" + typed(300) + "key Esc\n");
    EXPECT_EQ(onfile().ANGEBOT[1], 300);
    EXPECT_EQ(onfile().TRANSFER[2], 0);
    EXPECT_EQ(ONEPLAYER.NAME.str(), "Lot1");
    // Without experience the card is refused with a message.
    TEAM.ERFAHRUNG = 0, ONEPLAYER = PLAYERREC{};
    run("click " + card(2) + " right\nkey Enter\nkey Esc\n");
    EXPECT_EQ(ONEPLAYER.NAME.str(), "");
    TESTMODE = true;
    run("click " + card(2) + " right\nkey K\nkey Esc\n");
    EXPECT_EQ(ONEPLAYER.NAME.str(), "Lot2");
}

TEST_F(MarketScreen, MenuButtonInTheChooserLeavesForThatScreenWithTheIconsAsTheyWere) {
    TEAM.GOLD = 100;
    for (int s = 1; s <= 10; ++s) ICON[s].P[0][0] = 0;
    const auto before = ICON;
    run("key Esc\n");
    EXPECT_TRUE(untouched());
    run("key 2\nclick " + menubutton(3) + "\n");
    EXPECT_EQ(KEY, BUTTON2MENU(3));
    EXPECT_GE(KEY, 101);
    EXPECT_EQ(std::memcmp(&ICON, &before, sizeof ICON), 0);
    EXPECT_EQ(std::vector<int>({TEAM.TRANSFER[2], TEAM.GOLD}), std::vector<int>({0, 100}));
}

// The stadium under scripted input: orders and refunds as the file holds them
// after leaving.
#include "screen_fixture.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

using StadionScreen = Screen;

// Types n into the open number dialog and confirms it.
std::string typed(int n) { return "key Space\nkey Esc\ntext " + std::to_string(n) + "\nkey Enter\nkey Enter\n"; }

}  // namespace

TEST_F(StadionScreen, OrdersAsWrittenToTheFile) {
    struct Case {
        const char* what;
        int seats, erweiterung, gold, turn;
        std::string script;
        int seatsorder, goldafter;
    } cases[] = {
        {"limit by gold", 1800, 0, 300, 2, "key 1\n" + typed(999) + "key R\n", 150, 0},
        {"limit by seats", 1800, 0, 1000, 2, "key 1\n" + typed(999) + "key R\n", 200, 600},
        {"build then pull down", 1800, 0, 1000, 7, "key 1\n" + typed(100) + "key 3\n" + typed(50) + "key Esc\n", -50, 1050},
        {"old order is the start", 1800, 150, 700, 2, "key 1\nkey Enter\nkey Esc\n", 150, 700},
        {"old pull-down is the start", 1800, -40, 700, 8, "key 3\nkey Enter\nkey Esc\n", -40, 700},
        {"escape clears the order", 1800, 100, 800, 2, "key 1\nkey Esc\nkey Esc\n", 0, 1000},
        {"nothing to pull down", 500, 0, 100, 7, "key 3\nkey Enter\nkey Esc\n", 0, 100},
        {"stadium full", 2000, 0, 5000, 2, "key 1\nkey Enter\nkey Esc\n", 0, 5000},
    };
    for (const auto& c : cases) {
        TEAM = TEAMREC{};
        TEAM.STADION.SITZPLAETZE = static_cast<std::int16_t>(c.seats);
        TEAM.STADION.ERWEITERUNG = static_cast<std::int16_t>(c.erweiterung);
        TEAM.GOLD = c.gold;
        GEN.HINRUNDE = 1;
        GEN.TURN = static_cast<std::int16_t>(c.turn);
        script(c.script);
        STADION();
        EXPECT_EQ(KEY, 27) << c.what;
        const TEAMREC t = onfile();
        EXPECT_EQ(t.STADION.ERWEITERUNG, c.seatsorder) << c.what;
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        EXPECT_EQ(RECORDBYTES(t), RECORDBYTES(TEAM)) << c.what;
    }
}

TEST_F(StadionScreen, PullDownKeyDoesNothingBeforeDaySeven) {
    TEAM.STADION.SITZPLAETZE = 1800;
    TEAM.GOLD = 100;
    GEN.HINRUNDE = 1;
    GEN.TURN = 6;
    script("key 3\nkey Esc\n");
    STADION();
    EXPECT_TRUE(untouched());
    EXPECT_FALSE(KLICKFENSTER[3].AKTIV);
}

TEST_F(StadionScreen, TicketPriceAndTheMenuButton) {
    TEAM.STADION.EINTRITT = 4;
    GEN.HINRUNDE = 1;
    GEN.TURN = 2;
    script("key 2\n" + typed(12) + "key x\nclick " + menubutton(3) + "\n");
    STADION();
    EXPECT_EQ(KEY, 105);
    EXPECT_EQ(onfile().STADION.EINTRITT, 10);
    script("key 2\nkey Esc\nkey Esc\n");  // Escape keeps the price
    STADION();
    EXPECT_EQ(onfile().STADION.EINTRITT, 10);
}

TEST_F(StadionScreen, LastDayShowsTheInformationOnly) {
    LASTDAY = true;
    TEAM.GOLD = 1000;
    script("key 1\nkey 3\nkey Esc\n");
    STADION();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.GOLD, 1000);
    EXPECT_TRUE(KLICKFENSTER[10].AKTIV);
}

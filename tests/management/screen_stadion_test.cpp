#include <set>
#include <vector>

#include "common/png_shot.h"
#include "graph/htime.h"
#include "screen_fixture.h"

using namespace korax;
using StadionScreen = korax::mtest::Screen;

TEST_F(StadionScreen, OrdersAsWrittenToTheFile) {
    struct Case { const char* what; int seats, erweiterung, gold, turn; std::string script; int seatsorder, goldafter; } cases[] = {
        {"limit by gold", 1800, 0, 300, 2, "key 1\n" + typed(999) + "key R\n", 150, 0},
        {"build then pull down", 1800, 0, 1000, 7, "key 1\n" + typed(100) + "key 3\n" + typed(50) + "key Esc\n", -50, 1050},
        {"old order is the start", 1800, 150, 700, 2, "key 1\nkey Enter\nkey Esc\n", 150, 700},
        {"old pull-down is the start", 1800, -40, 700, 8, "key 3\nkey Enter\nkey Esc\n", -40, 700},
        {"escape clears the order", 1800, 100, 800, 2, "key 1\nkey Esc\nkey Esc\n", 0, 1000},
        {"nothing to pull down", 500, 0, 100, 7, "key 3\nkey Enter\nkey Esc\n", 0, 100},
        {"stadium full", 2000, 0, 5000, 2, "key 1\nkey Enter\nkey Esc\n", 0, 5000}};
    for (const auto& c : cases) {
        TEAM = TEAMREC{}, TEAM.GOLD = c.gold;
        TEAM.STADION.SITZPLAETZE = static_cast<std::int16_t>(c.seats), TEAM.STADION.ERWEITERUNG = static_cast<std::int16_t>(c.erweiterung);
        day(c.turn);
        script(c.script);
        STADION();
        const TEAMREC t = onfile();
        EXPECT_EQ(std::vector<int>({KEY, t.STADION.ERWEITERUNG, t.GOLD}), std::vector<int>({27, c.seatsorder, c.goldafter})) << c.what;
        EXPECT_EQ(RECORDBYTES(t), RECORDBYTES(TEAM)) << c.what;
    }
}

TEST_F(StadionScreen, TicketPriceTheMenuButtonAndNoOrdersBeforeDaySevenOrOnTheLastDay) {
    TEAM.STADION.EINTRITT = 4;
    day(2);
    script("key 2\n" + typed(12) + "key x\nclick " + menubutton(3) + "\n");
    STADION();
    EXPECT_EQ(KEY, 105);
    EXPECT_EQ(onfile().STADION.EINTRITT, 10);
    blank();
    TEAM = TEAMREC{};
    TEAM.STADION.SITZPLAETZE = 1800, TEAM.GOLD = 100;
    day(6);
    script("key 3\nkey Esc\n");  // no pull-down before day 7
    STADION();
    EXPECT_TRUE(untouched());
    EXPECT_FALSE(KLICKFENSTER[3].AKTIV);
    LASTDAY = true;
    script("key 1\nkey 3\nkey Esc\n");
    STADION();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.GOLD, 100);
    EXPECT_TRUE(KLICKFENSTER[10].AKTIV);
}

// The scoreboard area of a picture as a string of text (#) and background (.).
static std::string board(const std::string& file) {
    korax::testing::PNGSHOT s;
    EXPECT_TRUE(s.load(file));
    std::string b;
    for (int y = 140; y < 172; ++y)
        for (int x = XM1 + 158; x < XM1 + 360; ++x) b += s.rgb(x, y) != s.rgb(XM1 + 158, 140) ? '#' : '.';
    return b;
}

TEST_F(StadionScreen, ScoreboardRunsUntilAnyInputWhichIsHandled) {
    for (bool scorer : {true, false}) {  // slot 4 the top scorer, or no one: one text less
        SCOPED_TRACE(scorer);
        TEAM = TEAMREC{}, TEAM.STADION.SITZPLAETZE = 1800, TEAM.GOLD = 1000;
        day(2);
        PLAYER = {}, BELEGT = {};
        if (scorer) {
            BELEGT[1] = BELEGT[4] = true;
            PLAYER[1].NAME = STRING8::of("Aldo"), PLAYER[4].NAME = STRING8::of("Bruno"), PLAYER[4].TORE = 7;
        }
        TICKCOUNT = 0;
        std::string s;
        for (int i = 0; i < 18; ++i) {
            s += "move " + std::to_string(600 + i) + " 600\nshot " + std::to_string(i) + ".png\n";
            if (i == 13) s += "key 1\n" + typed(100);
        }
        script(s + "key Esc\n");
        STADION();
        std::set<std::string> running, stopped;
        int blank = 0;
        for (int i = 0; i < 18; ++i) {
            const std::string b = board((root / (std::to_string(i) + ".png")).string());
            if (i >= 14) stopped.insert(b);
            else if (b.find('#') == std::string::npos) ++blank;
            else running.insert(b);
        }
        EXPECT_EQ(running.size(), scorer ? 3u : 2u);
        EXPECT_GT(blank, 0);
        EXPECT_EQ(stopped.size(), 1u);  // stopped: the board no longer changes
        // The key that stopped it was not lost: the order was taken.
        EXPECT_EQ(std::vector<int>({onfile().STADION.ERWEITERUNG, onfile().GOLD}), std::vector<int>({100, 800}));
    }
}

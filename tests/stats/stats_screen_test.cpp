// Statistics, history and season end under scripted input: the team file after
// leaving, refusals that leave it alone, history limits, damaged league data.
#include <filesystem>
#include <fstream>

#include "management/screen_fixture.h"
#include "management/stats.h"
#include "ui/dialogs.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

struct StatsScreen : Screen {
    void SetUp() override {
        Screen::SetUp();
        for (int t = 1; t <= 10; ++t) TEAMCOLOR[static_cast<std::size_t>(t)] = t;
        TEAMCOLOR[3] = 15;
        std::filesystem::copy_file(std::string(KORAX_SOURCE_DIR) + "/assets/HELP.ENG", root / "HELP.ENG");
    }
    // Day 18 with eight players, slot s priced at 100 s.
    void lastday(std::int32_t gold) {
        TEAM = TEAMREC{};
        PLAYER = {};
        BELEGT = {};
        GEN.HINRUNDE = 0;
        GEN.TURN = 9;
        LASTDAY = true;
        TEAM.LIZENZ = 1;
        TEAM.GOLD = gold;
        for (int s = 1; s <= 8; ++s) {
            BELEGT[s] = true;
            PLAYER[s].NAME.set("Player" + std::to_string(s));
            PLAYER[s].VERFASSUNG = 60;
            PLAYER[s].INTELLIGENZ = 50;
            TEAM.TRANSGEBOT[s] = static_cast<std::int16_t>(100 * s);
        }
    }
    void history(const std::string& bytes) { std::ofstream(root / "TEAM3.HI", std::ios::binary) << bytes; }
    static std::string line(int i) {
        std::string s;
        LISTEGET(i, s);
        return s;
    }
};

TEST_F(StatsScreen, KeepMarksAsTheFileHoldsThemAfterLeaving) {
    // Prices and conditions are checked on the pure pieces; here the licence, a
    // slot left alone, the message and the file. goldafter -1: refused, the file not written; transfer: slots 1..4.
    struct Case {
        const char* what;
        std::int32_t gold;
        std::string keys;
        std::int32_t goldafter;
        std::array<int, 4> transfer;
        void (*prepare)();
    } const cases[] = {
        {"no licence", 1000, "key 1\nkey Enter\n", -1, {}, [] { TEAM.LIZENZ = 0; }},
        {"release decision", 1000, "key 4\n", -1, {}, [] { TEAM.TRANSFER[4] = -2; }},
        {"one taken back", 300, "key 1\nkey 2\nkey 1\n", 100, {0, 1, 0, 0}, [] {}},
        {"second too dear", 250, "key 1\nkey 2\nkey Enter\n", 150, {1, 0, 0, 0}, [] {}},
    };
    for (const auto& c : cases) {
        lastday(c.gold);
        c.prepare();
        const TEAMREC before = TEAM;
        script(c.keys + "key Esc\n");
        SAISONENDE();
        if (c.goldafter < 0) {
            EXPECT_TRUE(untouched()) << c.what;
            EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(before)) << c.what;
            continue;
        }
        const TEAMREC t = onfile();
        EXPECT_EQ(t.GOLD, c.goldafter) << c.what;
        EXPECT_EQ(TEAM.GOLD, c.goldafter) << c.what;
        for (int s = 1; s <= 4; ++s) EXPECT_EQ(t.TRANSFER[s], c.transfer[s - 1U]) << c.what << s;
    }
}

TEST_F(StatsScreen, RightButtonOpensTheCardKClosesItAndTheIconsAreGivenBack) {
    lastday(1000);
    ICON[1].P[1][1] = 0;
    script("key Esc\n");  // drawn once to learn where the windows are
    SAISONENDE();
    EXPECT_EQ(ICON[1].P[1][1], 0);
    script("click " + window(3) + " right\nkey K\nkey 3\nkey Esc\n");
    SAISONENDE();
    // The right click only showed the card; "3" after "K" took the price.
    EXPECT_EQ(onfile().GOLD, 700);
    EXPECT_EQ(onfile().TRANSFER[3], 1);
}

TEST_F(StatsScreen, HistoryFilesKeepShortLines) {
    struct Case { const char* what; std::string bytes; int lines; const char *first, *last; } const cases[] = {
        {"empty", "", 0, "", ""},
        {"no last line end", "Saison 1\r\nlast", 2, "Saison 1", "last"},
        {"CR only", "a\rb\rc\r", 1, "a\rb\rc", nullptr},
        {"long line cut", std::string(300, 'x') + "\n", 1, nullptr, nullptr},
        {"NUL and control bytes", std::string("a\0b\x01\x1b", 5) + "\n", 1, nullptr, nullptr},
        {"code-page bytes", "\x84\x94\x81\xe1\n", 1, "\x84\x94\x81\xe1", nullptr},
    };
    for (const auto& c : cases) {
        history(c.bytes);
        EXPECT_EQ(LADEHISTORIE(), c.lines) << c.what;
        EXPECT_LE(line(1).size(), 40u) << c.what;
        if (c.first) { EXPECT_EQ(line(1), c.first) << c.what; }
        if (c.last) { EXPECT_EQ(line(c.lines), c.last) << c.what; }
        LISTECLOSE();
    }
    {
        std::ofstream out(root / "TEAM3.HI", std::ios::binary);
        const std::string chunk(1 << 20, 'y');
        for (int i = 0; i < 100; ++i) out << chunk;
        out << "\r\n*** end\r\n";
    }
    EXPECT_EQ(LADEHISTORIE(), 2);
    EXPECT_EQ(line(1), std::string(40, 'y'));
    EXPECT_EQ(line(2), "*** end");
    LISTECLOSE();
}

TEST_F(StatsScreen, MissingHistoryIsCreatedEmptyAndTheListReleased) {
    ASSERT_FALSE(std::filesystem::exists(root / "TEAM3.HI"));
    script("key 2\nkey 8\nkey 8\nkey R\n");
    HISTORIE();
    EXPECT_EQ(std::filesystem::file_size(root / "TEAM3.HI"), 0u);
    EXPECT_EQ(LISTE, nullptr);
    EXPECT_EQ(KEY, 27) << "R leaves like Escape";
    EXPECT_TRUE(untouched());
    history("Saison 1\r\n>>> Place 3\r\nline 3\r\n");  // a long one is paged through the client
    script("key 0\nkey Esc\nkey 8\nkey Esc\n");
    HISTORIE();
    EXPECT_EQ(LISTE, nullptr);
}

// Damaged league data is checked on the pure pieces; here only what the screen
// itself decides: the message before the first match day, and the help key.
TEST_F(StatsScreen, StatisticsBeforeTheFirstDayAndTheHelpKey) {
    GEN.TURN = 0;
    script("key Enter\nkey 2\nkey Esc\n");
    STATISTIK();
    EXPECT_TRUE(untouched());
    GEN.TURN = 3;
    script("key 2\nkey 0\nkey Esc\nkey Esc\n");
    STATISTIK();
    EXPECT_TRUE(untouched());
}

}  // namespace

// The finance screens under scripted input: bank, advance sale, betting office,
// accommodation, catering and training, as the file holds them after leaving.
#include "base/state.h"
#include "common/client_run.h"
#include "common/png_shot.h"
#include "screen_fixture.h"

using namespace korax;
using FinanceScreen = korax::mtest::Screen;

namespace {

void vpreis() {
    bool leave = false;
    SETVPREIS(leave);
}

// Next day 3: pairings 1-2, 3-4, ... of the second half's day 3.
void pairings(const int (&pairs)[5][2]) {
    for (int k = 1; k <= 5; ++k) {
        GEN.SPIELPLAN[1][3][k].HEIM = static_cast<std::int16_t>(pairs[k - 1][0]);
        GEN.SPIELPLAN[1][3][k].GAST = static_cast<std::int16_t>(pairs[k - 1][1]);
    }
}

}  // namespace

TEST_F(FinanceScreen, BankCreditLimitsByMatchDay) {
    PLAYER[1].INTELLIGENZ = 40, PLAYER[1].VERFASSUNG = 20, PLAYER[2] = PLAYER[3] = PLAYER[1];
    PLAYER[3].VERFASSUNG = 0;  // condition 0: worth nothing
    BELEGT[1] = BELEGT[2] = BELEGT[3] = true;
    const int worth = PLAYERWERT(PLAYER[1]);
    struct Case { int day, released, credit; } cases[] = {{2, 0, 500}, {3, 0, 1000}, {5, 0, 1000}, {6, 0, 1000 + 2 * worth}, {6, 2, 1000 + worth}};
    for (const auto& c : cases) {
        TEAM = TEAMREC{}, TEAM.GOLD = 50;
        if (c.released) TEAM.TRANSFER[c.released] = -1;
        day(c.day);
        GEN.ZINSEN = 9;
        script("key K\n" + typed(99999) + "key Esc\n");
        BANK();
        const TEAMREC t = onfile();
        EXPECT_EQ(std::vector<int>({t.KREDITSUMME, t.GOLD, t.KREDITZINSEN}), std::vector<int>({c.credit, 50 + c.credit, 9})) << c.day;
    }
}

TEST_F(FinanceScreen, BankRepaymentAndPayments) {
    TEAM.KREDITSUMME = 800, TEAM.KREDITDAUER = 3, TEAM.KREDITZINSEN = 7, TEAM.GOLD = 300;
    day(4);
    // The message of an open credit, then the dialog that offers 300 at most.
    script("key K\nkey Enter\n" + typed(99999) + "key Esc\n");
    BANK();
    TEAMREC t = onfile();
    EXPECT_EQ(std::vector<int>({t.GOLD, t.KREDITSUMME, t.KREDITDAUER}), std::vector<int>({0, 500, 3}));
    TEAM.GOLD = 900;
    script("key K\nkey Enter\nkey Enter\nkey Esc\n");
    BANK();
    t = onfile();
    EXPECT_EQ(std::vector<int>({t.GOLD, t.KREDITSUMME, t.KREDITDAUER, t.KREDITZINSEN}), std::vector<int>({400, 0, 0, 0}));
    blank();
    TEAM = TEAMREC{}, TEAM.GOLD = 300;
    script("key 5\n" + typed(120) + "key A\n" + typed(180) + "key 3\nkey Enter\nkey Esc\n");
    BANK();
    t = onfile();
    // No gold left for the third: refused with a message.
    EXPECT_EQ(std::vector<int>({t.UEBERWEISUNG[5], t.UEBERWEISUNG[10], t.UEBERWEISUNG[3], t.GOLD}), std::vector<int>({120, 180, 0, 0}));
    // Changing a payment starts from it; Escape takes it back whole.
    script("key 5\nkey Esc\nkey R\n");
    BANK();
    t = onfile();
    EXPECT_EQ(std::vector<int>({t.UEBERWEISUNG[5], t.GOLD, KEY}), std::vector<int>({0, 120, 27}));
    blank();
    LASTDAY = true;  // the last day books nothing
    script("key K\nkey Enter\nkey Esc\n");
    BANK();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.KREDITSUMME, 0);
}

TEST_F(FinanceScreen, AdvanceSaleBuyReturnRefuseAndOwnPrice) {
    day(2);
    GEN.LIGA = 2;  // at most 60
    pairings({{1, 2}, {3, 4}, {5, 6}, {7, 8}, {0, 9}});
    for (int t = 1; t <= 10; ++t) GEN.VPREIS[t] = static_cast<std::int16_t>(10 * t);
    struct Case { const char* what; std::int32_t gold; std::string script; int k, bought; std::int32_t goldafter; } cases[] = {
        {"buy", 100, "key 1\nkey Esc\n", 1, 1, 90},
        {"buy and return", 100, "key 3\nkey 3\nkey Esc\n", 3, 0, 100},
        {"own pairing", 100, "key 2\nkey Enter\nkey Esc\n", 2, 0, 100},
        {"no gold", 69, "key 4\nkey Enter\nkey Esc\n", 4, 0, 69},
        {"team 0", 100, "key 5\nkey Esc\n", 5, 0, 100}};
    for (const auto& c : cases) {
        TEAM = TEAMREC{}, TEAM.GOLD = c.gold;
        bool leave = false;
        script(c.script);
        SETVPREIS(leave);
        EXPECT_EQ(std::vector<int>({leave, KEY, TEAM.VKAUF[c.k], TEAM.GOLD}), std::vector<int>({false, 27, c.bought, c.goldafter})) << c.what;
        EXPECT_EQ(RECORDBYTES(onfile()), RECORDBYTES(TEAM)) << c.what;
    }
    TEAM = TEAMREC{}, TEAM.VPREIS = 20;
    bool leave = false;
    script("key 6\n" + typed(999) + "key x\nclick " + menubutton(3) + "\n");
    SETVPREIS(leave);
    EXPECT_TRUE(leave);
    EXPECT_EQ(onfile().VPREIS, 60);
    leave = false;
    script("key 6\nkey Esc\nkey R\n");  // Escape: back to the game master's price
    SETVPREIS(leave);
    EXPECT_EQ(std::vector<int>({leave, KEY, onfile().VPREIS}), std::vector<int>({false, 27, 30}));
}

TEST_F(FinanceScreen, BetsStakesAndRefusals) {
    struct Case { const char* what; std::int32_t gold; int platz, odds; std::string script; int team; std::int32_t stake, goldafter; } cases[] = {
        {"home side", 500, 9, 30, "key 1\n" + typed(120) + "key Esc\n", 1, 120, 380},
        {"cap at 1000", 5000, 9, 30, "key 5\n" + typed(99999) + "key Esc\n", 5, 1000, 4000},
        {"only 8 gold", 8, 9, 30, "key 1\nkey Enter\nkey Esc\n", 1, 0, 8},
        {"both sides", 500, 9, 30, "key 1\n" + typed(50) + "key 2\nkey Enter\nkey Esc\n", 2, 0, 450},
        {"own opponent, no relegation place", 100, 8, 30, "key 4\nkey Enter\nkey Esc\n", 4, 0, 100},
        {"team 11 does nothing", 500, 9, 30, "key A\nkey Esc\n", 9, 0, 500},
        {"own opponent, relegation place, fair odds", 500, 9, 20, "key 4\n" + typed(30) + "key Esc\n", 4, 30, 470},
        {"escape removes the stake", 100, 9, 30, "key 3\n" + typed(50) + "key 3\nkey Esc\nkey Esc\n", 3, 0, 100}};
    for (const auto& c : cases) {
        blank();
        TEAM = TEAMREC{}, TEAM.GOLD = c.gold, GEN = GENTYPE{};
        day(9);  // next: day 10, the first of the second half
        GEN.PLATZ = static_cast<std::int16_t>(c.platz), GEN.ABSTIEG = 2;
        const int pairs[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 11}};
        for (int k = 1; k <= 5; ++k) {
            auto& p = GEN.SPIELPLAN[0][1][k];
            p.HEIM = static_cast<std::int16_t>(pairs[k - 1][0]), p.GAST = static_cast<std::int16_t>(pairs[k - 1][1]);
            p.HWERT = 25, p.GWERT = static_cast<std::int16_t>(k == 2 ? c.odds : 30);
        }
        GEN.SPIELPLAN[1][9][1].HEIM = 4;  // the first half's day 9 must not be read instead
        script(c.script);
        WETTBUERO();
        const TEAMREC t = untouched() ? TEAM : onfile();  // nothing changed, nothing written
        EXPECT_EQ(std::vector<int>({KEY, t.WETTEN[c.team], t.GOLD}), std::vector<int>({27, c.stake, c.goldafter})) << c.what;
        EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(t)) << c.what;
    }
    GEN.HINRUNDE = 0;  // after day 18 there is no next match day
    blank();
    script("key Enter\n");
    WETTBUERO();
    EXPECT_EQ(KEY, 27);
    EXPECT_TRUE(untouched());
}

TEST_F(FinanceScreen, StandardsKeysAndClicksStoreTheStandard) {
    script("key Esc\n");
    VERPFLEGUNG();  // draws the windows
    struct Case { void (*screen)(); std::string script; int housing, food, key; } cases[] = {
        {UNTERKUNFT, "key 4\nkey R\n", 3, 2, 27},
        {UNTERKUNFT, "key 2\nkey 9\nkey Esc\n", 1, 2, 27},
        {VERPFLEGUNG, "key 1\nkey x\nclick " + menubutton(3) + "\n", 0, 0, 105},  // 2 must change to 0
        {VERPFLEGUNG, "click " + window(5) + "\nkey Esc\n", 0, 4, 27}};
    for (const auto& c : cases) {
        blank();
        TEAM = TEAMREC{}, TEAM.GOLD = 77, TEAM.VERPFLEGUNG = 2;
        script(c.script);
        c.screen();
        const TEAMREC t = onfile();
        EXPECT_EQ(std::vector<int>({KEY, t.UNTERKUNFT, t.VERPFLEGUNG, t.GOLD}), std::vector<int>({c.key, c.housing, c.food, 77})) << c.script;
    }
    // From the data none is highlighted; leaving without a change writes nothing.
    blank();
    TEAM.UNTERKUNFT = 9;
    script("key x\nkey Esc\n");
    UNTERKUNFT();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.UNTERKUNFT, 9);
}

TEST_F(FinanceScreen, TrainingClicksFreePointsAndLeaving) {
    TEAM.TRAINING.POINTS = 26, TEAM.TRAINING.TECHNIK = 5;
    TEAM.TRAINING.KRAFT = 25;  // clamped to 20 when drawn
    script("key Esc\n");
    TRAINING();
    const std::string w1 = window(1), w2 = window(2), w3 = window(3);
    TEAM.TRAINING.KRAFT = 25;
    // The last free point goes to area 1; area 2 is then refused (419) and stays at 0.
    script("key 1\nclick " + w1 + " right\nclick " + w2 + " right\nkey Enter\nclick " + w2 + " left\nkey Esc\n");
    TRAINING();
    const TEAMREC t = onfile();
    EXPECT_EQ(std::vector<int>({t.TRAINING.TECHNIK, t.TRAINING.TAKTIK, t.TRAINING.KRAFT}), std::vector<int>({6, 0, 20}));
    blank();
    TEAM = TEAMREC{}, TEAM.TRAINING.POINTS = 10;
    // "R" with free points only shows how many; Escape leaves anyway.
    script("click " + w3 + " right\nclick " + w3 + " right\nkey R\nkey Enter\nkey Esc\n");
    TRAINING();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(onfile().TRAINING.KRAFT, 2);
    TEAM.TRAINING.POINTS = 2;
    script("key R\n");
    TRAINING();
    EXPECT_EQ(KEY, 27);
}

TEST_F(FinanceScreen, TrainingWithMorePointsGivenThanThereAreIsError20) {
    TEAM.TRAINING.POINTS = 10, TEAM.TRAINING.SCHUSS = 11;
    script("key Esc\n");
    try {
        TRAINING();
        FAIL() << "no error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 20);
    }
    EXPECT_TRUE(untouched());
}

TEST_F(FinanceScreen, TrainingUsageCountersOnlyInTestMode) {
    const bool old = TESTMODE;
    for (bool test : {false, true}) {
        TEAM = TEAMREC{}, TEAM.TRAINING.POINTS = 20, TEAM.TRAINING.VGRGESAMT = 123456;
        TEAM.TRAINING.VGRANZAHL = 12, TEAM.TRAINING.KXGESAMT = 654, TEAM.TRAINING.KXANZAHL = 3, TESTMODE = test;
        script("shot t.png\nkey Esc\n");
        TRAINING();
        korax::testing::PNGSHOT s;
        ASSERT_TRUE(s.load(root / "t.png"));
        int grey = 0;
        for (int y = 268; y < 284; ++y)
            for (int x = XM1 + 20; x < XM1 + 400; ++x) grey += s.rgb(x, y) == 0xA8A8A8u;
        EXPECT_EQ(grey > 0, test);
        EXPECT_TRUE(untouched());
    }
    TESTMODE = old;
}

// Key "0" and F1 open the screen's own topic.
TEST_F(FinanceScreen, HelpKeysOpenTheScreensTopic) {
    struct Case { const char* what; int topic; void (*screen)(); } cases[] = {
        {"accommodation", 108, UNTERKUNFT}, {"stadium", 109, STADION}, {"training", 110, TRAINING}, {"bank", 111, BANK},
        {"betting office", 115, WETTBUERO}, {"catering", 118, VERPFLEGUNG}, {"advance sale", 200, vpreis}};
    LEXT.set("ENG");
    constexpr int LINES = 30;
    for (const auto& c : cases) {
        for (const char* key : {"0", "F1"}) {
            SCOPED_TRACE(std::string(c.what) + " key " + key);
            TEAM = TEAMREC{}, TEAM.TRAINING.POINTS = 20, GEN = GENTYPE{};
            day(2);
            pairings({{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}});
            // Only the screen's topic is long enough for the box's left border to cross y 300.
            std::string help = "<1>\nshort\n<" + std::to_string(c.topic) + ">\n";
            for (int i = 0; i < LINES; ++i) help += "line " + std::to_string(i) + "\n";
            korax::client::spit(root / "HELP.ENG", help + "<9999>\nshort\n");
            std::filesystem::remove(root / "help.png");
            script(std::string("key ") + key + "\nshot help.png\nkey Esc\nkey Esc\nkey Esc\n");
            c.screen();
            korax::testing::PNGSHOT shot;
            ASSERT_TRUE(shot.load(root / "help.png"));
            EXPECT_LT(768 - 20 - (LINES * 15 + 70), 300);
            EXPECT_EQ(shot.rgb(20, 300), 0xFCFCFCu);  // the box's white border
            EXPECT_EQ(shot.rgb(22, 300), 0x0000A8u);  // its blue inside
        }
    }
}

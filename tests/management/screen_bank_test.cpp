// The bank under scripted input: payments, credit limits by match day and the
// repayment, as the file holds them after leaving.
#include "screen_fixture.h"

using namespace korax;
using BankScreen = korax::mtest::Screen;

TEST_F(BankScreen, CreditLimitsByMatchDay) {
    PLAYER[1].INTELLIGENZ = 40, PLAYER[1].VERFASSUNG = 20, PLAYER[2] = PLAYER[3] = PLAYER[1];
    PLAYER[3].VERFASSUNG = 0;  // condition 0: worth nothing
    BELEGT[1] = BELEGT[2] = BELEGT[3] = true;
    const int worth = PLAYERWERT(PLAYER[1]);
    struct Case {
        int day, released, credit;  // released: slot with a release decision, or 0
    } cases[] = {{2, 0, 500}, {3, 0, 1000}, {5, 0, 1000}, {6, 0, 1000 + 2 * worth}, {6, 2, 1000 + worth}};
    for (const auto& c : cases) {
        TEAM = TEAMREC{}, TEAM.GOLD = 50;
        if (c.released) TEAM.TRANSFER[c.released] = -1;
        day(c.day);
        GEN.ZINSEN = 9;
        script("key K\n" + typed(99999) + "key Esc\n");
        BANK();
        const TEAMREC t = onfile();
        EXPECT_EQ(t.KREDITSUMME, c.credit) << "day " << c.day;
        EXPECT_EQ(t.GOLD, 50 + c.credit) << "day " << c.day;
        EXPECT_EQ(t.KREDITZINSEN, 9);
    }
}

TEST_F(BankScreen, RepaymentIsLimitedByGoldAndClearsThePaidCredit) {
    TEAM.KREDITSUMME = 800, TEAM.KREDITDAUER = 3, TEAM.KREDITZINSEN = 7, TEAM.GOLD = 300;
    day(4);
    // The message of an open credit, then the dialog that offers 300 at most.
    script("key K\nkey Enter\n" + typed(99999) + "key Esc\n");
    BANK();
    TEAMREC t = onfile();
    EXPECT_EQ(t.GOLD, 0);
    EXPECT_EQ(t.KREDITSUMME, 500);
    EXPECT_EQ(t.KREDITDAUER, 3);
    TEAM.GOLD = 900;
    script("key K\nkey Enter\nkey Enter\nkey Esc\n");
    BANK();
    t = onfile();
    EXPECT_EQ(t.GOLD, 400);
    EXPECT_EQ(t.KREDITSUMME, 0);
    EXPECT_EQ(t.KREDITDAUER, 0);
    EXPECT_EQ(t.KREDITZINSEN, 0);
}

TEST_F(BankScreen, PaymentsTakenBackAndRefused) {
    TEAM.GOLD = 300;
    day(4);
    script("key 5\n" + typed(120) + "key A\n" + typed(180) + "key 3\nkey Enter\nkey Esc\n");
    BANK();
    TEAMREC t = onfile();
    EXPECT_EQ(t.UEBERWEISUNG[5], 120);
    EXPECT_EQ(t.UEBERWEISUNG[10], 180);
    EXPECT_EQ(t.UEBERWEISUNG[3], 0);  // no gold left: refused with a message
    EXPECT_EQ(t.GOLD, 0);
    // Changing a payment starts from it; Escape takes it back whole.
    script("key 5\nkey Esc\nkey R\n");
    BANK();
    t = onfile();
    EXPECT_EQ(t.UEBERWEISUNG[5], 0);
    EXPECT_EQ(t.GOLD, 120);
    EXPECT_EQ(KEY, 27);
    // The last day books nothing.
    blank();
    LASTDAY = true;
    script("key K\nkey Enter\nkey Esc\n");
    BANK();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.KREDITSUMME, 0);
}

// Accommodation and catering under scripted input: the standard stored, the file
// written only after a change, and no gold booked.
#include "screen_fixture.h"

using namespace korax;
using StandardScreen = korax::mtest::Screen;

TEST_F(StandardScreen, KeysAndClicksStoreTheStandard) {
    script("key Esc\n");
    VERPFLEGUNG();  // draws the windows
    struct Case { void (*screen)(); std::string script; int housing, food, key; } cases[] = {
        {UNTERKUNFT, "key 4\nkey R\n", 3, 2, 27},
        {UNTERKUNFT, "key 2\nkey 9\nkey Esc\n", 1, 2, 27},
        {VERPFLEGUNG, "key 5\nkey Esc\n", 0, 4, 27},
        {VERPFLEGUNG, "key 1\nkey x\nclick " + menubutton(3) + "\n", 0, 0, 105},  // 2 must change to 0
        {VERPFLEGUNG, "click " + window(5) + "\nkey Esc\n", 0, 4, 27},
    };
    for (const auto& c : cases) {
        blank();
        TEAM = TEAMREC{}, TEAM.GOLD = 77, TEAM.VERPFLEGUNG = 2;
        script(c.script);
        c.screen();
        EXPECT_EQ(KEY, c.key) << c.script;
        const TEAMREC t = onfile();
        EXPECT_EQ(t.UNTERKUNFT, c.housing) << c.script;
        EXPECT_EQ(t.VERPFLEGUNG, c.food) << c.script;
        EXPECT_EQ(t.GOLD, 77);
    }
    // From the data none is highlighted; leaving without a change writes nothing.
    blank();
    TEAM.UNTERKUNFT = 9;
    script("key x\nkey Esc\n");
    UNTERKUNFT();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.UNTERKUNFT, 9);
}

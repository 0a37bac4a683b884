// Accommodation and catering under scripted input: the standard stored, the file
// written only after a change, and no gold booked.
#include "screen_fixture.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

using StandardScreen = Screen;

}  // namespace

TEST_F(StandardScreen, KeysStoreTheStandardAndWriteTheRecord) {
    struct Case {
        void (*screen)();
        std::string script;
        int housing, food;
        int key;
    } cases[] = {
        {UNTERKUNFT, "key 4\nkey R\n", 3, 0, 27},
        {UNTERKUNFT, "key 2\nkey 9\nkey Esc\n", 1, 0, 27},
        {VERPFLEGUNG, "key 5\nkey Esc\n", 0, 4, 27},
        {VERPFLEGUNG, "key 1\nkey x\nclick " + menubutton(3) + "\n", 0, 0, 105},
    };
    for (const auto& c : cases) {
        TEAM = TEAMREC{};
        TEAM.GOLD = 77;
        TEAM.VERPFLEGUNG = 2;  // catering key "1" must change it to 0
        script(c.script);
        c.screen();
        EXPECT_EQ(KEY, c.key) << c.script;
        const TEAMREC t = onfile();
        EXPECT_EQ(t.UNTERKUNFT, c.housing) << c.script;
        EXPECT_EQ(t.VERPFLEGUNG, c.screen == UNTERKUNFT ? 2 : c.food) << c.script;
        EXPECT_EQ(t.GOLD, 77);
    }
}

TEST_F(StandardScreen, LeavingWithoutAChangeWritesNothing) {
    TEAM.UNTERKUNFT = 9;  // from the data: none highlighted, nothing changed
    script("key x\nkey Esc\n");
    UNTERKUNFT();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(TEAM.UNTERKUNFT, 9);
}

TEST_F(StandardScreen, ClickingAStandardWindow) {
    script("key Esc\n");
    VERPFLEGUNG();
    script("click " + window(3) + "\nkey Esc\n");
    VERPFLEGUNG();
    EXPECT_EQ(onfile().VERPFLEGUNG, 2);
}

// Click windows, the message box, the context menu and the line editor under scripted input.
#include "ui_fixture.h"

#include <vector>

using namespace korax;
using korax::uitest::Screen;

namespace {

std::vector<std::uint32_t> snapshot(int x1, int y1, int x2, int y2) {
    std::vector<std::uint32_t> v;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) v.push_back(PAGE_PIXEL(ACTIVEPAGE, x, y));
    return v;
}

}  // namespace

TEST_F(Screen, ClickInOverlappingWindowsTheHighestNumberWins) {
    SETKLICKFENSTER(3, 100, 100, 300, 300);
    SETKLICKFENSTER(12, 150, 150, 200, 200);
    script("click " + at(160, 160) + "\nclick " + at(250, 250) + "\n");
    EXPECT_TRUE(MOUSEAKTION());
    EXPECT_EQ(KEY, 'C');
    EXPECT_TRUE(MOUSEAKTION());
    EXPECT_EQ(KEY, '3');
    EXPECT_FALSE(GLOBALBEENDEN);
}

TEST_F(Screen, ClickOnWindow27IsEscapeAndEndsEverything) {
    SETKLICKFENSTER(27, 10, 10, 50, 50);
    script("click " + at(50, 50) + "\n");
    EXPECT_TRUE(MOUSEAKTION());
    EXPECT_EQ(KEY, 27);
    EXPECT_TRUE(GLOBALBEENDEN);
}

TEST_F(Screen, KeysGoThroughMouseAktionInCapitals) {
    script("key q\n");
    EXPECT_TRUE(MOUSEAKTION());
    EXPECT_EQ(KEY, 'Q');
}

TEST_F(Screen, MessageBoxWithThreeLinesPutsTheScreenBack) {
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    auto before = snapshot(300, 300, 700, 460);
    script("key Enter\n");
    MELDUNG("first line/second line/third line");
    EXPECT_EQ(KEY, 0);
    EXPECT_EQ(snapshot(300, 300, 700, 460), before);
    EXPECT_TRUE(std::filesystem::exists(root / "M1.TMP"));
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
}

TEST_F(Screen, MessageBoxEndsWithALeftClick) {
    script("click " + at(5, 5) + "\n");
    MELDUNG("one");
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
}

TEST_F(Screen, MessageBoxWithEightLinesIsError99AndDrawsNothing) {
    try {
        MELDUNG("1/2/3/4/5/6/7/8");
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 99);
    }
    EXPECT_FALSE(std::filesystem::exists(root / "M1.TMP"));
}

TEST_F(Screen, ContextMenuChooseAndCancel) {
    script("key Down\nkey Enter\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "two", "three", "", ""), 2);
    script("key Esc\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "two", "", "", ""), 0);
    script("click " + at(110, 120 + 20) + " right\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "two", "", "", ""), 0);
    script("key Enter\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "", "", "", ""), 1);
    EXPECT_EQ(KEY, 0);
}

TEST_F(Screen, ContextMenuLeftClickPicksTheEntryUnderTheMouse) {
    // Entry k's row is centred 20 + 20 k pixels below the menu's top.
    for (int k = 1; k <= 3; ++k) {
        script("click " + at(150, 120 + 20 * k) + "\n");
        EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "two", "three", "", ""), k) << k;
    }
    // A mouse come to rest on an entry leaves the keys in charge.
    script("move " + at(150, 180) + "\nkey Up\nkey Up\nkey Enter\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "two", "three", "", ""), 1);
}

TEST_F(Screen, ContextMenuUpToTheTitleAnswersZero) {
    script("key Up\nkey Enter\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", "two", "", "", ""), 0);
}

TEST_F(Screen, ContextMenuWithoutEntriesShowsNothing) {
    script("key Enter\n");
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "", "", "", "", ""), 0);
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 1u);
    EXPECT_FALSE(std::filesystem::exists(root / "K1.TMP"));
}

TEST_F(Screen, ContextMenuNearTheCornerStaysOnScreen) {
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    auto before = snapshot(800, 600, EMAXX, EMAXY);
    script("key Down\nkey Enter\n");
    EXPECT_EQ(GETKONTEXT(1000, 750, "Title", "one", "two", "", "", ""), 2);
    EXPECT_EQ(snapshot(800, 600, EMAXX, EMAXY), before);
}

TEST_F(Screen, LineEditorKeys) {
    std::string s;
    script("text abcdef\nkey Left\nkey Backspace\nkey Home\nkey Del\nkey Ins\ntext X\nkey End\ntext !\nkey Enter\n");
    GREADLN(100, 100, 15, 0, 8, 6, s);
    EXPECT_EQ(s, "Xcdf!");
}

TEST_F(Screen, LineEditorStartsFromTheCallersText) {
    std::string s = "GAME1";
    script("key Backspace\ntext 2\nkey Enter\n");
    GREADLN(100, 100, 15, 0, 8, 10, s);
    EXPECT_EQ(s, "GAME2");
}

TEST_F(Screen, LineEditorEscapeClearsAndOnlyEnterEnds) {
    std::string s = "old";
    script("key Esc\nkey Esc\ntext new\nkey Enter\n");
    GREADLN(100, 100, 15, 0, 8, 10, s);
    EXPECT_EQ(s, "new");
}

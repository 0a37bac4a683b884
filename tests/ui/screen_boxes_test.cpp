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

TEST_F(Screen, ClicksAndKeysThroughMouseAktion) {
    SETKLICKFENSTER(3, 100, 100, 300, 300);
    SETKLICKFENSTER(12, 150, 150, 200, 200);
    SETKLICKFENSTER(27, 10, 10, 50, 50);
    // Overlapping windows: the highest number wins; keys come in capitals; window 27 is Escape and ends everything.
    const std::pair<std::string, int> steps[] = {{"click " + at(160, 160), 'C'}, {"click " + at(250, 250), '3'},
                                                 {"key q", 'Q'}, {"click " + at(50, 50), 27}};
    for (const auto& [step, key] : steps) {
        EXPECT_FALSE(GLOBALBEENDEN);
        script(step + "\n");
        EXPECT_TRUE(MOUSEAKTION());
        EXPECT_EQ(KEY, key) << step;
    }
    EXPECT_TRUE(GLOBALBEENDEN);
}

TEST_F(Screen, MessageBoxPutsTheScreenBackEndsWithAKeyOrLeftClickAndRefusesEightLines) {
    EXPECT_THROW(MELDUNG("1/2/3/4/5/6/7/8"), FatalError);  // its number and text: the line splitting's test
    EXPECT_FALSE(std::filesystem::exists(root / "M1.TMP"));
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    auto before = snapshot(300, 300, 700, 460);
    script("key Enter\nclick " + at(5, 5) + "\n");
    MELDUNG("first line/second line/third line");
    EXPECT_EQ(KEY, 0);
    EXPECT_EQ(snapshot(300, 300, 700, 460), before);
    EXPECT_TRUE(std::filesystem::exists(root / "M1.TMP"));
    MELDUNG("one");
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
}

TEST_F(Screen, ContextMenuChooseCancelAndStayOnScreen) {
    script("key Enter\n");  // without entries nothing is shown and no key taken
    EXPECT_EQ(GETKONTEXT(100, 100, "Title", "", "", "", "", ""), 0);
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 1u);
    EXPECT_FALSE(std::filesystem::exists(root / "K1.TMP"));
    // Entry k's row is centred 20 + 20 k pixels below the menu's top.
    const struct { std::string script; const char *two, *three; int chosen; } cases[] = {
        {"key Down\nkey Enter\n", "two", "three", 2}, {"key Esc\n", "two", "", 0},
        {"click " + at(110, 120 + 20) + " right\n", "two", "", 0},
        {"key Up\nkey Enter\n", "two", "", 0},  // up to the title
        {"key Enter\n", "", "", 1}, {"click " + at(150, 140) + "\n", "two", "three", 1},
        {"click " + at(150, 160) + "\n", "two", "three", 2}, {"click " + at(150, 180) + "\n", "two", "three", 3},
        // A mouse come to rest on an entry leaves the keys in charge.
        {"move " + at(150, 180) + "\nkey Up\nkey Up\nkey Enter\n", "two", "three", 1}};
    for (const auto& c : cases) {
        script(c.script);
        EXPECT_EQ(GETKONTEXT(100, 100, "Title", "one", c.two, c.three, "", ""), c.chosen) << c.script;
    }
    EXPECT_EQ(KEY, 0);
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    auto before = snapshot(800, 600, EMAXX, EMAXY);
    script("key Down\nkey Enter\n");
    EXPECT_EQ(GETKONTEXT(1000, 750, "Title", "one", "two", "", "", ""), 2);  // near the corner
    EXPECT_EQ(snapshot(800, 600, EMAXX, EMAXY), before);
}

TEST_F(Screen, LineEditorKeys) {
    // Each key's effect is the line editing test's; here the caller's text goes in and comes back.
    const struct { std::string start, script, result; int max; } cases[] = {
        {"GAME1", "key Backspace\ntext 2\nkey Enter\n", "GAME2", 10},  // from the caller's text
        {"old", "key Esc\nkey Esc\ntext new\nkey Enter\n", "new", 10}};  // Escape clears, only Enter ends
    for (const auto& c : cases) {
        std::string s = c.start;
        script(c.script);
        GREADLN(100, 100, 15, 0, 8, c.max, s);
        EXPECT_EQ(s, c.result);
    }
}

// The dialogs under scripted input.
#include "ui_fixture.h"

#include <algorithm>
#include <utility>

#include "common/png_shot.h"
#include "ui/dialogs.h"

using namespace korax;
using korax::uitest::Screen;

namespace {

// The number dialog's layout with the menu on the right: XMC 393, middle height 383.
constexpr int XMC_ = 393, MY = 383;
constexpr int SLIDERLEFT = XMC_ - 150, SLIDERRIGHT = SLIDERLEFT + 200, SLIDERY = MY - 100 + 70;
constexpr int PLUSX = SLIDERRIGHT + 17;
constexpr int RETURNX = (XMC_ - 190 + XMC_ - 10) / 2, RETURNY = MY - 100 + 150;

class Dialogs : public Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        ASSERT_EQ(XMC, XMC_);
        ASSERT_EQ(EMAXY / 2, MY);
    }
};

}  // namespace

TEST_F(Dialogs, EditIntKeysClicksAndTypedValues) {
    const std::string typed = "key Space\nkey Esc\ntext ";
    const struct {
        std::string script;
        std::int32_t start, min, max, value;
    } cases[] = {
        {"click " + at(SLIDERLEFT, SLIDERY) + "\nkey Enter\n", 50, 10, 90, 10},
        {"click " + at(SLIDERRIGHT, SLIDERY) + "\nclick " + at(RETURNX, RETURNY) + "\n", 50, 10, 90, 90},
        {"click " + at(SLIDERRIGHT, SLIDERY) + "\nkey Enter\n", 0, INT32_MIN, INT32_MAX, INT32_MAX},
        {"key +\nclick " + at(PLUSX, SLIDERY) + "\nkey Enter\n", 90, 10, 90, 90},  // plus at the maximum
        {"key -\nkey -\nkey Enter\n", 12, 10, 90, 10},
        {"key Enter\n", 5, 10, 90, 10},  // the start is clamped
        {"key Esc\n", 50, 10, 90, 0},
        {"key +\nkey Enter\n", 5, 10, -3, 10},  // maximum below the minimum offers the minimum
        {"key Space\nkey Backspace\nkey Backspace\ntext 75\nkey Enter\nkey Enter\n", 50, 10, 90, 75},
        {typed + "ab\nkey Enter\nkey Enter\n", 50, 10, 90, 50},
        {typed + "99\nkey Enter\nkey Enter\n", 50, 10, 90, 90},
        {typed + "1\nkey Enter\nkey Enter\n", 50, 10, 90, 10},
    };
    for (const auto& c : cases) {
        script(c.script);
        EXPECT_EQ(EDITINT("Amount", c.start, c.min, c.max), c.value) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
        if (c.script.find("key") == std::string::npos) {
            EXPECT_EQ(KEY, 0) << c.script;  // Return clicked
        }
    }
}

TEST_F(Dialogs, EditIntSliderFollowsADragToWhereItIsReleased) {
    struct Case {
        int from, to;  // pixels from the bar's left end
        std::int32_t value;
    } const cases[] = {{50, 150, 70}, {150, 50, 30}, {100, 260, 90}, {100, -40, 10}};
    for (const Case& c : cases) {
        script("press " + at(SLIDERLEFT + c.from, SLIDERY) + "\nmove " + at(SLIDERLEFT + (c.from + c.to) / 2, SLIDERY) +
               "\nmove " + at(SLIDERLEFT + c.to, SLIDERY) + "\nrelease\nkey Enter\n");
        EXPECT_EQ(EDITINT("Amount", 50, 10, 90), c.value) << c.from << " -> " << c.to;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    }
    EXPECT_FALSE(DRAGDROP);
}

TEST_F(Dialogs, JaNeinKeysAndClicks) {
    const std::pair<std::string, bool> cases[] = {
        {"key j\n", true}, {"key Y\n", true}, {"key n\n", false}, {"click " + at(XMC_ - 100, MY + 20) + "\n", true},
        {"click " + at(XMC_ + 100, MY + 20) + "\n", false}, {"key x\nkey 5\nkey Esc\n", false}};
    for (const auto& [keys, yes] : cases) {
        script(keys);
        EXPECT_EQ(JANEIN("Really?"), yes) << keys;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << keys;
    }
    EXPECT_EQ(KEY, 0);  // Escape leaves no key behind
}

TEST_F(Dialogs, DialogsLeaveTheScreensClickWindowsAlone) {
    SETKLICKFENSTER(5, 0, 0, EMAXX, EMAXY);
    script("click " + at(XMC_ - 100, MY + 20) + "\n");
    EXPECT_TRUE(JANEIN("Really?"));
    EXPECT_TRUE(KLICKFENSTER[5].AKTIV);
    EXPECT_EQ(KLICKFENSTER[5].X2, EMAXX);
}

TEST_F(Dialogs, HelpShowsAndPutsTheScreenBack) {
    put("HELP.ENG", asset("HELP.ENG"));
    LEXT.set("ENG");
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    script("key Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Right\nkey Esc\n");
    HELP(13);
    EXPECT_EQ(KEY, 0);
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, 100, 100), 9u);
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, 20, 700), 9u);
}

TEST_F(Dialogs, HelpBoxSizeAndText) {
    put("HELP.ENG", "intro\n<13> main\nfirst line\nsecond line here\n<14>\nother\n");
    LEXT.set("ENG");
    L[444].set("Help");
    L[13].set("Main menu");
    L[445].set("keys");
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    script("shot help.png\nkey Esc\n");
    HELP(13);
    korax::testing::PNGSHOT shot;
    ASSERT_TRUE(shot.load(root / "help.png"));
    // Two lines: 2 x 15 + 70 high; the title "Help [Main menu]" counts twice: 32 x 8 + 40 wide.
    const int x1 = 20, y1 = 768 - 20 - 100, x2 = x1 + 296, y2 = y1 + 100;
    constexpr std::uint32_t WHITE = 0xFCFCFC, BLUE = 0x0000A8, BACK = 0x5454FC, YELLOW = 0xFCFC54;
    EXPECT_EQ(shot.rgb(x1, y1 + 50), WHITE);
    EXPECT_EQ(shot.rgb(x2, y1 + 50), WHITE);
    EXPECT_EQ(shot.rgb(x2 - 2, y1 + 50), BLUE);
    EXPECT_EQ(shot.rgb(x2 + 1, y1 + 2), BACK);
    EXPECT_EQ(shot.rgb(x1 + 50, y2), WHITE);
    EXPECT_EQ(shot.rgb(x1 - 1, y1 + 50), BACK);
    // The text in 8-pixel cells: the title in yellow, "second line here" 16 cells wide.
    auto extent = [&](std::uint32_t colour, int ya, int yb) {
        int lo = 1 << 30, hi = -1;
        for (int y = ya; y <= yb; ++y)
            for (int x = x1 + 1; x < x2; ++x)
                if (shot.rgb(x, y) == colour) lo = std::min(lo, x), hi = std::max(hi, x);
        return std::pair{lo, hi};
    };
    const auto title = extent(YELLOW, y1 + 10, y1 + 30);
    EXPECT_GE(title.first, x1 + 20);
    EXPECT_GT(title.second, x1 + 20 + 15 * 8);
    EXPECT_LE(title.second, x1 + 20 + 16 * 8);
    const auto second = extent(WHITE, y1 + 60 - 12, y1 + 60 + 4);
    EXPECT_GE(second.first, x1 + 20);
    EXPECT_GT(second.second, x1 + 20 + 15 * 8);
    EXPECT_LE(second.second, x1 + 20 + 16 * 8);
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, x1 + 50, y1 + 50), 9u);  // put back after closing
}

TEST_F(Dialogs, HelpWithoutTheTopicClosesOnAClick) {
    put("HELP.ENG", "<1>\nsomething\n");
    LEXT.set("ENG");
    L[100].set("No help for this topic");
    script("click " + at(500, 500) + "\n");
    HELP(13);
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
}

TEST_F(Dialogs, HelpWithoutAFileIsError1) {
    LEXT.set("ENG");
    try {
        HELP(13);
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 1);
        EXPECT_EQ(e.text, "HELP.ENG");
    }
}

TEST_F(Dialogs, FileChooserPicksAndCancels) {
    std::filesystem::create_directory(root / "GAME1");
    put("GAME1/B.RSZ", "x");
    put("GAME1/A.RSZ", "x");
    put("GAME1/C.TXT", "x");
    L[8].set("<none>");
    script("key Down\nkey Enter\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "A.RSZ");
    script("key Down\nkey Down\nkey Esc\n");
    EXPECT_EQ(GETDATEINAME("GAME1\\", "*.RSZ", "Choose"), "B.RSZ");
    script("key Down\nclick " + at(600, 600) + " right\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "");
    script("key Enter\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "");
}

TEST_F(Dialogs, FileChooserPointerOnTheListMovesTheHighlightOnlyWhenItMoves) {
    std::filesystem::create_directory(root / "GAME1");
    for (const char* f : {"A.RSZ", "B.RSZ", "C.RSZ", "D.RSZ"}) put(std::string("GAME1/") + f, "x");
    L[8].set("<none>");
    const int listx = XM1 + 100;
    auto row = [&](int r) { return at(listx, 150 + 20 * r + 10); };
    // Resting on "A.RSZ", two Downs and Enter: the keys win.
    script("move " + row(1) + "\nkey Down\nkey Down\nkey Enter\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "C.RSZ");
    // Moved on after the keys: the pointer wins again; a click takes its row.
    script("move " + row(1) + "\nkey Down\nmove " + row(4) + "\nkey Enter\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "D.RSZ");
    script("move " + row(3) + "\nkey Down\nclick " + row(2) + "\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "B.RSZ");
}

TEST_F(Dialogs, FileChooserInAnotherDirectoryGivesThePath) {
    std::filesystem::create_directory(root / "GAME1");
    std::filesystem::create_directory(root / "GAME2");
    put("GAME1/A.RSZ", "x");
    put("GAME2/Z.RSZ", "x");
    const int dirx = XM1 + 20 + 60, diry = 130;
    std::string erase;
    for (int i = 0; i < 7; ++i) erase += "key Backspace\n";
    script("click " + at(dirx, diry) + "\n" + erase + "text GAME2\nkey Enter\nkey Down\nkey Enter\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "GAME2\\Z.RSZ");
    script("click " + at(dirx, diry) + "\n" + erase + "text NOPE\nkey Enter\nkey Down\nkey Enter\n");
    EXPECT_EQ(GETDATEINAME("GAME1", "*.RSZ", "Choose"), "");
}

TEST_F(Dialogs, SaveNameGetsTheExtensionAndRefusesPaths) {
    script("text myplan\nkey Enter\n");
    EXPECT_EQ(SAVEDATEINAME("", ".SCH", "Save as"), "myplan.SCH");
    script("key End\nkey Enter\n");
    EXPECT_EQ(SAVEDATEINAME("plan.txt", ".SCH", "Save as"), "plan.txt");
    script("text ../korax\nkey Enter\n");
    EXPECT_EQ(SAVEDATEINAME("", ".SCH", "Save as"), "");
    script("key Esc\nkey Enter\n");
    EXPECT_EQ(SAVEDATEINAME("x", ".SCH", "Save as"), "");
}

TEST_F(Dialogs, SaveAndLoadTheWholeScreen) {
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    SAVEBILD();
    ESETFILLSTYLE(1, 4);
    EBAR(0, 0, EMAXX, EMAXY);
    LOADBILD();
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, 0, 0), 9u);
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, EMAXX, EMAXY), 9u);
    std::filesystem::remove(root / "ALL.TMP");
    try {
        LOADBILD();
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 2);
        EXPECT_EQ(e.text, (root / "ALL.TMP").string());
    }
}

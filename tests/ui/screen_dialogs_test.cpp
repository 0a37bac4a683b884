// The dialogs under scripted input.
#include "ui_fixture.h"

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

// Slider ends, plus and minus at the bounds, a clamped start, Escape, typed
// values cut to the range or refused, and the whole longint range.
TEST_F(Dialogs, EditIntScriptsAndTheirValues) {
    const std::string slider = "click " + at(SLIDERLEFT, SLIDERY) + "\n", sliderend = "click " + at(SLIDERRIGHT, SLIDERY) + "\n";
    const std::string typed = "key Space\nkey Esc\ntext ";
    const struct { std::string script; std::int64_t start, min, max, value; } cases[] = {
        {slider + "key Enter\n", 50, 10, 90, 10},
        {sliderend + "click " + at(RETURNX, RETURNY) + "\n", 50, 10, 90, 90},
        {"key +\nclick " + at(PLUSX, SLIDERY) + "\nkey Enter\n", 90, 10, 90, 90},
        {"key -\nkey -\nkey Enter\n", 12, 10, 90, 10},
        {"key Enter\n", 5, 10, 90, 10},
        {"key Esc\n", 50, 10, 90, 0},
        {"key +\nkey Enter\n", 5, 10, -3, 10},  // max below min offers min
        {"key Space\nkey Backspace\nkey Backspace\ntext 75\nkey Enter\nkey Enter\n", 50, 10, 90, 75},
        {typed + "ab\nkey Enter\nkey Enter\n", 50, 10, 90, 50},
        {typed + "99\nkey Enter\nkey Enter\n", 50, 10, 90, 90},
        {typed + "1\nkey Enter\nkey Enter\n", 50, 10, 90, 10},
        {sliderend + "key Enter\n", 0, INT32_MIN, INT32_MAX, INT32_MAX}};
    for (const auto& c : cases) {
        script(c.script);
        EXPECT_EQ(EDITINT("Amount", c.start, c.min, c.max), c.value) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
    }
    EXPECT_EQ(KEY, 0);
}

TEST_F(Dialogs, JaNeinKeysAndClicks) {
    const std::pair<std::string, bool> cases[] = {
        {"click " + at(XMC_ - 100, MY + 20) + "\n", true}, {"click " + at(XMC_ + 100, MY + 20) + "\n", false},
        {"key j\n", true}, {"key Y\n", true}, {"key n\n", false}, {"key x\nkey 5\nkey Esc\n", false}};
    for (const auto& [keys, yes] : cases) {
        script(keys);
        EXPECT_EQ(JANEIN("Really?"), yes) << keys;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    }
    EXPECT_EQ(KEY, 0);
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

TEST_F(Dialogs, HelpWithoutTheTopicClosesOnAClickWithoutAFileIsError1) {
    LEXT.set("ENG");
    try {
        HELP(13);
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 1);
        EXPECT_EQ(e.text, "HELP.ENG");
    }
    put("HELP.ENG", "<1>\nsomething\n");
    L[100].set("No help for this topic");
    script("click " + at(500, 500) + "\n");
    HELP(13);
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
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

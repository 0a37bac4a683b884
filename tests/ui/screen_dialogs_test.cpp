// The dialogs under scripted input.
#include "ui_fixture.h"

#include <tuple>
#include <utility>
#include <vector>

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

TEST_F(Dialogs, EditIntKeysClicksDragsAndTypedValues) {
    const std::string typed = "key Space\nkey Esc\ntext ";
    auto drag = [](int from, int to) {  // pixels from the bar's left end
        return "press " + at(SLIDERLEFT + from, SLIDERY) + "\nmove " + at(SLIDERLEFT + (from + to) / 2, SLIDERY) +
               "\nmove " + at(SLIDERLEFT + to, SLIDERY) + "\nrelease\nkey Enter\n";
    };
    const struct { std::string script; std::int32_t start, min, max, value; } cases[] = {
        {"click " + at(SLIDERLEFT, SLIDERY) + "\nkey Enter\n", 50, 10, 90, 10},
        {"click " + at(SLIDERRIGHT, SLIDERY) + "\nclick " + at(RETURNX, RETURNY) + "\n", 50, 10, 90, 90},
        {"key +\nclick " + at(PLUSX, SLIDERY) + "\nkey Enter\n", 90, 10, 90, 90},  // plus at the maximum
        {"key -\nkey -\nkey Enter\n", 12, 10, 90, 10},
        {"key Enter\n", 5, 10, 90, 10},  // the start is clamped
        {"key Esc\n", 50, 10, 90, 0},
        {"key +\nkey Enter\n", 5, 10, -3, 10},  // maximum below the minimum offers the minimum
        {"key Space\nkey Backspace\nkey Backspace\ntext 75\nkey Enter\nkey Enter\n", 50, 10, 90, 75},
        {typed + "ab\nkey Enter\nkey Enter\n", 50, 10, 90, 50},
        {typed + "99\nkey Enter\nkey Enter\n", 50, 10, 90, 90},
        // The slider follows a drag to where it is released.
        {drag(50, 150), 50, 10, 90, 70}, {drag(100, 260), 50, 10, 90, 90}, {drag(100, -40), 50, 10, 90, 10},
    };
    for (const auto& c : cases) {
        script(c.script);
        EXPECT_EQ(EDITINT("Amount", c.start, c.min, c.max), c.value) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
        if (c.script.find("key") == std::string::npos) { EXPECT_EQ(KEY, 0) << c.script; }  // Return clicked
    }
    EXPECT_FALSE(DRAGDROP);
}

TEST_F(Dialogs, JaNeinKeysAndClicksLeaveTheScreensClickWindowsAlone) {
    const std::pair<std::string, bool> cases[] = {
        {"key j\n", true}, {"key Y\n", true}, {"key n\n", false}, {"click " + at(XMC_ - 100, MY + 20) + "\n", true},
        {"click " + at(XMC_ + 100, MY + 20) + "\n", false}, {"key x\nkey 5\nkey Esc\n", false}};
    for (const auto& [keys, yes] : cases) {
        script(keys);
        EXPECT_EQ(JANEIN("Really?"), yes) << keys;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << keys;
    }
    EXPECT_EQ(KEY, 0);  // Escape leaves no key behind
    SETKLICKFENSTER(5, 0, 0, EMAXX, EMAXY);  // the screen's click windows are left alone
    script("click " + at(XMC_ - 100, MY + 20) + "\n");
    EXPECT_TRUE(JANEIN("Really?"));
    EXPECT_EQ(std::make_tuple(KLICKFENSTER[5].AKTIV, KLICKFENSTER[5].X2), std::make_tuple(true, EMAXX));
}

TEST_F(Dialogs, HelpBoxSizeTextAndErrorsItPutsTheScreenBack) {
    LEXT.set("ENG");
    EXPECT_EQ(uitest::fatal([] { HELP(13); }), "1:HELP.ENG");
    put("HELP.ENG", "intro\n<13> main\nfirst line\nsecond line here\n<14>\nother\n");
    L[444].set("Help");
    L[13].set("Main menu");
    L[445].set("keys");
    L[100].set("No help for this topic");
    ESETFILLSTYLE(1, 9);
    EBAR(0, 0, EMAXX, EMAXY);
    script("shot help.png\nkey Esc\nclick " + at(500, 500) + "\n");
    HELP(13);
    HELP(12);  // no such topic: a message closed by a click
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    korax::testing::PNGSHOT shot;
    ASSERT_TRUE(shot.load(root / "help.png"));
    // Two lines: 2 x 15 + 70 high; the title "Help [Main menu]" counts twice: 32 x 8 + 40 wide.
    const int x1 = 20, y1 = 768 - 20 - 100, x2 = x1 + 296, y2 = y1 + 100;
    constexpr std::uint32_t WHITE = 0xFCFCFC, BLUE = 0x0000A8, BACK = 0x5454FC;
    EXPECT_EQ((std::vector<std::uint32_t>{shot.rgb(x1, y1 + 50), shot.rgb(x2, y1 + 50), shot.rgb(x2 - 2, y1 + 50),
                                          shot.rgb(x2 + 1, y1 + 2), shot.rgb(x1 + 50, y2), shot.rgb(x1 - 1, y1 + 50)}),
              (std::vector<std::uint32_t>{WHITE, WHITE, BLUE, BACK, WHITE, BACK}));
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, x1 + 50, y1 + 50), 9u);  // put back after closing
    // The shipped text of the main menu, scrolled.
    put("HELP.ENG", asset("HELP.ENG"));
    std::string keys;
    for (int i = 0; i < 10; ++i) keys += "key Up\n";
    script(keys + "key Right\nkey Esc\n");
    HELP(13);
    EXPECT_EQ(std::make_tuple(KEY, INPUT_SCRIPT_REMAINING(), PAGE_PIXEL(ACTIVEPAGE, 100, 100), PAGE_PIXEL(ACTIVEPAGE, 20, 700)),
              std::make_tuple(0, 0u, 9u, 9u));
}

TEST_F(Dialogs, FileChooserPicksCancelsFollowsThePointerAndOtherDirectories) {
    std::filesystem::create_directories(root / "GAME2");
    std::filesystem::create_directory(root / "GAME1");
    for (const char* f : {"B.RSZ", "A.RSZ", "C.TXT", "D.RSZ", "C.RSZ"}) put(std::string("GAME1/") + f, "x");
    put("GAME2/Z.RSZ", "x");
    L[8].set("<none>");
    const int listx = XM1 + 100, dirx = XM1 + 20 + 60, diry = 130;
    auto row = [&](int r) { return at(listx, 150 + 20 * r + 10); };
    auto dirto = [&](const std::string& name) {  // the directory line rewritten
        std::string keys = "click " + at(dirx, diry) + "\n";
        for (int i = 0; i < 7; ++i) keys += "key Backspace\n";
        return keys + "text " + name + "\nkey Enter\n";
    };
    const struct { const char* dir; std::string keys; const char* chosen; } cases[] = {
        {"GAME1", "key Down\nkey Enter\n", "A.RSZ"}, {"GAME1\\", "key Down\nkey Down\nkey Esc\n", "B.RSZ"},
        {"GAME1", "key Down\nclick " + at(600, 600) + " right\n", ""}, {"GAME1", "key Enter\n", ""},
        // Resting on "A.RSZ", two Downs and Enter: the keys win.
        {"GAME1", "move " + row(1) + "\nkey Down\nkey Down\nkey Enter\n", "C.RSZ"},
        // Moved on after the keys: the pointer wins again; a click takes its row.
        {"GAME1", "move " + row(1) + "\nkey Down\nmove " + row(4) + "\nkey Enter\n", "D.RSZ"},
        {"GAME1", "move " + row(3) + "\nkey Down\nclick " + row(2) + "\n", "B.RSZ"},
        {"GAME1", dirto("GAME2") + "key Down\nkey Enter\n", "GAME2\\Z.RSZ"},
        {"GAME1", dirto("NOPE") + "key Down\nkey Enter\n", ""}};
    for (const auto& c : cases) {
        script(c.keys);
        EXPECT_EQ(GETDATEINAME(c.dir, "*.RSZ", "Choose"), c.chosen) << c.keys;
    }
}

TEST_F(Dialogs, SaveNameGetsTheExtensionAndRefusesPaths) {
    const struct { const char *start, *keys, *name; } cases[] = {{"", "text myplan\nkey Enter\n", "myplan.SCH"},
        {"plan.txt", "key End\nkey Enter\n", "plan.txt"}, {"", "text ../korax\nkey Enter\n", ""}, {"x", "key Esc\nkey Enter\n", ""}};
    for (const auto& c : cases) {
        script(c.keys);
        EXPECT_EQ(SAVEDATEINAME(c.start, ".SCH", "Save as"), c.name) << c.keys;
    }
}

// The whole screen saved and put back is the help box's test.
TEST_F(Dialogs, LoadingAMissingScreenIsError2) {
    EXPECT_EQ(uitest::fatal(LOADBILD), "2:" + (root / "ALL.TMP").string());
}

// The menu file: line rules, the shipped one, reading, checks, swaps, scrolled button codes.
#include <set>

#include "ui/dialogs.h"
#include "ui_fixture.h"

using namespace korax;
using MenuFile = korax::uitest::Screen;

TEST_F(MenuFile, LineRulesAtMostNinetyNineEntriesAndTheWrittenLine) {
    auto cfg = PARSEMENUCFG("  5\n12\n -\n-\n;101\n101   ;Aufstellung\r\nabc\n 300\n102");
    EXPECT_EQ(cfg.codes, (std::vector<std::uint8_t>{5, 101, 102}));
    EXPECT_EQ(cfg.festanz, 1);
    std::string text;
    for (int i = 0; i < 120; ++i) text += "100\n";
    EXPECT_EQ(PARSEMENUCFG(text).codes.size(), 99u);
    L[101].set("Aufstellung");
    EXPECT_EQ(MENULINE(101), "101   ;Aufstellung");
    EXPECT_EQ(MENULINE(5), "  5   ;");
    L[103].set("Three");
    L[105].set("Five");
    text = "; menu\r\n101   ;One\r\n -\r\n103   ;old three\r\n104\r\n105   ;old five\r\n106";
    EXPECT_EQ(SWAPMENULINES(text, 103, 105), "; menu\r\n101   ;One\r\n -\r\n105   ;Five\r\n104\r\n103   ;Three\r\n106");
}

// How the shipped menu fills the column is the menu screen's test.
TEST_F(MenuFile, TheShippedMenuHasNoEntryTwiceAndHelpInBothLanguages) {
    MENUCFG cfg = PARSEMENUCFG(asset("MENU.CFG"));
    EXPECT_EQ(std::set<int>(cfg.codes.begin(), cfg.codes.end()).size(), cfg.codes.size());
    std::vector<int> topics(cfg.codes.begin(), cfg.codes.end());
    topics.insert(topics.end(), {13, 200, 210});  // the main menu too
    for (const char* file : {"HELP.ENG", "HELP.DEU"}) {
        const std::string text = asset(file);
        ASSERT_FALSE(text.empty()) << file;
        for (int topic : topics) {
            HELPTOPIC t = READHELPTOPIC(text, topic);
            EXPECT_TRUE(t.found) << file << " topic " << topic;
            EXPECT_FALSE(t.lines.empty()) << file << " topic " << topic;
            EXPECT_LE(t.lines.size(), 35u) << file << " topic " << topic;
            for (const auto& l : t.lines) EXPECT_LE(l.size(), 90u) << file << " topic " << topic;
        }
    }
}

TEST_F(MenuFile, ReadFillsTheMenuAMissingFileOrADirectoryIsAnErrorNotACrash) {
    EXPECT_EQ(uitest::fatal(READMENUCFG), "1:MENU.CFG");
    std::filesystem::create_directory(root / "MENU.CFG");
    const std::string directory = uitest::fatal(READMENUCFG);
    EXPECT_TRUE(directory == "1:MENU.CFG" || directory == "2:MENU.CFG") << directory;
    std::filesystem::remove(root / "MENU.CFG");
    put("MENU.CFG", "101\n102\n -\n103\n");
    READMENUCFG();
    EXPECT_EQ(MENUANZ, 3);
    EXPECT_EQ(FESTANZ, 2);
    EXPECT_EQ(MENU[3], 103);
}

TEST_F(MenuFile, CountChecks18And19) {
    L[18].set("too few");
    L[19].set("bad fixed");
    ANZ = 13;
    const struct { int menuanz, festanz, nr; } cases[] = {{13, 3, 18}, {14, 3, 0}, {14, 0, 19}, {14, 11, 19}, {14, 10, 0}};
    for (const auto& c : cases) {
        MENUANZ = c.menuanz;
        FESTANZ = c.festanz;
        const std::string want = c.nr == 0 ? "" : c.nr == 18 ? "18:too few" : "19:bad fixed";
        EXPECT_EQ(uitest::fatal(CHECKMENUCOUNTS), want) << c.menuanz << "/" << c.festanz;
    }
}

// The swap with a file, backup included, is the menu screen's test.
TEST_F(MenuFile, SwapChangesNothingWithoutFile) {
    VERTAUSCHEMENU(103, 105);
    EXPECT_FALSE(std::filesystem::exists(root / "MENU.CFG"));
    EXPECT_FALSE(std::filesystem::exists(root / "MENU.SAV"));
}

TEST_F(MenuFile, ButtonsCodesFollowTheScrollAndScrollTargetsStopAtBothEnds) {
    MENUANZ = 20;
    FESTANZ = 3;
    ANZ = 10;
    for (int i = 1; i <= 20; ++i) MENU[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(100 + i);
    const std::pair<int, int> unscrolled[] = {{2, 102}, {4, 104}};
    for (const auto& [button, code] : unscrolled) EXPECT_EQ(BUTTON2MENU(button), code);
    MENUREL = 5;
    const std::pair<int, int> scrolled[] = {{2, 102}, {4, 109}, {16, 0}, {0, 0}};  // past the last entry: none
    for (const auto& [button, code] : scrolled) EXPECT_EQ(BUTTON2MENU(button), code);
    EXPECT_EQ(MENU2BUTTON(110), 5);
    EXPECT_EQ(MENUREL, 5);
    EXPECT_EQ(MENU2BUTTON(104), 4);  // not shown at offset 5: the scroll is reset
    EXPECT_EQ(MENUREL, 0);
    EXPECT_EQ(MENU2BUTTON(199), 1);
    // Keys 21..24: up, down, page down, page up; a beep at the ends. Page down stops at MENUANZ - ANZ.
    const struct { int rel, key, target; bool beep; } scrolls[] = {
        {0, 21, 0, true}, {0, 22, 1, false}, {0, 23, 7, false}, {7, 23, 10, false},
        {10, 22, 10, true}, {10, 24, 3, false}, {3, 24, 0, false}};
    for (const auto& c : scrolls) {
        MENUREL = c.rel;
        bool beep = !c.beep;
        EXPECT_EQ(RELATIVTARGET(c.key, beep), c.target) << c.rel << " " << c.key;
        if (c.key <= 22) {
            EXPECT_EQ(beep, c.beep) << c.rel << " " << c.key;
        }
    }
}

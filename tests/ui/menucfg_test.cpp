#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "data/lg.h"
#include "ui/m_tool.h"

using namespace korax;

namespace {

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spit(const std::filesystem::path& p, const std::string& s) {
    std::ofstream out(p, std::ios::binary);
    out << s;
}

// A fresh directory as the current one, put back afterwards.
struct MenuFile : ::testing::Test {
    std::filesystem::path old, dir;
    void SetUp() override {
        old = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("menucfg-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        RESETMENU();
        for (int i = 100; i <= 130; ++i) L[static_cast<std::size_t>(i)] = "Entry " + std::to_string(i);
    }
    void TearDown() override {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(dir);
        RESETMENU();
        for (auto& t : L) t = "";
    }
};

}  // namespace

TEST(MenuCfg, LineRulesAtMostNinetyNineEntriesAndTheWrittenLine) {
    auto cfg = PARSEMENUCFG("  5\n12\n -\n-\n;101\n101   ;Aufstellung\r\nabc\n 300\n102");
    EXPECT_EQ(cfg.codes, (std::vector<std::uint8_t>{5, 101, 102}));
    EXPECT_EQ(cfg.festanz, 1);
    std::string text;
    for (int i = 0; i < 120; ++i) text += "100\n";
    EXPECT_EQ(PARSEMENUCFG(text).codes.size(), 99u);
    L[101] = "Aufstellung";
    EXPECT_EQ(MENULINE(101), "101   ;Aufstellung");
    EXPECT_EQ(MENULINE(5), "  5   ;");
    L[101] = "";
}

TEST(MenuCfg, SwapTouchesExactlyTheTwoLines) {
    L[103] = "Three";
    L[105] = "Five";
    std::string text = "; menu\r\n101   ;One\r\n -\r\n103   ;old three\r\n104\r\n105   ;old five\r\n106";
    std::string swapped = SWAPMENULINES(text, 103, 105);
    EXPECT_EQ(swapped, "; menu\r\n101   ;One\r\n -\r\n105   ;Five\r\n104\r\n103   ;Three\r\n106");
    L[103] = L[105] = "";
}

TEST_F(MenuFile, ReadFillsTheMenu) {
    spit(dir / "MENU.CFG", "101\n102\n -\n103\n");
    READMENUCFG();
    EXPECT_EQ(MENUANZ, 3);
    EXPECT_EQ(FESTANZ, 2);
    EXPECT_EQ(MENU[3], 103);
}

TEST_F(MenuFile, MissingFileOrADirectoryInsteadIsAnErrorNotACrash) {
    for (int round = 0; round < 2; ++round) {
        try {
            READMENUCFG();
            FAIL();
        } catch (const FatalError& e) {
            EXPECT_TRUE(e.nr == 1 || (round == 1 && e.nr == 2)) << e.nr;
            EXPECT_EQ(e.text, "MENU.CFG");
        }
        std::filesystem::create_directory(dir / "MENU.CFG");
    }
}

TEST_F(MenuFile, CountChecks18And19) {
    L[18] = "too few";
    L[19] = "bad fixed";
    ANZ = 13;
    const struct { int menuanz, festanz, nr; } cases[] = {{13, 3, 18}, {14, 3, 0}, {14, 0, 19}, {14, 11, 19}, {14, 10, 0}};
    for (const auto& c : cases) {
        MENUANZ = c.menuanz;
        FESTANZ = c.festanz;
        try {
            CHECKMENUCOUNTS();
            EXPECT_EQ(c.nr, 0) << c.menuanz << "/" << c.festanz;
        } catch (const FatalError& e) {
            EXPECT_EQ(e.nr, c.nr) << c.menuanz << "/" << c.festanz;
            EXPECT_EQ(e.text, c.nr == 18 ? "too few" : "bad fixed");
        }
    }
}

TEST_F(MenuFile, SwapWritesBackupAndRewritesOrChangesNothingWithoutFile) {
    VERTAUSCHEMENU(103, 105);
    EXPECT_FALSE(std::filesystem::exists(dir / "MENU.CFG"));
    EXPECT_FALSE(std::filesystem::exists(dir / "MENU.SAV"));
    std::string text = "101   ;a\n -\n103   ;b\n105   ;c\n";
    spit(dir / "MENU.CFG", text);
    VERTAUSCHEMENU(103, 105);
    EXPECT_EQ(slurp(dir / "MENU.SAV"), text);
    EXPECT_EQ(slurp(dir / "MENU.CFG"), "101   ;a\n -\n105   ;Entry 105\n103   ;Entry 103\n");
}

namespace {

void menu_of(int n, int fest, int anz) {
    RESETMENU();
    MENUANZ = n;
    FESTANZ = fest;
    ANZ = anz;
    for (int i = 1; i <= n; ++i) MENU[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(100 + i);
}

}  // namespace

TEST(MenuButtons, CodeOfButtonFollowsTheScroll) {
    menu_of(20, 3, 10);
    EXPECT_EQ(BUTTON2MENU(2), 102);
    EXPECT_EQ(BUTTON2MENU(4), 104);
    MENUREL = 5;
    EXPECT_EQ(BUTTON2MENU(2), 102);
    EXPECT_EQ(BUTTON2MENU(4), 109);
    EXPECT_EQ(BUTTON2MENU(16), 0);  // past the last entry
    EXPECT_EQ(BUTTON2MENU(0), 0);
    RESETMENU();
}

TEST(MenuButtons, ButtonOfCodeResetsTheScrollWhenNeeded) {
    menu_of(20, 3, 10);
    MENUREL = 5;
    EXPECT_EQ(MENU2BUTTON(110), 5);
    EXPECT_EQ(MENUREL, 5);
    EXPECT_EQ(MENU2BUTTON(104), 4);  // not shown at offset 5
    EXPECT_EQ(MENUREL, 0);
    EXPECT_EQ(MENU2BUTTON(199), 1);
    RESETMENU();
}

TEST(MenuButtons, ScrollTargetsAtBothEnds) {
    menu_of(20, 3, 10);
    bool beep = false;
    EXPECT_EQ(RELATIVTARGET(21, beep), 0);
    EXPECT_TRUE(beep);
    EXPECT_EQ(RELATIVTARGET(22, beep), 1);
    EXPECT_FALSE(beep);
    EXPECT_EQ(RELATIVTARGET(23, beep), 7);
    MENUREL = 7;
    EXPECT_EQ(RELATIVTARGET(23, beep), 10);  // page down stops at MENUANZ - ANZ
    MENUREL = 10;
    EXPECT_EQ(RELATIVTARGET(22, beep), 10);
    EXPECT_TRUE(beep);
    EXPECT_EQ(RELATIVTARGET(24, beep), 3);
    MENUREL = 3;
    EXPECT_EQ(RELATIVTARGET(24, beep), 0);
    RESETMENU();
}


// The screen frame and its menu column under scripted input.
#include "ui_fixture.h"

#include <tuple>

using namespace korax;
using korax::uitest::Screen;

namespace {

class Menu : public Screen {
protected:
    std::string cfg;
    void SetUp() override {
        Screen::SetUp();
        cfg = asset("MENU.CFG");
        put("MENU.CFG", cfg);
        INITOBERFLAECHE(0);
    }
    static std::string replace(std::string s, const std::string& from, const std::string& to) {
        auto p = s.find(from);
        EXPECT_NE(p, std::string::npos) << from;
        if (p != std::string::npos) s.replace(p, from.size(), to);
        return s;
    }
};

}  // namespace

TEST_F(Menu, TheDefaultMenuFillsTheColumnOnTheRightOrLeft) {
    EXPECT_EQ(std::make_tuple(ANZ, MENUANZ, FESTANZ, XM2, YM2), std::make_tuple(13, 25, 6, 780, 725));
    // The last slot ends 7 pixels above the bottom of the work area.
    EXPECT_EQ(MENUBUTTONRECT(13).y2 + 3, YM2 - 7);
    EXPECT_EQ(std::make_tuple(KLICKFENSTER[31].AKTIV, KLICKFENSTER[43].AKTIV, KLICKFENSTER[44].AKTIV),
              std::make_tuple(true, true, false));
    LEFTMENU = true;
    INITOBERFLAECHE(1);
    EXPECT_EQ(std::make_tuple(XM1, XM2, MENUBUTTONRECT(1).x1, KLICKFENSTER[31].X2), std::make_tuple(244, 1018, 13, 244 - 9));
}

// Scripts walked one GLOBALBUTTON call per step: what it answers, KEY and the
// scroll offset afterwards (-1: not looked at).
TEST_F(Menu, KeysAndClicksStepByStep) {
    const auto& up = KLICKFENSTER[21];
    const auto& down = KLICKFENSTER[22];
    struct Step { int answer, key, rel; };
    const struct { std::string script; std::vector<Step> steps; } cases[] = {
        {"click " + centre(2) + "\nclick " + centre(4) + "\nkey Tab\n", {{1, 102, -1}, {1, 106, -1}, {1, 102, -1}}},
        // Where the page keys stop is the scroll targets' test.
        {"key PgDn\nkey PgUp\n", {{0, -1, 7}, {-1, -1, 0}}},
        {"click " + at((up.X1 + up.X2) / 2, (up.Y1 + up.Y2) / 2) + "\nclick " +
             at((down.X1 + down.X2) / 2, (down.Y1 + down.Y2) / 2) + "\n",
         {{0, 0, 0}, {0, -1, 1}}},
        // Down at the last button scrolls and stays there.
        {"click " + centre(13) + "\nkey Down\nkey Up\n", {{1, MENU[13], 0}, {1, MENU[14], 1}, {1, MENU[13], -1}}},
        // Typed letters are no button codes.
        {"key a\nkey B\n", {{0, 'A', -1}, {-1, 'B', -1}}},
        {"key Shift+Tab\n", {{1, 27, -1}}},
    };
    for (const auto& c : cases) {
        MENUREL = 0;
        INITOBERFLAECHE(0);
        script(c.script);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& want = c.steps[i];
            const bool answer = GLOBALBUTTON();
            if (want.answer >= 0) { EXPECT_EQ(answer, want.answer == 1) << c.script << " step " << i; }
            if (want.key >= 0) { EXPECT_EQ(KEY, want.key) << c.script << " step " << i; }
            if (want.rel >= 0) { EXPECT_EQ(MENUREL, want.rel) << c.script << " step " << i; }
        }
    }
    EXPECT_EQ(KEY2, 15);  // Shift+Tab is Escape with its own code
}

TEST_F(Menu, RightDragSwapsExactlyTwoLinesOntoItselfOrEndedByALeftClickNothing) {
    script("press " + centre(3) + " right\nrelease right\npress " + centre(3) + " right\nrelease right\n" +
           "press " + centre(3) + " right\nrelease right\nclick " + centre(5) + "\n");
    EXPECT_TRUE(GLOBALBUTTON());
    EXPECT_TRUE(GLOBALBUTTON());
    EXPECT_EQ(KEY, 105);
    EXPECT_EQ(get("MENU.CFG"), cfg);
    EXPECT_FALSE(std::filesystem::exists(root / "MENU.SAV"));
    script("press " + centre(3) + " right\nrelease right\npress " + centre(5) + " right\nrelease right\n");
    EXPECT_TRUE(GLOBALBUTTON());
    std::string expected = replace(replace(cfg, "105   ;League table", "@@"), "120   ;Newspaper", "105   ;Entry 105");
    expected = replace(expected, "@@", "120   ;Entry 120");
    EXPECT_EQ(get("MENU.CFG"), expected);
    EXPECT_EQ(get("MENU.SAV"), cfg);
    EXPECT_EQ(std::make_tuple(KEY, MENU[3], MENU[5], MOUSEBORDER_X1), std::make_tuple(105, 120, 105, 0));
    EXPECT_EQ(MOUSESHAPE, MOUSESHAPE_NORMAL);
}

TEST_F(Menu, UpAtTheFirstScrollingButtonScrollsAndStays) {
    script("key PgDn\nclick " + centre(7) + "\nkey Up\n");
    EXPECT_FALSE(GLOBALBUTTON());
    ASSERT_EQ(MENUREL, 7);
    EXPECT_TRUE(GLOBALBUTTON());
    EXPECT_EQ(KEY, MENU[14]);
    EXPECT_TRUE(GLOBALBUTTON());
    // the entry changed under the same button
    EXPECT_EQ(std::make_tuple(MENUREL, KEY, OLDBUTTON, TABMENU), std::make_tuple(6, MENU[13], 7, MENU[14]));
    for (int i = 0; i < 6; ++i) {
        script("key Up\n");
        GLOBALBUTTON();
    }
    EXPECT_EQ(std::make_tuple(MENUREL, OLDBUTTON, KEY), std::make_tuple(0, 7, MENU[7]));
    script("key Up\n");
    EXPECT_TRUE(GLOBALBUTTON());  // at offset 0 Up goes on to the last fixed entry
    EXPECT_EQ(OLDBUTTON, 6);
}

TEST_F(Menu, TabToAnEntryScrolledOutOfViewScrollsItIn) {
    script("key PgDn\nclick " + centre(13) + "\nkey PgUp\nclick " + centre(2) + "\nkey Tab\n");
    for (int i = 0; i < 4; ++i) GLOBALBUTTON();
    ASSERT_EQ(MENUREL, 0);
    ASSERT_EQ(TABMENU, MENU[20]);
    EXPECT_TRUE(GLOBALBUTTON());
    EXPECT_EQ(std::make_tuple(KEY, MENUREL, OLDBUTTON), std::make_tuple(MENU[20], 7, 13));
    const BUTTONRECT r = MENUBUTTONRECT(13), r7 = MENUBUTTONRECT(7);
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, r.x1 + 5, r.y1 + 5), 4u);  // shown pressed
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, r7.x1 + 5, r7.y1 + 5), 2u);
    script("key Down\n");
    EXPECT_TRUE(GLOBALBUTTON());
    EXPECT_EQ(KEY, MENU[21]);  // and Down walks on from there
}

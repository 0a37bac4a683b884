// The information screen under scripted input: what ends it and what it hands on.
#include "ui/infotext.h"
#include "ui_fixture.h"

using namespace korax;
using korax::uitest::Screen;

namespace {

int silenced = 0;

class Infotext : public Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        put("MENU.CFG", asset("MENU.CFG"));
        INITOBERFLAECHE(0);
        silenced = 0;
        ADVISER.silence = [] { ++silenced; };
    }
    void TearDown() override {
        ADVISER.silence = nullptr;
        Screen::TearDown();
    }
    static std::string centre(int b) {
        BUTTONRECT r = MENUBUTTONRECT(b);
        return at((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
    }
};

}  // namespace

TEST_F(Infotext, EndsOnlyOnEscapeROrAMenuButton) {
    struct Case { std::string script; int key; } const cases[] = {
        {"key x\nkey 5\nkey Esc\n", 27}, {"key 1\nkey R\n", 27},  // handed on as Escape, never as a menu code
        {"click " + at(XMC, 200) + "\nclick " + centre(3) + "\n", 105},
    };
    for (const auto& c : cases) {
        script(c.script);
        INFOTEXT("No match day left");
        EXPECT_EQ(KEY, c.key) << c.script;
    }
    EXPECT_EQ(silenced, 3);
}

TEST_F(Infotext, OneWindowOfFiveHundredPixels) {
    script("key Esc\n");
    INFOTEXT("Text");
    const auto& w = KLICKFENSTER[10];
    EXPECT_TRUE(w.AKTIV);
    EXPECT_EQ(w.X1, XMC - 250);
    EXPECT_EQ(w.X2, XMC + 250);
    EXPECT_EQ(w.Y1, 182);
    EXPECT_EQ(w.Y2, 232);
}

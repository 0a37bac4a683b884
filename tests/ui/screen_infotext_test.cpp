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
};

}  // namespace

TEST_F(Infotext, OneWindowEndedOnlyByEscapeROrAMenuButton) {
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
    const auto& w = KLICKFENSTER[10];  // one window of five hundred pixels
    EXPECT_TRUE(w.AKTIV);
    EXPECT_EQ((std::array<int, 4>{w.X1, w.Y1, w.X2, w.Y2}), (std::array<int, 4>{XMC - 250, 182, XMC + 250, 232}));
}

// The input path through a real window: a private Xvfb display, the graph layer's
// window thread, and SDL events arriving at the key and mouse queues.

#include <filesystem>

#include "input_fixture.h"
#include "xvfb_display.h"

namespace korax {
namespace {

XVFBDISPLAY XVFB;
bool OPENED = false;  // this suite opened the graph layer

class InputWindowTest : public InputTest {
protected:
    static void SetUpTestSuite() {
        if (!XVFB.start()) return;
        GRENABLED = false;
        INITGRAPH(3, 6, "input window test");
        OPENED = GRAPHENABLED();
    }
    static void TearDownTestSuite() {
        if (OPENED) CLOSEGRAPH();
        OPENED = false;
        XVFB.stop();
    }
    void SetUp() override {
        InputTest::SetUp();
        if (!XVFB.running()) GTEST_SKIP() << "no Xvfb";
        unsetenv("KORAX_VIDEO");
        if (!OPENED) GTEST_SKIP() << "no window on the private display";
    }
    void TearDown() override {
        InputTest::TearDown();
        unsetenv("KORAX_VIDEO");
    }
};

void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }

SDL_Event key(Uint32 type, SDL_Keycode sym, Uint16 mod) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

TEST_F(InputWindowTest, EventsOfTheWindowThreadReachTheQueues) {
    push(key(SDL_KEYDOWN, SDLK_LEFT, KMOD_LCTRL));
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    SDL_strlcpy(t.text.text, "\xC3\xBC", sizeof t.text.text);  // ü
    push(t);
    SDL_Event c{};
    c.type = SDL_WINDOWEVENT;
    c.window.event = SDL_WINDOWEVENT_CLOSE;
    push(c);
    ASSERT_TRUE(WAITFOR([] { return KEYQUEUE_COUNT() >= 5; }, 3000));
    EXPECT_EQ(READKEY(), 0);
    EXPECT_EQ(READKEY(), 115);
    EXPECT_EQ(READKEY(), 0x81);
    EXPECT_EQ(READKEY(), 0);
    EXPECT_EQ(READKEY(), 107);  // the close box only asks; the window stays open
    EXPECT_TRUE(GRAPHENABLED());

    SDL_Event m{};
    m.type = SDL_MOUSEBUTTONDOWN;
    m.button.button = SDL_BUTTON_RIGHT;
    m.button.x = 33;
    m.button.y = 44;
    push(m);
    // The display may report moves of its own (the pointer entering the window).
    auto next_button_event = [](TMOUSEEVENT& e) {
        for (;;) {
            if (!WAITFOR([] { return MOUSEQUEUE_COUNT() >= 1; }, 3000)) return false;
            GETMOUSEEVENT(e);
            if (e.ACTION != MOUSE_MOVED) return true;
        }
    };
    TMOUSEEVENT e{};
    ASSERT_TRUE(next_button_event(e));
    EXPECT_EQ(e.ACTION, MOUSE_PRESSED);
    EXPECT_EQ(e.BUTTONS, MOUSE_RIGHT);
    EXPECT_EQ(e.X, 33);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_RIGHT);
    m.type = SDL_MOUSEBUTTONUP;
    push(m);
    ASSERT_TRUE(next_button_event(e));
    EXPECT_EQ(e.ACTION, MOUSE_RELEASED);
    EXPECT_EQ(e.BUTTONS, MOUSE_RIGHT);
    EXPECT_EQ(GETMOUSEBUTTONS(), 0);
}

TEST_F(InputWindowTest, ScriptFeedsTheQueuesInAWindowToo) {
    SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT("key Alt+F4\ntext ok\n", "w.kis"));
    EXPECT_EQ(READKEY(), 0);
    EXPECT_EQ(READKEY(), 107);
    EXPECT_EQ(READKEY(), 'o');
    EXPECT_EQ(READKEY(), 'k');
}

TEST_F(InputWindowTest, SetMouseMovesThePointerInTheFocusedWindow) {
    // Without a window manager the focus comes when the display gets round to it.
    if (!WAITFOR([] { return SDL_GetKeyboardFocus() != nullptr; }, 3000))
        GTEST_SKIP() << "the window never got the focus";
    SETMOUSEXY(100, 120);
    EXPECT_TRUE(WAITFOR([] { return GETMOUSEX() == 100 && GETMOUSEY() == 120; }, 3000));
}

}  // namespace
}  // namespace korax

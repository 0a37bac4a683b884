// A window at scale 2 on a private Xvfb display: clicks on a pixel's scaled block
// reach the program at that pixel, the bars take no clicks, F11 stays in the window.

#include <filesystem>

#include "input_fixture.h"
#include "xvfb_display.h"
#include "platform/window.h"

namespace korax {
namespace {

XVFBDISPLAY XVFB;
bool OPENED = false;  // this suite opened the graph layer

class ScaledWindowTest : public InputTest {
protected:
    static void SetUpTestSuite() {
        if (!XVFB.start()) return;
        GRENABLED = false;
        WINDOW_SCALE = SCALE_2;
        INITGRAPH(3, 1, "scaled window test");
        WINDOW_SCALE = SCALE_AUTO;
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

void press(int x, int y, Uint32 type = SDL_MOUSEBUTTONDOWN) {
    SDL_Event m{};
    m.type = type;
    m.button.button = SDL_BUTTON_LEFT;
    m.button.x = x;
    m.button.y = y;
    push(m);
}

// The next press or release; moves of the display's own are passed over.
bool next_button_event(TMOUSEEVENT& e, int ms = 3000) {
    for (;;) {
        if (!WAITFOR([] { return MOUSEQUEUE_COUNT() >= 1; }, ms)) return false;
        GETMOUSEEVENT(e);
        if (e.ACTION != MOUSE_MOVED) return true;
    }
}

TEST_F(ScaledWindowTest, StartsAtTheChosenStepAndMapsClicksBack) {
    const VIEWFIT f = WINDOW_VIEW();
    EXPECT_EQ(f.winw, 640);
    EXPECT_EQ(f.winh, 400);
    EXPECT_EQ(f.w, 640);
    EXPECT_EQ(f.h, 400);
    EXPECT_TRUE(f.sharp);
    // Both corners of the scaled block of pixel (33, 44).
    const int points[][2] = {{66, 88}, {67, 89}};
    for (const auto& p : points) {
        press(p[0], p[1]);
        TMOUSEEVENT e{};
        ASSERT_TRUE(next_button_event(e));
        EXPECT_EQ(e.ACTION, MOUSE_PRESSED);
        EXPECT_EQ(e.X, 33);
        EXPECT_EQ(e.Y, 44);
        press(p[0], p[1], SDL_MOUSEBUTTONUP);
        ASSERT_TRUE(next_button_event(e));
        EXPECT_EQ(e.ACTION, MOUSE_RELEASED);
        EXPECT_EQ(GETMOUSEBUTTONS(), 0);
    }
}

TEST_F(ScaledWindowTest, F11StaysInTheWindowAndBarsTakeNoClicks) {
    push([] {
        SDL_Event k{};
        k.type = SDL_KEYDOWN;
        k.key.keysym.sym = SDLK_F11;
        return k;
    }());
    // Whatever the display does with full screen, the key never reaches the program.
    const bool full = WAITFOR([] { return WINDOW_VIEW().winw == 1280; }, 3000);
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);
    if (!full) GTEST_SKIP() << "the display did not make the window full screen";
    const VIEWFIT f = WINDOW_VIEW();
    EXPECT_EQ(f.w, 640);  // SCALE 2 keeps the step; the rest are bars
    EXPECT_EQ(f.x, 320);
    EXPECT_EQ(f.y, 312);
    press(5, 5);
    press(f.x + 67, f.y + 89);
    TMOUSEEVENT e{};
    ASSERT_TRUE(next_button_event(e));
    EXPECT_EQ(e.ACTION, MOUSE_PRESSED);
    EXPECT_EQ(e.X, 33);
    EXPECT_EQ(e.Y, 44);
    press(f.x + 67, f.y + 89, SDL_MOUSEBUTTONUP);
    ASSERT_TRUE(next_button_event(e));
    EXPECT_EQ(e.ACTION, MOUSE_RELEASED);
    push([] {
        SDL_Event k{};
        k.type = SDL_KEYDOWN;
        k.key.keysym.sym = SDLK_F11;
        return k;
    }());
    // Without a window manager the display need not give the old size back, so
    // only the key is checked here.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);
}

TEST_F(ScaledWindowTest, SetMouseLandsOnThePixelsBlock) {
    if (!WAITFOR([] { return SDL_GetKeyboardFocus() != nullptr; }, 3000))
        GTEST_SKIP() << "the window never got the focus";
    SETMOUSEXY(100, 120);
    EXPECT_TRUE(WAITFOR([] { return GETMOUSEX() == 100 && GETMOUSEY() == 120; }, 3000));
}

}  // namespace
}  // namespace korax

// The real window on a private Xvfb display: the window thread, the visual page
// presented through the palette, and SDL events arriving at the key and mouse queues.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "graph_fixture.h"
#include "platform/window.h"
#include "xvfb_display.h"

// SDL opens the session bus library, which keeps one block until a shutdown SDL
// does not call; sanitizer runs of this program look past it.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

using namespace korax;
using korax::test::Ints;

namespace {

XVFBDISPLAY XVFB;

class RealWindow : public korax::test::InputTest {
protected:
    static void SetUpTestSuite() { XVFB.start(); }
    static void TearDownTestSuite() { XVFB.stop(); }
    void SetUp() override {
        InputTest::SetUp();
        if (!XVFB.running()) GTEST_SKIP() << "no Xvfb";
        unsetenv("KORAX_VIDEO");
        GRENABLED = false;
    }
    void TearDown() override {
        if (GRAPHENABLED()) CLOSEGRAPH();
        GRRESULT = 0;
        WINDOW_SCALE = SCALE_AUTO;
        SETWINDOWSIZE(640, 480);
        InputTest::TearDown();
        setenv("KORAX_VIDEO", "headless", 1);
    }
    static unsigned shown(int x, int y) {
        EXPECT_TRUE(WINDOW_SYNC(3000));
        unsigned rgb = 0xDEADBEEF;
        EXPECT_TRUE(WINDOW_READ_PIXEL(x, y, rgb));
        return rgb;
    }
};

void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }

// The next press or release; moves of the display's own are passed over.
bool next_button_event(TMOUSEEVENT& e) {
    for (;;) {
        if (!WAITFOR([] { return MOUSEQUEUE_COUNT() >= 1; }, 3000)) return false;
        GETMOUSEEVENT(e);
        if (e.ACTION != MOUSE_MOVED) return true;
    }
}

// A click at window point (x, y) reaches the program at (wantx, wanty).
void expect_click(int x, int y, int wantx, int wanty, Uint8 which = SDL_BUTTON_LEFT) {
    push(test::mouse_event(SDL_MOUSEBUTTONDOWN, which, x, y));
    TMOUSEEVENT e{};
    ASSERT_TRUE(next_button_event(e));
    const int held = which == SDL_BUTTON_LEFT ? MOUSE_LEFT : MOUSE_RIGHT;
    EXPECT_EQ((Ints{e.ACTION, e.BUTTONS, e.X, e.Y, GETMOUSEBUTTONS()}), (Ints{MOUSE_PRESSED, held, wantx, wanty, held}));
    push(test::mouse_event(SDL_MOUSEBUTTONUP, which, x, y));
    ASSERT_TRUE(next_button_event(e));
    EXPECT_EQ((Ints{e.ACTION, GETMOUSEBUTTONS()}), (Ints{MOUSE_RELEASED, 0}));
}

// Without a window manager the focus comes when the display gets round to it.
void expect_set_mouse() {
    if (!WAITFOR([] { return SDL_GetKeyboardFocus() != nullptr; }, 3000)) return;
    SETMOUSEXY(100, 120);
    EXPECT_TRUE(WAITFOR([] { return GETMOUSEX() == 100 && GETMOUSEY() == 120; }, 3000));
}

TEST_F(RealWindow, OpensDrawsRecoloursClosesAndTakesInputScaled) {
    SETWINDOWSIZE(1300, 600);
    INITGRAPH(3, 13, "");
    EXPECT_EQ((Ints{GRAPHRESULT(), WINDOW_IS_OPEN()}), (Ints{grInvalidMode, false}));  // too large for the desktop
    SETWINDOWSIZE(640, 480);
    INITGRAPH(3, 3, "Korax window test");
    ASSERT_EQ(GRAPHRESULT(), grNoOpenGL);
    ASSERT_TRUE(WINDOW_IS_OPEN());
    EXPECT_EQ((Ints{SCREENWIDTH, GETMAXX()}), (Ints{1280, 639}));
    SETFILLSTYLE(1, 4);
    BAR(10, 10, 20, 20);
    EXPECT_EQ(shown(15, 15), RGB(0xA8, 0, 0));
    EXPECT_EQ(shown(5, 5), 0u);
    // A palette change recolours what the window shows without touching the page.
    SETRGBPALETTE(4, 1, 2, 3);
    EXPECT_EQ(shown(15, 15), RGB(1, 2, 3));
    // Drawing on a hidden page leaves the window alone until it becomes visible.
    SETACTIVEPAGE(1);
    SETFILLSTYLE(1, 2);
    BAR(0, 0, 639, 479);
    EXPECT_EQ(shown(100, 100), 0u);
    SETVISUALPAGE(1);
    EXPECT_EQ(shown(100, 100), RGB(0, 0xA8, 0));
    // With automatic update off the window waits for an explicit repaint.
    UPDATEGRAPH(0);
    SETFILLSTYLE(1, 1);
    BAR(0, 0, 9, 9);
    EXPECT_EQ(shown(5, 5), RGB(0, 0xA8, 0));
    UPDATEGRAPH(2);
    EXPECT_EQ(shown(5, 5), RGB(0, 0, 0xA8));
    CLOSEGRAPH();
    EXPECT_FALSE(WINDOW_IS_OPEN());

    // It opens again after closing, here at scale 2: its thread hands text, the close
    // box and clicks over, a click on a pixel's scaled block at that pixel.
    WINDOW_SCALE = SCALE_2;
    INITGRAPH(3, 1, "scaled window test");
    WINDOW_SCALE = SCALE_AUTO;
    ASSERT_TRUE(WINDOW_IS_OPEN());
    VIEWFIT f = WINDOW_VIEW();
    EXPECT_EQ((Ints{f.winw, f.winh, f.w, f.h, f.sharp}), (Ints{640, 400, 640, 400, true}));
    push(test::text_event("\xC3\xBC"));  // ü
    SDL_Event c{};
    c.type = SDL_WINDOWEVENT;
    c.window.event = SDL_WINDOWEVENT_CLOSE;
    push(c);
    ASSERT_TRUE(WAITFOR([] { return KEYQUEUE_COUNT() >= 3; }, 3000));
    EXPECT_EQ(drain(), (Ints{0x81, 0, 107}));
    EXPECT_TRUE(GRAPHENABLED());  // the close box only asks; the window stays open
    expect_click(66, 88, 33, 44, SDL_BUTTON_RIGHT);  // both corners of the block of pixel (33, 44)
    expect_click(67, 89, 33, 44);
    expect_set_mouse();
    SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT("key Alt+F4\ntext ok\n", "w.kis"));  // a script paced by the real clock
    EXPECT_EQ((Ints{READKEY(), READKEY(), READKEY(), READKEY()}), (Ints{0, 107, 'o', 'k'}));
    // F11 stays in the window: whatever the display does with full screen, the key
    // never reaches the program, and the bars take no clicks.
    push(test::key_event(SDL_KEYDOWN, SDLK_F11, 0));
    const bool full = WAITFOR([] { return WINDOW_VIEW().winw == 1280; }, 3000);
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);
    if (!full) GTEST_SKIP() << "the display did not make the window full screen";
    f = WINDOW_VIEW();
    EXPECT_EQ((Ints{f.w, f.x, f.y}), (Ints{640, 320, 312}));  // the step kept, bars around
    push(test::mouse_event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5));
    expect_click(f.x + 67, f.y + 89, 33, 44);
    // Without a window manager the display need not give the old size back, so
    // only the key is checked here.
    push(test::key_event(SDL_KEYDOWN, SDLK_F11, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);
}

}  // namespace

// A window at scale 2 on a private Xvfb display: clicks on a pixel's scaled block
// reach the program at that pixel, the bars take no clicks, F11 stays in the window.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <filesystem>
#include <thread>

#include "input_fixture.h"
#include "platform/window.h"

namespace korax {
namespace {

pid_t XVFB = 0;
std::string OLDDISPLAY, OLDVIDEO;
bool HADDISPLAY = false, HADVIDEO = false;
bool OPENED = false;  // this suite opened the graph layer

bool wait_for(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

class ScaledWindowTest : public InputTest {
protected:
    static void SetUpTestSuite() {
        if (const char* d = std::getenv("DISPLAY")) { HADDISPLAY = true; OLDDISPLAY = d; }
        if (const char* v = std::getenv("KORAX_VIDEO")) { HADVIDEO = true; OLDVIDEO = v; }
        const char* paths[] = {"/usr/bin/Xvfb", "/usr/local/bin/Xvfb"};
        std::string xvfb;
        for (const char* p : paths)
            if (access(p, X_OK) == 0) xvfb = p;
        if (xvfb.empty()) return;
        // Xvfb picks a free display itself and writes its number into the pipe, so
        // test programs running side by side never meet.
        int fds[2];
        if (pipe(fds) != 0) return;
        XVFB = fork();
        if (XVFB == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
                  "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd pfd{fds[0], POLLIN, 0};
        while (XVFB > 0 && number.find('\n') == std::string::npos && poll(&pfd, 1, 5000) > 0) {
            char buf[16];
            const ssize_t n = read(fds[0], buf, sizeof buf);
            if (n <= 0) break;
            number.append(buf, static_cast<std::size_t>(n));
        }
        close(fds[0]);
        if (XVFB < 0 || number.find('\n') == std::string::npos) {
            if (XVFB > 0) {
                kill(XVFB, SIGTERM);
                waitpid(XVFB, nullptr, 0);
            }
            XVFB = 0;
            return;
        }
        number.resize(number.find('\n'));
        setenv("DISPLAY", (":" + number).c_str(), 1);
        unsetenv("KORAX_VIDEO");
        GRENABLED = false;
        WINDOW_SCALE = SCALE_2;
        INITGRAPH(3, 1, "scaled window test");
        WINDOW_SCALE = SCALE_AUTO;
        OPENED = GRAPHENABLED();
    }
    static void TearDownTestSuite() {
        if (OPENED) CLOSEGRAPH();
        OPENED = false;
        if (XVFB > 0) {
            kill(XVFB, SIGTERM);
            waitpid(XVFB, nullptr, 0);
            XVFB = 0;
        }
        if (HADDISPLAY) setenv("DISPLAY", OLDDISPLAY.c_str(), 1); else unsetenv("DISPLAY");
        if (HADVIDEO) setenv("KORAX_VIDEO", OLDVIDEO.c_str(), 1); else unsetenv("KORAX_VIDEO");
    }
    void SetUp() override {
        InputTest::SetUp();
        if (XVFB <= 0) GTEST_SKIP() << "no Xvfb";
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
        if (!wait_for([] { return MOUSEQUEUE_COUNT() >= 1; }, ms)) return false;
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
    const bool full = wait_for([] { return WINDOW_VIEW().winw == 1280; }, 3000);
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
    if (!wait_for([] { return SDL_GetKeyboardFocus() != nullptr; }, 3000))
        GTEST_SKIP() << "the window never got the focus";
    SETMOUSEXY(100, 120);
    EXPECT_TRUE(wait_for([] { return GETMOUSEX() == 100 && GETMOUSEY() == 120; }, 3000));
}

}  // namespace
}  // namespace korax

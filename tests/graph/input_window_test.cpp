// The input path through a real window: a private Xvfb display, the graph layer's
// window thread, and SDL events arriving at the key and mouse queues.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <filesystem>
#include <thread>

#include "input_fixture.h"

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

class InputWindowTest : public InputTest {
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
        INITGRAPH(3, 6, "input window test");
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
    ASSERT_TRUE(wait_for([] { return KEYQUEUE_COUNT() >= 5; }, 3000));
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
            if (!wait_for([] { return MOUSEQUEUE_COUNT() >= 1; }, 3000)) return false;
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
    if (!wait_for([] { return SDL_GetKeyboardFocus() != nullptr; }, 3000))
        GTEST_SKIP() << "the window never got the focus";
    SETMOUSEXY(100, 120);
    EXPECT_TRUE(wait_for([] { return GETMOUSEX() == 100 && GETMOUSEY() == 120; }, 3000));
}

}  // namespace
}  // namespace korax

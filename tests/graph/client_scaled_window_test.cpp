// The real client in a window at scale 2 on a private Xvfb display, driven by the
// display's own pointer (the XTest extension): a click on a menu button's scaled
// place opens that screen, and the display shows the picture doubled.
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "common/client_run.h"
#include "xvfb_display.h"

namespace korax {
namespace {

// The few Xlib and XTest calls needed, looked up at run time: only the libraries
// the display libraries bring along are needed, not their headers.
struct FAKEINPUT {
    void* x11 = nullptr;
    void* xtst = nullptr;
    void* dpy = nullptr;
    void* (*open)(const char*) = nullptr;
    int (*close)(void*) = nullptr;
    int (*flush)(void*) = nullptr;
    int (*query)(void*, int*, int*, int*, int*) = nullptr;
    int (*motion)(void*, int, int, int, unsigned long) = nullptr;
    int (*button)(void*, unsigned, int, unsigned long) = nullptr;

    bool load() {
        x11 = dlopen("libX11.so.6", RTLD_NOW);
        xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst) return false;
        open = reinterpret_cast<decltype(open)>(dlsym(x11, "XOpenDisplay"));
        close = reinterpret_cast<decltype(close)>(dlsym(x11, "XCloseDisplay"));
        flush = reinterpret_cast<decltype(flush)>(dlsym(x11, "XFlush"));
        query = reinterpret_cast<decltype(query)>(dlsym(xtst, "XTestQueryExtension"));
        motion = reinterpret_cast<decltype(motion)>(dlsym(xtst, "XTestFakeMotionEvent"));
        button = reinterpret_cast<decltype(button)>(dlsym(xtst, "XTestFakeButtonEvent"));
        if (!open || !close || !flush || !query || !motion || !button) return false;
        dpy = open(nullptr);
        int a, b, c, d;
        return dpy && query(dpy, &a, &b, &c, &d);
    }
    // The program looks at the mouse once a pass: each step is given time to be seen.
    void move(int x, int y) {
        motion(dpy, -1, x, y, 0);
        flush(dpy);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    void click(int x, int y) {
        move(x, y);
        for (int down : {1, 0}) {
            button(dpy, 1, down, 0);
            flush(dpy);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }
    // Before the display goes: a connection lost under Xlib ends the process.
    void disconnect() {
        if (dpy) close(dpy);
        dpy = nullptr;
    }
};

constexpr std::uint32_t PRESSED = 0x800000;
constexpr int SW = 2560, SH = 1600;  // room for the picture doubled

TEST(ScaledClient, ClickOnAButtonsScaledPlaceOpensItsScreen) {
    XVFBDISPLAY xvfb;
    xvfb.screensize = std::to_string(SW) + "x" + std::to_string(SH) + "x24";
    client::ProgramDir p;
    xvfb.fbdir = (p.root / "fb").string();
    std::filesystem::create_directories(xvfb.fbdir);
    if (!xvfb.start()) GTEST_SKIP() << "no Xvfb";
    FAKEINPUT input;
    if (!input.load()) {
        input.disconnect();
        xvfb.stop();
        GTEST_SKIP() << "no XTest on the display";
    }
    p.demo();
    client::spit(p.prog / "KORAX.INI", client::slurp(p.prog / "KORAX.INI") + "SCALE=2\n");

    const std::string log = (p.root / "client.log").string();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(p.prog.c_str()) != 0) _exit(126);
        unsetenv("KORAX_VIDEO");
        unsetenv("KORAX_INPUT");
        if (FILE* f = freopen(log.c_str(), "w", stdout)) dup2(fileno(f), 2);
        execl((p.prog / "korax").c_str(), "korax", "DEMO", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);

    // The first window is the doubled picture, centred on the display.
    const int x0 = (SW - 2048) / 2, y0 = (SH - 1536) / 2;
    int w = 0, h = 0;
    std::vector<std::uint32_t> px;
    auto at = [&](int picx, int picy) { return px[std::size_t(y0 + 2 * picy) * w + x0 + 2 * picx]; };
    auto shows = [&](int b) {
        px = xvfb.screen(w, h);
        return w == SW && h == SH && at(820, 118 + 46 * (b - 1)) == PRESSED;
    };
    const bool started = WAITFOR([&] { return shows(1); }, 20000);
    EXPECT_TRUE(started) << "the team overview never showed at scale 2\n" << client::slurp(log);
    if (started) {
        // The display's own pointer is drawn into its screen: out of the way.
        input.move(0, 0);
        WAITFOR([&] { return shows(1); }, 1000);
        // Doubled: every 2 x 2 block of the window shows one colour.
        int mixed = 0;
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) {
                const std::uint32_t c = at(x, y);
                const std::size_t o = std::size_t(y0 + 2 * y) * w + x0 + 2 * x;
                if (px[o + 1] != c || px[o + w] != c || px[o + w + 1] != c) ++mixed;
            }
        EXPECT_EQ(mixed, 0);
        // The league table's button, clicked at its doubled place.
        input.click(x0 + 2 * 900, y0 + 2 * 197);
        EXPECT_TRUE(WAITFOR([&] { return shows(3) && !shows(1); }, 10000)) << "the league table did not open";
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    input.disconnect();
    xvfb.stop();
}

}  // namespace
}  // namespace korax

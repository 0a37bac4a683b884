// The real window: a private Xvfb display, the window thread, and the visual page
// presented through the palette.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "graph_fixture.h"
#include "platform/window.h"

using namespace korax;

// SDL opens the session bus library, which keeps one block until a shutdown SDL
// does not call; sanitizer runs of this program look past it.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

class RealWindow : public ::testing::Test {
protected:
    pid_t xvfb = 0;
    std::string old_display;
    bool had_display = false;

    void SetUp() override {
        if (access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "Xvfb not installed";
        const int display = 1000 + static_cast<int>(getpid() % 500);
        const std::string name = ":" + std::to_string(display);
        xvfb = fork();
        if (xvfb == 0) {
            execl("/usr/bin/Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(xvfb, 0);
        const std::string sock = "/tmp/.X11-unix/X" + std::to_string(display);
        for (int i = 0; i < 500 && !std::filesystem::exists(sock); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!std::filesystem::exists(sock)) GTEST_SKIP() << "Xvfb did not start";
        if (const char* d = std::getenv("DISPLAY")) {
            had_display = true;
            old_display = d;
        }
        setenv("DISPLAY", name.c_str(), 1);
        unsetenv("KORAX_VIDEO");
    }

    void TearDown() override {
        if (GRAPHENABLED()) CLOSEGRAPH();
        GRRESULT = 0;
        setenv("KORAX_VIDEO", "headless", 1);
        if (had_display) setenv("DISPLAY", old_display.c_str(), 1);
        else unsetenv("DISPLAY");
        if (xvfb > 0) {
            kill(xvfb, SIGTERM);
            waitpid(xvfb, nullptr, 0);
        }
    }

    static unsigned shown(int x, int y) {
        EXPECT_TRUE(WINDOW_SYNC(3000));
        unsigned rgb = 0xDEADBEEF;
        EXPECT_TRUE(WINDOW_READ_PIXEL(x, y, rgb));
        return rgb;
    }
};

}  // namespace

TEST_F(RealWindow, OpensDrawsRecoloursAndCloses) {
    INITGRAPH(3, 3, "Korax window test");
    ASSERT_EQ(GRAPHRESULT(), grNoOpenGL);
    ASSERT_TRUE(WINDOW_IS_OPEN());
    EXPECT_EQ(SCREENWIDTH, 1280);
    EXPECT_EQ(GETMAXX(), 639);
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
    // It opens again after closing.
    INITGRAPH(3, 1, "again");
    EXPECT_EQ(GRAPHRESULT(), grNoOpenGL);
    EXPECT_TRUE(WINDOW_IS_OPEN());
}

TEST_F(RealWindow, TooLargeForTheDesktopFails) {
    SETWINDOWSIZE(1300, 600);
    INITGRAPH(3, 13, "");
    EXPECT_EQ(GRAPHRESULT(), grInvalidMode);
    EXPECT_FALSE(WINDOW_IS_OPEN());
    SETWINDOWSIZE(640, 480);
}

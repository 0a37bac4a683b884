// Shared set-up of the graph tests: a headless layer opened fresh for each test,
// and for the input tests empty queues, no script and the mouse at its start.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "graph/inputscript.h"
#include "graph/sdl_input.h"
#include "graph/wingraph.h"

namespace korax::test {

using Ints = std::vector<int>;  // several values compared at once

// Opens the layer headless in 256-colour palette mode at 1024 x 768 (or the given
// driver and mode), and closes it again after the test.
class Graph : public ::testing::Test {
protected:
    void SetUp() override { setenv("KORAX_VIDEO", "headless", 1); }
    void TearDown() override {
        if (GRAPHENABLED()) CLOSEGRAPH();
        GRRESULT = 0;
        SETWINDOWSIZE(640, 480);
        EMUGRAPH_INIT();
        EWINTITLE = "";
    }
    void open(int driver = 3, int mode = 6) {
        INITGRAPH(driver, mode, "test");
        ASSERT_EQ(GRAPHRESULT(), grNoOpenGL);
        ASSERT_TRUE(GRAPHENABLED());
    }
    // Number of pixels of the active page in the window rectangle with value v.
    static int count(std::uint32_t v, int x1 = 0, int y1 = 0, int x2 = -1, int y2 = -1) {
        if (x2 < 0) x2 = GETMAXX();
        if (y2 < 0) y2 = GETMAXY();
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) n += PAGE_PIXEL(ACTIVEPAGE, x, y) == v;
        return n;
    }
    static std::uint32_t px(int x, int y) { return PAGE_PIXEL(ACTIVEPAGE, x, y); }
    // Pixels x1..x2 of row y as text: '.' for 0, a hex digit up to 15, '*' above.
    static std::string row(int y, int x1, int x2) {
        std::string s;
        for (int x = x1; x <= x2; ++x) s += px(x, y) == 0 ? '.' : px(x, y) < 16 ? "0123456789ABCDEF"[px(x, y)] : '*';
        return s;
    }
    struct Probe { int x, y; std::uint32_t v; };
    static void expect_pixels(std::initializer_list<Probe> probes) {
        for (const Probe& p : probes) EXPECT_EQ(px(p.x, p.y), p.v) << "at " << p.x << "," << p.y;
    }
};

// The graph layer marked open without a window, so that the queues take input.
class InputTest : public ::testing::Test {
protected:
    bool oldenabled = false;
    void SetUp() override {
        setenv("KORAX_VIDEO", "headless", 1);
        oldenabled = GRENABLED;
        GRENABLED = true;
        END_INPUT_SCRIPT();
        RESET_SDL_INPUT();
        EMUMOUSE_init();
        ADDMOUSEEVENT(MOUSE_RELEASED, 0xFFFF, 0, 0);  // no button held, pointer at (0, 0)
        EMPTY_INPUT_QUEUES();
        TICKCOUNT = 0;
    }
    void TearDown() override {
        END_INPUT_SCRIPT();
        EMPTY_INPUT_QUEUES();
        RESET_SDL_INPUT();
        EMUMOUSE_init();
        GRENABLED = oldenabled;
    }
    // Everything waiting in the key queue, read without a script.
    static Ints drain() {
        Ints out;
        while (KEYQUEUE_COUNT() > 0) out.push_back(READKEY());
        return out;
    }
    static void expect_event(TMOUSEEVENT want) {
        TMOUSEEVENT e{};
        GETMOUSEEVENT(e);
        EXPECT_EQ((Ints{e.BUTTONS, e.X, e.Y, e.ACTION}), (Ints{want.BUTTONS, want.X, want.Y, want.ACTION}));
    }
};

// SDL events as the window thread receives them.
inline SDL_Event key_event(Uint32 type, SDL_Keycode sym, Uint16 mod) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

inline SDL_Event text_event(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    return e;
}

inline SDL_Event mouse_event(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event e{};
    if (type == SDL_MOUSEMOTION) e.motion = {type, 0, 0, 0, button, x, y, 0, 0};
    else e.button = {type, 0, 0, 0, button, 0, 1, 0, x, y};
    return e;
}

// A fresh scratch directory, made the working directory until it is removed.
struct ScratchDir {
    std::filesystem::path old = std::filesystem::current_path();
    std::string dir;
    ScratchDir() {
        char tmpl[] = "/tmp/korax-graph-XXXXXX";
        dir = mkdtemp(tmpl);
        std::filesystem::current_path(dir);
    }
    ~ScratchDir() {
        std::filesystem::current_path(old);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + "/" + name; }
};

}  // namespace korax::test

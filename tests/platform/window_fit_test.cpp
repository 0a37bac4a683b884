// Where the 1024 x 768 picture lies in windows of other sizes, and which picture
// pixel a window point hits: whole steps, smooth fits, bars, empty windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/window.h"

using namespace korax;

namespace {

using Ints = std::vector<int>;
constexpr int PW = 1024, PH = 768;

VIEWFIT fit(int winw, int winh, int outw, int outh, int scale = SCALE_AUTO) {
    return WINDOW_FIT(winw, winh, outw, outh, PW, PH, scale);
}

TEST(WindowFit, RectangleForEachWindow) {
    const struct { int winw, winh, outw, outh, scale; Ints rect; bool sharp; } cases[] = {
        {1024, 768, 1024, 768, SCALE_AUTO, {0, 0, 1024, 768}, true},
        {3072, 2304, 3072, 2304, SCALE_AUTO, {0, 0, 3072, 2304}, true},
        {2400, 1536, 2400, 1536, SCALE_AUTO, {176, 0, 2048, 1536}, true},
        {1920, 1080, 1920, 1080, SCALE_AUTO, {448, 156, 1024, 768}, true},
        {2048, 1536, 2048, 1536, SCALE_1, {512, 384, 1024, 768}, true},
        {2400, 1600, 2400, 1600, SCALE_3, {176, 32, 2048, 1536}, true},
        {1920, 1080, 1920, 1080, SCALE_SMOOTH, {240, 0, 1440, 1080}, false},
        {1600, 1400, 1600, 1400, SCALE_SMOOTH, {0, 100, 1600, 1200}, false},
        {800, 700, 800, 700, SCALE_AUTO, {0, 50, 800, 600}, false},
        {1024, 768, 2048, 1536, SCALE_AUTO, {0, 0, 2048, 1536}, true},
        {1, 1, 1, 1, SCALE_AUTO, {0, 0, 1, 0}, false},
        {0, 0, 0, 0, SCALE_AUTO, {0, 0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        const VIEWFIT f = fit(c.winw, c.winh, c.outw, c.outh, c.scale);
        EXPECT_EQ((Ints{f.x, f.y, f.w, f.h}), c.rect) << c.winw << "x" << c.winh << " scale " << c.scale;
        if (f.w > 0 && f.h > 0) {
            EXPECT_EQ(f.sharp, c.sharp) << c.winw << "x" << c.winh;
        }
    }
}

TEST(WindowFit, ClicksHitTheirPixelAndNeverTheBars) {
    const struct { int winw, winh, outw, outh, scale, wx, wy; Ints hit; } cases[] = {  // hit: {} for none
        {1024, 768, 1024, 768, SCALE_AUTO, 1023, 767, {1023, 767}},
        {3072, 2304, 3072, 2304, SCALE_AUTO, 3, 6, {1, 2}},
        {3072, 2304, 3072, 2304, SCALE_AUTO, 5, 8, {1, 2}},
        {3072, 2304, 3072, 2304, SCALE_AUTO, 6, 9, {2, 3}},
        {2400, 1536, 2400, 1536, SCALE_AUTO, 175, 100, {}},
        {2400, 1536, 2400, 1536, SCALE_AUTO, 176, 0, {0, 0}},
        {2400, 1536, 2400, 1536, SCALE_AUTO, 2223, 1535, {1023, 767}},
        {2400, 1536, 2400, 1536, SCALE_AUTO, 2224, 10, {}},
        {2048, 1536, 2048, 1536, SCALE_AUTO, -1, 5, {}},
        {1920, 1080, 1920, 1080, SCALE_SMOOTH, 1679, 1079, {1023, 767}},
        {1920, 1080, 1920, 1080, SCALE_SMOOTH, 239, 500, {}},
        {800, 600, 800, 600, SCALE_AUTO, 799, 599, {1022, 766}},
        {1024, 768, 2048, 1536, SCALE_AUTO, 10, 767, {10, 767}},
        {1, 1, 1, 1, SCALE_AUTO, 0, 0, {}},
    };
    for (const auto& c : cases) {
        int px = -7, py = -7;
        const bool hit = WINDOW_MAP_POINT(fit(c.winw, c.winh, c.outw, c.outh, c.scale), c.wx, c.wy, px, py, false);
        EXPECT_EQ(hit ? (Ints{px, py}) : Ints(), c.hit) << c.winw << "x" << c.winh << " at " << c.wx << "," << c.wy;
    }
}

TEST(WindowFit, MovementOverTheBarsStopsAtTheEdge) {
    const VIEWFIT f = fit(2400, 1700, 2400, 1700);
    const int points[][4] = {{0, 0, 0, 0}, {2399, 1699, 1023, 767}, {10, 500, 0, (500 - 82) / 2}};
    for (const auto& p : points) {
        int px = -1, py = -1;
        ASSERT_TRUE(WINDOW_MAP_POINT(f, p[0], p[1], px, py, true));
        EXPECT_EQ((Ints{px, py}), (Ints{p[2], p[3]}));
    }
    int px, py;  // a window that shows nothing has no edge either
    EXPECT_FALSE(WINDOW_MAP_POINT(fit(1, 1, 1, 1), 0, 0, px, py, true));
}

TEST(WindowFit, WarpPointsComeBackToTheirPixel) {
    const VIEWFIT fits[] = {fit(1024, 768, 1024, 768), fit(3072, 2304, 3072, 2304), fit(2400, 1700, 2400, 1700),
                            fit(1920, 1080, 1920, 1080, SCALE_SMOOTH), fit(800, 600, 800, 600),
                            fit(1024, 768, 2048, 1536)};
    const int points[][2] = {{0, 0}, {1, 1}, {1000, 17}, {1023, 767}};
    for (const VIEWFIT& f : fits)
        for (const auto& p : points) {
            int wx = 0, wy = 0, px = -1, py = -1;
            WINDOW_UNMAP_POINT(f, p[0], p[1], wx, wy);
            ASSERT_TRUE(WINDOW_MAP_POINT(f, wx, wy, px, py, false));
            // Shrunk pictures lose pixels; every other fit gets each one back.
            const int slack = f.w >= PW ? 0 : 1;
            EXPECT_LE(std::abs(px - p[0]), slack) << f.w << " " << p[0] << "," << p[1];
            EXPECT_LE(std::abs(py - p[1]), slack) << f.w << " " << p[0] << "," << p[1];
        }
}

TEST(WindowFit, FirstWindowIsTheLargestStepThatFits) {
    const int cases[][4] = {{1920, 1040, SCALE_AUTO, 1}, {5120, 2840, SCALE_AUTO, 3}, {7680, 4300, SCALE_AUTO, 5},
                            {3840, 2100, SCALE_1, 1},    {800, 600, SCALE_3, 1},      {5120, 2840, SCALE_SMOOTH, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(WINDOW_FIRST_STEP(c[0], c[1], 16, 48, PW, PH, c[2]), c[3]) << c[0] << "x" << c[1] << " " << c[2];
}

}  // namespace

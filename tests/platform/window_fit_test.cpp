// Where the 1024 x 768 picture lies in windows of other sizes, and which picture
// pixel a window point hits: whole steps, smooth fits, bars, empty windows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/window.h"

using namespace korax;

namespace {

constexpr int PW = 1024, PH = 768;

struct FitCase {
    const char* name;
    int winw, winh, outw, outh, scale;
    int x, y, w, h;
    bool sharp;
};

const FitCase FITS[] = {
    {"exact one step", 1024, 768, 1024, 768, SCALE_AUTO, 0, 0, 1024, 768, true},
    {"exact two steps", 2048, 1536, 2048, 1536, SCALE_AUTO, 0, 0, 2048, 1536, true},
    {"three steps", 3072, 2304, 3072, 2304, SCALE_AUTO, 0, 0, 3072, 2304, true},
    {"bars at the sides", 2400, 1536, 2400, 1536, SCALE_AUTO, 176, 0, 2048, 1536, true},
    {"bars at the top", 2048, 1700, 2048, 1700, SCALE_AUTO, 0, 82, 2048, 1536, true},
    {"full hd keeps one step", 1920, 1080, 1920, 1080, SCALE_AUTO, 448, 156, 1024, 768, true},
    {"fixed step one in a large window", 2048, 1536, 2048, 1536, SCALE_1, 512, 384, 1024, 768, true},
    {"fixed step three does not fit", 2400, 1600, 2400, 1600, SCALE_3, 176, 32, 2048, 1536, true},
    {"smooth fills the height", 1920, 1080, 1920, 1080, SCALE_SMOOTH, 240, 0, 1440, 1080, false},
    {"smooth fills the width", 1600, 1400, 1600, 1400, SCALE_SMOOTH, 0, 100, 1600, 1200, false},
    {"below one step is smooth", 800, 700, 800, 700, SCALE_AUTO, 0, 50, 800, 600, false},
    {"high density gets real pixels", 1024, 768, 2048, 1536, SCALE_AUTO, 0, 0, 2048, 1536, true},
    {"one by one draws nothing", 1, 1, 1, 1, SCALE_AUTO, 0, 0, 1, 0, false},
    {"minimised to nothing", 0, 0, 0, 0, SCALE_AUTO, 0, 0, 0, 0, true},
};

TEST(WindowFit, RectangleForEachWindow) {
    for (const auto& c : FITS) {
        SCOPED_TRACE(c.name);
        const VIEWFIT f = WINDOW_FIT(c.winw, c.winh, c.outw, c.outh, PW, PH, c.scale);
        EXPECT_EQ(f.x, c.x);
        EXPECT_EQ(f.y, c.y);
        EXPECT_EQ(f.w, c.w);
        EXPECT_EQ(f.h, c.h);
        if (c.w > 0 && c.h > 0) {
            EXPECT_EQ(f.sharp, c.sharp);
        }
    }
}

struct MapCase {
    const char* name;
    int winw, winh, outw, outh, scale;
    int wx, wy;
    bool hit;
    int px, py;
};

const MapCase MAPS[] = {
    {"one step, corner", 1024, 768, 1024, 768, SCALE_AUTO, 0, 0, true, 0, 0},
    {"one step, far corner", 1024, 768, 1024, 768, SCALE_AUTO, 1023, 767, true, 1023, 767},
    {"two steps, block start", 2048, 1536, 2048, 1536, SCALE_AUTO, 2, 2, true, 1, 1},
    {"two steps, block end", 2048, 1536, 2048, 1536, SCALE_AUTO, 3, 3, true, 1, 1},
    {"two steps, far corner", 2048, 1536, 2048, 1536, SCALE_AUTO, 2047, 1535, true, 1023, 767},
    {"three steps, block start", 3072, 2304, 3072, 2304, SCALE_AUTO, 3, 6, true, 1, 2},
    {"three steps, block end", 3072, 2304, 3072, 2304, SCALE_AUTO, 5, 8, true, 1, 2},
    {"three steps, next block", 3072, 2304, 3072, 2304, SCALE_AUTO, 6, 9, true, 2, 3},
    {"side bar, left", 2400, 1536, 2400, 1536, SCALE_AUTO, 175, 100, false, 0, 0},
    {"side bar, first column", 2400, 1536, 2400, 1536, SCALE_AUTO, 176, 0, true, 0, 0},
    {"side bar, last column", 2400, 1536, 2400, 1536, SCALE_AUTO, 2223, 1535, true, 1023, 767},
    {"side bar, right", 2400, 1536, 2400, 1536, SCALE_AUTO, 2224, 10, false, 0, 0},
    {"top bar", 2048, 1700, 2048, 1700, SCALE_AUTO, 0, 81, false, 0, 0},
    {"top bar, first row", 2048, 1700, 2048, 1700, SCALE_AUTO, 0, 82, true, 0, 0},
    {"bottom bar, last row", 2048, 1700, 2048, 1700, SCALE_AUTO, 2047, 1617, true, 1023, 767},
    {"bottom bar", 2048, 1700, 2048, 1700, SCALE_AUTO, 0, 1618, false, 0, 0},
    {"negative point", 2048, 1536, 2048, 1536, SCALE_AUTO, -1, 5, false, 0, 0},
    {"smooth, first pixel", 1920, 1080, 1920, 1080, SCALE_SMOOTH, 240, 0, true, 0, 0},
    {"smooth, last pixel", 1920, 1080, 1920, 1080, SCALE_SMOOTH, 1679, 1079, true, 1023, 767},
    {"smooth, side bar", 1920, 1080, 1920, 1080, SCALE_SMOOTH, 239, 500, false, 0, 0},
    {"shrunk, last pixel", 800, 600, 800, 600, SCALE_AUTO, 799, 599, true, 1022, 766},
    {"high density", 1024, 768, 2048, 1536, SCALE_AUTO, 10, 767, true, 10, 767},
    {"one by one window", 1, 1, 1, 1, SCALE_AUTO, 0, 0, false, 0, 0},
    {"minimised", 0, 0, 0, 0, SCALE_AUTO, 0, 0, false, 0, 0},
};

TEST(WindowFit, ClicksHitTheirPixelAndNeverTheBars) {
    for (const auto& c : MAPS) {
        SCOPED_TRACE(c.name);
        const VIEWFIT f = WINDOW_FIT(c.winw, c.winh, c.outw, c.outh, PW, PH, c.scale);
        int px = -7, py = -7;
        ASSERT_EQ(WINDOW_MAP_POINT(f, c.wx, c.wy, px, py, false), c.hit);
        if (c.hit) {
            EXPECT_EQ(px, c.px);
            EXPECT_EQ(py, c.py);
        }
    }
}

TEST(WindowFit, MovementOverTheBarsStopsAtTheEdge) {
    const VIEWFIT f = WINDOW_FIT(2400, 1700, 2400, 1700, PW, PH, SCALE_AUTO);
    int px = -1, py = -1;
    ASSERT_TRUE(WINDOW_MAP_POINT(f, 0, 0, px, py, true));
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);
    ASSERT_TRUE(WINDOW_MAP_POINT(f, 2399, 1699, px, py, true));
    EXPECT_EQ(px, 1023);
    EXPECT_EQ(py, 767);
    ASSERT_TRUE(WINDOW_MAP_POINT(f, 10, 500, px, py, true));
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, (500 - 82) / 2);
    // A window that shows nothing has no edge either.
    EXPECT_FALSE(WINDOW_MAP_POINT(WINDOW_FIT(1, 1, 1, 1, PW, PH, SCALE_AUTO), 0, 0, px, py, true));
}

TEST(WindowFit, WarpPointsComeBackToTheirPixel) {
    const int sizes[][5] = {{1024, 768, 1024, 768, SCALE_AUTO},   {2048, 1536, 2048, 1536, SCALE_AUTO},
                            {3072, 2304, 3072, 2304, SCALE_AUTO}, {2400, 1700, 2400, 1700, SCALE_AUTO},
                            {1920, 1080, 1920, 1080, SCALE_SMOOTH}, {800, 600, 800, 600, SCALE_AUTO},
                            {1024, 768, 2048, 1536, SCALE_AUTO}};
    const int points[][2] = {{0, 0}, {1, 1}, {511, 383}, {1000, 17}, {1023, 767}};
    for (const auto& s : sizes) {
        const VIEWFIT f = WINDOW_FIT(s[0], s[1], s[2], s[3], PW, PH, s[4]);
        for (const auto& p : points) {
            SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1] << " " << p[0] << "," << p[1]);
            int wx = 0, wy = 0, px = -1, py = -1;
            WINDOW_UNMAP_POINT(f, p[0], p[1], wx, wy);
            ASSERT_TRUE(WINDOW_MAP_POINT(f, wx, wy, px, py, false));
            // Shrunk pictures lose pixels; every other fit gets each one back.
            if (f.w >= PW) {
                EXPECT_EQ(px, p[0]);
                EXPECT_EQ(py, p[1]);
            } else {
                EXPECT_LE(std::abs(px - p[0]), 1);
                EXPECT_LE(std::abs(py - p[1]), 1);
            }
        }
    }
}

TEST(WindowFit, FirstWindowIsTheLargestStepThatFits) {
    struct {
        int uw, uh, scale, step;
    } const cases[] = {
        {1920, 1040, SCALE_AUTO, 1}, {3840, 2100, SCALE_AUTO, 2}, {5120, 2840, SCALE_AUTO, 3},
        {7680, 4300, SCALE_AUTO, 5}, {3840, 2100, SCALE_1, 1},    {5120, 2840, SCALE_2, 2},
        {800, 600, SCALE_AUTO, 1},   {800, 600, SCALE_3, 1},      {5120, 2840, SCALE_SMOOTH, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.uw << "x" << c.uh << " scale " << c.scale);
        EXPECT_EQ(WINDOW_FIRST_STEP(c.uw, c.uh, 16, 48, PW, PH, c.scale), c.step);
    }
}

TEST(WindowFit, NoWindowPassesPointsUnchanged) {
    const VIEWFIT f = WINDOW_VIEW();
    int px = -1, py = -1;
    ASSERT_TRUE(WINDOW_MAP_POINT(f, 1234, 56, px, py, false));
    EXPECT_EQ(px, 1234);
    EXPECT_EQ(py, 56);
    int wx = -1, wy = -1;
    WINDOW_UNMAP_POINT(f, 300, 200, wx, wy);
    EXPECT_EQ(wx, 300);
    EXPECT_EQ(wy, 200);
}

}  // namespace

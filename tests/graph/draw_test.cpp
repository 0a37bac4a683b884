#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;
using korax::test::Ints;

TEST_F(Graph, LinesIncludeBothEndPixelsAndMoveThePosition) {
    open();
    SETCOLOR(9);
    LINE(0, 0, 10, 0);
    LINE(30, 40, 20, 35);
    expect_pixels({{30, 40, 9}, {20, 35, 9}});
    LINE(5, 5, 5, 5);
    EXPECT_EQ(count(9), 11 + 11 + 1);
    SETCOLOR(2);  // relative lines and moves carry the position on
    MOVETO(10, 10);
    LINEREL(5, 0);
    LINETO(15, 20);
    EXPECT_EQ(count(2), 6 + 10);
    MOVEREL(-3, 1);
    EXPECT_EQ((Ints{GETX(), GETY()}), (Ints{12, 21}));
}

TEST_F(Graph, LineStylesAndThickness) {
    open();
    SETCOLOR(4);
    SETLINESTYLE(5, 0xAAAA, 1);
    LINE(0, 0, 10, 0);
    EXPECT_EQ(row(0, 0, 10), ".4.4.4.4.4.");
    SETLINESTYLE(5, 0x8001, 1);  // the counter starts again for every line and runs through all 16 bits
    LINE(0, 2, 20, 2);
    EXPECT_EQ(row(2, 0, 20), "4..............44....");
    RECTANGLE(30, 30, 40, 40);  // styles 5 and 6 give no outline to shapes
    SETLINESTYLE(6, 0, 1);
    LINE(0, 5, 10, 5);
    EXPECT_EQ(count(4, 0, 5, 40, 40), 0);
    SETLINESTYLE(1, 0, 1);  // dashed
    LINE(0, 9, 99, 9);
    EXPECT_TRUE(count(4, 0, 9, 99, 9) > 50 && count(4, 0, 9, 99, 9) < 100) << count(4, 0, 9, 99, 9);
    SETCOLOR(3);
    SETLINESTYLE(0, 0, 3);
    LINE(110, 10, 120, 10);
    EXPECT_EQ(count(3), 3 * 13);  // a square pen of 3 around every point
    expect_pixels({{109, 9, 3}, {121, 11, 3}});
}

TEST_F(Graph, RectanglesAndBars) {
    open();
    SETCOLOR(2);
    RECTANGLE(5, 5, 5, 5);
    EXPECT_EQ(count(2), 1);
    RECTANGLE(10, 10, 19, 14);
    EXPECT_EQ(count(2, 10, 10, 19, 14), 2 * 10 + 2 * 3);
    EXPECT_EQ(row(12, 9, 20), ".2........2.");
    SETWRITEMODE(1);  // in XOR mode every outline pixel is hit exactly once
    RECTANGLE(10, 10, 19, 14);
    EXPECT_EQ(count(0, 0, 0, 25, 25), 26 * 26 - 1);
    SETWRITEMODE(0);
    SETFILLSTYLE(1, 7);
    BAR(30, 0, 39, 9);
    BAR(50, 0, 50, 0);
    const int filled = count(7);
    SETFILLSTYLE(0, 7);  // empty fill: the background colour
    BAR(30, 0, 39, 9);
    SETFILLSTYLE(9, 3);  // hollow
    BAR(0, 0, 99, 99);
    EXPECT_EQ((Ints{filled, count(7), count(3)}), (Ints{101, 1, 0}));
    SETFILLSTYLE(1, 200);
    BAR(0, 0, GETMAXX(), GETMAXY());
    EXPECT_EQ(count(200), 1024 * 768);
}

TEST_F(Graph, FillPatterns) {
    open();
    SETFILLSTYLE(1, 9);  // hatches leave the background unless the write mode is opaque
    BAR(0, 0, 15, 15);
    SETFILLSTYLE(2, 4);
    BAR(0, 0, 15, 15);
    EXPECT_EQ((Ints{count(4, 0, 0, 15, 15), count(9, 0, 0, 15, 15)}), (Ints{32, 256 - 32}));  // two rows
    SETWRITEMODE(16);
    SETFILLSTYLE(3, 4);
    BAR(0, 0, 15, 15);
    EXPECT_EQ((Ints{count(4, 0, 0, 15, 15), count(0, 0, 0, 15, 15)}), (Ints{32, 256 - 32}));
    SETWRITEMODE(0);
    FILLPATTERNTYPE p{0x80, 0, 0, 0, 0, 0, 0, 0x01}, back;
    SETBKCOLOR(1);
    SETFILLPATTERN(p, 14);
    SETFILLSTYLE(8, 14);
    BAR(24, 0, 31, 7);
    EXPECT_EQ(row(0, 24, 31) + row(7, 24, 31), "E11111111111111E");
    EXPECT_EQ(count(14, 24, 0, 31, 7), 2);
    GETFILLPATTERN(back);
    EXPECT_EQ(back, p);
}

TEST_F(Graph, RoundShapes) {
    open();
    SETCOLOR(10);
    CIRCLE(100, 100, 20);
    expect_pixels({{120, 100, 10}, {80, 100, 10}, {100, 80, 10}, {100, 120, 10}, {100, 100, 0}});
    SETFILLSTYLE(1, 3);  // a flood fill from the centre stays inside: the outline has no gaps
    FLOODFILL(100, 100, 10);
    expect_pixels({{0, 0, 0}, {100, 100, 3}});
    ARCCOORDSTYPE ac;
    GETARCCOORDS(ac);
    EXPECT_EQ((Ints{ac.XSTART, ac.YSTART}), (Ints{120, 100}));
    SETCOLOR(11);
    ARC(300, 100, 0, 90, 30);
    GETARCCOORDS(ac);
    EXPECT_EQ((Ints{ac.X, ac.XSTART, ac.YSTART, ac.XEND, ac.YEND}), (Ints{300, 330, 100, 300, 70}));
    expect_pixels({{330, 100, 11}, {300, 70, 11}});
    EXPECT_EQ(count(11, 260, 100, 299, 140), 0);  // nothing in the lower left
    SETCOLOR(15);
    SETFILLSTYLE(1, 4);
    FILLELLIPSE(50, 250, 10, 5);
    expect_pixels({{50, 250, 4}, {60, 250, 15}, {61, 250, 0}, {50, 245, 15}});
    ECIRCLEFILL(200, 200, 0, 6);
    FILLSETTINGSTYPE fs;
    GETFILLSETTINGS(fs);
    EXPECT_EQ((Ints{EFILLCOLOR, int(fs.PATTERN), int(fs.COLOR), int(px(200, 200))}), (Ints{6, 1, 6, 15}));
    SETFILLSTYLE(1, 2);
    PIESLICE(400, 400, 0, 90, 20);
    expect_pixels({{410, 390, 2}, {390, 410, 0}, {390, 390, 0}, {400, 400, 15}});
}

TEST_F(Graph, FillPolyAndFloodFill) {
    open();
    SETCOLOR(15);
    SETFILLSTYLE(1, 5);
    POINTTYPE tri[3] = {{510, 10}, {550, 10}, {510, 50}};
    FILLPOLY(3, tri);
    expect_pixels({{520, 20, 5}, {510, 10, 15}, {545, 45, 0}});
    CLEARDEVICE();
    SETCOLOR(12);
    RECTANGLE(10, 10, 30, 30);
    SETFILLSTYLE(1, 3);
    FLOODFILL(20, 20, 12);
    EXPECT_EQ(count(3), 19 * 19);
    SETFILLSTYLE(1, 7);  // the whole page at once: no recursion, so no stack to run out of
    FLOODFILL(500, 500, 12);
    EXPECT_EQ(count(7), 1024 * 768 - 19 * 19 - 80);
    SETFILLSTYLE(1, 9);  // starting on the border does nothing, nor does the emulation's plain fill
    FLOODFILL(10, 10, 12);
    EFLOODFILL(500, 500, 12);
    EXPECT_EQ(count(9), 0);
    EFLOODFILLX(20, 20, 12);
    EXPECT_EQ(count(9), 19 * 19);
}

TEST_F(Graph, InvertRectPixelsAndClippedLines) {
    open();
    INVERTRECT(0, 0, 1, 1);
    EXPECT_EQ(count(15, 0, 0, 1, 1), 4);  // black becomes white, not index 255 (black again)
    INVERTRECT(0, 0, 1, 1);
    EXPECT_EQ(count(0, 0, 0, 1, 1), 4);
    PUTPIXEL(5, 5, 14);  // yellow (FC,FC,54) becomes blue (00,00,A8)
    INVERTRECT(5, 5, 5, 5);
    EXPECT_EQ(px(5, 5), 1u);
    PUTPIXEL(3, 4, 300);  // modulo 256
    PUTPIXEL(6, 6, 250);  // duplicate palette entries answer the first of them
    EXPECT_EQ((Ints{int(px(3, 4)), int(GETPIXEL(3, 4)), int(GETPIXEL(6, 6)), int(GETPIXEL(-1, 5))}), (Ints{44, 44, 0, 0}));
    SETVIEWPORT(100, 100, 109, 109, true);
    SETCOLOR(5);
    LINE(-50, 5, 50, 5);  // through the whole viewport
    LINE(5, -50, 5, 50);
    SETVIEWPORT(0, 0, GETMAXX(), GETMAXY(), false);
    EXPECT_EQ(count(5), 10 + 10 - 1);
    EXPECT_EQ(row(105, 99, 110), ".5555555555.");
}

TEST_F(Graph, SeldomUsedShapesStayInTheirBox) {
    open();
    SETCOLOR(6);
    SETFILLSTYLE(1, 1);
    BAR3D(310, 20, 330, 40, 5, true);
    expect_pixels({{320, 30, 1}, {310, 20, 6}, {315, 15, 6}, {335, 30, 6}});  // face, front, top and side edges
    SETFILLSTYLE(1, 6);
    ROUNDRECT(10, 10, 40, 30, 5);
    expect_pixels({{25, 20, 6}, {10, 10, 0}, {25, 10, 6}});  // the corner is rounded off
    EXPECT_EQ(count(6, 0, 0, 60, 60), count(6, 10, 10, 40, 30));
    CLEARDEVICE();
    ROTELLIPSE(100, 100, 90, 20, 5);  // turned upright
    EXPECT_TRUE(count(6, 94, 79, 106, 121) == count(6) && count(6) > 40) << count(6);
    CLEARDEVICE();
    POINTTYPE pts[4] = {{0, 0}, {10, 0}, {10, 10}, {20, 10}};
    DRAWPOLY(4, pts);
    EXPECT_EQ(count(6), 11 + 10 + 10);
    CLEARDEVICE();
    DRAWBEZIER(4, pts);
    expect_pixels({{0, 0, 6}, {20, 10, 6}});
    CLEARDEVICE();
    CHORD(200, 200, 0, 180, 20, 20);  // the upper half
    expect_pixels({{200, 190, 6}, {200, 210, 0}});
}

TEST_F(Graph, AbsurdCoordinatesFinishQuickly) {
    open();
    SETCOLOR(3);
    SETFILLSTYLE(1, 3);
    LINE(-2000000000, -5, 2000000000, 7);
    SECTOR(500, 500, 10, 350, 32767, 32767);
    PIESLICE(-30000, -30000, 0, 90, 32767);
    RECTANGLE(-2000000000, -2000000000, 2000000000, 2000000000);
    ROUNDRECT(-2000000000, -2000000000, 2000000000, 2000000000, 3);
    POINTTYPE far[3] = {{-2000000000, 0}, {2000000000, 5}, {0, 2000000000}};
    FILLPOLY(3, far);
    EXPECT_GT(count(3), 0);
}

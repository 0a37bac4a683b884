#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;

TEST_F(Graph, ModeDriverAndErrorNames) {
    const std::pair<int, const char*> modes[] = {
        {12, "Full screen (VESA)"}, {3, "640 x 480 (VESA)"}, {7, "invalid graphics mode"},
        {0, "invalid graphics mode"}, {14, "invalid graphics mode"}};
    for (const auto& [m, name] : modes) EXPECT_EQ(GETMODENAME(m), name) << m;
    const std::pair<int, const char*> errors[] = {
        {0, ""}, {-1, "Error: Graphics window not initialized. Use InitGraph"},
        {-9, "Error: OpenGL driver not initialized"}, {-10, "Error: General graphics error"},
        {-11, "Error: Unrecognized error code"}};
    for (const auto& [e, text] : errors) EXPECT_EQ(GRAPHERRORMSG(e), text) << e;
    int lo = 0, hi = 0, d = 0, m = 0;
    GETMODERANGE(7, lo, hi);
    DETECTGRAPH(d, m);
    EXPECT_EQ(std::vector<int>({GETMAXMODE(), lo, hi, d, m}), std::vector<int>({13, 1, 13, 3, 12}));
    open(2, 3);
    EXPECT_EQ(GETDRIVERNAME(), "D4bit - 16 colors");
    EXPECT_EQ(GETMAXCOLOR(), 15u);
}

TEST_F(Graph, ClosedLayerDrawsNothingAndReportsItOnce) {
    CLOSEGRAPH();
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
    BAR(0, 0, 1, 1);
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
    EXPECT_EQ(GRAPHRESULT(), 0);
    SETCOLOR(3);
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
}

TEST_F(Graph, OpensHeadlessWithDefaultsAndOnlyOnce) {
    open();
    EXPECT_EQ(GETMAXX(), 1023);
    EXPECT_EQ(GETMAXY(), 767);
    EXPECT_TRUE(GRDIRECT);
    EXPECT_EQ(GETDRIVERNAME(), "D8bit - 256 colors");
    EXPECT_EQ(GETCOLOR(), 15u);  // WHITE mapped into the default palette
    EXPECT_EQ(GETBKCOLOR(), 0u);
    TEXTSETTINGSTYPE ts;
    GETTEXTSETTINGS(ts);
    EXPECT_EQ(+ts.CHARSIZE, 16);
    EXPECT_EQ(+ts.VERT, 2);
    INITGRAPH(3, 6, "again");
    EXPECT_EQ(GRAPHRESULT(), grError);
    SETGRAPHMODE(3);
    EXPECT_EQ(GRAPHRESULT(), grError);
    EXPECT_EQ(GETGRAPHMODE(), 6);
}

TEST_F(Graph, BadDriverModeOrSizeLeaveTheLayerClosed) {
    GRDRIVER = -1;
    SETGRAPHMODE(3);
    EXPECT_EQ(GRAPHRESULT(), grError);
    const struct { int driver, mode, w, h, result; } cases[] = {
        {4, 6, 640, 480, grInvalidDriver}, {3, 8, 640, 480, grInvalidMode}, {3, 13, 1921, 100, grInvalidMode}};
    for (const auto& c : cases) {
        SETWINDOWSIZE(c.w, c.h);
        INITGRAPH(c.driver, c.mode, "");
        EXPECT_EQ(GRAPHRESULT(), c.result) << c.driver << " " << c.mode;
        EXPECT_FALSE(GRAPHENABLED());
    }
}

TEST_F(Graph, WindowGeometryPopupFramedOrFullScreen) {
    // The headless desktop is 1920 x 1080; the frame adds 6 x 29, a popup none.
    const struct { int w, h, mode, winw, winh, maxx; } cases[] = {
        {1918, 1060, 13, 1918, 1060, 1917}, {800, 600, 13, 806, 629, 799}, {800, 600, 12, 1926, 1109, 1919}};
    for (const auto& c : cases) {
        SETWINDOWSIZE(c.w, c.h);
        INITGRAPH(3, c.mode, "");
        EXPECT_EQ(GRAPHRESULT(), grNoOpenGL);
        EXPECT_EQ(GETMAXX(), c.maxx);
        if (c.mode == 13) {
            EXPECT_EQ(WINDOWWIDTH, c.winw);
            EXPECT_EQ(WINDOWHEIGHT, c.winh);
        } else {
            EXPECT_EQ(GETMAXY(), 1079);
        }
        CLOSEGRAPH();
    }
}

TEST_F(Graph, PaletteSpotChecksAndNamedColours) {
    const std::pair<int, std::uint32_t> entries[] = {
        {6, RGB(0xA8, 0x54, 0x00)}, {16, 0}, {23, RGB(0x60, 0x60, 0x60)}, {33, RGB(0x40, 0x00, 0xFC)},
        {232, RGB(0x40, 0x2C, 0x2C)}, {247, RGB(0x2C, 0x30, 0x40)}, {255, 0}};
    for (const auto& [i, rgb] : entries) EXPECT_EQ(DEFAULTVGAPALETTE[static_cast<std::size_t>(i)], rgb) << i;
    ASSERT_EQ(MAGICKPALETTE.size(), 144u);
    EXPECT_STREQ(MAGICKNAMES[143], "YELLOWGREEN");
    open(9, 3);
    EXPECT_EQ(CYAN, RGB(0x00, 0xA8, 0xA8));
    EXPECT_EQ(ORANGE, RGB(0xFF, 0xA5, 0x00));
}

TEST_F(Graph, PalettePagesKeepIndicesWhenAnEntryChanges) {
    open();
    SETFILLSTYLE(1, 5);
    BAR(0, 0, 9, 9);
    EXPECT_EQ(SHOWN_RGB(px(3, 3)), RGB(0xA8, 0x00, 0xA8));
    SETRGBPALETTE(5, 1, 2, 3);
    EXPECT_EQ(GRAPHRESULT(), 0);
    EXPECT_EQ(px(3, 3), 5u);
    EXPECT_EQ(SHOWN_RGB(px(3, 3)), RGB(1, 2, 3));
    PALETTETYPE p;
    GETPALETTE(p);
    EXPECT_EQ(+p.SIZE, 256);
    EXPECT_EQ(+p.COLORS[5], RGB(1, 2, 3));
}

TEST_F(Graph, PaletteParameterChecks) {
    open();
    SETRGBPALETTE(256, 1, 2, 3);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    SETRGBPALETTE(-1, 1, 2, 3);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    SETPALETTE(3, 256);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    SETPALETTE(3, 14);
    EXPECT_EQ(GRAPHRESULT(), 0);
    EXPECT_EQ(SHOWN_RGB(3), RGB(0xFC, 0xFC, 0x54));
    PALETTETYPE big{};
    big.SIZE = 257;
    SETALLPALETTE(big);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    EXPECT_EQ(SHOWN_RGB(3), RGB(0xFC, 0xFC, 0x54));
}

TEST_F(Graph, DirectColourHasNoPaletteAndTwoColoursWrap) {
    open(9, 3);
    SETRGBPALETTE(1, 1, 2, 3);
    EXPECT_EQ(GRAPHRESULT(), grNoPalette);
    PALETTETYPE p;
    GETPALETTE(p);
    EXPECT_EQ(GRAPHRESULT(), grNoPalette);
    PUTPIXEL(2, 2, RGB(10, 20, 30));
    EXPECT_EQ(GETPIXEL(2, 2), RGB(10, 20, 30));
    GETDEFAULTPALETTE(p);
    EXPECT_EQ(+p.SIZE, 256);
    CLOSEGRAPH();
    open(1, 1);
    GETPALETTE(p);
    EXPECT_EQ(+p.SIZE, 2);
    EXPECT_EQ(+p.COLORS[1], 0xFFFFFFu);
    PUTPIXEL(0, 0, 3);  // index modulo the palette size
    EXPECT_EQ(px(0, 0), 1u);
}

TEST_F(Graph, PagesAndVisualPage) {
    open();
    SETACTIVEPAGE(5);
    EXPECT_EQ(ACTIVEPAGE, 0);
    SETACTIVEPAGE(1);
    EXPECT_FALSE(GRDIRECT);
    SETFILLSTYLE(1, 4);
    BAR(0, 0, 3, 3);
    EXPECT_EQ(PAGE_PIXEL(1, 1, 1), 4u);
    EXPECT_EQ(PAGE_PIXEL(0, 1, 1), 0u);
    SETVISUALPAGE(1);
    EXPECT_TRUE(GRDIRECT);
    UPDATEGRAPH(0);
    EXPECT_FALSE(GRDIRECT);
    UPDATEGRAPH(1);
    EXPECT_TRUE(GRDIRECT);
}

TEST_F(Graph, ViewportChecksAndClipping) {
    open();
    SETVIEWPORT(20, 10, 10, 20, true);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    SETVIEWPORT(10, 10, 20, 20, true);
    SETFILLSTYLE(1, 2);
    BAR(-5, -5, 100, 100);
    EXPECT_EQ(count(2), 121);
    EXPECT_EQ(count(2, 10, 10, 20, 20), 121);
    SETVIEWPORT(100, 100, 110, 110, false);
    PUTPIXEL(20, 0, 7);  // no clipping: lands outside the viewport
    EXPECT_EQ(px(120, 100), 7u);
    SETBKCOLOR(1);
    CLEARVIEWPORT();
    EXPECT_EQ(count(1), 121);
    CLEARDEVICE();
    EXPECT_EQ(count(1), 1024 * 768);
    VIEWPORTTYPE vp;
    GETVIEWSETTINGS(vp);
    EXPECT_EQ(+vp.X1, 100);
    EXPECT_EQ(+vp.CLIP, 0);
}

TEST_F(Graph, WriteModes) {
    open();
    SETWRITEMODE(14);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    SETWRITEMODE(32);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    SETWRITEMODE(17);  // XOR: twice gives the background back
    SETFILLSTYLE(1, 6);
    BAR(0, 0, 20, 0);
    SETCOLOR(3);
    LINE(0, 0, 20, 0);
    EXPECT_EQ(count(6 ^ 3, 0, 0, 20, 0), 21);
    LINE(0, 0, 20, 0);
    EXPECT_EQ(count(6, 0, 0, 20, 0), 21);
    // Further modes over the background 6: its inverse, black, white, left alone.
    const std::pair<int, std::uint32_t> modes[] = {{6, 255 - 6}, {11, 0}, {12, 255}, {13, 6}};
    int x = 0;
    for (const auto& [mode, want] : modes) {
        SETWRITEMODE(mode);
        LINE(x, 0, x, 0);
        EXPECT_EQ(px(x, 0), want) << mode;
        ++x;
    }
}

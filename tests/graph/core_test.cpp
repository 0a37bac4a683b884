#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;

TEST_F(Graph, ModeAndDriverNames) {
    EXPECT_EQ(GETMODENAME(12), "Full screen (VESA)");
    EXPECT_EQ(GETMODENAME(3), "640 x 480 (VESA)");
    for (int m : {0, 7, 14}) EXPECT_EQ(GETMODENAME(m), "invalid graphics mode");
    EXPECT_EQ(GETMAXMODE(), 13);
    int lo = 0, hi = 0;
    GETMODERANGE(7, lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 13);
    int d = 0, m = 0;
    DETECTGRAPH(d, m);
    EXPECT_EQ(d, 3);
    EXPECT_EQ(m, 12);
    open(2, 3);
    EXPECT_EQ(GETDRIVERNAME(), "D4bit - 16 colors");
    EXPECT_EQ(GETMAXCOLOR(), 15u);
}

TEST_F(Graph, ErrorMessages) {
    EXPECT_EQ(GRAPHERRORMSG(0), "");
    EXPECT_EQ(GRAPHERRORMSG(-1), "Error: Graphics window not initialized. Use InitGraph");
    EXPECT_EQ(GRAPHERRORMSG(-9), "Error: OpenGL driver not initialized");
    EXPECT_EQ(GRAPHERRORMSG(-10), "Error: General graphics error");
    EXPECT_EQ(GRAPHERRORMSG(-11), "Error: Unrecognized error code");
}

TEST_F(Graph, ClosedLayerDrawsNothingAndTheResultIsReadOnce) {
    BAR(0, 0, 1, 1);
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
    EXPECT_EQ(GRAPHRESULT(), 0);
    CLOSEGRAPH();
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
    SETCOLOR(3);
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
}

TEST_F(Graph, OpensHeadlessWithDefaults) {
    open();
    EXPECT_EQ(GETMAXX(), 1023);
    EXPECT_EQ(GETMAXY(), 767);
    EXPECT_EQ(ACTIVEPAGE, 0);
    EXPECT_EQ(VISUALPAGE, 0);
    EXPECT_TRUE(GRDIRECT);
    EXPECT_EQ(GETDRIVERNAME(), "D8bit - 256 colors");
    EXPECT_EQ(GETCOLOR(), 15u);  // WHITE mapped into the default palette
    EXPECT_EQ(GETBKCOLOR(), 0u);
    TEXTSETTINGSTYPE ts;
    GETTEXTSETTINGS(ts);
    EXPECT_EQ(+ts.CHARSIZE, 16);
    EXPECT_EQ(+ts.HORIZ, 0);
    EXPECT_EQ(+ts.VERT, 2);
    INITGRAPH(3, 6, "again");
    EXPECT_EQ(GRAPHRESULT(), grError);
}

TEST_F(Graph, BadDriverAndModeLeaveTheLayerClosed) {
    INITGRAPH(4, 6, "");
    EXPECT_EQ(GRAPHRESULT(), grInvalidDriver);
    EXPECT_FALSE(GRAPHENABLED());
    INITGRAPH(3, 8, "");
    EXPECT_EQ(GRAPHRESULT(), grInvalidMode);
    EXPECT_FALSE(GRAPHENABLED());
}

TEST_F(Graph, WindowGeometryPopupAndTooLarge) {
    // The headless desktop is 1920 x 1080; the frame adds 6 x 29.
    SETWINDOWSIZE(1918, 1060);
    INITGRAPH(3, 13, "");
    EXPECT_EQ(GRAPHRESULT(), grNoOpenGL);
    EXPECT_EQ(WINDOWWIDTH, 1918);  // borderless popup of exactly the client size
    EXPECT_EQ(WINDOWHEIGHT, 1060);
    EXPECT_EQ(GETMAXX(), 1917);
    CLOSEGRAPH();
    SETWINDOWSIZE(800, 600);
    INITGRAPH(3, 13, "");
    EXPECT_EQ(GRAPHRESULT(), grNoOpenGL);
    EXPECT_EQ(WINDOWWIDTH, 806);
    EXPECT_EQ(WINDOWHEIGHT, 629);
    CLOSEGRAPH();
    SETWINDOWSIZE(1921, 100);
    INITGRAPH(3, 13, "");
    EXPECT_EQ(GRAPHRESULT(), grInvalidMode);
    EXPECT_FALSE(GRAPHENABLED());
    INITGRAPH(3, 12, "");
    EXPECT_EQ(GRAPHRESULT(), grNoOpenGL);
    EXPECT_EQ(GETMAXX(), 1919);
    EXPECT_EQ(GETMAXY(), 1079);
}

TEST_F(Graph, SetGraphModeFailsWhileOpen) {
    GRDRIVER = -1;
    SETGRAPHMODE(3);
    EXPECT_EQ(GRAPHRESULT(), grError);
    EXPECT_EQ(GETGRAPHMODE(), -1);
    open();
    SETGRAPHMODE(3);
    EXPECT_EQ(GRAPHRESULT(), grError);
    EXPECT_EQ(GETGRAPHMODE(), 6);
}

TEST_F(Graph, NamedColoursTurnIntoTheirRgbInDirectColour) {
    EXPECT_EQ(INTERNCOLOR[7], &BLACK);
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

TEST_F(Graph, DirectColourHasNoPalette) {
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
}

TEST_F(Graph, TwoColourDriverDefaultPalette) {
    open(1, 1);
    PALETTETYPE p;
    GETPALETTE(p);
    EXPECT_EQ(+p.SIZE, 2);
    EXPECT_EQ(+p.COLORS[0], 0u);
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
    EXPECT_EQ(px(10, 10), 2u);
    EXPECT_EQ(px(20, 20), 2u);
    EXPECT_EQ(px(21, 20), 0u);
    EXPECT_EQ(px(9, 10), 0u);
    SETVIEWPORT(100, 100, 110, 110, false);
    PUTPIXEL(20, 0, 7);  // no clipping: lands outside the viewport
    EXPECT_EQ(px(120, 100), 7u);
    EXPECT_EQ(GETX(), 0);
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
    SETWRITEMODE(17);
    EXPECT_EQ(GRAPHRESULT(), 0);
    SETFILLSTYLE(1, 6);
    BAR(0, 0, 20, 0);
    SETCOLOR(3);
    LINE(0, 0, 20, 0);
    EXPECT_EQ(px(0, 0), 6u ^ 3u);
    EXPECT_EQ(px(20, 0), 6u ^ 3u);
    LINE(0, 0, 20, 0);
    EXPECT_EQ(count(6, 0, 0, 20, 0), 21);
    SETWRITEMODE(6);
    LINE(0, 0, 0, 0);
    EXPECT_EQ(px(0, 0), 255u - 6u);
    SETWRITEMODE(11);
    LINE(1, 0, 1, 0);
    EXPECT_EQ(px(1, 0), 0u);
    SETWRITEMODE(12);
    LINE(2, 0, 2, 0);
    EXPECT_EQ(px(2, 0), 15u);  // white, not index 255 (black in this palette)
    SETWRITEMODE(13);
    LINE(3, 0, 3, 0);
    EXPECT_EQ(px(3, 0), 6u);
}

#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;
using korax::test::Ints;

TEST_F(Graph, ModeNamesDetectionAndErrorMessages) {
    const std::pair<int, const char*> names[] = {
        {12, "Full screen (VESA)"},   {3, "640 x 480 (VESA)"},     {0, "invalid graphics mode"},
        {7, "invalid graphics mode"}, {14, "invalid graphics mode"}};
    for (const auto& [mode, name] : names) EXPECT_EQ(GETMODENAME(mode), name) << mode;
    const std::pair<int, const char*> errors[] = {
        {0, ""}, {-1, "Error: Graphics window not initialized. Use InitGraph"},
        {-9, "Error: OpenGL driver not initialized"}, {-10, "Error: General graphics error"},
        {-11, "Error: Unrecognized error code"}};
    for (const auto& [nr, text] : errors) EXPECT_EQ(GRAPHERRORMSG(nr), text) << nr;
    int lo = 0, hi = 0, d = 0, m = 0;
    GETMODERANGE(7, lo, hi);
    DETECTGRAPH(d, m);
    EXPECT_EQ((Ints{GETMAXMODE(), lo, hi, d, m}), (Ints{13, 1, 13, 3, 12}));
    open(2, 3);
    EXPECT_EQ(GETDRIVERNAME(), "D4bit - 16 colors");
    EXPECT_EQ(GETMAXCOLOR(), 15u);
}

TEST_F(Graph, ClosedOpenedAndOpenedAgain) {
    BAR(0, 0, 1, 1);  // closed: nothing drawn, and the result is read once
    EXPECT_EQ((Ints{GRAPHRESULT(), GRAPHRESULT()}), (Ints{grNoInitGraph, 0}));
    CLOSEGRAPH();
    EXPECT_EQ(GRAPHRESULT(), grNoInitGraph);
    GRDRIVER = -1;
    SETGRAPHMODE(3);
    EXPECT_EQ((Ints{GRAPHRESULT(), GETGRAPHMODE()}), (Ints{grError, -1}));
    open();
    EXPECT_EQ((Ints{GETMAXX(), GETMAXY(), ACTIVEPAGE, VISUALPAGE, GRDIRECT}), (Ints{1023, 767, 0, 0, true}));
    EXPECT_EQ((Ints{int(GETCOLOR()), int(GETBKCOLOR())}), (Ints{15, 0}));  // WHITE mapped into the default palette
    TEXTSETTINGSTYPE ts;
    GETTEXTSETTINGS(ts);
    EXPECT_EQ((Ints{ts.CHARSIZE, ts.HORIZ, ts.VERT}), (Ints{16, 0, 2}));
    INITGRAPH(3, 6, "again");
    EXPECT_EQ(GRAPHRESULT(), grError);
    SETGRAPHMODE(3);
    EXPECT_EQ((Ints{GRAPHRESULT(), GETGRAPHMODE()}), (Ints{grError, 6}));
}

TEST_F(Graph, OpeningChecksDriverModeAndWindowSize) {
    // The headless desktop is 1920 x 1080; the frame adds 6 x 29 unless only a
    // borderless popup of exactly the client size fits.
    const struct { int w, h, driver, mode, result; Ints size; } cases[] = {  // size: GETMAXX, GETMAXY, window
        {640, 480, 4, 6, grInvalidDriver, {}},
        {640, 480, 3, 8, grInvalidMode, {}},
        {1918, 1060, 3, 13, grNoOpenGL, {1917, 1059, 1918, 1060}},
        {800, 600, 3, 13, grNoOpenGL, {799, 599, 806, 629}},
        {1921, 100, 3, 13, grInvalidMode, {}},
        {1921, 100, 3, 12, grNoOpenGL, {1919, 1079}},
    };
    for (const auto& c : cases) {
        SETWINDOWSIZE(c.w, c.h);
        INITGRAPH(c.driver, c.mode, "");
        EXPECT_EQ(GRAPHRESULT(), c.result) << c.w << " mode " << c.mode;
        ASSERT_EQ(GRAPHENABLED(), c.result == grNoOpenGL);
        if (!GRAPHENABLED()) continue;
        Ints size = {GETMAXX(), GETMAXY(), WINDOWWIDTH, WINDOWHEIGHT};
        size.resize(c.size.size());
        EXPECT_EQ(size, c.size) << c.w << " mode " << c.mode;
        CLOSEGRAPH();
    }
}

TEST_F(Graph, PaletteModeKeepsIndicesAndChecksParameters) {
    open();
    SETFILLSTYLE(1, 5);
    BAR(0, 0, 9, 9);
    EXPECT_EQ(SHOWN_RGB(px(3, 3)), RGB(0xA8, 0x00, 0xA8));
    SETRGBPALETTE(5, 1, 2, 3);
    SETPALETTE(3, 14);
    PALETTETYPE p;
    GETPALETTE(p);
    EXPECT_EQ((Ints{GRAPHRESULT(), int(px(3, 3)), p.SIZE}), (Ints{0, 5, 256}));
    EXPECT_EQ((std::vector<std::uint32_t>{SHOWN_RGB(5), p.COLORS[5], SHOWN_RGB(3)}),
              (std::vector<std::uint32_t>{RGB(1, 2, 3), RGB(1, 2, 3), RGB(0xFC, 0xFC, 0x54)}));
    p.SIZE = 257;
    SETALLPALETTE(p);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    EXPECT_EQ(SHOWN_RGB(3), RGB(0xFC, 0xFC, 0x54));
}

TEST_F(Graph, DirectColourHasNoPaletteAndDrawsRgb) {
    EXPECT_EQ(INTERNCOLOR[7], &BLACK);
    open(9, 3);
    EXPECT_EQ(CYAN, RGB(0x00, 0xA8, 0xA8));
    EXPECT_EQ(ORANGE, RGB(0xFF, 0xA5, 0x00));
    static PALETTETYPE p;
    for (void (*call)() : {+[] { SETRGBPALETTE(1, 1, 2, 3); }, +[] { SETPALETTE(1, 1); }, +[] { GETPALETTE(p); }}) {
        call();
        EXPECT_EQ(GRAPHRESULT(), grNoPalette);
    }
    GETDEFAULTPALETTE(p);
    EXPECT_EQ(+p.SIZE, 256);
    PUTPIXEL(2, 2, RGB(10, 20, 30));
    EXPECT_EQ(GETPIXEL(2, 2), RGB(10, 20, 30));
    SETCOLOR(RGB(1, 2, 3));
    LINE(0, 0, 3, 0);
    SETWRITEMODE(1);
    LINE(0, 0, 0, 0);
    SETFILLSTYLE(1, RED);
    BAR(10, 10, 11, 11);
    std::vector<std::uint8_t> img;
    GETIMAGE(10, 10, 11, 11, img);
    PUTIMAGE(20, 20, img, 0);
    expect_pixels({{3, 0, RGB(1, 2, 3)}, {0, 0, 0}, {10, 10, RGB(0xFF, 0, 0)}, {21, 21, RGB(0xFF, 0, 0)}});
}

TEST_F(Graph, TwoColourDriverAndPages) {
    open(1, 1);
    PALETTETYPE p;
    GETPALETTE(p);
    PUTPIXEL(0, 0, 3);  // index modulo the palette size
    EXPECT_EQ((Ints{p.SIZE, int(p.COLORS[1]), int(px(0, 0))}), (Ints{2, 0xFFFFFF, 1}));
    CLOSEGRAPH();
    open();
    SETACTIVEPAGE(5);
    EXPECT_EQ(ACTIVEPAGE, 0);
    SETACTIVEPAGE(1);
    EXPECT_FALSE(GRDIRECT);
    SETFILLSTYLE(1, 4);
    BAR(0, 0, 3, 3);
    EXPECT_EQ((Ints{int(PAGE_PIXEL(1, 1, 1)), int(PAGE_PIXEL(0, 1, 1))}), (Ints{4, 0}));
    SETVISUALPAGE(1);
    const bool shown = GRDIRECT;
    UPDATEGRAPH(0);
    const bool held = GRDIRECT;
    UPDATEGRAPH(1);
    EXPECT_EQ((Ints{shown, held, GRDIRECT}), (Ints{true, false, true}));
}

TEST_F(Graph, ViewportWithoutClippingAndClearing) {
    open();
    SETVIEWPORT(100, 100, 110, 110, false);
    PUTPIXEL(20, 0, 7);  // no clipping: lands outside the viewport
    EXPECT_EQ((Ints{int(px(120, 100)), GETX()}), (Ints{7, 0}));
    SETBKCOLOR(1);
    CLEARVIEWPORT();
    EXPECT_EQ(count(1), 121);
    CLEARDEVICE();
    EXPECT_EQ(count(1), 1024 * 768);
}

TEST_F(Graph, BadParametersAreRefusedAndChangeNothing) {
    open();
    SETCOLOR(5);
    SETFILLSTYLE(1, 5);
    SETTEXTSTYLE(2, 0, 16);
    static POINTTYPE pts[3] = {{0, 0}, {10, 0}, {10, 10}};
    static std::vector<std::uint8_t> buf;
    const std::pair<void (*)(), int> calls[] = {
        {[] { SETRGBPALETTE(256, 1, 2, 3); }, grInvalidParam},  {[] { SETRGBPALETTE(-1, 1, 2, 3); }, grInvalidParam},
        {[] { SETPALETTE(3, 256); }, grInvalidParam},           {[] { SETVIEWPORT(20, 10, 10, 20, true); }, grInvalidParam},
        {[] { SETWRITEMODE(14); }, grInvalidParam},             {[] { SETWRITEMODE(32); }, grInvalidParam},
        {[] { SETLINESTYLE(7, 0, 1); }, grInvalidParam},        {[] { SETFILLSTYLE(10, 1); }, grInvalidParam},
        {[] { RECTANGLE(6, 5, 5, 5); }, grInvalidParam},        {[] { BAR(5, 0, 4, 0); }, grInvalidParam},
        {[] { ROUNDRECT(5, 0, 4, 0, 1); }, grInvalidParam},     {[] { FILLPOLY(0, pts); }, grInvalidParam},
        {[] { DRAWBEZIER(3, pts); }, grInvalidParam},           {[] { SETTEXTJUSTIFY(3, 0); }, grInvalidParam},
        {[] { SETTEXTSTYLE(15, 0, 16); }, grInvalidFontNum},    {[] { SETTEXTSTYLE(9, 0, 16); }, grInvalidFontNum},
        {[] { GETIMAGE(2, 0, 1, 0, buf); }, grInvalidParam},
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        calls[i].first();
        EXPECT_EQ(GRAPHRESULT(), calls[i].second) << "call " << i;
    }
    EXPECT_EQ(count(0), 1024 * 768);  // nothing drawn
    EXPECT_EQ(SHOWN_RGB(3), RGB(0, 0xA8, 0xA8));
    VIEWPORTTYPE vp;
    GETVIEWSETTINGS(vp);
    TEXTSETTINGSTYPE ts;
    GETTEXTSETTINGS(ts);
    EXPECT_EQ((Ints{vp.X2, ts.FONT, ts.HORIZ}), (Ints{1023, 2, 0}));
}

TEST_F(Graph, WriteModes) {
    open();
    SETFILLSTYLE(1, 6);
    BAR(0, 0, 20, 0);
    SETCOLOR(3);
    SETWRITEMODE(17);
    LINE(0, 0, 20, 0);
    EXPECT_EQ(count(6 ^ 3, 0, 0, 20, 0), 21);
    LINE(0, 0, 20, 0);
    EXPECT_EQ(count(6, 0, 0, 20, 0), 21);
    // One pixel of colour 3 on 6 in each mode; white is 15, not 255 (black here).
    const std::pair<int, std::uint32_t> modes[] = {{6, 255 - 6}, {11, 0}, {12, 15}, {13, 6}};
    for (const auto& [mode, want] : modes) {
        SETWRITEMODE(mode);
        LINE(mode, 0, mode, 0);
        EXPECT_EQ(px(mode, 0), want) << mode;
    }
}

TEST_F(Graph, EmulationOpensPaletteModeFailsFatallyWhenOpenAndForwards) {
    EXPECT_EQ((Ints{EHIGHCOLOR(4), EGETPAGECOUNT(), EVMODE(3)}), (Ints{12, 4, 0}));
    EWINTITLE = "Manager - Korax 32-Bit";
    EINITGRAPH(99);
    EXPECT_EQ((Ints{INGRAPH, EMAXX, EMAXY, EGETMAXCOLOR()}), (Ints{true, 1023, 767, 255}));
    EXPECT_EQ(GRTITLE, "Manager - Korax 32-Bit");
    EXPECT_EQ(EGETDRIVERNAME(), "D8bit - 256 colors");
    try {  // -10 ends the program with exit code 1
        EINITGRAPH(0);
        FAIL() << "no fatal error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 1);
        EXPECT_EQ(e.text, "Error: General graphics error");
    }
    ESETFILLSTYLE(1, 4);
    EBAR(-1, 0, 5, 5);  // 65535 > 5: nothing
    EBAR(5, 5, 4, 9);
    EXPECT_EQ((Ints{count(4), GRAPHRESULT()}), (Ints{0, 0}));
    EBAR(0, 0, 9, 9);
    EXPECT_EQ(count(4), 100);
    EMOVETO(50, 50);
    ELINEREL(2, 0);
    EXPECT_EQ(EGETX(), 52);
    ESETVIEWPORT(10, 10, 20, 20, true);
    VIEWPORTTYPE vp;
    EGETVIEWSETTINGS(vp);
    ECLOSEGRAPH();
    EXPECT_EQ((Ints{vp.X2, INGRAPH, GRAPHENABLED()}), (Ints{20, false, false}));
}

#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;

TEST_F(Graph, EInitGraphOpensPaletteModeAndFailsFatallyWhenOpen) {
    EXPECT_EQ(EHIGHCOLOR(4), 12);
    EXPECT_EQ(EGETPAGECOUNT(), 4);
    EXPECT_EQ(EVMODE(3), 0);
    EWINTITLE = "Manager - Korax 32-Bit";
    EINITGRAPH(99);
    EXPECT_TRUE(INGRAPH);
    EXPECT_EQ(EMAXX, 1023);
    EXPECT_EQ(EMAXY, 767);
    EXPECT_EQ(GRTITLE, "Manager - Korax 32-Bit");
    EXPECT_EQ(EGETMAXCOLOR(), 255);
    EXPECT_EQ(EGETDRIVERNAME(), "D8bit - 256 colors");
    // Opening twice fails with -10, which ends the program with exit code 1.
    try {
        EINITGRAPH(0);
        FAIL() << "no fatal error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 1);
        EXPECT_EQ(e.text, "Error: General graphics error");
    }
    ECLOSEGRAPH();
    EXPECT_FALSE(INGRAPH);
    EXPECT_FALSE(GRAPHENABLED());
}

TEST_F(Graph, EBarComparesUnsignedAndForwardersDraw) {
    open();
    ESETFILLSTYLE(1, 4);
    EBAR(-1, 0, 5, 5);  // 65535 > 5: nothing
    EBAR(5, 5, 4, 9);
    EXPECT_EQ(count(4), 0);
    EXPECT_EQ(GRAPHRESULT(), 0);
    EBAR(0, 0, 9, 9);
    EXPECT_EQ(count(4), 100);
    ESETCOLOR(2);
    ELINE(0, 20, 4, 20);
    ERECTANGLE(10, 30, 12, 32);
    EXPECT_EQ(count(2), 5 + 8);
    EPUTPIXEL(100, 100, 3);
    EXPECT_EQ(EGETPIXEL(100, 100), 3);
    EMOVETO(50, 50);
    ELINEREL(2, 0);
    EXPECT_EQ(EGETX(), 52);
    ESETBLKCOLOR(1);
    ECLEARDEVICE();
    EXPECT_EQ(count(1), 1024 * 768);
    ESETVIEWPORT(10, 10, 20, 20, true);
    VIEWPORTTYPE vp;
    EGETVIEWSETTINGS(vp);
    EXPECT_EQ(+vp.X2, 20);
}

// Pixels of the toolkit's fields, glyphs and icons, and the mouse waits.
#include "ui_fixture.h"

#include <vector>

#include "ui/m_graph.h"

using namespace korax;
using korax::uitest::Screen;

namespace {

std::uint32_t px(int x, int y) { return PAGE_PIXEL(ACTIVEPAGE, x, y); }

}  // namespace

TEST(Bevel, AutomaticWidthByFieldWidth) {
    EXPECT_EQ(AUTOBEVEL(100, 250), 3);
    EXPECT_EQ(AUTOBEVEL(0, 99), 2);
    EXPECT_EQ(AUTOBEVEL(0, 199), 3);
    EXPECT_EQ(AUTOBEVEL(0, 200), 4);
}

TEST_F(Screen, RaisedFieldOf150PixelsHasABevelOf3) {
    FELD3D(100, 100, 250, 200, 0, 1);
    EXPECT_EQ(px(150, 100), 0u);   // outline
    EXPECT_EQ(px(150, 101), 15u);  // light top edge
    EXPECT_EQ(px(150, 103), 15u);
    EXPECT_EQ(px(150, 104), 1u);   // fill
    EXPECT_EQ(px(150, 199), 8u);   // dark bottom edge
    EXPECT_EQ(px(150, 197), 8u);
    EXPECT_EQ(px(150, 196), 1u);
    EXPECT_EQ(px(250, 150), 0u);
}

TEST_F(Screen, SunkenFieldUsesTheBrightFill) {
    TIEF3D(100, 100, 400, 200, 0, 2);
    EXPECT_EQ(px(150, 101), 8u);
    EXPECT_EQ(px(150, 104), 8u);  // bevel 4 at 300 pixels
    EXPECT_EQ(px(150, 105), 10u);
}

TEST_F(Screen, ShadowBoxHasItsShadowAndOutline) {
    HINTERGRUND(100, 100, 200, 150, 5);
    EXPECT_EQ(px(100, 100), 15u);
    EXPECT_EQ(px(150, 125), 5u);
    EXPECT_EQ(px(204, 154), 0u);
    HINTERGRUND(300, 100, 400, 150, 15);
    EXPECT_EQ(px(300, 100), 0u);
}

TEST_F(Screen, WindowMakesItsClickWindow) {
    FENSTER(12, 100, 100, 300, 200, "Title/Second", 1, 7);
    EXPECT_TRUE(KLICKFENSTER[12].AKTIV);
    EXPECT_EQ(KLICKHIT(300, 200), 12);
    FENSTER(3, 400, 100, 500, 200, "", -10, 7);
    EXPECT_EQ(KLICKHIT(450, 150), 3);
}

TEST_F(Screen, HighlightFramesOnTheEdgeAndInsideComeOffWithoutATrace) {
    FELD3D(100, 100, 300, 160, 0, 7);
    SETKLICKFENSTER(12, 100, 100, 300, 160);
    std::vector<std::uint32_t> before;
    for (int x = 100; x <= 300; ++x) before.push_back(px(x, 100)), before.push_back(px(x, 101));
    SETRAHMEN(12, true);
    for (int y : {100, 101, 130, 159, 160}) EXPECT_EQ(px(100, y), 14u) << y;
    EXPECT_EQ(px(101, 130), 14u);
    EXPECT_EQ(px(299, 130), 14u);
    EXPECT_EQ(px(200, 159), 14u);
    EXPECT_EQ(px(102, 130), 15u);  // the bevel inside is left alone
    SETRAHMEN(12, false);
    std::vector<std::uint32_t> after;
    for (int x = 100; x <= 300; ++x) after.push_back(px(x, 100)), after.push_back(px(x, 101));
    EXPECT_EQ(after, before);
    EXPECT_EQ(px(101, 130), 15u);
    EXPECT_EQ(px(299, 130), 8u);
}

TEST_F(Screen, WindowTitlesReadOnEveryStyle) {
    for (int style : {1, 2, 3, 4}) {
        FENSTER(12, 100, 100, 400, 160, "WWWW", style, 7);
        const int fill = style == 2 ? 15 : 7;  // a sunken window is filled with the bright variant
        int title = 0, clash = 0;
        for (int y = 104; y < 124; ++y)
            for (int x = 220; x < 280; ++x) {
                title += px(x, y) == static_cast<std::uint32_t>(TITLECOLOUR(fill));
                clash += px(x, y) == static_cast<std::uint32_t>(fill);
            }
        EXPECT_GT(title, 20) << style;
        EXPECT_GT(clash, 20) << style;
        EXPECT_NE(TITLECOLOUR(fill), fill) << style;
    }
    EXPECT_EQ(TITLECOLOUR(15), 0);
    EXPECT_EQ(TITLECOLOUR(14), 0);
    EXPECT_EQ(TITLECOLOUR(7), 15);
    EXPECT_EQ(TITLECOLOUR(1), 15);
}

TEST_F(Screen, NumberGlyphPixels) {
    SHOWNUMBER(1, 10, 10, 14);
    // Row 0 of glyph 1 is 110010.
    EXPECT_EQ(px(10, 10), 14u);
    EXPECT_EQ(px(11, 10), 14u);
    EXPECT_NE(px(12, 10), 14u);
    EXPECT_EQ(px(14, 10), 14u);
    EXPECT_NE(px(15, 10), 14u);
    SHOWNUMBER(6, 30, 10, 14);  // no such glyph: nothing drawn
    EXPECT_NE(px(30, 10), 14u);
}

TEST_F(Screen, IconsPixelByPixelAndMirrored) {
    ICONREC icon{};
    icon.P[0][0] = 12;
    icon.P[31][5] = 13;
    SHOWICON(icon, 100, 100, false);
    EXPECT_EQ(px(100, 100), 12u);
    EXPECT_EQ(px(105, 131), 13u);
    SHOWICON(icon, 200, 100, true);
    EXPECT_EQ(px(231, 100), 12u);
    EXPECT_EQ(px(226, 131), 13u);
    SHOWICONX(icon, 300, 100, false, 2);
    EXPECT_EQ(px(301, 101), 12u);
    EXPECT_EQ(px(311, 163), 13u);
}

TEST_F(Screen, ClippedCircleStaysInItsRectangle) {
    CLIPCIRCLE(50, 50, 10, 14, 50, 50, 60, 60);
    EXPECT_EQ(px(50, 50), 14u);
    EXPECT_EQ(px(57, 57), 14u);
    EXPECT_NE(px(45, 50), 14u);
    EXPECT_NE(px(50, 45), 14u);
    EXPECT_NE(px(59, 59), 14u);  // outside the circle
}

TEST_F(Screen, ColouredLine) {
    LINEINCOLOUR(10, 300, 20, 300, 11);
    EXPECT_EQ(px(10, 300), 11u);
    EXPECT_EQ(px(20, 300), 11u);
}

TEST_F(Screen, ClicksWaitForTheReleaseUnlessDragging) {
    SETKLICKFENSTER(5, 100, 100, 200, 200);
    DRAGDROP = true;
    script("press " + at(150, 150) + "\n");
    CHECKMOUSEPOS();
    EXPECT_EQ(KEY, '5');
    EXPECT_TRUE(LB);
    DRAGDROP = false;
    script("press " + at(150, 150) + "\n");
    EXPECT_THROW(CHECKMOUSEPOS(), ScriptStop);  // it waits for a release that never comes
}

TEST_F(Screen, MouseTasteTakesAClickAsEnter) {
    script("click " + at(10, 10) + "\n");
    MOUSETASTE();
    EXPECT_EQ(KEY, 13);
    script("key x\n");
    MOUSETASTE();
    EXPECT_EQ(KEY, 'x');
}

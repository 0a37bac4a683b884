// Pixels of the toolkit's fields, glyphs and icons, and the mouse waits.
#include "ui_fixture.h"

#include <vector>

#include "ui/m_graph.h"

using namespace korax;
using korax::uitest::Screen;

namespace {

std::uint32_t px(int x, int y) { return PAGE_PIXEL(ACTIVEPAGE, x, y); }

}  // namespace

TEST_F(Screen, FieldsBoxesGlyphsIconsCirclesAndLinesPixelByPixel) {
    const std::pair<std::pair<int, int>, int> bevels[] = {{{100, 250}, 3}, {{0, 99}, 2}, {{0, 199}, 3}, {{0, 200}, 4}};
    for (const auto& [field, bevel] : bevels) EXPECT_EQ(AUTOBEVEL(field.first, field.second), bevel);
    FELD3D(100, 100, 250, 200, 0, 1);  // raised, 150 pixels: bevel 3
    TIEF3D(300, 100, 600, 200, 0, 2);  // sunken, 300 pixels: bevel 4 and the bright fill
    HINTERGRUND(100, 300, 200, 350, 5);
    HINTERGRUND(300, 300, 400, 350, 15);
    SHOWNUMBER(1, 10, 10, 14);  // row 0 of glyph 1 is 110010
    SHOWNUMBER(6, 30, 10, 14);  // no such glyph: nothing drawn
    ICONREC icon{};
    icon.P[0][0] = 12;
    icon.P[31][5] = 13;
    SHOWICON(icon, 100, 400, false);
    SHOWICON(icon, 200, 400, true);
    SHOWICONX(icon, 300, 400, false, 2);
    CLIPCIRCLE(50, 550, 10, 14, 50, 550, 60, 560);
    LINEINCOLOUR(10, 700, 20, 700, 11);
    struct Pixel { int x, y, colour; bool is; } const pixels[] = {
        // outline, light top edge, fill, dark bottom edge
        {150, 100, 0, true}, {150, 101, 15, true}, {150, 103, 15, true}, {150, 104, 1, true},
        {150, 199, 8, true}, {150, 197, 8, true}, {150, 196, 1, true}, {250, 150, 0, true},
        {350, 101, 8, true}, {350, 104, 8, true}, {350, 105, 10, true},
        {100, 300, 15, true}, {150, 325, 5, true}, {204, 354, 0, true}, {300, 300, 0, true},  // shadow and outline
        {10, 10, 14, true}, {11, 10, 14, true}, {12, 10, 14, false}, {14, 10, 14, true}, {15, 10, 14, false},
        {30, 10, 14, false},
        {100, 400, 12, true}, {105, 431, 13, true}, {131, 400, 12, false}, {231, 400, 12, true}, {226, 431, 13, true},
        {301, 401, 12, true}, {311, 463, 13, true},
        {50, 550, 14, true}, {57, 557, 14, true}, {45, 550, 14, false}, {50, 545, 14, false},
        {59, 559, 14, false},  // outside the circle
        {10, 700, 11, true}, {20, 700, 11, true},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(px(p.x, p.y) == static_cast<std::uint32_t>(p.colour), p.is) << p.x << "," << p.y;
}

TEST_F(Screen, WindowsMakeTheirClickWindowsAndTitlesReadOnEveryStyle) {
    FENSTER(12, 100, 100, 300, 200, "Title/Second", 1, 7);
    EXPECT_EQ(KLICKHIT(300, 200), 12);
    FENSTER(3, 400, 100, 500, 200, "", -10, 7);
    EXPECT_EQ(KLICKHIT(450, 150), 3);
    const std::pair<int, int> titles[] = {{15, 0}, {14, 0}, {7, 15}, {1, 15}};
    for (const auto& [fill, colour] : titles) EXPECT_EQ(TITLECOLOUR(fill), colour) << fill;
    for (int style : {1, 2, 3, 4}) {
        FENSTER(12, 100, 300, 400, 360, "WWWW", style, 7);
        const int fill = style == 2 ? 15 : 7;  // a sunken window is filled with the bright variant
        int title = 0, clash = 0;
        for (int y = 304; y < 324; ++y)
            for (int x = 220; x < 280; ++x) {
                title += px(x, y) == static_cast<std::uint32_t>(TITLECOLOUR(fill));
                clash += px(x, y) == static_cast<std::uint32_t>(fill);
            }
        EXPECT_GT(title, 20) << style;
        EXPECT_GT(clash, 20) << style;
        EXPECT_NE(TITLECOLOUR(fill), fill) << style;
    }
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

TEST_F(Screen, ClicksWaitForTheReleaseUnlessDraggingMouseTasteTakesAClickAsEnter) {
    SETKLICKFENSTER(5, 100, 100, 200, 200);
    DRAGDROP = true;
    script("press " + at(150, 150) + "\n");
    CHECKMOUSEPOS();
    EXPECT_EQ(KEY, '5');
    EXPECT_TRUE(LB);
    DRAGDROP = false;
    script("press " + at(150, 150) + "\n");
    EXPECT_THROW(CHECKMOUSEPOS(), ScriptStop);  // it waits for a release that never comes
    script("click " + at(10, 10) + "\nkey x\n");
    MOUSETASTE();
    EXPECT_EQ(KEY, 13);
    MOUSETASTE();
    EXPECT_EQ(KEY, 'x');
}

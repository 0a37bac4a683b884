// The drawn pitch: rings and discs clipped to it row by row, the positions at
// their places or in boxes, and values from files that lie off the pitch.
#include <gtest/gtest.h>

#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_types.h"
#include "management/formation.h"
#include "management/lineup.h"
#include "ui/frames.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

using namespace korax;

namespace {

class Pitch : public ::testing::Test {
protected:
    void SetUp() override {
        korax::testing::OPENHEADLESSSCREEN();
        LEFTMENU = false;
        SETGEOMETRY();
        TEAM = TEAMREC{}, BELEGT = {};
    }
    void TearDown() override {
        TEAM = TEAMREC{};
        korax::testing::CLOSEHEADLESSSCREEN();
    }
    static int px(int x, int y) { return EGETPIXEL(x, y); }
};

}  // namespace

TEST_F(Pitch, RingIsOnePixelOnItsRadiusAndClipped) {
    ESETFILLSTYLE(1, 0);
    EBAR(0, 0, 300, 300);
    CLIPRING(100, 100, 20, 14, 0, 0, 110, 300);
    for (auto [x, y] : {std::pair{80, 100}, std::pair{100, 80}, std::pair{100, 120}})
        EXPECT_EQ(px(x, y), 14) << x << "," << y;
    EXPECT_EQ(px(100, 100), 0);
    EXPECT_EQ(px(81, 100), 0);
    EXPECT_EQ(px(120, 100), 0);  // beyond the clip edge at 110
    EXPECT_EQ(px(79, 100), 0);
    // Every row between top and bottom has its two edge pixels.
    for (int y = 81; y <= 119; ++y) {
        int found = 0;
        for (int x = 79; x <= 100; ++x) found += px(x, y) == 14;
        EXPECT_GE(found, 1) << y;
    }
}

TEST_F(Pitch, HugeRadiiStayInsideTheRectangle) {
    ESETFILLSTYLE(1, 0);
    EBAR(0, 0, 600, 600);
    CLIPCIRCLE(300, 300, 32767, 12, 200, 200, 400, 400);
    EXPECT_EQ(px(200, 200), 12);
    EXPECT_EQ(px(400, 400), 12);
    EXPECT_EQ(px(199, 300), 0);
    EXPECT_EQ(px(300, 401), 0);
    CLIPRING(300, 300, 32767, 13, 200, 200, 400, 400);  // the ring lies far outside
    EXPECT_EQ(px(300, 300), 12);
    CLIPCIRCLE(300, 300, -1, 13, 0, 0, 600, 600);
    EXPECT_EQ(px(300, 300), 12);
}

TEST_F(Pitch, PositionsAtTheirPlacesAndInBoxes) {
    TEAM.TAKTIK[1].NORMALX = 700, TEAM.TAKTIK[1].NORMALY = 200, TEAM.TAKTIK[1].FANGRADIUS = 100;
    TEAM.TAKTIK[2].NORMALX = 0, TEAM.TAKTIK[2].NORMALY = 5;
    TEAM.TAKTIK[3].NORMALX = -4;  // neither placed nor tied
    TEAM.TAKTIK[4].NORMALX = 32767, TEAM.TAKTIK[4].NORMALY = -32768, TEAM.TAKTIK[4].FANGRADIUS = 32767;
    TEAM.TAKTIK[4].EINSATZ = 9;
    TEAM.TAKTIK[5].NORMALX = 100, TEAM.TAKTIK[5].NORMALY = 300, TEAM.TAKTIK[5].LAUFX = -3;
    TEAM.IMTEAM[5] = 200;
    DRAWLINEUPPITCH(false);
    const auto& w = KLICKFENSTER;
    EXPECT_EQ(w[11].X1, TOSCREENX(700) - 12);
    EXPECT_EQ(w[11].Y1, TOSCREENY(200) - 12);
    EXPECT_EQ(w[11].X2, TOSCREENX(700) + 30);
    for (int p : {2, 3}) {
        EXPECT_EQ(w[static_cast<std::size_t>(p + 10)].X1, XM2 - 47) << p;
        EXPECT_EQ(w[static_cast<std::size_t>(p + 10)].Y1, 90 + (p - 1) * 70) << p;
        EXPECT_EQ(w[static_cast<std::size_t>(p + 10)].X2, XM2 - 7) << p;
    }
    // Off the pitch: drawn at its corner, where it can be taken and dragged back.
    EXPECT_EQ(w[14].X1, XS2 - 12);
    EXPECT_EQ(w[14].Y1, YS1 - 12);
    EXPECT_EQ(KLICKHIT(XS2, YS1), 14);
}

TEST_F(Pitch, FriendlyPositionsWithAnyStoredRace) {
    for (int p = 1; p <= 5; ++p) {
        TEAM.SPARRTAKTIK[p].NORMALX = static_cast<std::int16_t>(150 * p);
        TEAM.SPARRTAKTIK[p].NORMALY = 300;
        TEAM.SPARRTAKTIK[p].NR = static_cast<std::int16_t>(p == 1 ? -7 : p == 2 ? 99 : p);
        TEAM.SPARRTAKTIK[p].EINSATZ = static_cast<std::uint8_t>(p * 60);
    }
    DRAWLINEUPPITCH(true);
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(KLICKFENSTER[static_cast<std::size_t>(p + 10)].AKTIV);
}

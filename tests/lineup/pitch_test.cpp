#include <gtest/gtest.h>

#include <vector>

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
    // (120, 100) is beyond the clip edge at 110.
    EXPECT_EQ(std::vector<int>({px(80, 100), px(100, 80), px(100, 120), px(100, 100), px(81, 100), px(120, 100), px(79, 100)}),
              std::vector<int>({14, 14, 14, 0, 0, 0, 0}));
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
    EXPECT_EQ(std::vector<int>({px(200, 200), px(400, 400), px(199, 300), px(300, 401)}), std::vector<int>({12, 12, 0, 0}));
    CLIPRING(300, 300, 32767, 13, 200, 200, 400, 400);  // the ring lies far outside
    EXPECT_EQ(px(300, 300), 12);
    CLIPCIRCLE(300, 300, -1, 13, 0, 0, 600, 600);
    EXPECT_EQ(px(300, 300), 12);
}

TEST_F(Pitch, PositionsAtTheirPlacesAndInBoxes) {
    TEAM.TAKTIK[1].NORMALX = 700, TEAM.TAKTIK[1].NORMALY = 200, TEAM.TAKTIK[1].FANGRADIUS = 100;
    TEAM.TAKTIK[1].LAUFX = 32767, TEAM.TAKTIK[1].LAUFY = -32768;  // a run line beyond the pitch ends at its edge
    TEAM.TAKTIK[2].NORMALX = 0, TEAM.TAKTIK[2].NORMALY = 5;
    TEAM.TAKTIK[3].NORMALX = -4;  // neither placed nor tied
    TEAM.TAKTIK[4].NORMALX = 32767, TEAM.TAKTIK[4].NORMALY = -32768, TEAM.TAKTIK[4].FANGRADIUS = 32767, TEAM.TAKTIK[4].EINSATZ = 9;
    TEAM.TAKTIK[5].NORMALX = 100, TEAM.TAKTIK[5].NORMALY = 300, TEAM.TAKTIK[5].LAUFX = -3;
    TEAM.IMTEAM[5] = 200;
    DRAWLINEUPPITCH(false);
    const auto& w = KLICKFENSTER;
    auto box = [&](int n) { return std::vector<int>({w[n].X1, w[n].Y1, w[n].X2}); };
    EXPECT_EQ(box(11), std::vector<int>({TOSCREENX(700) - 12, TOSCREENY(200) - 12, TOSCREENX(700) + 30}));
    for (int p : {2, 3}) EXPECT_EQ(box(p + 10), std::vector<int>({XM2 - 47, 90 + (p - 1) * 70, XM2 - 7})) << p;
    // Off the pitch: drawn at its corner, where it can be taken and dragged back.
    EXPECT_EQ(std::vector<int>({w[14].X1, w[14].Y1}), std::vector<int>({XS2 - 12, YS1 - 12}));
    EXPECT_EQ(KLICKHIT(XS2, YS1), 14);
}

TEST_F(Pitch, FriendlyPositionsWithAnyStoredRace) {
    for (int p = 1; p <= 5; ++p) {
        auto& t = TEAM.SPARRTAKTIK[p];
        t.NORMALX = static_cast<std::int16_t>(150 * p), t.NORMALY = 300, t.EINSATZ = static_cast<std::uint8_t>(p * 60);
        t.NR = static_cast<std::int16_t>(p == 1 ? -7 : p == 2 ? 99 : p);
    }
    DRAWLINEUPPITCH(true);
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(KLICKFENSTER[static_cast<std::size_t>(p + 10)].AKTIV);
}

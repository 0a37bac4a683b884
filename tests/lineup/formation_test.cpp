#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/client_run.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "management/formation.h"
#include "management/lineup.h"
#include "management/screen_fixture.h"

using namespace korax;
using korax::client::slurp;
using korax::client::spit;

namespace {

TAKTIKTYPE taktik(int x, int y, int r = 100, int nr = 0, int lx = 0, int ly = 0, int einsatz = 1) {
    TAKTIKTYPE t{};
    t.NORMALX = static_cast<std::int16_t>(x), t.NORMALY = static_cast<std::int16_t>(y);
    t.FANGRADIUS = static_cast<std::int16_t>(r), t.NR = static_cast<std::int16_t>(nr);
    t.LAUFX = static_cast<std::int16_t>(lx), t.LAUFY = static_cast<std::int16_t>(ly);
    t.EINSATZ = static_cast<std::uint8_t>(einsatz);
    return t;
}

class Formation : public ::testing::Test {
protected:
    void SetUp() override {
        SETSPIELFELD(244, 1018, 725);
        TEAM = TEAMREC{}, GEN = GENTYPE{}, BELEGT = {};
    }
    void TearDown() override { SetUp(); }
};

}  // namespace

TEST_F(Formation, PitchFollowsTheWorkAreaAndHoldsPlacesOffIt) {
    EXPECT_EQ(std::vector<int>({XS1, XS2, YS1, YS2}), std::vector<int>({249, 963, 137, 600}));
    EXPECT_EQ(std::vector<int>({TOSCREENX(1000), TOSCREENY(600), TOPITCHX(XS2), TOPITCHY(YS1)}), std::vector<int>({XS2, YS2, 1000, 0}));
    EXPECT_EQ(std::vector<int>({CLAMPEDSCREENX(-32768), CLAMPEDSCREENX(32767), CLAMPEDSCREENY(32767), CLAMPEDSCREENX(500)}),
              std::vector<int>({XS1, XS2, YS2, TOSCREENX(500)}));
    // A release within 3 pixels is a click.
    EXPECT_TRUE(ISCLICK(100, 100, 103, 97));
    EXPECT_FALSE(ISCLICK(100, 100, 104, 100));
    EXPECT_FALSE(ISCLICK(100, 100, 100, 96));
}

TEST_F(Formation, ConversionsRoundHalvesToEven) {
    struct Case { int span, value, want; };
    // Pitch to screen with a scale of 0.5: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 3.5 -> 4.
    for (const Case& c : {Case{500, 1, 0}, Case{500, 3, 2}, Case{500, 5, 2}, Case{500, 7, 4}, Case{500, -1, 0}}) {
        XS1 = 100, XS2 = 100 + c.span;
        EXPECT_EQ(TOSCREENX(c.value), 100 + c.want) << c.value;
    }
    // Screen to pitch with a scale of 4: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
    for (const Case& c : {Case{4000, 2, 0}, Case{4000, 6, 2}, Case{4000, 10, 2}, Case{4000, 14, 4}}) {
        XS1 = 0, XS2 = c.span;
        EXPECT_EQ(TOPITCHX(c.value), c.want) << c.value;
    }
    YS1 = 0, YS2 = 300;
    EXPECT_EQ(std::vector<int>({TOSCREENY(1), TOSCREENY(3), TOPITCHY(1)}), std::vector<int>({0, 2, 2}));
}

TEST_F(Formation, CodesAndTies) {
    const char* codes[] = {" ", "S1", "S2", "A1", "A2", "M ", " "};
    for (int p = 0; p <= 6; ++p) EXPECT_EQ(NUMBERSTR(p), codes[p]);
    struct Case { int x, y; bool tied; const char* code; };
    for (const Case& c : {Case{0, 3, true, "A1"}, Case{0, 0, true, ""}, Case{0, 6, true, ""}, Case{-5, 1, true, ""}, Case{10, 1, false, ""}}) {
        std::string code = "x";
        EXPECT_EQ(TIEDCODE(taktik(c.x, c.y), code), c.tied) << c.x << " " << c.y;
        if (c.tied) {
            EXPECT_EQ(code, c.code);
        }
    }
}

TEST_F(Formation, PosiokNeedsMoreThan32PixelsInside) {
    const int my = (YS1 + YS2) / 2, mx = (XS1 + XS2) / 2;
    struct Case { int px, py; bool ok; };
    for (const Case& c : {Case{XS1 + 32, my, false}, Case{XS1 + 33, my, true}, Case{XS2 - 32, my, false}, Case{XS2 - 33, my, true},
                          Case{mx, YS1 + 32, false}, Case{mx, YS1 + 33, true}, Case{mx, YS2 - 32, false}, Case{mx, YS2 - 33, true}})
        EXPECT_EQ(POSIOK(TEAM, false, 5, c.px, c.py), c.ok) << c.px << "," << c.py;
}

TEST_F(Formation, PosiokKeepsDistanceAndOrder) {
    TEAM.TAKTIK[3] = taktik(400, 300);
    TEAM.TAKTIK[2] = taktik(0, 5);  // tied: imposes no order
    TEAM.TAKTIK[4] = taktik(-7, 0);  // neither placed nor tied
    struct Case { int pos, x, y; bool ok; };
    for (const Case& c : {Case{5, 420, 320, false}, Case{5, 432, 300, true}, Case{5, 400, 332, true}, Case{1, 400, 100, false},
                          Case{1, 401, 100, true}, Case{4, 380, 100, true}, Case{3, 900, 300, true}}) {
        const int px = TOSCREENX(c.x), py = TOSCREENY(c.y);
        // The check works on the pitch units of the pixel, so compare with them.
        EXPECT_EQ(POSIOK(TEAM, false, c.pos, px, py), TESTPOSI(TEAM, c.pos, TOPITCHX(px), TOPITCHY(py)));
        if (TOPITCHX(px) == c.x && TOPITCHY(py) == c.y) {
            EXPECT_EQ(POSIOK(TEAM, false, c.pos, px, py), c.ok) << c.pos << " " << c.x << "," << c.y;
        }
    }
    // The friendly's tactics are their own.
    EXPECT_TRUE(POSIOK(TEAM, true, 5, TOSCREENX(400), TOSCREENY(300)));
}

TEST_F(Formation, PosicheckForEveryPositionAndTarget) {
    for (int pos = 1; pos <= 5; ++pos)
        for (int k = 1; k <= 5; ++k) {
            TEAM = TEAMREC{};
            TEAM.TAKTIK[pos] = taktik(500, 300);
            const bool forward = pos <= 2, defender = pos == 3 || pos == 4;
            const bool allowed = !(forward && k <= 2) && !(defender && (k == 3 || k == 4));
            EXPECT_EQ(POSICHECK(TEAM, false, pos, {DROPKIND::TARGET, k}), allowed) << pos << "->" << k;
            EXPECT_EQ(std::vector<int>({TEAM.TAKTIK[pos].NORMALX, TEAM.TAKTIK[pos].NORMALY, TIEALLOWED(pos, k)}),
                      std::vector<int>({allowed ? 0 : 500, allowed ? k : 300, allowed}));
            const auto offered = TIETARGETS(pos);
            const bool shown = std::find(offered.begin(), offered.end(), k) != offered.end();
            // Defenders are offered S1, S2 and A1 (refused); M would be allowed but is not offered.
            EXPECT_EQ(shown, forward ? k >= 3 : defender ? k <= 3 : true) << pos << "->" << k;
        }
    EXPECT_FALSE(POSICHECK(TEAM, false, 5, {DROPKIND::TARGET, 6}) || POSICHECK(TEAM, false, 6, {DROPKIND::TARGET, 5}));
}

TEST_F(Formation, PosicheckDropsOnThePitchOnly) {
    TEAM.TAKTIK[5] = taktik(500, 300);
    const TEAMREC before = TEAM;
    EXPECT_FALSE(POSICHECK(TEAM, false, 5, {DROPKIND::ESCAPE, 0, TOSCREENX(200), TOSCREENY(200)}));
    EXPECT_FALSE(POSICHECK(TEAM, false, 5, {DROPKIND::POINT, 0, XS1 - 1, TOSCREENY(200)}));
    EXPECT_FALSE(POSICHECK(TEAM, false, 5, {DROPKIND::POINT, 0, XS1 + 10, TOSCREENY(200)}));
    EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(before));
    ASSERT_TRUE(POSICHECK(TEAM, true, 5, {DROPKIND::POINT, 0, TOSCREENX(200), TOSCREENY(200)}));
    EXPECT_EQ(std::vector<int>({TEAM.SPARRTAKTIK[5].NORMALX, TEAM.SPARRTAKTIK[5].NORMALY, TEAM.TAKTIK[5].NORMALX}), std::vector<int>({200, 200, 500}));
}

TEST_F(Formation, AssigningAndItsTwoRefusals) {
    BELEGT[2] = BELEGT[3] = BELEGT[4] = true, TEAM.IMTEAM[1] = 2, TEAM.TRANSFER[4] = 1;
    struct Case { int slot; bool lastday; int want; };
    for (const Case& c : {Case{1, false, -1}, Case{2, false, 67}, Case{3, false, 0}, Case{4, false, 68}, Case{4, true, 0},
                          Case{11, false, -1}, Case{0, false, -1}})
        EXPECT_EQ(ASSIGNCHECK(TEAM, c.slot, c.lastday), c.want) << c.slot;
    ASSIGN(TEAM, false, 3, 1);
    EXPECT_EQ(std::vector<int>({TEAM.IMTEAM[1], POSITIONOFSLOT(TEAM, 2), POSITIONOFSLOT(TEAM, 3)}), std::vector<int>({3, 0, 1}));
    ASSIGN(TEAM, true, 4, 2);
    EXPECT_EQ(std::vector<int>({TEAM.SPARRTAKTIK[2].NR, TEAM.IMTEAM[2]}), std::vector<int>({4, 0}));
}

TEST_F(Formation, BadValuesFromDataAreNoPlayerAndSpider) {
    TEAM.IMTEAM[1] = 11, TEAM.IMTEAM[2] = 10;
    EXPECT_EQ(std::vector<int>({SLOTON(TEAM, 1), SLOTON(TEAM, 2), POSITIONOFSLOT(TEAM, 11)}), std::vector<int>({0, 10, 0}));
    for (int nr : {-1, 0, 6, 300}) EXPECT_EQ(SPARRRACE(nr), 3);
    for (int nr = 1; nr <= 5; ++nr) EXPECT_EQ(SPARRRACE(nr), nr);
}

TEST_F(Formation, SelectionAfterTheLastWindowAndKeysMapToWindows) {
    SELECTION s;
    SELECT(s, 12);
    EXPECT_EQ(s.old, 0);
    for (auto [key, n] : {std::pair{'1', 1}, {'9', 9}, {'A', 10}, {'F', 15}, {'G', 0}, {'0', 0}}) EXPECT_EQ(SELECTIONOFKEY(key), n);
}

namespace {

// Schema and match files in a scratch working directory.
using SchemaFiles = korax::mtest::Screen;

std::string golden() {
    std::string b;
    for (int p = 1; p <= 5; ++p) {
        // NORMALX, NORMALY, FANGRADIUS, NR, LAUFX, LAUFY little-endian, EINSATZ, 33 reserve bytes.
        const std::uint8_t rec[13] = {static_cast<std::uint8_t>(100 + p), 0x00, 0x2C, 0x01, 0x64, 0x00,
                                      static_cast<std::uint8_t>(p), 0x00, 0xE8, 0x03, 0x00, 0x00,
                                      static_cast<std::uint8_t>(p % 3)};
        b += std::string(reinterpret_cast<const char*>(rec), 13) + std::string(33, '\0');
    }
    return b;
}

}  // namespace

TEST_F(SchemaFiles, SavedSchemaIsTheGoldenBytes) {
    for (int p = 1; p <= 5; ++p) TEAM.TAKTIK[p] = taktik(100 + p, 300, 100, p, 1000, 0, p % 3);
    ASSERT_TRUE(SAVESCHEMA("ATTACK.sch", false));
    EXPECT_EQ(slurp("ATTACK.sch"), golden());
    // Sparring tactics are their own records.
    ASSERT_TRUE(SAVESCHEMA("ZERO.SCH", true));
    EXPECT_EQ(slurp("ZERO.SCH"), std::string(230, '\0'));
}

TEST_F(SchemaFiles, ProgramFilesAreNeverReplaced) {
    spit("KORAX.INI", "[x]\r\n");
    spit("old.sch", std::string(230, 'z'));
    EXPECT_FALSE(SAVESCHEMA("korax.ini", false));
    EXPECT_EQ(slurp("KORAX.INI"), "[x]\r\n");
    EXPECT_TRUE(SAVESCHEMA("OLD.SCH", false));
    EXPECT_EQ(slurp("old.sch"), std::string(230, '\0'));
    EXPECT_TRUE(SAVESCHEMA("new.txt", false));  // a new file of any plain name
    EXPECT_FALSE(SAVESCHEMA("", false));
    EXPECT_FALSE(SAVESCHEMA("nodir/x.sch", false));
}

TEST_F(SchemaFiles, LoadsInBothModes) {
    struct Case { std::size_t size; bool ok; int replaced; };
    for (const Case& c : {Case{230, true, 5}, Case{231, true, 5}, Case{184, false, 4}, Case{45, false, 0}})
        for (bool sparr : {false, true})
            for (int liga : {1, 2, 3}) {
                TEAM = TEAMREC{};
                GEN.LIGA = static_cast<std::uint8_t>(liga);
                for (int p = 1; p <= 5; ++p) {
                    TEAM.TAKTIK[p] = taktik(1, 1, 1, 9, 1, 1, 1);
                    TEAM.SPARRTAKTIK[p] = taktik(1, 1, 1, 4, 1, 1, 1);
                }
                spit("s.sch", (golden() + "x").substr(0, c.size));
                EXPECT_EQ(LOADSCHEMA("S.SCH", sparr), c.ok) << c.size;
                const auto& tk = sparr ? TEAM.SPARRTAKTIK : TEAM.TAKTIK;
                for (int p = 1; p <= 5; ++p) {
                    const bool r = p <= c.replaced;
                    EXPECT_EQ(tk[p].NORMALX, r ? 100 + p : 1) << c.size << " " << p;
                    EXPECT_EQ(tk[p].LAUFX, r ? 1000 : 1);
                    // The friendly keeps its races and takes the league's marker.
                    EXPECT_EQ(tk[p].NR, sparr ? 4 : (r ? p : 9));
                    EXPECT_EQ(tk[p].EINSATZ, !r ? 1 : sparr ? 3 - liga : p % 3);
                }
                const auto& other = sparr ? TEAM.TAKTIK : TEAM.SPARRTAKTIK;
                EXPECT_EQ(other[1].NORMALX, 1);
            }
    EXPECT_FALSE(LOADSCHEMA("MISSING.SCH", false));
}

namespace {

std::string matchhead(std::int16_t version) {
    TEAMREC home{}, away{};
    home.NAME.set("Home side"), away.NAME.set("Away side");
    std::string m = "KXM" + std::string(1, '\x04');
    m += std::string(reinterpret_cast<const char*>(&version), 2);
    return m + RECORDBYTES(home) + RECORDBYTES(away) + std::string(10 * sizeof(PLAYERREC), '\0');
}

}  // namespace

TEST_F(Formation, MatchHeadsThatCannotServe) {
    MATCHHEAD h;
    const std::string good = matchhead(1000);
    EXPECT_EQ(PARSEMATCHHEAD(good, h), 0);
    EXPECT_EQ(PARSEMATCHHEAD(matchhead(1001), h), HEADVERSION);
    EXPECT_EQ(PARSEMATCHHEAD(matchhead(-1), h), HEADVERSION);
    EXPECT_EQ(PARSEMATCHHEAD(good.substr(0, 2429), h), HEADSHORT);
    EXPECT_EQ(PARSEMATCHHEAD("", h), HEADSHORT);
    EXPECT_EQ(PARSEMATCHHEAD(good + "tail", h), 0);
    // A name length byte beyond the field is cut to the field.
    std::string longname = good;
    longname[6] = static_cast<char>(255);
    ASSERT_EQ(PARSEMATCHHEAD(longname, h), 0);
    EXPECT_LE(h.team[0].NAME.str().size(), 25u);
}

TEST_F(SchemaFiles, ImportOfFilesThatCannotServeOrWithNoSideChosenChangesNothing) {
    TEAM.TAKTIK[1].NORMALX = 123;
    const TEAMREC kept = TEAM;
    const std::string good = matchhead(110);
    struct Case { std::string bytes, script; };  // the version message is confirmed
    for (const Case& c : {Case{matchhead(1001), "key Enter\n"}, Case{good.substr(0, 2429), ""}}) {
        spit("GAME3.4", c.bytes);
        script(c.script);
        EXPECT_FALSE(IMPORTSCHEMA("GAME3.4", true)) << c.bytes.size();
        EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(kept));
    }
    EXPECT_FALSE(IMPORTSCHEMA("MISSING.4", false));
    spit("GAME3.4", good);
    script("key Esc\n");  // no side chosen
    EXPECT_TRUE(IMPORTSCHEMA("GAME3.4", false));
    EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(kept));
}

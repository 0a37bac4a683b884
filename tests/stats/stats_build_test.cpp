// The pure pieces of statistics, history and season end.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <tuple>

#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "management/statbuild.h"

using namespace korax;

namespace {

struct StatsBuildTest : ::testing::Test {
    std::array<int, 11> colours{};
    void SetUp() override {
        GEN = GENTYPE{};
        TEAM = TEAMREC{};
        for (int i = 1; i <= 10; ++i) {
            PLAYER[i] = PLAYERREC{};
            BELEGT[i] = false;
            TEAMNAME[i].set("Team " + std::to_string(i));
            TEAMBRUTAL[i] = TEAMBRUTALL[i] = 0;
            colours[static_cast<std::size_t>(i)] = i;
        }
        NUMMER = 3;
        for (int n : {83, 84}) L[n].set("L" + std::to_string(n));
    }
    static ARR1<std::int16_t, 1, 10> values(std::initializer_list<int> v) {
        ARR1<std::int16_t, 1, 10> a{};
        int i = 1;
        for (int x : v) a[i++] = static_cast<std::int16_t>(x);
        return a;
    }
};

TEST_F(StatsBuildTest, ChartDaysHiddenTeamsAndBrokenLines) {
    const std::pair<int, int> days[] = {{0, 0}, {5, 5}, {18, 18}, {20, 20}, {32767, 20}, {-9, -1}};
    for (const auto& [spieltag, last] : days) EXPECT_EQ(CHARTLASTDAY(spieltag), last) << spieltag;
    // Colour 0 hides a team from both charts and from the strength range.
    colours[4] = 0;
    for (int t = 1; t <= 10; ++t)
        for (int d = 0; d <= 4; ++d) GEN.STATISTIK[t][d].STAERKE = t == 4 ? 9000 : 2000;
    for (int kind : {1, 2}) {
        const auto lines = CHARTLINES(GEN, colours, 3, kind);
        EXPECT_EQ(lines.size(), 9u);
        for (const auto& l : lines) EXPECT_NE(l.team, 4);
    }
    EXPECT_EQ(STAERKERANGE(GEN, colours, 3).hi, 2050);
    // Places outside the table break the line; strengths have no such limit.
    for (int d = 0; d <= 4; ++d) GEN.STATISTIK[1][d].TABPLATZ = static_cast<std::uint8_t>(d + 1);
    GEN.STATISTIK[1][2].TABPLATZ = 0;
    GEN.STATISTIK[1][4].TABPLATZ = 255;
    const auto lines = CHARTLINES(GEN, colours, 4, 2);
    ASSERT_EQ(lines[0].team, 1);
    ASSERT_EQ(lines[0].runs.size(), 2u);
    EXPECT_EQ(lines[0].runs[0].size(), 2u);
    EXPECT_EQ(lines[0].runs[1].size(), 1u);
    EXPECT_EQ(lines[0].runs[1][0].day, 3);
    EXPECT_EQ(lines[0].runs[1][0].value, 4);
    EXPECT_EQ(CHARTLINES(GEN, colours, 4, 1)[0].runs[0].size(), 5u);
}

TEST_F(StatsBuildTest, StrengthRangeRoundedDownAtLeastFiftyWideAndPointsInsideTheBox) {
    struct Range { int value, lo, hi; } const ranges[] = {
        {2000, 2000, 2050}, {-37, -50, 1000}, {-50, -50, 1000}, {3049, 3000, 3049}, {32767, 3000, 32767}};
    for (const auto& c : ranges) {
        for (int t = 1; t <= 10; ++t)
            for (int d = 0; d <= 20; ++d) GEN.STATISTIK[t][d].STAERKE = static_cast<std::int16_t>(c.value);
        const CHARTRANGE r = STAERKERANGE(GEN, colours, 18);
        EXPECT_EQ(r.lo, c.lo) << c.value;
        EXPECT_EQ(r.hi, c.hi) << c.value;
    }
    colours.fill(0);
    EXPECT_EQ(STAERKERANGE(GEN, colours, 18).lo, 3000);
    EXPECT_EQ(STAERKERANGE(GEN, colours, 18).hi, 3050);
    const CHARTBOX b{100, 200, 280, 290, 18};
    struct Point { int kind, lo, hi, day, value, x, y; } const points[] = {
        {2, 1, 10, 0, 1, 100, 200}, {2, 1, 10, 18, 10, 280, 290}, {2, 1, 10, 9, 5, 190, 240}, {1, 0, 100, 0, 50, 100, 245},
        {1, 0, 100, 20, 500, 280, 200}, {1, 0, 100, -3, -500, 100, 290}, {1, 5, 5, 0, 5, 100, 290}};
    for (const auto& c : points) {
        const PIXEL p = CHARTPIXEL(b, c.kind, c.lo, c.hi, {c.day, c.value});
        EXPECT_EQ(p.x, c.x) << c.kind << " " << c.day << " " << c.value;
        EXPECT_EQ(p.y, c.y) << c.kind << " " << c.day << " " << c.value;
    }
}

TEST_F(StatsBuildTest, FairPlayOrderAverageAndRows) {
    struct Order { std::initializer_list<int> brutal; std::array<int, 10> order; } const orders[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        // Team 1 ties with 2 but swaps its rank with the lower 3 and lands behind 2.
        {{5, 5, 3, 9, 9, 9, 9, 9, 9, 9}, {3, 2, 1, 4, 5, 6, 7, 8, 9, 10}},
        {{32767, -32767, 0, 0, 0, 0, 0, 0, 0, 0}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 1}}};
    for (const auto& c : orders) EXPECT_EQ(FAIRPLAYORDER(values(c.brutal)), c.order);
    // Tenths, rounded half to even.
    struct Average { std::int64_t brutal; int day; std::int64_t tenths; } const averages[] = {
        {37, 4, 92}, {38, 4, 95}, {3, 20, 2}, {5, 4, 12}, {-37, 4, -92}, {10, 0, 0}, {10, -9, 0}, {32767, 1, 327670}};
    for (const auto& c : averages) EXPECT_EQ(BRUTALSCHNITT(c.brutal, c.day), c.tenths) << c.brutal << "/" << c.day;
    GEN.HINRUNDE = 1;
    GEN.TURN = 4;
    TEAMBRUTAL = values({9, 9, 37, 9, 9, 9, 9, 9, 9, 9});
    TEAMBRUTALL[3] = 120;
    GEN.TABELLE[7].TEAM = 3;
    const FAIRPLAYZEILE z = FAIRPLAYZEILEN(10);
    EXPECT_EQ(std::tie(z.team, z.rank, z.own, z.platz, z.schnitt, z.gesamt),
              std::make_tuple(3, "10. ", true, "(7)", "9.2", "120"));
    EXPECT_FALSE(FAIRPLAYZEILEN(1).own);
    GEN.TURN = 0;
    EXPECT_EQ(FAIRPLAYZEILEN(10).schnitt, "0.0");
    EXPECT_EQ(FAIRPLAYZEILEN(0).team, 0);
    EXPECT_EQ(FAIRPLAYZEILEN(11).team, 0);
}

TEST_F(StatsBuildTest, ScorerRowsOfTheLeagueOnly) {
    struct Case { int team, race; bool shown; } const cases[] = {
        {0, 0, false}, {3, 0, false}, {11, 1, false}, {1, 1, true}, {10, 10, true}};
    auto& s = GEN.TORSCHUETZEN[2];
    for (const auto& c : cases) {
        s.TEAM = static_cast<std::uint8_t>(c.team);
        s.RASSE = static_cast<std::uint8_t>(c.race);
        EXPECT_EQ(SCORERZEILEN(2).shown, c.shown) << c.team << " " << c.race;
    }
    EXPECT_FALSE(SCORERZEILEN(0).shown);
    EXPECT_FALSE(SCORERZEILEN(11).shown);
    s.TEAM = 3;
    s.RASSE = 1;
    s.TORE = 12;
    s.NAME.set("Gorruk");
    const SCORERZEILE z = SCORERZEILEN(2);
    EXPECT_EQ(std::tie(z.rank, z.name, z.colour, z.team, z.race, z.tore),
              std::make_tuple("2. ", "Gorruk", 5, "Team 3", GETRACENAME(1).str(), 12));
    s.TEAM = 4;
    EXPECT_EQ(SCORERZEILEN(2).colour, 15);
    reinterpret_cast<std::uint8_t*>(&s.NAME)[0] = 255;  // a length byte past the field
    EXPECT_LE(SCORERZEILEN(2).name.size(), 8u);
}

TEST_F(StatsBuildTest, HistoryLineKindsPagingAndTheRingOfNewestLines) {
    struct Kind { const char* line; HISART art; const char* text; } const kinds[] = {
        {"Saison 3", HISART::HEADING, "Saison 3"}, {"1234Saison", HISART::HEADING, "1234Saison"},
        {"12345Saison", HISART::PLAIN, "12345Saison"}, {">>> Place 3", HISART::HIGHLIGHT, "Place 3"},
        {"*** Cup won", HISART::HIGHLIGHT, "Cup won"}, {">>>Place", HISART::PLAIN, ">>>Place"},
        {"*** ", HISART::HIGHLIGHT, ""}, {"", HISART::PLAIN, ""}};
    for (const auto& c : kinds) {
        const HISZEILE z = HISTORIEZEILE(c.line);
        EXPECT_EQ(std::tie(z.art, z.text), std::make_tuple(c.art, c.text)) << c.line;
    }
    struct Page { int first, step, anzahl, next; } const pages[] = {
        {1, -1, 10, 1}, {1, 1, 10, 2}, {10, 1, 10, 10}, {9, 1, 10, 10}, {5, -1, 10, 4}, {1, 1, 0, 1}, {1, 1, 1, 1}};
    for (const auto& c : pages) EXPECT_EQ(HISSCROLL(c.first, c.step, c.anzahl), c.next) << c.first << " " << c.step;
    struct Ring { std::size_t n, kept; std::string first; } const rings[] = {
        {0, 0, ""}, {10000, 10000, "1"}, {10001, 10000, "2"}, {25003, 10000, "15004"}};
    for (const auto& c : rings) {
        HISRING r;
        for (std::size_t i = 1; i <= c.n; ++i) HISPUSH(r, std::to_string(i));
        EXPECT_EQ(r.total, c.n);
        const auto lines = HISLINES(r);
        ASSERT_EQ(lines.size(), c.kept) << c.n;
        if (c.kept == 0) continue;
        EXPECT_EQ(lines.front(), c.first);
        EXPECT_EQ(lines.back(), std::to_string(c.n));
    }
}

TEST_F(StatsBuildTest, KeepPriceKeysOpenSlotsAndMessage) {
    const std::pair<std::int64_t, const char*> prices[] = {
        {0, "T0"}, {9999, "T9999"}, {10000, "10000"}, {-500, "T-500"}};
    for (const auto& [price, text] : prices) EXPECT_EQ(HALTEPREISTEXT(price), text);
    const std::pair<int, int> keys[] = {{'1', 1}, {'9', 9}, {'A', 10}, {48, 0}, {66, 0}, {97, 0}};
    for (const auto& [key, slot] : keys) EXPECT_EQ(HALTESLOT(static_cast<unsigned char>(key)), slot) << key;
    // Open: an occupied slot whose player's condition is above 0.
    BELEGT[2] = BELEGT[3] = BELEGT[5] = true;
    PLAYER[2].VERFASSUNG = 1;
    PLAYER[4].VERFASSUNG = 50;
    PLAYER[5].VERFASSUNG = -3;
    for (int s = 0; s <= 11; ++s) EXPECT_EQ(HALTEOFFEN(s), s == 2) << s;
    EXPECT_EQ(HALTEMELDUNG("Gorruk"), "L83/L84 Gorruk");
    const std::string m = HALTEMELDUNG("////////");  // a name keeps the message at two lines
    EXPECT_EQ(std::count(m.begin(), m.end(), '/'), 1) << m;
}

TEST_F(StatsBuildTest, KeepToggleBooksAndReversesExactly) {
    struct Case { std::int32_t gold; std::int16_t price, transfer; HALTEN first; std::int32_t goldafter; };
    const Case cases[] = {
        {300, 300, 0, HALTEN::GENOMMEN, 0}, {299, 300, 0, HALTEN::ZUTEUER, 299}, {1000, -500, 0, HALTEN::GENOMMEN, 1500},
        {INT32_MAX - 100, -500, 0, HALTEN::GENOMMEN, WRAP32(std::int64_t{INT32_MAX} + 400)},
        {INT32_MIN + 100, 32767, 0, HALTEN::ZUTEUER, INT32_MIN + 100}, {1000, 300, 1, HALTEN::ZURUECK, 1300},
        {INT32_MAX - 32767, 32767, 1, HALTEN::ZURUECK, INT32_MAX}, {1000, 300, -2, HALTEN::NICHTS, 1000},
        {1000, 300, 2, HALTEN::NICHTS, 1000}};
    for (const auto& c : cases) {
        TEAMREC t{};
        t.GOLD = c.gold;
        t.TRANSGEBOT[4] = c.price;
        t.TRANSFER[4] = c.transfer;
        EXPECT_EQ(HALTETOGGLE(t, 4), c.first) << c.gold << " " << c.price << " " << c.transfer;
        EXPECT_EQ(static_cast<std::int32_t>(t.GOLD), c.goldafter);
        if (c.first == HALTEN::GENOMMEN || c.first == HALTEN::ZURUECK) {
            EXPECT_NE(HALTETOGGLE(t, 4), HALTEN::NICHTS);  // the second toggle undoes the first to the coin
            EXPECT_EQ(static_cast<std::int32_t>(t.GOLD), c.gold);
        }
        EXPECT_EQ(static_cast<int>(t.TRANSFER[4]), static_cast<int>(c.transfer));
    }
    TEAMREC t{};
    EXPECT_EQ(HALTETOGGLE(t, 0), HALTEN::NICHTS);
    EXPECT_EQ(HALTETOGGLE(t, 11), HALTEN::NICHTS);
}

}  // namespace

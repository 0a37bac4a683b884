#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/artefakt.h"
#include "management/tempel.h"
#include "management/werbung.h"

using namespace korax;

namespace {

struct Squad {
    TEAMREC t{};
    ARR1<PLAYERREC, 1, 10> p{};
    ARR1<bool, 1, 10> belegt{};
    Squad() {
        for (int s = 1; s <= 10; ++s) t.PLAYERS[s] = static_cast<std::int16_t>(s), belegt[s] = true;
    }
    void give(int s, int code) {
        t.ARTPLAYER[s] = static_cast<std::uint8_t>(code);
        p[s].ARTIFAKT = static_cast<std::uint8_t>(code / 10);
        p[s].ARTLEVEL = static_cast<std::uint8_t>(code % 10);
    }
};

TEST(ArtefactCheck, CheckValueLevelDurationsAndCodableAltar) {
    Squad q;
    q.give(1, 12), q.give(4, 55);
    EXPECT_EQ(CHECKARTEFAKTE(q.t), 2 + 5 + 2);  // the altar and each slot count one and their level
    q.t.ARTEFAKT = 3, q.t.ARTLEVEL = 4;
    EXPECT_EQ(CHECKARTEFAKTE(q.t), 9 + 4 + 1);
    EXPECT_EQ(CHECKARTEFAKTE(TEAMREC{}), 0);
    const int want[10] = {1, 1, 2, 2, 3, 1, 1, 1, 2, 0};
    for (int l = 0; l <= 9; ++l) EXPECT_EQ(ARTLEVELDAUER(l), want[l]) << l;
    for (int l : {10, 200}) EXPECT_EQ(ARTLEVELDAUER(l), -1) << l;
    struct Row { int type, level, code; } rows[] = {
        {0, 0, 0}, {4, 2, 42}, {25, 5, 255}, {25, 6, 0}, {3, 10, 0}, {200, 1, 0}};
    for (const Row& r : rows) {
        TEAMREC t{};
        t.ARTEFAKT = static_cast<std::uint8_t>(r.type), t.ARTLEVEL = static_cast<std::uint8_t>(r.level);
        EXPECT_EQ(ALTARCODE(t), r.code) << r.type << " " << r.level;
    }
}

// carrier, transfer: slot given a pendant (code 31) / a transfer decision beforehand, 0 none;
// altarfull: the altar holds type 4 level 2 with ARTDAUER 3.
struct MoveRow { const char* what; int from, to, carrier, transfer; bool altarfull, moved; int refusal; };

TEST(ArtefactMove, EveryRowAndRefusalInOrder) {
    const MoveRow rows[] = {
        {"altar to free slot", ARTALTAR, 3, 0, 0, true, true, 0},
        {"altar to carrier", ARTALTAR, 3, 3, 0, true, false, 336},
        {"altar to transfer", ARTALTAR, 3, 0, 3, true, false, 600},
        {"altar to carrier with transfer: 336 first", ARTALTAR, 3, 3, 3, true, false, 336},
        {"empty altar", ARTALTAR, 3, 0, 0, false, false, 0},
        {"slot to empty altar", 5, ARTALTAR, 5, 0, false, true, 0},
        {"slot to full altar", 5, ARTALTAR, 5, 0, true, false, 337},
        {"slot to slot", 5, 2, 5, 0, false, true, 0},
        {"slot to carrier with transfer: 600 first", 5, 2, 5, 2, false, false, 600},
        {"giver with transfer", 5, 2, 5, 5, false, false, 0},
        {"slot onto itself", 5, 5, 5, 0, false, false, 0},
        {"slot without pendant", 6, 2, 0, 0, false, false, 0},
    };
    for (const MoveRow& r : rows) {
        Squad q;
        if (r.carrier) q.give(r.carrier, 31);
        if (r.transfer) q.t.TRANSFER[r.transfer] = -1;
        if (r.from == 5 && r.to == 2 && r.transfer == 2) q.give(2, 61);
        if (r.altarfull) q.t.ARTEFAKT = 4, q.t.ARTLEVEL = 2, q.t.ARTDAUER = 3;
        const TEAMREC before = q.t;
        const ARTMOVERESULT m = ARTMOVE(q.t, q.p, q.belegt, r.from, r.to);
        EXPECT_EQ(std::pair(m.moved, m.refusal), std::pair(r.moved, r.refusal)) << r.what;
        if (!m.moved) {
            EXPECT_EQ(RECORDBYTES(q.t), RECORDBYTES(before)) << r.what;
        } else if (r.to != ARTALTAR) {  // the player record carries the slot's code
            EXPECT_EQ(q.p[r.to].ARTIFAKT * 10 + q.p[r.to].ARTLEVEL, q.t.ARTPLAYER[r.to]) << r.what;
            EXPECT_NE(q.t.ARTPLAYER[r.to], 0) << r.what;
        }
    }
}

TEST(ArtefactMove, EmptySlotsUncodableAltarAndUntypedSlotCodesAreNoMoves) {
    Squad q;
    q.belegt[4] = false, q.t.ARTEFAKT = 4, q.t.ARTLEVEL = 1;
    EXPECT_FALSE(ARTDROPTARGET(q.belegt, ARTALTAR, 4) || ARTMOVE(q.t, q.p, q.belegt, ARTALTAR, 4).moved);
    EXPECT_FALSE(ARTDROPTARGET(q.belegt, ARTALTAR, ARTALTAR) || ARTDROPTARGET(q.belegt, 3, 0) || ARTDROPTARGET(q.belegt, 3, 12));
    q.t.ARTLEVEL = 200;
    EXPECT_FALSE(ARTDRAGSTART(q.t, q.belegt, ARTALTAR));
    const TEAMREC before = q.t;
    EXPECT_FALSE(ARTMOVE(q.t, q.p, q.belegt, ARTALTAR, 2).moved);
    EXPECT_EQ(RECORDBYTES(q.t), RECORDBYTES(before));
    q = Squad{};
    q.give(2, 5);  // level 5 of no type: on the altar it would read as empty
    EXPECT_FALSE(ARTDRAGSTART(q.t, q.belegt, 2));
    const TEAMREC coded = q.t;
    EXPECT_FALSE(ARTMOVE(q.t, q.p, q.belegt, 2, ARTALTAR).moved || ARTMOVE(q.t, q.p, q.belegt, 2, 3).moved);
    EXPECT_EQ(RECORDBYTES(q.t), RECORDBYTES(coded));
}

TEST(ArtefactBrowser, StartsAtTheAltarAndSteps) {
    struct Row { int type, level; const char* keys; int wanttype, wantlevel; } rows[] = {
        {1, 0, "H", 6, 0}, {6, 0, "I", 1, 0}, {3, 4, "II", 5, 4}, {0, 0, "I", 1, 0}, {0, 0, "H", 6, 0}, {2, 0, "F", 2, 0},
        {2, 8, "G", 2, 8}, {2, 9, "", 2, 8}, {2, 200, "F", 2, 7}, {9, 3, "", 0, 3}, {5, 2, "GGGF", 5, 4}, {4, 2, "X", 4, 2}};
    for (const Row& r : rows) {
        TEAMREC t{};
        t.ARTEFAKT = static_cast<std::uint8_t>(r.type), t.ARTLEVEL = static_cast<std::uint8_t>(r.level);
        ARTBROWSER b = ARTBROWSERSTART(t);
        for (const char* k = r.keys; *k; ++k) ARTBROWSERSTEP(b, *k);
        EXPECT_EQ(std::pair(b.type, b.level), std::pair(r.wanttype, r.wantlevel)) << r.type << " " << r.keys;
    }
    ARTBROWSER b;
    EXPECT_FALSE(ARTBROWSERSTEP(b, 'K'));
}

TEST(ArtefactBrowser, TextsOfTypesAndLevels) {
    for (auto [type, text] : {std::pair{0, 330}, {7, 330}, {1, 340}, {6, 390}}) EXPECT_EQ(ARTTYPETEXT(type), text);
    struct Row { int type, level, text; } rows[] = {{1, 1, 341}, {6, 9, 399}, {0, 3, 0}, {3, 0, 0}, {3, 10, 0}};
    for (const Row& r : rows) EXPECT_EQ(ARTLEVELTEXT(r.type, r.level), r.text) << r.type << " " << r.level;
}

TEST(Advertising, HeldAndUnknownContractsAreDropped) {
    GENTYPE g{};
    g.WERBUNG[2].TEAM = 7;
    g.WERBUNG[5].TEAM = 200;  // a team outside the league still holds it
    struct Row { int werb1, werb2, want1, want2; bool changed; } rows[] = {
        {2, 4, 0, 4, true}, {4, 5, 4, 0, true}, {11, 255, 0, 0, true}, {4, 6, 4, 6, false}, {0, 0, 0, 0, false}};
    for (const Row& r : rows) {
        TEAMREC t{};
        t.WERB1 = static_cast<std::uint8_t>(r.werb1), t.WERB2 = static_cast<std::uint8_t>(r.werb2);
        const bool changed = WERBCLEAN(t, g);
        EXPECT_EQ(std::vector<int>({changed, t.WERB1, t.WERB2}), std::vector<int>({r.changed, r.want1, r.want2})) << r.werb1 << " " << r.werb2;
    }
}

TEST(Advertising, NamesOfNotionLines) {
    const std::vector<std::string> n = PARSENOTION("Troll Brew\r\nGoblin\n\nA name far longer than twenty\nLast");
    EXPECT_EQ(n, std::vector<std::string>({"Troll Brew", "Goblin", "", "A name far longer th", "Last"}));
    EXPECT_EQ(NOTIONNAME(n, 1) + "|" + NOTIONNAME(n, 5) + "|" + NOTIONNAME(n, 0) + "|" + NOTIONNAME(n, 6), "Troll Brew|Last||");
    EXPECT_TRUE(PARSENOTION("").empty());
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "x\n";
    EXPECT_EQ(PARSENOTION(many).size(), 255u);
    EXPECT_EQ(PARSENOTION(std::string("a\0b\n", 4))[0], std::string("a\0b", 3));
}

}  // namespace

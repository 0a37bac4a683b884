// The match choice under scripted input: which file becomes GAME3.DAT and QUICK3.DAT,
// the time file and the viewer's argument line; refusals that change nothing.
// The viewer's argument line and the keys and names of the match lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/state.h"
#include "data/config.h"
#include "data/fixture.h"
#include "management/screen_fixture.h"
#include "results/auswahl.h"
#include "results/pokal.h"
#include "results/testgame.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

namespace fs = std::filesystem;

const std::string OLDGAME = "the match shown last", OLDQUICK = "its replay";

class MatchChoice : public Screen {
protected:
    std::int16_t oldpokaltag = POKALTAG;
    std::uint8_t oldanpassung = ANPASSUNG;
    bool oldleise = LEISE;

    void SetUp() override {
        Screen::SetUp();
        POKALTAG = 8;
        ANPASSUNG = 2;
        LEISE = false;
        QUICKNAME.clear();
        VGRAUFRUF = {};
        GEN.HINRUNDE = 1;
        GEN.TURN = 6;
        GEN.SEED = 4711;
        // Team 3 plays at home on even days and away on odd ones, always in pairing 2.
        for (int d = 1; d <= 9; ++d)
            for (int k = 1; k <= 5; ++k) {
                auto& p = GEN.SPIELPLAN[1][d][k];
                p.HEIM = static_cast<std::int16_t>(k != 2 ? 2 * k - 1 : d % 2 == 0 ? 3 : 4);
                p.GAST = static_cast<std::int16_t>(k != 2 ? 2 * k : d % 2 == 0 ? 4 : 3);
                p.HWERT = static_cast<std::int16_t>(d % 4);
                p.GWERT = static_cast<std::int16_t>(k % 3);
            }
        for (const char* f : {"GAME3.1", "GAME3.2", "GAME3.4", "GAME3.5", "GAME3.6", "QUICK3.5", "QUICK3.6",
                              "GAME3.4B", "GAME3.4C", "QUICK3.4C", "GAME3.P1", "GAME3.P3", "GAME.TMP", "QUICK.TMP"})
            put(f, std::string("KXM\x01\x6E\x00", 6) + "bytes of " + f + std::string(2400, char(0x5A)));
        put("GAME3.DAT", OLDGAME);
        put("QUICK3.DAT", OLDQUICK);
    }
    void TearDown() override {
        POKALTAG = oldpokaltag;
        ANPASSUNG = oldanpassung;
        LEISE = oldleise;
        QUICKNAME.clear();
        Screen::TearDown();
    }
    void put(const std::string& name, const std::string& bytes) { datatest::spit(root / name, bytes); }
    std::string get(const std::string& name) { return datatest::slurp(root / name); }
    bool has(const std::string& name) { return fs::exists(root / name); }
    // The own, other, cup and advance sale buttons, active or not.
    static std::string buttons() {
        std::string s;
        for (int i = 2; i <= 5; ++i) s += KLICKFENSTER[static_cast<std::size_t>(i)].AKTIV ? '1' : '0';
        return s;
    }
    bool unchanged() { return get("GAME3.DAT") == OLDGAME && get("QUICK3.DAT") == OLDQUICK && !has("VGR.TMP"); }
    std::string line(const std::string& rest) { return GAMEDIR + " " + rest; }
};

}  // namespace

TEST_F(MatchChoice, ChosenMatchBecomesTheViewersMatch) {
    // match and quick: the sources of GAME3.DAT and QUICK3.DAT ("" = none)
    struct { const char* what; std::string script, match, quick, quickname, args; } cases[] = {
        {"own day with replay", "key 2\nkey 5\nkey Enter\nkey Esc\n", "GAME3.5", "QUICK3.5", "", "4711 3 4 1 !* 2 1"},
        {"other pairing", "key 3\nkey 4\nkey 3\nkey Enter\nkey Esc\n", "GAME3.4C", "QUICK3.4C", "", "4711 3 4 1 !* 2 1"},
        {"free match", "key 3\nkey J\nkey Enter\nkey R\n", "GAME.TMP", "QUICK.TMP", "", "4711 0 0 3 !* 2 1"},
        {"cup match", "key 4\nkey 1\nkey Enter\nkey Esc\n", "GAME3.P1", "", "QUICK3.P1", "4711 0 0 3 !* 2 1 " + GAMEDIR + "QUICK3.P1"}};
    for (const auto& c : cases) {
        put("GAME3.DAT", OLDGAME);
        put("QUICK3.DAT", OLDQUICK);
        fs::remove(root / "VGR.TMP");
        QUICKNAME = "left from before";
        script(c.script);
        AUSWAHLGAME(0);
        EXPECT_EQ(KEY, 27) << c.what;
        EXPECT_EQ(get("GAME3.DAT"), get(c.match)) << c.what;
        EXPECT_EQ(has("QUICK3.DAT") ? get("QUICK3.DAT") : "none", c.quick.empty() ? "none" : get(c.quick)) << c.what;
        EXPECT_EQ(QUICKNAME, c.quickname.empty() ? "" : GAMEDIR + c.quickname) << c.what;
        EXPECT_EQ(has("VGR.TMP") ? get("VGR.TMP") : "none", "") << c.what;
        EXPECT_EQ(VGRAUFRUF.argumente, line(c.args)) << c.what;
        EXPECT_EQ(VGRAUFRUF.programm, "VGR110.MOD") << c.what;  // the version in the copied header
    }
}

TEST_F(MatchChoice, RefusedChoicesChangeNothing) {
    struct { const char* what; std::string script; } cases[] = {
        {"own match of a later day", "key 2\nkey 7\nkey Esc\n"}, {"match day later than today", "key 3\nkey 8\nkey Esc\n"},
        {"match day without further matches", "key 3\nkey 2\nkey Esc\n"},
        {"pairing without a file", "key 3\nkey 4\nkey 1\nkey 4\nkey R\nkey Esc\n"},
        {"cup list ends at the gap", "key 4\nkey 3\nkey 2\nkey Esc\nkey Esc\n"},
        {"own match file missing", "key 2\nkey 3\nkey Enter\nkey Esc\n"},
        {"lists left by R and Escape", "key 2\nkey R\nkey 3\nkey Esc\nkey 4\nkey R\nkey R\n"}};
    for (const auto& c : cases) {
        QUICKNAME = "kept";
        script(c.script);
        AUSWAHLGAME(0);
        EXPECT_TRUE(KEY == 27 && unchanged() && QUICKNAME == "kept") << c.what;
    }
}

TEST_F(MatchChoice, BeforeTheFirstMatchDayOnlyCupAndAdvanceSale) {
    GEN.TURN = 0;
    script("key 2\nkey 3\nkey Esc\n");
    AUSWAHLGAME(0);
    EXPECT_EQ(buttons(), "0011");
    EXPECT_TRUE(unchanged());
    // Without a cup announcement the advance sale stands alone.
    POKALTAG = -1;
    script("key 4\nkey Esc\n");
    AUSWAHLGAME(0);
    EXPECT_EQ(buttons(), "0001");
    EXPECT_TRUE(unchanged());
}

TEST_F(MatchChoice, AdvanceSaleFromTheChoice) {
    TEAM.GOLD = 100;
    GEN.TURN = 2;  // next: day 3, pairing 1 is team 1 at home
    GEN.VPREIS[1] = 10;
    script("key 5\nkey 1\nkey Esc\nkey Esc\n");
    AUSWAHLGAME(0);
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(std::to_string(onfile().VKAUF[1]) + " " + std::to_string(onfile().GOLD), "1 90");
}

// A missing free match is told and changes nothing, from the menu and in the
// tactics import (which offers no advance sale).
TEST_F(MatchChoice, FreeMatchMissingIsToldAndChangesNothing) {
    fs::remove(root / "GAME.TMP");
    for (int import : {0, 1}) {
        script("key 3\nkey J\nshot " + (root / "missing.png").string() + "\nkey Enter\nkey Esc\n");
        AUSWAHLGAME(import);
        EXPECT_TRUE(KEY == 27 && unchanged() && has("missing.png"));
        EXPECT_EQ(KLICKFENSTER[5].AKTIV, import == 0);
    }
}

TEST_F(MatchChoice, ViewerVersionFromTheMatchHeader) {
    struct { const char* what; std::string bytes; std::int16_t version; } cases[] = {
        {"header only", std::string("KXM\x05\x07\x01", 6), 263}, {"cut in the version", std::string("KXM\x05\x07", 5), 6}};
    for (const auto& c : cases) {
        put("GAME3.DAT", c.bytes);
        EXPECT_EQ(READVGRVERSION(), c.version) << c.what;
    }
    fs::remove(root / "GAME3.DAT");
    EXPECT_EQ(READVGRVERSION(), 6);
}

TEST(ViewerLine, OneLinePerKindOfRun) {
    const std::string dir = "C:\\KORAX\\LIGA\\", longdir(120, 'D');
    auto pairing = [](int home, int guest) { SPIELPLANTYPE p{}; p.HEIM = static_cast<std::int16_t>(home); p.GAST = static_cast<std::int16_t>(guest); return p; };
    struct { const char* what; VGRLINE v; std::string line; } cases[] = {
        {"own team at home", {0, false, 1234, 3, pairing(3, 7), 2, false, "", dir}, dir + " 1234 3 7 1 !* 2 1"},
        {"own team away", {0, false, 1234, 3, pairing(8, 3), 2, false, "", dir}, dir + " 1234 8 3 0 !* 2 1"},
        {"friendly", {6, false, 99, 4, pairing(4, 9), 1, false, "", dir}, dir + " 6 4 0 1 !* 1 1"},
        {"cup, silent, replay file", {-1, true, 5, 3, {}, 255, true, dir + "QUICK3.P2", dir}, dir + " 5 0 0 3 !- 255 0 " + dir + "QUICK3.P2"},
        {"long directory not cut", {-1, false, 2147483647, 10, {}, 255, false, longdir + "Q", longdir}, longdir + " 2147483647 0 0 10 !* 255 1 " + longdir + "Q"}};
    for (const auto& c : cases) EXPECT_EQ(VGRARGUMENTE(c.v), c.line) << c.what;
    EXPECT_EQ(VGRPROGRAMM(110), "VGR110.MOD");
}

TEST(MatchLists, KeysAndFileNames) {
    struct { unsigned char key; int day, cup; } cases[] = {
        {'0', 0, 0}, {'9', 9, 9}, {'A', 10, 10}, {'I', 18, 18}, {'J', 0, 19}, {'Q', 0, 26}, {'R', 0, 0}, {'a', 0, 0}, {200, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(std::make_pair(TAGKEY(c.key), POKALKEY(c.key)), std::make_pair(c.day, c.cup)) << c.key;
    const std::string old = NUMMERSTR;
    NUMMERSTR = "10";
    EXPECT_EQ(SPIELDATEI(18) + " " + ANDEREDATEI(3, 5) + " " + POKALDATEI(12), "GAME10.18 GAME10.3E GAME10.P12");
    EXPECT_EQ(QUICKDATEI("GAME10.3E") + " " + QUICKDATEI("GAME.TMP"), "QUICK10.3E QUICK.TMP");
    NUMMERSTR = old;
}

// Tactics imported from recorded matches that mkgame writes, both sides into both
// tactics, and the files that must change nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"
#include "management/formation.h"
#include "management/lineup.h"
#include "management/screen_fixture.h"

using namespace korax;

namespace {

class Import : public korax::mtest::Screen {
protected:
    std::string match;
    void SetUp() override {
        Screen::SetUp();
        korax::client::ProgramDir p;
        ASSERT_EQ(p.game(3, 4), 0);
        match = p.file("LIGA/GAME3.4");
        ASSERT_EQ(match.size(), 2430u);
    }
    TEAMREC side(int s) const {
        TEAMREC t;
        std::memcpy(&t, match.data() + 6 + s * sizeof(TEAMREC), sizeof t);
        return t;
    }
    PLAYERREC player(int i) const {
        PLAYERREC pl;
        std::memcpy(&pl, match.data() + 1820 + i * sizeof(PLAYERREC), sizeof pl);
        return pl;
    }
    void put(const std::string& bytes) { korax::client::spit(root / "GAME3.4", bytes); }
};

}  // namespace

TEST_F(Import, HomeAndAwayIntoBothTactics) {
    GEN.LIGA = 1;
    for (int s : {0, 1})
        for (bool sparr : {false, true}) {
            TEAM = TEAMREC{}, TEAM.IMTEAM[2] = 9;
            put(match);
            // The menu of the two teams: Enter takes the home side, Down first the away
            // side; the menu drops a key typed right after its choice, so the message
            // that follows is confirmed by a click.
            script(std::string(s ? "key Down\n" : "") + "key Enter\nwait 10\nclick 5 5\n");
            ASSERT_TRUE(IMPORTSCHEMA("GAME3.4", sparr));
            const TEAMREC from = side(s);
            for (int q = 1; q <= 5; ++q) {
                if (!sparr) {
                    EXPECT_EQ(RECORDBYTES(TEAM.TAKTIK[q]), RECORDBYTES(from.TAKTIK[q]));
                    continue;
                }
                TAKTIKTYPE want = from.TAKTIK[q];
                want.NR = static_cast<std::int16_t>(SPARRRACE((player(s * 5 + q - 1).RACE + 1) / 2));
                want.EINSATZ = 2;
                EXPECT_EQ(RECORDBYTES(TEAM.SPARRTAKTIK[q]), RECORDBYTES(want)) << s << " " << q;
                EXPECT_EQ(TEAM.TAKTIK[q].NORMALX, 0);
            }
            EXPECT_EQ(TEAM.IMTEAM[2], 9);
        }
}

TEST_F(Import, NoChoiceAndFilesThatCannotServeChangeNothing) {
    TEAM.TAKTIK[1].NORMALX = 123;
    const TEAMREC kept = TEAM;
    std::string newer = match;
    const std::int16_t v = 1001;
    std::memcpy(newer.data() + 4, &v, 2);
    struct Case { std::string bytes, script; };  // the version message is confirmed
    for (const Case& c : {Case{newer, "key Enter\n"}, Case{match.substr(0, 2429), ""}, Case{match.substr(0, 3), ""},
                          Case{"", ""}})
        for (bool sparr : {false, true}) {
            put(c.bytes);
            script(c.script);
            EXPECT_FALSE(IMPORTSCHEMA("GAME3.4", sparr)) << c.bytes.size();
            EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(kept));
        }
    EXPECT_FALSE(IMPORTSCHEMA("MISSING.4", false));
    put(match);
    script("key Esc\n");  // no side chosen
    EXPECT_TRUE(IMPORTSCHEMA("GAME3.4", false));
    EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(kept));
}

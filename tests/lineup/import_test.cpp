#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"
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
    void put(const std::string& bytes) { korax::client::spit(root / "GAME3.4", bytes); }
};

}  // namespace

TEST_F(Import, NoChoiceAndFilesThatCannotServeChangeNothing) {
    TEAM.TAKTIK[1].NORMALX = 123;
    const TEAMREC kept = TEAM;
    std::string newer = match;
    const std::int16_t v = 1001;
    std::memcpy(newer.data() + 4, &v, 2);
    struct Case { std::string bytes, script; };  // the version message is confirmed
    for (const Case& c : {Case{newer, "key Enter\n"}, Case{match.substr(0, 2429), ""}})
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

#include <vector>

#include "data/artefakt.h"
#include "management/tempel.h"
#include "management/werbung.h"
#include "screen_fixture.h"

using namespace korax;

namespace {

class TempleScreen : public korax::mtest::Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        for (int s = 1; s <= 6; ++s) BELEGT[s] = true, PLAYER[s].NAME.set("Player " + std::to_string(s)), PLAYER[s].VERFASSUNG = 80;
        reset();
    }
    void reset() {
        TEAM = TEAMREC{};
        for (int s = 1; s <= 6; ++s) TEAM.PLAYERS[s] = static_cast<std::int16_t>(s), PLAYER[s].ARTIFAKT = PLAYER[s].ARTLEVEL = 0;
        blank();
    }
    // The windows as the screen draws them: opened once and left.
    void windows() {
        const TEAMREC keep = TEAM;
        script("key Esc\n");
        TEMPEL();
        TEAM = keep;
        blank();
    }
    static std::string dragging(int from, int to) { return "press " + window(from) + "\nmove " + window(to) + "\nrelease\n"; }
    void altar(int type, int level, int dauer) {
        TEAM.ARTEFAKT = static_cast<std::uint8_t>(type);
        TEAM.ARTLEVEL = static_cast<std::uint8_t>(level);
        TEAM.ARTDAUER = static_cast<std::uint8_t>(dauer);
    }
    void give(int s, int code) {
        TEAM.ARTPLAYER[s] = static_cast<std::uint8_t>(code);
        PLAYER[s].ARTIFAKT = static_cast<std::uint8_t>(code / 10);
        PLAYER[s].ARTLEVEL = static_cast<std::uint8_t>(code % 10);
    }
};

TEST_F(TempleScreen, RefusedDropsAndHostileCodesChangeNothing) {
    struct Case { const char* what; int from, to; } cases[] = {
        {"onto a carrier", ARTALTAR, 1}, {"from a transfer", 4, 2}, {"onto an empty slot", ARTALTAR, 9}, {"hostile codes", ARTALTAR, 3}};
    for (const Case& c : cases) {
        reset();
        if (c.to == 3) altar(200, 200, 255), give(1, 255), give(2, 7);
        else altar(3, 1, 0), give(1, 25), give(4, 11), TEAM.TRANSFER[4] = -2;
        TEAM.ARTPRUEF = CHECKARTEFAKTE(TEAM);
        const TEAMREC before = TEAM;
        windows();
        // A refusal is a message, closed by Enter; the screen goes on.
        script(dragging(c.from, c.to) + (c.to == 3 ? "key H\nkey G\n" : "key Enter\n") + "key Esc\n");
        TEMPEL();
        EXPECT_TRUE(untouched()) << c.what;
        EXPECT_EQ(RECORDBYTES(TEAM), RECORDBYTES(before)) << c.what;
    }
}

TEST_F(TempleScreen, LeavingWritesAStaleCheckValueAndRestoresTheIcons) {
    give(1, 12), give(2, 15);
    ICON[1].P[0][0] = 0, ICON[1].P[5][5] = 9;
    const ICONREC icon = ICON[1];
    script("key H\nkey I\nkey F\nkey G\nkey 1\nkey B\nkey Esc\n");
    TEMPEL();
    EXPECT_EQ(onfile().ARTPRUEF, 9);
    EXPECT_EQ(std::memcmp(&ICON[1], &icon, sizeof icon), 0);  // their black back
    blank();  // nothing to bring up to date: nothing written
    script("key 2\nkey Esc\n");
    TEMPEL();
    EXPECT_TRUE(untouched());
}

TEST_F(TempleScreen, CardTakesOnlyKThenDragsWorkAgain) {
    altar(2, 1, 0);
    TEAM.ARTPRUEF = CHECKARTEFAKTE(TEAM);
    windows();
    const std::string drag = "press " + window(ARTALTAR) + "\nmove " + window(4) + "\nrelease\n";
    // While the card is shown a drag is no move; after "K" it is.
    script("click " + window(2) + " right\n" + drag + "key B\nkey K\n" + drag + "key Esc\n");
    TEMPEL();
    EXPECT_EQ(onfile().ARTPLAYER[4], 21);
    EXPECT_EQ(onfile().ARTPLAYER[2], 0);
}

class AdvertisingScreen : public korax::mtest::Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        std::ofstream(root / "NOTION.CFG", std::ios::binary) << "Troll Brew\r\nGoblin Gold Bank\nSwamp Spa\n";
        for (int w = 1; w <= 10; ++w) GEN.WERBUNG[w].DAUER = static_cast<std::uint8_t>(w), GEN.WERBUNG[w].INUSE = static_cast<std::uint8_t>(w % 4);
    }
};

TEST_F(AdvertisingScreen, KeysAndClicksApplyAndTheThirdReplacesTheSecond) {
    GEN.WERBUNG[3].TEAM = 5;
    GEN.WERBUNG[8].TEAM = 3;  // the own team
    TEAM.WERB1 = 3;           // held since: dropped
    script("key Esc\n");
    WERBUNG();
    EXPECT_EQ(onfile().WERB1, 0);
    script("key 4\nkey 7\nkey 3\nkey 8\nclick " + window(10) + "\nkey Esc\n");
    WERBUNG();
    EXPECT_EQ(std::vector<int>({onfile().WERB1, onfile().WERB2}), std::vector<int>({4, 10}));
    script("key 4\nkey R\n");
    WERBUNG();
    EXPECT_EQ(std::vector<int>({onfile().WERB1, onfile().WERB2}), std::vector<int>({0, 10}));
    EXPECT_EQ(KEY, 27);
}

TEST_F(AdvertisingScreen, LookingAndTheLastDayWriteNothing) {
    GEN.WERBUNG[2].TEAM = 200, GEN.WERBUNG[2].INUSE = 255, TEAM.WERB1 = 1;
    script("key 2\nkey Esc\n");
    WERBUNG();
    EXPECT_TRUE(untouched());
    LASTDAY = true;
    script("key 4\nkey Esc\n");
    WERBUNG();
    EXPECT_TRUE(untouched());
    EXPECT_EQ(std::vector<int>({TEAM.WERB1, TEAM.WERB2}), std::vector<int>({1, 0}));
}

TEST_F(AdvertisingScreen, NotionMissingIsError1AndADirectoryError2) {
    for (int nr : {1, 2}) {
        std::filesystem::remove_all(root / "NOTION.CFG");
        if (nr == 2) std::filesystem::create_directory(root / "NOTION.CFG");
        script("key Esc\n");
        try {
            WERBUNG();
            ADD_FAILURE() << "no error";
        } catch (const FatalError& e) {
            EXPECT_EQ(e.nr, nr);
            EXPECT_EQ(e.text, "NOTION.CFG");
        }
        EXPECT_TRUE(untouched());
    }
}

}  // namespace

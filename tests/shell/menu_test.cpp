// The main menu's history and its Escape targets, the own team's colour, and the
// usage time booked in the team record.
#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>

#include "data/config.h"
#include "data/g_types.h"
#include "graph/htime.h"
#include "shell/korax.h"
#include "workdir.h"

using namespace korax;
using namespace shelltest;

namespace {

bool no_tips(int) { return false; }
bool tips_at_103_and_150(int c) { return c == 103 || c == 150; }
bool tips_everywhere(int) { return true; }

}  // namespace

TEST(MenuHistory, HoldsEachCodeOnceAndEscapeAsksOnlyAtTheFirst) {
    MENURESET();
    EXPECT_EQ(MENUHISTORY, std::vector<int>{101});
    EXPECT_TRUE(ESCAPEASKS(0) && ESCAPEASKS(KEY2_BACK) && !ESCAPEASKS(KEY2_TIPCYCLE));
    for (int code : {101, 105, 110, 105, 101, 111}) MENUVISIT(code);
    EXPECT_EQ(MENUHISTORY, (std::vector<int>{101, 105, 110, 111}));
    EXPECT_FALSE(ESCAPEASKS(0));
    // The back key steps back one entry, Escape in a sub-menu goes back to the first.
    EXPECT_EQ(ESCAPETARGET(KEY2_BACK, 111, no_tips), 110);
    EXPECT_EQ(ESCAPETARGET(0, 110, no_tips), 101);
    // The tip cycle searches upward and wraps; without any tips it ends at the first entry.
    const struct { int from; bool (*tips)(int); int to; } cases[] = {
        {101, tips_at_103_and_150, 103}, {150, tips_at_103_and_150, 103},
        {120, tips_everywhere, 121}, {199, tips_everywhere, 100}};
    for (const auto& c : cases) EXPECT_EQ(ESCAPETARGET(KEY2_TIPCYCLE, c.from, c.tips), c.to) << c.from;
    MENUVISIT(105);
    EXPECT_EQ(ESCAPETARGET(KEY2_TIPCYCLE, 105, no_tips), 101);
    EXPECT_EQ(MENUHISTORY, std::vector<int>{101});
}

TEST(OwnTeamColour, WhiteUnlessSwitchedOff) {
    const auto saved = TEAMCOLOR;
    TEAMCOLOR[0] = 7;  // no own team: no entry changes
    TEAMCOLOR[3] = 5;
    TEAMCOLOR[4] = 0;
    for (int n : {0, 3, 4}) NUMMER = n, LOADICONS();
    EXPECT_EQ(TEAMCOLOR[0] * 10000 + TEAMCOLOR[3] * 100 + TEAMCOLOR[4], 71500);
    TEAMCOLOR = saved;
}

TEST(UsageTime, ClientAndViewerRunsAreBookedFromTheirMarkers) {
    // The sum: a difference of stamps, nothing for a failed stamp, wrapping.
    const std::pair<std::int32_t, std::int32_t> sums[] = {
        {ADDUSAGE(1000, 0x5A000000, 0x5A000010), 1016}, {ADDUSAGE(1000, 0, 0x5A000010), 1000},
        {ADDUSAGE(1000, 0x5A000000, 0), 1000}, {ADDUSAGE(1000, -5, 0x5A000010), 1000}, {ADDUSAGE(INT32_MAX, 1, 3), INT32_MIN + 1}};
    for (const auto& [got, want] : sums) EXPECT_EQ(got, want);
    WorkDir w;
    fs::create_directory(w.dir / "GAME1");
    GAMEDIR = "GAME1\\";
    TEAM = TEAMREC{};
    const std::time_t now = std::time(nullptr);
    auto marker = [&](const char* name, std::time_t when) {
        const fs::path p = w.dir / "GAME1" / name;
        std::ofstream(p) << "";
        utimbuf t{when, when};
        ASSERT_EQ(::utime(p.c_str(), &t), 0);
    };
    TEAM.TRAINING.KXANZAHL = 4;
    USAGESTART();
    EXPECT_EQ(TEAM.TRAINING.KXANZAHL, 5);
    EXPECT_EQ(KXSTARTTIME, STOPPETIME("KORAX.TMP"));
    KXSTARTTIME = DOSPACKTIME(now - 600);
    TEAM.TRAINING.KXGESAMT = 10;
    USAGESTOP();
    EXPECT_EQ(KXSTOPTIME, STOPPETIME("KORAX.TMP"));
    EXPECT_EQ(TEAM.TRAINING.KXGESAMT, 10 + KXSTOPTIME - KXSTARTTIME);
    // Back from the viewer: its time is added, its marker removed, and the client's
    // start is the time of its own marker.
    marker("VGR.TMP", now - 3600);
    marker("KORAX.TMP", now - 7200);
    TEAM.TRAINING.VGRGESAMT = 100;
    USAGESTART();
    EXPECT_EQ(TEAM.TRAINING.KXANZAHL, 5);
    EXPECT_EQ(TEAM.TRAINING.VGRGESAMT, 100 + KXSTOPTIME - DOSPACKTIME(now - 3600));
    EXPECT_EQ(KXSTARTTIME, DOSPACKTIME(now - 7200));
    EXPECT_FALSE(fs::exists(w.dir / "GAME1" / "VGR.TMP"));
    // Without the client's own marker there is no start stamp, and the end adds nothing.
    marker("VGR.TMP", now - 3600);
    fs::remove(w.dir / "GAME1" / "KORAX.TMP");
    USAGESTART();
    EXPECT_EQ(KXSTARTTIME, 0);
    TEAM.TRAINING.KXGESAMT = 10;
    USAGESTOP();
    EXPECT_EQ(TEAM.TRAINING.KXGESAMT, 10);
    GAMEDIR = ".\\";
    TEAM = TEAMREC{};
    KXSTARTTIME = KXSTOPTIME = 0;
}

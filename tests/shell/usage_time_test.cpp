#include <gtest/gtest.h>

#include <unistd.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "data/g_types.h"
#include "graph/htime.h"
#include "shell/korax.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

class UsageTime : public testing::Test {
protected:
    fs::path dir, oldcwd;
    std::time_t now = std::time(nullptr);

    void SetUp() override {
        oldcwd = fs::current_path();
        char buf[] = "/tmp/korax-usage-XXXXXX";
        dir = ::mkdtemp(buf);
        fs::create_directory(dir / "GAME1");
        fs::current_path(dir);
        GAMEDIR = "GAME1\\";
        TEAM = TEAMREC{};
        KXSTARTTIME = KXSTOPTIME = 0;
    }
    void TearDown() override {
        fs::current_path(oldcwd);
        GAMEDIR = ".\\";
        TEAM = TEAMREC{};
        KXSTARTTIME = KXSTOPTIME = 0;
        fs::remove_all(dir);
    }
    // A marker file in the game directory with the given modification time.
    void marker(const char* name, std::time_t when) {
        fs::path p = dir / "GAME1" / name;
        std::ofstream(p) << "";
        utimbuf t{when, when};
        ASSERT_EQ(::utime(p.c_str(), &t), 0);
    }
};

}  // namespace

TEST_F(UsageTime, ClientRunIsCountedAndStamped) {
    TEAM.TRAINING.KXANZAHL = 4;
    USAGESTART();
    EXPECT_EQ(TEAM.TRAINING.KXANZAHL, 5);
    EXPECT_GT(KXSTARTTIME, 0);
    EXPECT_EQ(KXSTARTTIME, STOPPETIME("KORAX.TMP"));
    EXPECT_EQ(TEAM.TRAINING.VGRGESAMT, 0);
}

TEST_F(UsageTime, MatchViewerRunIsAddedAndItsMarkerRemoved) {
    marker("VGR.TMP", now - 3600);
    marker("KORAX.TMP", now - 7200);
    TEAM.TRAINING.KXANZAHL = 4;
    TEAM.TRAINING.VGRGESAMT = 100;
    USAGESTART();
    EXPECT_EQ(TEAM.TRAINING.KXANZAHL, 4);
    ASSERT_GT(KXSTOPTIME, 0);
    EXPECT_EQ(TEAM.TRAINING.VGRGESAMT, 100 + KXSTOPTIME - DOSPACKTIME(now - 3600));
    EXPECT_EQ(KXSTARTTIME, DOSPACKTIME(now - 7200));
    EXPECT_FALSE(fs::exists(dir / "GAME1" / "VGR.TMP"));
}

TEST_F(UsageTime, ClientTimeIsAddedAtTheEnd) {
    KXSTARTTIME = DOSPACKTIME(now - 600);
    TEAM.TRAINING.KXGESAMT = 10;
    USAGESTOP();
    ASSERT_GT(KXSTOPTIME, 0);
    EXPECT_EQ(TEAM.TRAINING.KXGESAMT, 10 + KXSTOPTIME - KXSTARTTIME);
    EXPECT_EQ(KXSTOPTIME, STOPPETIME("KORAX.TMP"));
}

TEST_F(UsageTime, MissingStartStampAddsNothing) {
    // The viewer ran, but the client's own marker is gone: no start stamp.
    marker("VGR.TMP", now - 3600);
    USAGESTART();
    EXPECT_EQ(KXSTARTTIME, 0);
    TEAM.TRAINING.KXGESAMT = 10;
    USAGESTOP();
    EXPECT_EQ(TEAM.TRAINING.KXGESAMT, 10);
}

TEST_F(UsageTime, UnwritableGameDirectoryAddsNothing) {
    GAMEDIR = "NOSUCHDIR\\";
    KXSTARTTIME = DOSPACKTIME(now - 600);
    TEAM.TRAINING.KXGESAMT = 10;
    USAGESTOP();
    EXPECT_EQ(KXSTOPTIME, 0);
    EXPECT_EQ(TEAM.TRAINING.KXGESAMT, 10);
}

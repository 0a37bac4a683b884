// Delays, the tick counter and the marker-file time stamps.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/g_types.h"
#include "input_fixture.h"

namespace korax {
namespace {

TEST_F(InputTest, ElapsedAndReadTicksWrap) {
    const struct { int from, to, ticks; } cases[] = {
        {0, 182, 10}, {0, 0, 0}, {0, 9, 0}, {0, 10, 1}, {100, 118, 1}, {65500, 146, 10}};  // 0.49 s, 0.55 s, wrapped
    for (const auto& c : cases) EXPECT_EQ(ELAPSEDTICKS(c.from, c.to), c.ticks) << c.from << ".." << c.to;
    EXPECT_EQ(READTICKS(), 1);
    EXPECT_EQ(READTICKS(), 2);
    TICKCOUNT = 65535;
    EXPECT_EQ(READTICKS(), 0);
}

TEST_F(InputTest, HeadlessDelayMovesTheClockWithoutSleeping) {
    const std::uint64_t t0 = CLOCK_MS();
    DELAY(600000);
    EWAIT(1000);
    XDELAY(1);
    DELAY(-5);
    EXPECT_EQ(CLOCK_MS() - t0, 601001u);
}

TEST_F(InputTest, DosPackedTime) {
    const char* oldtz = std::getenv("TZ");
    const std::string saved = oldtz ? oldtz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2020-01-02 03:04:07 UTC
    const std::int32_t expect = (40 << 25) | (1 << 21) | (2 << 16) | (3 << 11) | (4 << 5) | 3;
    EXPECT_EQ(DOSPACKTIME(1577934247), expect);
    EXPECT_EQ(DOSPACKTIME(0), 0);  // 1970 has no DOS stamp
    if (oldtz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

class TimeFileTest : public InputTest {
protected:
    std::filesystem::path dir, oldcwd;
    std::string oldgamedir;
    void SetUp() override {
        InputTest::SetUp();
        oldcwd = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("korax_time_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir / "Game1");
        std::filesystem::current_path(dir);
        oldgamedir = GAMEDIR;
    }
    void TearDown() override {
        GAMEDIR = oldgamedir;
        std::filesystem::current_path(oldcwd);
        std::filesystem::remove_all(dir);
        InputTest::TearDown();
    }
};

TEST_F(TimeFileTest, StartTimeCreatesAnEmptyMarkerInTheGameOrProgramDirectory) {
    GAMEDIR = "GAME1\\";
    std::ofstream(dir / "Game1" / "korax.tmp") << "old contents";
    std::int32_t t = STARTETIME("KORAX.TMP");
    EXPECT_GT(t, 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "Game1" / "korax.tmp"), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "Game1" / "KORAX.TMP"));
    EXPECT_EQ(STOPPETIME("korax.tmp"), t);
    GAMEDIR = ".\\";
    t = STARTETIME("VGR.TMP");
    EXPECT_GT(t, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "VGR.TMP"));
    EXPECT_EQ(STOPPETIME("VGR.TMP"), t);
}

TEST_F(TimeFileTest, FailuresGiveZero) {
    GAMEDIR = "NOWHERE\\";
    EXPECT_EQ(STARTETIME("KORAX.TMP"), 0);
    EXPECT_EQ(STOPPETIME("KORAX.TMP"), 0);
    GAMEDIR = "GAME1\\";
    EXPECT_EQ(STOPPETIME("MISSING.TMP"), 0);
    std::filesystem::create_directories(dir / "Game1" / "KORAX.TMP" / "inside");
    EXPECT_EQ(STARTETIME("KORAX.TMP"), 0);  // a directory in the way is not deleted
    EXPECT_TRUE(std::filesystem::exists(dir / "Game1" / "KORAX.TMP" / "inside"));
}

}  // namespace
}  // namespace korax

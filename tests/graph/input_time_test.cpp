// Delays, the tick counter and the marker-file time stamps.
#include <fstream>

#include "data/g_types.h"
#include "graph_fixture.h"

using namespace korax;
using korax::test::InputTest;
using korax::test::Ints;

namespace {

TEST_F(InputTest, TicksDelaysAndDosTime) {
    const struct { int from, to, ticks; } cases[] = {
        {0, 182, 10}, {0, 0, 0}, {0, 9, 0}, {0, 10, 1}, {100, 118, 1}, {65500, 146, 10}};  // 0.49 s, 0.55 s, wrapped
    for (const auto& c : cases) EXPECT_EQ(ELAPSEDTICKS(c.from, c.to), c.ticks) << c.from << ".." << c.to;
    EXPECT_EQ(READTICKS(), 1);
    EXPECT_EQ(READTICKS(), 2);
    TICKCOUNT = 65535;
    EXPECT_EQ(READTICKS(), 0);
    // Headless, a delay moves the clock without sleeping.
    const std::uint64_t t0 = CLOCK_MS();
    DELAY(600000);
    EWAIT(1000);
    XDELAY(1);
    DELAY(-5);
    EXPECT_EQ(CLOCK_MS() - t0, 601001u);
    const char* oldtz = std::getenv("TZ");
    const std::string saved = oldtz ? oldtz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2020-01-02 03:04:07 UTC
    EXPECT_EQ(DOSPACKTIME(1577934247), (40 << 25) | (1 << 21) | (2 << 16) | (3 << 11) | (4 << 5) | 3);
    EXPECT_EQ(DOSPACKTIME(0), 0);  // 1970 has no DOS stamp
    if (oldtz) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

TEST_F(InputTest, StartTimeMakesAnEmptyMarkerInTheGameOrProgramDirectory) {
    test::ScratchDir dir;
    const std::string oldgamedir = GAMEDIR;
    const std::filesystem::path game = std::filesystem::path(dir.path()) / "Game1";
    std::filesystem::create_directories(game);
    GAMEDIR = "GAME1\\";
    std::ofstream(game / "korax.tmp") << "old contents";
    std::int32_t t = STARTETIME("KORAX.TMP");
    EXPECT_GT(t, 0);
    EXPECT_EQ(std::filesystem::file_size(game / "korax.tmp"), 0u);
    EXPECT_FALSE(std::filesystem::exists(game / "KORAX.TMP"));
    EXPECT_EQ(STOPPETIME("korax.tmp"), t);
    EXPECT_EQ(STOPPETIME("MISSING.TMP"), 0);
    std::filesystem::create_directories(game / "VGR.TMP" / "inside");
    EXPECT_EQ(STARTETIME("VGR.TMP"), 0);  // a directory in the way is not deleted
    EXPECT_TRUE(std::filesystem::exists(game / "VGR.TMP" / "inside"));
    GAMEDIR = ".\\";
    t = STARTETIME("VGR.TMP");
    EXPECT_GT(t, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("VGR.TMP")));
    EXPECT_EQ(STOPPETIME("VGR.TMP"), t);
    GAMEDIR = "NOWHERE\\";
    EXPECT_EQ(STARTETIME("KORAX.TMP"), 0);
    EXPECT_EQ(STOPPETIME("KORAX.TMP"), 0);
    GAMEDIR = oldgamedir;
}

}  // namespace

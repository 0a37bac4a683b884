// The program's DOS-style names on a case-mixed directory tree, the run's
// temporary directory, and joined paths.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/dospath.h"
#include "platform/paths.h"
#include "workdir.h"

using namespace korax;
using namespace shelltest;

TEST(DosPath, ComponentsFoundInAnyLetterCaseExactSpellingFirst) {
    WorkDir w;
    for (const char* name : {"Game1/team3.dat", "GAME2/Team4.DAT", "GAME2/TEAM4.DAT"})
        w.put(name, "x");
    fs::create_directories(w.dir / "Game1" / "sub");
    const std::pair<const char*, const char*> cases[] = {
        {"GAME1\\TEAM3.DAT", "Game1/team3.dat"}, {"Game1/Sub", "Game1/sub"},
        {"GAME2\\TEAM4.DAT", "GAME2/TEAM4.DAT"}, {"GAME2\\Team4.DAT", "GAME2/Team4.DAT"},
        // New names keep their spelling behind existing directories.
        {"GAME1\\TEAM3.TRN", "Game1/TEAM3.TRN"}, {"NEWDIR\\game1\\X", "NEWDIR/game1/X"},
        {"game1\\sub\\..\\TEAM3.DAT", "Game1/sub/../team3.dat"}, {"GAME1\\..\\game2\\", "Game1/../GAME2/"},
        {".\\game1\\team3.dat", "./Game1/team3.dat"}, {"", "."},
        {"GAME1\\TEAM3.DAT\\x", "Game1/team3.dat/x"}};  // a file in the middle stops resolving
    for (const auto& [dos, host] : cases) EXPECT_EQ(HOSTPATH(dos), host) << dos;
    // Absolute paths are resolved from the root.
    const fs::path got = HOSTPATH(UPCASE(w.dir.string()) + "\\GAME1\\TEAM3.DAT");
    EXPECT_TRUE(fs::exists(got) && fs::equivalent(got, w.dir / "Game1" / "team3.dat")) << got;
    // Masks match case-insensitively (files found by them: with the command line).
    EXPECT_TRUE(DOSMATCH("*.*", "README") && DOSMATCH("TEAM?.RST", "team3.rst") && !DOSMATCH("TEAM?.RST", "team10.rst"));
}

TEST(RunTempDir, BasePrefersTempThenTmpdirThenSlashTmpAndTheDirectoryIsPrivate) {
    WorkDir w;
    const std::string base = w.dir.string(), gone = "/nonexistent-korax-base";
    // An empty or missing base is passed over for the next one.
    const struct { const char* temp; std::string tmpdir, prefix; } cases[] = {
        {base.c_str(), gone, base + "/korax-"}, {nullptr, base, base + "/korax-"}, {"", "", "/tmp/korax-"},
        {"/nonexistent-korax-base/deeper", base, base + "/korax-"}, {gone.c_str(), gone + "/b", "/tmp/korax-"}};
    for (const auto& c : cases) {
        EnvGuard a("TEMP", c.temp), b("TMPDIR", c.tmpdir.c_str());
        REMOVERUNTEMPDIR();
        const std::string d = RUNTEMPDIR();
        ASSERT_EQ(d.rfind(c.prefix, 0), 0u) << d;
        EXPECT_EQ(d.back(), '/');
        struct stat st;
        ASSERT_EQ(::stat(d.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(RUNTEMPDIR(), d);  // made once per run
        std::ofstream(d + "M1.TMP") << "picture";
        REMOVERUNTEMPDIR();
        EXPECT_FALSE(fs::exists(d));
    }
    EnvGuard a("TEMP", "/var/x/"), b("TMPDIR", nullptr);
    EXPECT_EQ(TEMPBASE(), "/var/x");  // named, not yet tried
}

TEST(JoinPath, OneSeparatorAndAbsoluteNamesKept) {
    const struct { const char *dir, *name, *path; } cases[] = {
        {"GAME1", "TEAM3.DAT", "GAME1\\TEAM3.DAT"}, {"/home/u/korax", "palette!.pcx", "/home/u/korax/palette!.pcx"},
        {"/home/u/korax/", "GAME1\\", "/home/u/korax/GAME1\\"}, {"/home/u/korax/", "/srv/game", "/srv/game"},
        {".\\", "KORAX.TMP", "KORAX.TMP"}, {"", "KORAX.TMP", "KORAX.TMP"}};
    for (const auto& c : cases) EXPECT_EQ(JOINPATH(c.dir, c.name), c.path) << c.dir << " " << c.name;
}

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "platform/paths.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and restores it afterwards.
struct EnvGuard {
    std::string name;
    bool had;
    std::string old;
    EnvGuard(const char* n, const char* value) : name(n) {
        const char* v = std::getenv(n);
        had = v != nullptr;
        if (had) old = v;
        if (value) ::setenv(n, value, 1);
        else ::unsetenv(n);
    }
    ~EnvGuard() {
        if (had) ::setenv(name.c_str(), old.c_str(), 1);
        else ::unsetenv(name.c_str());
    }
};

std::string fresh_dir() {
    char buf[] = "/tmp/korax-paths-test-XXXXXX";
    return ::mkdtemp(buf);
}

}  // namespace

TEST(ProgramDir, IsTheDirectoryOfTheRunningBinary) {
    std::string d = PROGRAMDIR();
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.back(), '/');
    EXPECT_EQ(d[0], '/');
    EXPECT_TRUE(fs::equivalent(fs::path(d) / fs::read_symlink("/proc/self/exe").filename(), "/proc/self/exe"));
}

TEST(TempBase, PrefersTempThenTmpdirThenSlashTmp) {
    {
        EnvGuard a("TEMP", "/var/x/"), b("TMPDIR", "/var/y");
        EXPECT_EQ(TEMPBASE(), "/var/x");
    }
    {
        EnvGuard a("TEMP", nullptr), b("TMPDIR", "/var/y");
        EXPECT_EQ(TEMPBASE(), "/var/y");
    }
    {
        EnvGuard a("TEMP", ""), b("TMPDIR", nullptr);
        EXPECT_EQ(TEMPBASE(), "/tmp");
    }
}

TEST(RunTempDir, IsPrivateAndRemovedWithItsContent) {
    std::string base = fresh_dir();
    EnvGuard a("TEMP", nullptr), b("TMPDIR", base.c_str());
    REMOVERUNTEMPDIR();
    std::string d = RUNTEMPDIR();
    ASSERT_EQ(d.rfind(base + "/", 0), 0u) << d;
    EXPECT_EQ(d.back(), '/');
    struct stat st;
    ASSERT_EQ(::stat(d.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(RUNTEMPDIR(), d);  // made once per run
    std::ofstream(d + "M1.TMP") << "picture";
    REMOVERUNTEMPDIR();
    EXPECT_FALSE(fs::exists(d));
    fs::remove_all(base);
}

TEST(RunTempDir, UnusableBasesFallBackToTmpdirThenSlashTmp) {
    std::string base = fresh_dir();
    const struct { const char* temp; std::string tmpdir, prefix; } cases[] = {
        {"/nonexistent-korax-base/deeper", base, base + "/korax-"},
        {"/nonexistent-korax-base/a", "/nonexistent-korax-base/b", "/tmp/korax-"}};
    for (const auto& c : cases) {
        EnvGuard a("TEMP", c.temp), b("TMPDIR", c.tmpdir.c_str());
        REMOVERUNTEMPDIR();
        std::string d = RUNTEMPDIR();
        EXPECT_EQ(d.rfind(c.prefix, 0), 0u) << d;
        REMOVERUNTEMPDIR();
        EXPECT_FALSE(fs::exists(d));
    }
    fs::remove_all(base);
}

TEST(JoinPath, OneSeparatorAndAbsoluteNamesKept) {
    const struct { const char *dir, *name, *path; } cases[] = {
        {"GAME1\\", "TEAM3.DAT", "GAME1\\TEAM3.DAT"}, {"GAME1", "TEAM3.DAT", "GAME1\\TEAM3.DAT"},
        {"/home/u/korax", "palette!.pcx", "/home/u/korax/palette!.pcx"},
        {"/home/u/korax/", "GAME1\\", "/home/u/korax/GAME1\\"}, {"/home/u/korax/", "/srv/game", "/srv/game"},
        {".\\", "KORAX.TMP", "KORAX.TMP"}, {"", "KORAX.TMP", "KORAX.TMP"}};
    for (const auto& c : cases) EXPECT_EQ(JOINPATH(c.dir, c.name), c.path) << c.dir << " " << c.name;
}

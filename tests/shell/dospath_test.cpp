// The mapping of the program's DOS-style names onto a case-mixed directory tree.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/dospath.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

class DosPath : public testing::Test {
protected:
    fs::path dir, oldcwd;
    void SetUp() override {
        oldcwd = fs::current_path();
        char buf[] = "/tmp/korax-dospath-XXXXXX";
        dir = ::mkdtemp(buf);
        fs::create_directories(dir / "Game1" / "sub");
        fs::create_directories(dir / "GAME2");
        std::ofstream(dir / "Game1" / "team3.dat") << "t";
        std::ofstream(dir / "Game1" / "Post.bat") << "p";
        std::ofstream(dir / "GAME2" / "Team4.DAT") << "lower";
        std::ofstream(dir / "GAME2" / "TEAM4.DAT") << "upper";
        std::ofstream(dir / "palette!.pcx") << "x";
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(oldcwd);
        fs::remove_all(dir);
    }
};

}  // namespace

TEST_F(DosPath, ComponentsFoundInAnyLetterCaseExactSpellingFirst) {
    const std::pair<const char*, const char*> cases[] = {
        {"GAME1\\TEAM3.DAT", "Game1/team3.dat"}, {"game1\\POST.BAT", "Game1/Post.bat"},
        {"PALETTE!.PCX", "palette!.pcx"}, {"Game1/Sub", "Game1/sub"},
        {"GAME2\\TEAM4.DAT", "GAME2/TEAM4.DAT"}, {"GAME2\\Team4.DAT", "GAME2/Team4.DAT"},
        // New names keep their spelling behind existing directories.
        {"GAME1\\TEAM3.TRN", "Game1/TEAM3.TRN"}, {"NEWDIR\\game1\\X", "NEWDIR/game1/X"},
        {"GAME1\\", "Game1/"}, {".\\", "./"}, {".\\game1\\team3.dat", "./Game1/team3.dat"},
        {"game1\\sub\\..\\TEAM3.DAT", "Game1/sub/../team3.dat"}, {"GAME1\\..\\game2\\", "Game1/../GAME2/"},
        {"", "."},
        {"GAME1\\TEAM3.DAT\\x", "Game1/team3.dat/x"}};  // a file in the middle stops resolving
    for (const auto& [dos, host] : cases) EXPECT_EQ(HOSTPATH(dos), host) << dos;
}

TEST_F(DosPath, AbsolutePathsResolvedFromTheRoot) {
    std::string upper = UPCASE(dir.string()) + "\\GAME1\\TEAM3.DAT";
    fs::path got = HOSTPATH(upper);
    EXPECT_TRUE(fs::exists(got)) << got;
    EXPECT_TRUE(fs::equivalent(got, dir / "Game1" / "team3.dat"));
}

TEST_F(DosPath, MasksMatchCaseInsensitively) {
    EXPECT_EQ(FINDFILES("game1", "*.DAT"), std::vector<std::string>{"team3.dat"});
    EXPECT_EQ(FINDFILES("GAME1\\", "post.*"), std::vector<std::string>{"Post.bat"});
    EXPECT_EQ(FINDFILES("NOSUCH", "*.*"), std::vector<std::string>{});
    EXPECT_TRUE(DOSMATCH("*.*", "README"));
    EXPECT_TRUE(DOSMATCH("TEAM?.RST", "team3.rst"));
    EXPECT_FALSE(DOSMATCH("TEAM?.RST", "team10.rst"));
}

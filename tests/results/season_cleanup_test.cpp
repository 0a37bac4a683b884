// The first result of a new season clears the old season's match files, and with
// each match file the quick-match replay of the same name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/state.h"
#include "base/types.h"
#include "data/g_tools.h"
#include "platform/process.h"
#include "results/showrst.h"

using namespace korax;
namespace fs = std::filesystem;

TEST(NewSeason, QuickFilesGoWithTheirMatchFilesButNotTheNewOnes) {
    const fs::path old = fs::current_path();
    std::string tmpl = (fs::temp_directory_path() / "korax-season-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    const fs::path root = tmpl;
    fs::create_directory(root / "LIGA");
    PROCESSRUN run;
    run.program = std::string(KORAX_DIST_DIR) + "/mkgame";
    run.args = {"--seed", "4", "--team", "3", "--day", "0", "--dir", "LIGA", "--form", "rst", root.string()};
    ASSERT_EQ(RUNANDWAIT(run), 0);
    fs::current_path(root);
    KXPATH = root.string() + "/";
    GAMEDIR = "LIGA\\";
    NUMMER = 3;
    NUMMERSTR = "3";
    const struct {
        const char* name;
        bool stays;
    } files[] = {
        {"GAME3.7", false},  {"QUICK3.7", false},  {"GAME3.P1", false}, {"QUICK3.P1", false},
        {"QUICK3.P2", true},  // its match file is not there
        {"quick3.12", false}, {"GAME3.12", false}, {"QUICKIES.TXT", true}, {"GAMES.INI", true},
    };
    for (const auto& f : files) std::ofstream(root / "LIGA" / f.name) << "old";
    // A replay the result brings is kept although its match file was old.
    std::ofstream(root / "LIGA" / "GAME3.DAT") << "old";

    std::ifstream in(root / "TEAM3.RST", std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    RSTCONTAINER c;
    PARSECONTAINER(bytes, 3, "TEAM3.RST", c);
    c.quick = "new quick";
    WRITECONTAINER(c, 3);
    for (const auto& f : files) EXPECT_EQ(fs::exists(root / "LIGA" / f.name), f.stays) << f.name;
    std::ifstream q(root / "LIGA" / "QUICK3.DAT", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(q), {}), "new quick");

    fs::current_path(old);
    std::error_code ec;
    fs::remove_all(root, ec);
    GAMEDIR = ".\\";
}

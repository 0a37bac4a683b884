// The adviser in the real client: a tip accepted by clicking the figure reaches
// the team file; without tips the figure only shows its box.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/g_types.h"
#include "platform/process.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Program {
    fs::path root;
    Program() {
        std::string tmpl = (fs::temp_directory_path() / "korax-adviserclient-XXXXXX").string();
        root = ::mkdtemp(tmpl.data());
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
            if (e.path().filename() != "DEMO" && e.path().filename() != "DEMO.ORIG")
                fs::copy(e.path(), root / e.path().filename(), fs::copy_options::recursive);
    }
    ~Program() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    int run(const std::vector<std::string>& program, const std::string& script) {
        std::ofstream(root / "input.script") << script;
        PROCESSRUN r;
        r.program = (root / program[0]).string();
        r.args.assign(program.begin() + 1, program.end());
        r.dir = root.string();
        r.output = (root / "client.log").string();
        ::setenv("KORAX_VIDEO", "headless", 1);
        ::setenv("KORAX_INPUT", (root / "input.script").c_str(), 1);
        const int code = RUNANDWAIT(r);
        ::unsetenv("KORAX_INPUT");
        return code;
    }
    TEAMREC team() {
        const std::string b = slurp(root / "LIGA/TEAM3.DAT");
        TEAMREC t{};
        EXPECT_GE(b.size(), 3 * sizeof(TEAMREC));
        if (b.size() >= 3 * sizeof(TEAMREC)) std::memcpy(&t, b.data() + 2 * sizeof(TEAMREC), sizeof t);
        return t;
    }
};

const char* const LEAVE = "key Esc\nkey Y\nkey Enter\nkey Enter\n";
// An import prepares the viewer run (its message), then shows the pairings, the
// table and the received messages; Escape leaves each.
const std::string IMPORTLEAVE = std::string("key Esc\nkey Esc\nkey Esc\nkey Esc\n") + LEAVE;
// The figure in the corner of the work area, and the first button of its bubble.
const char* const FIGURE = "click 732 677\n";
const char* const ACCEPT = "click 313 453\n";

}  // namespace

TEST(AdviserInTheClient, AcceptedTipReachesTheTeamFile) {
    Program p;
    fs::create_directory(p.root / "LIGA");
    ASSERT_EQ(p.run({"mkgame", "--seed", "5", "--team", "3", "--day", "4", "--dir", "LIGA", "--form", "rst", "."}, ""), 0);
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, IMPORTLEAVE), 0) << slurp(p.root / "client.log");
    const TEAMREC before = p.team();
    const int target = (before.UNTERKUNFT + 1) % 5;
    std::ofstream(p.root / "HUGI.ENG", std::ios::binary)
        << "[101] Overview\r\n@IF a <> " << target << "\r\nMove house.\r\n@END\r\nA=" << target << "\r\n";
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, std::string(FIGURE) + ACCEPT + LEAVE), 0) << slurp(p.root / "client.log");
    const TEAMREC after = p.team();
    EXPECT_EQ(after.UNTERKUNFT, target);
    EXPECT_EQ(after.VERPFLEGUNG, before.VERPFLEGUNG);
    EXPECT_EQ(after.GOLD, before.GOLD);
    EXPECT_EQ(std::memcmp(&after.PLAYERS, &before.PLAYERS, sizeof before.PLAYERS), 0);
}

TEST(AdviserInTheClient, WithoutATipsFileTheFigureShowsItsBox) {
    Program p;
    fs::create_directory(p.root / "LIGA");
    ASSERT_EQ(p.run({"mkgame", "--seed", "6", "--team", "3", "--day", "2", "--dir", "LIGA", "--form", "rst", "."}, ""), 0);
    fs::remove(p.root / "HUGI.ENG");
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, IMPORTLEAVE), 0) << slurp(p.root / "client.log");
    const TEAMREC before = p.team();
    // The box takes one key; then the trainer leaves as usual.
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, std::string(FIGURE) + "key Enter\n" + LEAVE), 0)
        << slurp(p.root / "client.log");
    EXPECT_EQ(p.team().UNTERKUNFT, before.UNTERKUNFT);
}

// The command line and the result files beside the program: team number, game
// directory, result name, viewer mark, and containers moved or refused.
#include <gtest/gtest.h>

#include "data/config.h"
#include "data/g_types.h"
#include "platform/dospath.h"
#include "shell/korax.h"
#include "workdir.h"

using namespace korax;
using namespace shelltest;

namespace {

// A pass-through container: version byte 101, then the string[12] game directory.
std::string pass_through(const std::string& dir, std::size_t tail = 40) {
    std::string s = {char(101), char(dir.size())};
    s += dir;
    s.append(12 - std::min<std::size_t>(12, dir.size()), '\0');
    return s.append(tail, 'x');
}

// Every test runs in a fresh program directory "prog" with the settings as at start-up.
class Leseparam : public testing::Test {
protected:
    WorkDir w;
    fs::path temp = w.dir / "tmpbase", prog = w.dir / "prog";
    EnvGuard tempvar{"TEMP", temp.c_str()}, fsm{"FSM", nullptr};

    void SetUp() override {
        fs::create_directory(temp), fs::create_directory(prog), fs::current_path(prog);
        stale();
    }
    // Settings left over from before, which every read must reset.
    static void stale() {
        GAMEDIR = ".\\", RSTNAME = "stale", RSZNAME.clear(), NUMMERWAHL = 7;
        AUSVGR = IGNORMODE = TESTMODE = NEUGRAPH = true;
    }
    void TearDown() override {
        GAMEDIR = ".\\", RSTNAME.clear(), RSZNAME.clear(), NUMMERWAHL = 0;
        AUSVGR = IGNORMODE = TESTMODE = NEUGRAPH = false;
    }
    static void run(std::vector<std::string> words) {
        words.insert(words.begin(), "korax");
        LESEPARAM(words);
    }
    void put(const std::string& name, const std::string& bytes) const { w.put("prog/" + name, bytes); }
};

}  // namespace

TEST_F(Leseparam, WordsGiveTeamDirectoryResultAndViewerMark) {
    const struct { std::vector<std::string> words; int team; const char* rst; std::string gamedir; bool vgr; } cases[] = {
        {{}, 0, "", ".\\", false},
        {{"/home/u/my results/team3.rst", "3"}, 3, "/HOME/U/MY RESULTS/TEAM3.RST", ".\\", false},
        {{"game1", "10"}, 10, "", "GAME1", false},
        {{"GAME1", "0"}, 0, "", "GAME1 0", false},
        {{"team3.rst"}, 0, "TEAM3.RST", ".\\", false},
        {{"/x/TEAM3.RST", "3", "AusVGR"}, 3, "/X/TEAM3.RST", ".\\", true},
        {{"a", "b", "AusVGR", "d"}, 0, "", "A B AUSVGR D", false},
        // Words that are no team number stay part of the directory.
        {{"GAME1", "3x"}, 0, "", "GAME1 3X", false},
        {{"GAME1", "11"}, 0, "", "GAME1 11", false},
        {{"GAME1", "-1"}, 0, "", "GAME1 -1", false},
        {{"GAME1", "99999999999999999999"}, 0, "", "GAME1 99999999999999999999", false}};
    for (const auto& c : cases) {
        stale();
        run(c.words);
        const std::string line = c.words.empty() ? "(none)" : c.words[0];
        EXPECT_EQ(std::to_string(NUMMERWAHL) + "|" + RSTNAME + "|" + GAMEDIR + "|" + std::to_string(AUSVGR),
                  std::to_string(c.team) + "|" + c.rst + "|" + c.gamedir + "|" + std::to_string(c.vgr)) << line;
        EXPECT_FALSE(IGNORMODE || TESTMODE || NEUGRAPH) << line;
        EXPECT_TRUE(fs::is_empty(temp)) << line;
    }
    // The FSM switches are exact and case-sensitive.
    const struct { const char* fsm; bool ignore, test; } switches[] = {
        {"ignore", true, false}, {"test", false, true}, {"Ignore", false, false}};
    for (const auto& c : switches) {
        EnvGuard fsmvar("FSM", c.fsm);
        run({});
        EXPECT_EQ(IGNORMODE, c.ignore) << c.fsm;
        EXPECT_EQ(TESTMODE, c.test) << c.fsm;
    }
}

TEST_F(Leseparam, ArchiveOrContainerInProgramDirectoryIsNamed) {
    put("team3.rsz", "archive");
    put("TEAM3.RST", "\1");
    run({});
    EXPECT_EQ(RSZNAME + "|" + RSTNAME, "team3|TEAM3.RSZ");
    fs::remove(prog / "team3.rsz");
    put("RESULT2026TEAM3.RSZ", "archive");  // a long base name is not cut
    run({});
    EXPECT_EQ(RSZNAME, "RESULT2026TEAM3");
    fs::remove(prog / "RESULT2026TEAM3.RSZ"), fs::remove(prog / "TEAM3.RST");
    put("team3.rst", "\1" + std::string(300, 'y'));
    run({});
    EXPECT_EQ(RSTNAME + "|" + GAMEDIR, "TEAM3.RST|.\\");
    EXPECT_TRUE(fs::exists(prog / "team3.rst"));
}

TEST_F(Leseparam, PassThroughContainerMovesIntoItsGameDirectory) {
    // Only the 13-byte directory field is read, so a small file is no read error; a
    // trailing backslash is taken; one already in its game directory is kept.
    fs::create_directory(prog / "game1"), fs::create_directory(prog / "GAME2");
    const struct { const char* file; std::string bytes; const char* gamedir; const char* moved; } cases[] = {
        {"TEAM3.RST", pass_through("GAME1"), "GAME1\\", "game1/TEAM3.RST"},
        {"TEAM4.RST", pass_through("GAME2\\", 0), "GAME2\\", "GAME2/TEAM4.RST"},
        {"TEAM5.RST", pass_through("."), ".\\", "TEAM5.RST"}};
    for (const auto& c : cases) {
        put(c.file, c.bytes);
        run({});
        EXPECT_EQ(RSTNAME + "|" + GAMEDIR, std::string("|") + c.gamedir) << c.file;
        EXPECT_EQ(slurp(prog / c.moved), c.bytes);
        EXPECT_EQ(fs::exists(prog / c.file), std::string(c.moved) == c.file);
    }
}

TEST_F(Leseparam, BadContainersAreRefusedAndKept) {
    for (std::string bad : {"..", "../x", "/tmp/x", "a/b", "..\\x"}) {
        put("TEAM3.RST", pass_through(bad));
        EXPECT_EQ(fatal([] { run({}); }).substr(0, 3), "99:") << bad;
        EXPECT_TRUE(fs::exists(prog / "TEAM3.RST")) << bad;
    }
    EXPECT_FALSE(fs::exists(w.dir / "x"));
    put("TEAM3.RST", pass_through("NOGAME"));
    EXPECT_EQ(fatal([] { run({}); }), "13:NOGAME");
    EXPECT_TRUE(fs::exists(prog / "TEAM3.RST"));
    put("TEAM3.RST", "");
    EXPECT_EQ(fatal([] { run({}); }), "2:TEAM3.RST");
    // Result names on the command line that name no file to copy.
    EXPECT_EQ(fatal([] { run({"TEAM3.RST", "x"}); }), "14:TEAM3.RST x");
    EXPECT_EQ(fatal([] { run({"/x/a.RST", "b/.."}); }), "14:/x/a.RST b/..");
    if (::geteuid() == 0) return;  // root reads every file
    put("TEAM3.RST", "\1");
    fs::permissions(prog / "TEAM3.RST", fs::perms::none);
    EXPECT_EQ(fatal([] { run({}); }), "1:TEAM3.RST");
}

TEST_F(Leseparam, ResultPathWithBlanksIsCopiedToTemp) {
    w.put("my results/Team3.rst", "container bytes");
    run({(w.dir / "my").string(), "results/Team3.rst"});
    EXPECT_EQ(slurp(temp / "Team3.rst"), "container bytes");
    EXPECT_EQ(RSTNAME, UPCASE((temp / "Team3.rst").string()));
    EXPECT_TRUE(fs::exists(w.dir / "my results" / "Team3.rst"));
    // A result already in the temporary directory survives its own copy.
    const fs::path spaced = w.dir / "tmp base";
    EnvGuard tempvar("TEMP", spaced.c_str());
    w.put("tmp base/TEAM3.RST", "kept");
    run({(w.dir / "tmp").string(), "base/TEAM3.RST"});
    EXPECT_EQ(slurp(spaced / "TEAM3.RST"), "kept");
    EXPECT_EQ(RSTNAME, UPCASE((spaced / "TEAM3.RST").string()));
}

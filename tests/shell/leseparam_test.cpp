#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/config.h"
#include "data/g_types.h"
#include "platform/dospath.h"
#include "shell/korax.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

std::string read_file(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A pass-through container: version byte 101, then the string[12] game directory.
std::string pass_through(const std::string& dir, std::size_t tail = 40) {
    std::string s;
    s += static_cast<char>(101);
    s += static_cast<char>(dir.size());
    s += dir;
    s.append(12 - std::min<std::size_t>(12, dir.size()), '\0');
    s.append(tail, 'x');
    return s;
}

// Every test runs in a fresh program directory with the settings as at start-up.
class Leseparam : public testing::Test {
protected:
    fs::path dir, temp, oldcwd;
    std::string oldtemp;
    bool hadtemp = false;

    void SetUp() override {
        oldcwd = fs::current_path();
        char buf[] = "/tmp/korax-leseparam-XXXXXX";
        dir = ::mkdtemp(buf);
        temp = dir / "tmpbase";
        fs::create_directory(temp);
        fs::create_directory(dir / "prog");
        fs::current_path(dir / "prog");
        if (const char* t = std::getenv("TEMP")) hadtemp = true, oldtemp = t;
        ::setenv("TEMP", temp.c_str(), 1);
        ::unsetenv("FSM");
        stale();
    }
    // Settings left over from before, which every read must reset.
    static void stale() {
        GAMEDIR = ".\\";
        RSTNAME = "stale";
        RSZNAME.clear();
        NUMMERWAHL = 7;
        AUSVGR = IGNORMODE = TESTMODE = NEUGRAPH = true;
    }
    void TearDown() override {
        fs::current_path(oldcwd);
        if (hadtemp) ::setenv("TEMP", oldtemp.c_str(), 1);
        else ::unsetenv("TEMP");
        ::unsetenv("FSM");
        GAMEDIR = ".\\";
        RSTNAME.clear();
        RSZNAME.clear();
        NUMMERWAHL = 0;
        AUSVGR = IGNORMODE = TESTMODE = NEUGRAPH = false;
        fs::remove_all(dir);
    }
    fs::path prog() const { return dir / "prog"; }
    static void run(std::vector<std::string> words) {
        words.insert(words.begin(), "korax");
        LESEPARAM(words);
    }
    static int fatal(std::vector<std::string> words, std::string* text = nullptr) {
        try {
            run(std::move(words));
        } catch (const FatalError& e) {
            if (text) *text = e.text;
            return e.nr;
        }
        return -1;
    }
};

}  // namespace

// Command lines that name no file: team number, game directory, result name, viewer mark.
TEST_F(Leseparam, WordsGiveTeamDirectoryResultAndViewerMark) {
    const struct { std::vector<std::string> words; int team; const char* rst; const char* gamedir; bool vgr; } cases[] = {
        {{}, 0, "", ".\\", false},
        {{"/home/u/my results/team3.rst", "3"}, 3, "/HOME/U/MY RESULTS/TEAM3.RST", ".\\", false},
        {{"game1", "10"}, 10, "", "GAME1", false},
        {{"GAME1", "0"}, 0, "", "GAME1 0", false},
        {{"game1"}, 0, "", "GAME1", false},
        {{"team3.rst"}, 0, "TEAM3.RST", ".\\", false},
        {{"game1", "3", "AusVGR"}, 3, "", "GAME1", true},
        {{"/x/TEAM3.RST", "3", "AusVGR"}, 3, "/X/TEAM3.RST", ".\\", true},
        {{"a", "b", "AUSVGR"}, 0, "", "A B AUSVGR", false},
        {{"a", "b", "AusVGR", "d"}, 0, "", "A B AUSVGR D", false}};
    for (const auto& c : cases) {
        stale();
        run(c.words);
        const std::string line = c.words.empty() ? "(none)" : c.words[0];
        EXPECT_EQ(NUMMERWAHL, c.team) << line;
        EXPECT_EQ(RSTNAME, c.rst) << line;
        EXPECT_EQ(GAMEDIR, c.gamedir) << line;
        EXPECT_EQ(AUSVGR, c.vgr) << line;
        EXPECT_FALSE(IGNORMODE || TESTMODE || NEUGRAPH) << line;
        EXPECT_TRUE(fs::is_empty(temp)) << line;
    }
}

TEST_F(Leseparam, WordsThatAreNoNumbersGiveNoTeam) {
    for (std::string w : {"x", "3x", "11", "-1", "", " 3", "99999999999999999999"}) {
        run({"GAME1", w});
        EXPECT_EQ(NUMMERWAHL, 0) << w;
        EXPECT_EQ(GAMEDIR, "GAME1 " + UPCASE(w)) << w;
    }
}

TEST_F(Leseparam, FsmSwitchesAreExactAndCaseSensitive) {
    const struct { const char* fsm; bool ignore, test; } cases[] = {
        {"ignore", true, false}, {"test", false, true}, {"Ignore", false, false}, {"ignore ", false, false}};
    for (const auto& c : cases) {
        ::setenv("FSM", c.fsm, 1);
        run({});
        EXPECT_EQ(IGNORMODE, c.ignore) << c.fsm;
        EXPECT_EQ(TESTMODE, c.test) << c.fsm;
    }
}

TEST_F(Leseparam, ArchiveOrContainerInProgramDirectoryIsNamed) {
    write_file(prog() / "team3.rsz", "archive");
    write_file(prog() / "TEAM3.RST", std::string(1, '\1'));
    run({});
    EXPECT_EQ(RSZNAME, "team3");
    EXPECT_EQ(RSTNAME, "TEAM3.RSZ");
    fs::remove(prog() / "team3.rsz");
    write_file(prog() / "RESULT2026TEAM3.RSZ", "archive");  // a long base name is not cut
    run({});
    EXPECT_EQ(RSZNAME, "RESULT2026TEAM3");
    fs::remove(prog() / "RESULT2026TEAM3.RSZ");
    fs::remove(prog() / "TEAM3.RST");
    write_file(prog() / "team3.rst", std::string("\1") + std::string(300, 'y'));
    run({});
    EXPECT_EQ(RSTNAME, "TEAM3.RST");
    EXPECT_EQ(GAMEDIR, ".\\");
    EXPECT_TRUE(fs::exists(prog() / "team3.rst"));
}

TEST_F(Leseparam, PassThroughContainerMovesIntoItsGameDirectory) {
    fs::create_directory(prog() / "game1");
    std::string bytes = pass_through("GAME1");
    write_file(prog() / "TEAM3.RST", bytes);
    run({});
    EXPECT_EQ(RSTNAME, "");
    EXPECT_EQ(GAMEDIR, "GAME1\\");
    EXPECT_FALSE(fs::exists(prog() / "TEAM3.RST"));
    EXPECT_EQ(read_file(prog() / "game1" / "TEAM3.RST"), bytes);
    // Only the 13-byte directory field is read, so a small file is no read error;
    // a trailing backslash is taken.
    fs::create_directory(prog() / "GAME2");
    bytes = pass_through("GAME2\\", 0);
    write_file(prog() / "TEAM4.RST", bytes);
    run({});
    EXPECT_EQ(GAMEDIR, "GAME2\\");
    EXPECT_EQ(read_file(prog() / "GAME2" / "TEAM4.RST"), bytes);
    // Already in its game directory: kept.
    std::string here = pass_through(".");
    write_file(prog() / "TEAM5.RST", here);
    run({});
    EXPECT_EQ(RSTNAME, "");
    EXPECT_EQ(read_file(prog() / "TEAM5.RST"), here);
}

TEST_F(Leseparam, BadContainersAreRefusedAndKept) {
    for (std::string bad : {"..", "../x", "/tmp/x", "a/b", "..\\x"}) {
        write_file(prog() / "TEAM3.RST", pass_through(bad));
        EXPECT_EQ(fatal({}), 99) << bad;
        EXPECT_TRUE(fs::exists(prog() / "TEAM3.RST")) << bad;
    }
    EXPECT_FALSE(fs::exists(dir / "x"));
    write_file(prog() / "TEAM3.RST", pass_through("NOGAME"));
    EXPECT_EQ(fatal({}), 13);
    EXPECT_TRUE(fs::exists(prog() / "TEAM3.RST"));
    write_file(prog() / "TEAM3.RST", "");
    std::string text;
    EXPECT_EQ(fatal({}, &text), 2);
    EXPECT_EQ(text, "TEAM3.RST");
}

TEST_F(Leseparam, UnreadableContainerIsOpenError1) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    write_file(prog() / "TEAM3.RST", "\1");
    fs::permissions(prog() / "TEAM3.RST", fs::perms::none);
    std::string text;
    EXPECT_EQ(fatal({}, &text), 1);
    EXPECT_EQ(text, "TEAM3.RST");
}

TEST_F(Leseparam, ResultPathWithBlanksIsCopiedToTemp) {
    fs::create_directory(dir / "my results");
    write_file(dir / "my results" / "Team3.rst", "container bytes");
    run({(dir / "my").string(), "results/Team3.rst"});
    EXPECT_EQ(NUMMERWAHL, 0);
    EXPECT_EQ(read_file(temp / "Team3.rst"), "container bytes");
    EXPECT_EQ(RSTNAME, UPCASE((temp / "Team3.rst").string()));
    EXPECT_TRUE(fs::exists(dir / "my results" / "Team3.rst"));
    // A result already in the temporary directory survives its own copy.
    fs::path spaced = dir / "tmp base";
    fs::create_directory(spaced);
    ::setenv("TEMP", spaced.c_str(), 1);
    write_file(spaced / "TEAM3.RST", "kept");
    run({(dir / "tmp").string(), "base/TEAM3.RST"});
    EXPECT_EQ(read_file(spaced / "TEAM3.RST"), "kept");
    EXPECT_EQ(RSTNAME, UPCASE((spaced / "TEAM3.RST").string()));
}

TEST_F(Leseparam, ResultPathsThatNameNoCopyableFileAreFatal) {
    const std::string missing = (dir / "none").string();
    const struct { std::vector<std::string> words; int nr; } cases[] = {
        {{"TEAM3.RST", "x"}, 14}, {{missing, "here/TEAM3.RST"}, 13},
        {{"/x/a.RST", "b/.."}, 14}, {{"/x/a.RST", "b/."}, 14}, {{"/x/a.RST", "b/"}, 14}};
    for (const auto& c : cases) {
        std::string text;
        EXPECT_EQ(fatal(c.words, &text), c.nr) << c.words[1];
        EXPECT_EQ(text, c.words[0] + " " + c.words[1]);
    }
    EXPECT_TRUE(fs::is_empty(temp));
}

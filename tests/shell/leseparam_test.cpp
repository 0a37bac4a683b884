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
        GAMEDIR = ".\\";
        RSTNAME = "stale";
        RSZNAME.clear();
        NUMMERWAHL = 7;
        AUSVGR = true;
        IGNORMODE = TESTMODE = true;
        NEUGRAPH = true;
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

TEST_F(Leseparam, BareStartResetsSettings) {
    run({});
    EXPECT_EQ(RSTNAME, "");
    EXPECT_EQ(NUMMERWAHL, 0);
    EXPECT_FALSE(AUSVGR);
    EXPECT_FALSE(IGNORMODE);
    EXPECT_FALSE(TESTMODE);
    EXPECT_FALSE(NEUGRAPH);
    EXPECT_EQ(GAMEDIR, ".\\");
}

TEST_F(Leseparam, FsmSwitchesAreExactAndCaseSensitive) {
    ::setenv("FSM", "ignore", 1);
    run({});
    EXPECT_TRUE(IGNORMODE);
    EXPECT_FALSE(TESTMODE);
    ::setenv("FSM", "test", 1);
    run({});
    EXPECT_FALSE(IGNORMODE);
    EXPECT_TRUE(TESTMODE);
    ::setenv("FSM", "Ignore", 1);
    run({});
    EXPECT_FALSE(IGNORMODE);
    ::setenv("FSM", "ignore ", 1);
    run({});
    EXPECT_FALSE(IGNORMODE);
}

TEST_F(Leseparam, ArchiveInProgramDirectoryIsTaken) {
    write_file(prog() / "team3.rsz", "archive");
    write_file(prog() / "TEAM3.RST", std::string(1, '\1'));
    run({});
    EXPECT_EQ(RSZNAME, "team3");
    EXPECT_EQ(RSTNAME, "TEAM3.RSZ");
}

TEST_F(Leseparam, LongArchiveBaseNameIsNotCut) {
    write_file(prog() / "RESULT2026TEAM3.RSZ", "archive");
    run({});
    EXPECT_EQ(RSZNAME, "RESULT2026TEAM3");
}

TEST_F(Leseparam, ContainerInProgramDirectoryIsNamed) {
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
}

TEST_F(Leseparam, ShortPassThroughContainerStillMoves) {
    // Only the 13-byte directory field is read, so a small file is no read error.
    fs::create_directory(prog() / "GAME2");
    std::string bytes = pass_through("GAME2", 0);
    write_file(prog() / "TEAM4.RST", bytes);
    run({});
    EXPECT_EQ(GAMEDIR, "GAME2\\");
    EXPECT_EQ(read_file(prog() / "GAME2" / "TEAM4.RST"), bytes);
}

TEST_F(Leseparam, PassThroughWithTrailingBackslashAndProgramDirectory) {
    fs::create_directory(prog() / "GAME1");
    write_file(prog() / "TEAM3.RST", pass_through("GAME1\\"));
    run({});
    EXPECT_EQ(GAMEDIR, "GAME1\\");
    EXPECT_TRUE(fs::exists(prog() / "GAME1" / "TEAM3.RST"));

    std::string here = pass_through(".");
    write_file(prog() / "TEAM5.RST", here);
    run({});
    EXPECT_EQ(RSTNAME, "");
    EXPECT_EQ(read_file(prog() / "TEAM5.RST"), here);  // already in its game directory: kept
}

TEST_F(Leseparam, PassThroughWithUnsafeDirectoryIsRefused) {
    for (std::string bad : {"..", "../x", "/tmp/x", "a/b", "..\\x"}) {
        write_file(prog() / "TEAM3.RST", pass_through(bad));
        EXPECT_EQ(fatal({}), 99) << bad;
        EXPECT_TRUE(fs::exists(prog() / "TEAM3.RST")) << bad;
    }
    EXPECT_FALSE(fs::exists(dir / "x"));
}

TEST_F(Leseparam, PassThroughIntoMissingDirectoryIsFatal13) {
    write_file(prog() / "TEAM3.RST", pass_through("NOGAME"));
    std::string text;
    EXPECT_EQ(fatal({}, &text), 13);
    EXPECT_TRUE(fs::exists(prog() / "TEAM3.RST"));
}

TEST_F(Leseparam, EmptyContainerIsReadError2) {
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

TEST_F(Leseparam, TeamNumberWordTakesFirstWordAsIs) {
    run({"/home/u/my results/team3.rst", "3"});
    EXPECT_EQ(NUMMERWAHL, 3);
    EXPECT_EQ(RSTNAME, "/HOME/U/MY RESULTS/TEAM3.RST");
    EXPECT_FALSE(AUSVGR);
}

TEST_F(Leseparam, TeamNumberWithGameDirectory) {
    run({"game1", "10"});
    EXPECT_EQ(NUMMERWAHL, 10);
    EXPECT_EQ(RSTNAME, "");
    EXPECT_EQ(GAMEDIR, "GAME1");
}

TEST_F(Leseparam, WordsThatAreNoNumbersGiveNoTeam) {
    for (std::string w : {"x", "3x", "11", "-1", "", " 3", "99999999999999999999"}) {
        fs::create_directories(prog());
        RSTNAME.clear();
        run({"GAME1", w});
        EXPECT_EQ(NUMMERWAHL, 0) << w;
        EXPECT_EQ(GAMEDIR, "GAME1 " + std::string(w == "x" ? "X" : w == "3x" ? "3X" : w)) << w;
    }
}

TEST_F(Leseparam, ZeroTeamNumberJoinsTheWords) {
    run({"GAME1", "0"});
    EXPECT_EQ(NUMMERWAHL, 0);
    EXPECT_EQ(GAMEDIR, "GAME1 0");
}

TEST_F(Leseparam, GameDirectoryArgument) {
    run({"game1"});
    EXPECT_EQ(GAMEDIR, "GAME1");
    EXPECT_EQ(RSTNAME, "");
}

TEST_F(Leseparam, SingleResultWordIsNamedNotCopied) {
    run({"team3.rst"});
    EXPECT_EQ(RSTNAME, "TEAM3.RST");
    EXPECT_TRUE(fs::is_empty(temp));
}

TEST_F(Leseparam, ResultPathWithBlanksIsCopiedToTemp) {
    fs::create_directory(dir / "my results");
    write_file(dir / "my results" / "Team3.rst", "container bytes");
    std::string first = (dir / "my").string();
    run({first, "results/Team3.rst"});
    EXPECT_EQ(NUMMERWAHL, 0);
    EXPECT_EQ(read_file(temp / "Team3.rst"), "container bytes");
    EXPECT_EQ(RSTNAME, UPCASE((temp / "Team3.rst").string()));
    EXPECT_TRUE(fs::exists(dir / "my results" / "Team3.rst"));
}

TEST_F(Leseparam, ResultWithoutDirectoryPartIsFatal14) {
    std::string text;
    EXPECT_EQ(fatal({"TEAM3.RST", "x"}, &text), 14);
    EXPECT_EQ(text, "TEAM3.RST x");
}

TEST_F(Leseparam, ResultThatCannotBeCopiedIsFatal13) {
    std::string text;
    std::string missing = (dir / "none").string();
    EXPECT_EQ(fatal({missing, "here/TEAM3.RST"}, &text), 13);
    EXPECT_EQ(text, missing + " here/TEAM3.RST");
    EXPECT_TRUE(fs::is_empty(temp));
}

TEST_F(Leseparam, ResultAlreadyInTempSurvivesItsOwnCopy) {
    fs::path spaced = dir / "tmp base";
    fs::create_directory(spaced);
    ::setenv("TEMP", spaced.c_str(), 1);
    write_file(spaced / "TEAM3.RST", "kept");
    run({(dir / "tmp").string(), "base/TEAM3.RST"});
    EXPECT_EQ(read_file(spaced / "TEAM3.RST"), "kept");
    EXPECT_EQ(RSTNAME, UPCASE((spaced / "TEAM3.RST").string()));
}

TEST_F(Leseparam, BackFromMatchViewerWithTeamNumber) {
    run({"game1", "3", "AusVGR"});
    EXPECT_TRUE(AUSVGR);
    EXPECT_EQ(NUMMERWAHL, 3);
    EXPECT_EQ(GAMEDIR, "GAME1");
    EXPECT_EQ(RSTNAME, "");
}

TEST_F(Leseparam, BackFromMatchViewerWithResultPath) {
    run({"/x/TEAM3.RST", "3", "AusVGR"});
    EXPECT_TRUE(AUSVGR);
    EXPECT_EQ(RSTNAME, "/X/TEAM3.RST");
}

TEST_F(Leseparam, ViewerMarkIsCaseSensitiveAndOnlyThird) {
    run({"a", "b", "AUSVGR"});
    EXPECT_FALSE(AUSVGR);
    EXPECT_EQ(GAMEDIR, "A B AUSVGR");
    run({"a", "b", "AusVGR", "d"});
    EXPECT_FALSE(AUSVGR);
}

TEST_F(Leseparam, ResultPathEndingInDotsIsNoFileName) {
    for (std::string last : {"..", ".", ""}) {
        std::string text;
        EXPECT_EQ(fatal({"/x/a.RST", "b/" + last}, &text), 14) << last;
        EXPECT_EQ(text, "/x/a.RST b/" + last);
    }
    EXPECT_TRUE(fs::is_empty(temp));
}

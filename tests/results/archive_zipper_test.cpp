// ZIPPER: header read, password questions, the companion's start and outcome.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive_helpers.h"
#include "data/config.h"
#include "data/g_types.h"
#include "platform/dospath.h"
#include "results/rsz.h"
#include "results/zipper.h"

using namespace korax;
using archivetest::CwdGuard;
using archivetest::listdir;
using archivetest::readfile;
using archivetest::ScratchDir;
using archivetest::writefile;

namespace {

std::vector<std::string> g_answers;
std::vector<bool> g_firsts;
int g_wrong = 0;

std::string scripted_ask(bool first) {
    g_firsts.push_back(first);
    if (g_answers.empty()) return {};
    std::string a = g_answers.front();
    g_answers.erase(g_answers.begin());
    return a;
}
void count_wrong() { ++g_wrong; }

void packto(const std::string& path, const std::string& gamedir, const std::string& pw, bool shortcheck = false) {
    RSZPACKOPTIONS o;
    o.gamedir = gamedir;
    o.password = pw;
    o.quickhash = true;
    o.shortcheck = shortcheck;
    std::string a;
    ASSERT_TRUE(RSZPACKBYTES({{"TEAM7.RST", "container"}}, o, a).ok());
    writefile(path, a);
}

}  // namespace

class ArchiveZipper : public ::testing::Test {
protected:
    std::string savedkx;
    bool savedsilence = false;
    CwdGuard cwd;
    void SetUp() override {
        savedkx = KXPATH;
        savedsilence = SILENCE;
        KXPATH = std::string(KORAX_DIST_DIR) + "/";
        SILENCE = true;
        ZIPPERASK = scripted_ask;
        ZIPPERWRONG = count_wrong;
        g_answers.clear();
        g_firsts.clear();
        g_wrong = 0;
        ASSERT_TRUE(std::filesystem::exists(KXPATH + "rzip")) << "build the rzip companion first";
    }
    void TearDown() override {
        KXPATH = savedkx;
        SILENCE = savedsilence;
        ZIPPERASK = savedask;
        ZIPPERWRONG = savedwrong;
    }
    std::string (*savedask)(bool) = ZIPPERASK;
    void (*savedwrong)() = ZIPPERWRONG;
};

TEST_F(ArchiveZipper, AsksUntilThePasswordFits) {
    const struct { std::string pw; bool shortcheck; std::vector<std::string> answers; std::vector<bool> firsts; int wrong; } cases[] = {
        {"", false, {}, {}, 0},  // no question at all
        {"Hugo", false, {"hugo", "Hugo"}, {true, false}, 1},
        {"PASSWORD", true, {"PASSWORD"}, {true}, 0},  // seven characters of its check value stored
        {"\x84 \x94 \x81", false, {"\x84 \x94 \x81"}, {true}, 0}};  // blanks and umlauts
    for (const auto& c : cases) {
        ScratchDir d, work;
        packto(d / "R.RSZ", "", c.pw, c.shortcheck);
        g_answers = c.answers;
        g_firsts.clear();
        g_wrong = 0;
        EXPECT_TRUE(ZIPPER("D", d / (c.pw.empty() ? "R" : "R.RSZ"), work.path)) << c.pw;
        EXPECT_EQ(g_firsts, c.firsts) << c.pw;
        EXPECT_EQ(g_wrong, c.wrong) << c.pw;
        EXPECT_EQ(readfile(work / "TEAM7.RST"), "container") << c.pw;
    }
}

TEST_F(ArchiveZipper, EmptyAnswerEndsTheProgramWithExitCodeOne) {
    ScratchDir d, work;
    packto(d / "R.RSZ", "", "Hugo");
    g_answers = {"x", ""};
    try {
        ZIPPER("D", d / "R.RSZ", work.path);
        FAIL() << "no end";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(g_wrong, 2);
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST_F(ArchiveZipper, ModeXUnpacksIntoTheNamedGameDirectory) {
    ScratchDir prog;
    std::filesystem::copy_file(KXPATH + "rzip", prog / "rzip");
    std::filesystem::create_directory(prog / "GAME2");
    packto(prog / "R.RSZ", "GAME2", "");
    KXPATH = prog.path + "/";
    EXPECT_TRUE(ZIPPER("X", prog / "R.RSZ", KXPATH));
    EXPECT_EQ(readfile(prog / "GAME2/TEAM7.RST"), "container");
}

TEST_F(ArchiveZipper, ArchiveNameInCapitalsOrWithBlanksFindsTheFile) {
    ScratchDir d, work, work2;
    packto(d / "result.rsz", "", "");
    std::filesystem::current_path(d.path);
    EXPECT_TRUE(ZIPPER("D", "RESULT", work.path));
    EXPECT_EQ(listdir(work.path), (std::set<std::string>{"TEAM7.RST"}));
    std::filesystem::create_directory(d / "my results");
    packto(d / "my results/turn 3.RSZ", "", "");
    EXPECT_TRUE(ZIPPER("D", d / "my results/turn 3.RSZ", work2.path));
    EXPECT_EQ(listdir(work2.path), (std::set<std::string>{"TEAM7.RST"}));
}

TEST_F(ArchiveZipper, MissingOrShortArchiveIsFatal) {
    ScratchDir d, work;
    try {
        ZIPPER("D", d / "none", work.path);
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 1);
        EXPECT_EQ(e.text, UPCASE(d / "none.RSZ"));
    }
    writefile(d / "SHORT.RSZ", "abc");
    try {
        ZIPPER("D", d / "SHORT.RSZ", work.path);
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 2);
    }
}

TEST_F(ArchiveZipper, MissingCompanionIsFatalTenWithoutThePassword) {
    ScratchDir d, work, empty;
    packto(d / "R.RSZ", "", "Hugo");
    g_answers = {"Hugo"};
    KXPATH = empty.path + "/";
    try {
        ZIPPER("D", d / "R.RSZ", work.path);
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 10);
        EXPECT_EQ(e.text, empty.path + "/rzip (?)");
        EXPECT_EQ(e.text.find("Hugo"), std::string::npos);
    }
}

TEST_F(ArchiveZipper, FailedUnpackingIsReportedSoTheArchiveIsKept) {
    ScratchDir d, work;
    packto(d / "R.RSZ", "", "");
    std::string a = readfile(d / "R.RSZ");
    a[a.size() - 2] ^= 0x11;
    writefile(d / "R.RSZ", a);
    EXPECT_FALSE(ZIPPER("D", d / "R.RSZ", work.path));
    EXPECT_TRUE(listdir(work.path).empty());
    EXPECT_TRUE(std::filesystem::exists(d / "R.RSZ"));
}

TEST(ArchiveModeText, ModeThenQuietFlagAtMostTen) {
    EXPECT_EQ(ZIPMODETEXT("D", false), "D");
    EXPECT_EQ(ZIPMODETEXT("X", true), "X!");
    EXPECT_EQ(ZIPMODETEXT("ABCDEFGHIJK", true), "ABCDEFGHIJ");
}

TEST(ArchiveNewestContainer, NewestWinsTiesByName) {
    ScratchDir d;
    writefile(d / "TEAM1.RST", "old");
    writefile(d / "TEAM2.RST", "new");
    writefile(d / "TEAM3.RST", "new");
    writefile(d / "NOTE.TXT", "x");
    auto stamp = [&](const std::string& n, long sec) {
        struct timespec t[2] = {{sec, 0}, {sec, 0}};
        ::utimensat(AT_FDCWD, (d / n).c_str(), t, 0);
    };
    stamp("TEAM1.RST", 1000);
    stamp("TEAM2.RST", 2000);
    stamp("TEAM3.RST", 2000);
    EXPECT_EQ(NEWESTCONTAINER(d.path + "/"), "TEAM2.RST");
    stamp("TEAM1.RST", 3000);
    EXPECT_EQ(NEWESTCONTAINER(d.path), "TEAM1.RST");
    ScratchDir none;
    EXPECT_EQ(NEWESTCONTAINER(none.path), "");
}

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
#include "results/zipper.h"

using namespace korax;
using namespace archivetest;

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

void packto(const std::string& path, const std::string& gamedir, const std::string& pw, bool shortcheck = false) {
    writefile(path, pack({{"TEAM7.RST", "container"}}, options(gamedir, pw, shortcheck)));
}

// The fatal error number of a ZIPPER run, 0 for none.
int fatal(const std::string& archive, const std::string& work, std::string* text = nullptr) {
    try {
        ZIPPER("D", archive, work);
    } catch (const FatalError& e) {
        if (text) *text = e.text;
        return e.nr;
    }
    return 0;
}

}  // namespace

class ArchiveZipper : public ::testing::Test {
protected:
    std::string savedkx = KXPATH;
    bool savedsilence = SILENCE;
    std::string (*savedask)(bool) = ZIPPERASK;
    void (*savedwrong)() = ZIPPERWRONG;
    CwdGuard cwd;
    ScratchDir d, work;
    void SetUp() override {
        KXPATH = std::string(KORAX_DIST_DIR) + "/";
        SILENCE = true;
        ZIPPERASK = scripted_ask;
        ZIPPERWRONG = [] { ++g_wrong; };
        g_answers.clear();
        g_firsts.clear();
        g_wrong = 0;
    }
    void TearDown() override {
        KXPATH = savedkx;
        SILENCE = savedsilence;
        ZIPPERASK = savedask;
        ZIPPERWRONG = savedwrong;
    }
};

TEST_F(ArchiveZipper, AsksUntilThePasswordFitsOrTheAnswerIsEmpty) {
    const struct { std::string pw; bool shortcheck; std::vector<std::string> answers; std::vector<bool> firsts; int wrong; } cases[] = {
        {"", false, {}, {}, 0},  // no question at all
        {"Hugo", false, {"hugo", "Hugo"}, {true, false}, 1},
        {"PASSWORD", true, {"PASSWORD"}, {true}, 0},  // seven characters of its check value stored
        {"\x84 \x94 \x81", false, {"\x84 \x94 \x81"}, {true}, 0}};  // blanks and umlauts
    for (const auto& c : cases) {
        ScratchDir w;
        packto(d / "R.RSZ", "", c.pw, c.shortcheck);
        g_answers = c.answers;
        g_firsts.clear();
        g_wrong = 0;
        EXPECT_TRUE(ZIPPER("D", d / (c.pw.empty() ? "R" : "R.RSZ"), w.path)) << c.pw;
        EXPECT_EQ(g_firsts, c.firsts) << c.pw;
        EXPECT_EQ(g_wrong, c.wrong) << c.pw;
        EXPECT_EQ(readfile(w / "TEAM7.RST"), "container") << c.pw;
    }
    packto(d / "R.RSZ", "", "Hugo");
    g_answers = {"x", ""};
    g_wrong = 0;
    try {
        ZIPPER("D", d / "R.RSZ", work.path);
        FAIL() << "no end";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(g_wrong, 2);
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST_F(ArchiveZipper, FindsTheArchiveInCapitalsWithBlanksOrInTheNamedGameDirectory) {
    packto(d / "result.rsz", "", "");
    std::filesystem::current_path(d.path);
    EXPECT_TRUE(ZIPPER("D", "RESULT", work.path));
    EXPECT_EQ(listdir(work.path), (std::set<std::string>{"TEAM7.RST"}));
    std::filesystem::create_directory(d / "my results");
    packto(d / "my results/turn 3.RSZ", "", "");
    ScratchDir work2;
    EXPECT_TRUE(ZIPPER("D", d / "my results/turn 3.RSZ", work2.path));
    EXPECT_EQ(listdir(work2.path), (std::set<std::string>{"TEAM7.RST"}));

    std::filesystem::copy_file(KXPATH + "rzip", d / "rzip");
    std::filesystem::create_directory(d / "GAME2");
    packto(d / "R.RSZ", "GAME2", "");
    KXPATH = d.path + "/";
    EXPECT_TRUE(ZIPPER("X", d / "R.RSZ", KXPATH));
    EXPECT_EQ(readfile(d / "GAME2/TEAM7.RST"), "container");
}

// A failed unpacking is reported, so the archive is kept; a missing or short
// archive and a missing companion are fatal, the last without the password.
TEST_F(ArchiveZipper, FailuresAndFatalErrors) {
    std::string a = pack({{"TEAM7.RST", "container"}}, options("", ""));
    a[a.size() - 2] ^= 0x11;
    writefile(d / "R.RSZ", a);
    EXPECT_FALSE(ZIPPER("D", d / "R.RSZ", work.path));
    EXPECT_TRUE(std::filesystem::exists(d / "R.RSZ"));
    std::string text;
    EXPECT_EQ(fatal(d / "none", work.path, &text), 1);
    EXPECT_EQ(text, UPCASE(d / "none.RSZ"));
    writefile(d / "SHORT.RSZ", "abc");
    EXPECT_EQ(fatal(d / "SHORT.RSZ", work.path), 2);
    packto(d / "P.RSZ", "", "Hugo");
    g_answers = {"Hugo"};
    ScratchDir empty;
    KXPATH = empty.path + "/";
    EXPECT_EQ(fatal(d / "P.RSZ", work.path, &text), 10);
    EXPECT_EQ(text, empty.path + "/rzip (?)");
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST(ArchiveModeText, ModeThenQuietFlagAtMostTen) {
    EXPECT_EQ(ZIPMODETEXT("D", false), "D");
    EXPECT_EQ(ZIPMODETEXT("X", true), "X!");
    EXPECT_EQ(ZIPMODETEXT("ABCDEFGHIJK", true), "ABCDEFGHIJ");
}

TEST(ArchiveNewestContainer, NewestWinsTiesByName) {
    ScratchDir d;
    for (const char* n : {"TEAM1.RST", "TEAM2.RST", "TEAM3.RST", "NOTE.TXT"}) writefile(d / n, "x");
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

// The companion rzip as the client and the game master run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive_helpers.h"
#include "platform/process.h"
#include "results/rsz.h"
#include "results/zipper.h"

using namespace korax;
using archivetest::listdir;
using archivetest::noise;
using archivetest::readfile;
using archivetest::ScratchDir;
using archivetest::writefile;

namespace {

const std::string RZIP = std::string(KORAX_DIST_DIR) + "/rzip";

struct Outcome {
    int status;
    std::string out;
};

Outcome rzip(const std::string& dir, std::vector<std::string> args, std::optional<std::string> input = std::nullopt,
         const std::string& program = RZIP) {
    ScratchDir o;
    PROCESSRUN run;
    run.dir = dir;
    run.program = program;
    run.args = std::move(args);
    run.input = input ? *input : std::string();
    run.output = o / "out.txt";
    int s = RUNANDWAIT(run);
    return {s, readfile(o / "out.txt")};
}

std::string packquick(const std::string& path, const std::string& gamedir, const std::string& pw) {
    RSZPACKOPTIONS o;
    o.gamedir = gamedir;
    o.password = pw;
    o.quickhash = true;
    std::string a;
    EXPECT_TRUE(RSZPACKBYTES({{"TEAM5.RST", noise(20000, 5)}, {"NEWS.TXT", "news"}}, o, a).ok());
    writefile(path, a);
    return a;
}

// A program directory of its own: rzip finds the game directories beside itself.
std::string installrzip(const ScratchDir& d) {
    std::filesystem::copy_file(RZIP, d / "rzip");
    return d / "rzip";
}

}  // namespace

class ArchiveRzip : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(std::filesystem::exists(RZIP)) << "build the rzip companion first"; }
};

TEST_F(ArchiveRzip, PacksAndUnpacksWithPasswordOnStandardInput) {
    ScratchDir src, work;
    writefile(src / "TEAM3.RST", noise(30000, 7));
    writefile(src / "NEWS.TXT", "Eciton won");
    Outcome p = rzip(src.path, {"A", "RESULT.RSZ", "-g", "DEMO", "-p", "TEAM3.RST", "NEWS.TXT"}, "geheim\n");
    ASSERT_EQ(p.status, 0) << p.out;
    ZIPHEADERTYPE h;
    ASSERT_EQ(READZIPHEADER(src / "RESULT.RSZ", h), 0);
    EXPECT_EQ(h.GAMEDIR.str(), "DEMO");
    EXPECT_EQ(h.PASSWORT.str(), CRUNCHPW("geheim"));

    Outcome u = rzip(work.path, {"D", src / "RESULT.RSZ"}, "geheim\n");
    ASSERT_EQ(u.status, 0) << u.out;
    EXPECT_EQ(readfile(work / "TEAM3.RST"), readfile(src / "TEAM3.RST"));
    EXPECT_EQ(readfile(work / "NEWS.TXT"), "Eciton won");
    EXPECT_NE(u.out.find("TEAM3.RST"), std::string::npos);
}

// Quiet unpacking: the password on standard input (UTF-8, checked over its code
// page 437 bytes) or after the mode letter, archive names with blanks or in
// another letter case.
TEST_F(ArchiveRzip, QuietUnpackingPrintsNothing) {
    const struct { const char* file; const char* named; const char* pw; const char* mode; std::optional<std::string> input; } cases[] = {
        {"R.RSZ", "R.RSZ", "", "D!", std::nullopt},
        {"R.RSZ", "R.RSZ", "pw", "D!pw", std::nullopt},
        {"R.RSZ", "R.RSZ", "gr\x81n ja", "D!", "gr\xC3\xBCn ja\n"},
        {"my result.RSZ", "my result.RSZ", "", "D!", std::nullopt},
        {"result.rsz", "RESULT.RSZ", "", "D!", std::nullopt}};
    for (const auto& c : cases) {
        ScratchDir d, work;
        packquick(d / c.file, "", c.pw);
        Outcome u = rzip(work.path, {c.mode, d / c.named}, c.input);
        EXPECT_EQ(u.status, 0) << c.named << " " << c.pw;
        EXPECT_EQ(u.out, "");
        EXPECT_EQ(listdir(work.path), (std::set<std::string>{"TEAM5.RST", "NEWS.TXT"}));
    }
}

TEST_F(ArchiveRzip, WrongOrMissingPasswordUnpacksNothing) {
    ScratchDir d, work;
    packquick(d / "R.RSZ", "", "pw");
    EXPECT_EQ(rzip(work.path, {"D!", d / "R.RSZ"}, "PW\n").status, 4);
    EXPECT_EQ(rzip(work.path, {"D!", d / "R.RSZ"}, "").status, 4);
    Outcome r = rzip(work.path, {"D", d / "R.RSZ"}, "nope\n");
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.out.find("wrong password"), std::string::npos) << r.out;
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST_F(ArchiveRzip, ModeXUnpacksIntoTheGameDirectoryBesideTheProgram) {
    ScratchDir prog, elsewhere;
    std::string exe = installrzip(prog);
    std::filesystem::create_directory(prog / "game1");
    packquick(elsewhere / "R.RSZ", "GAME1", "");
    Outcome u = rzip(elsewhere.path, {"X!", elsewhere / "R.RSZ"}, std::nullopt, exe);
    ASSERT_EQ(u.status, 0) << u.out;
    EXPECT_EQ(listdir(prog / "game1"), (std::set<std::string>{"TEAM5.RST", "NEWS.TXT"}));
    EXPECT_EQ(listdir(elsewhere.path), (std::set<std::string>{"R.RSZ"}));
}

TEST_F(ArchiveRzip, ModeXMakesAMissingGameDirectory) {
    ScratchDir prog;
    std::string exe = installrzip(prog);
    packquick(prog / "R.RSZ", "NEWGAME", "pw");
    ASSERT_EQ(rzip(prog.path, {"X!", prog / "R.RSZ"}, "pw\n", exe).status, 0);
    EXPECT_EQ(listdir(prog / "NEWGAME").size(), 2u);
}

TEST_F(ArchiveRzip, ModeXRefusesAGameDirectoryThatIsAPath) {
    ScratchDir prog;
    std::string exe = installrzip(prog);
    std::string a = packquick(prog / "R.RSZ", "GAME1", "");
    // Rewrite the header's name into "../X" of the same length slot.
    a[1] = 4;
    a.replace(2, 4, "../X");
    writefile(prog / "R.RSZ", a);
    EXPECT_EQ(rzip(prog.path, {"X!", prog / "R.RSZ"}, std::nullopt, exe).status, 5);
    EXPECT_EQ(listdir(prog.path), (std::set<std::string>{"R.RSZ", "rzip"}));
}

TEST_F(ArchiveRzip, FailuresHaveTheirExitCodes) {
    ScratchDir d, work;
    EXPECT_EQ(rzip(work.path, {"D!", d / "missing.RSZ"}).status, 2);
    writefile(d / "short.RSZ", "tiny");
    EXPECT_EQ(rzip(work.path, {"D!", d / "short.RSZ"}).status, 3);
    std::string a = packquick(d / "R.RSZ", "", "");
    a[a.size() - 3] ^= 0x55;
    writefile(d / "bad.RSZ", a);
    EXPECT_EQ(rzip(work.path, {"D!", d / "bad.RSZ"}).status, 3);
    EXPECT_EQ(rzip(work.path, {"Q", d / "R.RSZ"}).status, 1);
    EXPECT_EQ(rzip(work.path, {"D"}).status, 1);
    EXPECT_EQ(rzip(work.path, {"A", d / "x.RSZ", "-g", "../up", d / "R.RSZ"}).status, 5);
    EXPECT_TRUE(listdir(work.path).empty());
}

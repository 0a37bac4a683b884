// The companion rzip as the client and the game master run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive_helpers.h"
#include "platform/process.h"
#include "results/zipper.h"

using namespace korax;
using namespace archivetest;

namespace {

const std::string RZIP = std::string(KORAX_DIST_DIR) + "/rzip";

// Exit code and output of one run.
std::pair<int, std::string> rzip(const std::string& dir, std::vector<std::string> args,
                                 std::optional<std::string> input = std::nullopt, const std::string& program = RZIP) {
    ScratchDir o;
    PROCESSRUN run;
    run.dir = dir;
    run.program = program;
    run.args = std::move(args);
    run.input = input.value_or("");
    run.output = o / "out.txt";
    int s = RUNANDWAIT(run);
    return {s, readfile(o / "out.txt")};
}

std::string packquick(const std::string& path, const std::string& gamedir, const std::string& pw) {
    std::string a = pack({{"TEAM5.RST", noise(20000, 5)}, {"NEWS.TXT", "news"}}, options(gamedir, pw));
    writefile(path, a);
    return a;
}

const std::set<std::string> UNPACKED = {"TEAM5.RST", "NEWS.TXT"};

}  // namespace

TEST(ArchiveRzip, PacksAndUnpacksWithPasswordOnStandardInput) {
    ScratchDir src, work;
    writefile(src / "TEAM3.RST", noise(30000, 7));
    writefile(src / "NEWS.TXT", "Eciton won");
    auto [status, out] = rzip(src.path, {"A", "RESULT.RSZ", "-g", "DEMO", "-p", "TEAM3.RST", "NEWS.TXT"}, "geheim\n");
    ASSERT_EQ(status, 0) << out;
    ZIPHEADERTYPE h;
    ASSERT_EQ(READZIPHEADER(src / "RESULT.RSZ", h), 0);
    EXPECT_EQ(h.GAMEDIR.str(), "DEMO");
    EXPECT_EQ(h.PASSWORT.str(), CRUNCHPW("geheim"));
    std::tie(status, out) = rzip(work.path, {"D", src / "RESULT.RSZ"}, "geheim\n");
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(readfile(work / "TEAM3.RST"), readfile(src / "TEAM3.RST"));
    EXPECT_EQ(readfile(work / "NEWS.TXT"), "Eciton won");
    EXPECT_NE(out.find("TEAM3.RST"), std::string::npos);
}

// The password on standard input (UTF-8, checked over its CP437 bytes) or after
// the mode letter; archive names with blanks or in another letter case.
TEST(ArchiveRzip, QuietUnpackingPrintsNothing) {
    const struct { const char* file; const char* named; const char* pw; const char* mode; std::optional<std::string> input; } cases[] = {
        {"R.RSZ", "R.RSZ", "", "D!", std::nullopt},
        {"R.RSZ", "R.RSZ", "pw", "D!pw", std::nullopt},
        {"R.RSZ", "R.RSZ", "gr\x81n ja", "D!", "gr\xC3\xBCn ja\n"},
        {"my result.RSZ", "my result.RSZ", "", "D!", std::nullopt},
        {"result.rsz", "RESULT.RSZ", "", "D!", std::nullopt}};
    for (const auto& c : cases) {
        ScratchDir d, work;
        packquick(d / c.file, "", c.pw);
        EXPECT_EQ(rzip(work.path, {c.mode, d / c.named}, c.input), std::make_pair(0, std::string())) << c.named << " " << c.pw;
        EXPECT_EQ(listdir(work.path), UNPACKED);
    }
}

// Mode X unpacks into the game directory beside the program, made when missing,
// and refuses a game directory that is a path.
TEST(ArchiveRzip, ModeXUsesTheGameDirectoryBesideTheProgram) {
    ScratchDir prog, elsewhere;
    const std::string exe = prog / "rzip";
    std::filesystem::copy_file(RZIP, exe);
    std::filesystem::create_directory(prog / "game1");
    packquick(elsewhere / "R.RSZ", "GAME1", "");
    EXPECT_EQ(rzip(elsewhere.path, {"X!", elsewhere / "R.RSZ"}, std::nullopt, exe).first, 0);
    EXPECT_EQ(listdir(prog / "game1"), UNPACKED);
    EXPECT_EQ(listdir(elsewhere.path), (std::set<std::string>{"R.RSZ"}));
    packquick(elsewhere / "R.RSZ", "NEWGAME", "pw");
    EXPECT_EQ(rzip(elsewhere.path, {"X!", elsewhere / "R.RSZ"}, "pw\n", exe).first, 0);
    EXPECT_EQ(listdir(prog / "NEWGAME"), UNPACKED);
    std::string a = packquick(elsewhere / "R.RSZ", "GAME1", "");
    a.replace(1, 5, "\x04../X");
    writefile(elsewhere / "R.RSZ", a);
    EXPECT_EQ(rzip(elsewhere.path, {"X!", elsewhere / "R.RSZ"}, std::nullopt, exe).first, 5);
    EXPECT_EQ(listdir(prog.path), (std::set<std::string>{"rzip", "game1", "NEWGAME"}));
    EXPECT_EQ(listdir(elsewhere.path), (std::set<std::string>{"R.RSZ"}));
}

TEST(ArchiveRzip, FailuresHaveTheirExitCodesAndUnpackNothing) {
    ScratchDir d, work;
    packquick(d / "P.RSZ", "", "pw");
    EXPECT_EQ(rzip(work.path, {"D!", d / "P.RSZ"}, "PW\n").first, 4);
    EXPECT_EQ(rzip(work.path, {"D!", d / "P.RSZ"}, "").first, 4);
    auto [status, out] = rzip(work.path, {"D", d / "P.RSZ"}, "nope\n");
    EXPECT_EQ(status, 4);
    EXPECT_NE(out.find("wrong password"), std::string::npos) << out;
    EXPECT_EQ(rzip(work.path, {"D!", d / "missing.RSZ"}).first, 2);
    writefile(d / "short.RSZ", "tiny");
    EXPECT_EQ(rzip(work.path, {"D!", d / "short.RSZ"}).first, 3);
    std::string a = packquick(d / "R.RSZ", "", "");
    a[a.size() - 3] ^= 0x55;
    writefile(d / "bad.RSZ", a);
    EXPECT_EQ(rzip(work.path, {"D!", d / "bad.RSZ"}).first, 3);
    EXPECT_EQ(rzip(work.path, {"Q", d / "R.RSZ"}).first, 1);
    EXPECT_EQ(rzip(work.path, {"D"}).first, 1);
    EXPECT_EQ(rzip(work.path, {"A", d / "x.RSZ", "-g", "../up", d / "R.RSZ"}).first, 5);
    EXPECT_TRUE(listdir(work.path).empty());
}

// The companion rzip as the client and the game master run it, the start of external
// programs (no shell between), and the password check value.
#include <gtest/gtest.h>
#include <fcntl.h>

#include <cstdint>
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

PROCESSRUN runof(const std::string& dir, const std::string& program, std::vector<std::string> args, const std::string& output = "") {
    PROCESSRUN r;
    r.dir = dir, r.program = program, r.args = std::move(args), r.output = output;
    return r;
}

// Exit code and output of one run.
std::pair<int, std::string> rzip(const std::string& dir, std::vector<std::string> args,
                                 std::optional<std::string> input = std::nullopt, const std::string& program = RZIP) {
    ScratchDir o;
    PROCESSRUN run = runof(dir, program, std::move(args), o / "out.txt");
    run.input = input.value_or("");
    const int s = RUNANDWAIT(run);
    return {s, slurp(o / "out.txt")};
}

std::string packquick(const std::string& path, const std::string& gamedir, const std::string& pw) {
    std::string a = pack({{"TEAM5.RST", noise(20000, 5)}, {"NEWS.TXT", "news"}}, options(gamedir, pw));
    spit(path, a);
    return a;
}

const std::set<std::string> UNPACKED = {"TEAM5.RST", "NEWS.TXT"};

}  // namespace

TEST(ArchiveRzip, PacksAndUnpacksWithPasswordOnStandardInput) {
    ScratchDir src, work;
    spit(src / "TEAM3.RST", noise(30000, 7));
    spit(src / "NEWS.TXT", "Eciton won");
    auto [status, out] = rzip(src.path, {"A", "RESULT.RSZ", "-g", "DEMO", "-p", "TEAM3.RST", "NEWS.TXT"}, "geheim\n");
    ASSERT_EQ(status, 0) << out;
    ZIPHEADERTYPE h;
    ASSERT_EQ(READZIPHEADER(src / "RESULT.RSZ", h), 0);
    EXPECT_EQ(h.GAMEDIR.str(), "DEMO");
    EXPECT_EQ(h.PASSWORT.str(), CRUNCHPW("geheim"));
    std::tie(status, out) = rzip(work.path, {"D", src / "RESULT.RSZ"}, "geheim\n");
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(slurp(work / "TEAM3.RST"), slurp(src / "TEAM3.RST"));
    EXPECT_EQ(slurp(work / "NEWS.TXT"), "Eciton won");
    EXPECT_NE(out.find("TEAM3.RST"), std::string::npos);
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
    spit(elsewhere / "R.RSZ", a);
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
    spit(d / "short.RSZ", "tiny");
    EXPECT_EQ(rzip(work.path, {"D!", d / "short.RSZ"}).first, 3);
    std::string a = packquick(d / "R.RSZ", "", "");
    a[a.size() - 3] ^= 0x55;
    spit(d / "bad.RSZ", a);
    EXPECT_EQ(rzip(work.path, {"D!", d / "bad.RSZ"}).first, 3);
    EXPECT_EQ(rzip(work.path, {"Q", d / "R.RSZ"}).first, 1);
    EXPECT_EQ(rzip(work.path, {"D"}).first, 1);
    EXPECT_EQ(rzip(work.path, {"A", d / "x.RSZ", "-g", "../up", d / "R.RSZ"}).first, 5);
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST(ArchiveProcess, ExitStatusAndProgramsThatCannotStart) {
    ScratchDir d;
    spit(d / "data.txt", "hello");
    ::chmod((d / "data.txt").c_str(), 0644);
    EXPECT_TRUE(EXECANDWAIT(d.path, "/bin/sh", "-c \"exit 3\""));  // a non-zero exit still started
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "no-such-program", ""));
    EXPECT_FALSE(EXECANDWAIT(d.path, "korax-no-such-program-on-path", "x"));
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "data.txt", ""));
    EXPECT_FALSE(EXECANDWAIT(d / "missing", "/bin/true", ""));
    PROCESSRUN run = runof("", "/bin/sh", {"-c", "exit 3"});
    EXPECT_EQ(RUNANDWAIT(run), 3);
    run.args = {"-c", "kill -9 $$"};
    EXPECT_EQ(RUNANDWAIT(run), 128 + 9);
    run.program = d / "no-such-program";
    EXPECT_EQ(RUNANDWAIT(run), NOT_STARTED);
}

// Other handles of ours are not inherited.
TEST(ArchiveProcess, HandlesAreNotInherited) {
    ScratchDir d;
    int fd = ::open((d / "secret").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::dup2(fd, 57), 57);  // without close-on-exec, at a number the child would not use itself
    PROCESSRUN run = runof("", "/bin/ls", {"/proc/self/fd"}, d / "fds.txt");
    EXPECT_EQ(RUNANDWAIT(run), 0);
    ::close(57);
    ::close(fd);
    EXPECT_EQ(slurp(d / "fds.txt").find("57\n"), std::string::npos) << slurp(d / "fds.txt");
}

TEST(ArchiveProcess, StandardInputCarriesTheGivenBytesOrEndOfFile) {
    ScratchDir d;
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/sh", {"-c", "cat > got.txt"}, "pass word\n"), 0);
    EXPECT_EQ(slurp(d / "got.txt"), "pass word\n");
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/true", {}, std::string(4 << 20, 'x')), 0);  // input ignored
    PROCESSRUN run = runof(d.path, "/bin/sh", {"-c", "cat > got.txt"});
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(slurp(d / "got.txt"), "");
}

TEST(ArchiveProcess, SplitArgsGroupsQuotedWords) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"D! \"/tmp/my result.RSZ\"", {"D!", "/tmp/my result.RSZ"}}, {"  a   b  ", {"a", "b"}}, {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}}, {"", {}}};
    for (const auto& [text, words] : cases) EXPECT_EQ(SPLITARGS(text), words) << text;
}

TEST(ArchiveCrunchpw, GoldenValues) {
    const std::pair<std::string, std::string> golden[] = {
        {"a", "\xDB"}, {"secret", "\x4E\xD0\x3C\x96\x75\xB7"}, {"PASSWORD", "\x6E\x41\xDB\xE9\x77\x2B\x76\x27"},
        {"\x84\x94\x81", "\x58\x61\x8C"},  // the CP437 bytes of the umlauts, not UTF-8
        {"PASSWORDextra", "\x6E\x41\xDB\xE9\x77\x2B\x76\x27"}, {"", ""}};  // eight characters count
    for (const auto& [pw, check] : golden) EXPECT_EQ(CRUNCHPW(pw), check) << pw;
    STRING8 check;
    check.set("stale");
    CRUNCHPW(STRING8::of("Hugo"), check);
    EXPECT_EQ(check.str(), CRUNCHPW("Hugo"));
    CRUNCHPW(STRING8{}, check);
    EXPECT_EQ(check.size(), 0u);
}

// An eight-character password whose stored check value has seven characters
// fits, and the stored value is completed so the full value has to match later.
TEST(ArchivePasswordFits, ExactOrSevenOfEightStored) {
    const std::string full = CRUNCHPW("PASSWORD");
    const struct { std::string stored, typed; bool fits; std::string after; } cases[] = {
        {CRUNCHPW("secret"), "secret", true, CRUNCHPW("secret")}, {CRUNCHPW("secret"), "Secret", false, CRUNCHPW("secret")},
        {full.substr(0, 7), "PASSWORD", true, full}, {full.substr(0, 7), "PASSWOR", false, full.substr(0, 7)},
        {full.substr(0, 7), "PASSWORX", false, full.substr(0, 7)}, {"", "", true, ""}, {"", "a", false, ""}};
    for (const auto& c : cases) {
        STRING8 stored = STRING8::of(c.stored);
        EXPECT_EQ(PASSWORDFITS(c.typed, stored), c.fits) << c.typed;
        EXPECT_EQ(stored.str(), c.after) << c.typed;
    }
}

// Starting external programs: working directory, exit status, standard input,
// and no shell between us and the program.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <string>
#include <vector>

#include "archive_helpers.h"
#include "platform/process.h"

using namespace korax;
using namespace archivetest;

namespace {

PROCESSRUN runof(const std::string& dir, const std::string& program, std::vector<std::string> args, const std::string& output = "") {
    PROCESSRUN r;
    r.dir = dir, r.program = program, r.args = std::move(args), r.output = output;
    return r;
}

}  // namespace

TEST(ArchiveProcess, ExitStatusAndProgramsThatCannotStart) {
    ScratchDir d;
    writefile(d / "data.txt", "hello");
    ::chmod((d / "data.txt").c_str(), 0644);
    EXPECT_TRUE(EXECANDWAIT(d.path, "/bin/sh", "-c \"exit 3\""));  // a non-zero exit still started
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "no-such-program", ""));
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "data.txt", ""));
    EXPECT_FALSE(EXECANDWAIT(d / "missing", "/bin/true", ""));
    PROCESSRUN run = runof("", "/bin/sh", {"-c", "exit 3"});
    EXPECT_EQ(RUNANDWAIT(run), 3);
    run.args = {"-c", "kill -9 $$"};
    EXPECT_EQ(RUNANDWAIT(run), 128 + 9);
    run.program = d / "no-such-program";
    EXPECT_EQ(RUNANDWAIT(run), NOT_STARTED);
}

// The directory matched in any letter case; arguments reach the program
// uninterpreted; other handles of ours are not inherited.
TEST(ArchiveProcess, DirectoryArgumentsAndHandles) {
    ScratchDir d;
    std::filesystem::create_directory(d / "Game1");
    PROCESSRUN run = runof(d.path + "/GAME1\\", "/bin/pwd", {}, d / "out.txt");
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "out.txt"), d.path + "/Game1\n");
    run = runof(d.path, "/bin/echo", {"a;b", "$HOME", "x y", "`id`", "*"}, d / "out.txt");
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "out.txt"), "a;b $HOME x y `id` *\n");

    int fd = ::open((d / "secret").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::dup2(fd, 57), 57);  // without close-on-exec, at a number the child would not use itself
    run = runof("", "/bin/ls", {"/proc/self/fd"}, d / "fds.txt");
    EXPECT_EQ(RUNANDWAIT(run), 0);
    ::close(57);
    ::close(fd);
    EXPECT_EQ(readfile(d / "fds.txt").find("57\n"), std::string::npos) << readfile(d / "fds.txt");
}

TEST(ArchiveProcess, StandardInputCarriesTheGivenBytesOrEndOfFile) {
    ScratchDir d;
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/sh", {"-c", "cat > got.txt"}, "pass word\n"), 0);
    EXPECT_EQ(readfile(d / "got.txt"), "pass word\n");
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/true", {}, std::string(4 << 20, 'x')), 0);  // input ignored
    PROCESSRUN run = runof(d.path, "/bin/sh", {"-c", "cat > got.txt"});
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "got.txt"), "");
}

TEST(ArchiveProcess, SplitArgsGroupsQuotedWords) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"D! \"/tmp/my result.RSZ\"", {"D!", "/tmp/my result.RSZ"}}, {"  a   b  ", {"a", "b"}}, {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}}, {"", {}}};
    for (const auto& [text, words] : cases) EXPECT_EQ(SPLITARGS(text), words) << text;
}

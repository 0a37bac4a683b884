// Starting external programs: working directory, exit status, standard input,
// and no shell between us and the program.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <string>
#include <vector>

#include "archive_helpers.h"
#include "platform/process.h"

using namespace korax;
using archivetest::readfile;
using archivetest::ScratchDir;

TEST(ArchiveProcess, NonZeroExitStillCountsAsStartedAMissingProgramOrDirectoryNot) {
    ScratchDir d;
    archivetest::writefile(d / "data.txt", "hello");
    ::chmod((d / "data.txt").c_str(), 0644);
    EXPECT_TRUE(EXECANDWAIT(d.path, "/bin/sh", "-c \"exit 3\""));
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "no-such-program", ""));
    EXPECT_FALSE(EXECANDWAIT(d.path, "korax-no-such-program-on-path", "x"));
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "data.txt", ""));
    EXPECT_FALSE(EXECANDWAIT(d / "missing", "/bin/true", ""));
    PROCESSRUN run;
    run.program = "/bin/sh";
    run.args = {"-c", "exit 3"};
    EXPECT_EQ(RUNANDWAIT(run), 3);
    run.args = {"-c", "kill -9 $$"};  // an end by signal is a failure
    EXPECT_EQ(RUNANDWAIT(run), 128 + 9);
    run.program = d / "no-such-program";
    EXPECT_EQ(RUNANDWAIT(run), NOT_STARTED);
}

TEST(ArchiveProcess, RunsInTheWorkingDirectoryMatchedInAnyLetterCase) {
    ScratchDir d;
    std::filesystem::create_directory(d / "Game1");
    for (const auto& [dir, shown] : {std::pair{d.path, d.path}, std::pair{d.path + "/GAME1\\", d.path + "/Game1"}}) {
        PROCESSRUN run;
        run.dir = dir;
        run.program = "/bin/pwd";
        run.output = d / "out.txt";
        EXPECT_EQ(RUNANDWAIT(run), 0);
        EXPECT_EQ(readfile(d / "out.txt"), shown + "\n");
    }
}

TEST(ArchiveProcess, ArgumentsReachTheProgramUninterpreted) {
    ScratchDir d;
    PROCESSRUN run;
    run.program = "/bin/echo";
    run.args = {"a;b", "$HOME", "x y", "`id`", "*"};
    run.output = d / "out.txt";
    run.dir = d.path;
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "out.txt"), "a;b $HOME x y `id` *\n");
}

TEST(ArchiveProcess, StandardInputCarriesTheGivenBytesOrEndOfFile) {
    ScratchDir d;
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/sh", {"-c", "cat > got.txt"}, "pass word\n"), 0);
    EXPECT_EQ(readfile(d / "got.txt"), "pass word\n");
    // A child that ignores its input does not hurt us.
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/true", {}, std::string(4 << 20, 'x')), 0);
    PROCESSRUN run;
    run.dir = d.path;
    run.program = "/bin/sh";
    run.args = {"-c", "cat > got.txt"};
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "got.txt"), "");
}

TEST(ArchiveProcess, OurOtherHandlesAreNotInherited) {
    ScratchDir d;
    int fd = ::open((d / "secret").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    // A handle without close-on-exec, at a number the child would not use itself.
    ASSERT_EQ(::dup2(fd, 57), 57);
    PROCESSRUN run;
    run.program = "/bin/ls";
    run.args = {"/proc/self/fd"};
    run.output = d / "fds.txt";
    EXPECT_EQ(RUNANDWAIT(run), 0);
    ::close(57);
    ::close(fd);
    std::string fds = readfile(d / "fds.txt");
    EXPECT_EQ(fds.find("57\n"), std::string::npos) << fds;
}

TEST(ArchiveProcess, SplitArgsGroupsQuotedWords) {
    EXPECT_EQ(SPLITARGS("D! \"/tmp/my result.RSZ\""), (std::vector<std::string>{"D!", "/tmp/my result.RSZ"}));
    EXPECT_EQ(SPLITARGS("  a   b  "), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SPLITARGS("\"\""), (std::vector<std::string>{""}));
    EXPECT_EQ(SPLITARGS("a\"b c\"d"), (std::vector<std::string>{"ab cd"}));
    EXPECT_TRUE(SPLITARGS("").empty());
}

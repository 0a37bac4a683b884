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

TEST(ArchiveProcess, NonZeroExitStillCountsAsStarted) {
    ScratchDir d;
    EXPECT_TRUE(EXECANDWAIT(d.path, "/bin/sh", "-c \"exit 3\""));
    PROCESSRUN run;
    run.program = "/bin/sh";
    run.args = {"-c", "exit 3"};
    EXPECT_EQ(RUNANDWAIT(run), 3);
}

TEST(ArchiveProcess, MissingProgramIsNotStarted) {
    ScratchDir d;
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "no-such-program", ""));
    EXPECT_FALSE(EXECANDWAIT(d.path, "korax-no-such-program-on-path", "x"));
    PROCESSRUN run;
    run.program = d / "no-such-program";
    EXPECT_EQ(RUNANDWAIT(run), NOT_STARTED);
}

TEST(ArchiveProcess, FileThatIsNotAProgramIsNotStarted) {
    ScratchDir d;
    archivetest::writefile(d / "data.txt", "hello");
    ::chmod((d / "data.txt").c_str(), 0644);
    EXPECT_FALSE(EXECANDWAIT(d.path, d / "data.txt", ""));
}

TEST(ArchiveProcess, MissingWorkingDirectoryIsNotStarted) {
    ScratchDir d;
    EXPECT_FALSE(EXECANDWAIT(d / "missing", "/bin/true", ""));
}

TEST(ArchiveProcess, RunsInTheWorkingDirectory) {
    ScratchDir d;
    PROCESSRUN run;
    run.dir = d.path;
    run.program = "/bin/pwd";
    run.output = d / "out.txt";
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "out.txt"), d.path + "\n");
}

TEST(ArchiveProcess, WorkingDirectoryNameIsMatchedInAnyLetterCase) {
    ScratchDir d;
    std::filesystem::create_directory(d / "Game1");
    PROCESSRUN run;
    run.dir = d.path + "/GAME1\\";
    run.program = "/bin/pwd";
    run.output = d / "out.txt";
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "out.txt"), d.path + "/Game1\n");
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

TEST(ArchiveProcess, StandardInputCarriesTheGivenBytes) {
    ScratchDir d;
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/sh", {"-c", "cat > got.txt"}, "pass word\n"), 0);
    EXPECT_EQ(readfile(d / "got.txt"), "pass word\n");
}

TEST(ArchiveProcess, ChildThatIgnoresItsInputDoesNotHurtUs) {
    ScratchDir d;
    std::string big(4 << 20, 'x');
    EXPECT_EQ(EXECWITHINPUT(d.path, "/bin/true", {}, big), 0);
}

TEST(ArchiveProcess, WithoutInputTheChildReadsEndOfFile) {
    ScratchDir d;
    PROCESSRUN run;
    run.dir = d.path;
    run.program = "/bin/sh";
    run.args = {"-c", "cat > got.txt"};
    EXPECT_EQ(RUNANDWAIT(run), 0);
    EXPECT_EQ(readfile(d / "got.txt"), "");
}

TEST(ArchiveProcess, EndBySignalIsReportedAsFailure) {
    PROCESSRUN run;
    run.program = "/bin/sh";
    run.args = {"-c", "kill -9 $$"};
    EXPECT_EQ(RUNANDWAIT(run), 128 + 9);
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

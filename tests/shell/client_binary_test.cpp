// Runs the real client as a child process and checks how it ends.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int code = -1;
    std::string err;
};

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class ClientBinary : public testing::Test {
protected:
    fs::path root, prog, temp;

    void SetUp() override {
        fs::path exe = fs::path(KORAX_DIST_DIR) / "korax";
        if (!fs::exists(exe)) GTEST_SKIP() << "client not built";
        char buf[] = "/tmp/korax-client-XXXXXX";
        root = ::mkdtemp(buf);
        prog = root / "prog";
        temp = root / "temp";
        fs::create_directories(prog);
        fs::create_directories(temp);
        fs::copy_file(exe, prog / "korax");
        // The text files of the program directory, as the build installs them.
        fs::path assets = fs::path(KORAX_SOURCE_DIR) / "assets";
        for (const fs::path& d : {assets, assets / "lang"})
            for (const auto& e : fs::directory_iterator(d))
                if (e.is_regular_file() && e.path().filename() != "CMakeLists.txt" &&
                    e.path().extension() != ".md")
                    fs::copy_file(e.path(), prog / e.path().filename(), fs::copy_options::overwrite_existing);
    }
    void TearDown() override {
        if (!root.empty()) fs::remove_all(root);
    }

    // Starts `program` (a path, or a bare name looked up in PATH) with the words,
    // in directory cwd, with extra environment settings.
    RunResult run(const std::string& program, const std::vector<std::string>& words, const fs::path& cwd,
                  const std::vector<std::string>& env = {}) {
        fs::path errfile = root / "stderr.txt";
        pid_t pid = ::fork();
        if (pid == 0) {
            int fd = ::open(errfile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 2);
            int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 1);
            if (::chdir(cwd.c_str()) != 0) ::_exit(120);
            ::setenv("KORAX_VIDEO", "headless", 1);
            ::setenv("TEMP", temp.c_str(), 1);
            ::unsetenv("KORAX_INPUT");
            ::unsetenv("FSM");
            for (const auto& kv : env) {
                auto eq = kv.find('=');
                ::setenv(kv.substr(0, eq).c_str(), kv.substr(eq + 1).c_str(), 1);
            }
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(program.c_str()));
            for (const auto& w : words) argv.push_back(const_cast<char*>(w.c_str()));
            argv.push_back(nullptr);
            ::execvp(program.c_str(), argv.data());
            ::_exit(121);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        RunResult r;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        r.err = slurp(errfile);
        return r;
    }
    RunResult run(const std::vector<std::string>& words, const std::vector<std::string>& env = {}) {
        return run((prog / "korax").string(), words, prog, env);
    }
};

}  // namespace

TEST_F(ClientBinary, ResultWithoutDirectoryPartEndsWith14) {
    RunResult r = run({"TEAM3.RST", "x"});
    EXPECT_EQ(r.code, 14);
    EXPECT_EQ(r.err, "Error 14: TEAM3.RST x\n");
}

TEST_F(ClientBinary, MissingGameDirectoryEndsWith13) {
    RunResult r = run({"NOGAME"});
    EXPECT_EQ(r.code, 13);
    EXPECT_EQ(r.err, "Error 13: NOGAME\n");
}

TEST_F(ClientBinary, UncopyableResultEndsWith13) {
    RunResult r = run({"/nowhere/my", "results/TEAM3.RST"});
    EXPECT_EQ(r.code, 13);
    EXPECT_EQ(r.err, "Error 13: /nowhere/my results/TEAM3.RST\n");
}

TEST_F(ClientBinary, UnsafePassThroughContainerEndsWith99) {
    std::string bytes = "\x65\x04../x";
    bytes.append(40, '\0');
    std::ofstream(prog / "TEAM3.RST", std::ios::binary) << bytes;
    RunResult r = run({});
    EXPECT_EQ(r.code, 99);
    EXPECT_EQ(r.err.rfind("Error 99: TEAM3.RST", 0), 0u) << r.err;
    EXPECT_TRUE(fs::exists(prog / "TEAM3.RST"));
    EXPECT_FALSE(fs::exists(root / "x"));
}

TEST_F(ClientBinary, MissingConfigurationIsReportedWithoutDisplay) {
    fs::remove(prog / "KORAX.INI");
    RunResult r = run({});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Error 1: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("KORAX.INI"), std::string::npos) << r.err;
}

TEST_F(ClientBinary, MissingPalettePictureEndsWith1) {
    if (fs::exists(prog / "palette!.pcx")) fs::remove(prog / "palette!.pcx");
    RunResult r = run({});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Error 1: PALETTE!.PCX\n");
}

TEST_F(ClientBinary, StartedThroughPathFindsItsProgramDirectory) {
    // The game directory is looked for in the program directory, in any letter case,
    // not in the directory the client was started from.
    fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere / "NOGAME");
    fs::create_directories(prog / "game1");
    std::string path = prog.string() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
    RunResult miss = run("korax", {"NOGAME"}, elsewhere, {"PATH=" + path});
    EXPECT_EQ(miss.code, 13);
    EXPECT_EQ(miss.err, "Error 13: NOGAME\n");
    RunResult found = run("korax", {"Game1"}, elsewhere, {"PATH=" + path});
    EXPECT_EQ(found.err.find("Error 13"), std::string::npos) << found.err;
}

TEST_F(ClientBinary, ErrorScreenWaitsForAKeyFromTheScript) {
    fs::path script = root / "keys.kis";
    fs::path shot = root / "error.png";
    std::ofstream(script) << "shot " << shot.string() << "\nkey Enter\n";
    RunResult r = run({"TEAM3.RST", "x"}, {"KORAX_INPUT=" + script.string()});
    EXPECT_EQ(r.code, 14);
    EXPECT_EQ(r.err, "Error 14: TEAM3.RST x\n");
    EXPECT_TRUE(fs::exists(shot));
}

TEST_F(ClientBinary, ScratchDirectoryIsGoneAfterAFatalError) {
    RunResult r = run({"NOGAME"});
    EXPECT_EQ(r.code, 13);
    EXPECT_TRUE(fs::is_empty(temp));
}

// The language switch end to end: the built client shows its main menu in the
// language LANGUAGE.CFG selects, and stops visibly on a broken language file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class LanguageClient : public testing::Test {
protected:
    fs::path root, prog;

    void SetUp() override {
        fs::path dist(KORAX_DIST_DIR);
        if (!fs::exists(dist / "korax") || !fs::exists(dist / "KORAX.DEU") || !fs::exists(dist / "DEMO"))
            GTEST_SKIP() << "client or its data not built";
        char buf[] = "/tmp/korax-lgclient-XXXXXX";
        root = ::mkdtemp(buf);
        prog = root / "prog";
        fs::copy(dist, prog, fs::copy_options::recursive);
    }
    void TearDown() override {
        if (!root.empty()) fs::remove_all(root);
    }
    void put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

    // Runs the client on the demonstration game with an input script; returns the
    // exit code and leaves standard error in `err`.
    int run(const std::string& script, std::string& err) {
        put(root / "in.kis", script);
        pid_t pid = ::fork();
        if (pid == 0) {
            if (::chdir(prog.c_str()) != 0) ::_exit(97);
            int fd = ::open((root / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 2);
            ::setenv("KORAX_VIDEO", "headless", 1);
            ::setenv("KORAX_INPUT", (root / "in.kis").c_str(), 1);
            ::setenv("TMPDIR", root.c_str(), 1);
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            ::execl((prog / "korax").c_str(), "korax", "DEMO", static_cast<char*>(nullptr));
            ::_exit(98);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        err = slurp(root / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string menu_shot(const std::string& choice, const std::string& name) {
        std::string cfg = slurp(prog / "LANGUAGE.CFG");
        put(prog / "LANGUAGE.CFG", choice + cfg.substr(cfg.find('\n')));
        std::string err;
        run("wait 100\nshot " + (root / name).string() + "\n", err);
        std::string png = slurp(root / name);
        EXPECT_EQ(png.substr(0, 4), "\x89PNG") << err;
        return png;
    }
};

TEST_F(LanguageClient, MainMenuInEachLanguage) {
    std::string deu = menu_shot("1", "menu_deu.png");
    std::string eng = menu_shot("2", "menu_eng.png");
    std::string again = menu_shot("2", "menu_eng2.png");
    EXPECT_FALSE(deu.empty());
    EXPECT_NE(deu, eng);
    EXPECT_EQ(eng, again);
}

TEST_F(LanguageClient, BrokenLanguageFileStopsWithItsMessage) {
    put(prog / "KORAX.ENG", "KORAX 219\n1=old\n");
    std::string cfg = slurp(prog / "LANGUAGE.CFG");
    put(prog / "LANGUAGE.CFG", "2" + cfg.substr(cfg.find('\n')));
    std::string err;
    EXPECT_EQ(run("key Esc\n", err), 1);
    EXPECT_NE(err.find("Error 7 Language-File :\nFile KORAX.ENG, Version 2.19 is obsolete\n"
                       "To change Language -> edit LANGUAGE.CFG in the program directory"),
              std::string::npos)
        << err;
}

TEST_F(LanguageClient, ForeignConfigurationStopsWithExitCodeOne) {
    put(prog / "KORAX.INI", "ID=12\n");
    std::string err;
    EXPECT_EQ(run("key Esc\n", err), 1);
    EXPECT_NE(err.find("KORAX.INI"), std::string::npos) << err;
}

}  // namespace

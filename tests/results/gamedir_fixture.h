// A fresh program directory per test: the process enters it, and GAMEDIR, KXPATH,
// the game list and language text 8 are restored afterwards.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"

namespace korax::testing {

// Limits the size of files this process may write, so that a write fails part-way
// (works for root too, unlike file rights).
struct FileSizeLimit {
    rlimit old{};
    void (*oldsig)(int);
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        oldsig = signal(SIGXFSZ, SIG_IGN);
        rlimit r = old;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldsig);
    }
};

// The number of the fatal error f ends with (0 when none), and its text.
inline int fatal_nr(const std::function<void()>& f, std::string* text = nullptr) {
    try {
        f();
    } catch (const FatalError& e) {
        if (text) *text = e.text;
        return e.nr;
    }
    return 0;
}

class GameDirTest : public ::testing::Test {
protected:
    std::filesystem::path root;
    std::filesystem::path oldcwd;
    std::string oldgamedir, oldkxpath;
    STRING70 oldl8;

    void SetUp() override {
        oldcwd = std::filesystem::current_path();
        std::string tmpl = (std::filesystem::temp_directory_path() / "korax-gamedir-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        std::filesystem::current_path(root);
        oldgamedir = GAMEDIR;
        oldkxpath = KXPATH;
        GAMEDIR = ".\\";
        KXPATH = root.string() + "/";
        oldl8 = L[8];
        L[8].set("<none/new>");
        CLEARGAMES();
    }

    void TearDown() override {
        std::filesystem::current_path(oldcwd);
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
        GAMEDIR = oldgamedir;
        KXPATH = oldkxpath;
        L[8] = oldl8;
        CLEARGAMES();
    }

    void put(const std::string& name, const std::string& bytes) {
        std::ofstream f(root / name, std::ios::binary);
        f << bytes;
    }

    std::string get(const std::string& name) {
        std::ifstream f(root / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    bool exists(const std::string& name) { return std::filesystem::exists(root / name); }

    // Every entry of the program directory (and below), to prove nothing else was written.
    std::string listing() {
        std::set<std::string> names;
        for (auto& e : std::filesystem::recursive_directory_iterator(root))
            names.insert(std::filesystem::relative(e.path(), root).string());
        std::string out;
        for (auto& n : names) out += n + "\n";
        return out;
    }
};

}  // namespace korax::testing

// A fresh program directory per test that the process enters, with GAMEDIR, KXPATH,
// the game list and the texts restored afterwards; a file size limit; fatal errors.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

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
    void (*oldsig)(int) = signal(SIGXFSZ, SIG_IGN);
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
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
    std::filesystem::path oldcwd = std::filesystem::current_path(), root;
    std::string oldgamedir = GAMEDIR, oldkxpath = KXPATH;
    std::array<STRING70, 701> oldl = L;

    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "korax-gamedir-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        std::filesystem::current_path(root);
        GAMEDIR = ".\\";
        KXPATH = root.string() + "/";
        L[8].set("<none/new>");
        CLEARGAMES();
    }
    void TearDown() override {
        std::filesystem::current_path(oldcwd);
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
        GAMEDIR = oldgamedir;
        KXPATH = oldkxpath;
        L = oldl;
        CLEARGAMES();
    }
    void put(const std::string& name, const std::string& bytes) const { std::ofstream(root / name, std::ios::binary) << bytes; }
    std::string get(const std::string& name) const {
        std::ifstream f(root / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(root / name); }
    void dirs(std::initializer_list<const char*> names) const {
        for (auto n : names) std::filesystem::create_directory(root / n);
    }
    // Every entry of the program directory (and below), to prove nothing else was written.
    std::string listing() const {
        std::set<std::string> names;
        for (auto& e : std::filesystem::recursive_directory_iterator(root))
            names.insert(std::filesystem::relative(e.path(), root).string());
        std::string out;
        for (auto& n : names) out += n + "\n";
        return out;
    }
};

}  // namespace korax::testing

// A fresh program directory per test that the process enters, with the program-wide
// state (game directory, team model, general record, game list, texts) reset before
// and after; little-endian bytes built field by field; the fatal error of a call.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "shell/korax.h"

namespace datatest {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
inline void spit(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// The fatal error f ends with, as "nr:text"; "" when it returns.
template <typename F>
std::string fatal(F&& f) {
    try {
        f();
    } catch (const korax::FatalError& e) {
        return std::to_string(e.nr) + ":" + e.text;
    }
    return "";
}

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

// Builds little-endian bytes field by field, independently of the record structs.
struct Bytes {
    std::string b;
    explicit Bytes(std::size_t n = 0) : b(n, '\0') {}
    Bytes& u8(std::size_t at, unsigned v) { b.at(at) = static_cast<char>(v & 0xFF); return *this; }
    Bytes& i16(std::size_t at, int v) { u8(at, v & 0xFF); return u8(at + 1, (v >> 8) & 0xFF); }
    Bytes& i32(std::size_t at, long long v) {
        for (int k = 0; k < 4; ++k) u8(at + k, static_cast<unsigned>((v >> (8 * k)) & 0xFF));
        return *this;
    }
    Bytes& str(std::size_t at, const std::string& s) {
        u8(at, static_cast<unsigned>(s.size()));
        for (std::size_t k = 0; k < s.size(); ++k) u8(at + 1 + k, static_cast<unsigned char>(s[k]));
        return *this;
    }
};

template <typename R>
R fromBytes(const std::string& b) {
    R r;
    EXPECT_EQ(b.size(), sizeof(R));
    std::memcpy(&r, b.data(), sizeof(R));
    return r;
}

class DataDir : public ::testing::Test {
protected:
    fs::path oldcwd = fs::current_path(), root;
    std::string oldkxpath = korax::KXPATH;
    std::array<korax::STRING70, 701> oldl = korax::L;

    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "korax-data-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        fs::current_path(root);
        reset();
        korax::KXPATH = root.string() + "/";
        korax::L[8].set("<none/new>");
    }
    void TearDown() override {
        reset();
        korax::KXPATH = oldkxpath;
        korax::L = oldl;
        fs::current_path(oldcwd);
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    static void reset() {
        using namespace korax;
        try {
            CLOSEFILES(_PLAYER | _TEAM);
        } catch (const FatalError&) {
        }
        try {
            CLOSEHIS();
        } catch (const FatalError&) {
        }
        NUMMER = 0;
        NUMMERSTR.clear();
        TEAM = TEAMREC{};
        PLAYER = {};
        BELEGT = {};
        ICON = {};
        ICONRACE = {};
        TEAMNAME = {};
        TRAINERNAME = {};
        TEAMPROFI = {};
        TEAMLIZENZ = {};
        TEAMBRUTAL = {};
        TEAMBRUTALL = {};
        GAMEDIR = ".\\";
        GEN = GENTYPE{};
        TAG = HIN = 0;
        LASTDAY = false;
        HISNAME.clear();
        IGNORMODE = false;
        RSTSIZE = 0;
        CLEARGAMES();
    }
    void put(const std::string& name, const std::string& bytes) const { spit(root / name, bytes); }
    std::string get(const std::string& name) const { return slurp(root / name); }
    bool exists(const std::string& name) const { return fs::exists(root / name); }
    void dirs(std::initializer_list<const char*> names) const {
        for (auto n : names) fs::create_directory(root / n);
    }
    // Every entry of the program directory (and below), to prove nothing else was written.
    std::string listing() const {
        std::set<std::string> names;
        for (auto& e : fs::recursive_directory_iterator(root)) names.insert(fs::relative(e.path(), root).string());
        std::string out;
        for (auto& n : names) out += n + "\n";
        return out;
    }
};

// The records of team 3 in game directory GAME1, spelt differently on disk.
class RecordDir : public DataDir {
protected:
    void SetUp() override {
        DataDir::SetUp();
        fs::create_directory(root / "game1");
        korax::GAMEDIR = "GAME1\\";
        korax::NUMMER = 3;
        korax::NUMMERSTR = "3";
    }
    fs::path game(const std::string& name) const { return root / "game1" / name; }
};

}  // namespace datatest

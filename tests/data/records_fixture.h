// A fresh game directory for every record test, with the process-wide team model
// and general record reset before and after.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "shell/korax.h"

namespace recordtest {

namespace fs = std::filesystem;

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

inline std::string hexbytes(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

template <typename R>
R fromBytes(const std::string& b) {
    R r;
    EXPECT_EQ(b.size(), sizeof(R));
    std::memcpy(&r, b.data(), sizeof(R));
    return r;
}

inline void resetModel() {
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
    TAG = 0;
    HIN = 0;
    LASTDAY = false;
    HISNAME.clear();
    IGNORMODE = false;
    RSTSIZE = 0;
}

class RecordDir : public ::testing::Test {
protected:
    fs::path oldcwd;
    fs::path dir;

    void SetUp() override {
        oldcwd = fs::current_path();
        std::string tmpl = (fs::temp_directory_path() / "korax-records-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        fs::current_path(dir);
        resetModel();
        // The game directory is spelt differently on disk than in the program.
        fs::create_directory(dir / "game1");
        korax::GAMEDIR = "GAME1\\";
        korax::NUMMER = 3;
        korax::NUMMERSTR = "3";
    }

    void TearDown() override {
        resetModel();
        fs::current_path(oldcwd);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    fs::path game(const std::string& name) const { return dir / "game1" / name; }

    static void writeFile(const fs::path& p, const std::string& bytes) {
        std::ofstream f(p, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string readFile(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
};

// Runs f and returns the fatal error it raised; fails the test when none came.
template <typename F>
korax::FatalError fatalOf(F&& f) {
    try {
        f();
    } catch (const korax::FatalError& e) {
        return e;
    }
    ADD_FAILURE() << "no fatal error";
    return korax::FatalError(-1, "");
}

}  // namespace recordtest

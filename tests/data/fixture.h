// The program directory of a data test; little-endian bytes built field by field;
// the fatal error of a call.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "data/config.h"
#include "data/g_general.h"
#include "gamedir_fixture.h"
#include "shell/korax.h"

namespace datatest {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
inline void spit(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// The fatal error f ends with, as "nr:text"; "" when it returns.
// (Not fatal_nr: fatal error 0 is an error too.)
inline std::string fatal(const std::function<void()>& f) {
    try {
        f();
    } catch (const korax::FatalError& e) {
        return std::to_string(e.nr) + ":" + e.text;
    }
    return "";
}

using korax::testing::FileSizeLimit;

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

// The game directory test with the team model, general record and history reset too.
class DataDir : public korax::testing::GameDirTest {
protected:
    void SetUp() override {
        GameDirTest::SetUp();
        reset();
    }
    void TearDown() override {
        reset();
        GameDirTest::TearDown();
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
        NUMMER = TAG = HIN = RSTSIZE = 0;
        NUMMERSTR.clear(), HISNAME.clear();
        TEAM = TEAMREC{}, GEN = GENTYPE{}, PLAYER = {}, BELEGT = {}, ICON = {}, ICONRACE = {};
        TEAMNAME = TRAINERNAME = {}, TEAMPROFI = {}, TEAMLIZENZ = {}, TEAMBRUTAL = TEAMBRUTALL = {};
        LASTDAY = IGNORMODE = false;
    }
};

// The records of team 3 in game directory GAME1, spelt differently on disk.
class RecordDir : public DataDir {
protected:
    void SetUp() override {
        DataDir::SetUp();
        fs::create_directory(root / "game1");
        korax::GAMEDIR = "GAME1\\", korax::NUMMER = 3, korax::NUMMERSTR = "3";
    }
    fs::path game(const std::string& name) const { return root / "game1" / name; }
};

}  // namespace datatest

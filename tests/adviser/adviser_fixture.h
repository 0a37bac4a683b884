// A scratch program directory for the tips file; team, general record and adviser state reset around each test;
// files and conditions as text.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "adviser/adviser.h"
#include "adviser/bparser.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"

namespace advisertest {

namespace fs = std::filesystem;

inline void write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
inline std::string read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The condition's tree as text, or the error's stage and "position/kind".
inline std::string tree(const std::string& text) {
    using namespace korax;
    int pos = 0, kind = 0;
    const std::string norm = CONVERTFUNKTION(text, pos, kind);
    const bool normalised = pos == -1;
    TFUNKTION t = normalised ? BAUEBAUM(norm, pos, kind) : nullptr;
    const std::string where = std::to_string(pos) + "/" + std::to_string(kind);
    const std::string s = t ? INORDERPRINT(t) : (normalised ? "parse error " : "normalise error ") + where;
    DELETETREE(t);
    DELETEVARIABLEN();
    return s;
}

inline void resetAdviser() {
    using namespace korax;
    try {
        CLOSEFILES(_PLAYER | _TEAM);
    } catch (const FatalError&) {
    }
    NUMMER = 0;
    NUMMERSTR.clear();
    TEAM = TEAMREC{};
    PLAYER = {};
    BELEGT = {};
    GEN = GENTYPE{};
    LASTDAY = false;
    GAMEDIR = ".\\";
    for (auto& t : TIPS) t = 0;
    for (auto&& c : TIPSCHECK) c = false;
    TIPANZAHL = 0;
    TIPBLOCKS.clear();
    HUGO = 1;
}

class TipsDir : public ::testing::Test {
protected:
    fs::path oldcwd, dir;
    korax::PSTRING<3> oldext;

    void SetUp() override {
        oldcwd = fs::current_path();
        std::string tmpl = (fs::temp_directory_path() / "korax-adviser-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        fs::current_path(dir);
        resetAdviser();
        oldext = korax::LEXT;
        korax::LEXT.set("ENG");
        korax::NUMMER = 3;
        korax::NUMMERSTR = "3";
    }
    void TearDown() override {
        resetAdviser();
        korax::LEXT = oldext;
        fs::current_path(oldcwd);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    void tips(const std::string& text) { write(dir / "HUGI.ENG", text); }

    // TEAM3.DAT with three teams, the own one being TEAM, opened as the client has it.
    void openTeamFile() {
        std::string bytes(3 * sizeof(korax::TEAMREC), '\0');
        std::memcpy(bytes.data() + 2 * sizeof(korax::TEAMREC), &korax::TEAM, sizeof(korax::TEAMREC));
        write(dir / "TEAM3.DAT", bytes);
        write(dir / "PLAYER3.DAT", "");
        korax::OPENFILES(korax::_TEAM);
    }
    korax::TEAMREC storedTeam() {
        korax::CLOSEFILES(korax::_TEAM);
        std::string b = read(dir / "TEAM3.DAT");
        EXPECT_EQ(b.size(), 3 * sizeof(korax::TEAMREC));
        b.resize(3 * sizeof(korax::TEAMREC));
        korax::TEAMREC t{};
        std::memcpy(&t, b.data() + 2 * sizeof(korax::TEAMREC), sizeof t);
        return t;
    }
};

}  // namespace advisertest

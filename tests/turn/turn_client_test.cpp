// A whole turn through the real client: a generated container is imported at the
// start, the trainer leaves, and the turn file written at the stop is checked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/g_types.h"
#include "platform/process.h"
#include "turn/saveturn.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Program {
    fs::path root;
    Program() {
        std::string tmpl = (fs::temp_directory_path() / "korax-turnclient-XXXXXX").string();
        root = ::mkdtemp(tmpl.data());
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
            if (e.path().filename() != "DEMO") fs::copy(e.path(), root / e.path().filename(), fs::copy_options::recursive);
    }
    ~Program() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    int run(const std::vector<std::string>& program, const std::string& script) {
        std::ofstream(root / "input.script") << script;
        PROCESSRUN r;
        r.program = (root / program[0]).string();
        r.args.assign(program.begin() + 1, program.end());
        r.dir = root.string();
        r.output = (root / "client.log").string();
        ::setenv("KORAX_VIDEO", "headless", 1);
        ::setenv("KORAX_INPUT", (root / "input.script").c_str(), 1);
        const int code = RUNANDWAIT(r);
        ::unsetenv("KORAX_INPUT");
        return code;
    }
};

// Leave the team overview, ask to quit, answer yes, confirm the turn message.
const char* const LEAVE = "key Esc\nkey Y\nkey Enter\nkey Enter\n";
// After an import the pairings, the table and the received messages come first;
// Escape leaves each.
const std::string IMPORTLEAVE = std::string("key Esc\nkey Esc\nkey Esc\n") + LEAVE;

}  // namespace

TEST(TurnThroughTheClient, ImportedContainerGivesTheTurnOfItsTeam) {
    Program p;
    fs::create_directory(p.root / "LIGA");
    ASSERT_EQ(p.run({"mkgame", "--seed", "5", "--team", "3", "--day", "4", "--dir", "LIGA", "--form", "rst", "."}, ""), 0);
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, IMPORTLEAVE), 0) << slurp(p.root / "client.log");
    EXPECT_FALSE(fs::exists(p.root / "TEAM3.RST"));

    const std::string turn = slurp(p.root / "LIGA/TEAM3.TRN");
    ASSERT_EQ(turn.size(), 1009u);  // no message text, no new emblem
    std::int16_t day;
    std::memcpy(&day, turn.data(), 2);
    EXPECT_EQ(day, 4);
    // The team record as the client stored it at the stop.
    const std::string teams = slurp(p.root / "LIGA/TEAM3.DAT");
    ASSERT_EQ(teams.size(), 10 * sizeof(TEAMREC));
    EXPECT_EQ(turn.substr(102), teams.substr(2 * sizeof(TEAMREC), sizeof(TEAMREC)));
    TEAMREC t;
    std::memcpy(&t, turn.data() + 102, sizeof t);
    EXPECT_EQ(t.GAMEDIR.str(), "LIGA");
    const std::uint16_t check = TEAMCHECK(t, day);
    EXPECT_EQ(static_cast<unsigned char>(turn[2]), check & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(turn[3]), check >> 8);
    EXPECT_EQ(static_cast<unsigned char>(turn[4]), SYSTEMKENNUNG);
    EXPECT_EQ(turn[7], 20);
    EXPECT_EQ(turn[91], 2);
    EXPECT_EQ(turn[92], 0);
    EXPECT_EQ(turn[96], 2);
    // The game master's side accepts it.
    EXPECT_EQ(p.run({"mkgame", "--check", "LIGA/TEAM3.TRN"}, ""), 0);
}

TEST(TurnThroughTheClient, MessageTextTravelsWithTheTurn) {
    Program p;
    fs::create_directory(p.root / "LIGA");
    ASSERT_EQ(p.run({"mkgame", "--seed", "8", "--team", "10", "--day", "11", "--dir", "LIGA", "--form", "rst", "."}, ""), 0);
    // First start imports; the trainer then writes a message and starts again.
    ASSERT_EQ(p.run({"korax", "TEAM10.RST"}, IMPORTLEAVE), 0) << slurp(p.root / "client.log");
    std::ofstream(p.root / "LIGA/TEAM10.TXT", std::ios::binary) << "<*> to ALL\r\nSee you at the cup!\r\n";
    ASSERT_EQ(p.run({"korax", "LIGA", "10"}, LEAVE), 0) << slurp(p.root / "client.log");
    const std::string turn = slurp(p.root / "LIGA/TEAM10.TRN");
    ASSERT_EQ(turn.size(), 1009u + 12 + 21);
    EXPECT_EQ(turn.substr(1009), "<*> to ALL\r\nSee you at the cup!\r\n");
    std::int16_t day;
    std::memcpy(&day, turn.data(), 2);
    EXPECT_EQ(day, 11);
}

TEST(TurnThroughTheClient, CheckDollarShowsBothValuesAndImportsAnyway) {
    Program p;
    fs::create_directory(p.root / "LIGA");
    ASSERT_EQ(p.run({"mkgame", "--seed", "2", "--team", "4", "--day", "6", "--dir", "LIGA", "--form", "rst", "."}, ""), 0);
    std::string c = slurp(p.root / "TEAM4.RST");
    std::int32_t check;
    std::memcpy(&check, c.data() + 14 + 4 * 9, 4);
    check = check == 6 ? 7 : check - 1;
    std::memcpy(c.data() + 14 + 4 * 9, &check, 4);
    std::ofstream(p.root / "TEAM4.RST", std::ios::binary) << c;
    // Without CHECK the damaged result changes nothing.
    ::unsetenv("CHECK");
    EXPECT_EQ(p.run({"korax", "TEAM4.RST"}, "key Enter\n"), 99);
    EXPECT_TRUE(fs::exists(p.root / "TEAM4.RST"));
    EXPECT_FALSE(fs::exists(p.root / "LIGA/GEN4.DAT"));
    // With CHECK=$ the message box is confirmed and the result imported.
    ::setenv("CHECK", "$", 1);
    const std::string script = std::string("shot ") + (p.root / "check.png").string() + "\nkey Enter\n" + IMPORTLEAVE;
    EXPECT_EQ(p.run({"korax", "TEAM4.RST"}, script), 0) << slurp(p.root / "client.log");
    ::unsetenv("CHECK");
    EXPECT_FALSE(fs::exists(p.root / "TEAM4.RST"));
    EXPECT_TRUE(fs::exists(p.root / "LIGA/GEN4.DAT"));
    EXPECT_TRUE(fs::exists(p.root / "check.png"));
}

// A whole turn through the real client: a container imported, the turn file written at the stop.
#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"
#include "turn/saveturn.h"

using namespace korax;
using namespace korax::client;

TEST(TurnThroughTheClient, ImportedContainerGivesTheTurnOfItsTeam) {
    ProgramDir p;
    ASSERT_EQ(p.container(10, 11, {"--seed", "8"}), 0);
    ASSERT_EQ(p.run({"korax", "TEAM10.RST"}, IMPORTQUIT), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.root / "TEAM10.RST"));
    const std::string turn = p.file("LIGA/TEAM10.TRN");
    ASSERT_EQ(turn.size(), 1009u);  // no message text, no new emblem
    std::int16_t day;
    std::memcpy(&day, turn.data(), 2);
    EXPECT_EQ(day, 11);
    // The team record as the client stored it at the stop.
    const std::string teams = p.file("LIGA/TEAM10.DAT");
    ASSERT_EQ(teams.size(), 10 * sizeof(TEAMREC));
    EXPECT_EQ(turn.substr(102), teams.substr(9 * sizeof(TEAMREC), sizeof(TEAMREC)));
    EXPECT_EQ(p.run({"mkgame", "--check", "LIGA/TEAM10.TRN"}, ""), 0);  // the game master's side accepts it
}

TEST(TurnThroughTheClient, CheckDollarShowsBothValuesAndImportsAnyway) {
    ProgramDir p;
    ASSERT_EQ(p.container(4, 6, {"--seed", "2"}), 0);
    std::string c = p.file("TEAM4.RST");
    std::int32_t check;
    std::memcpy(&check, c.data() + 14 + 4 * 9, 4);
    check = check == 6 ? 7 : check - 1;
    std::memcpy(c.data() + 14 + 4 * 9, &check, 4);
    std::ofstream(p.prog / "TEAM4.RST", std::ios::binary) << c;
    // Without CHECK the damaged result changes nothing.
    EXPECT_EQ(p.run({"korax", "TEAM4.RST"}, "key Enter\n", {{"CHECK", ""}}), 99);
    EXPECT_TRUE(fs::exists(p.prog / "TEAM4.RST"));
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/GEN4.DAT"));
    // With CHECK=$ the message box is confirmed and the result imported.
    const std::string script = std::string("shot ") + (p.root / "check.png").string() + "\nkey Enter\n" + IMPORTQUIT;
    EXPECT_EQ(p.run({"korax", "TEAM4.RST"}, script, {{"CHECK", "$"}}), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.prog / "TEAM4.RST"));
    EXPECT_TRUE(fs::exists(p.prog / "LIGA/GEN4.DAT"));
    EXPECT_TRUE(fs::exists(p.root / "check.png"));
}

// The adviser in the real client: without tips the figure only shows its box; a
// tip accepted by clicking the figure reaches the team file.
#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"

using namespace korax;
using namespace korax::client;

TEST(AdviserInTheClient, WithoutTipsTheBoxAnAcceptedTipReachesTheTeamFile) {
    // The figure in the corner of the work area, and the first button of its bubble.
    const std::string FIGURE = "click 732 677\n", ACCEPT = "click 313 453\n";
    ProgramDir p;
    ASSERT_EQ(p.container(3, 2, {"--seed", "6"}), 0);
    fs::remove(p.prog / "HUGI.ENG");
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, IMPORTQUIT), 0) << p.log();
    const TEAMREC before = p.team(3);
    // The box takes one key; then the trainer leaves as usual.
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, FIGURE + "key Enter\n" + QUIT), 0) << p.log();
    EXPECT_EQ(p.team(3).UNTERKUNFT, before.UNTERKUNFT);
    const int target = (before.UNTERKUNFT + 1) % 5;
    spit(p.prog / "HUGI.ENG", "[101] Overview\r\n@IF a <> " + std::to_string(target) + "\r\nMove house.\r\n@END\r\nA=" +
                                  std::to_string(target) + "\r\n");
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, FIGURE + ACCEPT + QUIT), 0) << p.log();
    const TEAMREC after = p.team(3);
    EXPECT_EQ(after.UNTERKUNFT, target);
    EXPECT_EQ(after.VERPFLEGUNG, before.VERPFLEGUNG);
    EXPECT_EQ(after.GOLD, before.GOLD);
    EXPECT_EQ(std::memcmp(&after.PLAYERS, &before.PLAYERS, sizeof before.PLAYERS), 0);
}

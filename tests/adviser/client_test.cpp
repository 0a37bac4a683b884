// The adviser in the real client: a tip accepted by clicking the figure reaches the team file.
#include <gtest/gtest.h>

#include "common/client_run.h"

using namespace korax;
using namespace korax::client;

TEST(AdviserInTheClient, AnAcceptedTipReachesTheTeamFile) {
    // The figure in the corner of the work area, and the first button of its bubble.
    const std::string FIGURE = "click 732 677\n", ACCEPT = "click 313 453\n";
    ProgramDir p;
    ASSERT_EQ(p.container(3, 2, {"--seed", "6"}), 0);
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, IMPORTQUIT), 0) << p.log();
    TEAMREC want = p.team(3);
    const int target = (want.UNTERKUNFT + 1) % 5;
    spit(p.prog / "HUGI.ENG", "[101] Overview\r\n@IF a <> " + std::to_string(target) + "\r\nMove house.\r\n@END\r\nA=" +
                                  std::to_string(target) + "\r\n");
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, FIGURE + ACCEPT + QUIT), 0) << p.log();
    want.UNTERKUNFT = static_cast<std::uint8_t>(target);
    // The usage time booked depends on when the runs' time stamps fall.
    TEAMREC got = p.team(3);
    forgetusage(got);
    forgetusage(want);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(want));
}

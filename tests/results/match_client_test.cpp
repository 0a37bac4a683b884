// The match choice and the news in the real client.
#include <gtest/gtest.h>

#include "common/client_run.h"

using namespace korax;
using namespace korax::client;

namespace {

// The menu button of code 103 in the shipped menu (eighth, below the fixed block).
const std::string REPLAY = "click 900 463\n";

}  // namespace

// In test mode the viewer's argument line is shown, the game directory first.
TEST(MatchChoiceClient, FreeMatchAndCupMatchBecomeTheViewers) {
    ProgramDir p;
    ASSERT_EQ(p.game(3, 6), 0);
    const std::string news = p.file("LIGA/NEWS.TXT");
    ASSERT_FALSE(news.empty());
    const std::string cup = "key 4\nkey 1\nkey Enter\nkey Esc\n", free = "key 3\nkey J\nkey Enter\nkey Esc\n";
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, REPLAY + cup + REPLAY + free + QUIT, {{"FSM", "test"}}), 0) << p.log();
    EXPECT_EQ(p.file("LIGA/NEWS.6"), news);
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/NEWS.TXT"));
    EXPECT_EQ(p.file("LIGA/GAME3.DAT"), p.file("LIGA/GAME.TMP"));  // the free match came last
    const std::string log = p.log();
    const auto at = log.find(" 0 0 3 !* ");
    ASSERT_NE(at, std::string::npos) << log;
    const auto open = log.rfind('[', at);
    ASSERT_NE(open, std::string::npos);
    EXPECT_NE(log.find("] weiter mit RETURN", at), std::string::npos);
    EXPECT_NE(log.substr(open + 1, at - open - 1).find("LIGA"), std::string::npos) << log;
}

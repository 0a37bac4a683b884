// The match choice and the news in the real client.
#include <gtest/gtest.h>

#include "common/client_run.h"
#include "common/png_shot.h"

using namespace korax;
using namespace korax::client;

namespace {

// The menu button of code 103 in the shipped menu (eighth, below the fixed block).
const std::string REPLAY = "click 900 463\n";

std::string shot(const ProgramDir& p, const std::string& name) { return "shot " + (p.root / (name + ".png")).string() + "\n"; }

}  // namespace

TEST(MatchChoiceClient, ImportPreparesTheViewerRunAndShowsTheNewsOfTheDay) {
    ProgramDir p;
    ASSERT_EQ(p.container(3, 5), 0);
    // The news travels beside the container and is moved into the game directory.
    spit(p.prog / "NEWS.TXT", "[1] League\r\nfirst\r\n[2] Weather\r\nRain.\r\n");
    // The viewer message, pairings, table, then the newspaper's second category.
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, "key Esc\nkey Esc\nkey Esc\nkey B\n" + shot(p, "news") + "key Esc\nkey Esc\n" + QUIT), 0)
        << p.log();
    EXPECT_TRUE(fs::exists(p.root / "news.png"));
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/NEWS.TXT"));
    EXPECT_NE(p.file("LIGA/NEWS.5").find("[2] Weather"), std::string::npos);
    EXPECT_TRUE(fs::exists(p.prog / "LIGA/VGR.TMP"));
    EXPECT_EQ(p.team(3).TRAINING.VGRANZAHL, 1);
    // The viewer ran meanwhile: the next start books its time and deletes the file.
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, QUIT), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/VGR.TMP"));
}

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
    EXPECT_EQ(p.file("LIGA/GAME3.DAT"), p.file("LIGA/GAME.TMP"));
    EXPECT_EQ(p.file("LIGA/QUICK3.DAT"), p.file("LIGA/QUICK.TMP"));
    EXPECT_TRUE(fs::exists(p.prog / "LIGA/VGR.TMP"));
    const std::string log = p.log();
    const auto at = log.find(" 0 0 3 !* ");
    ASSERT_NE(at, std::string::npos) << log;
    const auto open = log.rfind('[', at);
    ASSERT_NE(open, std::string::npos);
    EXPECT_NE(log.find("] weiter mit RETURN", at), std::string::npos);
    EXPECT_NE(log.substr(open + 1, at - open - 1).find("LIGA"), std::string::npos) << log;

    const std::string script = REPLAY + shot(p, "choice") + "key 2\n" + shot(p, "own") + "key Esc\nkey 3\n" + shot(p, "days") +
                               "key 1\n" + shot(p, "other") + "key Esc\nkey 4\n" + shot(p, "cup") + "key 1\nkey Enter\nkey Esc\n" + QUIT;
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, script), 0) << p.log();
    std::string first;
    for (const char* n : {"choice", "own", "days", "other", "cup"}) {
        korax::testing::PNGSHOT s;
        ASSERT_TRUE(s.load(p.root / (std::string(n) + ".png"))) << n;
        EXPECT_EQ(s.w, 1024u);
        if (first.empty()) first = s.raw;
        else EXPECT_NE(s.raw, first) << n;  // each list draws over the choice
        if (const char* keep = std::getenv("KORAX_SHOTS"))
            fs::copy_file(p.root / (std::string(n) + ".png"), fs::path(keep) / (std::string(n) + ".png"), fs::copy_options::overwrite_existing);
    }
    // The cup match came last; its replay file does not exist.
    EXPECT_EQ(p.file("LIGA/GAME3.DAT"), p.file("LIGA/GAME3.P1"));
    EXPECT_EQ(p.file("LIGA/GAME3.P1").size(), 2430u);
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/QUICK3.DAT"));
}

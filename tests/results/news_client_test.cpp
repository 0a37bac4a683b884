// Filing of the news through the real client: at start-up after a result, never
// before the first match day, and never over the news of another day.
#include <gtest/gtest.h>

#include "common/client_run.h"

using namespace korax;
using namespace korax::client;

TEST(NewsThroughTheClient, FiledAtStartUpUnderItsDay) {
    struct Case {
        int day;
        bool filed;
    } cases[] = {{4, true}, {0, false}};
    for (const auto& c : cases) {
        ProgramDir p;
        ASSERT_EQ(p.game(3, c.day), 0);
        const std::string news = p.file("LIGA/NEWS.TXT");
        if (c.day > 0) {
            ASSERT_FALSE(news.empty());
        } else {
            std::ofstream(p.prog / "LIGA/NEWS.TXT", std::ios::binary) << "[1] Early\r\nnews\r\n";
        }
        ASSERT_EQ(p.run({"korax", "LIGA", "3"}, QUIT), 0) << p.log();
        EXPECT_EQ(fs::exists(p.prog / "LIGA/NEWS.TXT"), !c.filed) << c.day;
        if (c.filed) {
            EXPECT_EQ(p.file("LIGA/NEWS.4"), news);
        }
        EXPECT_FALSE(fs::exists(p.prog / "LIGA/NEWS.0")) << c.day;
    }
}

TEST(NewsThroughTheClient, ImportShowsTheNewspaperWithTheNewsOfTheDay) {
    ProgramDir p;
    ASSERT_EQ(p.container(3, 5), 0);
    // The news travels beside the container and is moved into the game directory.
    spit(p.prog / "NEWS.TXT", "[1] League\r\nfirst\r\n[2] Weather\r\nRain.\r\n");
    // The viewer message, pairings, table, then the newspaper: its second category,
    // then on.
    const std::string shot = (p.root / "news.png").string();
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, "key Esc\nkey Esc\nkey Esc\nkey B\nshot " + shot + "\nkey Esc\nkey Esc\n" + QUIT), 0)
        << p.log();
    EXPECT_TRUE(fs::exists(shot));
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/NEWS.TXT"));
    EXPECT_NE(p.file("LIGA/NEWS.5").find("[2] Weather"), std::string::npos);
}

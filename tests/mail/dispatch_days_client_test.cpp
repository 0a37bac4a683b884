// The turns mailed by the real client on the days that differ: sending at once
// from the deadline screen, the cup day and the last day of the season.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/client_run.h"
#include "smtp_server.h"
#include "turn/post.h"

using namespace korax;
using namespace korax::client;

namespace {

// The deadline screen second in the menu, so that one click opens it.
const char* const MENU = "101   ;a\n128   ;b\n---\n102   ;d\n105   ;e\n106   ;f\n120   ;g\n113   ;h\n"
                         "104   ;i\n103   ;j\n109   ;k\n111   ;l\n115   ;m\n108   ;n\n118   ;o\n110   ;p\n117   ;q\n"
                         "116   ;r\n114   ;s\n107   ;t\n112   ;u\n123   ;v\n124   ;w\n125   ;x\n119   ;c\n127   ;y\n";

// A game of team 3 imported on `day` and left once, with mail settings and POST.BAT.
struct Game : ProgramDir {
    int imported = -1;
    explicit Game(int day) {
        container(3, day);
        imported = run({"korax", "TEAM3.RST"}, IMPORTQUIT);
    }
    void settings(const std::string& port) const {
        spit(prog / "LIGA/post.ini", "EMAIL=coach@club.example\r\nSMTP=127.0.0.1:" + port + "\r\nSUBJECT=Turn\r\n");
        POSTSETTINGS s = PARSEPOSTINI("EMAIL=coach@club.example\nSMTP=127.0.0.1:" + port + "\nSUBJECT=Turn\n");
        spit(prog / "LIGA/POST.BAT", POSTBATTEXT("LIGA\\", "gamemaster@korax.invalid", s));
    }
    // The match day the import's turn was written for.
    int day() const {
        const std::string t = file("LIGA/TEAM3.TRN");
        std::int16_t d = -1;
        if (t.size() >= 2) std::memcpy(&d, t.data(), 2);
        return d;
    }
};

// From the team overview: quit, confirm the turn message, 497 yes, "Send TRN -> OK".
const std::string STOPYES = "key Esc\nkey Y\nkey Enter\nkey Y\nkey Enter\n";

}  // namespace

TEST(DispatchDays, CupDayMailsTheCupTurnAndTheLeagueTurnTogether) {
    SmtpServer s("plain");
    Game g(4);
    ASSERT_EQ(g.imported, 0) << g.log();
    g.settings(s.port);
    // The next cup round is played on this very match day.
    spit(g.prog / "LIGA/POKAL3.DAT", std::to_string(g.day()) + "\r\nRound of 16\r\nCUP3\r\nSomebody (League 1)\r\n");
    ASSERT_EQ(g.run({"korax", "LIGA", "3"}, STOPYES), 0) << g.log();
    ASSERT_TRUE(s.received(1)) << g.log();
    EXPECT_FALSE(s.received(2));
    EXPECT_EQ(s.got(1, "attach.name"), "CUP3.TRN");
    EXPECT_EQ(s.got(1, "attach.bin"), g.file("LIGA/CUP3.TRN"));
    EXPECT_EQ(s.got(1, "attach2.name"), "TEAM3.TRN");
    EXPECT_EQ(s.got(1, "attach2.bin"), g.file("LIGA/TEAM3.TRN"));
    EXPECT_FALSE(g.file("LIGA/CUP3.TRN").empty());
}

TEST(DispatchDays, SendingAtOnceThenTheStopMailsTwice) {
    SmtpServer s("plain");
    Game g(4);
    ASSERT_EQ(g.imported, 0) << g.log();
    g.settings(s.port);
    spit(g.prog / "MENU.CFG", MENU);
    // "D" sends and says so; "R" leaves; the stop asks nothing more and sends again.
    const std::string script = menubutton(2) + "key D\nkey Enter\nkey R\n" + "key Esc\nkey Y\nkey Enter\nkey Enter\n";
    ASSERT_EQ(g.run({"korax", "LIGA", "3"}, script), 0) << g.log();
    ASSERT_TRUE(s.received(1)) << g.log();
    ASSERT_TRUE(s.received(2)) << g.log();
    EXPECT_FALSE(s.received(3));
    for (int n : {1, 2}) {
        EXPECT_EQ(s.got(n, "attach.name"), "TEAM3.TRN") << n;
        EXPECT_FALSE(fs::exists(s.dir / std::to_string(n) / "attach2.name")) << n;
    }
    EXPECT_EQ(s.got(2, "attach.bin"), g.file("LIGA/TEAM3.TRN"));
}

TEST(DispatchDays, LastDayWithLicenceMailsTheSeasonEndTurn) {
    SmtpServer s("plain");
    Game g(18);
    ASSERT_EQ(g.imported, 0) << g.log();
    ASSERT_TRUE(fs::exists(g.prog / "LIGA/TEAM3.END"));
    g.settings(s.port);
    ASSERT_EQ(g.run({"korax", "LIGA", "3"}, STOPYES), 0) << g.log();
    ASSERT_TRUE(s.received(1)) << g.log();
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.END");
    EXPECT_EQ(s.got(1, "attach.bin"), g.file("LIGA/TEAM3.END"));
    EXPECT_FALSE(fs::exists(s.dir / "1" / "attach2.name"));
}

TEST(DispatchDays, LastDayWithoutLicenceAsksNothingAndMailsNoStaleTurn) {
    SmtpServer s("plain");
    Game g(18);
    ASSERT_EQ(g.imported, 0) << g.log();
    g.settings(s.port);
    // The licence of the own team (record 3) taken away.
    std::string dat = g.file("LIGA/TEAM3.DAT");
    ASSERT_GE(dat.size(), 3 * sizeof(TEAMREC));
    dat[2 * sizeof(TEAMREC) + offsetof(TEAMREC, LIZENZ)] = 0;
    spit(g.prog / "LIGA/TEAM3.DAT", dat);
    // Turns of an earlier run, and the program directory's batch file that would mail one.
    spit(g.prog / "LIGA/TEAM3.TRN", "stale league turn");
    spit(g.prog / "LIGA/TEAM3.END", "stale season-end turn");
    spit(g.prog / "POST.BAT", g.file("LIGA/POST.BAT"));
    // Quit and yes; no question 497, only the refusal to send.
    ASSERT_EQ(g.run({"korax", "LIGA", "3"}, "key Esc\nkey Y\nkey Enter\n"), 0) << g.log();
    EXPECT_EQ(g.team(3).LIZENZ, 0);
    EXPECT_FALSE(s.received(1));
    EXPECT_FALSE(fs::exists(g.prog / "LIGA/post.log"));
    EXPECT_EQ(g.file("LIGA/TEAM3.END"), "stale season-end turn");
}

// The turn mailed by the real client to a loopback SMTP server: at the stop, at once
// from the deadline screen, on the cup day and on the last day.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/client_run.h"
#include "smtp_server.h"
#include "turn/post.h"

using namespace korax;
using namespace korax::client;

namespace {

// The deadline screen as button 2 of the menu column.
const char* const MENU = "101   ;a\n128   ;b\n113   ;c\n112   ;d\n---\n102   ;e\n105   ;f\n106   ;g\n120   ;h\n"
                         "104   ;i\n103   ;j\n109   ;k\n111   ;l\n115   ;m\n108   ;n\n118   ;o\n110   ;p\n117   ;q\n"
                         "116   ;r\n114   ;s\n107   ;t\n123   ;v\n124   ;w\n125   ;x\n119   ;y\n127   ;z\n";

// A game of team 3 imported on `day` and left once: no mail settings yet, so nothing is asked.
struct Game : ProgramDir {
    explicit Game(int day) {
        EXPECT_EQ(container(3, day), 0);
        EXPECT_EQ(run({"korax", "TEAM3.RST"}, IMPORTQUIT), 0) << log();
    }
    // post.ini and the POST.BAT the dispatch screen writes for it.
    void settings(const std::string& email, const std::string& port, bool bat = true) const {
        const std::string ini = "EMAIL=" + email + "\r\nSMTP=127.0.0.1:" + port + "\r\nSUBJECT=Turn three\r\n";
        spit(prog / "LIGA/post.ini", ini);
        if (bat) spit(prog / "LIGA/POST.BAT", POSTBATTEXT("LIGA\\", "gamemaster@korax.invalid", PARSEPOSTINI(ini)));
    }
    int stop(const std::string& keys, const Env& env = {}) const { return run({"korax", "LIGA", "3"}, keys, env); }
};

// Leave the overview, quit, confirm the turn message; the mail question follows.
const std::string STOP = "key Esc\nkey Y\nkey Enter\n";
const std::string GOOD = "coach@club.example";

}  // namespace

TEST(DispatchAtTheStop, YesMailsNoDoesNotAFailureShowsTheLogAndNoSenderAsksNothing) {
    SmtpServer s("plain");
    Game g(4);
    g.settings(GOOD, s.port);
    ASSERT_EQ(g.stop(STOP + "key N\n"), 0) << g.log();
    EXPECT_FALSE(s.received(1));
    // Question 497 yes, then "Send TRN -> OK": the turn written in this run.
    ASSERT_EQ(g.stop(STOP + "key Y\nkey Enter\n"), 0) << g.log();
    ASSERT_TRUE(s.received(1));
    const std::pair<const char*, std::string> parts[] = {{"to", "gamemaster@korax.invalid"},
        {"from", "COACH@CLUB.EXAMPLE"}, {"subject", "TURN THREE"}, {"attach.name", "TEAM3.TRN"},
        {"attach.bin", g.file("LIGA/TEAM3.TRN")}};
    for (const auto& [part, want] : parts) EXPECT_EQ(s.got(1, part), want) << part;
    EXPECT_EQ(g.file("LIGA/post.log").find("rror"), std::string::npos);
    // Failed sending opens the fresh log in the editor.
    const fs::path editor = g.prog / "editor.sh";
    std::ofstream(editor) << "#!/bin/sh\ncat \"$1\" > \"" << (g.prog / "seen.log").string() << "\"\n";
    fs::permissions(editor, fs::perms::owner_all);
    {
        SmtpServer f("login");
        g.settings(GOOD, f.port);
        spit(g.prog / "LIGA/post.log", "Mail accepted\n");  // stale, from an earlier run
        EXPECT_EQ(g.stop(STOP + "key Y\n", {{"VISUAL", editor.string()}}), 0) << g.log();
        const std::string seen = g.file("seen.log");
        EXPECT_NE(seen.find("rror"), std::string::npos) << seen;
        EXPECT_EQ(seen.find("Mail accepted"), std::string::npos);
        EXPECT_FALSE(f.received(1));
    }
    // Without the sender nothing is asked.
    g.settings(GOOD, s.port);
    fs::remove(g.prog / "kxmail");
    EXPECT_EQ(g.stop(STOP), 0) << g.log();
    EXPECT_FALSE(s.received(3));
}

TEST(DispatchDays, SendingAtOnceThenTheCupDay) {
    SmtpServer s("plain");
    Game g(4);
    spit(g.prog / "MENU.CFG", MENU);
    g.settings(GOOD, s.port);
    // "D" sends and says so; "R" leaves; the stop asks nothing more and sends again.
    ASSERT_EQ(g.stop(menubutton(2) + "key D\nkey Enter\nkey R\n" + STOP + "key Enter\n"), 0) << g.log();
    ASSERT_TRUE(s.received(2)) << g.log();
    for (int n : {1, 2}) {
        EXPECT_EQ(s.got(n, "attach.name"), "TEAM3.TRN") << n;
        EXPECT_FALSE(fs::exists(s.dir / std::to_string(n) / "attach2.name")) << n;
    }
    EXPECT_EQ(s.got(2, "attach.bin"), g.file("LIGA/TEAM3.TRN"));
    // The next cup round played on this very match day: the cup turn and the league turn in one mail.
    std::int16_t day = -1;
    std::memcpy(&day, g.file("LIGA/TEAM3.TRN").append(2, '\xff').data(), 2);
    spit(g.prog / "LIGA/POKAL3.DAT", std::to_string(day) + "\r\nRound of 16\r\nCUP3\r\nSomebody (League 1)\r\n");
    ASSERT_EQ(g.stop(STOP + "key Y\nkey Enter\n"), 0) << g.log();
    ASSERT_TRUE(s.received(3)) << g.log();
    EXPECT_FALSE(s.received(4));
    EXPECT_EQ(s.got(3, "attach.name"), "CUP3.TRN");
    EXPECT_EQ(s.got(3, "attach.bin"), g.file("LIGA/CUP3.TRN"));
    EXPECT_EQ(s.got(3, "attach2.name"), "TEAM3.TRN");
    EXPECT_EQ(s.got(3, "attach2.bin"), g.file("LIGA/TEAM3.TRN"));
}

TEST(DispatchDays, LastDayMailsTheSeasonEndTurnOnlyWithLicence) {
    SmtpServer s("plain");
    Game g(18);
    ASSERT_TRUE(fs::exists(g.prog / "LIGA/TEAM3.END"));
    g.settings(GOOD, s.port);
    ASSERT_EQ(g.stop(STOP + "key Y\nkey Enter\n"), 0) << g.log();
    ASSERT_TRUE(s.received(1)) << g.log();
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.END");
    EXPECT_EQ(s.got(1, "attach.bin"), g.file("LIGA/TEAM3.END"));
    EXPECT_FALSE(fs::exists(s.dir / "1" / "attach2.name"));
    // The licence of the own team (record 3) taken away.
    std::string dat = g.file("LIGA/TEAM3.DAT");
    ASSERT_GE(dat.size(), 3 * sizeof(TEAMREC));
    dat[2 * sizeof(TEAMREC) + offsetof(TEAMREC, LIZENZ)] = 0;
    spit(g.prog / "LIGA/TEAM3.DAT", dat);
    // Turns of an earlier run, and the program directory's batch file that would mail one.
    spit(g.prog / "LIGA/TEAM3.TRN", "stale league turn");
    spit(g.prog / "LIGA/TEAM3.END", "stale season-end turn");
    spit(g.prog / "POST.BAT", g.file("LIGA/POST.BAT"));
    fs::remove(g.prog / "LIGA/post.log");
    // No question 497, only the refusal to send.
    ASSERT_EQ(g.stop(STOP), 0) << g.log();
    EXPECT_EQ(g.team(3).LIZENZ, 0);
    EXPECT_FALSE(s.received(2));
    EXPECT_FALSE(fs::exists(g.prog / "LIGA/post.log"));
    EXPECT_EQ(g.file("LIGA/TEAM3.END"), "stale season-end turn");
}

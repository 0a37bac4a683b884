// The turn mailed at the stop by the real client, headless and scripted, to a
// loopback SMTP server.
#include <gtest/gtest.h>

#include "common/client_run.h"
#include "smtp_server.h"
#include "turn/post.h"

using namespace korax;
using namespace korax::client;

namespace {

// A game of team 3 imported and left once: no mail settings yet, so nothing is asked.
struct Client : ProgramDir {
    int imported = -1;
    Client() {
        container(3, 4);
        imported = run({"korax", "TEAM3.RST"}, IMPORTQUIT);
    }
    // post.ini and the POST.BAT the dispatch screen writes for it.
    void settings(const std::string& email, const std::string& smtp, bool bat = true) const {
        spit(prog / "LIGA/post.ini", "EMAIL=" + email + "\r\nSMTP=" + smtp + "\r\nSUBJECT=Turn three\r\n");
        POSTSETTINGS s = PARSEPOSTINI("EMAIL=" + email + "\nSMTP=" + smtp + "\nSUBJECT=Turn three\n");
        if (bat) spit(prog / "LIGA/POST.BAT", POSTBATTEXT("LIGA\\", "gamemaster@korax.invalid", s));
    }
};

// Leave the placeholder, quit, confirm the turn message; the mail question follows.
const std::string STOP = "key Esc\nkey Y\nkey Enter\n";

}  // namespace

TEST(DispatchAtTheStop, YesMailsTheTurnWrittenInThisRun) {
    SmtpServer s("plain");
    Client c;
    ASSERT_EQ(c.imported, 0) << c.log();
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    // 497 yes, then "Send TRN -> OK".
    ASSERT_EQ(c.run({"korax", "LIGA", "3"}, STOP + "key Y\nkey Enter\n"), 0) << c.log();
    ASSERT_TRUE(s.received(1));
    EXPECT_FALSE(s.received(2));
    EXPECT_EQ(s.got(1, "to"), "gamemaster@korax.invalid");
    EXPECT_EQ(s.got(1, "from"), "COACH@CLUB.EXAMPLE");
    EXPECT_EQ(s.got(1, "subject"), "TURN THREE");
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.TRN");
    EXPECT_EQ(s.got(1, "attach.bin"), c.file("LIGA/TEAM3.TRN"));
    EXPECT_EQ(c.file("LIGA/post.log").find("rror"), std::string::npos);
}

TEST(DispatchAtTheStop, NoMailsNothing) {
    SmtpServer s("plain");
    Client c;
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    ASSERT_EQ(c.run({"korax", "LIGA", "3"}, STOP + "key N\n"), 0) << c.log();
    EXPECT_FALSE(s.received(1));
}

TEST(DispatchAtTheStop, InvalidValuesOrNoSenderAskNothingAndSendNothing) {
    SmtpServer s("plain");
    for (const char* email : {"a@b & x", "-attach /etc/passwd", "a@b`id`", "$(x)@y"}) {
        Client c;
        c.settings(email, "127.0.0.1:" + s.port, false);
        POSTSETTINGS good = PARSEPOSTINI("EMAIL=a@b.c\nSMTP=127.0.0.1:" + s.port + "\nSUBJECT=x\n");
        spit(c.prog / "LIGA/POST.BAT", POSTBATTEXT("LIGA\\", "gamemaster@korax.invalid", good));
        // No question: the script holds nothing after the turn message.
        EXPECT_EQ(c.run({"korax", "LIGA", "3"}, STOP), 0) << email << c.log();
        EXPECT_FALSE(fs::exists(c.prog / "LIGA/post.log")) << email;
    }
    Client c;
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    fs::remove(c.prog / "kxmail");
    std::ofstream(c.prog / "LIGA/post.log") << "Mail accepted\n";
    EXPECT_EQ(c.run({"korax", "LIGA", "3"}, STOP), 0) << c.log();
    EXPECT_FALSE(s.received(1));
}

TEST(DispatchAtTheStop, FailedSendingOpensTheLogInTheEditor) {
    for (const char* mode : {"dead", "login"}) {
        SmtpServer s(mode);
        Client c;
        c.settings("coach@club.example", "127.0.0.1:" + s.port);
        std::ofstream(c.prog / "LIGA/post.log") << "Mail accepted\n";  // stale, from an earlier run
        const fs::path editor = c.prog / "editor.sh";
        std::ofstream(editor) << "#!/bin/sh\ncat \"$1\" > \"" << (c.prog / "seen.log").string() << "\"\n";
        fs::permissions(editor, fs::perms::owner_all);
        EXPECT_EQ(c.run({"korax", "LIGA", "3"}, STOP + "key Y\n", {{"VISUAL", editor.string()}}), 0) << mode << c.log();
        const std::string seen = c.file("seen.log");
        EXPECT_NE(seen.find("rror"), std::string::npos) << mode << ": " << seen;
        EXPECT_EQ(seen.find("Mail accepted"), std::string::npos) << mode;
        EXPECT_FALSE(s.received(1));
    }
}

TEST(DispatchAtTheStop, TemperedBatchLineIsRewrittenFromTheSettings) {
    SmtpServer s("plain");
    Client c;
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    std::ofstream(c.prog / "LIGA/POST.BAT", std::ios::binary)
        << "@echo Please wait...\r\n@blat.exe LIGA\\post.txt -t x@y -s \"S\" -f a@b -server 127.0.0.1:1 -attach /etc/passwd >LIGA\\post.log\r\n";
    ASSERT_EQ(c.run({"korax", "LIGA", "3"}, STOP + "key Y\nkey Enter\n"), 0) << c.log();
    ASSERT_TRUE(s.received(1));
    EXPECT_EQ(s.got(1, "to"), "gamemaster@korax.invalid");
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.TRN");
}

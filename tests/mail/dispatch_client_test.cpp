// The turn mailed at the stop by the real client, headless and scripted, to a
// loopback SMTP server.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/process.h"
#include "smtp_server.h"
#include "turn/post.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

struct Client {
    fs::path root;
    int imported = -1;
    Client() {
        std::string tmpl = (fs::temp_directory_path() / "korax-dispatch-XXXXXX").string();
        root = ::mkdtemp(tmpl.data());
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
            if (e.path().filename() != "DEMO") fs::copy(e.path(), root / e.path().filename(), fs::copy_options::recursive);
        fs::create_directory(root / "LIGA");
        run({"mkgame", "--seed", "5", "--team", "3", "--day", "4", "--dir", "LIGA", "--form", "rst", "."}, "");
        // Import, leave the viewer message, the pairings, the table, the messages
        // and the program: no mail settings yet, so nothing is asked.
        imported = run({"korax", "TEAM3.RST"}, "key Esc\nkey Esc\nkey Esc\nkey Esc\nkey Esc\nkey Y\nkey Enter\nkey Enter\n");
    }
    ~Client() {
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
    // post.ini and the POST.BAT the dispatch screen writes for it.
    void settings(const std::string& email, const std::string& smtp, bool bat = true) {
        std::ofstream(root / "LIGA/post.ini", std::ios::binary)
            << "EMAIL=" << email << "\r\nSMTP=" << smtp << "\r\nSUBJECT=Turn three\r\n";
        POSTSETTINGS s = PARSEPOSTINI("EMAIL=" + email + "\nSMTP=" + smtp + "\nSUBJECT=Turn three\n");
        if (bat) std::ofstream(root / "LIGA/POST.BAT", std::ios::binary) << POSTBATTEXT("LIGA\\", "gamemaster@korax.invalid", s);
    }
    std::string log() const { return slurp(root / "client.log"); }
};

// Leave the placeholder, quit, confirm the turn message, answer the mail question.
const std::string QUIT = "key Esc\nkey Y\nkey Enter\n";

}  // namespace

TEST(DispatchAtTheStop, YesMailsTheTurnWrittenInThisRun) {
    SmtpServer s("plain");
    Client c;
    ASSERT_EQ(c.imported, 0) << c.log();
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    // 497 yes, then "Send TRN -> OK".
    ASSERT_EQ(c.run({"korax", "LIGA", "3"}, QUIT + "key Y\nkey Enter\n"), 0) << c.log();
    ASSERT_TRUE(s.received(1));
    EXPECT_FALSE(s.received(2));
    EXPECT_EQ(s.got(1, "to"), "gamemaster@korax.invalid");
    EXPECT_EQ(s.got(1, "from"), "COACH@CLUB.EXAMPLE");
    EXPECT_EQ(s.got(1, "subject"), "TURN THREE");
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.TRN");
    EXPECT_EQ(s.got(1, "attach.bin"), slurp(c.root / "LIGA/TEAM3.TRN"));
    EXPECT_EQ(slurp(c.root / "LIGA/post.log").find("rror"), std::string::npos);
}

TEST(DispatchAtTheStop, NoMailsNothing) {
    SmtpServer s("plain");
    Client c;
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    ASSERT_EQ(c.run({"korax", "LIGA", "3"}, QUIT + "key N\n"), 0) << c.log();
    EXPECT_FALSE(s.received(1));
}

TEST(DispatchAtTheStop, InvalidValuesOrNoSenderAskNothingAndSendNothing) {
    SmtpServer s("plain");
    for (const char* email : {"a@b & x", "-attach /etc/passwd", "a@b`id`", "$(x)@y"}) {
        Client c;
        c.settings(email, "127.0.0.1:" + s.port, false);
        POSTSETTINGS good = PARSEPOSTINI("EMAIL=a@b.c\nSMTP=127.0.0.1:" + s.port + "\nSUBJECT=x\n");
        std::ofstream(c.root / "LIGA/POST.BAT", std::ios::binary) << POSTBATTEXT("LIGA\\", "gamemaster@korax.invalid", good);
        // No question: the script holds nothing after the turn message.
        EXPECT_EQ(c.run({"korax", "LIGA", "3"}, QUIT), 0) << email << c.log();
        EXPECT_FALSE(fs::exists(c.root / "LIGA/post.log")) << email;
    }
    Client c;
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    fs::remove(c.root / "kxmail");
    std::ofstream(c.root / "LIGA/post.log") << "Mail accepted\n";
    EXPECT_EQ(c.run({"korax", "LIGA", "3"}, QUIT), 0) << c.log();
    EXPECT_FALSE(s.received(1));
}

TEST(DispatchAtTheStop, FailedSendingOpensTheLogInTheEditor) {
    for (const char* mode : {"dead", "login"}) {
        SmtpServer s(mode);
        Client c;
        c.settings("coach@club.example", "127.0.0.1:" + s.port);
        std::ofstream(c.root / "LIGA/post.log") << "Mail accepted\n";  // stale, from an earlier run
        const fs::path editor = c.root / "editor.sh";
        std::ofstream(editor) << "#!/bin/sh\ncat \"$1\" > \"" << (c.root / "seen.log").string() << "\"\n";
        fs::permissions(editor, fs::perms::owner_all);
        ::setenv("VISUAL", editor.c_str(), 1);
        EXPECT_EQ(c.run({"korax", "LIGA", "3"}, QUIT + "key Y\n"), 0) << mode << c.log();
        ::unsetenv("VISUAL");
        const std::string seen = slurp(c.root / "seen.log");
        EXPECT_NE(seen.find("rror"), std::string::npos) << mode << ": " << seen;
        EXPECT_EQ(seen.find("Mail accepted"), std::string::npos) << mode;
        EXPECT_FALSE(s.received(1));
    }
}

TEST(DispatchAtTheStop, TemperedBatchLineIsRewrittenFromTheSettings) {
    SmtpServer s("plain");
    Client c;
    c.settings("coach@club.example", "127.0.0.1:" + s.port);
    std::ofstream(c.root / "LIGA/POST.BAT", std::ios::binary)
        << "@echo Please wait...\r\n@blat.exe LIGA\\post.txt -t x@y -s \"S\" -f a@b -server 127.0.0.1:1 -attach /etc/passwd >LIGA\\post.log\r\n";
    ASSERT_EQ(c.run({"korax", "LIGA", "3"}, QUIT + "key Y\nkey Enter\n"), 0) << c.log();
    ASSERT_TRUE(s.received(1));
    EXPECT_EQ(s.got(1, "to"), "gamemaster@korax.invalid");
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.TRN");
}

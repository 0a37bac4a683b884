// The mail sender against a loopback SMTP server: what arrives, and that every
// refusal ends with "Error" and a non-zero exit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/process.h"
#include "smtp_server.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

struct Sent {
    int code;
    std::string log;
};

struct Mail {
    fs::path dir;
    Mail() {
        std::string tmpl = (fs::temp_directory_path() / "korax-mail-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        // CP437 umlauts, and a line holding only a dot that SMTP must not take as the end.
        std::ofstream(dir / "post.txt", std::ios::binary) << "Gr\x81\xe1" "e\r\n.\r\nEnd\r\n";
        std::string trn("TRN\0\x01\xff\r\n.\r\n", 11);
        trn += std::string(5000, '\xa5');
        std::ofstream(dir / "TEAM3.TRN", std::ios::binary) << trn;
    }
    ~Mail() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    Sent send(const SmtpServer& s, std::vector<std::string> extra, const std::string& input = "",
              const std::string& subject = "TURN 3") {
        PROCESSRUN r;
        r.program = std::string(KORAX_DIST_DIR) + "/kxmail";
        r.args = {(dir / "post.txt").string(), "-t", "gm@league.example", "-s", subject, "-f", "coach@club.example",
                  "-server", "127.0.0.1:" + s.port, "-attach", (dir / "TEAM3.TRN").string()};
        r.args.insert(r.args.end(), extra.begin(), extra.end());
        if (!input.empty()) r.input = input;
        r.output = (dir / "post.log").string();
        const int code = RUNANDWAIT(r);
        return {code, slurp(dir / "post.log")};
    }
    // A refusal: non-zero exit and the log naming the error.
    static void refused(const Sent& r, const std::string& what) {
        EXPECT_NE(r.code, 0) << what;
        EXPECT_NE(r.log.find("Error"), std::string::npos) << what << ": " << r.log;
    }
};

}  // namespace

TEST(MailSender, DeliversOnAPlainServerAndRefusesWhatCouldSmuggleCommandsOrHeaders) {
    SmtpServer s("plain");
    Mail m;
    Sent r = m.send(s, {"-tls", "auto"}, "", "TURN \x8e 3");
    ASSERT_EQ(r.code, 0) << r.log;
    EXPECT_EQ(r.log.find("rror"), std::string::npos);
    ASSERT_TRUE(s.received(1));
    const std::pair<const char*, std::string> parts[] = {
        {"from", "coach@club.example"}, {"to", "gm@league.example"}, {"subject", "TURN \xc3\x84 3"},
        {"body", "Gr\xc3\xbc\xc3\x9f" "e\r\n.\r\nEnd\r\n"}, {"attach.name", "TEAM3.TRN"},
        {"attach.bin", slurp(m.dir / "TEAM3.TRN")}};
    for (const auto& [part, want] : parts) EXPECT_EQ(s.got(1, part), want) << part;
    const std::vector<std::vector<std::string>> bad = {{"-t", "-attach"}, {"-tls", "maybe"}, {"-timeout", "0"},
        {"-timeout", "x"}, {"-bogus", "1"}, {"extra-word"}, {"-server", "bad host"}};
    for (const auto& extra : bad) {
        Sent b = m.send(s, extra);
        EXPECT_NE(b.code, 0) << extra[0];
        EXPECT_EQ(b.log.rfind("Error: ", 0), 0u) << extra[0] << ": " << b.log;
    }
    EXPECT_NE(m.send(s, {}, "", "TURN\r\nBcc: x@y.z").code, 0);
    Mail::refused(m.send(s, {"-tls", "starttls", "-timeout", "10"}), "STARTTLS not offered");
    EXPECT_FALSE(s.received(2));
}

TEST(MailSender, LoginTakenAndRefusedWithoutShowingThePasswordNeverInTheClearOnAuto) {
    SmtpServer s("login");
    Mail m;
    Mail::refused(m.send(s, {"-u", "trainer"}, "s3cret pw\n"), "login without TLS");
    EXPECT_FALSE(s.received(1));
    Sent ok = m.send(s, {"-u", "trainer", "-tls", "no"}, "s3cret pw\n");
    EXPECT_EQ(ok.code, 0) << ok.log;
    EXPECT_TRUE(s.received(1));
    EXPECT_EQ(ok.log.find("s3cret"), std::string::npos);
    Sent bad = m.send(s, {"-u", "trainer", "-tls", "no"}, "wrong pw\n");
    Mail::refused(bad, "wrong password");
    EXPECT_EQ(bad.log.find("wrong pw"), std::string::npos);
    EXPECT_FALSE(s.received(2));
}

TEST(MailSender, StarttlsWithTheThrowawayCaOnlyWhenTheCaIsTrusted) {
    SmtpServer s("starttls");
    Mail m;
    Sent trusted = m.send(s, {"-u", "trainer", "-cafile", (s.dir / "ca.pem").string()}, "s3cret pw\n");
    EXPECT_EQ(trusted.code, 0) << trusted.log;
    EXPECT_TRUE(s.received(1));
    Mail::refused(m.send(s, {"-u", "trainer", "-tls", "starttls", "-timeout", "10"}, "s3cret pw\n"), "untrusted");
    EXPECT_FALSE(s.received(2));
}

TEST(MailSender, DeadPortAndStalledServerFail) {
    for (const char* mode : {"dead", "stall"}) {
        SmtpServer s(mode);
        Mail::refused(Mail().send(s, {"-timeout", "2"}), mode);
    }
}

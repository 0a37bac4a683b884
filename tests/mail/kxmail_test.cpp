// The mail sender against a loopback SMTP server (tests/mail/smtpserver.py):
// what arrives, and that every refusal ends with "Error" and a non-zero exit
// within the time limit.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/process.h"

using namespace korax;
namespace fs = std::filesystem;

extern char** environ;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// One server process in its own scratch directory, stopped by its id.
struct SmtpServer {
    fs::path dir;
    pid_t pid = -1;
    std::string port;
    explicit SmtpServer(const std::string& mode) {
        std::string tmpl = (fs::temp_directory_path() / "korax-smtp-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        std::string script = std::string(KORAX_SOURCE_DIR) + "/tests/mail/smtpserver.py";
        std::string d = dir.string();
        const char* argv[] = {"/usr/bin/python3", script.c_str(), d.c_str(), mode.c_str(), nullptr};
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn(&pid, argv[0], &fa, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&fa);
        for (int i = 0; i < 600 && !fs::exists(dir / "port"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        port = slurp(dir / "port");
    }
    ~SmtpServer() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string got(int n, const char* part) const { return slurp(dir / std::to_string(n) / part); }
    bool received(int n) const { return fs::exists(dir / std::to_string(n)); }
};

struct Sent {
    int code;
    std::string log;
    double seconds;
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
        auto t0 = std::chrono::steady_clock::now();
        int code = RUNANDWAIT(r);
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        return {code, slurp(dir / "post.log"), secs};
    }
};

}  // namespace

TEST(MailSender, DeliversBodyAttachmentSubjectAndEnvelope) {
    SmtpServer s("plain");
    Mail m;
    Sent r = m.send(s, {"-tls", "auto"}, "", "TURN \x8e 3");
    ASSERT_EQ(r.code, 0) << r.log;
    EXPECT_EQ(r.log.find("rror"), std::string::npos);
    ASSERT_TRUE(s.received(1));
    EXPECT_EQ(s.got(1, "from"), "coach@club.example");
    EXPECT_EQ(s.got(1, "to"), "gm@league.example");
    EXPECT_EQ(s.got(1, "subject"), "TURN \xc3\x84 3");
    EXPECT_EQ(s.got(1, "body"), "Gr\xc3\xbc\xc3\x9f" "e\r\n.\r\nEnd\r\n");
    EXPECT_EQ(s.got(1, "attach.name"), "TEAM3.TRN");
    EXPECT_EQ(s.got(1, "attach.bin"), slurp(m.dir / "TEAM3.TRN"));
}

TEST(MailSender, LoginTakenAndRefusedWithoutShowingThePassword) {
    SmtpServer s("login");
    Mail m;
    Sent ok = m.send(s, {"-u", "trainer", "-tls", "no"}, "s3cret pw\n");
    EXPECT_EQ(ok.code, 0) << ok.log;
    EXPECT_TRUE(s.received(1));
    Sent bad = m.send(s, {"-u", "trainer", "-tls", "no"}, "wrong pw\n");
    EXPECT_NE(bad.code, 0);
    EXPECT_NE(bad.log.find("Error"), std::string::npos);
    EXPECT_EQ(bad.log.find("wrong pw"), std::string::npos);
    EXPECT_EQ(ok.log.find("s3cret"), std::string::npos);
    EXPECT_FALSE(s.received(2));
}

TEST(MailSender, LoginWithoutTlsOnAutoIsRefusedBeforeTheServerSeesIt) {
    SmtpServer s("login");
    Mail m;
    Sent r = m.send(s, {"-u", "trainer"}, "s3cret pw\n");
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.log.find("Error"), std::string::npos);
    EXPECT_FALSE(s.received(1));
}

TEST(MailSender, StarttlsWithTheThrowawayCaOnlyWhenTheCaIsTrusted) {
    SmtpServer s("starttls");
    Mail m;
    Sent trusted = m.send(s, {"-u", "trainer", "-cafile", (s.dir / "ca.pem").string()}, "s3cret pw\n");
    EXPECT_EQ(trusted.code, 0) << trusted.log;
    EXPECT_TRUE(s.received(1));
    Sent untrusted = m.send(s, {"-u", "trainer", "-tls", "starttls", "-timeout", "10"}, "s3cret pw\n");
    EXPECT_NE(untrusted.code, 0);
    EXPECT_NE(untrusted.log.find("Error"), std::string::npos);
    EXPECT_FALSE(s.received(2));
}

TEST(MailSender, StarttlsDemandedButNotOfferedFails) {
    SmtpServer s("plain");
    Mail m;
    Sent r = m.send(s, {"-tls", "starttls", "-timeout", "10"});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.log.find("Error"), std::string::npos);
    EXPECT_FALSE(s.received(1));
}

TEST(MailSender, DeadPortAndStalledServerFailWithinTheTimeout) {
    for (const char* mode : {"dead", "stall"}) {
        SmtpServer s(mode);
        Mail m;
        Sent r = m.send(s, {"-timeout", "2"});
        EXPECT_NE(r.code, 0) << mode;
        EXPECT_NE(r.log.find("Error"), std::string::npos) << mode << ": " << r.log;
        // Generous bound: only a sender ignoring its time limit gets near it.
        EXPECT_LT(r.seconds, 20.0) << mode;
    }
}

TEST(MailSender, RefusesArgumentsThatCouldSmuggleCommandsOrHeaders) {
    SmtpServer s("plain");
    Mail m;
    const std::vector<std::vector<std::string>> bad = {
        {"-t", "-attach"},  {"-tls", "maybe"}, {"-timeout", "0"}, {"-timeout", "x"},
        {"-bogus", "1"},    {"extra-word"},   {"-server", "bad host"}, {"-server", "127.0.0.1:99999"},
    };
    for (const auto& extra : bad) {
        Sent r = m.send(s, extra);
        EXPECT_NE(r.code, 0) << extra[0];
        EXPECT_EQ(r.log.rfind("Error: ", 0), 0u) << extra[0] << ": " << r.log;
    }
    Sent header = m.send(s, {}, "", "TURN\r\nBcc: x@y.z");
    EXPECT_NE(header.code, 0);
    EXPECT_FALSE(s.received(1));
}

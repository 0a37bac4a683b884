// The reading, writing and dispatch screens under scripted input: what they
// append to the outgoing message file, where reading starts and ends, which
// mail files they write.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "base/state.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "smtp_server.h"
#include "turn/dispatch.h"
#include "turn/letters.h"
#include "turn/post.h"
#include "turn/messages.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace fs = std::filesystem;
using namespace korax;

namespace {

std::string record(const std::vector<std::string>& lines) {
    MSGTYPE m{};
    for (std::size_t i = 0; i < lines.size(); ++i) m.LINE[i].set(lines[i]);
    return std::string(reinterpret_cast<const char*>(&m), sizeof m);
}

class Screens : public ::testing::Test {
protected:
    fs::path old, root;
    std::array<STRING70, 701> oldl;
    std::string oldtmp, oldgamedir, oldnummer, oldkxpath;

    void SetUp() override {
        old = fs::current_path();
        char tmpl[] = "/tmp/korax-letters-XXXXXX";
        root = ::mkdtemp(tmpl);
        fs::current_path(root);
        oldl = L;
        oldtmp = TMPDIR;
        oldgamedir = GAMEDIR;
        oldnummer = NUMMERSTR;
        TMPDIR = root.string() + "/";
        fs::create_directory(root / "LIGA");
        GAMEDIR = "LIGA\\";
        NUMMERSTR = "1";
        NUMMER = 1;
        FMSG = GAMEDIR + "TEAM1.TXT";
        fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "MENU.CFG", root / "MENU.CFG");
        std::ofstream(root / "KORAX.INI") << "ID=255\nMENUMODE=1\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n";
        RESET_CONFIG();
        READINI(255, true);
        for (int i = 100; i <= 130; ++i) L[static_cast<std::size_t>(i)].set("Entry " + std::to_string(i));
        for (int n = 263; n <= 274; ++n) L[static_cast<std::size_t>(n)].set("Text " + std::to_string(n));
        const char* teams[] = {"Giant Boots", "Pixie Dust", "Golem Works", "Banshees", "Kraken",
                               "Team 6",      "Team 7",     "Team 8",      "Team 9",   "Giant"};
        for (int t = 1; t <= 10; ++t) {
            TEAMNAME[t].set(teams[t - 1]);
            TRAINERNAME[t].set(t == 2 ? "" : "Ugor");
        }
        // The editor only records that it was called.
        std::ofstream(root / "editor.sh") << "#!/bin/sh\necho \"$1\" >> " << (root / "edited").string() << "\n";
        fs::permissions(root / "editor.sh", fs::perms::owner_all);
        ::setenv("VISUAL", (root / "editor.sh").c_str(), 1);
        for (int n : {128, 308, 309, 424, 530, 531, 532, 533, 534, 535}) L[static_cast<std::size_t>(n)].set("Text " + std::to_string(n));
        oldkxpath = KXPATH;
        KXPATH = root.string();
        GEN.ZATEMAIL.set("gm@league.example");
        fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "post.org", root / "post.org");
        fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "POST.TXT", root / "POST.TXT");
        LESEPTR = 0;
        NEWPOKAL = false;
        LASTDAY = false;
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        SETGEOMETRY();
        BUTTONINIT(true);
        KEY = KEY2 = 0;
        GLOBALBEENDEN = false;
        DRAGDROP = false;
    }

    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU();
        ::unsetenv("VISUAL");
        L = oldl;
        TMPDIR = oldtmp;
        GAMEDIR = oldgamedir;
        KXPATH = oldkxpath;
        AUTOSEND = GESENDET = false;
        NUMMERSTR = oldnummer;
        KEY = KEY2 = 0;
        GLOBALBEENDEN = false;
        RESET_CONFIG();
        fs::current_path(old);
        fs::remove_all(root);
    }

    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "letters.kis"); }
    void messages(const std::vector<std::string>& recs) {
        std::string all;
        for (const auto& r : recs) all += r;
        std::ofstream(root / "LIGA/MSG1.DAT", std::ios::binary) << all;
    }
    std::string outgoing() { return slurp(root / "LIGA/TEAM1.TXT"); }
};

const std::string FROM2 = record({"*** From: 001 Pixie Dust ***", "Hello", "", "Bye"});
const std::string FROM1_ALL = record({"\xe9*** From: 001 Giant Boots <*>**", "Hi all"});
const std::string NOTICE = record({"*Notice from the game master", "x"});
const std::string UNKNOWN = record({"*** From: 001 Nobody Here ***", "x"});

}  // namespace

TEST_F(Screens, RepliesQuoteWithTheInitialAndOpenTheEditor) {
    messages({FROM2, FROM1_ALL});
    std::ofstream(root / "LIGA/TEAM1.TXT", std::ios::binary) << "no line end";
    script("key 5\nkey 6\nkey 5\nkey Esc\n");
    LESEN();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(LESEPTR, 2);
    EXPECT_EQ(outgoing(),
              "no line end\r\n<2> Pixie Dust\r\nText 273\r\n  > Hello\r\n  > Bye\r\n"
              "<*> to ALL\r\nText 273\r\n U> Hi all\r\n");
    EXPECT_EQ(slurp(root / "edited"), "LIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\n");
}

TEST_F(Screens, NoReplyToNoticesOrUnknownSendersAndTheEndsHold) {
    messages({NOTICE, UNKNOWN});
    script("key 4\nkey 5\nkey 6\nkey 6\nkey 6\nkey 5\nkey R\n");
    LESEN();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(LESEPTR, 2);
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM1.TXT"));
    EXPECT_FALSE(fs::exists(root / "edited"));
}

TEST_F(Screens, StartPositionFromTheCupAndFromTheLastVisit) {
    messages({NOTICE, NOTICE, NOTICE, NOTICE});
    LESEPTR = 3;
    script("key Esc\n");
    LESEN();
    EXPECT_EQ(LESEPTR, 3);
    NEWPOKAL = true;
    script("key Esc\n");
    LESEN();
    EXPECT_EQ(LESEPTR, 3);
    LESEPTR = 9;  // beyond the file: from the first
    NEWPOKAL = false;
    script("key 6\nkey Esc\n");
    LESEN();
    EXPECT_EQ(LESEPTR, 2);
}

TEST_F(Screens, BarClickPicksTheMessage) {
    messages({NOTICE, NOTICE, NOTICE, NOTICE});
    const int x = XMC - 50 + 80;  // the fourth quarter of the bar
    script("click " + std::to_string(x) + " 470\nkey Esc\n");
    LESEN();
    EXPECT_EQ(LESEPTR, 4);
}

TEST_F(Screens, DamagedOrMissingFilesAreNoMessages) {
    script("key Enter\n");
    LESEN();
    std::ofstream(root / "LIGA/MSG1.DAT", std::ios::binary) << std::string(1214, '\xff');
    script("key Enter\n");
    LESEN();
    // Length bytes over 80, lines of only marks, 80 characters without a blank.
    std::string bad(1215, '\xf5');
    bad[0] = static_cast<char>(255);
    messages({bad, record({"\xe9\xe9", std::string(80, 'x')}), record({"***<*>", "x"})});
    script("key 6\nkey 6\nkey 5\nkey Esc\n");
    LESEN();
    EXPECT_EQ(LESEPTR, 3);
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM1.TXT"));
}

TEST_F(Screens, WritingAppendsAddressLinesAndListsThem) {
    std::ofstream(root / "LIGA/TEAM1.TXT", std::ios::binary) << "<3> Golem Works\r\ntext";
    script("key 2\nkey A\nkey B\nkey E\nkey R\n");
    SCHREIBEN();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(outgoing(), "<3> Golem Works\r\ntext\r\n<2> Pixie Dust\r\n<10> Giant\r\n<*> Text 263\r\n");
    EXPECT_EQ(slurp(root / "edited"), "LIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\n");
}

TEST_F(Screens, LastDayOnlyTellsAndWritesNothing) {
    LASTDAY = true;
    // The information screen waits for a way out, not for any key.
    script("key Enter\nkey Esc\n");
    SCHREIBEN();
    LASTDAY = false;
    EXPECT_EQ(KEY, 27);
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM1.TXT"));
}

namespace {
const std::string GOODINI = "EMAIL=coach@club.example\r\nSMTP=127.0.0.1:2525\r\nSUBJECT=turn\r\n";

void mailprogram(const fs::path& root) {
    std::ofstream(root / "kxmail") << "#!/bin/sh\nexit 0\n";
    fs::permissions(root / "kxmail", fs::perms::owner_all);
}
}  // namespace

TEST_F(Screens, DispatchSettingsFromTheTemplateAreKeptPrivateAndSwitchAutoOn) {
    mailprogram(root);
    // The editor fills in the settings.
    std::ofstream(root / "editor.sh") << "#!/bin/sh\nprintf 'EMAIL=coach@club.example\\nSMTP=127.0.0.1:2525\\nSUBJECT=turn\\n' > \"$1\"\n";
    script("key A\nkey Y\nkey R\n");
    ZAT();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(fs::status(root / "LIGA/post.ini").permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    LESEPOSTINI();
    const POSTSETTINGS s{POSTEMAIL, POSTSMTP, POSTSUBJECT, "", "", ""};
    EXPECT_EQ(slurp(root / "LIGA/POST.BAT"), POSTBATTEXT("LIGA\\", "gm@league.example", s));
    EXPECT_EQ(slurp(root / "LIGA/post.txt"), slurp(root / "POST.TXT"));
    EXPECT_TRUE(AUTOSEND);
}

TEST_F(Screens, DispatchSwitchNeedsTheMailProgramAndValidValues) {
    std::ofstream(root / "LIGA/post.ini", std::ios::binary) << GOODINI;
    // Without the mail program: text 534, nothing written.
    script("key B\nkey Enter\nkey Esc\n");
    ZAT();
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
    mailprogram(root);
    // Yes writes POST.BAT, no deletes it again.
    script("key B\nkey Y\nkey Esc\n");
    ZAT();
    EXPECT_TRUE(fs::exists(root / "LIGA/POST.BAT"));
    script("key B\nkey N\nkey Esc\n");
    ZAT();
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
    // A value that could smuggle a command: text 532, nothing written.
    for (const char* email : {"a@b & x", "-attach /etc/passwd", "a@b`id`", "$(x)@b"}) {
        std::ofstream(root / "LIGA/post.ini", std::ios::binary) << "EMAIL=" << email << "\r\nSMTP=h\r\nSUBJECT=s\r\n";
        script("key B\nkey Enter\nkey D\nkey Enter\nkey Esc\n");
        ZAT();
        EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT")) << email;
        EXPECT_FALSE(AUTOSEND);
    }
    // No game master's address: the switch is hidden, and its key refuses.
    std::ofstream(root / "LIGA/post.ini", std::ios::binary) << GOODINI;
    GEN.ZATEMAIL.set("");
    script("key B\nkey Enter\nkey Esc\n");
    ZAT();
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
}

TEST(DispatchLabels, DeadlineAndLogButton) {
    // 2026-12-13 18:05:20 packed.
    const std::uint32_t packed = (46u << 25) | (12u << 21) | (13u << 16) | (18u << 11) | (5u << 5) | 10u;
    const DATETIME16 d = DOSUNPACK(packed);
    EXPECT_EQ(d.year, 2026);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.day, 13);
    EXPECT_EQ(d.hour, 18);
    EXPECT_EQ(d.minute, 5);
    EXPECT_EQ(d.second, 20);
    EXPECT_EQ(MAILLOGLABEL(d, 1, "OK"), "Mail: 13.12.2026 18:05h [OK]");
    EXPECT_EQ(MAILLOGLABEL(d, 2, "Abort"), "Mail: 12-13-2026 18:05h [Abort]");
}

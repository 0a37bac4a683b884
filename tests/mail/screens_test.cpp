// The reading, writing and dispatch screens under scripted input: what they append
// to the outgoing message file, where reading starts and ends, which files they write.
#include "base/state.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "turn/dispatch.h"
#include "turn/letters.h"
#include "turn/messages.h"
#include "turn/post.h"
#include "ui/ui_fixture.h"

namespace fs = std::filesystem;
using namespace korax;

namespace {

int silenced = 0;

std::string record(const std::vector<std::string>& lines) {
    MSGTYPE m{};
    for (std::size_t i = 0; i < lines.size(); ++i) m.LINE[i].set(lines[i]);
    return std::string(reinterpret_cast<const char*>(&m), sizeof m);
}

// Game directory LIGA of team 1, ten teams, the mail templates, an editor that records its calls.
class Screens : public korax::uitest::Screen {
protected:
    std::string oldgamedir, oldnummer, oldkxpath;
    ADVISERHOOKS oldhooks;

    void SetUp() override {
        Screen::SetUp();
        oldgamedir = GAMEDIR;
        oldnummer = NUMMERSTR;
        oldkxpath = KXPATH;
        oldhooks = ADVISER;
        fs::create_directory(root / "LIGA");
        GAMEDIR = "LIGA\\";
        NUMMERSTR = "1";
        NUMMER = 1;
        FMSG = GAMEDIR + "TEAM1.TXT";
        KXPATH = root.string();
        for (const char* f : {"MENU.CFG", "post.org", "POST.TXT"}) put(f, asset(f));
        put("KORAX.INI", "ID=255\nMENUMODE=1\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n");
        RESET_CONFIG();
        READINI(255, true);
        for (int n = 100; n <= 535; ++n) L[static_cast<std::size_t>(n)].set("Text " + std::to_string(n));
        const char* teams[] = {"Giant Boots", "Pixie Dust", "Golem Works", "Banshees", "Kraken",
                               "Team 6",      "Team 7",     "Team 8",      "Team 9",   "Giant"};
        for (int t = 1; t <= 10; ++t) {
            TEAMNAME[t].set(teams[t - 1]);
            TRAINERNAME[t].set(t == 2 ? "" : "Ugor");
        }
        put("editor.sh", "#!/bin/sh\necho \"$1\" >> " + (root / "edited").string() + "\n");
        fs::permissions(root / "editor.sh", fs::perms::owner_all);
        ::setenv("VISUAL", (root / "editor.sh").c_str(), 1);
        GEN.ZATEMAIL.set("gm@league.example");
        LESEPTR = 0;
        NEWPOKAL = false;
        LASTDAY = false;
        BUTTONINIT(true);
        silenced = 0;
        ADVISER.silence = [] { ++silenced; };
    }

    void TearDown() override {
        ADVISER = oldhooks;
        ::unsetenv("VISUAL");
        GAMEDIR = oldgamedir;
        KXPATH = oldkxpath;
        NUMMERSTR = oldnummer;
        AUTOSEND = GESENDET = false;
        RESET_CONFIG();
        Screen::TearDown();
    }

    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "letters.kis"); }
    void messages(const std::vector<std::string>& recs) {
        std::string all;
        for (const auto& r : recs) all += r;
        put("LIGA/MSG1.DAT", all);
    }
    std::string outgoing() { return get("LIGA/TEAM1.TXT"); }
    void mailprogram() {
        put("kxmail", "#!/bin/sh\nexit 0\n");
        fs::permissions(root / "kxmail", fs::perms::owner_all);
    }
};

const std::string FROM2 = record({"*** From: 001 Pixie Dust ***", "Hello", "", "Bye"});
const std::string FROM1_ALL = record({"\xe9*** From: 001 Giant Boots <*>**", "Hi all"});
const std::string NOTICE = record({"*Notice from the game master", "x"});
const std::string UNKNOWN = record({"*** From: 001 Nobody Here ***", "x"});

}  // namespace

TEST_F(Screens, RepliesQuoteWithTheInitialOnlyToKnownTrainersAndTheEndsHold) {
    messages({NOTICE, FROM2, FROM1_ALL, UNKNOWN});
    put("LIGA/TEAM1.TXT", "no line end");
    script("key 4\nkey 5\nkey 6\nkey 5\nkey 6\nkey 5\nkey 6\nkey 5\nkey 6\nkey R\n");
    LESEN();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(LESEPTR, 4);
    EXPECT_EQ(outgoing(),
              "no line end\r\n<2> Pixie Dust\r\nText 273\r\n  > Hello\r\n  > Bye\r\n"
              "<*> to ALL\r\nText 273\r\n U> Hi all\r\n");
    EXPECT_EQ(get("edited"), "LIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\n");
}

TEST_F(Screens, BarClickArrowKeysAndArrowButtonsPickTheMessageWithinTheFile) {
    messages({NOTICE, NOTICE, NOTICE, NOTICE});
    const int x = XMC - 50 + 80;  // the fourth quarter of the bar
    script("click " + std::to_string(x) + " 470\nkey Esc\n");
    LESEN();
    EXPECT_EQ(LESEPTR, 4);
    messages({NOTICE, NOTICE, NOTICE});
    const std::string up = "click " + std::to_string(XM2 - 18) + " 104\n";
    const std::string down = "click " + std::to_string(XM2 - 18) + " 380\n";
    const std::pair<std::string, int> cases[] = {
        {"key 8\nkey R\n", 2},         {"key 8\nkey 8\nkey 8\nkey 8\nkey R\n", 3}, {"key 8\nkey 8\nkey 2\nkey R\n", 2},
        {"key 2\nkey 2\nkey R\n", 1}, {down + down + "key R\n", 3},                {down + down + up + "key R\n", 2}};
    for (const auto& [keys, shown] : cases) {
        LESEPTR = 1;
        script(keys);
        LESEN();
        EXPECT_EQ(LESEPTR, shown) << keys;
    }
}

TEST_F(Screens, DamagedOrMissingFilesAreNoMessages) {
    script("key Enter\n");
    LESEN();
    put("LIGA/MSG1.DAT", std::string(1214, '\xff'));
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

TEST_F(Screens, WritingAppendsAddressLinesAndListsThemButNotOnTheLastDay) {
    LASTDAY = true;
    script("key Enter\nkey Esc\n");  // the information screen waits for a way out, not for any key
    SCHREIBEN();
    LASTDAY = false;
    EXPECT_EQ(KEY, 27);
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM1.TXT"));
    put("LIGA/TEAM1.TXT", "<3> Golem Works\r\ntext");
    put("LIGA/team2.pcx", get(std::string(KORAX_DIST_DIR) + "/ih.pcx"));  // a team's picture beside its name
    script("key 2\nkey A\nkey B\nkey E\nkey R\n");
    SCHREIBEN();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(outgoing(), "<3> Golem Works\r\ntext\r\n<2> Pixie Dust\r\n<10> Giant\r\n<*> Text 263\r\n");
    EXPECT_EQ(get("edited"), "LIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\nLIGA/TEAM1.TXT\n");
}

const std::string GOODINI = "EMAIL=coach@club.example\r\nSMTP=127.0.0.1:2525\r\nSUBJECT=turn\r\n";

TEST_F(Screens, DispatchSettingsFromTheTemplateAreKeptPrivateAndSwitchAutoOn) {
    mailprogram();
    // The editor fills in the settings.
    put("editor.sh", "#!/bin/sh\nprintf 'EMAIL=coach@club.example\\nSMTP=127.0.0.1:2525\\nSUBJECT=turn\\n' > \"$1\"\n");
    script("key A\nkey Y\nkey R\n");
    ZAT();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(fs::status(root / "LIGA/post.ini").permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    LESEPOSTINI();
    const POSTSETTINGS s{POSTEMAIL, POSTSMTP, POSTSUBJECT, "", "", ""};
    EXPECT_EQ(get("LIGA/POST.BAT"), POSTBATTEXT("LIGA\\", "gm@league.example", s));
    EXPECT_EQ(get("LIGA/post.txt"), get("POST.TXT"));
    EXPECT_TRUE(AUTOSEND);
}

TEST_F(Screens, DispatchSwitchNeedsTheMailProgramAndValidValues) {
    put("LIGA/post.ini", GOODINI);
    // Without the mail program: text 534, nothing written.
    script("key B\nkey Enter\nkey Esc\n");
    ZAT();
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
    mailprogram();
    // Yes writes POST.BAT, no deletes it again.
    script("key B\nkey Y\nkey Esc\n");
    ZAT();
    EXPECT_TRUE(fs::exists(root / "LIGA/POST.BAT"));
    script("key B\nkey N\nkey Esc\n");
    ZAT();
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
    // A value that could smuggle a command: text 532, nothing written.
    put("LIGA/post.ini", "EMAIL=a@b & x\r\nSMTP=h\r\nSUBJECT=s\r\n");
    script("key B\nkey Enter\nkey D\nkey Enter\nkey Esc\n");
    ZAT();
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
    EXPECT_FALSE(AUTOSEND);
    // No game master's address: the switch is hidden, and its key refuses.
    put("LIGA/post.ini", GOODINI);
    GEN.ZATEMAIL.set("");
    script("key B\nkey Enter\nkey R\n");
    ZAT();
    EXPECT_EQ(KEY, 27);
    EXPECT_FALSE(fs::exists(root / "LIGA/POST.BAT"));
    // Every visit quiets the adviser's figure, and its hooks stay for the next screen.
    EXPECT_EQ(silenced, 5);
    EXPECT_NE(ADVISER.silence, nullptr);
}

TEST(DispatchLabels, DeadlineAndLogButton) {
    // 2026-12-13 18:05:20 packed.
    const std::uint32_t packed = (46u << 25) | (12u << 21) | (13u << 16) | (18u << 11) | (5u << 5) | 10u;
    const DATETIME16 d = DOSUNPACK(packed);
    EXPECT_EQ((std::array<int, 6>{d.year, d.month, d.day, d.hour, d.minute, d.second}),
              (std::array<int, 6>{2026, 12, 13, 18, 5, 20}));
    EXPECT_EQ(MAILLOGLABEL(d, 1, "OK"), "Mail: 13.12.2026 18:05h [OK]");
    EXPECT_EQ(MAILLOGLABEL(d, 2, "Abort"), "Mail: 12-13-2026 18:05h [Abort]");
}

// The turn file, byte by byte, in its three variants.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "data/fixture.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "platform/process.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "turn/saveturn.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

class Turn : public ::testing::Test {
protected:
    fs::path root, oldcwd;

    void SetUp() override {
        oldcwd = fs::current_path();
        std::string tmpl = (fs::temp_directory_path() / "korax-turn-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        fs::current_path(root);
        ASSERT_EQ(mkgame({"--seed", "11", "--team", "3", "--day", "4", "--dir", "LIGA", (root / "LIGA").string()}), 0);
        GAMEDIR = "LIGA\\";
        NUMMER = 3;
        NUMMERSTR = "3";
        FMSG = "LIGA\\TEAM3.TXT";
        const std::string gen = get("LIGA/GEN3.DAT"), team = get("LIGA/TEAM3.DAT"), player = get("LIGA/PLAYER3.DAT");
        std::memcpy(&GEN, gen.data(), sizeof GEN);
        std::memcpy(&TEAM, team.data() + 2 * sizeof TEAM, sizeof TEAM);
        for (int s = 1; s <= 10; ++s) {
            std::memcpy(&PLAYER[s], player.data() + (TEAM.PLAYERS[s] - 1) * sizeof(PLAYERREC), sizeof(PLAYERREC));
            BELEGT[s] = true;
        }
        LASTDAY = false;
        POKALTAG = -1;
        POKALNAME.clear();
        for (int i = 1; i <= 100; ++i) CODE[i] = static_cast<std::uint8_t>(i * 7);
        TRNNAME.clear();
    }
    void TearDown() override {
        fs::current_path(oldcwd);
        std::error_code ec;
        fs::remove_all(root, ec);
        GAMEDIR = ".\\";
        LASTDAY = false;
        POKALTAG = -1;
    }
    int mkgame(const std::vector<std::string>& args) {
        PROCESSRUN run;
        run.program = std::string(KORAX_DIST_DIR) + "/mkgame";
        run.args = args;
        run.output = (root / "mkgame.log").string();
        return RUNANDWAIT(run);
    }
    std::string get(const fs::path& p) { return datatest::slurp(root / p); }
    void put(const fs::path& p, const std::string& bytes) { datatest::spit(root / p, bytes); }
    static int word(const std::string& f, std::size_t pos) {
        std::int16_t w;
        std::memcpy(&w, f.data() + pos, 2);
        return w;
    }
    // The fixed head every variant starts with; the check value computed here anew.
    void head(const std::string& f) {
        ASSERT_GE(f.size(), 1009u);
        EXPECT_EQ(word(f, 0), SPIELTAG());
        const std::string team = f.substr(102, 907);
        EXPECT_EQ(teamat(f).GAMEDIR.str(), "LIGA");
        unsigned c = 0x4B;
        for (unsigned char b : team) c = (c + b) & 0xFFFF;
        c ^= (GEN.TURN + 84) & 0xFFFF;
        // byte 6 keeps the filler of code byte 5
        const char want[] = {char(c & 0xFF), char(c >> 8), '\xFF', char(DRIVEBYTE()), 5 * 7, 20};
        EXPECT_EQ(f.substr(2, 6), std::string(want, 6));
        EXPECT_EQ(std::string({f[91], f[92], f[96]}), std::string("\x02\x00\x02", 3));
    }
    static TEAMREC teamat(const std::string& f) {
        TEAMREC t;
        std::memcpy(&t, f.data() + 102, sizeof t);
        return t;
    }
    static PLAYERREC playerat(const std::string& f, std::size_t pos) {
        PLAYERREC p;
        std::memcpy(&p, f.data() + pos, sizeof p);
        return p;
    }
    static void fatal(int nr, const std::string& text) {
        EXPECT_EQ(datatest::fatal([] { SAVETURN(); }), std::to_string(nr) + ":" + text);
    }
};

}  // namespace

TEST_F(Turn, OrdinaryDayItsMessageAndTheCheckersVerdict) {
    SAVETURN();
    std::string f = get("LIGA/TEAM3.TRN");
    EXPECT_EQ(f.size(), 1009u);  // an empty message adds nothing
    head(f);
    EXPECT_EQ(f.substr(102), std::string(reinterpret_cast<const char*>(&TEAM), sizeof TEAM));
    EXPECT_EQ(mkgame({"--check", (root / "LIGA/TEAM3.TRN").string()}), 0);
    f[102 + 30] ^= 1;  // one bit of the trainer's name
    put("LIGA/TEAM3.TRN", f);
    EXPECT_EQ(mkgame({"--check", (root / "LIGA/TEAM3.TRN").string()}), 1);
    // Message lines are cut to 80, ended by CR LF and written in the code page.
    put("LIGA/TEAM3.TXT", "<4> Iron Spiders\nHello!\r\n" + std::string(100, 'x') + "\nGr\xC3\xBC\xC3\x9F" "e");
    SAVETURN();
    f = get("LIGA/TEAM3.TRN");
    head(f);
    EXPECT_EQ(f.substr(1009), "<4> Iron Spiders\r\nHello!\r\n" + std::string(80, 'x') + "\r\nGr\x81\xE1" "e\r\n");
    fs::remove(root / "LIGA/TEAM3.TXT");
    fs::remove(root / "LIGA/TEAM3.TRN");
    fatal(1, "LIGA\\TEAM3.TXT");
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM3.TRN"));
}

TEST_F(Turn, NewerEmblemCutTo12000FallsBackToTeam0AndFailsWithoutBoth) {
    TEAM.SYMBOLVER[3] = static_cast<std::uint8_t>(GEN.TSYMVER[3] + 1);
    put("LIGA/TEAM3.PCX", std::string(13000, 'P'));
    SAVETURN();
    std::string f = get("LIGA/TEAM3.TRN");
    EXPECT_EQ(word(f, 1009), 12000);
    EXPECT_EQ(f.substr(1011), std::string(12000, 'P'));
    fs::remove(root / "LIGA/TEAM3.PCX");
    put("TEAM0.PCX", "zero");
    SAVETURN();
    EXPECT_EQ(get("LIGA/TEAM3.TRN").substr(1009), std::string("\x04\x00zero", 6));
    fs::remove(root / "TEAM0.PCX");
    fs::remove(root / "LIGA/TEAM3.TRN");
    fatal(1, "LIGA\\TEAM3.PCX");
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM3.TRN"));
}

TEST_F(Turn, BaseNameFromTheGeneralRecordOnlyWhenPlain) {
    GEN.RSZNAME.set("ABC12");
    SAVETURN();
    EXPECT_EQ(TRNNAME, "ABC12.TRN");
    EXPECT_TRUE(fs::exists(root / "LIGA/ABC12.TRN"));
    GEN.RSZNAME.set("..\\X");
    SAVETURN();
    EXPECT_EQ(TRNNAME, "TEAM3.TRN");
    EXPECT_TRUE(fs::exists(root / "LIGA/TEAM3.TRN"));
    EXPECT_FALSE(fs::exists(root / "X.TRN"));
}

TEST_F(Turn, SeasonEndCarriesHistoryEmblemAndKeptPlayersOnlyWithLicence) {
    LASTDAY = true;
    TEAM.LIZENZ = 0;
    SAVETURN();
    EXPECT_EQ(TRNNAME, "TEAM3.TRN");
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM3.TRN"));
    EXPECT_FALSE(fs::exists(root / "LIGA/TEAM3.END"));
    TEAM.LIZENZ = 1;
    TEAM.SYMBOLVER[3] = 0;
    TEAM.ERFOLGE = 3;
    for (int i = 1; i <= 10; ++i) TEAM.TRANSFER[i] = 0;
    put("LIGA/TEAM3.HI", "Saison 1\r\n>>> " + std::string(50, 'c') + "\r\n");
    TEAM.TRANSFER[2] = TEAM.TRANSFER[5] = 1;
    PLAYER[5].VERFASSUNG = 0;  // out: not sent
    TEAM.TRANSFER[7] = 2;
    const PLAYERREC before = PLAYER[2];
    SAVETURN();
    EXPECT_EQ(TRNNAME, "TEAM3.END");
    std::string f = get("LIGA/TEAM3.END");
    head(f);
    ASSERT_EQ(f.size(), 1009u + 3 * 41 + 61);
    EXPECT_EQ(f.substr(1009, 41), std::string("\x08Saison 1") + std::string(32, '\0'));
    EXPECT_EQ(f.substr(1050, 41), "\x28>>> " + std::string(36, 'c'));
    EXPECT_EQ(f.substr(1091, 41), std::string(41, '\0'));
    const PLAYERREC sent = playerat(f, 1132);
    EXPECT_EQ(sent.TEAM, TEAM.PLAYERS[2]);
    EXPECT_EQ(sent.PRUEF, PLAYERPRUEF(sent));
    EXPECT_EQ(sent.NAME.str(), before.NAME.str());
    EXPECT_EQ(std::memcmp(&PLAYER[2], &before, sizeof before), 0);
    // With the team's emblem, no successes and no players it ends with the picture.
    TEAM.ERFOLGE = 0;
    for (int i = 1; i <= 10; ++i) TEAM.TRANSFER[i] = 0;
    TEAM.SYMBOLVER[3] = GEN.TSYMVER[3];
    SAVETURN();
    f = get("LIGA/TEAM3.END");
    const std::string pic = get("LIGA/TEAM3.PCX");
    EXPECT_EQ(word(f, 1009), static_cast<std::int16_t>(pic.size()));
    EXPECT_EQ(f.substr(1011), pic);
}

TEST_F(Turn, CupDayWritesTwoFilesOrStopsAtALineUpSlotWithoutPlayer) {
    POKALTAG = SPIELTAG();
    POKALNAME = "CUPX";
    TEAM.ERFOLGE = 1;
    TEAM.IMTEAM[1] = 6;
    SAVETURN();
    EXPECT_EQ(TEAM.POKALFLAG, 1);
    EXPECT_EQ(TRNNAME, "CUPX.TRN");
    EXPECT_TRUE(fs::exists(root / "LIGA/TEAM3.TRN"));
    const std::string f = get("LIGA/CUPX.TRN");
    head(f);
    const std::size_t pos = 1009 + 2 + get("LIGA/TEAM3.PCX").size() + 41;
    ASSERT_EQ(f.size(), pos + 5 * 61);
    for (int j = 1; j <= 5; ++j) {
        const PLAYERREC p = playerat(f, pos + (j - 1) * 61);
        EXPECT_EQ(p.TEAM, TEAM.PLAYERS[TEAM.IMTEAM[j]]);
        EXPECT_EQ(p.PRUEF, PLAYERPRUEF(p));
    }
    EXPECT_EQ(PLAYER[6].TEAM, 3);
    POKALNAME.clear();
    BELEGT[TEAM.IMTEAM[4]] = false;
    fatal(99, "PokalTRN: Playernumber");
    EXPECT_FALSE(fs::exists(root / "LIGA/POKAL3.TRN"));
    TEAM.IMTEAM[4] = 0;  // slot 0 is no slot either
    BELEGT[TEAM.IMTEAM[4]] = true;
    EXPECT_THROW(SAVETURN(), FatalError);
}

TEST_F(Turn, FailedWriteLeavesNoTurnFileUnderItsName) {
    fs::create_directories(root / "LIGA/TEAM3.TRN/x");
    EXPECT_THROW(SAVETURN(), FatalError);
    EXPECT_TRUE(fs::is_directory(root / "LIGA/TEAM3.TRN"));
    for (auto& e : fs::directory_iterator(root / "LIGA")) EXPECT_EQ(e.path().filename().string().find("TRN."), std::string::npos);
}

TEST_F(Turn, TeamRecordCarriesOnlyTheLastComponentOfTheGameDirectory) {
    fs::create_directories(root / "deep" / "LIGA");
    fs::copy(root / "LIGA", root / "deep" / "LIGA");
    GAMEDIR = (root / "deep" / "LIGA").string() + "/";
    FMSG = GAMEDIR + "TEAM3.TXT";
    SAVETURN();
    const std::string f = get("deep/LIGA/TEAM3.TRN");
    ASSERT_EQ(f.size(), 1009u);
    EXPECT_EQ(teamat(f).GAMEDIR.str(), "LIGA");
    GAMEDIR = ".\\";
    FMSG = ".\\TEAM3.TXT";
    std::ofstream(root / "TEAM3.TXT").put('\n');
    SAVETURN();
    EXPECT_EQ(teamat(get("TEAM3.TRN")).GAMEDIR.str(), ".");
}

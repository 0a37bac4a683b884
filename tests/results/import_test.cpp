// The result import: containers written by the league generator are split into
// exactly the files the generator writes directly, and damaged containers change
// nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <map>

#include "common/headless_screen.h"
#include "data/fixture.h"
#include "platform/process.h"
#include "results/showrst.h"
#include "ui/frames.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {


std::int32_t entry(const std::string& c, int k) {
    std::int32_t v;
    std::memcpy(&v, c.data() + 14 + 4 * k, 4);
    return v;
}
void setentry(std::string& c, int k, std::int32_t v) { std::memcpy(c.data() + 14 + 4 * k, &v, 4); }
// Offset of the player section: after the header and the pictures.
std::size_t playerpos(const std::string& c) {
    std::size_t pos = 134;
    for (int i = 10; i < 20; ++i) pos += entry(c, i);
    return pos;
}

class Import : public datatest::DataDir {
protected:
    void SetUp() override {
        DataDir::SetUp();
        RSTNAME.clear();
        NUMMERWAHL = 0;
        NEWRST = false;
        ::unsetenv("CHECK");
    }
    void TearDown() override {
        RSTNAME.clear();
        DataDir::TearDown();
    }
    std::map<std::string, std::string> snapshot(const fs::path& dir) {
        std::map<std::string, std::string> m;
        for (auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file()) m[fs::relative(e.path(), dir).string()] = get(e.path());
        return m;
    }
    // A generated league: the files as the generator writes them in "direct", and
    // its container TEAM<team>.RST in the program directory.
    void league(int team, int day) {
        for (bool rst : {false, true}) {
            PROCESSRUN run;
            run.program = std::string(KORAX_DIST_DIR) + "/mkgame";
            run.args = {"--seed", "3", "--team", std::to_string(team), "--day", std::to_string(day), "--dir", "LIGA"};
            if (rst) run.args.insert(run.args.end(), {"--form", "rst"});
            run.args.push_back((rst ? root : root / "direct").string());
            ASSERT_EQ(RUNANDWAIT(run), 0);
        }
        fs::create_directory(root / "LIGA");
    }
    fs::path container(int team) { return root / ("TEAM" + std::to_string(team) + ".RST"); }
    // Imports the named container: the fatal error number, or 0.
    int fatal(int team) {
        RSTNAME = container(team).filename().string();
        const std::string f = datatest::fatal([] { SHOWRST(); });
        return f.empty() ? 0 : std::stoi(f);
    }
};

}  // namespace

TEST(ContainerName, TeamNumberFromTheName) {
    const std::pair<const char*, int> names[] = {
        {"TEAM10.RST", 10}, {"LIGA\\TEAM7.RST", 7}, {"TEAM11.RST", 0}, {"TEAM0.RST", 0}, {"LIGA\\TEAM*.RST", 0}, {".RST", 0}};
    for (const auto& [name, nr] : names) EXPECT_EQ(RSTTEAMNUMBER(name), nr) << name;
}

TEST_F(Import, NamedContainerGivesTheGeneratorsFilesByteForByte) {
    league(10, 5);
    ASSERT_EQ(fatal(10), 0);
    EXPECT_TRUE(NEWRST);
    EXPECT_EQ(std::to_string(NUMMER) + " " + GAMEDIR + " " + FMSG, "10 LIGA\\ LIGA\\TEAM10.TXT");
    EXPECT_FALSE(fs::exists(container(10)));
    auto direct = snapshot(root / "direct"), got = snapshot(root / "LIGA");
    std::set<std::string> expected = {"PLAYER10.DAT", "TEAM10.DAT", "GEN10.DAT", "GAME10.DAT", "GAME10.5",
                                      "QUICK10.DAT",  "QUICK10.5",  "TEAM10.HI", "MSG10.DAT",  "TEAM10.TXT"};
    for (int i = 1; i <= 10; ++i) expected.insert("TEAM" + std::to_string(i) + ".PCX");
    for (char k = 'B'; k <= 'E'; ++k) expected.insert(std::string("GAME10.5") + k);  // further matches
    std::set<std::string> names;
    for (auto& [name, bytes] : got) names.insert(name);
    EXPECT_EQ(names, expected);
    for (const auto& name : expected) EXPECT_EQ(got[name], direct[name]) << name;
    EXPECT_EQ(got["TEAM10.TXT"], "");
    EXPECT_EQ(SPIELTAG(), 5);
}

// The own team's start count is reset and its symbol versions follow the league's.
TEST_F(Import, TheTeamRecordIsPreparedForTheNewTurn) {
    league(3, 2);
    std::string c = get(container(3));
    const std::size_t team = playerpos(c) + entry(c, 0) + 2 * sizeof(TEAMREC);
    TEAMREC rec;
    std::memcpy(&rec, c.data() + team, sizeof rec);
    const std::string before(reinterpret_cast<const char*>(&rec), sizeof rec);
    rec.TRAINING.KXANZAHL = 7, rec.TRAINING.KXGESAMT = 1234, rec.SYMBOLVER[4] = 9;
    std::memcpy(c.data() + team, &rec, sizeof rec);
    int delta = 0;  // keeps the check value right
    for (std::size_t i = 0; i < sizeof rec; ++i)
        delta += static_cast<unsigned char>(c[team + i]) - static_cast<unsigned char>(before[i]);
    setentry(c, 9, (entry(c, 9) - 6 + delta % 256 + 512) % 256 + 6);
    put(container(3), c);
    ASSERT_EQ(fatal(3), 0);
    TEAMREC out;
    std::memcpy(&out, get(root / "LIGA" / "TEAM3.DAT").data() + 2 * sizeof out, sizeof out);
    EXPECT_EQ(std::to_string(out.TRAINING.KXANZAHL) + " " + std::to_string(out.TRAINING.KXGESAMT), "1 0");
    EXPECT_EQ(out.SYMBOLVER[4], GEN.TSYMVER[4]);
}

TEST_F(Import, BrokenContainersAreRefusedBeforeAnythingIsWritten) {
    league(2, 4);
    put(root / "LIGA" / "TEAM2.DAT", "previous turn");
    put(root / "LIGA" / "TEAM2.TXT", "my message");
    const std::string good = get(container(2));
    const struct { const char* what; int nr; std::function<void(std::string&)> spoil; bool ignore = false; } cases[] = {
        {"wrong check value", 99, [](std::string& c) { c[playerpos(c) + 10] ^= 0x01; }},
        {"wrong check value, ignore mode", 99, [](std::string& c) { setentry(c, 9, entry(c, 9) == 6 ? 7 : 6); }, true},
        {"cut in the general section", 2, [](std::string& c) { c.resize(playerpos(c) + entry(c, 0) + entry(c, 1) + 100); }},
        {"cut header", 1, [](std::string& c) { c.resize(60); }},
        {"negative player length", 2, [](std::string& c) { setentry(c, 0, -5); }},
        {"section longer than the buffer", 2, [](std::string& c) { setentry(c, 0, 12001); }},
        {"general record of another size", 99, [](std::string& c) { setentry(c, 2, 6634); }},
        {"mask bit 6", 10, [](std::string& c) { setentry(c, 6, entry(c, 6) | 64); }},
        {"message size 0 with bytes left", 2, [](std::string& c) { setentry(c, 4, 0); }},
        {"history longer than the file", 2, [](std::string& c) { setentry(c, 5, 100000000); }},
        {"picture longer than the file", 2, [](std::string& c) { setentry(c, 10, 0x7FFFFFFF); }},
        {"wrong version", 6, [](std::string& c) { c[0] = 2; }},
        {"directory name with a path", 99, [](std::string& c) { std::memcpy(c.data() + 1, "\x05..\\XX", 6); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        std::string c = good;
        k.spoil(c);
        put(container(2), c);
        const auto before = snapshot(root);
        IGNORMODE = k.ignore;
        EXPECT_EQ(fatal(2), k.nr);
        EXPECT_EQ(snapshot(root), before);
        GAMEDIR = ".\\";
    }
}

TEST_F(Import, InterruptedImportIsRepeatedToTheSameResult) {
    league(6, 7);
    // The message file cannot be put in place: the import stops half-way.
    fs::create_directories(root / "LIGA" / "MSG6.DAT" / "x");
    EXPECT_NE(fatal(6), 0);
    EXPECT_TRUE(fs::exists(container(6)));
    for (auto& e : fs::directory_iterator(root / "LIGA")) EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
    fs::remove_all(root / "LIGA" / "MSG6.DAT");
    GAMEDIR = ".\\";
    ASSERT_EQ(fatal(6), 0);
    auto direct = snapshot(root / "direct");
    for (auto& [name, bytes] : snapshot(root / "LIGA")) EXPECT_EQ(bytes, direct[name]) << name;
    EXPECT_FALSE(fs::exists(container(6)));
}

TEST_F(Import, PassThroughFileIsMovedIntoItsGameDirectory) {
    fs::create_directory(root / "LIGA");
    const std::string f = char(101) + std::string("\x04LIGA") + std::string(8, '\0') + "cup result bytes";
    put(root / "TEAM3.RST", f);
    EXPECT_EQ(fatal(3), 0);
    EXPECT_FALSE(NEWRST);
    EXPECT_EQ(get(root / "LIGA" / "TEAM3.RST"), f);
    EXPECT_FALSE(fs::exists(root / "TEAM3.RST"));
}

// The first result of a season clears the old season's match files and general
// files of other teams; with each match file goes its replay of the same name,
// but not the replay the result brings.
TEST_F(Import, NewSeasonRemovesOldMatchAndGeneralFilesOnly) {
    league(5, 0);
    const struct { const char* name; bool stays; } files[] = {
        {"GAME5.3", false},  {"GAME5.3B", false}, {"GAME.TMP", false}, {"GEN2.DAT", false},
        {"QUICK5.3", false}, {"GAME5.P1", false}, {"QUICK5.P1", false}, {"quick5.12", false},
        {"GAME5.12", false}, {"QUICK5.P2", true}, {"QUICKIES.TXT", true}, {"GAMES.INI", true}, {"GEN.DAT", true}};
    for (const auto& f : files) put(root / "LIGA" / f.name, "old");
    put(root / "LIGA" / "GAME5.DAT", "old");
    RSTCONTAINER c;
    PARSECONTAINER(get(container(5)), 5, "TEAM5.RST", c);
    c.quick = "new quick";
    GAMEDIR = "LIGA\\";
    NUMMER = 5;
    NUMMERSTR = "5";
    WRITECONTAINER(c, 5);
    for (const auto& f : files) EXPECT_EQ(fs::exists(root / "LIGA" / f.name), f.stays) << f.name;
    EXPECT_EQ(get(root / "LIGA" / "QUICK5.DAT"), "new quick");
    EXPECT_TRUE(fs::exists(root / "LIGA" / "GEN5.DAT"));
}

// A team given with a container waiting in the game directory: imported. Without
// one the team is asked, its answer field just after the prompt as drawn.
TEST_F(Import, ContainerInTheGameDirectoryOrTheTeamAsked) {
    league(8, 2);
    fs::rename(container(8), root / "LIGA" / "TEAM8.RST");
    GAMEDIR = "LIGA\\";
    NUMMERWAHL = 8;
    SHOWRST();
    EXPECT_EQ(NUMMER, 8);
    EXPECT_FALSE(fs::exists(root / "LIGA" / "TEAM8.RST"));
    EXPECT_EQ(get(root / "LIGA" / "GEN8.DAT"), get(root / "direct" / "GEN8.DAT"));

    put(root / "LIGA" / "GEN3.DAT", "x");
    fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "MENU.CFG", root / "MENU.CFG");
    const auto oldl = L;
    L[412].set("Team #");
    L[413].set("Which team do you manage (0 = quit)");
    korax::testing::OPENHEADLESSSCREEN();
    korax::testing::RUNSCRIPT("text 3\nkey Enter\n", "team.kis");
    NUMMERWAHL = 0;
    SHOWRST();
    EXPECT_EQ(NUMMER, 3);
    // Columns of the question's row with yellow pixels: the prompt, then the
    // answer "3" as the last run of columns, shortly after the prompt's end.
    std::vector<int> cols;
    for (int px = 0; px <= EGETMAXX(); ++px)
        for (int dy = -7; dy <= 7; ++dy)
            if (EGETPIXEL(px, 207 + dy) == 14 && (cols.empty() || cols.back() != px)) cols.push_back(px);
    std::size_t start = cols.size() - 1;
    while (start > 0 && cols[start] - cols[start - 1] == 1) --start;
    ASSERT_GT(start, 0u);
    EXPECT_TRUE(cols[start] - cols[start - 1] >= 2 && cols[start] - cols[start - 1] <= 16) << cols[start] - cols[start - 1];
    korax::testing::CLOSEHEADLESSSCREEN();
    L = oldl;
}

// The program directory the build assembles: every picture and icon the screens
// name, the demonstration game, and the generator's result containers.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <array>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "common/client_run.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "graph/winpcx.h"
#include "platform/process.h"
#include "results/rsz.h"

using namespace korax;

namespace {

const std::string DIST = KORAX_DIST_DIR;

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// A scratch directory that is gone when the test ends.
struct Scratch {
    std::string path;
    Scratch() {
        char tmpl[] = "/tmp/korax-assets-XXXXXX";
        path = ::mkdtemp(tmpl);
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    operator const std::string&() const { return path; }
};

int mkgame(const std::vector<std::string>& args) {
    PROCESSRUN run;
    run.program = DIST + "/mkgame";
    run.args = args;
    return RUNANDWAIT(run);
}

const unsigned char FIXED[20][3] = {{0, 0, 0},     {0, 0, 128},   {0, 128, 0},     {0, 128, 128}, {128, 0, 0},
                                    {128, 0, 128}, {128, 128, 0}, {128, 128, 128}, {64, 64, 64},  {0, 0, 255},
                                    {0, 255, 0},   {0, 255, 255}, {255, 0, 0},     {255, 0, 255}, {255, 255, 0},
                                    {255, 255, 255}, {176, 176, 0}, {0, 176, 176}, {0, 208, 208}, {187, 17, 187}};

}  // namespace

TEST(ProgramDirectory, EveryPictureDecodesWithinItsLimitsAndKeepsTheFixedColours) {
    std::vector<std::string> names = {"palette!.pcx", "text.pcx", "trikot.pcx", "flag.pcx", "geier.pcx",
                                      "stadi.pcx",    "bank.pcx", "altar.pcx",  "TEAM0.PCX"};
    for (const char* s : {"bu-u", "bu-d", "bu-l", "bu-r", "bu_l", "bu_r", "ih", "ib", "is", "im", "ie"})
        names.push_back(std::string(s) + ".pcx");
    for (int i = 0; i <= 9; ++i) names.push_back("wolke" + std::to_string(i) + ".pcx");
    for (int i = 0; i <= 4; ++i) names.push_back("house" + std::to_string(i) + ".pcx"), names.push_back("food" + std::to_string(i) + ".pcx");
    for (int i = -4; i <= 4; ++i) names.push_back("smiley" + std::to_string(i) + ".pcx");
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        const std::string bytes = slurp(DIST + "/" + name);
        ASSERT_FALSE(bytes.empty());
        PCXPICTURE pic;
        ASSERT_TRUE(DECODEPCX(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), pic));
        EXPECT_LE(pic.WIDTH * pic.DEPTH, 64000);
        for (int i = 0; i < 20; ++i)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(pic.PALETTE[i * 3 + k], FIXED[i][k]) << "entry " << i;
    }
    // The turn carries at most 12000 bytes of the fallback emblem.
    EXPECT_LE(slurp(DIST + "/TEAM0.PCX").size(), 12000u);
}

TEST(ProgramDirectory, TheShirtFillsStopAtColour15) {
    const std::string bytes = slurp(DIST + "/trikot.pcx");
    PCXPICTURE pic;
    ASSERT_TRUE(DECODEPCX(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), pic));
    auto at = [&](int x, int y) { return pic.SCR[std::size_t(y) * pic.WIDTH + x]; };
    EXPECT_NE(at(30, 24), 15);
    EXPECT_NE(at(10, 14), 15);
    EXPECT_EQ(at(0, 0), 15);
    EXPECT_EQ(at(pic.WIDTH - 1, pic.DEPTH - 1), 15);
}

TEST(ProgramDirectory, EveryIconIsOneBlockAndReadsBack) {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(::chdir(DIST.c_str()), 0);
    std::vector<std::string> names = {"hugo1", "hugo2", "pendant"};
    for (char r : std::string("hbsme"))
        for (int v = 1; v <= 4; ++v) names.push_back(std::string("i") + r + std::to_string(v));
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        ICONREC icon;
        EXPECT_TRUE(READICONTOL(name, icon));
        struct stat st;
        ASSERT_EQ(::stat((name + ".RAW").c_str(), &st), 0);
        EXPECT_EQ(st.st_size, 1024);
        // Recolouring targets never appear in artwork.
        if (name[0] == 'i') {
            for (auto& row : icon.P)
                for (auto c : row) EXPECT_TRUE(c != 3 && c != 251 && c != 253);
        }
    }
    ASSERT_EQ(::chdir(cwd), 0);
}

TEST(ProgramDirectory, TextFilesAreInstalled) {
    for (const char* name : {"NOTION.CFG", "POST.TXT", "post.org", "GAMES.INI"}) EXPECT_TRUE(exists(DIST + "/" + name)) << name;
    std::istringstream notion(slurp(DIST + "/NOTION.CFG"));
    std::string line;
    int count = 0;
    while (std::getline(notion, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        EXPECT_LE(line.size(), 20u);
        ++count;
    }
    EXPECT_EQ(count, 20);
}

TEST(DemoGame, RecordsHaveTheirSizesAndValidCheckValues) {
    const std::string dir = DIST + "/DEMO/";
    const std::string team = slurp(dir + "TEAM1.DAT"), player = slurp(dir + "PLAYER1.DAT"), gen = slurp(dir + "GEN1.DAT");
    ASSERT_EQ(team.size(), 10 * sizeof(TEAMREC));
    ASSERT_EQ(gen.size(), sizeof(GENTYPE));
    ASSERT_EQ(player.size() % sizeof(PLAYERREC), 0u);
    const int nplayers = int(player.size() / sizeof(PLAYERREC));
    for (int p = 0; p < nplayers; ++p) {
        PLAYERREC r;
        std::memcpy(&r, player.data() + p * sizeof r, sizeof r);
        EXPECT_EQ(r.PRUEF, PLAYERPRUEF(r)) << "player " << p + 1;
        EXPECT_TRUE(r.RACE >= 1 && r.RACE <= 10);
        EXPECT_LE(r.NAME.len, 8);
    }
    GENTYPE g;
    std::memcpy(&g, gen.data(), sizeof g);
    for (int t = 1; t <= 10; ++t) {
        TEAMREC r;
        std::memcpy(&r, team.data() + (t - 1) * sizeof r, sizeof r);
        SCOPED_TRACE(t);
        for (int s = 1; s <= 10; ++s) EXPECT_TRUE(r.PLAYERS[s] >= 1 && r.PLAYERS[s] <= nplayers);
        for (int k = 1; k <= 5; ++k) EXPECT_TRUE(TESTPOSI(r, k, r.TAKTIK[k].NORMALX, r.TAKTIK[k].NORMALY));
        EXPECT_NE(r.FARBE1, r.FARBE2);
        EXPECT_TRUE(r.FARBE1 >= 1 && r.FARBE1 <= 16 && r.FARBE2 >= 1 && r.FARBE2 <= 16);
        int training = r.TRAINING.TECHNIK + r.TRAINING.TAKTIK + r.TRAINING.KRAFT + r.TRAINING.SCHUSS + r.TRAINING.AUSDAUER;
        EXPECT_LE(training, r.TRAINING.POINTS);
    }
    for (int i = 1; i <= 10; ++i) {
        EXPECT_GT(g.SKLAVEN[i], 100);
        EXPECT_LE(g.SKLAVEN[i], nplayers);
    }
}

TEST(DemoGame, TableAgreesWithTheResults) {
    const std::string gen = slurp(DIST + "/DEMO/GEN1.DAT");
    ASSERT_EQ(gen.size(), sizeof GEN);
    std::memcpy(&GEN, gen.data(), sizeof GEN);
    const GENTYPE& g = GEN;
    const int day = g.HINRUNDE == 1 ? g.TURN : g.TURN + 9;
    ASSERT_EQ(day, 3);
    std::map<int, std::array<int, 4>> expect;  // won, drawn, lost, goal difference
    for (int d = 1; d <= 18; ++d) {
        std::set<int> seen;
        for (int k = 1; k <= 5; ++k) {
            SPIELPLANTYPE f;
            ASSERT_TRUE(PAARUNG(d, k, f));
            EXPECT_TRUE(seen.insert(f.HEIM).second && seen.insert(f.GAST).second) << "day " << d;
            if (d > day) continue;
            auto& h = expect[f.HEIM];
            auto& a = expect[f.GAST];
            h[3] += f.HWERT - f.GWERT, a[3] += f.GWERT - f.HWERT;
            if (f.HWERT > f.GWERT) ++h[0], ++a[2];
            else if (f.HWERT < f.GWERT) ++a[0], ++h[2];
            else ++h[1], ++a[1];
        }
        EXPECT_EQ(seen.size(), 10u);
    }
    int lastpoints = 1 << 30;
    for (int row = 1; row <= 10; ++row) {
        const TABELLENTYPE& r = g.TABELLE[row];
        auto e = expect[r.TEAM];
        EXPECT_EQ(r.GEWONNEN, e[0]);
        EXPECT_EQ(r.UNENTSCHIEDEN, e[1]);
        EXPECT_EQ(r.VERLOREN, e[2]);
        EXPECT_EQ(r.TORDIFF, e[3]);
        int points = r.GEWONNEN * 3 + r.UNENTSCHIEDEN;
        EXPECT_LE(points, lastpoints);
        lastpoints = points;
    }
}

TEST(Generator, SameSeedSameBytesOtherSeedOtherLeague) {
    const Scratch sa, sb, sc;
    const std::string &a = sa, &b = sb, &c = sc;
    ASSERT_EQ(mkgame({"--seed", "5", "--team", "4", "--day", "12", a}), 0);
    ASSERT_EQ(mkgame({"--seed", "5", "--team", "4", "--day", "12", b}), 0);
    ASSERT_EQ(mkgame({"--seed", "6", "--team", "4", "--day", "12", c}), 0);
    for (const char* f : {"/PLAYER4.DAT", "/TEAM4.DAT", "/GEN4.DAT", "/MSG4.DAT", "/TEAM4.HI", "/GAME4.12"})
        EXPECT_EQ(slurp(a + f), slurp(b + f)) << f;
    EXPECT_NE(slurp(a + "/PLAYER4.DAT"), slurp(c + "/PLAYER4.DAT"));
    EXPECT_EQ(slurp(a + "/GAME4.12").size(), 2430u);
    EXPECT_EQ(mkgame({"--team", "11", a}), 1);
    EXPECT_EQ(mkgame({"--form", "zip", a}), 2);
}

TEST(Generator, ContainerCarriesTheDirectFilesAndItsCheckValue) {
    const Scratch sdir, srst;
    const std::string &dir = sdir, &rst = srst;
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "10", "--day", "5", "--dir", "LIGA", dir}), 0);
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "10", "--day", "5", "--dir", "LIGA", "--form", "rst", rst}), 0);
    const std::string c = slurp(rst + "/TEAM10.RST");
    ASSERT_GT(c.size(), 134u);
    EXPECT_EQ(c[0], 1);
    EXPECT_EQ(c.substr(1, 5), std::string("\x04LIGA"));
    auto entry = [&](int k) {
        std::int32_t v;
        std::memcpy(&v, c.data() + 14 + 4 * k, 4);
        return v;
    };
    EXPECT_EQ(entry(2), 6635);
    EXPECT_EQ(entry(4), 1215);
    std::size_t pos = 134;
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(c.substr(pos, entry(9 + i)), slurp(dir + "/TEAM" + std::to_string(i) + ".PCX"));
        pos += entry(9 + i);
    }
    // Everything after the pictures counts, the general record's first two bytes twice.
    unsigned sum = 10;
    for (std::size_t i = pos; i < c.size(); ++i) sum += static_cast<unsigned char>(c[i]);
    sum += static_cast<unsigned char>(c[pos + entry(0) + entry(1)]) + static_cast<unsigned char>(c[pos + entry(0) + entry(1) + 1]);
    EXPECT_EQ(entry(9), int(sum % 256) + 6);
    EXPECT_EQ(c.substr(pos, entry(0)), slurp(dir + "/PLAYER10.DAT"));
    pos += entry(0);
    EXPECT_EQ(c.substr(pos, entry(1)), slurp(dir + "/TEAM10.DAT"));
    pos += entry(1);
    EXPECT_EQ(c.substr(pos, entry(2)), slurp(dir + "/GEN10.DAT"));
    pos += entry(2);
    EXPECT_EQ(c.substr(pos, entry(3)), slurp(dir + "/GAME10.5"));
    // Four further matches: every pairing but the own one.
    EXPECT_EQ(__builtin_popcount(entry(6)), 4);
    EXPECT_EQ(entry(6) & 1, 0);
    EXPECT_EQ(slurp(dir + "/MSG10.DAT"), c.substr(c.size() - 3 * 1215));
}

TEST(DemoGame, TheClientStartsOnItAndReachesTheMainMenu) {
    client::ProgramDir p;
    p.demo();
    const std::string shot = (p.root / "menu.png").string();
    // The script runs out once the menu waits for the trainer.
    EXPECT_EQ(p.run({"korax", "DEMO"}, "shot " + shot + "\n"), 125) << p.log();
    EXPECT_GT(slurp(shot).size(), 1000u);
    // Started with the game directory, nothing is imported and no turn is written yet.
    EXPECT_FALSE(exists(p.prog / "DEMO/TEAM1.TRN"));
}

TEST(Generator, ProtectedArchiveCarriesTheContainer) {
    const Scratch sdir;
    const std::string& dir = sdir;
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "2", "--day", "5", "--dir", "LIGA", "--form", "rst", dir}), 0);
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "2", "--day", "5", "--dir", "LIGA", "--form", "rsz", "--password", "geheim", dir}), 0);
    const std::string archive = slurp(dir + "/LIGA.RSZ");
    ASSERT_GT(archive.size(), 23u);
    EXPECT_EQ(archive.substr(1, 5), std::string("\x04LIGA"));
    std::filesystem::create_directory(dir + "/out");
    EXPECT_NE(RSZUNPACKBYTES(archive, dir + "/out", "falsch").status, RSZSTATUS::OK);
    EXPECT_FALSE(exists(dir + "/out/TEAM2.RST"));
    ASSERT_TRUE(RSZUNPACKBYTES(archive, dir + "/out", "geheim").ok());
    EXPECT_EQ(slurp(dir + "/out/TEAM2.RST"), slurp(dir + "/TEAM2.RST"));
}

TEST(Generator, TrainingFitsItsPointsAndTheLeagueHasRelegationPlaces) {
    const Scratch sdir;
    const std::string& dir = sdir;
    ASSERT_EQ(mkgame({"--seed", "3", "--team", "5", "--day", "4", dir}), 0);
    const std::string teams = slurp(dir + "/TEAM5.DAT");
    ASSERT_EQ(teams.size(), 10 * sizeof(TEAMREC));
    for (int t = 0; t < 10; ++t) {
        TEAMREC r;
        std::memcpy(&r, teams.data() + t * sizeof(TEAMREC), sizeof r);
        const auto& tr = r.TRAINING;
        EXPECT_LE(tr.TECHNIK + tr.TAKTIK + tr.KRAFT + tr.SCHUSS + tr.AUSDAUER + tr.INTERVALL, tr.POINTS) << "team " << t + 1;
    }
    const std::string gen = slurp(dir + "/GEN5.DAT");
    ASSERT_EQ(gen.size(), sizeof(GENTYPE));
    GENTYPE g;
    std::memcpy(&g, gen.data(), sizeof g);
    EXPECT_GT(g.ABSTIEG, 0);
}

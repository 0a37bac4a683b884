// The program directory the build assembles: every picture and icon the screens
// name, the demonstration game, and the generator's result containers.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <sstream>

#include "common/client_run.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "graph/winpcx.h"
#include "results/rsz.h"

using namespace korax;
using korax::client::slurp;
namespace fs = std::filesystem;

namespace {

const fs::path DIST = KORAX_DIST_DIR;

// A scratch directory that is gone when the test ends.
struct Scratch {
    std::string tmpl = (fs::temp_directory_path() / "korax-assets-XXXXXX").string();
    fs::path path = ::mkdtemp(tmpl.data());
    ~Scratch() { std::error_code ec; fs::remove_all(path, ec); }
};

int mkgame(std::vector<std::string> args, const fs::path& target) {
    PROCESSRUN run;
    run.program = (DIST / "mkgame").string();
    args.push_back(target.string());
    run.args = args;
    return RUNANDWAIT(run);
}

template <typename R>
R record(const std::string& file, int n) {
    R r;
    std::memcpy(&r, file.data() + (n - 1) * sizeof r, sizeof r);
    return r;
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
        const std::string bytes = slurp(DIST / name);
        PCXPICTURE pic;
        ASSERT_TRUE(DECODEPCX(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), pic));
        EXPECT_LE(pic.WIDTH * pic.DEPTH, 64000);
        for (int i = 0; i < 20; ++i)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(pic.PALETTE[i * 3 + k], FIXED[i][k]) << "entry " << i;
        if (name != "trikot.pcx") continue;
        // The shirt's fills stop at colour 15.
        auto at = [&](int x, int y) { return pic.SCR[std::size_t(y) * pic.WIDTH + x] == 15; };
        EXPECT_TRUE(!at(30, 24) && !at(10, 14) && at(0, 0) && at(pic.WIDTH - 1, pic.DEPTH - 1));
    }
    // The turn carries at most 12000 bytes of the fallback emblem.
    EXPECT_LE(slurp(DIST / "TEAM0.PCX").size(), 12000u);
}

TEST(ProgramDirectory, EveryIconIsOneBlockAndTheTextFilesAreInstalled) {
    const fs::path cwd = fs::current_path();
    fs::current_path(DIST);
    std::vector<std::string> names = {"hugo1", "hugo2", "pendant"};
    for (char r : std::string("hbsme"))
        for (int v = 1; v <= 4; ++v) names.push_back(std::string("i") + r + std::to_string(v));
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        ICONREC icon;
        EXPECT_TRUE(READICONTOL(name, icon));
        EXPECT_EQ(fs::file_size(name + ".RAW"), 1024u);
        // Recolouring targets never appear in artwork.
        for (auto& row : icon.P)
            for (auto c : row) EXPECT_TRUE(name[0] != 'i' || (c != 3 && c != 251 && c != 253));
    }
    fs::current_path(cwd);
    for (const char* name : {"NOTION.CFG", "POST.TXT", "post.org", "GAMES.INI"}) EXPECT_TRUE(fs::exists(DIST / name)) << name;
    std::istringstream notion(slurp(DIST / "NOTION.CFG"));
    int count = 0;
    for (std::string line; std::getline(notion, line); ++count) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        EXPECT_LE(line.size(), 20u);
    }
    EXPECT_EQ(count, 20);
}

TEST(DemoGame, RecordsHaveTheirSizesAndValidCheckValuesAndTheTableAgreesWithTheResults) {
    const std::string team = slurp(DIST / "DEMO/TEAM1.DAT"), player = slurp(DIST / "DEMO/PLAYER1.DAT"),
                      gen = slurp(DIST / "DEMO/GEN1.DAT");
    ASSERT_EQ(team.size(), 10 * sizeof(TEAMREC));
    ASSERT_EQ(gen.size(), sizeof(GENTYPE));
    ASSERT_EQ(player.size() % sizeof(PLAYERREC), 0u);
    const int nplayers = int(player.size() / sizeof(PLAYERREC));
    for (int p = 1; p <= nplayers; ++p) {
        const PLAYERREC r = record<PLAYERREC>(player, p);
        EXPECT_TRUE(r.PRUEF == PLAYERPRUEF(r) && r.RACE >= 1 && r.RACE <= 10 && r.NAME.len <= 8) << "player " << p;
    }
    for (int t = 1; t <= 10; ++t) {
        SCOPED_TRACE(t);
        const TEAMREC r = record<TEAMREC>(team, t);
        for (int s = 1; s <= 10; ++s) EXPECT_TRUE(r.PLAYERS[s] >= 1 && r.PLAYERS[s] <= nplayers);
        for (int k = 1; k <= 5; ++k) EXPECT_TRUE(TESTPOSI(r, k, r.TAKTIK[k].NORMALX, r.TAKTIK[k].NORMALY));
        EXPECT_TRUE(r.FARBE1 != r.FARBE2 && r.FARBE1 >= 1 && r.FARBE1 <= 16 && r.FARBE2 >= 1 && r.FARBE2 <= 16);
    }
    GEN = record<GENTYPE>(gen, 1);
    for (int i = 1; i <= 10; ++i) EXPECT_TRUE(GEN.SKLAVEN[i] > 100 && GEN.SKLAVEN[i] <= nplayers) << i;
    const int day = GEN.HINRUNDE == 1 ? GEN.TURN : GEN.TURN + 9;
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
        const TABELLENTYPE& r = GEN.TABELLE[row];
        EXPECT_EQ((std::array<int, 4>{r.GEWONNEN, r.UNENTSCHIEDEN, r.VERLOREN, r.TORDIFF}), expect[r.TEAM]) << row;
        const int points = r.GEWONNEN * 3 + r.UNENTSCHIEDEN;
        EXPECT_LE(points, lastpoints);
        lastpoints = points;
    }
}

TEST(DemoGame, TheClientStartsOnItAndReachesTheMainMenu) {
    client::ProgramDir p;
    p.demo();
    const std::string shot = (p.root / "menu.png").string();
    // The script runs out once the menu waits for the trainer.
    EXPECT_EQ(p.run({"korax", "DEMO"}, "shot " + shot + "\n"), 125) << p.log();
    EXPECT_GT(slurp(shot).size(), 1000u);
    // Started with the game directory, nothing is imported and no turn is written yet.
    EXPECT_FALSE(fs::exists(p.prog / "DEMO/TEAM1.TRN"));
}

TEST(Generator, SameSeedSameBytesOtherSeedOtherLeagueAndTrainingWithinItsPoints) {
    const Scratch a, b, c;
    for (const auto& [seed, dir] : {std::pair{"5", &a.path}, {"5", &b.path}, {"6", &c.path}})
        ASSERT_EQ(mkgame({"--seed", seed, "--team", "4", "--day", "12"}, *dir), 0);
    for (const char* f : {"PLAYER4.DAT", "TEAM4.DAT", "GEN4.DAT", "MSG4.DAT", "TEAM4.HI", "GAME4.12"})
        EXPECT_EQ(slurp(a.path / f), slurp(b.path / f)) << f;
    EXPECT_NE(slurp(a.path / "PLAYER4.DAT"), slurp(c.path / "PLAYER4.DAT"));
    EXPECT_EQ(slurp(a.path / "GAME4.12").size(), 2430u);
    EXPECT_EQ(std::pair(mkgame({"--team", "11"}, a.path), mkgame({"--form", "zip"}, a.path)), std::pair(1, 2));
    ASSERT_EQ(mkgame({"--seed", "3", "--team", "5", "--day", "4"}, c.path), 0);
    const std::string teams = slurp(c.path / "TEAM5.DAT");
    ASSERT_EQ(teams.size(), 10 * sizeof(TEAMREC));
    for (int t = 1; t <= 10; ++t) {
        const TEAMREC r = record<TEAMREC>(teams, t);
        const auto& tr = r.TRAINING;
        EXPECT_LE(tr.TECHNIK + tr.TAKTIK + tr.KRAFT + tr.SCHUSS + tr.AUSDAUER + tr.INTERVALL, tr.POINTS) << t;
    }
    const std::string gen = slurp(c.path / "GEN5.DAT");
    ASSERT_EQ(gen.size(), sizeof(GENTYPE));
    EXPECT_GT(record<GENTYPE>(gen, 1).ABSTIEG, 0);  // the league has relegation places
}

TEST(Generator, ContainerCarriesTheDirectFilesAndItsCheckValueAndTheArchiveItsPassword) {
    const Scratch sdir, srst;
    const fs::path &dir = sdir.path, &rst = srst.path;
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "10", "--day", "5", "--dir", "LIGA"}, dir), 0);
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "10", "--day", "5", "--dir", "LIGA", "--form", "rst"}, rst), 0);
    const std::string c = slurp(rst / "TEAM10.RST");
    ASSERT_GT(c.size(), 134u);
    EXPECT_EQ(c.substr(0, 6), std::string("\x01\x04LIGA"));
    auto entry = [&](int k) {
        std::int32_t v;
        std::memcpy(&v, c.data() + 14 + 4 * k, 4);
        return v;
    };
    EXPECT_EQ(std::pair(entry(2), entry(4)), std::pair(6635, 1215));
    std::size_t pos = 134;
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(c.substr(pos, entry(9 + i)), slurp(dir / ("TEAM" + std::to_string(i) + ".PCX")));
        pos += entry(9 + i);
    }
    // Everything after the pictures counts, the general record's first two bytes twice.
    unsigned sum = 10;
    for (std::size_t i = pos; i < c.size(); ++i) sum += static_cast<unsigned char>(c[i]);
    sum += static_cast<unsigned char>(c[pos + entry(0) + entry(1)]) + static_cast<unsigned char>(c[pos + entry(0) + entry(1) + 1]);
    EXPECT_EQ(entry(9), int(sum % 256) + 6);
    for (const auto& [k, file] : {std::pair{0, "PLAYER10.DAT"}, {1, "TEAM10.DAT"}, {2, "GEN10.DAT"}, {3, "GAME10.5"}}) {
        EXPECT_EQ(c.substr(pos, entry(k)), slurp(dir / file)) << file;
        pos += entry(k);
    }
    // Four further matches: every pairing but the own one.
    EXPECT_TRUE(__builtin_popcount(entry(6)) == 4 && (entry(6) & 1) == 0);
    EXPECT_EQ(slurp(dir / "MSG10.DAT"), c.substr(c.size() - 3 * 1215));
    // The protected archive carries the container.
    ASSERT_EQ(mkgame({"--seed", "9", "--team", "10", "--day", "5", "--dir", "LIGA", "--form", "rsz", "--password", "geheim"}, rst), 0);
    const std::string archive = slurp(rst / "LIGA.RSZ");
    ASSERT_GT(archive.size(), 23u);
    EXPECT_EQ(archive.substr(1, 5), std::string("\x04LIGA"));
    fs::create_directory(rst / "out");
    EXPECT_NE(RSZUNPACKBYTES(archive, (rst / "out").string(), "falsch").status, RSZSTATUS::OK);
    EXPECT_FALSE(fs::exists(rst / "out/TEAM10.RST"));
    ASSERT_TRUE(RSZUNPACKBYTES(archive, (rst / "out").string(), "geheim").ok());
    EXPECT_EQ(slurp(rst / "out/TEAM10.RST"), c);
}

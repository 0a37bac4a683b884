// The cup result file: a generated result is taken apart and put together again
// with one change, and applied to a generated league in the game directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "base/state.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "platform/process.h"
#include "results/pokal.h"
#include "results/showrst.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
void spit(const fs::path& p, const std::string& b) { std::ofstream(p, std::ios::binary) << b; }

template <typename R>
std::string raw(const R& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof(R));
}
std::string le16(std::int16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); }

// The bytes of a cup result; its check value is the sum of its parts unless `check` is given.
std::string build(const POKALRST& r, std::optional<std::uint16_t> check = std::nullopt) {
    std::string out(1, static_cast<char>(r.version));
    out += raw(STRING12::of(r.dirname));
    out += le16(static_cast<std::int16_t>(check ? *check : POKALSUM(r)));
    out += r.match + raw(r.team);
    for (const auto& p : r.players) out += raw(p);
    out += le16(static_cast<std::int16_t>(r.emblem1.size())) + r.emblem1;
    out += le16(static_cast<std::int16_t>(r.emblem2.size())) + r.emblem2;
    if (r.team.ERFOLG > 0) {
        std::string h(POKALHISLINE, '\0');
        h[0] = static_cast<char>(r.history.size());
        std::memcpy(h.data() + 1, r.history.data(), r.history.size());
        out += h;
    }
    for (const auto& m : r.messages) out += m;
    return out;
}

class CupResult : public ::testing::Test {
protected:
    fs::path root, oldcwd, liga;
    std::string generated;  // CUP3.RST as the generator wrote it
    POKALRST base;

    void SetUp() override {
        oldcwd = fs::current_path();
        std::string tmpl = (fs::temp_directory_path() / "korax-cup-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        liga = root / "LIGA";
        fs::create_directory(liga);
        PROCESSRUN run;
        run.program = std::string(KORAX_DIST_DIR) + "/mkgame";
        run.args = {"--seed", "3", "--team", "3", "--day", "4", "--dir", "LIGA", "--cup", liga.string()};
        ASSERT_EQ(RUNANDWAIT(run), 0);
        // Start without stored cup matches: each test plants the ones it needs.
        for (auto& e : fs::directory_iterator(liga)) {
            const std::string n = e.path().filename().string();
            if (n.rfind("GAME3.P", 0) == 0 || n.rfind("QUICK3.P", 0) == 0) fs::remove(e.path());
        }
        // The player icons the squad is read with.
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
            if (e.path().extension() == ".RAW" || e.path().extension() == ".raw") fs::copy(e.path(), root / e.path().filename());
        fs::current_path(root);
        KXPATH = root.string() + "/";
        GAMEDIR = "LIGA\\";
        NUMMER = 3;
        NUMMERSTR = "3";
        IGNORMODE = false;
        AUTOPLAY = true;
        LASTDAY = false;
        NEWRST = NEWPOKAL = false;
        OPENFILES(_PLAYER | _TEAM);
        READGEN();
        generated = slurp(liga / "CUP3.RST");
        PARSEPOKALRST(generated, "CUP3.RST", base);
        announce(5, "Round of 16");
    }
    void TearDown() override {
        CLOSEFILES(_PLAYER | _TEAM);
        CLOSEHIS();
        fs::current_path(oldcwd);
        std::error_code ec;
        fs::remove_all(root, ec);
        GAMEDIR = ".\\";
        IGNORMODE = false;
        LASTDAY = false;
    }
    void announce(int day, const std::string& round) {
        spit(liga / "POKAL3.DAT", std::to_string(day) + "\r\n" + round + "\r\nCUP3\r\nThe opponents\r\n");
    }
    std::map<std::string, std::string> snapshot() {
        std::map<std::string, std::string> m;
        for (auto& e : fs::directory_iterator(liga)) m[e.path().filename().string()] = slurp(e.path());
        return m;
    }
    // Applies CUP3.RST through the announcement; the error number, or -1 for none.
    int start() {
        try {
            READPOKAL();
        } catch (const FatalError& e) {
            return e.nr;
        }
        return -1;
    }
    PLAYERREC player(int nr) {
        PLAYERREC p;
        READPLAYER(nr, p);
        return p;
    }
    TEAMREC team() {
        TEAMREC t;
        READTEAM(3, t);
        return t;
    }
};

}  // namespace

TEST_F(CupResult, GeneratedResultHoldsItsOwnCheckValue) {
    EXPECT_EQ(base.version, 101);
    EXPECT_EQ(base.dirname, "LIGA");
    EXPECT_EQ(base.check, base.sum);
    EXPECT_EQ(base.team.NR, 3);
    EXPECT_EQ(base.messages.size(), 1u);
    EXPECT_TRUE(base.hashistory);
    EXPECT_GT(base.history.size(), 40u);
    EXPECT_EQ(build(base), generated);
}

// Which bytes the check value covers: a change outside them keeps the result valid.
TEST_F(CupResult, SumCoversPatchesHistoryCharactersAndMessagesOnly) {
    const std::size_t after = POKALFIXED + 4 + base.emblem1.size() + base.emblem2.size();
    const struct {
        const char* what;
        std::size_t at;
        bool counts;
    } cases[] = {
        {"directory name", 3, false},
        {"match file", 16 + 100, false},
        {"team patch", 16 + POKALMATCHSIZE + 9, true},
        {"player patch", 16 + POKALMATCHSIZE + 39 + 20, true},
        {"first picture", POKALFIXED + 2 + 10, false},
        {"history character", after + 5, true},
        {"history tail", after + 250, false},
        {"message", after + POKALHISLINE + 100, true},
    };
    for (const auto& c : cases) {
        std::string b = generated;
        b[c.at] = static_cast<char>(b[c.at] + 1);
        POKALRST r;
        PARSEPOKALRST(b, "x", r);
        EXPECT_EQ(r.sum != r.check, c.counts) << c.what;
    }
}

// Every refusal is fatal before anything is written: all files stay byte for byte.
TEST_F(CupResult, EveryRefusalLeavesEveryFileAsItWas) {
    const std::size_t pics = POKALFIXED + 4 + base.emblem1.size() + base.emblem2.size();
    auto with = [&](std::function<void(POKALRST&)> f) {
        POKALRST r = base;
        f(r);
        return build(r);
    };
    auto poke16 = [&](std::size_t at, std::int16_t v) {
        std::string b = generated;
        std::memcpy(b.data() + at, &v, 2);
        return b;
    };
    const struct {
        const char* what;
        std::string bytes;
        int error;
    } cases[] = {
        {"empty", "", 2},
        {"version 1", std::string(1, '\1') + generated.substr(1), 6},
        {"cut in the header", generated.substr(0, 10), 2},
        {"cut in the match", generated.substr(0, 1000), 2},
        {"cut in the patches", generated.substr(0, POKALFIXED - 1), 2},
        {"cut before a picture length", generated.substr(0, POKALFIXED + 1), 2},
        {"cut in a picture", generated.substr(0, POKALFIXED + 20), 2},
        {"cut in the history", generated.substr(0, pics + 100), 2},
        {"cut in a message", generated.substr(0, generated.size() - 1), 2},
        {"half a message more", generated + std::string(600, 'x'), 2},
        {"negative picture", poke16(POKALFIXED, -5), 2},
        {"picture past the end", poke16(POKALFIXED, 32000), 2},
        {"overlong team name", with([](POKALRST& r) { r.team.NAME.len = 13; }), 2},
        {"overlong player name", with([](POKALRST& r) { r.players[2].NAME.len = 200; }), 2},
        {"wrong check value", build(base, static_cast<std::uint16_t>(base.sum + 1)), 99},
        {"other team", with([](POKALRST& r) { r.team.NR = 4; }), 0},
        {"third player misnamed", with([](POKALRST& r) { r.players[2].NAME.set("Nobody"); }), 0},
        {"player number 0", with([](POKALRST& r) { r.players[4].NR = 0; }), 0},
    };
    for (const auto& c : cases) {
        spit(liga / "CUP3.RST", c.bytes);
        const auto before = snapshot();
        EXPECT_EQ(start(), c.error) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
    }
}

TEST_F(CupResult, WrongSumIsAppliedInIgnoreMode) {
    spit(liga / "CUP3.RST", build(base, static_cast<std::uint16_t>(base.sum + 1)));
    IGNORMODE = true;
    EXPECT_EQ(start(), -1);
    EXPECT_FALSE(fs::exists(liga / "CUP3.RST"));
    EXPECT_TRUE(POKALPATCHED);
}

TEST_F(CupResult, AppliesEverythingOnceAndDeletesTheFile) {
    const std::string msg = slurp(liga / "MSG3.DAT"), his = slurp(liga / "TEAM3.HI");
    const TEAMREC t0 = team();
    const PLAYERREC p0 = player(base.players[0].NR);
    EXPECT_EQ(start(), -1);
    EXPECT_FALSE(fs::exists(liga / "CUP3.RST"));
    EXPECT_TRUE(NEWRST && NEWPOKAL && POKALPATCHED);
    EXPECT_EQ(slurp(liga / "GAME3.P1"), base.match);
    EXPECT_EQ(slurp(liga / "GAME3.DAT"), base.match);
    EXPECT_EQ(slurp(liga / (base.team.NAME.str() + ".PCX")), base.emblem1);
    EXPECT_EQ(slurp(liga / (base.team.GEGNER.str() + ".PCX")), base.emblem2);
    EXPECT_EQ(slurp(liga / "MSG3.DAT"), msg + base.messages[0]);
    EXPECT_EQ(slurp(liga / "TEAM3.HI"), his + base.history.substr(0, 40) + "\r\n");
    EXPECT_FALSE(fs::exists(liga / "QUICK3.DAT"));
    EXPECT_EQ(QUICKNAME, "LIGA\\QUICK3.P1");
    const TEAMREC t1 = team();
    EXPECT_EQ(t1.ERFOLGE, t0.ERFOLGE + 1);
    EXPECT_EQ(t1.GOLD, t0.GOLD + base.team.GOLDDIF);
    EXPECT_EQ(t1.STADION.STIMMUNG, std::clamp(t0.STADION.STIMMUNG + base.team.FANDIF, -4, 4));
    const PLAYERREC p1 = player(base.players[0].NR);
    EXPECT_EQ(p1.VERFASSUNG, std::clamp(p0.VERFASSUNG + base.players[0].VERDIF, 0, 100));
    EXPECT_EQ(p1.PRUEF, PLAYERPRUEF(p1));
    // Applied: the announcement goes to 98 for the replay at the next start.
    EXPECT_EQ(slurp(liga / "POKAL3.DAT").substr(0, 4), "98\r\n");
}

TEST_F(CupResult, QuickFileOfTheStoredMatchIsCopiedForTheViewer) {
    spit(liga / "QUICK3.P1", "quick");
    EXPECT_EQ(start(), -1);
    EXPECT_EQ(slurp(liga / "QUICK3.DAT"), "quick");
    EXPECT_EQ(QUICKNAME, "");
}

TEST_F(CupResult, MatchFilesTakeTheLowestFreeNumber) {
    spit(liga / "GAME3.P2", "older");
    std::vector<std::string> got;
    for (int i = 0; i < 3; ++i) {
        POKALRST r = base;
        r.match[50] = static_cast<char>('a' + i);
        spit(liga / "CUP3.RST", build(r));
        announce(5, "Round of 16");
        ASSERT_EQ(start(), -1);
    }
    EXPECT_EQ(slurp(liga / "GAME3.P1")[50], 'a');
    EXPECT_EQ(slurp(liga / "GAME3.P2"), "older");
    EXPECT_EQ(slurp(liga / "GAME3.P3")[50], 'b');
    EXPECT_EQ(slurp(liga / "GAME3.P4")[50], 'c');
    EXPECT_EQ(slurp(liga / "GAME3.DAT")[50], 'c');
}

TEST_F(CupResult, MoodAndConditionStayInTheirRanges) {
    const struct {
        int fandif, verdif, mood, condition;
    } cases[] = {{10, 300, 4, 100}, {-10, -300, -4, 0}};
    for (const auto& c : cases) {
        POKALRST r = base;
        r.team.FANDIF = static_cast<std::int16_t>(c.fandif);
        for (auto& p : r.players) p.VERDIF = static_cast<std::int16_t>(c.verdif);
        spit(liga / "CUP3.RST", build(r));
        announce(5, "Round of 16");
        ASSERT_EQ(start(), -1);
        EXPECT_EQ(team().STADION.STIMMUNG, c.mood);
        for (const auto& p : r.players) EXPECT_EQ(player(p.NR).VERFASSUNG, c.condition);
    }
}

TEST_F(CupResult, NoGoldOnTheLastMatchDay) {
    const TEAMREC t0 = team();
    LASTDAY = true;
    EXPECT_EQ(start(), -1);
    EXPECT_EQ(team().GOLD, t0.GOLD);
}

TEST_F(CupResult, AnnouncementStatesAfterAResult) {
    const struct {
        const char* round;
        bool autoplay;
        const char* first;
    } cases[] = {{"Round of 16", true, "98"}, {"Round of 16", false, "99"}, {".Round of 16", true, "5"}};
    for (const auto& c : cases) {
        spit(liga / "CUP3.RST", generated);
        announce(5, c.round);
        AUTOPLAY = c.autoplay;
        ASSERT_EQ(start(), -1);
        EXPECT_EQ(slurp(liga / "POKAL3.DAT"), std::string(c.first) + "\r\nRound of 16\r\nCUP3\r\nThe opponents\r\n")
            << c.round << c.autoplay;
    }
}

TEST_F(CupResult, ReplayStateBecomesShownStateAtTheNextStart) {
    announce(98, "Round of 16");
    fs::remove(liga / "CUP3.RST");
    NEWPOKAL = false;
    EXPECT_EQ(start(), -1);
    EXPECT_TRUE(NEWPOKAL);
    EXPECT_EQ(POKALTAG, 99);
    EXPECT_EQ(slurp(liga / "POKAL3.DAT").substr(0, 4), "99\r\n");
}

TEST_F(CupResult, InStateShownOnlyTheMatchAndPicturesAreStored) {
    announce(99, "Round of 16");
    POKALRST r = base;
    r.team.NR = 7;  // not checked: nothing is applied to the team
    spit(liga / "CUP3.RST", build(r));
    auto before = snapshot();
    EXPECT_EQ(start(), -1);
    auto after = snapshot();
    EXPECT_EQ(after["GAME3.P1"], base.match);
    EXPECT_EQ(after[base.team.NAME.str() + ".PCX"], base.emblem1);
    for (const char* same : {"MSG3.DAT", "TEAM3.HI", "TEAM3.DAT", "PLAYER3.DAT", "POKAL3.DAT"})
        EXPECT_EQ(after[same], before[same]) << same;
    EXPECT_FALSE(fs::exists(liga / "CUP3.RST"));
    EXPECT_FALSE(POKALPATCHED);
}

TEST_F(CupResult, UnsafeNamesReadNoResultOrDrawNoPicture) {
    // A result beside the game directory, named by a path.
    spit(root / "CUP3.RST", generated);
    for (const char* name : {"..", "..\\CUP3", "../CUP3", "CUP3XXXXX"}) {
        spit(liga / "POKAL3.DAT", std::string("5\r\nRound\r\n") + name + "\r\nThem\r\n");
        auto before = snapshot();
        EXPECT_EQ(start(), -1) << name;
        EXPECT_EQ(snapshot(), before) << name;
    }
    EXPECT_TRUE(fs::exists(root / "CUP3.RST"));
    fs::remove(root / "CUP3.RST");

    POKALRST r = base;
    r.team.NAME.set("../EVIL");
    r.team.GEGNER.set("C:X");
    spit(liga / "CUP3.RST", build(r));
    announce(5, "Round of 16");
    auto pictures = [&] {
        std::set<std::string> s;
        for (auto& e : fs::recursive_directory_iterator(root))
            if (e.path().extension() == ".PCX") s.insert(e.path().string());
        return s;
    };
    const auto had = pictures();
    EXPECT_EQ(start(), -1);
    EXPECT_EQ(pictures(), had);
    EXPECT_TRUE(fs::exists(liga / "GAME3.P1"));
}

// After the start-up order (squad read, cup result, squad read again) the squad in
// memory equals the player file.
TEST_F(CupResult, SquadInMemoryFollowsThePatchedFile) {
    READTEAM(3, TEAM);
    READALLTEAMS();
    READPLAYERS();
    EXPECT_EQ(start(), -1);
    ASSERT_TRUE(POKALPATCHED);
    READPLAYERS();
    for (int i = 1; i <= 10; ++i) {
        if (!BELEGT[i]) continue;
        PLAYERREC f = player(TEAM.PLAYERS[i]);
        f.ARTIFAKT = PLAYER[i].ARTIFAKT;
        f.ARTLEVEL = PLAYER[i].ARTLEVEL;
        EXPECT_EQ(raw(PLAYER[i]), raw(f)) << i;
    }
}

// The cup result file taken apart, put together with one change and applied to a
// generated league; the cup draw's list and scrolling.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "base/state.h"
#include "base/types.h"
#include "data/fixture.h"
#include "platform/process.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "ui/dialogs.h"

using namespace korax;

namespace fs = std::filesystem;

namespace {

using datatest::slurp, datatest::spit;

template <typename R>
std::string raw(const R& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof(R));
}
std::string le16(int v) { return raw(static_cast<std::int16_t>(v)); }

// The bytes of a cup result; its check value is the sum of its parts unless `check` is given.
std::string build(const POKALRST& r, std::optional<std::uint16_t> check = std::nullopt) {
    std::string out = static_cast<char>(r.version) + raw(STRING12::of(r.dirname)) + le16(check.value_or(POKALSUM(r)));
    out += r.match + raw(r.team);
    for (const auto& p : r.players) out += raw(p);
    out += le16(static_cast<int>(r.emblem1.size())) + r.emblem1 + le16(static_cast<int>(r.emblem2.size())) + r.emblem2;
    if (r.team.ERFOLG > 0) {
        std::string h(POKALHISLINE, '\0');
        h[0] = static_cast<char>(r.history.size());
        std::memcpy(h.data() + 1, r.history.data(), r.history.size());
        out += h;
    }
    for (const auto& m : r.messages) out += m;
    return out;
}

class CupResult : public datatest::DataDir {
protected:
    fs::path liga;
    std::string generated;  // CUP3.RST as the generator wrote it
    POKALRST base;

    void SetUp() override {
        DataDir::SetUp();
        liga = root / "LIGA";
        fs::create_directory(liga);
        PROCESSRUN run;
        run.program = std::string(KORAX_DIST_DIR) + "/mkgame";
        run.args = {"--seed", "3", "--team", "3", "--day", "4", "--dir", "LIGA", "--cup", liga.string()};
        ASSERT_EQ(RUNANDWAIT(run), 0);
        // No stored cup matches: the tests plant the ones they need.
        for (auto& e : fs::directory_iterator(liga)) {
            const std::string n = e.path().filename().string();
            if (n.rfind("GAME3.P", 0) == 0 || n.rfind("QUICK3.P", 0) == 0) fs::remove(e.path());
        }
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))  // the player icons
            if (e.path().extension() == ".RAW" || e.path().extension() == ".raw") fs::copy(e.path(), root / e.path().filename());
        GAMEDIR = "LIGA\\";
        NUMMER = 3;
        NUMMERSTR = "3";
        NEWRST = NEWPOKAL = false;
        AUTOPLAY = true;
        OPENFILES(_PLAYER | _TEAM);
        READGEN();
        generated = slurp(liga / "CUP3.RST");
        PARSEPOKALRST(generated, "CUP3.RST", base);
        announce(5, "Round of 16");
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
        const std::string f = datatest::fatal([] { READPOKAL(); });
        return f.empty() ? -1 : std::stoi(f);
    }
    PLAYERREC player(int nr) { PLAYERREC p; READPLAYER(nr, p); return p; }
    TEAMREC team() { TEAMREC t; READTEAM(3, t); return t; }
};

// The list read from `text` as from a file.
int listof(const std::string& text, const std::string& shown = "x") {
    std::string copy = text;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(
        copy.empty() ? std::fopen("/dev/null", "rb") : ::fmemopen(copy.data(), copy.size(), "rb"), std::fclose);
    return POKALLIST(f.get(), shown);
}

}  // namespace

// Taken apart and put together byte for byte; the check value covers the patches,
// the history's characters and the messages only.
TEST_F(CupResult, GeneratedResultHoldsItsOwnCheckValue) {
    EXPECT_EQ(std::to_string(base.version) + base.dirname + std::to_string(base.team.NR) + std::to_string(base.messages.size()), "101LIGA31");
    EXPECT_EQ(base.check, base.sum);
    EXPECT_TRUE(base.hashistory && base.history.size() > 40);
    EXPECT_EQ(build(base), generated);
    const std::size_t after = POKALFIXED + 4 + base.emblem1.size() + base.emblem2.size();
    const struct { const char* what; std::size_t at; bool counts; } cases[] = {
        {"directory name", 3, false},     {"match file", 16 + 100, false},
        {"team patch", 16 + POKALMATCHSIZE + 9, true}, {"player patch", 16 + POKALMATCHSIZE + 39 + 20, true},
        {"first picture", POKALFIXED + 12, false}, {"history character", after + 5, true},
        {"history tail", after + 250, false}, {"message", after + POKALHISLINE + 100, true}};
    for (const auto& c : cases) {
        std::string b = generated;
        b[c.at] = static_cast<char>(b[c.at] + 1);
        POKALRST r;
        PARSEPOKALRST(b, "x", r);
        EXPECT_EQ(r.sum != r.check, c.counts) << c.what;
    }
}

// Every refusal is fatal before anything is written: all files stay byte for
// byte. A wrong check value alone passes in ignore mode.
TEST_F(CupResult, EveryRefusalLeavesEveryFileAsItWas) {
    const std::size_t pics = POKALFIXED + 4 + base.emblem1.size() + base.emblem2.size();
    auto with = [&](std::function<void(POKALRST&)> f) { POKALRST r = base; f(r); return build(r); };
    auto poke16 = [&](std::size_t at, std::int16_t v) { return std::string(generated).replace(at, 2, raw(v)); };
    const std::string wrongsum = build(base, static_cast<std::uint16_t>(base.sum + 1));
    const struct { const char* what; std::string bytes; int error; } cases[] = {
        {"empty", "", 2}, {"version 1", '\1' + generated.substr(1), 6}, {"cut in the header", generated.substr(0, 10), 2},
        {"cut in the patches", generated.substr(0, POKALFIXED - 1), 2}, {"cut before a picture length", generated.substr(0, POKALFIXED + 1), 2},
        {"cut in the history", generated.substr(0, pics + 100), 2}, {"cut in a message", generated.substr(0, generated.size() - 1), 2},
        {"half a message more", generated + std::string(600, 'x'), 2}, {"negative picture", poke16(POKALFIXED, -5), 2},
        {"picture past the end", poke16(POKALFIXED, 32000), 2},
        {"overlong team name", with([](POKALRST& r) { r.team.NAME.len = 13; }), 2},
        {"overlong player name", with([](POKALRST& r) { r.players[2].NAME.len = 200; }), 2},
        {"wrong check value", wrongsum, 99},
        {"other team", with([](POKALRST& r) { r.team.NR = 4; }), 0},
        {"third player misnamed", with([](POKALRST& r) { r.players[2].NAME.set("Nobody"); }), 0},
        {"player number 0", with([](POKALRST& r) { r.players[4].NR = 0; }), 0}};
    for (const auto& c : cases) {
        spit(liga / "CUP3.RST", c.bytes);
        const auto before = snapshot();
        EXPECT_EQ(start(), c.error) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
    }
    spit(liga / "CUP3.RST", wrongsum);
    IGNORMODE = true;
    EXPECT_EQ(start(), -1);
    EXPECT_FALSE(fs::exists(liga / "CUP3.RST"));
    EXPECT_TRUE(POKALPATCHED);
}

// Applied in the start-up order (squad read, cup result, squad read again): the
// squad in memory equals the patched player file.
TEST_F(CupResult, AppliesEverythingOnceAndDeletesTheFile) {
    READTEAM(3, TEAM);
    READALLTEAMS();
    READPLAYERS();
    const std::string msg = slurp(liga / "MSG3.DAT"), his = slurp(liga / "TEAM3.HI");
    const TEAMREC t0 = team();
    EXPECT_EQ(start(), -1);
    EXPECT_FALSE(fs::exists(liga / "CUP3.RST"));
    EXPECT_TRUE(NEWRST && NEWPOKAL && POKALPATCHED);
    const std::pair<std::string, std::string> files[] = {
        {"GAME3.P1", base.match}, {"GAME3.DAT", base.match}, {base.team.NAME.str() + ".PCX", base.emblem1},
        {base.team.GEGNER.str() + ".PCX", base.emblem2}, {"MSG3.DAT", msg + base.messages[0]}, {"TEAM3.HI", his + base.history.substr(0, 40) + "\r\n"}};
    for (const auto& [name, bytes] : files) EXPECT_EQ(slurp(liga / name), bytes) << name;
    EXPECT_FALSE(fs::exists(liga / "QUICK3.DAT"));
    EXPECT_EQ(QUICKNAME, "LIGA\\QUICK3.P1");
    // Gold, mood and condition are checked in a row of results below.
    EXPECT_EQ(team().ERFOLGE, t0.ERFOLGE + 1);
    EXPECT_EQ(player(base.players[0].NR).PRUEF, PLAYERPRUEF(player(base.players[0].NR)));
    READPLAYERS();
    for (int i = 1; i <= 10; ++i) {
        if (!BELEGT[i]) continue;
        PLAYERREC f = player(TEAM.PLAYERS[i]);
        f.ARTIFAKT = PLAYER[i].ARTIFAKT;
        f.ARTLEVEL = PLAYER[i].ARTLEVEL;
        EXPECT_EQ(raw(PLAYER[i]), raw(f)) << i;
    }
    // Applied: the announcement goes to 98 for the replay at the next start.
    EXPECT_EQ(slurp(liga / "POKAL3.DAT").substr(0, 4), "98\r\n");
}

// Match files take the lowest free numbers, a stored replay is copied for the
// viewer, mood and condition stay in their ranges, no gold on the last day.
TEST_F(CupResult, ResultsInARow) {
    spit(liga / "GAME3.P2", "older");
    spit(liga / "QUICK3.P1", "quick");
    const struct { char mark; int fandif, verdif, mood, condition; bool lastday; } cases[] = {
        {'a', 10, 300, 4, 100, false}, {'b', -10, -300, -4, 0, false}, {'c', 0, 0, -4, 0, true}};
    for (const auto& c : cases) {
        POKALRST r = base;
        r.match[50] = c.mark;
        r.team.FANDIF = static_cast<std::int16_t>(c.fandif);
        for (auto& p : r.players) p.VERDIF = static_cast<std::int16_t>(c.verdif);
        spit(liga / "CUP3.RST", build(r));
        announce(5, "Round of 16");
        LASTDAY = c.lastday;
        const auto gold = team().GOLD;
        ASSERT_EQ(start(), -1);
        EXPECT_EQ(team().STADION.STIMMUNG, c.mood);
        for (const auto& p : r.players) EXPECT_EQ(player(p.NR).VERFASSUNG, c.condition);
        EXPECT_EQ(team().GOLD, c.lastday ? gold : gold + base.team.GOLDDIF) << c.mark;
        if (c.mark == 'a') {
            EXPECT_EQ(slurp(liga / "QUICK3.DAT"), "quick");
            EXPECT_EQ(QUICKNAME, "");
        }
    }
    EXPECT_EQ(slurp(liga / "GAME3.P2"), "older");
    for (auto [name, mark] : {std::pair{"GAME3.P1", 'a'}, {"GAME3.P3", 'b'}, {"GAME3.P4", 'c'}, {"GAME3.DAT", 'c'}})
        EXPECT_EQ(slurp(liga / name)[50], mark) << name;
}

// After a result the announcement goes to 98 (replay at the next start) or 99
// (shown) unless the round is marked; 98 becomes 99 at the next start; in state
// 99 only the match and the pictures are stored, and the team is not checked.
TEST_F(CupResult, AnnouncementStates) {
    const struct { const char* round; bool autoplay; const char* first; } cases[] = {
        {"Round of 16", true, "98"}, {"Round of 16", false, "99"}, {".Round of 16", true, "5"}};
    for (const auto& c : cases) {
        spit(liga / "CUP3.RST", generated);
        announce(5, c.round);
        AUTOPLAY = c.autoplay;
        ASSERT_EQ(start(), -1);
        EXPECT_EQ(slurp(liga / "POKAL3.DAT"), std::string(c.first) + "\r\nRound of 16\r\nCUP3\r\nThe opponents\r\n")
            << c.round << c.autoplay;
    }
    announce(98, "Round of 16");
    fs::remove(liga / "CUP3.RST");
    NEWPOKAL = false;
    EXPECT_EQ(start(), -1);
    EXPECT_TRUE(NEWPOKAL);
    EXPECT_EQ(POKALTAG, 99);
    EXPECT_EQ(slurp(liga / "POKAL3.DAT").substr(0, 4), "99\r\n");

    POKALRST r = base;
    r.team.NR = 7;
    spit(liga / "CUP3.RST", build(r));
    fs::remove_all(liga / "GAME3.P1");
    fs::remove_all(liga / (base.team.NAME.str() + ".PCX"));
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
    spit(root / "CUP3.RST", generated);  // beside the game directory, named by a path
    for (const char* name : {"..", "..\\CUP3", "../CUP3", "CUP3XXXXX"}) {
        spit(liga / "POKAL3.DAT", std::string("5\r\nRound\r\n") + name + "\r\nThem\r\n");
        auto before = snapshot();
        EXPECT_EQ(start(), -1) << name;
        EXPECT_EQ(snapshot(), before) << name;
    }
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

TEST(CupDraw, ScrollKeysStepByTenWithinTheirLimits) {
    const struct { int top, column; char key; int lines, newtop, newcolumn; bool moved; } cases[] = {
        {1, 1, '2', 100, 11, 1, true}, {91, 1, '2', 100, 91, 1, false}, {81, 1, '2', 100, 91, 1, true}, {1, 1, '2', 10, 1, 1, false},
        {1, 1, '8', 100, 1, 1, false}, {5, 1, '8', 100, 1, 1, true}, {1, 231, '6', 5, 1, 241, true}, {1, 241, '6', 5, 1, 241, false},
        {1, 7, '4', 5, 1, 1, true}, {1, 1, '4', 5, 1, 1, false}, {1, 1, '5', 100, 1, 1, false}};
    for (const auto& c : cases) {
        POKALVIEW v{c.top, c.column};
        EXPECT_EQ(POKALSCROLL(v, c.key, c.lines), c.moved) << c.key << " " << c.top << " " << c.column;
        EXPECT_EQ(std::make_pair(v.top, v.column), std::make_pair(c.newtop, c.newcolumn)) << c.key << " " << c.top << " " << c.column;
    }
}

TEST(CupDraw, PartOfTheLineShownAndTheOwnTeamInIt) {
    const std::string line = "1. Bashers - Wolves, then Bashers again";
    const struct { int column, width; const char* shown; std::size_t from, count; } cases[] = {
        {1, 80, "1. Bashers - Wolves, then Bashers again", 3, 7}, {1, 6, "1. Bas", 3, 3}, {6, 10, "shers - Wo", 0, 5},
        {11, 10, " - Wolves,", 0, 0}, {100, 10, "", 0, 0}};  // at 11 the first has scrolled away, the second is not marked
    for (const auto& c : cases) {
        EXPECT_EQ(POKALVISIBLE(line, c.column, c.width), c.shown) << c.column;
        const auto [from, count] = POKALMARK(line, c.column, c.width, "Bashers");
        EXPECT_EQ(std::make_pair(count ? from : 0, count), std::make_pair(c.from, c.count)) << c.column;
    }
    EXPECT_EQ(POKALMARK(line, 1, 80, "").second, 0u);
    EXPECT_EQ(POKALMARK(line, 1, 80, "Golems").second, 0u);
}

TEST(CupDraw, ListTakesEveryLineUpToTenThousand) {
    EXPECT_EQ(listof(""), 0);
    EXPECT_EQ(listof("a\r\nb\n\nc"), 4);
    std::string s;
    LISTEGET(1, s);
    EXPECT_EQ(s, "a");
    LISTEGET(4, s);
    EXPECT_EQ(s, "c");

    std::string many;
    for (int i = 0; i < 10000; ++i) many += "line\r\n";
    EXPECT_EQ(listof(many), 10000);
    EXPECT_EQ(datatest::fatal([&] { listof(many + "one more\r\n", "POKAL.TXT"); }).substr(0, 2), "8:");
    // Lines across read blocks: a megabyte line cut, and a carriage return kept
    // only where it is not the line's last character.
    EXPECT_EQ(listof(std::string(1 << 20, 'w') + "\r\n" + std::string(254, 'v') + "\r\n" + std::string(255, 'u') + "\r\n\r\r\n"), 4);
    const std::vector<std::string> kept{std::string(255, 'w'), std::string(254, 'v'), std::string(255, 'u'), "\r"};
    for (int i = 1; i <= 4; ++i) {
        LISTEGET(i, s);
        EXPECT_EQ(s, kept[static_cast<std::size_t>(i - 1)]) << i;
    }
    LISTECLOSE();
}

#include <fcntl.h>
#include <sys/file.h>

#include <functional>

#include "fixture.h"

using namespace korax;
using namespace datatest;

namespace {

// A player record written field by field at the file's offsets.
std::string playerBytes(int verfassung, int motivation = 100, int team = 3) {
    Bytes b(61);
    b.i16(0, team).i16(2, 5).str(4, "Grimm").i16(13, 12);
    b.u8(15, 50).u8(16, 60).u8(17, 70).u8(18, 80).u8(19, 90).u8(20, motivation).u8(21, verfassung & 0xFF);
    b.i16(22, 7).i16(32, 4).i16(34, 0x0123).i16(36, 2).u8(38, 3).u8(39, 1).i16(40, 2);
    b.i16(44, 1).i16(46, 9).u8(48, 3);
    return b.b;
}

PLAYERREC validPlayer(int team, int race, int verfassung, int farbe = 0) {
    PLAYERREC p{};
    p.TEAM = std::int16_t(team), p.RACE = std::int16_t(race), p.NAME = "Spieler", p.VERFASSUNG = std::int8_t(verfassung);
    p.MOTIVATION = 60, p.FARBE = std::int16_t(farbe);
    p.PRUEF = PLAYERPRUEF(p);
    return p;
}

std::string teamFile(int count = 10) {
    std::string all;
    for (int t = 1; t <= count; ++t) {
        TEAMREC r{};
        r.NAME = "Team " + std::to_string(t), r.TRAINER = "Trainer " + std::to_string(t), r.LIZENZ = std::uint8_t(t % 2);
        r.BRUTAL = std::int16_t(t * 10), r.BRUTALL = std::int16_t(t * 100), r.PROFI = t == 2, r.GOLD = 1000 * t;
        all += RECORDBYTES(r);
    }
    return all;
}

}  // namespace

TEST(PlayerRecord, BytesMatchTheFileLayoutAndTheCheckValueIgnoresTheStoredOneAndWraps) {
    const std::string golden = playerBytes(-5);
    const PLAYERREC p = fromBytes<PLAYERREC>(golden);
    EXPECT_EQ(p.NAME.str() + "," + std::to_string(p.VERFASSUNG) + "," + std::to_string(p.FARBE) + "," + std::to_string(p.ORGTEAM), "Grimm,-5,291,3");
    EXPECT_EQ(RECORDBYTES(p), golden);
    const std::pair<int, std::int32_t> known[] = {{-5, -318047693}, {80, 318050860}};
    for (const auto& [verfassung, pruef] : known) {
        Bytes b;
        b.b = playerBytes(verfassung);
        b.i32(28, 0x7FFFFFFF);
        EXPECT_EQ(PLAYERPRUEF(fromBytes<PLAYERREC>(b.b)), pruef) << verfassung;
    }
    // Every byte 0xFF with condition -1: the sum runs far past 32 bits and must wrap.
    const std::uint32_t v = 0xFFFFFFFFu;
    std::uint32_t sum = 255u + v;
    for (int i = 0; i < 61; ++i) sum += v ^ ((i >= 28 && i < 32) ? 0u : 255u);
    EXPECT_EQ(PLAYERPRUEF(fromBytes<PLAYERREC>(std::string(61, '\xFF'))), static_cast<std::int32_t>(sum ^ 318046275u));
}

TEST(TeamRecord, FieldsLandAtTheirOffsetsAnIndexOutsideAnArrayTouchesNothingAndPatchRecordsToo) {
    TEAMREC t{};
    t.NAME = "Drachen", t.GOLD = -2, t.PLAYERS[1] = 0x0102, t.PLAYERS[10] = -1, t.IMTEAM[5] = 9;
    t.TAKTIK[1].NORMALX = 0x0304, t.SPARRTAKTIK[5].EINSATZ = 7, t.WETTEN[10] = 0x05060708, t.UEBERWEISUNG[1] = 0x11;
    t.STADION.SITZPLAETZE = 1500, t.TRAINING.KXANZAHL = 0xBEEF, t.ARTPLAYER[10] = 31, t.GAMEDIR = "GAME1", t.RESERVE[14] = 0xAA;
    const std::string b = RECORDBYTES(t);
    ASSERT_EQ(b.size(), 907u);
    const std::pair<std::size_t, std::string> at[] = {
        {0, "\x07" "Drachen"}, {26, std::string("\xFE\xFF\xFF\xFF", 4)}, {56, "\x02\x01"}, {74, "\xFF\xFF"},
        {80, "\x09"}, {81, "\x04\x03"}, {311 + 4 * 46 + 12, "\x07"}, {696 + 36, "\x08\x07\x06\x05"},
        {736, "\x11"}, {581, "\xDC\x05"}, {623 + 26, "\xEF\xBE"}, {844, "\x1F"}, {877, "\x05" "GAME1"},
        {906, "\xAA"}};
    for (const auto& [offset, bytes] : at) EXPECT_EQ(b.substr(offset, bytes.size()), bytes) << offset;
    TEAMREC u{};
    u.WETTEN[0] = 99;
    u.WETTEN[11] = 99;
    EXPECT_EQ(RECORDBYTES(u), RECORDBYTES(TEAMREC{}));
    EXPECT_EQ(u.WETTEN[11], 0);
    EXPECT_FALSE(u.WETTEN.in(0));
    EXPECT_TRUE(u.WETTEN.in(10));
    // The patch records.
    TEAMPATCHTYPE tp{};
    tp.NR = 2, tp.GOLDDIF = -300, tp.ERFOLG = 1, tp.NAME = "Heim", tp.GEGNER = "Gast";
    EXPECT_EQ(RECORDBYTES(tp), Bytes(39).i16(0, 2).i32(8, -300).u8(12, 1).str(13, "Heim").str(26, "Gast").b);
    PLAYERPATCHTYPE pp{};
    pp.NR = 77, pp.NAME = "Zorg", pp.VERDIF = -4, pp.TORDIF = 2;
    EXPECT_EQ(RECORDBYTES(pp), Bytes(15).i16(0, 77).str(2, "Zorg").i16(11, -4).i16(13, 2).b);
}

TEST(PlayerValue, SumOfAttributesTimesOneAndAHalfOnlyWithConditionAndMotivationScales) {
    // Attributes 350 plus motivation and condition div 4, times 1.5 rounded to even.
    const struct { int verfassung, motivation, wert; } values[] = {{80, 100, 592}, {80, 108, 596}, {0, 100, 0}, {3, 100, 562}};
    for (const auto& c : values)
        EXPECT_EQ(PLAYERWERT(fromBytes<PLAYERREC>(playerBytes(c.verfassung, c.motivation))), c.wert)
            << c.verfassung << " " << c.motivation;
    // Motivation scales attributes from half to full strength at 75.
    const struct { int motivation, attribute, scaled, prozent; } scaled[] = {
        {0, 255, 128, 50}, {0, 1, 0, 50}, {30, 50, 35, 70}, {75, 77, 77, 100}};
    for (const auto& c : scaled) {
        PLAYERREC p{};
        p.MOTIVATION = static_cast<std::uint8_t>(c.motivation);
        p.AUSDAUER = p.INTELLIGENZ = p.GESCHICKLICHKEIT = static_cast<std::uint8_t>(c.attribute);
        p.NAME = "Kept";
        PLAYERREC d{};
        std::int16_t prozent = 0;
        SETMOTIPLAYER(p, d, prozent);
        EXPECT_EQ((std::vector<int>{d.AUSDAUER, d.INTELLIGENZ, d.GESCHICKLICHKEIT, prozent}),
                  (std::vector<int>{c.scaled, c.scaled, c.scaled, c.prozent})) << c.motivation << " " << c.attribute;
        EXPECT_EQ(d.NAME.str(), "Kept");
    }
}

// Distance and ordering are the formation screen's test; sparring checks its own tactics.
TEST(Positions, SparringUsesItsOwnTactics) {
    TEAMREC sparring{};
    sparring.SPARRTAKTIK[2].NORMALX = sparring.SPARRTAKTIK[2].NORMALY = 100;
    EXPECT_FALSE(TESTSPARRPOSI(sparring, 1, 110, 110));
    EXPECT_TRUE(TESTPOSI(sparring, 1, 110, 110));
    EXPECT_FALSE(TESTSPARRPOSI(sparring, 3, 150, 300));  // 3 and 4 stay left of 1 and 2
}

TEST_F(DataDir, LeagueTablePlaceLeagueFactorAndRaceNames) {
    for (int i = 1; i <= 10; ++i) GEN.TABELLE[i].TEAM = static_cast<std::int16_t>(11 - i);
    GEN.TABELLE[7].TEAM = 10;  // the last matching row counts
    const std::pair<int, int> places[] = {{10, 7}, {1, 10}, {4, 0}, {11, 0}};
    for (const auto& [team, place] : places) EXPECT_EQ(TABPLATZ(team), place) << team;
    const std::pair<int, int> factors[] = {{1, 2}, {2, 1}, {3, 0}};
    for (const auto& [liga, factor] : factors) {
        GEN.LIGA = static_cast<std::uint8_t>(liga);
        EXPECT_EQ(LIGAFAKTOR(), factor) << liga;
    }
    const std::pair<int, const char*> races[] = {{2, "(Hurtin)"}, {4, "(Bogon)"}, {6, "(Spider)"}, {7, "(Marvin)"},
                                                 {10, "(Eciton)"}, {0, ""}, {11, ""}};
    for (const auto& [code, name] : races) EXPECT_EQ(GETRACENAME(code).str(), name) << code;
}

TEST_F(RecordDir, OpeningNeedsBothFilesInAnyLetterCaseAndKeepsASecondClientOut) {
    spit(game("TEAM3.DAT"), teamFile());
    EXPECT_EQ(fatal([] { OPENFILES(_PLAYER | _TEAM); }), "1:GAME1\\PLAYER3.DAT");
    fs::remove(game("TEAM3.DAT"));
    spit(game("Player3.Dat"), playerBytes(50));
    EXPECT_EQ(fatal([] { OPENFILES(_PLAYER | _TEAM); }), "1:GAME1\\TEAM3.DAT");
    spit(game("TEAM3.DAT"), teamFile());
    // Another process holding the team file looks to flock like any other open file description.
    int other = ::open(game("TEAM3.DAT").c_str(), O_RDWR);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(fatal([] { OPENFILES(_PLAYER | _TEAM); }), "1:GAME1\\TEAM3.DAT");
    ::close(other);
    OPENFILES(_PLAYER | _TEAM);
    EXPECT_TRUE(FILESOPEN(_PLAYER | _TEAM));
    // And while we hold them, the other side is refused.
    other = ::open(game("Player3.Dat").c_str(), O_RDWR);
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
    CLOSEFILES(_PLAYER | _TEAM);
    EXPECT_FALSE(FILESOPEN(_PLAYER) || FILESOPEN(_TEAM));
}

TEST_F(RecordDir, RecordsAreReadAndWrittenInPlaceOrRefusedWithTheirNumber) {
    PLAYERREC p{};
    TEAMREC t{};
    EXPECT_EQ(fatal([&] { READPLAYER(1, p); }), "3:GAME1\\PLAYER3.DAT(1)");  // files closed
    const std::string teams = teamFile().substr(0, 907 * 9 + 400);
    spit(game("PLAYER3.DAT"), playerBytes(50) + playerBytes(60));
    spit(game("TEAM3.DAT"), teams);
    OPENFILES(_PLAYER | _TEAM);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { READPLAYER(3, p); }, "2:GAME1\\PLAYER3.DAT(3)"}, {[&] { READTEAM(10, t); }, "2:GAME1\\TEAM3.DAT(10)"},
        {[&] { READPLAYER(0, p); }, "3:GAME1\\PLAYER3.DAT(0)"}, {[&] { READTEAM(-4, t); }, "3:GAME1\\TEAM3.DAT(-4)"},
        {[&] { WRITEPLAYER(0, p); }, "3:GAME1\\PLAYER3.DAT"},   {[&] { WRITETEAM(0, t); }, "3:GAME1\\TEAM3.DAT(0)"}};
    for (const auto& [f, error] : cases) EXPECT_EQ(fatal(f), error);
    READPLAYER(2, p);
    EXPECT_EQ(p.VERFASSUNG, 60);
    // A written player gets a fresh check value.
    p = fromBytes<PLAYERREC>(playerBytes(-5));
    p.PRUEF = 1;
    WRITEPLAYER(2, p);
    READTEAM(4, t);
    t.GOLD = 123456;
    WRITETEAM(4, t);
    CLOSEFILES(_PLAYER | _TEAM);
    Bytes expect;
    expect.b = playerBytes(-5);
    EXPECT_EQ(slurp(game("PLAYER3.DAT")), playerBytes(50) + expect.i32(28, -318047693).b);
    std::string want = teams;
    want.replace(3 * 907, 907, RECORDBYTES(t));
    EXPECT_EQ(slurp(game("TEAM3.DAT")), want);
}

TEST_F(RecordDir, AFullDiskIsError5) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    fs::create_symlink("/dev/full", game("PLAYER3.DAT"));
    spit(game("TEAM3.DAT"), teamFile());
    OPENFILES(_PLAYER | _TEAM);
    EXPECT_EQ(fatal([&] { WRITEPLAYER(1, PLAYER[1]); }), "5:GAME1\\PLAYER3.DAT");
}

class TeamLoading : public RecordDir {
protected:
    void SetUp() override {
        RecordDir::SetUp();
        L[98] = "Damaged player record (check value) in";
        // Icons: every pixel of each file names its icon code, plus the colours that get replaced.
        const char* stems[20] = {"ih1", "ih2", "ib1", "ib2", "is1", "is2", "im1", "im2", "ie1", "ie2",
                                 "ih3", "ih4", "ib3", "ib4", "is3", "is4", "im3", "im4", "ie3", "ie4"};
        for (int n = 1; n <= 20; ++n) spit(root / (std::string(stems[n - 1]) + ".raw"), icon(n));
    }
    static std::string icon(int n) {
        std::string raw(1024, static_cast<char>(100 + n));
        return raw.replace(0, 3, std::string("\x02\x0F\x00", 3));
    }
    // The squad (player number, record) in slot order; the league has eight active teams.
    void writeGame(const std::vector<std::pair<int, PLAYERREC>>& squad, std::uint8_t farbe1 = 5) {
        int count = 0;
        for (auto& [nr, p] : squad) count = std::max(count, nr);
        std::vector<PLAYERREC> recs(static_cast<std::size_t>(count));
        for (auto& [nr, p] : squad) recs[static_cast<std::size_t>(nr - 1)] = p;
        std::string players;
        for (auto& r : recs) players += RECORDBYTES(r);
        spit(game("PLAYER3.DAT"), players);
        std::string teams = teamFile();
        TEAMREC own = fromBytes<TEAMREC>(teams.substr(2 * 907, 907));
        int slot = 1;
        for (auto& [nr, p] : squad) own.PLAYERS[slot++] = static_cast<std::int16_t>(nr);
        own.FARBE1 = farbe1, own.ARTPLAYER[1] = 34, own.ARTPLAYER[2] = 0;
        teams.replace(2 * 907, 907, RECORDBYTES(own));
        spit(game("TEAM3.DAT"), teams);
        GEN.ANZAHL = 8;
        OPENFILES(_PLAYER | _TEAM);
    }
};

TEST_F(TeamLoading, ReadAllTeamsFillsTheLeagueAndATeamChangeIsWrittenOnlyWhenItDiffers) {
    writeGame({{1, validPlayer(3, 1, 50)}});
    READALLTEAMS();
    EXPECT_EQ(TEAM.NAME.str() + "," + TEAMNAME[7].str() + "," + TRAINERNAME[10].str(), "Team 3,Team 7,Trainer 10");
    EXPECT_EQ((std::vector<int>{TEAMLIZENZ[3], TEAMLIZENZ[4], TEAMBRUTAL[5], TEAMBRUTALL[6]}), (std::vector<int>{1, 0, 50, 600}));
    // Professional: by the record (team 2) or beyond the league's active count.
    const bool profi[11] = {false, false, true, false, false, false, false, false, false, true, true};
    for (int t = 1; t <= 10; ++t) EXPECT_EQ(TEAMPROFI[t], profi[t]) << t;
    // A change behind our back shows whether the record was written again.
    CLOSEFILES(_TEAM);
    std::string teams = slurp(game("TEAM3.DAT"));
    teams[2 * 907] = 2;
    spit(game("TEAM3.DAT"), teams);
    OPENFILES(_TEAM);
    RSTSIZE = 0;
    CHECKTEAMCHANGE();
    EXPECT_EQ(slurp(game("TEAM3.DAT"))[2 * 907], 2);
    RSTSIZE = 2;
    CHECKTEAMCHANGE();
    const std::string after = slurp(game("TEAM3.DAT"));
    EXPECT_EQ(after[2 * 907 + 847], 2);
    EXPECT_EQ(after[2 * 907], 6);  // the whole own record, name length included
}

TEST_F(TeamLoading, SquadIsLoadedAndIconsColoured) {
    writeGame({{4, validPlayer(3, 3, 50, 0x1234)},
               {2, validPlayer(3, 9, 10, 0x00FE)},
               {1, validPlayer(0, 1, 50)},  // unused
               {3, validPlayer(3, 21, 50)},
               {5, validPlayer(3, -3, 50)},
               {6, validPlayer(3, 14, 80)}},
              0);
    READALLTEAMS();
    READPLAYERS();
    const bool belegt[11] = {false, true, true, false, true, true, true, false, false, false, false};
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(BELEGT[i], belegt[i]) << i;
    EXPECT_EQ(PLAYER[1].RACE, 3);
    EXPECT_EQ(TEAM.FARBE1, 1);  // 0 counts as 1
    EXPECT_EQ(TEAM.PLAYERS[3], 0);  // emptied only in memory: the file still names the player
    // Slot 1: race 3 ("ib1"), colour 2 becomes the individual colour, 15 the team colour.
    // Slot 2: condition below 30 gives the weakened look, code 19 ("ie3"). Slots 4 and 5:
    // races outside the icon codes give no icon; slot 6: a weakened code stays as it is.
    const struct { int slot, row, column, colour; } pixels[] = {
        {1, 0, 0, 0x34}, {1, 0, 1, 1}, {1, 0, 2, 0}, {1, 5, 5, 103}, {2, 5, 5, 119},
        {2, 0, 0, 0xFE}, {4, 5, 5, 0},  {5, 5, 5, 0}, {6, 5, 5, 114}};
    for (const auto& p : pixels) EXPECT_EQ(ICON[p.slot].P[p.row][p.column], p.colour) << p.slot;
    // Race icons: codes 1, 3, 5, 7, 9 with colour 2 -> 15 and 0 -> 3.
    EXPECT_EQ((std::vector<int>{ICONRACE[1].P[5][5], ICONRACE[5].P[5][5], ICONRACE[3].P[0][0], ICONRACE[3].P[0][2]}),
              (std::vector<int>{101, 109, 15, 3}));
    // Artefacts come from the team record.
    EXPECT_EQ((std::vector<int>{PLAYER[1].ARTIFAKT, PLAYER[1].ARTLEVEL, PLAYER[2].ARTIFAKT}), (std::vector<int>{3, 4, 0}));
    CLOSEFILES(_TEAM);
    EXPECT_EQ(slurp(game("TEAM3.DAT"))[2 * 907 + 60], 1);
}

TEST_F(TeamLoading, DamagedSquadStopsWithItsError) {
    PLAYERREC bad = validPlayer(3, 1, 50);
    bad.PRUEF += 1;
    writeGame({{1, validPlayer(3, 1, 50)}, {2, bad}});
    READALLTEAMS();
    EXPECT_EQ(fatal([] { READPLAYERS(); }), "99:Damaged player record (check value) in PLAYER.DAT");
    IGNORMODE = true;  // accepts a wrong check value
    READPLAYERS();
    EXPECT_TRUE(BELEGT[2]);
    fs::remove(root / "ih1.raw");
    EXPECT_EQ(fatal([] { READPLAYERS(); }), "1:ih1.RAW");
    spit(root / "ih1.raw", icon(1));
    TEAM.PLAYERS[2] = 9;  // beyond the file
    EXPECT_EQ(fatal([] { READPLAYERS(); }), "2:GAME1\\PLAYER3.DAT(9)");
}

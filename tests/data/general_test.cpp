#include <functional>

#include "fixture.h"

using namespace korax;
using namespace datatest;

namespace {

// Offset of SPIELPLAN[half][day][k] and STATISTIK[team][day] in the file.
std::size_t fixtureAt(int half, int day, int k) { return 178 + static_cast<std::size_t>((half * 9 + day - 1) * 5 + k - 1) * 10; }
std::size_t statisticAt(int team, int day) { return 1248 + static_cast<std::size_t>((team - 1) * 21 + day) * 24; }

// A general record built byte by byte at the file's offsets.
Bytes goldenGen(int turn, int hinrunde) {
    Bytes b(6635);
    b.i16(0, turn).u8(2, 10).u8(3, hinrunde).u8(4, 1).str(5, "Oberliga").i16(16, 4);
    for (int row = 1; row <= 10; ++row) b.i16(18 + (row - 1) * 16, 11 - row);
    b.i16(18 + 16 + 2, 5).i16(18 + 16 + 8, -3).u8(18 + 16 + 12, 1);
    b.i16(fixtureAt(1, 1, 1), 3).i16(fixtureAt(1, 1, 1) + 2, 8).i16(fixtureAt(1, 1, 1) + 4, 2);
    b.i16(fixtureAt(0, 1, 1), 8).i16(fixtureAt(0, 1, 1) + 2, 3);
    b.i16(fixtureAt(0, 9, 5), 6).i16(fixtureAt(0, 9, 5) + 6, 4);
    b.i16(1078 + 17 * 9, 301).str(1078 + 17 * 9 + 2, "Scorer").u8(1078 + 17 * 9 + 11, 7).u8(1078 + 17 * 9 + 12, 9);
    b.i16(1078 + 17 * 9 + 13, 14);
    b.u8(statisticAt(10, 20), 3).i16(statisticAt(10, 20) + 1, 2500);
    b.u8(statisticAt(1, 0), 9);
    b.u8(6288 + 11 * 9, 4).i16(6288 + 11 * 9 + 1, 150).i16(6288 + 11 * 9 + 3, 300).u8(6288 + 11 * 9 + 6, 2);
    b.str(6398, "POKAL").i32(6405, 0x12345678).str(6409, "12.03.2026 20:00").str(6429, "master@korax.example");
    b.i16(6498 + 18, 77).u8(6518 + 9, 2).u8(6528, 5).i32(6529, -7).i32(6533, 99);
    b.i16(6537, 1200).u8(6557 + 9, 10).u8(6567, 1).u8(6568, 2).u8(6569, 3).u8(6570, 1).u8(6571, 4);
    b.i16(6572 + 18, 25).u8(6592, 6).u8(6602 + 9, 1).u8(6612, 1).i16(6622, 0xA55A).u8(6624, 1);
    b.str(6625, "KX12345").u8(6634, 0xEE);
    return b;
}

}  // namespace

// The field offsets are fixed at compile time; this checks the order of the array
// dimensions and the bytes as a whole.
TEST_F(RecordDir, ReadGenOnAGoldenRecordAndItsPairings) {
    spit(game("gen3.dat"), goldenGen(3, 1).b);
    READGEN();
    EXPECT_EQ(GEN.LIGATXT.str() + "," + GEN.TORSCHUETZEN[10].NAME.str() + "," + GEN.RSZNAME.str(), "Oberliga,Scorer,KX12345");
    EXPECT_EQ((std::vector<long>{GEN.TABELLE[1].TEAM, GEN.TABELLE[2].TORDIFF, GEN.SPIELPLAN[1][1][1].GAST,
                                 GEN.SPIELPLAN[0][9][5].GWERT, GEN.STATISTIK[10][20].STAERKE, GEN.STATISTIK[1][0].TABPLATZ,
                                 GEN.WERBUNG[10].INUSE, GEN.ZAT, GEN.SKLAVEN[10], GEN.SEED}),
              (std::vector<long>{10, -3, 8, 4, 2500, 9, 2, 0x12345678, 77, -7}));
    EXPECT_EQ(RECORDBYTES(GEN), goldenGen(3, 1).b);
    // The code is refreshed at every read.
    const auto first = CODE;
    READGEN();
    EXPECT_NE(std::memcmp(first.v, CODE.v, 100), 0);
    // Day, pairing, home team; the first half of the season lives in half 1.
    const struct { int day, k; bool found; int heim; } cases[] = {
        {1, 1, true, 3}, {10, 1, true, 8}, {18, 5, true, 6}, {0, 1, false, 0}, {19, 1, false, 0}, {3, 6, false, 0}};
    for (const auto& c : cases) {
        SPIELPLANTYPE sp{};
        sp.HEIM = 5;
        EXPECT_EQ(PAARUNG(c.day, c.k, sp) * 100 + sp.HEIM, c.found * 100 + c.heim) << c.day << "/" << c.k;
    }
    EXPECT_EQ(SPIELPLANHALF(9), 1);
    EXPECT_EQ(SPIELPLANHALF(10), 0);
}

TEST_F(RecordDir, LastDayIsExactlyDay18AndAMissingOrShortFileIsError1Or2) {
    EXPECT_EQ(fatal([] { READGEN(); }), "1:GAME1\\GEN3.DAT");
    struct Case { int turn, hinrunde; int tag; bool last; };
    for (Case c : {Case{9, 1, 9, false}, Case{8, 0, 17, false}, Case{9, 0, 18, true}, Case{10, 0, 19, false}}) {
        spit(game("GEN3.DAT"), goldenGen(c.turn, c.hinrunde).b);
        READGEN();
        EXPECT_EQ((std::vector<int>{TAG, HIN, LASTDAY}), (std::vector<int>{c.tag, c.hinrunde, c.last})) << c.turn;
    }
    for (const std::string& bytes : {goldenGen(7, 1).b.substr(0, 6634), std::string()}) {
        spit(game("GEN3.DAT"), bytes);
        EXPECT_EQ(fatal([] { READGEN(); }), "2:GAME1\\GEN3.DAT 6635");
        EXPECT_EQ(GEN.TURN, 10);  // no partial read: the record of the last good read stays
    }
}

TEST_F(RecordDir, HistoryIsWrittenAppendedAndReadCutTo40AndAnUnwritableDirectoryIsError4) {
    OPENHIS(4, true, false);
    EXPECT_EQ(HISNAME, "GAME1\\TEAM4.HI");
    for (const char* line : {"Saison 3", ">>> Pokalsieger", ""}) WRITEHIS(ERFOLGREC::of(line));
    CLOSEHIS();
    EXPECT_EQ(slurp(game("TEAM4.HI")), "Saison 3\r\n>>> Pokalsieger\r\n\r\n");
    // Appending is the cup result's test.
    const std::string exact40 = std::string(39, 'y') + "z";
    const struct { const char* file; int team; bool his; std::string text; std::vector<std::string> lines; } cases[] = {
        {"TEAM2.HIS", 2, true, std::string(55, 'x') + "\r\n" + exact40 + "\r\n" + std::string(40, 'w') + "\r\nend",
         {std::string(40, 'x'), exact40, std::string(40, 'w'), "end"}},
        {"TEAM1.HI", 1, false, "a\nb\n", {"a", "b"}},
        {"TEAM7.HI", 7, false, "", {}}};
    for (const auto& c : cases) {
        if (c.team != 7) spit(game(c.file), c.text);  // a missing one is created empty
        OPENHIS(c.team, false, c.his);
        ERFOLGREC line;
        for (const std::string& want : c.lines) {
            ASSERT_TRUE(READHIS(line)) << c.file;
            EXPECT_EQ(line.str(), want);
        }
        line = "unchanged";
        EXPECT_FALSE(READHIS(line));
        EXPECT_EQ(line.str(), "unchanged");
        CLOSEHIS();
        EXPECT_EQ(slurp(game(c.file)), c.text);
    }
    GAMEDIR = "NOSUCHDIR\\";  // unwritable
    for (const auto& f : std::vector<std::function<void()>>{[] { OPENHIS(1, true, false); },
                                                            [] { APPENDHIS(1, ERFOLGREC::of("x"), false); },
                                                            [] { OPENHIS(1, false, false); }})
        EXPECT_EQ(fatal(f), "4:NOSUCHDIR\\TEAM1.HI");
}

TEST_F(RecordDir, IconIsOneBlockOf1024BytesAndMissingOrShortIsFatalOnlyForTheStrictReader) {
    std::string raw(1024, '\0');
    for (int i = 0; i < 1024; ++i) raw[static_cast<std::size_t>(i)] = static_cast<char>(i % 251);
    spit(root / "IH1.RAW", raw + "trailing bytes are ignored");
    ICONREC icon{};
    READICON("ih1", icon);
    EXPECT_EQ((std::vector<int>{icon.P[0][0], icon.P[0][31], icon.P[1][0], icon.P[31][31]}), (std::vector<int>{0, 31, 32, 1023 % 251}));
    spit(root / "m101.raw", std::string(1023, '\x05'));
    for (const char* name : {"pendant", "m101"}) {
        icon.P[3][3] = 42;
        EXPECT_EQ(fatal([&] { READICON(name, icon); }), (std::string(name) == "m101" ? "2:" : "1:") + std::string(name) + ".RAW");
        EXPECT_FALSE(READICONTOL(name, icon));
        EXPECT_EQ(icon.P[3][3], 42);
    }
    // Names are cut to 12 characters.
    spit(root / "longicon9.RA", std::string(1024, '\x07'));
    ASSERT_TRUE(READICONTOL("longicon9", icon));
    EXPECT_EQ(icon.P[10][10], 7);
    EXPECT_EQ(fatal([&] { READICON("abcdefghijkl", icon); }), "1:abcdefghijkl");
}

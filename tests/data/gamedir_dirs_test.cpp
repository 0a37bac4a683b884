// Game directory names: normalised, tested and created without leaving the program
// directory, refused when they are paths, and the match header and stale temporaries in them.
#include "fixture.h"

using namespace korax;
using namespace datatest;

namespace {

std::string normdir(std::string s) {
    NORMDIR(s);
    return s;
}

}  // namespace

using GameDirs = DataDir;

TEST(GameDirNames, NormDirReadyDirAndSafeName) {
    const std::pair<std::string, std::string> cases[] = {
        {normdir("game1"), "GAME1\\"}, {normdir("GAME1\\"), "GAME1\\"}, {normdir("a/b/"), "A/B/"},
        {normdir(""), ".\\"},  // never the root directory
        {READYDIR("GAME1\\"), "GAME1"}, {READYDIR("GAME1/"), "GAME1"}, {READYDIR("GAME1"), "GAME1"}, {READYDIR("/"), "/"},
        {READYDIR(""), ""}};
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
    const std::pair<std::string, std::string> safe[] = {
        {"  GAME1  ", "GAME1"}, {"GAME1/", "GAME1"}, {"ABCDEFGHIJKL", "ABCDEFGHIJKL"}, {"SP\x8E\x9ASS", "SP\x8E\x9ASS"},
        {"...", "..."}};
    for (const auto& [in, out] : safe) EXPECT_EQ(SAFENAME(in, 12), out) << in;
    EXPECT_EQ(SAFENAME(".\\", 12, true), ".");
    for (std::string bad : std::vector<std::string>{"", "   ", "..", "../", ".", "\\", "/", "..\\..\\X", "/etc",
                                                    "C:", "C:GAME", "A\\B", "A/B", "GAME1\\\\", "GA\x01ME", "GAME\x7F",
                                                    std::string("GA\0ME", 5), "ABCDEFGHIJKLM"})
        EXPECT_FALSE(SAFENAME(bad, 12).has_value()) << bad;
    EXPECT_TRUE(!SAFENAME("NINECHARS", 8).has_value() && SAFENAME("EIGHTCHR", 8).has_value());
}

TEST_F(GameDirs, CanChDirAndCheckGameDirKeepTheCurrentDirectory) {
    dirs({"game1", "a", "a/b"});
    put("FILE", "x");
    for (const char* d : {"", "GAME1", "GAME1\\"}) EXPECT_TRUE(CANCHDIR(d)) << d;
    for (const char* d : {"GAME2", "FILE"}) EXPECT_FALSE(CANCHDIR(d)) << d;
    const std::string abs = (root / "game1").string();
    const std::pair<std::string, std::string> cases[] = {
        {".", ".\\"}, {"", ".\\"}, {"GAME1", "GAME1\\"}, {abs + "/", abs + "\\"}, {"A\\B\\", "A\\B\\"}};
    for (const auto& [in, out] : cases) {
        GAMEDIR = in;
        CHECKGAMEDIR();
        EXPECT_EQ(GAMEDIR, out) << in;
    }
    EXPECT_EQ(std::filesystem::current_path(), root);
    GAMEDIR = "GAME9\\";
    EXPECT_EQ(fatal([] { CHECKGAMEDIR(); }), "13:GAME9");
}

TEST_F(GameDirs, InitDirCreatesWhatIsMissingAndFindsAnyLetterCase) {
    dirs({"game3"});
    const std::pair<std::string, std::string> cases[] = {
        {"GAME2", "GAME2\\"}, {".", ".\\"}, {"GAME3\\", "GAME3\\"}};
    for (auto [d, want] : cases) {
        INITDIR(d);
        EXPECT_EQ(d, want);
    }
    EXPECT_EQ(listing(), "GAME2\ngame3\n");
    EXPECT_EQ(std::filesystem::current_path(), root);
    // Over or below a file it is fatal 13.
    put("GAME4", "not a directory");
    std::string d = "GAME4";
    EXPECT_EQ(fatal([&] { INITDIR(d); }), "13:GAME4");
    d = "GAME4\\SUB";
    EXPECT_EQ(fatal([&] { INITDIR(d); }), "13:GAME4\\SUB");
    EXPECT_EQ(listing(), "GAME2\nGAME4\ngame3\n");
}

TEST_F(GameDirs, DataGameDirRefusesUnsafeNamesBeforeAnythingIsWritten) {
    const std::pair<const char*, const char*> good[] = {{"", ""}, {"   ", ""}, {"LIGA1\\", "LIGA1"}, {".", "."}};
    for (const auto& [name, dir] : good) EXPECT_EQ(DATAGAMEDIR(name, "TEAM3.RST"), dir) << name;
    EXPECT_EQ(fatal([] { DATAGAMEDIR("..\\..\\X", "TEAM3.RST"); }), "99:TEAM3.RST: unsafe game directory name \"..\\..\\X\"");
    EXPECT_EQ(fatal([] { DATAGAMEDIR(std::string("A\nB"), "X.RSZ"); }), "99:X.RSZ: unsafe game directory name \"A?B\"");
    EXPECT_EQ(listing(), "");
}

TEST_F(GameDirs, GameDirNameIsOnePlainName) {
    dirs({"game1"});
    const std::pair<std::string, std::string> cases[] = {
        {".\\", "."}, {"GAME1\\", "GAME1"}, {(root / "game1").string() + "\\", "game1"}, {root.string() + "/", "."},
        {"/somewhere/else/AVERYLONGGAMENAME\\", "AVERYLONGGAM"}, {"/", "."}};
    for (const auto& [dir, name] : cases) {
        EXPECT_EQ(GAMEDIRNAME(dir), name) << dir;
        EXPECT_TRUE(SAFENAME(name, 12, true).has_value()) << dir;
    }
}

TEST_F(GameDirs, GetGameNameReadsTheHeaderAndClampsTheLengthByte) {
    // The match number at 4, the home team's name at 6, the away team's at 913.
    Bytes clamped(2430);
    clamped.i16(4, -2).u8(6, 200).b.replace(7, 25, std::string(25, 'A'));
    put("GAME3.DAT", Bytes(2430).i16(4, 7).str(6, "Orc Crushers").str(913, "Elf Lancers").b);
    put("GAME4.DAT", clamped.b);
    put("SHORT.DAT", std::string(5, '\1'));
    put("HALF.DAT", Bytes(500).i16(4, 5).str(6, "Home").b);
    const struct { const char* file; bool whole; int nr; std::string home, away; } cases[] = {
        {"game3.dat", true, 7, "Orc Crushers", "Elf Lancers"}, {"GAME4.DAT", true, -2, std::string(25, 'A'), ""},
        {"NOPE.DAT", false, 6, "", ""}, {"SHORT.DAT", false, 6, "", ""}, {"HALF.DAT", false, 5, "Home", ""}};
    for (const auto& c : cases) {
        std::string n1 = "x", n2 = "y";
        std::int16_t nr = 0;
        const bool whole = GETGAMENAME(c.file, n1, n2, nr);
        EXPECT_EQ(std::to_string(whole) + "," + std::to_string(nr) + "," + n1 + "," + n2,
                  std::to_string(c.whole) + "," + std::to_string(c.nr) + "," + c.home + "," + c.away);
    }
}

TEST_F(GameDirs, StaleTemporaryFilesOfTheProgramGoAndNothingElse) {
    // A rewrite cut short leaves "." name "." six letters or digits; the unpacker ".rsz-" numbers ".tmp".
    const std::pair<const char*, bool> cases[] = {
        {".GAME3.DAT.a1B2c3", true},  {".palette!.pcx.000000", true}, {".rsz-4711-0-123456789.tmp", true},
        {".GAME3.DAT.a1B2c", false}, {".GAME3.DAT.a1B2c3d", false},   {".GAME3.DAT.a1-2c3", false},
        {"GAME3.DAT.a1B2c3", false}, {"..GAME3.a1B2c3", false},       {".a1B2c3", false},
        {".rsz-4711-0.tmp", false},  {".rsz-47x1-0-1.tmp", false},    {".rsz-4711-0-1.txt", false}};
    // A directory of that pattern is never touched.
    dirs({"LIGA", "LIGA/.TEAM3.DAT.abcdef"});
    std::set<std::string> want = {".TEAM3.DAT.abcdef"};
    for (const auto& [name, stale] : cases) {
        EXPECT_EQ(STALETEMPNAME(name), stale) << name;
        put(std::string("LIGA/") + name, "x");
        if (!stale) want.insert(name);
    }
    EXPECT_EQ(REMOVESTALETEMPS("liga\\"), 3);
    std::set<std::string> left;
    for (auto& e : std::filesystem::directory_iterator(root / "LIGA")) left.insert(e.path().filename().string());
    EXPECT_EQ(left, want);
    EXPECT_EQ(REMOVESTALETEMPS("NOWHERE"), 0);
}

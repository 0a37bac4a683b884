#include "gamedir_fixture.h"

using namespace korax;
using korax::testing::GameDirTest;
using korax::testing::fatal_nr;
using korax::testing::FileSizeLimit;

namespace {

std::string normdir(std::string s) {
    NORMDIR(s);
    return s;
}

}  // namespace

using GameDirs = GameDirTest;

TEST(GameDirNames, NormDirReadyDirAndCaps) {
    const std::pair<std::string, std::string> cases[] = {
        {normdir("game1"), "GAME1\\"}, {normdir("GAME1\\"), "GAME1\\"}, {normdir("."), ".\\"},
        {normdir("a/b/"), "A/B/"}, {normdir(""), ".\\"},  // never the root directory
        {READYDIR("GAME1\\"), "GAME1"}, {READYDIR("GAME1/"), "GAME1"}, {READYDIR("GAME1"), "GAME1"},
        {READYDIR(".\\"), "."}, {READYDIR("/"), "/"}, {READYDIR(""), ""}};
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
    std::string s = "sp\x84ter";
    CAPS(s);
    EXPECT_EQ(s, "SP\x8ETER");
}

TEST_F(GameDirs, CanChDirTestsWithoutLeavingTheProgramDirectory) {
    std::filesystem::create_directory(root / "game1");
    put("FILE", "x");
    EXPECT_TRUE(CANCHDIR(""));
    EXPECT_TRUE(CANCHDIR("."));
    EXPECT_TRUE(CANCHDIR("GAME1"));
    EXPECT_TRUE(CANCHDIR("GAME1\\"));
    EXPECT_FALSE(CANCHDIR("GAME2"));
    EXPECT_FALSE(CANCHDIR("FILE"));
    EXPECT_EQ(std::filesystem::current_path(), root);
}

TEST_F(GameDirs, CheckGameDirNormalisesAndKeepsTheCurrentDirectory) {
    std::filesystem::create_directories(root / "game1");
    std::filesystem::create_directories(root / "a" / "b");
    const std::string abs = (root / "game1").string();
    const std::pair<std::string, std::string> cases[] = {
        {".", ".\\"}, {".\\", ".\\"}, {"", ".\\"}, {"GAME1", "GAME1\\"}, {abs + "/", abs + "\\"}, {"A\\B\\", "A\\B\\"}};
    for (const auto& [in, out] : cases) {
        GAMEDIR = in;
        CHECKGAMEDIR();
        EXPECT_EQ(GAMEDIR, out) << in;
        EXPECT_EQ(std::filesystem::current_path(), root);
    }
}

TEST_F(GameDirs, CheckGameDirOfMissingDirectoryIsFatal13) {
    GAMEDIR = "GAME9\\";
    std::string text;
    EXPECT_EQ(fatal_nr([] { CHECKGAMEDIR(); }, &text), 13);
    EXPECT_EQ(text, "GAME9");
}

TEST_F(GameDirs, InitDirCreatesWhatIsMissing) {
    std::string d = "GAME2";
    INITDIR(d);
    EXPECT_EQ(d, "GAME2\\");
    EXPECT_TRUE(std::filesystem::is_directory(root / "GAME2"));
    INITDIR(d);
    EXPECT_EQ(d, "GAME2\\");
    std::string dot = ".";
    INITDIR(dot);
    EXPECT_EQ(dot, ".\\");
    EXPECT_EQ(listing(), "GAME2\n");
    EXPECT_EQ(std::filesystem::current_path(), root);
}

TEST_F(GameDirs, InitDirFindsAnExistingDirectoryInAnotherCase) {
    std::filesystem::create_directory(root / "game3");
    std::string d = "GAME3\\";
    INITDIR(d);
    EXPECT_EQ(d, "GAME3\\");
    EXPECT_EQ(listing(), "game3\n");
}

TEST_F(GameDirs, InitDirOverOrBelowAFileIsFatal13) {
    put("GAME4", "not a directory");
    std::string text, d = "GAME4";
    EXPECT_EQ(fatal_nr([&] { INITDIR(d); }, &text), 13);
    EXPECT_EQ(text, "GAME4");
    d = "GAME4\\SUB";
    EXPECT_EQ(fatal_nr([&] { INITDIR(d); }), 13);
    EXPECT_EQ(listing(), "GAME4\n");
}

TEST(GameDirNames, SafeNameAcceptsPlainNames) {
    const std::pair<std::string, std::string> cases[] = {
        {"GAME1", "GAME1"}, {"  GAME1  ", "GAME1"}, {"GAME1\\", "GAME1"}, {"GAME1/", "GAME1"},
        {"ABCDEFGHIJKL", "ABCDEFGHIJKL"}, {"SP\x8E\x9ASS", "SP\x8E\x9ASS"}, {"...", "..."}};
    for (const auto& [in, out] : cases) EXPECT_EQ(SAFENAME(in, 12), out) << in;
    EXPECT_EQ(SAFENAME(".", 12, true), ".");
    EXPECT_EQ(SAFENAME(".\\", 12, true), ".");
}

TEST(GameDirNames, SafeNameRefusesPathsAndOddCharacters) {
    for (std::string bad : std::vector<std::string>{"", "   ", "..", "..\\", "../", ".", "\\", "/", "..\\..\\X", "../../x", "/etc",
                            "\\WINDOWS", "C:", "C:\\", "C:GAME", "A\\B", "A/B", "GAME1\\\\", "GAME1//",
                            std::string("GA\x01ME"), std::string("GAME\x7F"), std::string("GA\0ME", 5),
                            "GAME\t1", "ABCDEFGHIJKLM"})
        EXPECT_FALSE(SAFENAME(bad, 12).has_value()) << bad;
    EXPECT_FALSE(SAFENAME("NINECHARS", 8).has_value());
    EXPECT_TRUE(SAFENAME("EIGHTCHR", 8).has_value());
}

TEST_F(GameDirs, DataGameDirRefusesUnsafeNamesBeforeAnythingIsWritten) {
    EXPECT_EQ(DATAGAMEDIR("", "TEAM3.RST"), "");
    EXPECT_EQ(DATAGAMEDIR("   ", "TEAM3.RST"), "");
    EXPECT_EQ(DATAGAMEDIR("LIGA1\\", "TEAM3.RST"), "LIGA1");
    EXPECT_EQ(DATAGAMEDIR(".", "TEAM3.RST"), ".");
    std::string text;
    EXPECT_EQ(fatal_nr([] { DATAGAMEDIR("..\\..\\X", "TEAM3.RST"); }, &text), 99);
    EXPECT_EQ(text, "TEAM3.RST: unsafe game directory name \"..\\..\\X\"");
    EXPECT_EQ(fatal_nr([] { DATAGAMEDIR(std::string("A\nB"), "X.RSZ"); }, &text), 99);
    EXPECT_EQ(text, "X.RSZ: unsafe game directory name \"A?B\"");
    EXPECT_EQ(fatal_nr([] { DATAGAMEDIR("/tmp", "X.RSZ"); }), 99);
    EXPECT_EQ(listing(), "");
}

namespace {

std::string matchheader(std::int16_t nr, const std::string& home, const std::string& away, std::size_t size) {
    std::string f(size, '\0');
    f[4] = static_cast<char>(nr & 0xFF);
    f[5] = static_cast<char>((nr >> 8) & 0xFF);
    STRING25 a = STRING25::of(home), b = STRING25::of(away);
    std::memcpy(f.data() + 6, &a, sizeof a);
    if (size >= 913 + sizeof b) std::memcpy(f.data() + 913, &b, sizeof b);
    return f;
}

}  // namespace

TEST_F(GameDirs, GetGameNameReadsTheHeaderAndClampsTheLengthByte) {
    put("GAME3.DAT", matchheader(7, "Orc Crushers", "Elf Lancers", 2430));
    std::string n1, n2;
    std::int16_t nr = 0;
    EXPECT_TRUE(GETGAMENAME("game3.dat", n1, n2, nr));
    EXPECT_EQ(nr, 7);
    EXPECT_EQ(n1, "Orc Crushers");
    EXPECT_EQ(n2, "Elf Lancers");
    std::string f = matchheader(-2, "", "", 2430);
    f[6] = static_cast<char>(200);
    std::memset(f.data() + 7, 'A', 25);
    put("GAME3.DAT", f);
    EXPECT_TRUE(GETGAMENAME("GAME3.DAT", n1, n2, nr));
    EXPECT_EQ(nr, -2);
    EXPECT_EQ(n1, std::string(25, 'A'));
}

TEST_F(GameDirs, GetGameNameOfShortOrMissingFile) {
    std::string n1 = "x", n2 = "y";
    std::int16_t nr = 0;
    EXPECT_FALSE(GETGAMENAME("NOPE.DAT", n1, n2, nr));
    EXPECT_EQ(nr, 6);
    EXPECT_EQ(n1, "");
    EXPECT_EQ(n2, "");
    put("SHORT.DAT", std::string(5, '\1'));
    EXPECT_FALSE(GETGAMENAME("SHORT.DAT", n1, n2, nr));
    EXPECT_EQ(nr, 6);
    put("HALF.DAT", matchheader(5, "Home", "", 500));
    EXPECT_FALSE(GETGAMENAME("HALF.DAT", n1, n2, nr));
    EXPECT_EQ(nr, 5);
    EXPECT_EQ(n1, "Home");
    EXPECT_EQ(n2, "");
}

TEST_F(GameDirs, GameDirNameIsOnePlainName) {
    std::filesystem::create_directories(root / "game1");
    EXPECT_EQ(GAMEDIRNAME(".\\"), ".");
    EXPECT_EQ(GAMEDIRNAME(""), ".");
    EXPECT_EQ(GAMEDIRNAME("GAME1\\"), "GAME1");
    EXPECT_EQ(GAMEDIRNAME((root / "game1").string() + "\\"), "game1");
    EXPECT_EQ(GAMEDIRNAME(root.string() + "/"), ".");
    EXPECT_EQ(GAMEDIRNAME("/somewhere/else/AVERYLONGGAMENAME\\"), "AVERYLONGGAM");
    EXPECT_EQ(GAMEDIRNAME("/"), ".");
    for (auto d : {".\\", "GAME1\\", "/x/y/LIGA\\"}) EXPECT_TRUE(SAFENAME(GAMEDIRNAME(d), 12, true).has_value()) << d;
}

TEST_F(GameDirs, StaleTemporaryFilesOfTheProgramGoAndNothingElse) {
    struct Case {
        const char* name;
        bool stale;
    };
    const Case cases[] = {
        {".GAME3.DAT.a1B2c3", true},      // a whole-file rewrite cut short
        {".GEN3.DAT.XyZ987", true},
        {".palette!.pcx.000000", true},
        {".rsz-4711-0-123456789.tmp", true},  // the unpacker's
        {".GAME3.DAT.a1B2c", false},      // five characters
        {".GAME3.DAT.a1B2c3d", false},    // seven
        {".GAME3.DAT.a1-2c3", false},
        {"GAME3.DAT.a1B2c3", false},      // not hidden
        {"..GAME3.a1B2c3", false},
        {".a1B2c3", false},               // no name before the six characters
        {".rsz-4711-0.tmp", false},
        {".rsz-47x1-0-1.tmp", false},
        {".rsz-4711-0-1.txt", false},
        {".bashrc", false},
        {"GAME3.DAT", false},
    };
    std::filesystem::create_directory(root / "LIGA");
    std::string kept;
    for (const Case& c : cases) {
        EXPECT_EQ(STALETEMPNAME(c.name), c.stale) << c.name;
        put(std::string("LIGA/") + c.name, "x");
        if (!c.stale) kept += std::string("LIGA/") + c.name + "\n";
    }
    // A directory of that pattern is never touched.
    std::filesystem::create_directory(root / "LIGA" / ".TEAM3.DAT.abcdef");
    kept += "LIGA/.TEAM3.DAT.abcdef\n";
    EXPECT_EQ(REMOVESTALETEMPS("liga\\"), 4);
    std::set<std::string> left, want;
    for (auto& e : std::filesystem::directory_iterator(root / "LIGA")) left.insert("LIGA/" + e.path().filename().string());
    for (std::size_t a = 0, b; (b = kept.find('\n', a)) != std::string::npos; a = b + 1) want.insert(kept.substr(a, b - a));
    EXPECT_EQ(left, want);
    EXPECT_EQ(REMOVESTALETEMPS("NOWHERE"), 0);
}

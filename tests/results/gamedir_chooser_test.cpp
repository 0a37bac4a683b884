// The game chooser, the new-game panel and the missing-directory question, driven
// by input scripts on the headless graph layer.
#include "common/headless_screen.h"
#include "data/gamedir_fixture.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/inputscript.h"
#include "results/g_gamechoose.h"
#include "shell/korax.h"
#include "ui/frames.h"

using namespace korax;
using korax::testing::GameDirTest;

namespace {

// Where the chooser draws visible row i (window 500 pixels wide, centred, rows from y 164).
constexpr int ROWX = 400;
int rowy(int i) { return 164 + 20 * i + 8; }

}  // namespace

class GameChooser : public GameDirTest {
protected:
    std::array<STRING70, 701> oldl;
    std::string oldrst;

    void SetUp() override {
        GameDirTest::SetUp();
        oldl = L;
        oldrst = RSTNAME;
        L[551].set("Up/Down: select");
        L[552].set("Ins: new  Del: remove  Space: describe");
        L[553].set("F1: keys  Esc: quit");
        L[556].set("Choose your game");
        L[557].set("The game has been removed from the list.");
        L[564].set("Ins: add");
        L[565].set("Del: remove");
        L[566].set("Space: describe");
        L[568].set("Game directory # does not exist");
        L[569].set("Game # has been added to the list.");
        L[570].set("A result for a new game has arrived.");
        L[571].set("Name of the game directory:");
        L[572].set("Description");
        L[573].set("Create directory #");
        L[574].set("Enter a new game");
        korax::testing::OPENHEADLESSSCREEN();
    }

    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        L = oldl;
        RSTNAME = oldrst;
        GameDirTest::TearDown();
    }

    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "chooser.kis"); }

    void games(const std::string& text, std::initializer_list<const char*> dirs) {
        for (auto d : dirs) std::filesystem::create_directory(root / d);
        put("GAMES.INI", text);
        READGAMESINI();
    }
};

TEST_F(GameChooser, KeysAndClicksChooseRemoveOrDoNothing) {
    const std::string two = "DEMO, demo\nLIGA1, league\n", one = "DEMO, demo\n";
    auto click = [](int row) { return "click " + std::to_string(ROWX) + " " + std::to_string(rowy(row)) + "\n"; };
    const struct {
        std::string ini, script;
        const char* chosen;
        int count;     // games listed afterwards
        bool changed;  // the list to be written
    } cases[] = {
        {one, "key Enter\n", "", 1, false},  // entry zero: a new game
        {two, "key Down\nkey Down\nkey Up\nkey Enter\n", "DEMO", 2, false},
        {two, click(2), "LIGA1", 2, false},
        {one, click(5) + "key Down\nkey Enter\n", "DEMO", 1, false},  // below the rows: nothing
        {one, "key F1\nkey Enter\nkey Down\nkey Enter\n", "DEMO", 1, false},
        {one, "key Ins\ntext demo\nkey Enter\nkey Enter\n", "", 1, false},  // already listed
        {one, "key Del\nkey Enter\n", "", 1, false},                        // entry zero stays
        {two, "key Down\nkey Del\nkey Enter\nkey Enter\n", "LIGA1", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        AENDERUNG = false;
        games(c.ini, {"DEMO", "LIGA1"});
        script(c.script);
        EXPECT_EQ(GETGAMELISTE(0), c.chosen);
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
        EXPECT_EQ(GAMESANZ, c.count);
        EXPECT_EQ(AENDERUNG, c.changed);
        EXPECT_EQ(GAMES[0].NAME.str(), "<none/new>");
    }
    EXPECT_TRUE(std::filesystem::is_directory(root / "DEMO"));  // a removed game keeps its directory
}

TEST_F(GameChooser, InsertAddsAndCreatesTheDirectory) {
    games("; my games\nDEMO, demo\n", {"DEMO"});
    script("key Ins\ntext liga2\nkey Enter\n# the confirmation\nkey Enter\nkey Enter\n");
    EXPECT_EQ(GETGAMELISTE(0), "LIGA2");
    ASSERT_EQ(GAMESANZ, 2);
    EXPECT_EQ(GAMES[2].NAME.str(), "LIGA2");
    EXPECT_EQ(GAMES[2].BESCHREIB.str(), "");
    EXPECT_TRUE(AENDERUNG);
    EXPECT_TRUE(std::filesystem::is_directory(root / "LIGA2"));
    WRITEGAMESINI();
    EXPECT_EQ(get("GAMES.INI"), "; my games\nDEMO, demo\nLIGA2, \n");
}

TEST_F(GameChooser, InsertOfAPathCreatesNothing) {
    games("", {});
    script("key Ins\ntext ../x\nkey Enter\nkey Enter\n");
    EXPECT_EQ(GETGAMELISTE(0), "");
    EXPECT_EQ(GAMESANZ, 0);
    EXPECT_EQ(listing(), "GAMES.INI\n");
}

TEST_F(GameChooser, SpaceEditsTheDescriptionInPlace) {
    struct Case {
        const char* keys;
        const char* description;
    };
    const Case cases[] = {
        {"key Esc\ntext Sunday league\n", "Sunday league"},  // replaced
        {"text  (old)\n", "demo (old)"},                      // extended
        {"", "demo"},                                           // kept
        {"key Esc\n", ""},                                     // cleared
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        games("DEMO, demo\n", {"DEMO"});
        script(std::string("key Down\nkey Space\n") + c.keys + "key Enter\nkey Enter\n");
        EXPECT_EQ(GETGAMELISTE(0), "DEMO");
        EXPECT_EQ(GAMES[1].BESCHREIB.str(), c.description);
        EXPECT_TRUE(AENDERUNG);
    }
}

TEST_F(GameChooser, RightClickDescribesTheClickedGame) {
    games("DEMO, demo\nLIGA1, league\n", {"DEMO", "LIGA1"});
    script("click " + std::to_string(ROWX) + " " + std::to_string(rowy(2)) +
           " right\nkey Esc\ntext Friday\nkey Enter\nkey Enter\n");
    EXPECT_EQ(GETGAMELISTE(0), "LIGA1");
    EXPECT_EQ(GAMES[2].BESCHREIB.str(), "Friday");
    EXPECT_EQ(GAMES[1].BESCHREIB.str(), "demo");
}

TEST_F(GameChooser, EscapeEndsTheProgramInOrder) {
    games("DEMO, demo\n", {"DEMO"});
    script("key Esc\n");
    try {
        GETGAMELISTE(0);
        FAIL() << "no end";
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.code, 0);
    }
}

TEST_F(GameChooser, ScrollsPastFifteenRows) {
    std::string text;
    std::vector<std::string> names;
    for (int i = 1; i <= 18; ++i) names.push_back("G" + std::to_string(i));
    for (auto& n : names) {
        std::filesystem::create_directory(root / n);
        text += n + ", game\n";
    }
    put("GAMES.INI", text);
    READGAMESINI();
    std::string keys;
    for (int i = 0; i < 17; ++i) keys += "key Down\n";
    // Row 0 now shows entry 3; a click on its last visible row picks entry 17.
    script(keys + "click " + std::to_string(ROWX) + " " + std::to_string(rowy(14)) + "\n");
    EXPECT_EQ(GETGAMELISTE(0), "G17");
}

TEST_F(GameChooser, Dir2GameDirTakesAnExistingDirectoryOrCreatesItOnTheFirstAnswer) {
    std::filesystem::create_directory(root / "liga1");
    DIR2GAMEDIR("LIGA1");  // nothing asked
    EXPECT_EQ(GAMEDIR, "LIGA1\\");
    script("key Enter\n");
    DIR2GAMEDIR("LIGA4");
    EXPECT_EQ(GAMEDIR, "LIGA4\\");
    EXPECT_TRUE(std::filesystem::is_directory(root / "LIGA4"));
}

TEST_F(GameChooser, Dir2GameDirSecondAnswerEntersANewGame) {
    put("GAMES.INI", "; games\n");
    RSTNAME = "TEAM3.RST";
    // The choice box reads one waiting key when it closes: "Right" is that key.
    script("key Down\nkey Enter\nkey Right\nkey Esc\ntext liga5\nkey Enter\ntext Tuesday\nkey Enter\n");
    DIR2GAMEDIR("LIGA4");
    EXPECT_EQ(GAMEDIR, "LIGA5\\");
    EXPECT_TRUE(std::filesystem::is_directory(root / "liga5"));
    EXPECT_FALSE(exists("LIGA4"));
    EXPECT_EQ(get("GAMES.INI"), "; games\nLIGA5, Tuesday\n");
}

TEST_F(GameChooser, Dir2GameDirCancelledEndsTheProgram) {
    script("key Esc\n");
    EXPECT_THROW(DIR2GAMEDIR("LIGA4"), ProgramEnd);
    EXPECT_EQ(listing(), "");
}

TEST_F(GameChooser, Dir2GameDirRefusesAPath) {
    RSTNAME = "TEAM3.RST";
    try {
        DIR2GAMEDIR("..\\OUT");
        FAIL() << "no fatal error";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 99);
        EXPECT_EQ(e.text, "TEAM3.RST: unsafe game directory name \"..\\OUT\"");
    }
    EXPECT_EQ(listing(), "");
}

TEST_F(GameChooser, NewGamePanelAsksAgainForAPlainName) {
    put("GAMES.INI", "DEMO, demo");
    GAMEDIR = ".\\";
    script("text ../up\nkey Enter\ntext a\\b\nkey Enter\ntext new1\nkey Enter\ntext My new league\nkey Enter\n");
    BESCHREIBGAMEDIR();
    EXPECT_EQ(GAMEDIR, "NEW1\\");
    EXPECT_EQ(get("GAMES.INI"), "DEMO, demo\nNEW1, My new league\n");
    EXPECT_EQ(listing(), "GAMES.INI\nnew1\n");
}

TEST_F(GameChooser, NewGamePanelNeverListsTheDemonstrationGame) {
    put("GAMES.INI", "");
    GAMEDIR = "demo\\";
    BESCHREIBGAMEDIR();
    EXPECT_EQ(get("GAMES.INI"), "");
}

TEST_F(GameChooser, NewGamePanelTakesAtMostEightCharacters) {
    put("GAMES.INI", "");
    GAMEDIR = ".\\";
    script("text abcdefghij\nkey Enter\ntext x\nkey Enter\n");
    BESCHREIBGAMEDIR();
    EXPECT_EQ(GAMEDIR, "ABCDEFGH\\");
    EXPECT_EQ(get("GAMES.INI"), "ABCDEFGH, x\n");
}

TEST_F(GameChooser, NewGamePanelStartsWithTheGameDirectory) {
    struct Case {
        const char* gamedir;
        const char* keys;
        const char* chosen;
    };
    const Case cases[] = {
        {"LIGA4\\", "", "LIGA4\\"},                        // Enter takes it
        {"TWELVECHARSX\\", "", "TWELVECHARSX\\"},          // a name the result brings is not cut
        {"LIGA4\\", "key Backspace\ntext 5\n", "LIGA5\\"},  // edited
        {".\\", "text new\n", "NEW\\"},                  // the program directory offers nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gamedir);
        put("GAMES.INI", "");
        GAMEDIR = c.gamedir;
        script(std::string(c.keys) + "key Enter\ntext x\nkey Enter\n");
        BESCHREIBGAMEDIR();
        EXPECT_EQ(GAMEDIR, c.chosen);
        EXPECT_EQ(get("GAMES.INI"), std::string(c.chosen).substr(0, std::string(c.chosen).size() - 1) + ", x\n");
    }
}

// The game chooser, the new-game panel and the missing-directory question, driven
// by input scripts on the headless graph layer.
#include "common/headless_screen.h"
#include "data/fixture.h"
#include "graph/inputscript.h"
#include "results/g_gamechoose.h"
#include "shell/korax.h"
#include "ui/frames.h"

using namespace korax;
using datatest::DataDir;

namespace {

// A click on visible row i (window 500 pixels wide, centred, rows from y 164).
std::string row(int i, const char* button = "") { return "click 400 " + std::to_string(164 + 20 * i + 8) + button + "\n"; }

class GameChooser : public DataDir {
protected:
    std::string oldrst = RSTNAME;

    void SetUp() override {
        DataDir::SetUp();
        for (std::size_t i = 551; i <= 574; ++i) L[i].set("T" + std::to_string(i) + " #");
        korax::testing::OPENHEADLESSSCREEN();
    }
    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RSTNAME = oldrst;
        DataDir::TearDown();
    }
    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "chooser.kis"); }
    void games(const std::string& text, std::initializer_list<const char*> names) {
        dirs(names);
        put("GAMES.INI", text);
        READGAMESINI();
    }
};

}  // namespace

TEST_F(GameChooser, KeysAndClicksChooseRemoveDescribeOrDoNothing) {
    const std::string two = "DEMO, demo\nLIGA1, league\n", one = "DEMO, demo\n";
    const std::string describe = "key Down\nkey Space\n", done = "key Enter\nkey Enter\n";
    // Chosen|games listed afterwards|the list to be written|the first game's description.
    const struct { std::string ini, script; const char* after; } cases[] = {
        {one, "key Enter\n", "|1|0|demo"},  // entry zero: a new game
        {two, row(2), "LIGA1|2|0|demo"},
        {one, row(5) + "key Down\nkey Enter\n", "DEMO|1|0|demo"},  // below the rows: nothing
        {one, "key F1\nkey Enter\nkey Down\nkey Enter\n", "DEMO|1|0|demo"},
        {one, "key Ins\ntext demo\nkey Enter\nkey Enter\n", "|1|0|demo"},  // already listed
        {one, "key Del\nkey Enter\n", "|1|0|demo"},                        // entry zero stays
        {two, "key Down\nkey Del\nkey Enter\nkey Enter\n", "LIGA1|1|1|league"},
        {one, describe + "key Esc\ntext Sunday league\n" + done, "DEMO|1|1|Sunday league"},
        {one, describe + "key Esc\n" + done, "DEMO|1|1|"},
        {two, row(2, " right") + "key Esc\ntext Friday\n" + done, "LIGA1|2|1|demo"}};
    for (const auto& c : cases) {
        AENDERUNG = false;
        games(c.ini, {"DEMO", "LIGA1"});
        script(c.script);
        const std::string chosen = GETGAMELISTE(0);
        EXPECT_EQ(chosen + "|" + std::to_string(GAMESANZ) + "|" + std::to_string(AENDERUNG) + "|" + GAMES[1].BESCHREIB.str(), c.after) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
    }
    EXPECT_EQ(GAMES[2].BESCHREIB.str(), "Friday");
    EXPECT_TRUE(std::filesystem::is_directory(root / "DEMO"));  // a removed game keeps its directory
}

TEST_F(GameChooser, ScrollsPastFifteenRows) {
    std::string text, keys;
    for (int i = 1; i <= 18; ++i) {
        std::filesystem::create_directory(root / ("G" + std::to_string(i)));
        text += "G" + std::to_string(i) + ", game\n";
        keys += i < 18 ? "key Down\n" : "";
    }
    games(text, {});
    // Row 0 now shows entry 3; a click on its last visible row picks entry 17.
    script(keys + row(14));
    EXPECT_EQ(GETGAMELISTE(0), "G17");
}

// An existing directory is taken without a question; the first answer creates a
// missing one, the second enters a new game, Escape ends; a path is refused.
TEST_F(GameChooser, Dir2GameDir) {
    dirs({"liga1"});
    DIR2GAMEDIR("LIGA1");
    EXPECT_EQ(GAMEDIR, "LIGA1\\");
    script("key Enter\n");
    DIR2GAMEDIR("LIGA4");
    EXPECT_EQ(GAMEDIR, "LIGA4\\");
    EXPECT_TRUE(std::filesystem::is_directory(root / "LIGA4"));

    put("GAMES.INI", "; games\n");
    RSTNAME = "TEAM3.RST";
    // The choice box reads one waiting key when it closes: "Right" is that key.
    script("key Down\nkey Enter\nkey Right\nkey Esc\ntext liga5\nkey Enter\ntext Tuesday\nkey Enter\n");
    DIR2GAMEDIR("LIGA6");
    EXPECT_EQ(GAMEDIR, "LIGA5\\");
    EXPECT_EQ(get("GAMES.INI"), "; games\nLIGA5, Tuesday\n");
    script("key Esc\n");
    EXPECT_THROW(DIR2GAMEDIR("LIGA7"), ProgramEnd);
    EXPECT_EQ(datatest::fatal([] { DIR2GAMEDIR("..\\OUT"); }), "99:TEAM3.RST: unsafe game directory name \"..\\OUT\"");
    EXPECT_EQ(listing(), "GAMES.INI\nLIGA4\nliga1\nliga5\n");
}

// The panel starts with the game directory (not cut, the program directory offers
// nothing), takes eight characters, asks again for a plain name, and never lists
// the demonstration game.
TEST_F(GameChooser, NewGamePanel) {
    const struct { const char* gamedir; std::string keys; const char* chosen; } cases[] = {
        {"LIGA4\\", "", "LIGA4"}, {"TWELVECHARSX\\", "", "TWELVECHARSX"}, {"LIGA4\\", "key Backspace\ntext 5\n", "LIGA5"},
        {".\\", "text abcdefghij\n", "ABCDEFGH"}, {".\\", "text ../up\nkey Enter\ntext a\\b\nkey Enter\ntext new1\n", "NEW1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        put("GAMES.INI", "DEMO, demo");
        GAMEDIR = c.gamedir;
        script(c.keys + "key Enter\ntext My league\nkey Enter\n");
        BESCHREIBGAMEDIR();
        EXPECT_EQ(GAMEDIR, std::string(c.chosen) + "\\");
        EXPECT_EQ(get("GAMES.INI"), std::string("DEMO, demo\n") + c.chosen + ", My league\n");
    }
    EXPECT_EQ(listing(), "GAMES.INI\nLIGA4\nLIGA5\nTWELVECHARSX\nabcdefgh\nnew1\n");
    put("GAMES.INI", "");
    GAMEDIR = "demo\\";
    BESCHREIBGAMEDIR();
    EXPECT_EQ(get("GAMES.INI"), "");
}

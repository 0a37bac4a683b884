// GAMES.INI, the list of games: read with its other lines kept, rewritten and
// appended, and the chooser's insert and scrolling.
#include "fixture.h"

using namespace korax;
using namespace datatest;

using GameList = DataDir;

TEST_F(GameList, ReadsEntriesKeepsOtherLinesAndDropsDuplicatesAndMissingDirectories) {
    dirs({"DEMO", "liga1"});
    PARSEGAMESINI("; Korax games: directory, description\nDEMO, Demonstration league (10 teams)\n"
                  "  liga1 ,   Friday league ; my comment\nno comma here\n, no name\n\n");
    ASSERT_EQ(GAMESANZ, 2);
    EXPECT_EQ(GAMES[1].NAME.str() + "|" + GAMES[1].BESCHREIB.str(), "DEMO|Demonstration league (10 teams)");
    EXPECT_EQ(GAMES[2].NAME.str() + "|" + GAMES[2].BESCHREIB.str(), "LIGA1|Friday league");
    EXPECT_FALSE(AENDERUNG);
    EXPECT_EQ(GAMESINITEXT(), "; Korax games: directory, description\nno comma here\n, no name\n\n"
                              "DEMO, Demonstration league (10 teams)\nLIGA1, Friday league\n");
    put("LIGA", "a file, not a game");
    PARSEGAMESINI("DEMO\\, first\ndemo, second\nGONE, vanished\nLIGA, league\n");
    ASSERT_EQ(GAMESANZ, 1);
    EXPECT_EQ(GAMES[1].NAME.str() + "|" + GAMES[1].BESCHREIB.str(), "DEMO|first");  // a trailing backslash is taken
    EXPECT_TRUE(AENDERUNG);
    EXPECT_EQ(GAMESINITEXT(), "DEMO, first\n");
}

TEST_F(GameList, GamesBeyondTheLimitStayInTheFile) {
    std::string text;
    for (int i = 1; i <= 23; ++i) {
        const std::string n = "G" + std::to_string(i);
        std::filesystem::create_directory(root / n);
        text += n + ", game " + std::to_string(i) + "\n";
    }
    PARSEGAMESINI(text);
    EXPECT_EQ(GAMESANZ, MAXGAMES);
    EXPECT_EQ(GAMES[20].NAME.str(), "G20");
    EXPECT_TRUE(GAMESREST.empty());
    EXPECT_EQ(GAMESMORE, (std::vector<std::string>{"G21, game 21", "G22, game 22", "G23, game 23"}));
    EXPECT_EQ(GAMESINITEXT(), text);
}

TEST_F(GameList, LongNamesAreCutPathsRefusedUnenterableDropped) {
    dirs({"ABCDEFGHIJKL", "LIGA"});
    const struct { const char* line; const char* listed; bool refused; } cases[] = {
        // listed: the name, or "" for none; refused: named to the trainer, kept in the file
        {"abcdefghijklmnop, long name", "ABCDEFGHIJKL", false}, {"LIGA/, trailing slash", "LIGA", false},
        {"THIRTEENCHARS, cut and missing", "", false},          {"..\\..\\ETC, up", "", true}};
    // Each kind of path refused is the safe names' test.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        PARSEGAMESINI(std::string("; games\n") + c.line + "\n");
        EXPECT_EQ(GAMESANZ, *c.listed ? 1 : 0);
        EXPECT_EQ(GAMES[1].NAME.str(), c.listed);
        const std::vector<std::string> refused = {std::string("line 2: ") + c.line};
        EXPECT_EQ(GAMESREFUSED, c.refused ? refused : std::vector<std::string>{});
        if (c.refused) {
            EXPECT_EQ(GAMESINITEXT(), std::string("; games\n") + c.line + "\n");
        }
    }
    EXPECT_FALSE(exists("ETC"));
}

TEST_F(GameList, ReadRewriteAndAppendOfTheFile) {
    EXPECT_EQ(fatal([] { READGAMESINI(); }), "1: GAMES.INI");
    EXPECT_EQ(fatal([] { APPENDGAMESINI("NEW, new"); }), "1:GAMES.INI");
    // Other lines first, the line ends kept, missing games dropped.
    dirs({"DEMO", "B"});
    put("GAMES.INI", "; list\r\nDEMO, demo\r\nB, bee\r\nX, gone\r\n");
    READGAMESINI();
    EXPECT_TRUE(AENDERUNG);
    {
        FileSizeLimit limit(5);
        EXPECT_EQ(fatal([] { WRITEGAMESINI(); }), "5:GAMES.INI");
    }
    EXPECT_EQ(get("GAMES.INI"), "; list\r\nDEMO, demo\r\nB, bee\r\nX, gone\r\n");
    WRITEGAMESINI();
    EXPECT_EQ(get("GAMES.INI"), "; list\r\nDEMO, demo\r\nB, bee\r\n");
    EXPECT_EQ(listing(), "B\nDEMO\nGAMES.INI\n");
    // An append never joins lines.
    const std::pair<const char*, const char*> appends[] = {{"DEMO, demo", "DEMO, demo\nNEW, new game\n"},
                                                           {"", "NEW, new game\n"}};
    for (const auto& [before, after] : appends) {
        put("GAMES.INI", before);
        APPENDGAMESINI("NEW, new game");
        EXPECT_EQ(get("GAMES.INI"), after);
    }
}

TEST_F(GameList, InsertRefusesPathsEmptyNamesFilesAndAFullListAndMovingScrolls) {
    GAMELISTVIEW v;
    for (const char* bad : {"", "..", "A\\B", "THIRTEENCHARS"})
        EXPECT_FALSE(GAMELISTINSERT(v, bad)) << bad;
    EXPECT_EQ(GAMESANZ, 0);
    EXPECT_EQ(listing(), "");
    put("LIGA", "a file");
    EXPECT_EQ(fatal([&] { GAMELISTINSERT(v, "LIGA"); }), "13:LIGA");
    EXPECT_TRUE(GAMELISTINSERT(v, "  liga1 "));
    EXPECT_EQ(GAMES[1].NAME.str(), "LIGA1");
    for (int i = 2; i <= MAXGAMES; ++i) EXPECT_TRUE(GAMELISTINSERT(v, "G" + std::to_string(i)));
    EXPECT_EQ(v.pos, MAXGAMES);
    EXPECT_EQ(std::filesystem::current_path(), root);
    EXPECT_FALSE(GAMELISTINSERT(v, "G21"));
    EXPECT_FALSE(exists("G21"));
    // Moving scrolls fifteen rows at a time.
    v = GAMELISTVIEW{};
    const struct { int by, pos, top; } moves[] = {{-1, 0, 0}, {14, 14, 0}, {1, 15, 1}, {100, 20, 6}, {-20, 0, 0}};
    for (const auto& m : moves) {
        GAMELISTMOVE(v, m.by);
        EXPECT_EQ(v.pos * 100 + v.top, m.pos * 100 + m.top) << m.by;
    }
}

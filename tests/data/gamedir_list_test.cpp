#include "gamedir_fixture.h"

using namespace korax;
using korax::testing::GameDirTest;
using korax::testing::fatal_nr;
using korax::testing::FileSizeLimit;

class GameList : public GameDirTest {
protected:
    void dirs(std::initializer_list<const char*> names) {
        for (auto n : names) std::filesystem::create_directory(root / n);
    }
};

TEST_F(GameList, ReadsEntriesCommentsAndOtherLines) {
    PARSEGAMESINI("");
    EXPECT_EQ(GAMESANZ, 0);
    EXPECT_EQ(GAMES[0].NAME.str(), "<none/new>");  // entry zero: a new game
    EXPECT_EQ(GAMELISTRESULT(0), "");
    dirs({"DEMO", "liga1"});
    PARSEGAMESINI("; Korax games: directory, description\n"
                  "DEMO, Demonstration league (10 teams)\n"
                  "  liga1 ,   Friday league ; my comment\n"
                  "no comma here\n"
                  ", no name\n"
                  "\n");
    ASSERT_EQ(GAMESANZ, 2);
    EXPECT_EQ(GAMES[1].NAME.str(), "DEMO");
    EXPECT_EQ(GAMES[1].BESCHREIB.str(), "Demonstration league (10 teams)");
    EXPECT_EQ(GAMES[2].NAME.str(), "LIGA1");
    EXPECT_EQ(GAMES[2].BESCHREIB.str(), "Friday league");
    EXPECT_FALSE(AENDERUNG);
    EXPECT_EQ(GAMELISTRESULT(2), "LIGA1");
    EXPECT_EQ(GAMESINITEXT(),
              "; Korax games: directory, description\n"
              "no comma here\n"
              ", no name\n"
              "\n"
              "DEMO, Demonstration league (10 teams)\n"
              "LIGA1, Friday league\n");
}

TEST_F(GameList, DuplicatesAndMissingDirectoriesAreDropped) {
    dirs({"DEMO"});
    put("LIGA", "a file, not a game");
    PARSEGAMESINI("DEMO\\, first\ndemo, second\nGONE, vanished\nLIGA, league\n");
    ASSERT_EQ(GAMESANZ, 1);
    EXPECT_EQ(GAMES[1].NAME.str(), "DEMO");  // a trailing backslash is accepted
    EXPECT_EQ(GAMES[1].BESCHREIB.str(), "first");
    EXPECT_TRUE(AENDERUNG);
    EXPECT_EQ(GAMESINITEXT(), "DEMO, first\n");
}

TEST_F(GameList, GamesBeyondTheLimitStayInTheFile) {
    std::string text;
    for (int i = 1; i <= 23; ++i) {
        std::string n = "G" + std::to_string(i);
        std::filesystem::create_directory(root / n);
        text += n + ", game " + std::to_string(i) + "\n";
    }
    PARSEGAMESINI(text);
    EXPECT_EQ(GAMESANZ, MAXGAMES);
    EXPECT_EQ(GAMES[20].NAME.str(), "G20");
    EXPECT_TRUE(GAMESREST.empty());
    ASSERT_EQ(GAMESMORE.size(), 3u);
    EXPECT_EQ(GAMESMORE[0], "G21, game 21");
    EXPECT_EQ(GAMESINITEXT(), text);
    PARSEGAMESINI(GAMESINITEXT());
    EXPECT_EQ(GAMES[1].NAME.str(), "G1");
    EXPECT_EQ(GAMES[20].NAME.str(), "G20");
}

TEST_F(GameList, LongNamesAreCutPathsRefusedUnenterableDropped) {
    dirs({"ABCDEFGHIJKL", "LIGA"});
    struct Case {
        const char* line;
        const char* listed;   // name listed, or "" for none
        bool refused;         // named to the trainer, kept in the file
    };
    const Case cases[] = {
        {"abcdefghijklmnop, long name", "ABCDEFGHIJKL", false},
        {"LIGA/, trailing slash", "LIGA", false},
        {"THIRTEENCHARS, cut and missing", "", false},
        {"..\\..\\ETC, up", "", true},
        {"/etc, absolute", "", true},
        {"C:\\KORAX, drive", "", true},
        {"A/B, two levels", "", true},
        {".., parent", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        PARSEGAMESINI(std::string("; games\n") + c.line + "\n");
        EXPECT_EQ(GAMESANZ, *c.listed ? 1 : 0);
        if (*c.listed) {
            EXPECT_EQ(GAMES[1].NAME.str(), c.listed);
        }
        if (c.refused) {
            EXPECT_EQ(GAMESREFUSED, std::vector<std::string>{std::string("line 2: ") + c.line});
            EXPECT_EQ(GAMESINITEXT(), std::string("; games\n") + c.line + "\n");
        } else {
            EXPECT_TRUE(GAMESREFUSED.empty());
        }
    }
    EXPECT_FALSE(exists("ETC"));
}

TEST_F(GameList, MissingFileIsFatal1WithTheLeadingBlank) {
    std::string text;
    EXPECT_EQ(fatal_nr([] { READGAMESINI(); }, &text), 1);
    EXPECT_EQ(text, " GAMES.INI");
}

TEST_F(GameList, RewriteKeepsOtherLinesFirstAndTheLineEnds) {
    dirs({"DEMO", "B"});
    put("GAMES.INI", "; list\r\nDEMO, demo\r\nB, bee\r\nX, gone\r\n");
    READGAMESINI();
    EXPECT_TRUE(AENDERUNG);
    WRITEGAMESINI();
    EXPECT_EQ(get("GAMES.INI"), "; list\r\nDEMO, demo\r\nB, bee\r\n");
    EXPECT_EQ(listing(), "B\nDEMO\nGAMES.INI\n");
}

TEST_F(GameList, AppendNeedsTheFileAndNeverJoinsLines) {
    std::string text;
    EXPECT_EQ(fatal_nr([] { APPENDGAMESINI("NEW, new"); }, &text), 1);
    EXPECT_EQ(text, "GAMES.INI");
    put("GAMES.INI", "DEMO, demo");
    APPENDGAMESINI("NEW, new game");
    EXPECT_EQ(get("GAMES.INI"), "DEMO, demo\nNEW, new game\n");
    put("GAMES.INI", "");
    APPENDGAMESINI("NEW, x");
    EXPECT_EQ(get("GAMES.INI"), "NEW, x\n");
}

TEST_F(GameList, InsertCreatesTheDirectoryAndAddsAnEmptyDescription) {
    dirs({"DEMO"});
    PARSEGAMESINI("DEMO, demo\n");
    GAMELISTVIEW v;
    EXPECT_TRUE(GAMELISTINSERT(v, "  liga2 "));
    ASSERT_EQ(GAMESANZ, 2);
    EXPECT_EQ(GAMES[2].NAME.str(), "LIGA2");
    EXPECT_EQ(GAMES[2].BESCHREIB.str(), "");
    EXPECT_TRUE(AENDERUNG);
    EXPECT_EQ(v.pos, 2);
    EXPECT_TRUE(std::filesystem::is_directory(root / "LIGA2"));
    EXPECT_EQ(std::filesystem::current_path(), root);
}

TEST_F(GameList, InsertRefusesPathsEmptyNamesAndAFullList) {
    GAMELISTVIEW v;
    for (const char* bad : {"", "   ", "..", "../X", "A\\B", "/tmp", "C:", "THIRTEENCHARS"})
        EXPECT_FALSE(GAMELISTINSERT(v, bad)) << bad;
    EXPECT_EQ(GAMESANZ, 0);
    EXPECT_EQ(listing(), "");
    for (int i = 1; i <= MAXGAMES; ++i) EXPECT_TRUE(GAMELISTINSERT(v, "G" + std::to_string(i)));
    EXPECT_FALSE(GAMELISTINSERT(v, "G21"));
    EXPECT_EQ(GAMESANZ, MAXGAMES);
    EXPECT_FALSE(exists("G21"));
}

TEST_F(GameList, InsertOverAFileIsFatal13) {
    put("LIGA", "a file");
    GAMELISTVIEW v;
    EXPECT_EQ(fatal_nr([&] { GAMELISTINSERT(v, "LIGA"); }), 13);
}

TEST_F(GameList, DeleteMovesTheRestUpAndKeepsEntryZero) {
    dirs({"A", "B", "C"});
    PARSEGAMESINI("A, a\nB, b\nC, c\n");
    GAMELISTVIEW v;
    EXPECT_FALSE(GAMELISTDELETE(v));
    EXPECT_EQ(GAMES[0].NAME.str(), "<none/new>");
    EXPECT_FALSE(AENDERUNG);
    GAMELISTMOVE(v, 1);
    EXPECT_TRUE(GAMELISTDELETE(v));
    ASSERT_EQ(GAMESANZ, 2);
    EXPECT_EQ(GAMES[1].NAME.str(), "B");
    EXPECT_EQ(GAMES[2].NAME.str(), "C");
    EXPECT_EQ(GAMES[3].NAME.str(), "");
    EXPECT_TRUE(AENDERUNG);
    GAMELISTMOVE(v, 5);
    EXPECT_EQ(v.pos, 2);
    EXPECT_TRUE(GAMELISTDELETE(v));
    EXPECT_EQ(v.pos, 1);
    EXPECT_EQ(GAMESINITEXT(), "B, b\n");
    EXPECT_TRUE(std::filesystem::is_directory(root / "C"));  // only the list entry goes
}

TEST_F(GameList, DescribeSetsTheHighlightedDescription) {
    dirs({"A"});
    PARSEGAMESINI("A, a\n");
    GAMELISTVIEW v;
    EXPECT_FALSE(GAMELISTDESCRIBE(v, "entry zero"));
    EXPECT_EQ(GAMES[0].BESCHREIB.str(), "");
    GAMELISTMOVE(v, 1);
    EXPECT_TRUE(GAMELISTDESCRIBE(v, "Sunday league"));
    EXPECT_EQ(GAMES[1].BESCHREIB.str(), "Sunday league");
    EXPECT_TRUE(AENDERUNG);
    EXPECT_EQ(GAMESINITEXT(), "A, Sunday league\n");
}

TEST_F(GameList, MovingScrollsFifteenRowsAtATime) {
    GAMELISTVIEW v;
    for (int i = 1; i <= MAXGAMES; ++i) GAMELISTINSERT(v, "G" + std::to_string(i));
    v = GAMELISTVIEW{};
    GAMELISTMOVE(v, -1);
    EXPECT_EQ(v.pos, 0);
    for (int i = 0; i < 14; ++i) GAMELISTMOVE(v, 1);
    EXPECT_EQ(v.pos, 14);
    EXPECT_EQ(v.top, 0);
    GAMELISTMOVE(v, 1);
    EXPECT_EQ(v.pos, 15);
    EXPECT_EQ(v.top, 1);
    GAMELISTMOVE(v, 100);
    EXPECT_EQ(v.pos, 20);
    EXPECT_EQ(v.top, 6);
    GAMELISTMOVE(v, -20);
    EXPECT_EQ(v.pos, 0);
    EXPECT_EQ(v.top, 0);
}

TEST_F(GameList, FailedRewriteKeepsTheOldList) {
    dirs({"DEMO"});
    put("GAMES.INI", "DEMO, demo\nGONE, gone\n");
    READGAMESINI();
    {
        FileSizeLimit limit(5);
        std::string text;
        EXPECT_EQ(fatal_nr([] { WRITEGAMESINI(); }, &text), 5);
        EXPECT_EQ(text, "GAMES.INI");
    }
    EXPECT_EQ(get("GAMES.INI"), "DEMO, demo\nGONE, gone\n");
    EXPECT_EQ(listing(), "DEMO\nGAMES.INI\n");
}


#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "ui/dialogs.h"
#include "ui/m_graph.h"

using namespace korax;

TEST(EditInt, StartOutsideTheRangeGoesToTheNearerBound) {
    EXPECT_EQ(EDITCLAMP(-5, 10, 20), 10);
    EXPECT_EQ(EDITCLAMP(50, 10, 20), 20);
    EXPECT_EQ(EDITCLAMP(15, 10, 20), 15);
}

TEST(EditInt, MaxBelowMinShowsTheSingleValueMin) {
    EXPECT_EQ(EDITCLAMP(5, 10, -3), 10);
    EXPECT_EQ(EDITCLAMP(-100, 10, -3), 10);
    EXPECT_EQ(EDITSLIDERFILL(10, 10, -3), 200);
    EXPECT_EQ(EDITSLIDERVALUE(100, 10, -3), 10);
}

TEST(EditInt, SliderEndsGiveMinAndMax) {
    EXPECT_EQ(EDITSLIDERVALUE(0, 100, 900), 100);
    EXPECT_EQ(EDITSLIDERVALUE(200, 100, 900), 900);
    EXPECT_EQ(EDITSLIDERVALUE(-5, 100, 900), 100);
    EXPECT_EQ(EDITSLIDERVALUE(250, 100, 900), 900);
    EXPECT_EQ(EDITSLIDERVALUE(100, 100, 900), 500);
    EXPECT_EQ(EDITSLIDERFILL(100, 100, 900), 0);
    EXPECT_EQ(EDITSLIDERFILL(900, 100, 900), 200);
    EXPECT_EQ(EDITSLIDERFILL(7, 7, 7), 200);  // no range: the whole bar
}

TEST(EditInt, HugeRangesDoNotOverflow) {
    const std::int64_t lo = INT32_MIN, hi = INT32_MAX;
    EXPECT_EQ(EDITSLIDERVALUE(200, lo, hi), hi);
    EXPECT_EQ(EDITSLIDERVALUE(0, lo, hi), lo);
    EXPECT_EQ(EDITSLIDERFILL(hi, 0, hi), 200);
    EXPECT_EQ(EDITSLIDERFILL(hi / 2, 0, hi), 100);
}

TEST(EditInt, TypedNumbers) {
    std::int64_t v = 42;
    EXPECT_TRUE(EDITPARSE(" 17 ", v));
    EXPECT_EQ(v, 17);
    EXPECT_TRUE(EDITPARSE("-3", v));
    EXPECT_EQ(v, -3);
    EXPECT_FALSE(EDITPARSE("12a", v));
    EXPECT_FALSE(EDITPARSE("", v));
    EXPECT_FALSE(EDITPARSE("abc", v));
    EXPECT_FALSE(EDITPARSE("99999999999999999999999", v));
    EXPECT_EQ(v, -3);
}

TEST(HelpFile, TopicLinesUpToTheNextHead) {
    const std::string text =
        "intro line\r\n<12>\r\nnot mine\r\n  head <13> main menu\r\nfirst\r\n\r\nthird\r\n<14>\r\nother\r\n";
    HELPTOPIC t = READHELPTOPIC(text, 13);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"first", "", "third"}));
    EXPECT_EQ(READHELPTOPIC(text, 14).lines, (std::vector<std::string>{"other"}));
    EXPECT_FALSE(READHELPTOPIC(text, 1).found);
    EXPECT_FALSE(READHELPTOPIC(text, 99).found);
}

TEST(HelpFile, TopicAtTheEndWithoutLineEnd) {
    HELPTOPIC t = READHELPTOPIC("<105>\nlast", 105);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"last"}));
}

TEST(HelpFile, LongLinesAreCut) {
    HELPTOPIC t = READHELPTOPIC("<1>\n" + std::string(400, 'x') + "\n", 1);
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0].size(), 255u);
}

TEST(HelpBox, PulledBackOntoTheScreen) {
    HELPBOX b = HELPBOXAT(20, -200, 30, 4, 1023, 767);
    EXPECT_EQ(b.y1, 10);
    EXPECT_EQ(b.x1, 20);
    EXPECT_EQ(b.x2, 20 + 30 * 8 + 40);
    EXPECT_EQ(b.y2, 10 + 4 * 15 + 70);
    b = HELPBOXAT(-500, 900, 30, 4, 1023, 767);
    EXPECT_EQ(b.x1, 10);
    EXPECT_EQ(b.y1, 768 - 64);
    EXPECT_EQ(b.y2, 768 - 10);
    b = HELPBOXAT(5000, 100, 30, 4, 1023, 767);
    EXPECT_EQ(b.x1, 1023 - 64);
}

TEST(HelpBox, TallTopicsEndAboveTheBottom) {
    HELPBOX b = HELPBOXAT(20, 768 - 20 - (60 * 15 + 70), 40, 60, 1023, 767);
    EXPECT_EQ(b.y1, 10);
    EXPECT_EQ(b.y2, 758);
}

TEST(Names, OnlyPlainNames) {
    EXPECT_TRUE(PLAINFILENAME("MYSCHEMA.SCH"));
    EXPECT_TRUE(PLAINFILENAME("a b"));
    EXPECT_FALSE(PLAINFILENAME(""));
    EXPECT_FALSE(PLAINFILENAME(".."));
    EXPECT_FALSE(PLAINFILENAME("../x"));
    EXPECT_FALSE(PLAINFILENAME("GAME1\\X"));
    EXPECT_FALSE(PLAINFILENAME("C:X"));
    EXPECT_FALSE(PLAINFILENAME(std::string("a\x01", 2)));
}

TEST(Trim, NormTextAndComments) {
    std::string s = "   KEY=1  ";
    NORMTEXT(s);
    EXPECT_EQ(s, "KEY=1");
    s = "  VALUE ; comment ; more";
    NORMTEXT2(s);
    EXPECT_EQ(s, "VALUE");
    s = ";all comment";
    NORMTEXT2(s);
    EXPECT_EQ(s, "");
}

TEST(StringList, NewGetClose) {
    LISTEINIT();
    LISTENEW(1, "one");
    LISTENEW(10000, std::string(300, 'z'));
    LISTENEW(10001, "ignored");
    LISTENEW(0, "ignored");
    LISTENANZ = 1;
    std::string t;
    LISTEGET(1, t);
    EXPECT_EQ(t, "one");
    LISTEGET(10000, t);
    EXPECT_EQ(t.size(), 255u);
    LISTEGET(10001, t);
    EXPECT_EQ(t, "");
    LISTECLOSE();
    EXPECT_EQ(LISTENANZ, 0);
    LISTEGET(1, t);
    EXPECT_EQ(t, "");
}

TEST(Team, FieldPositionOfASlot) {
    TEAMREC saved = TEAM;
    TEAM = TEAMREC{};
    TEAM.IMTEAM[1] = 4;
    TEAM.IMTEAM[3] = 7;
    TEAM.IMTEAM[5] = 7;
    EXPECT_EQ(IMTEAMNR(4), 1);
    EXPECT_EQ(IMTEAMNR(7), 3);
    EXPECT_EQ(IMTEAMNR(2), 0);
    TEAM = saved;
}

TEST(FileChooser, NinetyNineFilesAfterTheNoFileEntry) {
    auto dir = std::filesystem::temp_directory_path() / ("chooser-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (int i = 0; i < 120; ++i) std::ofstream(dir / ("F" + std::to_string(1000 + i) + ".RSZ")) << "x";
    std::ofstream(dir / "OTHER.TXT") << "x";
    L[8] = "<no file at all, none>";
    auto list = DATEILISTE(dir.string(), "*.RSZ");
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list[0], "<no file at ");
    EXPECT_EQ(list[0].size(), 12u);
    EXPECT_EQ(list[1], "F1000.RSZ");
    auto none = DATEILISTE((dir / "missing").string(), "*.RSZ");
    EXPECT_EQ(none.size(), 1u);
    L[8] = "";
    std::filesystem::remove_all(dir);
}

TEST(FileChooser, DirectoryGetsItsSeparator) {
    EXPECT_EQ(DATEIDIR(""), ".\\");
    EXPECT_EQ(DATEIDIR("GAME1"), "GAME1\\");
    EXPECT_EQ(DATEIDIR("GAME1\\"), "GAME1\\");
}

TEST(Icons, NamesOfTheTwentyIcons) {
    EXPECT_EQ(GETICONNAME(1), "ih1");
    EXPECT_EQ(GETICONNAME(10), "ie2");
    EXPECT_EQ(GETICONNAME(20), "ie4");
    EXPECT_EQ(GETICONNAME(0), "");
    EXPECT_EQ(GETICONNAME(21), "");
}

TEST(Icons, ChangeOneColour) {
    ICONREC icon{};
    icon.P[0][0] = 15;
    icon.P[31][31] = 15;
    icon.P[5][5] = 3;
    CHANGEICON(icon, 15, 1);
    EXPECT_EQ(icon.P[0][0], 1);
    EXPECT_EQ(icon.P[31][31], 1);
    EXPECT_EQ(icon.P[5][5], 3);
}

TEST(Numbers, GlyphRows) {
    EXPECT_EQ(NUMBERS[0][0], 0b110010);
    EXPECT_EQ(NUMBERS[2][4], 0b101011);
    EXPECT_EQ(NUMBERS[4][2], 0);
}

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "base/types.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "ui/dialogs.h"
#include "ui/m_tool.h"

using namespace korax;

TEST(EditInt, ClampSliderAndTypedNumbers) {
    const std::int64_t lo = INT32_MIN, hi = INT32_MAX;
    // Clamping, the slider's ends and a drag past them are the dialog test's; here what it cannot reach.
    // Max below min shows the single value min.
    const std::pair<std::int64_t, std::int64_t> values[] = {
        {EDITSLIDERFILL(10, 10, -3), 200}, {EDITSLIDERVALUE(100, 10, -3), 10},
        {EDITSLIDERFILL(100, 100, 900), 0}, {EDITSLIDERFILL(900, 100, 900), 200},
        {EDITSLIDERFILL(7, 7, 7), 200},  // no range: the whole bar
        {EDITSLIDERVALUE(200, lo, hi), hi}, {EDITSLIDERVALUE(0, lo, hi), lo},  // no overflow
        {EDITSLIDERFILL(hi, 0, hi), 200}, {EDITSLIDERFILL(hi / 2, 0, hi), 100}};
    for (const auto& [got, want] : values) EXPECT_EQ(got, want);
    std::int64_t v = 42;
    EXPECT_TRUE(EDITPARSE(" 17 ", v) && v == 17);
    EXPECT_TRUE(EDITPARSE("-3", v));
    for (const char* bad : {"", "99999999999999999999999"}) EXPECT_FALSE(EDITPARSE(bad, v)) << bad;
    EXPECT_EQ(v, -3);
}

// A topic amid others and a missing one are the help box's test.
TEST(HelpFile, TopicLinesUpToTheNextHeadCutTo255) {
    const std::string text = "<12>\r\nnot mine\r\n  head <13> main menu\r\nfirst\r\n\r\nthird\r\n<14>\r\n";
    EXPECT_EQ(READHELPTOPIC(text, 13).lines, (std::vector<std::string>{"first", "", "third"}));
    EXPECT_FALSE(READHELPTOPIC(text, 1).found);
    EXPECT_EQ(READHELPTOPIC("<105>\nlast", 105).lines, (std::vector<std::string>{"last"}));
    EXPECT_EQ(READHELPTOPIC("<1>\n" + std::string(400, 'x') + "\n", 1).lines,
              (std::vector<std::string>{std::string(255, 'x')}));
}

TEST(HelpBox, PulledBackOntoTheScreen) {
    // -1: not checked.
    const struct { int x, y, cols, rows, x1, y1, x2, y2; } cases[] = {
        {20, -200, 30, 4, 20, 10, 20 + 30 * 8 + 40, 10 + 4 * 15 + 70},
        {-500, 900, 30, 4, 10, 768 - 64, -1, 768 - 10},
        {5000, 100, 30, 4, 1023 - 64, -1, -1, -1},
        {20, 768 - 20 - (60 * 15 + 70), 40, 60, -1, 10, -1, 758}};  // tall topics end above the bottom
    for (const auto& c : cases) {
        const HELPBOX b = HELPBOXAT(c.x, c.y, c.cols, c.rows, 1023, 767);
        const int got[] = {b.x1, b.y1, b.x2, b.y2}, want[] = {c.x1, c.y1, c.x2, c.y2};
        for (int k = 0; k < 4; ++k)
            if (want[k] >= 0) { EXPECT_EQ(got[k], want[k]) << c.x << "," << c.y << " field " << k; }
    }
}

TEST(Names, OnlyPlainNamesTrimmingAndCapitals) {
    EXPECT_TRUE(PLAINFILENAME("MYSCHEMA.SCH") && PLAINFILENAME("a b"));
    for (const std::string& bad : std::vector<std::string>{"", "..", "../x", "GAME1\\X", "C:X", std::string("a\x01", 2)})
        EXPECT_FALSE(PLAINFILENAME(bad)) << bad;
    std::string a = "  VALUE ; comment ; more", b = ";all comment", c = "   KEY=1  ";
    NORMTEXT2(a);
    NORMTEXT2(b);
    NORMTEXT(c);
    EXPECT_EQ(a + "|" + b + "|" + c, "VALUE||KEY=1");
    EXPECT_EQ(UPPERTEXT("abc Xy1"), "ABC XY1");
}

// Lines share one buffer: a rewrite, shorter or longer, must not disturb its
// neighbours, an empty line stays empty, and a fresh list forgets the one before.
TEST(StringList, RewritesLeaveNeighboursAloneLinesAreCutAndInitForgets) {
    auto get = [](int i) {
        std::string t = "stale";
        LISTEGET(i, t);
        return t;
    };
    const std::pair<int, const char*> steps[] = {
        {1, "first line"}, {2, "second"}, {3, ""}, {2, "2nd"}, {1, "a much longer first line than before"},
        {3, "third"},      {2, ""},       {4, "fourth"}, {0, "ignored"}, {10001, "ignored"}};
    LISTEINIT();
    LISTENEW(7, "old");
    LISTEINIT();
    for (const auto& [line, text] : steps) LISTENEW(line, text);
    const std::pair<int, std::string> lines[] = {
        {1, "a much longer first line than before"}, {2, ""}, {3, "third"}, {4, "fourth"}, {5, ""}, {7, ""},
        {10001, ""}};
    for (const auto& [line, text] : lines) EXPECT_EQ(get(line), text) << line;
    // Every slot filled with the longest line kept, then read back.
    for (int i = 1; i <= 10000; ++i) LISTENEW(i, std::to_string(i) + std::string(300, '.'));
    for (const int i : {1, 2, 5000, 9999, 10000}) {
        const std::string t = get(i);
        ASSERT_EQ(t.size(), 255u) << i;
        EXPECT_EQ(t.substr(0, std::to_string(i).size()), std::to_string(i));
    }
    LISTENANZ = 1;
    LISTECLOSE();
    EXPECT_EQ(LISTENANZ, 0);
    EXPECT_EQ(get(1), "");
}

TEST(FileChooser, NinetyNineFilesAfterTheNoFileEntryAndTheDirectorysSeparator) {
    auto dir = std::filesystem::temp_directory_path() / ("chooser-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (int i = 0; i < 120; ++i) std::ofstream(dir / ("F" + std::to_string(1000 + i) + ".RSZ")) << "x";
    std::ofstream(dir / "OTHER.TXT") << "x";
    L[8] = "<no file at all, none>";
    auto list = DATEILISTE(dir.string(), "*.RSZ");
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list[0] + "|" + list[1], "<no file at |F1000.RSZ");
    EXPECT_EQ(DATEILISTE((dir / "missing").string(), "*.RSZ").size(), 1u);
    L[8] = "";
    std::filesystem::remove_all(dir);
    const std::pair<const char*, const char*> dirs[] = {{"", ".\\"}, {"GAME1", "GAME1\\"}, {"GAME1\\", "GAME1\\"}};
    for (const auto& [in, out] : dirs) EXPECT_EQ(DATEIDIR(in), out) << in;
}

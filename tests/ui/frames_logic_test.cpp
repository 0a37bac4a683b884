#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <tuple>

#include "base/types.h"
#include "ui/frames.h"
#include "ui_fixture.h"

using namespace korax;

TEST(KlickFenster, KeysOfEveryRangeHighestNumberWinsAndEdgesCount) {
    const std::pair<int, int> keys[] = {{0, '0'}, {9, '9'}, {10, 'A'}, {20, 'K'}, {21, 21},
                                        {27, 27}, {30, 100}, {45, 115}, {46, 0}};
    for (const auto& [nr, key] : keys) EXPECT_EQ(static_cast<unsigned char>(KLICKKEY(nr)), key) << nr;
    CLEARKLICKFENSTER();
    SETKLICKFENSTER(3, 10, 10, 100, 100);
    SETKLICKFENSTER(12, 50, 50, 60, 60);
    EXPECT_EQ((std::array<int, 5>{KLICKHIT(55, 55), KLICKHIT(60, 60), KLICKHIT(61, 60), KLICKHIT(10, 100), KLICKHIT(9, 50)}),
              (std::array<int, 5>{12, 12, 3, 3, -1}));
    REFRESHFENSTER();
    EXPECT_EQ(KLICKHIT(55, 55), -1);
    SETKLICKFENSTER(46, 0, 0, 10, 10);  // no such window: ignored
    EXPECT_EQ(KLICKHIT(5, 5), -1);
    CLEARKLICKFENSTER();
}

TEST(Meldung, LinesFromSlashesCutTo70AtMostSeven) {
    EXPECT_EQ(MELDUNGLINES("one/two/three"), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(MELDUNGLINES("1/2/3/4/5/6/7").size(), 7u);
    EXPECT_EQ(MELDUNGLINES(std::string(100, 'x'))[0].size(), 70u);
    // Names from data add no lines.
    EXPECT_EQ(MELDUNGLINES("Transfer to " + NOLINEBREAKS(std::string(25, '/')) + "/Fee: 100").size(), 2u);
    EXPECT_EQ(uitest::fatal([] { MELDUNGLINES("1/2/3/4/5/6/7/8"); }), "99:Intern - Meldung");
}

TEST(Kontext, CountIsTheLastNonEmptyEntry) {
    EXPECT_EQ((std::array<int, 3>{KONTEXTCOUNT({"title", "", "", "", "", ""}), KONTEXTCOUNT({"title", "a", "", "c", "", ""}),
                                  KONTEXTCOUNT({"", "a", "b", "c", "d", "e"})}),
              (std::array<int, 3>{0, 3, 5}));
}

// Keys applied one by one: what each answers (-1: not looked at), the text and the cursor after it.
TEST(LineEdit, KeysStepByStep) {
    struct Step { int key, key2, answer; const char* s; std::size_t cursor; };
    const struct { const char* typed; std::size_t max; std::vector<Step> steps; } cases[] = {
        {"abcdef", 5, {{13, 0, -1, "abcde", 6}}},  // the maximum length holds; Enter ends
        {"abc", 10, {{27, 0, 1, "", 1}, {27, 0, 0, "", 1}}},  // Escape clears once, then does nothing
        // Home, Left at 1, Backspace at 1, Delete, H, overwrite mode, E, End, Right past the end, Delete past the end,
        // ! appended in overwrite mode, Backspace, a control key, another extended key
        {"hello world", 20,
         {{0, 71, -1, "hello world", 1}, {0, 75, -1, "hello world", 1}, {8, 0, -1, "hello world", 1},
          {0, 83, -1, "ello world", 1}, {'H', 0, -1, "Hello world", 2}, {0, 82, -1, "Hello world", 2},
          {'E', 0, -1, "HEllo world", 3}, {0, 79, -1, "HEllo world", 12}, {0, 77, -1, "HEllo world", 12},
          {0, 83, -1, "HEllo world", 12}, {'!', 0, -1, "HEllo world!", 13}, {8, 0, -1, "HEllo world", 12},
          {31, 0, -1, "HEllo world", 12}, {0, 60, -1, "HEllo world", 12}}},
        {"ab  cd ef", 20,  // word jumps left and right
         {{0, 115, -1, "ab  cd ef", 8}, {0, 115, -1, "ab  cd ef", 5}, {0, 115, -1, "ab  cd ef", 1},
          {0, 116, -1, "ab  cd ef", 5}, {0, 116, -1, "ab  cd ef", 8}, {0, 116, -1, "ab  cd ef", 10}}},
        {"ac", 5, {{0, 75, -1, "ac", 2}, {'b', 0, 2, "abc", 3}}},  // insert in the middle
    };
    for (const auto& c : cases) {
        LINEEDIT e;
        e.maxlength = c.max;
        for (const char* k = c.typed; *k; ++k) LINEEDITKEY(e, *k, 0);
        for (const Step& st : c.steps) {
            const std::size_t answer = LINEEDITKEY(e, static_cast<char>(st.key), static_cast<char>(st.key2));
            if (st.answer >= 0) { EXPECT_EQ(answer, static_cast<std::size_t>(st.answer)) << c.typed << " " << st.key; }
            EXPECT_EQ(std::tie(e.s, e.cursor, e.done), std::make_tuple(std::string(st.s), st.cursor, st.key == 13))
                << c.typed << " " << st.key << "/" << st.key2;
        }
    }
}

TEST(TmpFile, NamesLiveInThePrivateDirectory) {
    std::string saved = TMPDIR;
    TMPDIR.clear();
    std::string m1 = TMPFILE("M1.TMP");
    ASSERT_GT(m1.size(), 7u);
    EXPECT_EQ(m1.substr(m1.size() - 7), "/M1.TMP");
    struct stat st {};
    ASSERT_EQ(::stat(m1.substr(0, m1.size() - 7).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    TMPDIR = "/x/y";
    EXPECT_EQ(TMPFILE("K1.TMP"), "/x/y/K1.TMP");
    TMPDIR = saved;
}

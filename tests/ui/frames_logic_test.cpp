#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/types.h"
#include "ui/frames.h"

using namespace korax;

TEST(KlickFenster, KeysOfEveryRange) {
    const std::pair<int, int> keys[] = {{0, '0'}, {9, '9'}, {10, 'A'}, {20, 'K'}, {21, 21},
                                        {27, 27}, {30, 100}, {45, 115}, {46, 0}};
    for (const auto& [nr, key] : keys) EXPECT_EQ(static_cast<unsigned char>(KLICKKEY(nr)), key) << nr;
}

TEST(KlickFenster, HighestNumberWinsAndEdgesCount) {
    CLEARKLICKFENSTER();
    SETKLICKFENSTER(3, 10, 10, 100, 100);
    SETKLICKFENSTER(12, 50, 50, 60, 60);
    EXPECT_EQ(KLICKHIT(55, 55), 12);
    EXPECT_EQ(KLICKHIT(60, 60), 12);
    EXPECT_EQ(KLICKHIT(61, 60), 3);
    EXPECT_EQ(KLICKHIT(10, 100), 3);
    EXPECT_EQ(KLICKHIT(9, 50), -1);
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
    try {
        MELDUNGLINES("1/2/3/4/5/6/7/8");
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 99);
        EXPECT_EQ(e.text, "Intern - Meldung");
    }
}

TEST(Kontext, CountIsTheLastNonEmptyEntry) {
    EXPECT_EQ(KONTEXTCOUNT({"title", "", "", "", "", ""}), 0);
    EXPECT_EQ(KONTEXTCOUNT({"title", "a", "", "c", "", ""}), 3);
    EXPECT_EQ(KONTEXTCOUNT({"", "a", "b", "c", "d", "e"}), 5);
}

namespace {

LINEEDIT typed(const std::string& text, std::size_t max) {
    LINEEDIT e;
    e.maxlength = max;
    for (char c : text) LINEEDITKEY(e, c, 0);
    return e;
}

}  // namespace

TEST(LineEdit, MaximumLengthEscapeAndEnter) {
    auto e = typed("abcdef", 5);
    EXPECT_EQ(e.s, "abcde");
    EXPECT_EQ(e.cursor, 6u);
    e = typed("abc", 10);
    EXPECT_EQ(LINEEDITKEY(e, 27, 0), 1u);  // Escape clears once, then does nothing
    EXPECT_EQ(e.s, "");
    EXPECT_EQ(LINEEDITKEY(e, 27, 0), 0u);
    EXPECT_FALSE(e.done);
    LINEEDITKEY(e, 13, 0);
    EXPECT_TRUE(e.done);
}

TEST(LineEdit, CursorKeysAndEditing) {
    auto e = typed("hello world", 20);
    LINEEDITKEY(e, 0, 71);  // Home
    EXPECT_EQ(e.cursor, 1u);
    LINEEDITKEY(e, 0, 75);  // Left at 1 stays
    EXPECT_EQ(e.cursor, 1u);
    LINEEDITKEY(e, 8, 0);  // Backspace at 1: nothing
    EXPECT_EQ(e.s, "hello world");
    LINEEDITKEY(e, 0, 83);  // Delete
    EXPECT_EQ(e.s, "ello world");
    LINEEDITKEY(e, 'H', 0);
    EXPECT_EQ(e.s, "Hello world");
    LINEEDITKEY(e, 0, 82);  // overwrite mode
    LINEEDITKEY(e, 'E', 0);
    EXPECT_EQ(e.s, "HEllo world");
    LINEEDITKEY(e, 0, 79);  // End
    EXPECT_EQ(e.cursor, 12u);
    LINEEDITKEY(e, 0, 77);  // Right past the end stays
    EXPECT_EQ(e.cursor, 12u);
    LINEEDITKEY(e, 0, 83);  // Delete past the end: nothing
    EXPECT_EQ(e.s, "HEllo world");
    LINEEDITKEY(e, '!', 0);  // overwrite at the end appends
    EXPECT_EQ(e.s, "HEllo world!");
    LINEEDITKEY(e, 8, 0);
    EXPECT_EQ(e.s, "HEllo world");
    LINEEDITKEY(e, 31, 0);
    LINEEDITKEY(e, 0, 60);  // other extended keys: nothing
    EXPECT_EQ(e.s, "HEllo world");
}

TEST(LineEdit, WordJumpsAndInsertInTheMiddle) {
    auto e = typed("ab  cd ef", 20);
    const std::pair<int, std::size_t> jumps[] = {{115, 8}, {115, 5}, {115, 1}, {116, 5}, {116, 8}, {116, 10}};
    for (const auto& [key, cursor] : jumps) {
        LINEEDITKEY(e, 0, static_cast<unsigned char>(key));
        EXPECT_EQ(e.cursor, cursor);
    }
    e = typed("ac", 5);
    LINEEDITKEY(e, 0, 75);
    EXPECT_EQ(LINEEDITKEY(e, 'b', 0), 2u);
    EXPECT_EQ(e.s, "abc");
    EXPECT_EQ(e.cursor, 3u);
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

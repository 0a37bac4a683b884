#include <gtest/gtest.h>

#include <string>

#include "ui/dialogs.h"

using namespace korax;

namespace {

std::string get(int i) {
    std::string t = "stale";
    LISTEGET(i, t);
    return t;
}

}  // namespace

// Lines share one buffer: a rewrite, shorter or longer, must not disturb its
// neighbours, and an empty line stays empty.
TEST(StringList, RewritesLeaveNeighboursAlone) {
    struct STEP {
        int line;
        const char* text;
    };
    const STEP steps[] = {
        {1, "first line"}, {2, "second"},      {3, ""},        {2, "2nd"},
        {1, "a much longer first line than before"},          {3, "third"},
        {2, ""},           {4, "fourth"},
    };
    LISTEINIT();
    for (const STEP& s : steps) LISTENEW(s.line, s.text);
    EXPECT_EQ(get(1), "a much longer first line than before");
    EXPECT_EQ(get(2), "");
    EXPECT_EQ(get(3), "third");
    EXPECT_EQ(get(4), "fourth");
    EXPECT_EQ(get(5), "");
    LISTECLOSE();
}

// A fresh list forgets the lines of the one before.
TEST(StringList, InitClearsEarlierLines) {
    LISTEINIT();
    LISTENEW(7, "old");
    LISTEINIT();
    EXPECT_EQ(get(7), "");
    LISTECLOSE();
    EXPECT_EQ(get(7), "");
}

// Every slot filled with the longest line kept, then read back.
TEST(StringList, FullListOfLongestLines) {
    LISTEINIT();
    for (int i = 1; i <= 10000; ++i) LISTENEW(i, std::to_string(i) + std::string(300, '.'));
    for (const int i : {1, 2, 5000, 9999, 10000}) {
        const std::string t = get(i);
        ASSERT_EQ(t.size(), 255u) << i;
        EXPECT_EQ(t.substr(0, std::to_string(i).size()), std::to_string(i));
    }
    LISTECLOSE();
}

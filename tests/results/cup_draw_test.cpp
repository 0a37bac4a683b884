// The cup draw's list and scrolling: steps of ten lines or columns within their
// limits, the part of a line shown, and where the own team is picked out.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/types.h"
#include "results/pokal.h"
#include "ui/dialogs.h"

using namespace korax;

TEST(CupDraw, ScrollKeysStepByTenWithinTheirLimits) {
    const struct { int top, column; char key; int lines, newtop, newcolumn; bool moved; } cases[] = {
        {1, 1, '2', 100, 11, 1, true}, {91, 1, '2', 100, 91, 1, false}, {81, 1, '2', 100, 91, 1, true}, {1, 1, '2', 10, 1, 1, false},
        {1, 1, '8', 100, 1, 1, false}, {5, 1, '8', 100, 1, 1, true}, {1, 231, '6', 5, 1, 241, true}, {1, 241, '6', 5, 1, 241, false},
        {1, 7, '4', 5, 1, 1, true}, {1, 1, '4', 5, 1, 1, false}, {1, 1, '5', 100, 1, 1, false}};
    for (const auto& c : cases) {
        POKALVIEW v{c.top, c.column};
        EXPECT_EQ(POKALSCROLL(v, c.key, c.lines), c.moved) << c.key << " " << c.top << " " << c.column;
        EXPECT_EQ(std::make_pair(v.top, v.column), std::make_pair(c.newtop, c.newcolumn)) << c.key << " " << c.top << " " << c.column;
    }
}

TEST(CupDraw, PartOfTheLineShownAndTheOwnTeamInIt) {
    const std::string line = "1. Bashers - Wolves, then Bashers again";
    const struct { int column, width; const char* shown; std::size_t from, count; } cases[] = {
        {1, 80, "1. Bashers - Wolves, then Bashers again", 3, 7}, {1, 6, "1. Bas", 3, 3}, {6, 10, "shers - Wo", 0, 5},
        {11, 10, " - Wolves,", 0, 0}, {100, 10, "", 0, 0}};  // at 11 the first has scrolled away, the second is not marked
    for (const auto& c : cases) {
        EXPECT_EQ(POKALVISIBLE(line, c.column, c.width), c.shown) << c.column;
        const auto [from, count] = POKALMARK(line, c.column, c.width, "Bashers");
        EXPECT_EQ(std::make_pair(count ? from : 0, count), std::make_pair(c.from, c.count)) << c.column;
    }
    EXPECT_EQ(POKALMARK(line, 1, 80, "").second, 0u);
    EXPECT_EQ(POKALMARK(line, 1, 80, "Golems").second, 0u);
}

namespace {

// The list read from `text` as from a file.
int listof(const std::string& text, const std::string& shown = "x") {
    std::string copy = text;
    std::FILE* f = copy.empty() ? std::fopen("/dev/null", "rb") : ::fmemopen(copy.data(), copy.size(), "rb");
    if (!f) return -1;
    try {
        const int n = POKALLIST(f, shown);
        std::fclose(f);
        return n;
    } catch (...) {
        std::fclose(f);
        throw;
    }
}

}  // namespace

TEST(CupDraw, ListTakesEveryLineUpToTenThousand) {
    EXPECT_EQ(listof(""), 0);
    EXPECT_EQ(listof("a\r\nb\n\nc"), 4);
    std::string s;
    LISTEGET(1, s);
    EXPECT_EQ(s, "a");
    LISTEGET(4, s);
    EXPECT_EQ(s, "c");
    EXPECT_EQ(listof(std::string(300, 'w') + "\n"), 1);
    LISTEGET(1, s);
    EXPECT_EQ(s.size(), 255u);

    std::string many;
    for (int i = 0; i < 10000; ++i) many += "line\r\n";
    EXPECT_EQ(listof(many), 10000);
    try {
        listof(many + "one more\r\n", "POKAL.TXT");
        ADD_FAILURE() << "10001 lines accepted";
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 8);
    }
    LISTECLOSE();
}

// The news reader and page builder: categories, pages, headlines, pictures,
// indentation and highlighted words, from day files written here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/zeitung.h"

using namespace korax;

namespace {

std::string lines(const std::vector<std::string>& l, const std::string& eol = "\r\n") {
    std::string s;
    for (const auto& x : l) s += x + eol;
    return s;
}

// Body lines stem + first .. stem + n.
std::vector<std::string> body(int n, const std::string& stem = "a", int first = 1) {
    std::vector<std::string> v;
    for (int i = first; i <= n; ++i) v.push_back(stem + std::to_string(i));
    return v;
}

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Pieces as "text/colour|..."; items as "kind dx dy text letter number".
std::string pieces(const std::vector<NEWSPIECE>& p) {
    std::string s;
    for (const auto& x : p) s += x.text + "/" + std::to_string(x.colour) + "|";
    return s;
}
std::string item(const NEWSITEM& it) {
    std::string t;
    for (const auto& p : it.pieces) t += p.text;
    return std::to_string(static_cast<int>(it.kind)) + " " + std::to_string(it.dx) + " " + std::to_string(it.dy) + " " + t +
           " " + (it.letter ? std::string(1, it.letter) : "-") + std::to_string(it.number);
}

}  // namespace

TEST(NewsCategory, GetnummerTakesOneOrTwoDigitsAndLeavesTheName) {
    struct { std::string line; int count; int nr; std::string rest; } cases[] = {
        {"[1] League", 0, 1, "League"}, {"[10] Last", 3, 10, "Last"}, {"[2]    Gossip", 0, 2, "Gossip"},
        {"[3]xWeather", 0, 3, "Weather"}, {"[x] Sport", 4, 5, "Sport"}, {"[", 2, 3, ""}, {"[7", 0, 7, ""}};
    for (const auto& c : cases) {
        std::string l = c.line;
        EXPECT_EQ(GETNUMMER(l, c.count), c.nr) << c.line;
        EXPECT_EQ(l, c.rest) << c.line;
    }
}

TEST(NewsCategory, NamesCountsLinesAndNumbersAreClamped) {
    const NEWSDAY d = LESERUBRIKEN(lines({"before any category", "[1] A name longer than twenty characters",
                                          std::string(80, 'x'), "[2] Two"}));
    EXPECT_EQ(d.count, 2);
    EXPECT_EQ(d.rubrik[1].name, "A name longer than t");
    EXPECT_EQ(d.rubrik[2].start, 4);
    EXPECT_EQ(NEWSPAGE(d, 1, 1), std::vector<std::string>{std::string(50, 'x')});
    EXPECT_EQ(NEWSPAGES(d, 2), 1);
    EXPECT_TRUE(NEWSPAGE(d, 2, 1).empty());  // a category without lines has one empty page
    // Numbers outside the tables are ignored with their lines.
    const NEWSDAY e = LESERUBRIKEN(lines({"[0] Zero", "z", "[99] Far", "f", "[1] One", "o", "[11] Eleven", "e", "[x] Next", "n"}));
    EXPECT_EQ(e.count, 2);
    EXPECT_EQ(e.rubrik[2].name, "Next");
    EXPECT_EQ(NEWSPAGE(e, 1, 1), std::vector<std::string>{"o"});
    EXPECT_EQ(NEWSPAGE(e, 2, 1), std::vector<std::string>{"n"});
    for (int r : {0, 3, 10, 11}) EXPECT_EQ(NEWSPAGES(e, r), 0) << r;
}

TEST(NewsPages, PageRule) {
    struct { const char* what; std::vector<std::string> lines; std::vector<std::vector<std::string>> pages; } cases[] = {
        {"30 lines: 21 and 9", body(30), {body(21), body(30, "a", 22)}},
        {"21 lines: one page", body(21), {body(21)}},
        {"#>> ends a page", with(body(3), with({"#>>"}, body(2, "b"))), {body(3), body(2, "b")}},
        {"#>> last adds an empty page", with(body(3), {"#>>"}), {body(3), {}}},
        {"#>> after a full page", with(body(21), with({"#>> x"}, body(1, "b"))), {body(21), {}, body(1, "b")}}};
    for (const auto& c : cases) {
        const NEWSDAY d = LESERUBRIKEN(lines(with(with({"[1] Only"}, c.lines), {"[2] Next", "n"})));
        ASSERT_EQ(NEWSPAGES(d, 1), static_cast<int>(c.pages.size())) << c.what;
        for (std::size_t p = 0; p < c.pages.size(); ++p) EXPECT_EQ(NEWSPAGE(d, 1, static_cast<int>(p) + 1), c.pages[p]) << c.what << p;
        EXPECT_EQ(NEWSPAGE(d, 2, 1), std::vector<std::string>{"n"}) << c.what;
    }
    std::vector<std::string> f = {"[1] Long"};
    for (int p = 1; p <= 12; ++p) f = with(with(f, body(2, "p" + std::to_string(p) + "-")), {"#>>"});
    const NEWSDAY d = LESERUBRIKEN(lines(f, "\n"));
    EXPECT_EQ(NEWSPAGES(d, 1), 9);
    EXPECT_EQ(NEWSPAGE(d, 1, 9), body(2, "p9-"));
    EXPECT_TRUE(NEWSPAGE(d, 1, 10).empty());
    EXPECT_TRUE(NEWSPAGE(d, 1, 0).empty());
}

TEST(NewsPages, HeadingDropsTheSlashAndTheCharacterBeforeIt) {
    const std::pair<const char*, const char*> cases[] = {{"Sport-/news", "Sportnews"}, {"League", "League"}, {"/Lead", "/Lead"}, {"a/", ""}};
    for (const auto& [name, heading] : cases) EXPECT_EQ(NEWSHEADING(name), heading) << name;
}

TEST(NewsLayout, HighlightSwitchesBetweenNineAndZero) {
    struct { const char* line; int start; const char* pieces; int after; } cases[] = {
        {"A ^young Hurtin^ joins", 0, "A /0|young Hurtin/9| joins/0|", 0},
        {"^a^b^c", 5, "a/9|b/0|c/9|", 9},
        {"open ^end", 1, "open /1|end/9|", 9},
        {"^^", 4, "", 0},
        {"", 3, "", 3}};
    for (const auto& c : cases) {
        int colour = c.start;
        EXPECT_EQ(pieces(SCHREIBETEILE(c.line, colour)), c.pieces) << c.line;
        EXPECT_EQ(colour, c.after) << c.line;
    }
    const auto items = NEWSLAYOUT({"one ^two", "three", "#Head^line", "four"});  // not carried past a headline
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(pieces(items[1].pieces) + pieces(items[2].pieces) + pieces(items[3].pieces), "three/9|Head/1|line/9|four/0|");
}

TEST(NewsLayout, DirectivesIndentAndTheirEnds) {
    const auto items = NEWSLAYOUT({"#<W>3", std::string(50, 'w'), "#Head", "", "after empty", "#<C> 7 ", "beside", "_end",
                                   "#<Q>1", "after other", "#<H>4", "_", "still beside", "#<T>-1"});
    const std::string w40(40, 'w');
    const std::vector<std::string> want = {
        "2 0 0  W3", "0 80 0 " + w40 + " -0", "1 80 15 Head -0", "0 0 35  -0", "0 0 50 after empty -0", "2 0 65  C7",
        "0 80 65 beside -0", "0 0 80 _end -0", "3 0 95  Q1", "0 0 110 after other -0", "2 0 125  H4",
        "0 80 125 _ -0", "0 80 140 still beside -0", "2 0 155  T-1"};
    std::vector<std::string> got;
    for (const auto& it : items) got.push_back(item(it));
    EXPECT_EQ(got, want);
}

TEST(NewsLayout, OddDirectiveNumbersCountAsZero) {
    struct { const char* line; bool directive; int number; } cases[] = {
        {"#<W>12", true, 12}, {"#<W>", true, 0}, {"#<W>99999999999", true, 0}, {"#<W>3x", true, 0}, {"#<T>+5", true, 5},
        {"#<1>3", false, 0}, {"#<WW>3", false, 0}, {"#<", false, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ISDIRECTIVE(c.line), c.directive) << c.line;
        const auto items = NEWSLAYOUT({c.line});
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].kind == NEWSKIND::HEADLINE, !c.directive) << c.line;
        EXPECT_EQ(c.directive ? items[0].number : 0, c.number) << c.line;
    }
}

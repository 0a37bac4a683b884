// The news reader and page builder from day files written here, and the newspaper
// on a headless screen: filing of NEWS.TXT, windows, keys and colours drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/fixture.h"
#include "graph/emugraph.h"
#include "management/screen_fixture.h"
#include "results/zeitung.h"

using namespace korax;
namespace fs = std::filesystem;

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

class Newspaper : public korax::mtest::Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        L[442].set("No news for day #.");
        GEN.HINRUNDE = 1;
        GEN.TURN = 3;
        ICONRACE = {};
    }
    void put(const std::string& name, const std::string& bytes) { datatest::spit(root / name, bytes); }
    std::string get(const std::string& name) { return datatest::slurp(root / name); }
    void run(const std::string& s) { script(s); ZEITUNG(); }
    static int windows(int from, int to) {
        int n = 0;
        for (int i = from; i <= to; ++i) n += KLICKFENSTER[static_cast<std::size_t>(i)].AKTIV ? 1 : 0;
        return n;
    }
    // Page and category windows, then the day back and forward windows.
    static std::string state() {
        return std::to_string(windows(1, 9)) + " " + std::to_string(windows(10, 18)) + " " + std::to_string(windows(19, 19)) + std::to_string(windows(20, 20));
    }
};

const std::string DAY3 = "[1] League\r\nfirst\r\n[2] Weather\r\nsecond\r\n[3] Gossip\r\nthird\r\n";

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

// A news file without a category is not filed (filing is checked through the
// client). Before the first match day nothing is filed and the race icons stay;
// on day one without news, or with a directory in place of the day file, the
// message comes and no windows.
TEST_F(Newspaper, DaysWithoutNews) {
    EXPECT_FALSE(FILENEWS(2));
    put("NEWS.TXT", "x");
    EXPECT_FALSE(FILENEWS(0));
    const struct { int turn; bool directory; const char* script; int info; } cases[] = {
        {0, false, "key Esc\n", 1}, {1, false, "key Enter\nkey Esc\n", 0}, {3, true, "key Enter\nkey Esc\n", 0}};
    for (const auto& c : cases) {
        GEN.TURN = c.turn;
        fs::remove(root / "NEWS.TXT");
        if (c.turn != 1) put("NEWS.TXT", DAY3);
        if (c.directory) fs::create_directory(root / "NEWS.3");
        ICONRACE[1].P[0][0] = 15;
        run(c.script);
        EXPECT_EQ(KEY, 27) << c.turn;
        EXPECT_EQ(get("NEWS.TXT"), c.turn != 1 ? DAY3 : "") << c.turn;
        EXPECT_FALSE(fs::exists(root / "NEWS.0"));
        EXPECT_EQ(windows(1, 18), c.info) << c.turn;  // the information window before the first day
        EXPECT_EQ(KLICKFENSTER[19].AKTIV || KLICKFENSTER[20].AKTIV, c.turn == 3) << c.turn;
        EXPECT_EQ(ICONRACE[1].P[0][0], c.turn == 0 ? 15 : 1) << c.turn;
    }
}

TEST_F(Newspaper, KeysChooseCategoriesPagesAndDays) {
    std::string many = "[1] League\r\n";
    for (int i = 1; i <= 30; ++i) many += "line " + std::to_string(i) + "\r\n";
    many += "[2] Weather\r\nsun\r\n";
    put("NEWS.3", many);
    put("NEWS.2", DAY3);
    const struct { const char* what; std::string script, state; } cases[] = {
        {"own day", "key Esc\n", "2 2 10"}, {"category beyond the count is the last", "key I\nkey Esc\n", "1 2 10"},
        {"page 9 of two is page 1", "key 9\nkey Esc\n", "2 2 10"}, {"previous day", "key J\nkey Esc\n", "1 3 11"},
        {"back and forth", "key J\nkey K\nkey Esc\n", "2 2 10"}, {"no day after the own", "key K\nkey Esc\n", "2 2 10"}};
    for (const auto& c : cases) {
        run(c.script);
        EXPECT_EQ(state(), c.state) << c.what;
    }
    const std::string back = window(19), second = window(11);  // click windows answer as their keys
    run("click " + second + "\nclick " + back + "\nkey Esc\n");
    EXPECT_EQ(state(), "1 3 11");
}

TEST_F(Newspaper, NineCategoryButtonsAtMost) {
    std::string f;
    for (int i = 1; i <= 12; ++i) f += "[x] C" + std::to_string(i) + "\r\ntext\r\n";
    f += "[0] zero\r\n[99] far\r\n";
    put("NEWS.3", f);
    run("key Esc\n");
    EXPECT_EQ(windows(10, 18), 9);
    EXPECT_FALSE(KLICKFENSTER[20].AKTIV);  // the tenth category would answer as "K"
}

TEST_F(Newspaper, ShirtAndRaceIconTakeTheDirectiveColourWithinAByte) {
    for (const char* f : {"trikot.pcx", "ih4.RAW"}) fs::copy_file(fs::path(KORAX_DIST_DIR) / f, root / f);
    const int x1 = XM1 + 5, y1 = 87;
    // The colour drawn at the picture's place (-1: none checked), and one never drawn.
    const struct { const char* line; int colour, absent; } cases[] = {
        {"#<T>13", 13, 44}, {"#<T>300", -1, 44}, {"#<T>-1", -1, 255}, {"#<H>13", 13, 44}, {"#<H>256", -1, 0}, {"#<Q>13", -1, 13}};
    for (const auto& c : cases) {
        put("NEWS.3", std::string("[1] Pictures\r\n") + c.line + "\r\n");
        run("key Esc\n");
        int drawn = 0, stray = 0;
        for (int y = y1 + 60; y < y1 + 140; ++y)
            for (int x = x1 + 5; x < x1 + 80; ++x) {
                drawn += c.colour >= 0 && EGETPIXEL(x, y) == c.colour ? 1 : 0;
                stray += EGETPIXEL(x, y) == c.absent ? 1 : 0;
            }
        EXPECT_TRUE(c.colour < 0 || drawn > 30) << c.line << " " << drawn;
        EXPECT_EQ(stray, 0) << c.line;
    }
}

// The newspaper on a headless screen under scripted input: filing of NEWS.TXT,
// the windows of categories, pages and days, keys, and the colours drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "graph/emugraph.h"
#include "management/screen_fixture.h"
#include "results/zeitung.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

class Newspaper : public korax::mtest::Screen {
protected:
    void SetUp() override {
        Screen::SetUp();
        L[442].set("No news for day #.");
        GEN.HINRUNDE = 1;
        GEN.TURN = 3;
        ICONRACE = {};
    }
    void put(const std::string& name, const std::string& bytes) { std::ofstream(root / name, std::ios::binary) << bytes; }
    std::string get(const std::string& name) {
        std::ifstream in(root / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void run(const std::string& s) {
        script(s);
        ZEITUNG();
    }
    static int windows(int from, int to) {
        int n = 0;
        for (int i = from; i <= to; ++i) n += KLICKFENSTER[static_cast<std::size_t>(i)].AKTIV ? 1 : 0;
        return n;
    }
    // Pixels of a colour in the text row at y (its glyphs stand above y) between x1 and x2.
    static int count(int colour, int x1, int x2, int y) {
        int n = 0;
        for (int yy = y - 9; yy <= y + 2; ++yy)
            for (int x = x1; x < x2; ++x) n += EGETPIXEL(x, yy) == colour ? 1 : 0;
        return n;
    }
};

const std::string DAY3 = "[1] League\r\nfirst\r\n[2] Weather\r\nsecond\r\n[3] Gossip\r\nthird\r\n";

}  // namespace

// Filed once under the day and kept at the second opening; the race icons keep
// colour one after leaving.
TEST_F(Newspaper, FilesTheNewsOnceAndKeepsItOnTheSecondOpening) {
    EXPECT_FALSE(FILENEWS(2));
    put("NEWS.TXT", "x");
    EXPECT_FALSE(FILENEWS(0));
    put("NEWS.TXT", DAY3);
    put("NEWS.3", "old");
    ICONRACE[2].P[1][1] = 15;
    ICONRACE[2].P[1][2] = 3;
    run("key Esc\n");
    EXPECT_FALSE(fs::exists(root / "NEWS.TXT"));
    EXPECT_EQ(get("NEWS.3"), DAY3);
    EXPECT_EQ(ICONRACE[2].P[1][1], 1);
    EXPECT_EQ(ICONRACE[2].P[1][2], 3);
    run("key R\n");
    EXPECT_EQ(KEY, 27);  // "R" is handed on as Escape
    EXPECT_EQ(get("NEWS.3"), DAY3);
    EXPECT_EQ(windows(10, 12), 3);
}

// Before the first match day nothing is filed and the race icons stay; on day
// one without news, or with a directory in place of the day file, the message
// comes and no windows.
TEST_F(Newspaper, DaysWithoutNews) {
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
    struct { const char* what; std::string script; int pages, categories; bool back, forward; } cases[] = {
        {"own day", "key Esc\n", 2, 2, true, false},
        {"category beyond the count is the last", "key I\nkey Esc\n", 1, 2, true, false},
        {"page 9 of two is page 1", "key 9\nkey Esc\n", 2, 2, true, false},
        {"previous day", "key J\nkey Esc\n", 1, 3, true, true},
        {"back and forth", "key J\nkey K\nkey Esc\n", 2, 2, true, false},
        {"no day after the own", "key K\nkey Esc\n", 2, 2, true, false}};
    for (const auto& c : cases) {
        run(c.script);
        EXPECT_EQ(windows(1, 9), c.pages) << c.what;
        EXPECT_EQ(windows(10, 18), c.categories) << c.what;
        EXPECT_EQ(KLICKFENSTER[19].AKTIV, c.back) << c.what;
        EXPECT_EQ(KLICKFENSTER[20].AKTIV, c.forward) << c.what;
    }
}

TEST_F(Newspaper, ClickWindowsAnswerAsTheirKeys) {
    put("NEWS.3", "[1] League\r\nfirst\r\n[2] Weather\r\nsecond\r\n");
    put("NEWS.2", DAY3);
    run("key Esc\n");
    const std::string back = window(19), second = window(11);
    run("click " + second + "\nclick " + back + "\nkey Esc\n");
    EXPECT_EQ(windows(10, 18), 3);  // day 2 with its three categories
    EXPECT_TRUE(KLICKFENSTER[20].AKTIV);
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

TEST_F(Newspaper, HighlightedWordIsDrawnInColourNine) {
    put("NEWS.3", "[1] League\r\nAAAA ^BBBB^ CCCC\r\n^DDDD\r\nEEEE\r\n");
    run("key Esc\n");
    const int x = XM1 + 5 + 10, y = 87 + 70;
    DEFAULTTEXT2();
    const int a = ETEXTWIDTH("AAAA "), b = ETEXTWIDTH("BBBB"), c = ETEXTWIDTH(" CCCC");
    // Black and colour nine drawn in each stretch; the next lines start in the colour the previous left.
    const struct { int x1, x2, y, black, nine; } cases[] = {
        {x, x + a, y, 1, 0}, {x + a, x + a + b, y, 0, 1}, {x + a + b, x + a + b + c, y, 1, 0}, {x, x + a, y + 15, 0, 1}, {x, x + a, y + 30, 0, 1}};
    for (const auto& k : cases) {
        EXPECT_EQ(count(0, k.x1, k.x2, k.y) > 20, k.black == 1) << k.x1 << " " << k.y;
        EXPECT_EQ(count(9, k.x1, k.x2, k.y) > 20, k.nine == 1) << k.x1 << " " << k.y;
        EXPECT_EQ(count(k.black ? 9 : 0, k.x1, k.x2, k.y), 0) << k.x1 << " " << k.y;
    }
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

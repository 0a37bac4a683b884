#include <fstream>

#include "graph/winpcx.h"
#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;
using korax::test::ScratchDir;

namespace {

// A PCX file: header, the given encoded rows, marker and a palette where entry i
// is (i, 255 - i, i / 2).
std::vector<std::uint8_t> make_pcx(int xmin, int ymin, int xmax, int ymax, int bytes,
                                   const std::vector<std::uint8_t>& rows, bool marker = true) {
    std::vector<std::uint8_t> f(128, 0);
    // Maker, version, run-length coding, 8 bits per pixel, one plane; then the words.
    for (const auto& [at, v] : {std::pair{0u, 10}, {1u, 5}, {2u, 1}, {3u, 8}, {65u, 1}}) f[at] = v;
    for (const auto& [at, v] : {std::pair{4u, xmin}, {6u, ymin}, {8u, xmax}, {10u, ymax}, {66u, bytes}}) {
        f[at] = v & 0xFF;
        f[at + 1] = (v >> 8) & 0xFF;
    }
    f.insert(f.end(), rows.begin(), rows.end());
    f.push_back(marker ? 12 : 0);
    for (int i = 0; i < 256; ++i)
        f.insert(f.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i / 2)});
    return f;
}

bool decode(const std::vector<std::uint8_t>& f, PCXPICTURE& pic) { return DECODEPCX(f.data(), f.size(), pic); }

void write_file(const std::string& path, const std::vector<std::uint8_t>& data) {
    std::ofstream(path, std::ios::binary) << std::string(data.begin(), data.end());
}

}  // namespace

TEST(Pcx, MalformedPicturesAreRefusedWithoutHarm) {
    PCXPICTURE pic;
    const std::vector<std::uint8_t> rows = {1, 2};
    const auto good = make_pcx(0, 0, 1, 0, 2, rows);
    ASSERT_TRUE(decode(good, pic));
    for (int at : {0, 1, 3, 65}) {  // maker, version, bits per pixel, planes
        auto g = good;
        g[static_cast<std::size_t>(at)] ^= 0x40;
        EXPECT_FALSE(decode(g, pic)) << at;
    }
    // No palette marker, reversed corners, too large to be a picture of this program.
    for (const auto& bad : {make_pcx(0, 0, 1, 0, 2, rows, false), make_pcx(5, 0, 3, 0, 2, rows),
                            make_pcx(0, 5, 0, 3, 2, rows), make_pcx(0, 0, 65535, 0, 2, rows)})
        EXPECT_FALSE(decode(bad, pic));
    // Truncated right after a run byte: no endless loop, not drawn.
    auto t = make_pcx(0, 0, 9, 9, 10, {});
    t.resize(128);
    t.push_back(0xC0);
    EXPECT_FALSE(decode(t, pic));
    // Files shorter than header plus palette.
    std::vector<std::uint8_t> tiny(100, 0);
    tiny[0] = 10;
    EXPECT_FALSE(decode(tiny, pic));
    EXPECT_FALSE(DECODEPCX(nullptr, 0, pic));
}

TEST(Pcx, OverlongRowsStayInsideTheBuffer) {
    PCXPICTURE pic;
    // BYTES_PER_LINE 65535 and runs of 63 overshooting every row.
    std::vector<std::uint8_t> rows;
    for (int i = 0; i < 3000; ++i) rows.insert(rows.end(), {0xFF, static_cast<std::uint8_t>(i)});
    EXPECT_FALSE(decode(make_pcx(0, 0, 3, 3, 65535, rows), pic));
    // 321 x 200 > 64,000 pixels: decoded into a buffer of its own size.
    std::vector<std::uint8_t> big;
    for (int r = 0; r < 200; ++r) {
        const auto v = static_cast<std::uint8_t>(r);
        big.insert(big.end(), {0xFF, v, 0xFF, v, 0xFF, v, 0xFF, v, 0xFF, v, 0xC6, v});
    }
    ASSERT_TRUE(decode(make_pcx(0, 0, 320, 199, 321, big), pic));
    EXPECT_EQ((std::vector<std::size_t>{pic.SCR[199 * 321 + 5], pic.SCR.size()}),
              (std::vector<std::size_t>{199, 321u * 200 + 1}));
}

TEST_F(Graph, LoadPcxSetsThePaletteDrawsAtThePointAndReportsFailure) {
    ScratchDir dir;
    open();
    SETFILLSTYLE(1, 20);
    BAR(500, 500, 510, 510);
    write_file(dir.file("PIC.PCX"), make_pcx(0, 0, 3, 1, 4, {0xC3, 7, 5, 0xC0, 99, 1, 2, 3, 4}));
    EXPECT_EQ(ELOADPCX("pic", 10, 20), 0);
    EXPECT_TRUE(PCXLOADED);
    // Runs, literals and a count-0 run that eats its value byte; what was already on
    // the screen takes the picture's colours.
    expect_pixels({{10, 20, 7}, {13, 20, 5}, {13, 21, 4}, {14, 21, 0}, {505, 505, 20}});
    EXPECT_EQ(SHOWN_RGB(20), RGB(20, 235, 10));
    // A padding byte at the end of a row is not drawn.
    write_file(dir.file("A.B"), make_pcx(0, 0, 0, 0, 2, {9, 8}));
    EXPECT_EQ(ELOADPCX("A.B", 0, 0), 0);
    EXPECT_EQ((std::vector<int>{PCXLOADED, int(px(0, 0)), int(px(1, 0))}), (std::vector<int>{true, 9, 0}));
    // "A" becomes "A.PCX", which does not exist: nothing drawn, answer still 0.
    EXPECT_EQ(ELOADPCX("A", 1, 1), 0);
    EXPECT_FALSE(PCXLOADED);
    write_file(dir.file("BAD.PCX"), make_pcx(0, 0, 0, 0, 1, {9}, false));
    EXPECT_FALSE(SHOWPCX(2, 2, "BAD.PCX"));
    EXPECT_EQ(count(9), 1);
    EXPECT_EQ(ESAVEPCX("X", 0, 0, 1, 1), 0);
    // Clipped at the viewport.
    SETVIEWPORT(100, 100, 101, 101, true);
    write_file(dir.file("Q.PCX"), make_pcx(0, 0, 3, 3, 4, {0xC4, 3, 0xC4, 3, 0xC4, 3, 0xC4, 3}));
    ELOADPCX("Q", -1, -1);
    SETVIEWPORT(0, 0, GETMAXX(), GETMAXY(), false);
    EXPECT_EQ(count(3, 90, 90, 110, 110), 4);
}

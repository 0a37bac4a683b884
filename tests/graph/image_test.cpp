#include <fstream>
#include <iterator>

#include "graph_fixture.h"

using namespace korax;
using korax::test::Graph;
using korax::test::ScratchDir;

TEST_F(Graph, ImageSizeRuleAndHugeRectanglesRefused) {
    open();
    const struct { int x1, y1, x2, y2; std::size_t size; } cases[] = {
        {0, 0, 0, 0, 78}, {0, 0, 7, 0, 78}, {0, 0, 8, 1, 54 + 2 * 2 * 24}, {0, 0, 1023, 767, 54 + 128 * 768 * 24},
        {1, 0, 0, 0, 0}, {-2000000000, 0, 2000000000, 2000000000, 0}};
    for (const auto& c : cases) EXPECT_EQ(IMAGESIZE(c.x1, c.y1, c.x2, c.y2), c.size) << c.x2;
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    std::vector<std::uint8_t> b;
    GETIMAGE(-30000, -30000, 30000, 30000, b);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ((std::vector<int>{ESAVEPIC("/tmp/never-written-korax", -32768, -32768, 32767, 32767),
                                ESAVEPIC("/nonexistent-dir/X", 0, 0, 3, 3), ESAVEPIC("Y", 3, 0, 0, 3)}),
              (std::vector<int>{1, 1, 1}));
}

TEST_F(Graph, GetImageIsABmpFileReadingBlackBeyondThePage) {
    open();
    PUTPIXEL(0, 0, 4);  // red: A8 00 00
    std::vector<std::uint8_t> b;
    GETIMAGE(0, 0, 2, 1, b);
    ASSERT_EQ(b.size(), IMAGESIZE(0, 0, 2, 1));
    const std::uint8_t head[] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), b.begin()));
    // Bottom-up rows of 12 bytes (9 padded to 4): the top row is the second one.
    EXPECT_EQ((std::vector<int>{b[54 + 12 + 0], b[54 + 12 + 2], b[54 + 2]}), (std::vector<int>{0x00, 0xA8, 0x00}));
    SETFILLSTYLE(1, 15);
    BAR(0, 0, GETMAXX(), GETMAXY());
    b.assign(10, 0xEE);
    GETIMAGE(1020, 760, 1030, 770, b);
    ASSERT_EQ(b.size(), IMAGESIZE(1020, 760, 1030, 770));
    // Rows of 11 pixels padded to 36 bytes: (1020, 760) white, (1024, 760) and (1020, 770) outside.
    EXPECT_EQ((std::vector<int>{b[54 + 360], b[54 + 360 + 12], b[54]}), (std::vector<int>{0xFC, 0x00, 0x00}));
}

TEST_F(Graph, PutImageRasterModesAndClipping) {
    open();
    // Index 3 put on 6 in each mode: 0011 on 0110 meets every pair of bits.
    PUTPIXEL(0, 0, 3);
    std::vector<std::uint8_t> img;
    GETIMAGE(0, 0, 0, 0, img);
    const std::uint32_t want[] = {3, 3 ^ 6, 3 | 6, 3 & 6, 255 - 3, (255 - 3) | 6, 255 - (3 | 6), 3 & (255 - 6)};
    for (int mode = 0; mode < 8; ++mode) {
        PUTPIXEL(mode, 10, 6);
        PUTIMAGE(mode, 10, img, mode);
        EXPECT_EQ(px(mode, 10), want[mode]) << mode;
    }
    PUTIMAGE(0, 0, img, 8);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
    // Clipped at the page edge.
    SETFILLSTYLE(1, 2);
    BAR(0, 0, 19, 19);
    GETIMAGE(0, 0, 19, 19, img);
    PUTIMAGE(1010, 760, img, 0);
    PUTIMAGE(-10, -10, img, 0);
    EXPECT_EQ(count(2, 1000, 750, 1023, 767), 14 * 8);
}

TEST_F(Graph, PutImageRefusesDamagedBuffers) {
    open();
    std::vector<std::uint8_t> img;
    GETIMAGE(0, 0, 9, 9, img);
    // Rows missing, 8 bits per pixel, height far beyond the data, pixels after the end.
    const std::vector<std::pair<std::size_t, std::uint8_t>> damage[] = {
        {}, {{28, 8}}, {{22, 0xFF}, {23, 0x7F}}, {{10, 0xFF}, {11, 0xFF}}};
    for (const auto& d : damage) {
        auto bad = img;
        if (d.empty()) bad.resize(100);
        for (const auto& [at, v] : d) bad[at] = v;
        PUTIMAGE(0, 0, bad, 0);
        EXPECT_EQ(GRAPHRESULT(), grInvalidParam) << d.size();
    }
    PUTIMAGE(0, 0, std::vector<std::uint8_t>{}, 0);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
}

TEST_F(Graph, PutImageOfChangedBytesIsMappedAfresh) {
    open();
    PUTPIXEL(0, 0, 4);
    PUTPIXEL(1, 0, 250);  // black, a duplicate of entry 0
    std::vector<std::uint8_t> img;
    GETIMAGE(0, 0, 1, 0, img);
    PUTIMAGE(10, 10, img, 0);
    img[54 + 5] = 0xFC;  // second pixel becomes (FC, 00, 00), entry 40 of the default palette
    PUTIMAGE(20, 10, img, 0);
    expect_pixels({{10, 10, 4}, {11, 10, 0}, {20, 10, 4}, {21, 10, 40}});
    // After a palette change the same bytes find the nearest entry of the new palette.
    std::vector<std::uint8_t> again;
    GETIMAGE(0, 0, 1, 0, again);
    SETRGBPALETTE(4, 0, 0, 0);
    SETRGBPALETTE(100, 0xA8, 0, 0);
    PUTIMAGE(30, 10, again, 0);
    EXPECT_EQ(px(30, 10), 100u);
}

TEST_F(Graph, SavePicAndLoadPicWithNameRuleAndRefusals) {
    ScratchDir dir;
    open();
    SETFILLSTYLE(1, 9);
    BAR(10, 10, 19, 14);
    EXPECT_EQ(ESAVEPIC("SHOT", 10, 10, 19, 14), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file("SHOT.BMP")), IMAGESIZE(10, 10, 19, 14));
    CLEARDEVICE();
    EXPECT_EQ(ELOADPIC("SHOT", 100, 100), 0);
    EXPECT_EQ((std::vector<int>{count(9), int(px(100, 100))}), (std::vector<int>{50, 9}));
    EXPECT_EQ(ELOADPIC("shot.bmp", 200, 200), 0);  // names match in any letter case
    EXPECT_EQ(ELOADPIC("SHOT.X", 0, 0) + ELOADPIC("MISSING", 0, 0), 2);
    std::ofstream(dir.file("BIG.BMP"), std::ios::binary) << std::string(VBUF_SIZE + 1, '\0');
    EXPECT_EQ(ELOADPIC("BIG", 0, 0), 1);
    {
        std::fstream s(dir.file("SHOT.BMP"), std::ios::binary | std::ios::in | std::ios::out);
        s.seekp(2);
        s.put(static_cast<char>(0x7F));  // stated size no longer the file's
    }
    EXPECT_EQ(ELOADPIC("SHOT", 0, 0), 1);
}

TEST_F(Graph, SpritesKeepTheirTransparentColour) {
    open();
    PUTPIXEL(0, 0, 4);
    PUTPIXEL(1, 0, 0);
    TANIM a;
    GETANIM(0, 0, 1, 0, 0, a);
    ASSERT_NE(a.BITHND, 0u);
    SETFILLSTYLE(1, 2);
    BAR(100, 100, 110, 100);
    PUTANIM(100, 100, a, 2);
    expect_pixels({{100, 100, 4}, {101, 100, 2}});
    PUTANIM(105, 100, a, 3);  // the first place gets its background back
    expect_pixels({{100, 100, 2}, {105, 100, 4}});
    FREEANIM(a);
    PUTANIM(0, 0, a, 0);
    EXPECT_EQ(GRAPHRESULT(), grInvalidParam);
}

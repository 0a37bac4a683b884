#include <fstream>

#include "graph_fixture.h"
#include "platform/fonts.h"

using namespace korax;
using korax::test::Graph;

namespace {
// The bounding box of pixels with value v.
struct Box {
    int x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
    int n = 0;
};
Box box_of(std::uint32_t v, int x1, int y1, int x2, int y2) {
    Box b;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (PAGE_PIXEL(ACTIVEPAGE, x, y) == v) {
                b = {std::min(b.x1, x), std::min(b.y1, y), std::max(b.x2, x), std::max(b.y2, y), b.n + 1};
            }
    return b;
}
}  // namespace

TEST_F(Graph, FontSlotsAndTextStyleChecks) {
    open();
    EXPECT_EQ(AVAILFONT[6], "");
    EXPECT_EQ(INSTALLUSERFONT("No Such Family Anywhere"), -1);
    EXPECT_EQ(GRAPHRESULT(), grInvalidFont);
    EXPECT_EQ(INSTALLUSERFONT("DejaVu Serif"), 6);
    SETTEXTSTYLE(0x12, 0, 16);  // Arial bold (System is bold anyway)
    EXPECT_EQ(GRAPHRESULT(), 0);
    TEXTSETTINGSTYPE ts;
    GETTEXTSETTINGS(ts);
    EXPECT_EQ(+ts.FONT, 0x12);
    SETCOLOR(15);
    OUTTEXTXY(0, 0, "llll");
    const int bold = count(15, 0, 0, 100, 30);
    SETTEXTSTYLE(2, 0, 16);
    OUTTEXTXY(0, 40, "llll");
    EXPECT_GT(bold, count(15, 0, 40, 100, 70));
}

TEST_F(Graph, JustificationDirectionAndPosition) {
    open();
    SETTEXTSTYLE(2, 0, 20);
    SETCOLOR(14);
    MOVETO(100, 100);
    OUTTEXT("H");
    const Box b = box_of(14, 0, 0, 300, 300);
    EXPECT_TRUE(b.y1 >= 100 && b.y2 <= 120 && b.x1 >= 100) << b.x1 << "," << b.y1 << " " << b.y2;
    EXPECT_EQ((std::vector<int>{GETX(), GETY()}), (std::vector<int>{100 + TEXTWIDTH("H"), 100}));
    SETCOLOR(13);
    SETTEXTJUSTIFY(RIGHTTEXT, BOTTOMTEXT);
    OUTTEXTXY(600, 200, "WW");
    const Box r = box_of(13, 400, 0, 800, 400);
    EXPECT_TRUE(r.x2 <= 600 && r.x2 > 600 - 6 && r.y2 <= 200) << r.x2 << " " << r.y2;
    EXPECT_EQ(GETX(), 600 - TEXTWIDTH("WW"));
    // Vertical text runs upwards.
    SETTEXTJUSTIFY(LEFTTEXT, TOPTEXT);
    SETTEXTSTYLE(2, 90, 20);
    SETCOLOR(15);
    OUTTEXTXY(300, 700, "WWW");
    const Box v = box_of(15, 200, 550, 400, 767);
    EXPECT_TRUE(v.y2 - v.y1 > v.x2 - v.x1 && v.y2 <= 700 + 2 && GETY() < 700 - 20) << v.y1 << " " << v.y2;
}

TEST_F(Graph, CodePage437GlyphsAndOpaqueCells) {
    open();
    SETTEXTSTYLE(2, 0, 24);
    SETCOLOR(15);
    OUTTEXTXY(0, 0, "a");
    const Box a = box_of(15, 0, 0, 40, 40);
    OUTTEXTXY(100, 0, "\x84");  // a umlaut
    const Box ae = box_of(15, 100, 0, 140, 40);
    EXPECT_GT(ae.n, a.n);    // the same letter plus its dots
    EXPECT_LT(ae.y1, a.y1);  // the dots stand above the letter
    // A box-drawing line runs through the whole cell width.
    SETTEXTSTYLE(0, 0, 24);
    OUTTEXTXY(300, 0, "\xC4\xC4");
    const Box line = box_of(15, 300, 0, 400, 40);
    EXPECT_TRUE(line.x1 == 300 && line.x2 >= 300 + TEXTWIDTH("\xC4\xC4") - 2 && line.y2 - line.y1 <= 4)
        << line.x1 << " " << line.x2 << " " << line.y1 << " " << line.y2;
    SETTEXTSTYLE(2, 0, 16);
    SETBKCOLOR(4);
    SETWRITEMODE(16);
    OUTTEXTXY(10, 110, "ab");
    EXPECT_EQ(count(4, 0, 100, 100, 150) + count(15, 0, 100, 100, 150), TEXTWIDTH("ab") * 16);
}

TEST_F(Graph, EmulationTextRules) {
    open();
    // Texts are cut to 80 characters.
    ESETTEXTSTYLE(0, 0, 16);
    EOUTTEXTXY(0, 0, std::string(100, 'x'));
    EXPECT_EQ(GETX(), TEXTWIDTH(std::string(80, 'x')));
    const int a = TEXTWIDTH("x"), spaced = TEXTWIDTH("x x");
    ESETUSERCHARSIZE(6, 3, 1, 1);  // 6 div 3 = 2 pixels after each character, 3 spread over the spaces
    EXPECT_EQ(ETEXTWIDTH("xx"), 2 * (a + 2));
    EXPECT_EQ(ETEXTWIDTH("x x"), spaced + 3 * 2 + 3);
    ESETUSERCHARSIZE(5, 0, 1, 1);  // no division fault
    EXPECT_EQ(GRAPHRESULT(), 0);
}

// With only the DejaVu fonts, every family keeps its slot number: the missing ones
// are drawn by fontconfig's nearest stand-in, and standard error names them.
TEST_F(Graph, MissingFacesKeepTheirSlots) {
    const char* dejavu = "/usr/share/fonts/truetype/dejavu";
    if (!std::filesystem::exists(dejavu)) GTEST_SKIP() << "no DejaVu fonts";
    korax::test::ScratchDir dir;
    std::ofstream(dir.file("fonts.conf")) << "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>" << dejavu
                                          << "</dir>\n<cachedir>" << dir.path() << "</cachedir>\n</fontconfig>\n";
    const char* old = std::getenv("FONTCONFIG_FILE");
    const std::string saved = old ? old : "";
    setenv("FONTCONFIG_FILE", dir.file("fonts.conf").c_str(), 1);
    FONT_RELEASE_ALL();
    ::testing::internal::CaptureStderr();
    open();
    const std::string told = ::testing::internal::GetCapturedStderr();
    const char* names[] = {"Courier New", "System", "Arial", "Times New Roman", "MS Sans Serif", "Lucida Console"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(AVAILFONT[static_cast<std::size_t>(i)], names[i]) << i;
    EXPECT_NE(told.find("\"Arial\" (slot 2) is not installed"), std::string::npos) << told;
    EXPECT_NE(told.find("\"Times New Roman\" (slot 3)"), std::string::npos) << told;
    EXPECT_EQ(told.find("\"System\""), std::string::npos) << told;  // DejaVu Sans Mono is there
    SETTEXTSTYLE(3, 0, 16);
    EXPECT_EQ(GRAPHRESULT(), 0);
    SETCOLOR(15);
    OUTTEXTXY(0, 0, "Times");
    EXPECT_GT(count(15, 0, 0, 100, 30), 20);
    CLOSEGRAPH();
    if (old) setenv("FONTCONFIG_FILE", saved.c_str(), 1);
    else unsetenv("FONTCONFIG_FILE");
    FONT_RELEASE_ALL();
}

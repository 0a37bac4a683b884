#include "graph/emugraph.h"

#include <cstdio>

#include "graph/winpcx.h"
#include "platform/dospath.h"

namespace korax {

int ECOLOR, EBLKCOLOR, EFILLSTYLE, EFILLCOLOR, EFONT, EDIR, ESIZEX, ESIZEY, ETHICK;
int EXA, EYA, ECURX, ECURY, EMAXX, EMAXY, EGRAPHRESULT;
std::string BGIPATH;
bool INGRAPH;
PSTRING<255> EWINTITLE;
// Filled when first used: a start that saves no picture never touches it.
std::vector<std::uint8_t> VBUF;

namespace {
// Screens pass coordinates as 16-bit words; the core takes them as signed.
int w16(int v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }
std::uint32_t c16(int v) { return static_cast<std::uint16_t>(v); }

// Names are cut to 80 characters and get `ext` when they have no ".".
std::string picture_name(const std::string& name, const char* ext) {
    std::string n = name.substr(0, 80);
    if (n.find('.') == std::string::npos) n += ext;
    return n;
}

struct EmuInit {
    EmuInit() { EMUGRAPH_INIT(); }
} emu_init;
}  // namespace

void EMUGRAPH_INIT() {
    ECOLOR = 7;
    EBLKCOLOR = 0;
    EFILLSTYLE = 0;
    EFILLCOLOR = 0;
    EFONT = 16;
    EDIR = 0;
    ESIZEX = 2;
    ESIZEY = 2;
    ETHICK = 1;
    EXA = 1;
    EYA = 1;
    ECURX = 0;
    ECURY = 0;
    EMAXX = 1024;
    EMAXY = 768;
    EGRAPHRESULT = 0;
    BGIPATH.clear();
    INGRAPH = false;
}

void CHECK() {}

void EINITGRAPH(int) {
    INITGRAPH(3, 6, EWINTITLE.str());
    const int r = GRAPHRESULT();
    // No screen draws OpenGL, so a missing OpenGL context does not stop the program.
    if (r != grOk && r != grNoOpenGL) ERROR(1, GRAPHERRORMSG(r));
    EMAXX = GETMAXX();
    EMAXY = GETMAXY();
    INGRAPH = true;
}

void ECLOSEGRAPH() {
    CLOSEGRAPH();
    INGRAPH = false;
}

void EBAR(int x1, int y1, int x2, int y2) {
    CHECK();
    if (static_cast<std::uint16_t>(x1) > static_cast<std::uint16_t>(x2) ||
        static_cast<std::uint16_t>(y1) > static_cast<std::uint16_t>(y2))
        return;
    BAR(w16(x1), w16(y1), w16(x2), w16(y2));
}

void EOUTTEXT(const std::string& s) {
    CHECK();
    OUTTEXT(s.substr(0, 80));
}

void EOUTTEXTXY(int x, int y, const std::string& s) {
    CHECK();
    OUTTEXTXY(w16(x), w16(y), s.substr(0, 80));
}

void ESETTEXTSTYLE(int font, int direction, int size) {
    CHECK();
    if (font == 2 && size == 1) size = 2;
    SETUSERCHARSIZE(0, 0, 0, 0);
    SETTEXTSTYLE(font, direction, size);
}

void ESETUSERCHARSIZE(int multx, int divx, int multy, int divy) {
    CHECK();
    // A zero divisor gives no extra spacing instead of a division fault.
    if (multx > divx) SETUSERCHARSIZE(divx == 0 ? 0 : multx / divx, divx, multy, divy);
    else SETUSERCHARSIZE(0, 0, multy, divy);
}

void ECIRCLEFILL(int x, int y, int r, int colour) {
    CHECK();
    EFILLCOLOR = colour;
    SETFILLSTYLE(1, c16(colour));
    FILLELLIPSE(w16(x), w16(y), w16(r), w16(r));
}

void EFLOODFILLX(int x, int y, int border) {
    CHECK();
    FLOODFILL(w16(x), w16(y), c16(border));
}

void EFLOODFILL(int, int, int) {}

int EHIGHCOLOR(int c) { return c + 8; }
int EGETPAGECOUNT() { return 4; }
int EVMODE(int) { return 0; }

int ELOADPCX(const std::string& name, int x, int y) {
    SHOWPCX(w16(x), w16(y), picture_name(name, ".PCX"));
    return 0;
}

int ESAVEPCX(const std::string& name, int, int, int, int) {
    picture_name(name, ".PCX");
    return 0;
}

int ESAVEPIC(const std::string& name, int x1, int y1, int x2, int y2) {
    const std::string n = picture_name(name, ".BMP");
    const std::uint32_t size = IMAGESIZE(w16(x1), w16(y1), w16(x2), w16(y2));
    if (GRRESULT != grOk) return 1;
    GETIMAGE(w16(x1), w16(y1), w16(x2), w16(y2), VBUF);
    if (GRRESULT != grOk || VBUF.size() < size) return 1;
    std::FILE* f = std::fopen(HOSTPATH(n).c_str(), "wb");
    if (!f) return 1;
    bool ok = std::fwrite(VBUF.data(), 1, size, f) == size;
    ok = std::fclose(f) == 0 && ok;
    return ok ? 0 : 1;
}

int ELOADPIC(const std::string& name, int x, int y) {
    const std::string n = picture_name(name, ".BMP");
    std::FILE* f = std::fopen(HOSTPATH(n).c_str(), "rb");
    if (!f) return 1;
    std::vector<std::uint8_t> data;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    // Files larger than the buffer, or whose header lies about their size, are refused.
    ok = ok && size >= 54 && static_cast<unsigned long>(size) <= VBUF_SIZE && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        data.resize(static_cast<std::size_t>(size));
        ok = std::fread(data.data(), 1, data.size(), f) == data.size();
    }
    std::fclose(f);
    if (!ok) return 1;
    const std::uint32_t stated = data[2] | (data[3] << 8) | (data[4] << 16) | (static_cast<std::uint32_t>(data[5]) << 24);
    if (stated != data.size()) return 1;
    if (VBUF.size() < data.size()) VBUF.resize(data.size());
    std::copy(data.begin(), data.end(), VBUF.begin());
    PUTIMAGE(w16(x), w16(y), data, 0);
    return GRRESULT == grOk ? 0 : 1;
}

void ECLEARDEVICE() { CHECK(); CLEARDEVICE(); }
int EGETMAXX() { return GETMAXX(); }
int EGETMAXY() { return GETMAXY(); }
int EGETX() { return GETX(); }
int EGETY() { return GETY(); }
int EGETCOLOR() { return static_cast<int>(GETCOLOR()); }
int EGETMAXCOLOR() { return static_cast<int>(GETMAXCOLOR()); }
void EGETPALETTE(PALETTETYPE& palette) { GETPALETTE(palette); }
int EGETPIXEL(int x, int y) { return static_cast<int>(GETPIXEL(w16(x), w16(y))); }
void EGETIMAGE(int x1, int y1, int x2, int y2, std::vector<std::uint8_t>& buffer) {
    CHECK();
    GETIMAGE(w16(x1), w16(y1), w16(x2), w16(y2), buffer);
}
void EPUTIMAGE(int x, int y, const std::vector<std::uint8_t>& buffer, int mode) {
    CHECK();
    PUTIMAGE(w16(x), w16(y), buffer, mode);
}
std::uint32_t EIMAGESIZE(int x1, int y1, int x2, int y2) {
    return IMAGESIZE(w16(x1), w16(y1), w16(x2), w16(y2));
}
void EGETARCCOORDS(ARCCOORDSTYPE& ac) { GETARCCOORDS(ac); }
void EGETASPECTRATIO(int& x, int& y) { GETASPECTRATIO(x, y); }
void ESETASPECTRATIO(int x, int y) { SETASPECTRATIO(x, y); }
void EGETFILLSETTINGS(FILLSETTINGSTYPE& fs) { GETFILLSETTINGS(fs); }
void EGETLINESETTINGS(LINESETTINGSTYPE& ls) { GETLINESETTINGS(ls); }
void EGETTEXTSETTINGS(TEXTSETTINGSTYPE& ts) { GETTEXTSETTINGS(ts); }
void EGETVIEWSETTINGS(VIEWPORTTYPE& vp) { GETVIEWSETTINGS(vp); }
std::string EGETDRIVERNAME() { return GETDRIVERNAME(); }
std::string EGETMODENAME(int mode) { return GETMODENAME(mode); }
int EGETGRAPHMODE() { return GETGRAPHMODE(); }
void ESETGRAPHMODE(int mode) { SETGRAPHMODE(mode); }
void ERESTORECRTMODE() { RESTORECRTMODE(); }
void ESETACTIVEPAGE(int page) { SETACTIVEPAGE(page); }
void ESETALLPALETTE(const PALETTETYPE& palette) { SETALLPALETTE(palette); }
void ESETPALETTE(int index, int colournumber) { SETPALETTE(index, colournumber); }
void ESETBLKCOLOR(int c) { SETBKCOLOR(c16(c)); }
void ESETRGBPALETTE(int index, int r, int g, int b) { SETRGBPALETTE(index, r, g, b); }
void ESETCOLOR(int c) { SETCOLOR(c16(c)); }
void ESETFILLSTYLE(int pattern, int colour) { SETFILLSTYLE(pattern, c16(colour)); }
void ESETFILLPATTERN(const FILLPATTERNTYPE& pattern, int colour) { SETFILLPATTERN(pattern, c16(colour)); }
void ESETLINESTYLE(int style, int pattern, int width) { SETLINESTYLE(style, pattern, width); }
void ESETTEXTJUSTIFY(int horizontal, int vertical) { SETTEXTJUSTIFY(horizontal, vertical); }
void ESETVIEWPORT(int x1, int y1, int x2, int y2, bool clip) {
    SETVIEWPORT(w16(x1), w16(y1), w16(x2), w16(y2), clip);
}
void ESETWRITEMODE(int mode) { SETWRITEMODE(mode); }
void ELINE(int x1, int y1, int x2, int y2) { CHECK(); LINE(w16(x1), w16(y1), w16(x2), w16(y2)); }
void ELINETO(int x, int y) { CHECK(); LINETO(w16(x), w16(y)); }
void ELINEREL(int dx, int dy) { CHECK(); LINEREL(w16(dx), w16(dy)); }
void EMOVETO(int x, int y) { MOVETO(w16(x), w16(y)); }
void EMOVEREL(int dx, int dy) { MOVEREL(w16(dx), w16(dy)); }
void EPUTPIXEL(int x, int y, int colour) { CHECK(); PUTPIXEL(w16(x), w16(y), c16(colour)); }
void ERECTANGLE(int x1, int y1, int x2, int y2) {
    CHECK();
    RECTANGLE(w16(x1), w16(y1), w16(x2), w16(y2));
}
void ECIRCLE(int x, int y, int r) { CHECK(); CIRCLE(w16(x), w16(y), w16(r)); }
void EARC(int x, int y, int startangle, int endangle, int r) {
    CHECK();
    ARC(w16(x), w16(y), startangle, endangle, w16(r));
}
void EELLIPSE(int x, int y, int startangle, int endangle, int xradius, int yradius) {
    CHECK();
    ELLIPSE(w16(x), w16(y), startangle, endangle, w16(xradius), w16(yradius));
}
void EFILLELLIPSE(int x, int y, int xradius, int yradius) {
    CHECK();
    FILLELLIPSE(w16(x), w16(y), w16(xradius), w16(yradius));
}
void EFILLPOLY(int n, const POINTTYPE* points) { CHECK(); FILLPOLY(n, points); }
void EPIESLICE(int x, int y, int startangle, int endangle, int r) {
    CHECK();
    PIESLICE(w16(x), w16(y), startangle, endangle, w16(r));
}
void EBAR3D(int x1, int y1, int x2, int y2, int depth, bool top) {
    CHECK();
    BAR3D(w16(x1), w16(y1), w16(x2), w16(y2), depth, top);
}
int ETEXTWIDTH(const std::string& s) { return TEXTWIDTH(s); }
int ETEXTHEIGHT(const std::string& s) { return TEXTHEIGHT(s); }

void BEEP(int) {}

}  // namespace korax

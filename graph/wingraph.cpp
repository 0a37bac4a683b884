// The drawing core's state: opening and closing, modes and drivers, pages,
// viewports, palette and colour model, write modes.
#include "graph/wingraph.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "graph/events.h"
#include "graph/sdl_input.h"
#include "graph/wingraph_internal.h"
#include "platform/window.h"

namespace korax {

bool GRENABLED = false;
std::int16_t GRRESULT = 0;
std::int16_t GRDRIVER = -1, GRMODE = 0;
std::string GRTITLE;
std::int16_t SCREENWIDTH = 0, SCREENHEIGHT = 0;
std::uint16_t CUSTOMWIDTH = 640, CUSTOMHEIGHT = 480;
std::int16_t WINDOWWIDTH = 0, WINDOWHEIGHT = 0;
POINTTYPE GETMAX{0, 0}, ORIGIN{0, 0}, ACTUAL{0, 0}, ASPECT{10000, 10000};
std::uint32_t MAXCOLOR = 255;
bool PALEXIST = true, GRDIRECT = false, GRUPDATE = true, KEEPOBJECTS = false, OGLDIRECT = false;
LINESETTINGSTYPE LINESETTINGS{0, 0, 1};
FILLSETTINGSTYPE FILLSETTINGS{1, 15};
FILLPATTERNTYPE FILLPATTERN{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
TEXTSETTINGSTYPE TEXTSETTINGS{0, 0, 16, 0, 2};
VIEWPORTTYPE VIEWPORT{0, 0, 0, 0, 0};
ARCCOORDSTYPE LASTARCCOORDS{0, 0, 0, 0, 0, 0};
std::int16_t VIEWPORTWIDTH = 0, VIEWPORTHEIGHT = 0;
std::uint16_t VISUALPAGE = 0, ACTIVEPAGE = 0;
std::mutex PROTECT_DEVICES;

namespace gfx {
int PW = 0, PH = 0, BPP = 1;
std::array<std::vector<std::uint8_t>, PAGECOUNT> PAGES;
std::array<std::uint32_t, 256> PAL{};
std::uint32_t PALGEN = 1;
RECT CLIP;
std::uint32_t FG = 15, BK = 0;
int ROP = 0;
bool OPAQUE = false;
int FILLSTYLE = 1;
std::uint32_t FILLCOLOUR = 15;

namespace {
// A small direct-mapped cache for nearest-colour look-ups (image transfers).
struct NearSlot {
    std::uint32_t key = 0xFFFFFFFF;
    std::uint32_t gen = 0;
    std::uint8_t index = 0;
};
std::array<NearSlot, 32768> near_cache;
bool window_open = false;
}  // namespace

void ALLOC_PAGES(int w, int h, int bpp) {
    PW = w;
    PH = h;
    BPP = bpp;
    for (auto& p : PAGES) p.clear();
    ENSURE_PAGE(0);
    CLIP = {0, 0, w - 1, h - 1};
}

// A page gets its memory when it is first chosen: the screens draw on page 0 only,
// and first touching fresh memory costs more than a whole start. An untouched page
// is black, as a page cleared at opening was.
void ENSURE_PAGE(int page) {
    auto& p = PAGES[static_cast<std::size_t>(page)];
    if (p.empty()) p.assign(static_cast<std::size_t>(PW) * PH * BPP, 0);
}

void FREE_PAGES() {
    for (auto& p : PAGES) {
        p.clear();
        p.shrink_to_fit();
    }
    PW = PH = 0;
}

bool OPEN_OK() {
    GRRESULT = grOk;
    if (!GRENABLED) {
        GRRESULT = grNoInitGraph;
        return false;
    }
    return true;
}

std::uint32_t MAPC(std::uint32_t c) {
    if (PALEXIST) return c % (MAXCOLOR + 1);
    return c & 0xFFFFFF;
}

std::uint32_t MASK() { return PALEXIST ? MAXCOLOR : 0xFFFFFFu; }

std::uint32_t NEAREST(std::uint32_t rgb) {
    rgb &= 0xFFFFFF;
    NearSlot& s = near_cache[((rgb * 2654435761u) >> 17) & (near_cache.size() - 1)];
    if (s.key == rgb && s.gen == PALGEN) return s.index;
    int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    std::uint32_t best = 0;
    int bestd = 1 << 30;
    for (std::uint32_t i = 0; i <= MAXCOLOR && i < 256; ++i) {
        std::uint32_t p = PAL[i];
        int dr = r - static_cast<int>(p & 0xFF), dg = g - static_cast<int>((p >> 8) & 0xFF),
            db = b - static_cast<int>((p >> 16) & 0xFF);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestd) {
            bestd = d;
            best = i;
            if (d == 0) break;
        }
    }
    s.key = rgb;
    s.gen = PALGEN;
    s.index = static_cast<std::uint8_t>(best);
    return best;
}

std::uint32_t FROM_RGB(std::uint32_t rgb) { return PALEXIST ? NEAREST(rgb) : (rgb & 0xFFFFFF); }

std::uint32_t TO_RGB(std::uint32_t stored) {
    return PALEXIST ? PAL[stored & 0xFF] : (stored & 0xFFFFFF);
}

std::uint32_t APPLY_ROP(int rop, std::uint32_t d, std::uint32_t p) {
    std::uint32_t m = MASK();
    switch (rop) {
        case 0: return p;
        case 1: return (d ^ p) & m;
        case 2: return (d | p) & m;
        case 3: return d & p;
        case 4: return ~p & m;
        case 5: return ~(d ^ p) & m;
        case 6: return ~d & m;
        case 7: return d & ~p & m;
        case 8: return p & ~d & m;
        case 9: return (d | ~p) & m;
        case 10: return (p | ~d) & m;
        // Black and white are colours, not index bits: index 255 is black in a
        // 256-colour palette.
        case 11: return FROM_RGB(0x000000);
        case 12: return FROM_RGB(0xFFFFFF);
        default: return d;
    }
}

void MARK(int y1, int y2) {
    if (!GRDIRECT || !window_open) return;
    if (y1 < 0) y1 = 0;
    if (y2 >= PH) y2 = PH - 1;
    if (y1 <= y2) WINDOW_INVALIDATE(y1, y2);
}

void MARK_ALL() {
    if (window_open) WINDOW_INVALIDATE(0, PH - 1);
}

}  // namespace gfx

using namespace gfx;

// Rows y1..y2 of the visual page as 0x00BBGGRR pixels for the window thread.
void COPY_VISUAL_ROWS(int y1, int y2, std::uint32_t* dst, int dstpitch);

namespace {

constexpr int FRAME_X = 3, FRAME_Y = 3, CAPTION = 23;
constexpr int HEADLESS_DESKTOP_W = 1920, HEADLESS_DESKTOP_H = 1080;

void set_direct() { GRDIRECT = ACTIVEPAGE == VISUALPAGE && GRUPDATE; }

// False when the entry already holds the colour: nothing on screen changes then,
// and a picture loaded with the same palette costs no redraw of the window.
bool set_palette_entry(int i, std::uint32_t rgb) {
    std::uint32_t& e = PAL[static_cast<std::size_t>(i)];
    if (e == (rgb & 0xFFFFFF)) return false;
    e = rgb & 0xFFFFFF;
    ++PALGEN;
    return true;
}

// The clip rectangle of the current viewport, in window coordinates.
void update_clip() {
    if (VIEWPORT.CLIP) {
        CLIP = {std::max<int>(VIEWPORT.X1, 0), std::max<int>(VIEWPORT.Y1, 0),
                std::min<int>(VIEWPORT.X2, PW - 1), std::min<int>(VIEWPORT.Y2, PH - 1)};
    } else {
        CLIP = {0, 0, PW - 1, PH - 1};
    }
}

}  // namespace

bool GRAPH_HEADLESS() {
    const char* v = std::getenv("KORAX_VIDEO");
    return v && std::string_view(v) == "headless";
}

// ---------------------------------------------------------------- lifecycle

void DETECTGRAPH(int& driver, int& mode) {
    driver = 3;
    mode = 12;
}

void INITGRAPH(int driver, int mode, const std::string& title) {
    GRRESULT = grOk;
    if (GRENABLED) {
        GRRESULT = grError;
        return;
    }
    if (driver == 0) DETECTGRAPH(driver, mode);
    GRDRIVER = static_cast<std::int16_t>(driver);
    GRMODE = static_cast<std::int16_t>(mode);
    GRTITLE = title;

    const bool headless = GRAPH_HEADLESS();
    int dw = HEADLESS_DESKTOP_W, dh = HEADLESS_DESKTOP_H, bits = 24;
    if (!headless && !WINDOW_DESKTOP(dw, dh, bits)) {
        GRRESULT = grNotWindow;
        return;
    }
    SCREENWIDTH = static_cast<std::int16_t>(dw);
    SCREENHEIGHT = static_cast<std::int16_t>(dh);

    // Window geometry.
    const int fw = 2 * FRAME_X, fh = CAPTION + 2 * FRAME_Y;
    int w = -1, h = -1;
    switch (mode) {
        case 1: w = 320; h = 200; break;
        case 2: w = 640; h = 350; break;
        case 3: w = 640; h = 480; break;
        case 4: w = 720; h = 350; break;
        case 5: w = 800; h = 600; break;
        case 6: w = 1024; h = 768; break;
        case 10: w = -fw; h = -fh; break;
        case 11: w = dw - fw; h = dh - fh; break;
        case 12: w = dw; h = dh; break;
        case 13: w = CUSTOMWIDTH; h = CUSTOMHEIGHT; break;
        default: GRRESULT = grInvalidMode; return;
    }
    int ow = w + fw, oh = h + fh;
    bool popup = false;
    if (ow > dw || oh > dh) {
        if (dw < w || dh < h) {
            GRRESULT = grInvalidMode;
            return;
        }
        ow = w;
        oh = h;
        popup = true;
    }
    if (mode == 10) {
        // The window system chooses; this one chooses the classic 640 x 480.
        w = 640;
        h = 480;
    }
    if (w < 1 || h < 1) {
        GRRESULT = grInvalidMode;
        return;
    }
    WINDOWWIDTH = static_cast<std::int16_t>(ow);
    WINDOWHEIGHT = static_cast<std::int16_t>(oh);

    int bpp = 1;
    switch (driver) {
        case 1: MAXCOLOR = 1; PALEXIST = true; break;
        case 2: MAXCOLOR = 15; PALEXIST = true; break;
        case 3: MAXCOLOR = 255; PALEXIST = true; break;
        case 9:
            MAXCOLOR = bits >= 32 ? 0xFFFFFFFFu : (1u << bits);
            PALEXIST = false;
            bpp = 4;
            break;
        default: GRRESULT = grInvalidDriver; return;
    }

    {
        std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
        ALLOC_PAGES(w, h, bpp);
        PAL.fill(0);
        ++PALGEN;
        ACTIVEPAGE = VISUALPAGE = 0;
    }
    GETMAX = {w - 1, h - 1};

    if (!headless) {
        std::string t = title.empty() ? "WinGraph 0.5" : title;
        WINDOW_HOOKS = {COPY_VISUAL_ROWS, HANDLE_SDL_EVENT};
        if (!WINDOW_OPEN(w, h, popup ? (dw - ow) / 2 : -1, popup ? (dh - oh) / 2 : -1, popup, t)) {
            std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
            FREE_PAGES();
            GRRESULT = grNotWindow;
            return;
        }
        window_open = true;
    }
    GRENABLED = true;

    EMPTY_INPUT_QUEUES();
    INSTALLDEFAULTFONTS();
    KEEPOBJECTS = true;
    GRAPHDEFAULTS();
    SETACTIVEPAGE(0);
    CLEARDEVICE();
    GRUPDATE = true;
    SETVISUALPAGE(0);
    // No OpenGL here: the window stays usable for all 2-D drawing.
    GRRESULT = grNoOpenGL;
    OGLDIRECT = false;
}

void CLOSEGRAPH() {
    GRRESULT = grOk;
    if (!GRENABLED) {
        GRRESULT = grNoInitGraph;
        return;
    }
    GRENABLED = false;
    if (window_open) {
        WINDOW_CLOSE();
        window_open = false;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    FREE_PAGES();
}

void RESTORECRTMODE() { CLOSEGRAPH(); }

void SETGRAPHMODE(int mode) {
    GRRESULT = grOk;
    if (GRDRIVER < 0) {
        GRRESULT = grError;
        return;
    }
    INITGRAPH(GRDRIVER, mode, GRTITLE);
}

int GETGRAPHMODE() { return GRDRIVER < 0 ? -1 : GRMODE; }
int GETMAXMODE() { return 13; }

void GETMODERANGE(int, int& lo, int& hi) {
    lo = 1;
    hi = 13;
}

std::string GETMODENAME(int mode) {
    const char* n = nullptr;
    switch (mode) {
        case 1: n = "320 x 200"; break;
        case 2: n = "640 x 350"; break;
        case 3: n = "640 x 480"; break;
        case 4: n = "720 x 350"; break;
        case 5: n = "800 x 600"; break;
        case 6: n = "1024 x 768"; break;
        case 10: n = "Windows default"; break;
        case 11: n = "Maximized"; break;
        case 12: n = "Full screen"; break;
        case 13: n = "Custom"; break;
        default: return "invalid graphics mode";
    }
    return std::string(n) + " (VESA)";
}

std::string GETDRIVERNAME() {
    switch (GRDRIVER) {
        case 1: return "D1bit - 2 colors";
        case 2: return "D4bit - 16 colors";
        case 3: return "D8bit - 256 colors";
        case 9: return "NoPalette - all colors";
        default: return "no graphics driver";
    }
}

void SETWINDOWSIZE(int width, int height) {
    CUSTOMWIDTH = static_cast<std::uint16_t>(width);
    CUSTOMHEIGHT = static_cast<std::uint16_t>(height);
}

int GRAPHRESULT() {
    int r = GRRESULT;
    GRRESULT = grOk;
    return r;
}

std::string GRAPHERRORMSG(int code) {
    const char* m;
    switch (code) {
        case 0: return "";
        case -1: m = "Graphics window not initialized. Use InitGraph"; break;
        case -2: m = "Invalid graphics driver"; break;
        case -3: m = "Invalid graphics mode"; break;
        case -4: m = "Creation of graphics window failed"; break;
        case -5: m = "Invalid font selection"; break;
        case -6: m = "Invalid font number"; break;
        case -7: m = "Invalid parameter value"; break;
        case -8: m = "No palette available. Change graphics driver"; break;
        case -9: m = "OpenGL driver not initialized"; break;
        case -10: m = "General graphics error"; break;
        default: m = "Unrecognized error code"; break;
    }
    return std::string("Error: ") + m;
}

bool GRAPHENABLED() { return GRENABLED; }
int GETMAXX() { return GETMAX.X; }
int GETMAXY() { return GETMAX.Y; }
std::uint32_t GETMAXCOLOR() { return MAXCOLOR; }
int GETX() { return ACTUAL.X; }
int GETY() { return ACTUAL.Y; }

void GETASPECTRATIO(int& x, int& y) {
    x = ASPECT.X;
    y = ASPECT.Y;
}

void SETASPECTRATIO(int x, int y) { ASPECT = {x, y}; }

void GRAPHDEFAULTS() {
    if (!OPEN_OK()) return;
    if (PALEXIST) {
        PALETTETYPE p;
        GETDEFAULTPALETTE(p);
        SETALLPALETTE(p);
    } else {
        SETABSOLUTECOLORS();
    }
    SETLINESTYLE(0, 0, 1);
    SETFILLSTYLE(1, WHITE);
    SETTEXTSTYLE(0, 0, 16);
    SETTEXTJUSTIFY(0, 2);
    SETUSERCHARSIZE(0, 0, 0, 0);
    SETVIEWPORT(0, 0, GETMAXX(), GETMAXY(), false);
    KEEPOBJECTS = false;
    SETCOLOR(WHITE);
    SETBKCOLOR(BLACK);
    FILLPATTERN.fill(0xFF);
    {
        std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
        SET_USER_PATTERN(FILLPATTERN, WHITE);
    }
    SETWRITEMODE(0);
    ASPECT = {10000, 10000};
    GRRESULT = grOk;
}

void SETOPENGLMODE(bool direct) {
    if (!OPEN_OK()) return;
    OGLDIRECT = direct;
    GRRESULT = grNoOpenGL;
}

// ---------------------------------------------------------------- pages

void SETACTIVEPAGE(int page) {
    if (!OPEN_OK()) return;
    std::uint8_t p = static_cast<std::uint8_t>(page);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    ACTIVEPAGE = p >= PAGECOUNT ? 0 : p;
    ENSURE_PAGE(ACTIVEPAGE);
    set_direct();
}

void SETVISUALPAGE(int page) {
    if (!OPEN_OK()) return;
    std::uint8_t p = static_cast<std::uint8_t>(page);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    VISUALPAGE = p >= PAGECOUNT ? 0 : p;
    ENSURE_PAGE(VISUALPAGE);
    set_direct();
    MARK_ALL();
}

void UPDATEGRAPH(int how) {
    if (!OPEN_OK()) return;
    switch (how) {
        case 0:
            GRUPDATE = false;
            GRDIRECT = false;
            break;
        case 1:
            if (!GRUPDATE) {
                GRUPDATE = true;
                set_direct();
                MARK_ALL();
            }
            break;
        case 2: MARK_ALL(); break;
        default: break;
    }
}

void CLEARDEVICE() {
    if (!OPEN_OK()) return;
    VIEWPORTTYPE saved = VIEWPORT;
    SETVIEWPORT(0, 0, GETMAXX(), GETMAXY(), false);
    CLEARVIEWPORT();
    SETVIEWPORT(saved.X1, saved.Y1, saved.X2, saved.Y2, saved.CLIP != 0);
    ACTUAL = {0, 0};
}

void SETVIEWPORT(int x1, int y1, int x2, int y2, bool clip) {
    if (!OPEN_OK()) return;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return;
    }
    VIEWPORT = {static_cast<std::int16_t>(x1), static_cast<std::int16_t>(y1),
                static_cast<std::int16_t>(x2), static_cast<std::int16_t>(y2),
                static_cast<std::uint8_t>(clip ? 1 : 0)};
    VIEWPORTWIDTH = static_cast<std::int16_t>(x2 - x1);
    VIEWPORTHEIGHT = static_cast<std::int16_t>(y2 - y1);
    ORIGIN = {x1, y1};
    ACTUAL = {0, 0};
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    update_clip();
}

void GETVIEWSETTINGS(VIEWPORTTYPE& vp) { vp = VIEWPORT; }

void CLEARVIEWPORT() {
    if (!OPEN_OK()) return;
    ACTUAL = {0, 0};
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const std::uint32_t v = MAPC(BK);
    const int x1 = std::max(ORIGIN.X, 0), x2 = std::min(ORIGIN.X + VIEWPORTWIDTH, PW - 1);
    const int y1 = std::max(ORIGIN.Y, 0), y2 = std::min(ORIGIN.Y + VIEWPORTHEIGHT, PH - 1);
    if (x1 > x2 || y1 > y2) return;
    if (x1 == 0 && x2 == PW - 1 && BPP == 1) {
        std::memset(ROWPTR(y1), static_cast<int>(v), static_cast<std::size_t>(PW) * (y2 - y1 + 1));
    } else {
        for (int y = y1; y <= y2; ++y) SPAN_COPY(y, x1, x2, v);
    }
    MARK(y1, y2);
}

// ---------------------------------------------------------------- colours

void SETCOLOR(std::uint32_t c) {
    if (!OPEN_OK()) return;
    FG = c;
}

void SETBKCOLOR(std::uint32_t c) {
    if (!OPEN_OK()) return;
    BK = c;
}

std::uint32_t GETBKCOLOR() { return BK; }
std::uint32_t GETCOLOR() { return FG; }

void SETRGBPALETTE(int index, int r, int g, int b) {
    if (!OPEN_OK()) return;
    if (!PALEXIST) {
        GRRESULT = grNoPalette;
        return;
    }
    if (index < 0 || static_cast<std::uint32_t>(index) > MAXCOLOR) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    if (set_palette_entry(index, RGB(r & 0xFF, g & 0xFF, b & 0xFF))) MARK_ALL();
}

void SETPALETTE(int index, int colournumber) {
    if (!OPEN_OK()) return;
    if (!PALEXIST) {
        GRRESULT = grNoPalette;
        return;
    }
    if (colournumber < 0 || static_cast<std::uint32_t>(colournumber) > MAXCOLOR || index < 0 ||
        static_cast<std::uint32_t>(index) > MAXCOLOR) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    if (set_palette_entry(index, DEFAULTVGAPALETTE[static_cast<std::size_t>(colournumber)])) MARK_ALL();
}

void SETALLPALETTE(const PALETTETYPE& palette) {
    if (!OPEN_OK()) return;
    if (!PALEXIST) {
        GRRESULT = grNoPalette;
        return;
    }
    if (palette.SIZE > MAXCOLOR + 1) {
        GRRESULT = grInvalidParam;
        return;
    }
    {
        std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
        bool changed = false;
        for (int i = 0; i < palette.SIZE; ++i) changed |= set_palette_entry(i, palette.COLORS[i]);
        if (changed) MARK_ALL();
    }
    MAPPALETTECOLORS();
}

void GETPALETTE(PALETTETYPE& palette) {
    if (!OPEN_OK()) return;
    if (!PALEXIST) {
        GRRESULT = grNoPalette;
        return;
    }
    palette.SIZE = static_cast<std::uint16_t>(MAXCOLOR + 1);
    std::memset(palette.COLORS, 0, sizeof palette.COLORS);
    for (std::uint32_t i = 0; i <= MAXCOLOR; ++i) palette.COLORS[i] = PAL[i];
}

void GETDEFAULTPALETTE(PALETTETYPE& palette) {
    palette.SIZE = static_cast<std::uint16_t>(PALEXIST ? MAXCOLOR + 1 : 256);
    for (int i = 0; i < 256; ++i) palette.COLORS[i] = DEFAULTVGAPALETTE[static_cast<std::size_t>(i)];
    if (PALEXIST && MAXCOLOR == 1) {
        palette.COLORS[0] = 0;
        palette.COLORS[1] = 0xFFFFFF;
    }
}

void GETMAGICKPALETTE(PALETTETYPE& palette) {
    std::uint32_t n = PALEXIST ? std::min<std::uint32_t>(MAXCOLOR + 1, 144) : 144;
    palette.SIZE = static_cast<std::uint16_t>(n);
    std::memset(palette.COLORS, 0, sizeof palette.COLORS);
    for (std::uint32_t i = 0; i < n; ++i) palette.COLORS[i] = MAGICKPALETTE[i];
}

void GETSYSPALETTE(PALETTETYPE& palette) {
    palette.SIZE = 256;
    for (int i = 0; i < 256; ++i) palette.COLORS[i] = PALEXIST ? PAL[static_cast<std::size_t>(i)] : 0;
}

int GETPALETTESIZE() { return static_cast<int>(MAXCOLOR + 1); }

std::uint32_t RGB(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

void SETWRITEMODE(int mode) {
    if (!OPEN_OK()) return;
    const int low = mode & 15, high = mode - low;
    if (mode < 0 || low > 13 || (high != 0 && high != 16)) {
        GRRESULT = grInvalidParam;
        return;
    }
    ROP = low;
    OPAQUE = high == 16;
}

void MAPPALETTECOLORS() {
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    for (std::size_t i = 0; i < INTERNCOLOR.size(); ++i) *INTERNCOLOR[i] = NEAREST(MAGICKPALETTE[i]);
}

void SETABSOLUTECOLORS() {
    for (std::size_t i = 0; i < INTERNCOLOR.size(); ++i) *INTERNCOLOR[i] = MAGICKPALETTE[i];
}

void SETMAGICKCOLORS() { SETABSOLUTECOLORS(); }

// ---------------------------------------------------------------- read access

std::uint32_t PAGE_PIXEL(int page, int x, int y) {
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    if (page < 0 || page >= PAGECOUNT || x < 0 || y < 0 || x >= PW || y >= PH ||
        PAGES[static_cast<std::size_t>(page)].empty())
        return 0;
    const std::uint8_t* p =
        PAGES[static_cast<std::size_t>(page)].data() + (static_cast<std::size_t>(y) * PW + x) * BPP;
    if (BPP == 1) return *p;
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

std::uint32_t SHOWN_RGB(std::uint32_t stored) { return TO_RGB(stored); }

// Called by the window thread: rows y1..y2 of the visual page as 0x00BBGGRR.
void COPY_VISUAL_ROWS(int y1, int y2, std::uint32_t* dst, int dstpitch) {
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    if (PAGES[VISUALPAGE].empty()) return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, PH - 1);
    for (int y = y1; y <= y2; ++y) {
        const std::uint8_t* s = PAGES[VISUALPAGE].data() + static_cast<std::size_t>(y) * PW * BPP;
        std::uint32_t* d = dst + static_cast<std::size_t>(y) * dstpitch;
        if (BPP == 1) {
            for (int x = 0; x < PW; ++x) d[x] = PAL[s[x]];
        } else {
            for (int x = 0; x < PW; ++x, s += 4) d[x] = s[0] | (s[1] << 8) | (s[2] << 16);
        }
    }
}

// ---------------------------------------------------------------- PNG

namespace {
void put32(std::string& s, std::uint32_t v) {
    s.push_back(static_cast<char>(v >> 24));
    s.push_back(static_cast<char>(v >> 16));
    s.push_back(static_cast<char>(v >> 8));
    s.push_back(static_cast<char>(v));
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    std::string td = std::string(type, 4) + data;
    out += td;
    put32(out, static_cast<std::uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(td.data()), static_cast<uInt>(td.size()))));
}
}  // namespace

bool WRITE_VISUAL_PNG(const std::string& hostpath) {
    if (!GRENABLED) return false;
    std::vector<std::uint8_t> raw;
    int w, h;
    {
        std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
        w = PW;
        h = PH;
        raw.resize(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
        std::size_t o = 0;
        for (int y = 0; y < h; ++y) {
            raw[o++] = 0;
            const std::uint8_t* s = PAGES[VISUALPAGE].data() + static_cast<std::size_t>(y) * w * BPP;
            for (int x = 0; x < w; ++x) {
                std::uint32_t v;
                if (BPP == 1) {
                    v = PAL[s[x]];
                } else {
                    const std::uint8_t* p = s + 4 * x;
                    v = p[0] | (p[1] << 8) | (p[2] << 16);
                }
                raw[o++] = v & 0xFF;
                raw[o++] = (v >> 8) & 0xFF;
                raw[o++] = (v >> 16) & 0xFF;
            }
        }
    }
    uLongf zlen = compressBound(static_cast<uLong>(raw.size()));
    std::string z(zlen, '\0');
    // Screen shots are flat colour areas: the fastest level packs them nearly as
    // well and keeps scripted runs quick.
    if (compress2(reinterpret_cast<Bytef*>(z.data()), &zlen, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK)
        return false;
    z.resize(zlen);
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    put32(ihdr, static_cast<std::uint32_t>(w));
    put32(ihdr, static_cast<std::uint32_t>(h));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", "");
    std::FILE* f = std::fopen(hostpath.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace korax

// Shared by the drawing core's units only: the pages, the clip rectangle and the
// row-wise pixel helpers. Every helper works in window coordinates and expects
// PROTECT_DEVICES to be held by the caller.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "graph/wingraph.h"

namespace korax::gfx {

constexpr int PAGECOUNT = 4;

struct RECT {
    int x1 = 0, y1 = 0, x2 = -1, y2 = -1;  // inclusive; empty when x2 < x1
};

// Page geometry: width, height, bytes per pixel (1 palette, 4 direct colour).
extern int PW, PH, BPP;
extern std::array<std::vector<std::uint8_t>, PAGECOUNT> PAGES;
// The window's palette (0x00BBGGRR per entry); only maximum colour + 1 are used.
extern std::array<std::uint32_t, 256> PAL;
// Bumped on every palette change (invalidates the nearest-colour cache).
extern std::uint32_t PALGEN;
extern RECT CLIP;        // where drawing may land
extern std::uint32_t FG; // current colour (as given)
extern std::uint32_t BK; // background colour (as given)
extern int ROP;          // low bits of the write mode
extern bool OPAQUE;      // background of text and hatches painted
extern int FILLSTYLE;    // current brush
extern std::uint32_t FILLCOLOUR;

// Opens and closes the layer's storage (pages of w x h at bpp bytes per pixel).
void ALLOC_PAGES(int w, int h, int bpp);
void FREE_PAGES();
void ENSURE_PAGE(int page);  // under PROTECT_DEVICES

// Checks the layer is open; sets GRRESULT to 0 or -1.
bool OPEN_OK();
// The stored value of a colour argument: palette index modulo the palette size,
// or the RGB value in direct-colour mode.
std::uint32_t MAPC(std::uint32_t c);
std::uint32_t MASK();  // all bits of a stored value
// Nearest palette entry to an RGB value (first of equals).
std::uint32_t NEAREST(std::uint32_t rgb);
// The stored value for an RGB colour in the current mode.
std::uint32_t FROM_RGB(std::uint32_t rgb);
std::uint32_t TO_RGB(std::uint32_t stored);
// Applies a pen raster operation (write mode low bits) to destination d, pen p.
std::uint32_t APPLY_ROP(int rop, std::uint32_t d, std::uint32_t p);

inline std::uint8_t* ROWPTR(int y) {
    return PAGES[ACTIVEPAGE].data() + static_cast<std::size_t>(y) * PW * BPP;
}
inline std::uint32_t GET(int x, int y) {
    const std::uint8_t* p = ROWPTR(y) + static_cast<std::size_t>(x) * BPP;
    if (BPP == 1) return *p;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
}
inline void SET(int x, int y, std::uint32_t v) {
    std::uint8_t* p = ROWPTR(y) + static_cast<std::size_t>(x) * BPP;
    if (BPP == 1) {
        *p = static_cast<std::uint8_t>(v);
    } else {
        p[0] = v & 0xFF; p[1] = (v >> 8) & 0xFF; p[2] = (v >> 16) & 0xFF; p[3] = 0;
    }
}
inline bool INCLIP(int x, int y) {
    return x >= CLIP.x1 && x <= CLIP.x2 && y >= CLIP.y1 && y <= CLIP.y2;
}

// Rows y1..y2 of the active page changed: the window shows them when it follows.
void MARK(int y1, int y2);
void MARK_ALL();

// Pixel and span writers, clipped.
void PLOT_COPY(int x, int y, std::uint32_t v);
void PLOT_ROP(int x, int y, std::uint32_t v);     // with the write mode
void SPAN_COPY(int y, int x1, int x2, std::uint32_t v);
void SPAN_ROP(int y, int x1, int x2, std::uint32_t v);
void SPAN_BRUSH(int y, int x1, int x2);           // with the current fill
bool BRUSH_EMPTY();                               // hollow fill
// Paints the 8 x 8 bitmap of fill style 8: set bits colour, clear bits background.
void SET_USER_PATTERN(const FILLPATTERNTYPE& pattern, std::uint32_t colour);

// The pen: plot one point of an outline (width and colour of the pen applied).
bool PEN_VISIBLE();  // styles 5 and 6 draw no outlines
void PEN_POINT(int x, int y);
// A line of the pen from (x1, y1) to (x2, y2), both ends included; the style
// pattern continues from `*step` and is advanced.
void PEN_LINE(int x1, int y1, int x2, int y2, int* step, bool last);

// Rows of a filled ellipse: half width per row offset dy = -ry..ry.
std::vector<int> ELLIPSE_ROWS(int rx, int ry);

}  // namespace korax::gfx

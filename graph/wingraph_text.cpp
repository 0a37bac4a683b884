// Text: the font slots, the font word, direction, justification and spacing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "graph/wingraph.h"
#include "graph/wingraph_internal.h"
#include "platform/cp437.h"
#include "platform/fonts.h"

namespace korax {

std::array<std::string, 15> AVAILFONT;

using namespace gfx;

namespace {

FONTKEY current;          // face, size, weight, slant and angle of the text
bool underline = false;
int extra = 0;            // pixels after every character
int breakextra = 0;       // pixels spread over the spaces of one text

// Cell height of a size argument: 1..5 count in steps of 8 pixels, 6 and more are
// pixels; 0 asks for the usual height.
int size_to_height(int size) {
    if (size <= 0) return 16;
    if (size <= 5) return size * 8;
    return std::min(size, 1000);
}

int count_spaces(const std::string& s) {
    int n = 0;
    for (char c : s) n += c == ' ';
    return n;
}

// Width along the text direction, spacing included.
int text_advance(const std::string& s) {
    FONTKEY flat = current;
    flat.angle = 0;
    int w = 0;
    for (unsigned char c : s) w += FONT_GLYPH(flat, CP437_TO_UNICODE(c)).advx + extra;
    if (count_spaces(s) > 0) w += breakextra;
    return w;
}

void draw_glyph(const GLYPH& g, int px, int py, std::uint32_t v) {
    const int x0 = px + g.left, y0 = py - g.top;
    // Clip the glyph box once, then set pixels row by row.
    const int ya = std::max(0, CLIP.y1 - y0), yb = std::min(g.h - 1, CLIP.y2 - y0);
    const int xa = std::max(0, CLIP.x1 - x0), xb = std::min(g.w - 1, CLIP.x2 - x0);
    for (int y = ya; y <= yb; ++y) {
        const std::uint8_t* row = g.bits.data() + static_cast<std::size_t>(y) * g.w;
        for (int x = xa; x <= xb; ++x) {
            if (!row[x]) continue;
            if (ROP == 0) SET(x0 + x, y0 + y, v);
            else SET(x0 + x, y0 + y, APPLY_ROP(ROP, GET(x0 + x, y0 + y), v));
        }
    }
}

}  // namespace

int INSTALLUSERFONT(const std::string& name) {
    GRRESULT = grOk;
    if (FONT_FAMILY_EXISTS(name)) {
        for (std::size_t i = 0; i < AVAILFONT.size(); ++i) {
            if (AVAILFONT[i].empty()) {
                AVAILFONT[i] = name.substr(0, 31);
                return static_cast<int>(i);
            }
        }
    }
    GRRESULT = grInvalidFont;
    return -1;
}

void INSTALLDEFAULTFONTS() {
    // Every screen names its fonts by slot number, so each family keeps its slot:
    // a missing one is drawn with the nearest installed face and said so once.
    static const char* const names[] = {"Courier New", "System",        "Arial",
                                        "Times New Roman", "MS Sans Serif", "Lucida Console"};
    static bool told[std::size(names)] = {};
    for (auto& f : AVAILFONT) f.clear();
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (FONT_FAMILY_EXISTS(names[i])) {
            AVAILFONT[i] = names[i];
            continue;
        }
        const std::string standin = FONT_STANDIN(names[i]);
        if (standin.empty()) continue;
        AVAILFONT[i] = names[i];
        if (!told[i])
            std::fprintf(stderr, "korax: font \"%s\" (slot %zu) is not installed; drawn with \"%s\"\n", names[i], i,
                         standin.c_str());
        told[i] = true;
    }
    // Opening a face costs a fontconfig match and a file read: done here, at the
    // start, a screen's first text in a family it has not used yet is not delayed.
    for (const std::string& family : AVAILFONT) {
        if (family.empty()) continue;
        for (const bool bold : {false, true}) {
            FONTKEY key;
            key.family = family;
            key.bold = bold;
            FONT_OPEN(key);
        }
    }
    GRRESULT = grOk;
}

void SETTEXTSTYLE(int font, int direction, int size) {
    if (!OPEN_OK()) return;
    const int slot = font & 15;
    // The font word has room for 16 numbers but there are only 15 slots.
    if (slot >= static_cast<int>(AVAILFONT.size()) || AVAILFONT[static_cast<std::size_t>(slot)].empty()) {
        GRRESULT = grInvalidFontNum;
        return;
    }
    const int weight = 400 + 300 * ((font >> 4) & 15);
    current.family = AVAILFONT[static_cast<std::size_t>(slot)];
    current.height = size_to_height(size);
    current.bold = weight >= 600;
    current.italic = ((font >> 12) & 15) != 0;
    current.angle = direction;
    underline = ((font >> 8) & 15) != 0;
    TEXTSETTINGS.FONT = static_cast<std::uint16_t>(font);
    TEXTSETTINGS.DIRECTION = static_cast<std::uint16_t>(direction);
    TEXTSETTINGS.CHARSIZE = static_cast<std::uint16_t>(size);
}

void SETTEXTJUSTIFY(int horizontal, int vertical) {
    if (!OPEN_OK()) return;
    if (horizontal < 0 || horizontal > 2 || vertical < 0 || vertical > 2) {
        GRRESULT = grInvalidParam;
        return;
    }
    TEXTSETTINGS.HORIZ = static_cast<std::uint16_t>(horizontal);
    TEXTSETTINGS.VERT = static_cast<std::uint16_t>(vertical);
}

void SETUSERCHARSIZE(int extrapixels, int breakpixels, int, int) {
    if (!OPEN_OK()) return;
    extra = extrapixels;
    breakextra = breakpixels;
}

void GETTEXTSETTINGS(TEXTSETTINGSTYPE& ts) { ts = TEXTSETTINGS; }

int TEXTWIDTH(const std::string& s) {
    if (!OPEN_OK()) return 0;
    return text_advance(s);
}

int TEXTHEIGHT(const std::string&) {
    if (!OPEN_OK()) return 0;
    return FONT_CELL_HEIGHT(current);
}

void OUTTEXT(const std::string& s) {
    if (!OPEN_OK()) return;
    const int width = text_advance(s);
    const FONTMETRICS fm = FONT_METRICS(current);
    const double a = current.angle * 3.14159265358979323846 / 180.0;
    const double ux = std::cos(a), uy = -std::sin(a);  // along the text
    const double nx = std::sin(a), ny = std::cos(a);   // towards the text's bottom
    const double h = TEXTSETTINGS.HORIZ == CENTERTEXT ? width / 2.0 : TEXTSETTINGS.HORIZ == RIGHTTEXT ? width : 0.0;
    const double v = TEXTSETTINGS.VERT == TOPTEXT ? fm.ascent : TEXTSETTINGS.VERT == BOTTOMTEXT ? -fm.descent : 0.0;
    const double px = ORIGIN.X + ACTUAL.X, py = ORIGIN.Y + ACTUAL.Y;
    const double bx = px - h * ux + v * nx, by = py - h * uy + v * ny;
    {
        std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
        const std::uint32_t fg = MAPC(FG);
        const int x0 = static_cast<int>(std::lround(bx)), y0 = static_cast<int>(std::lround(by));
        if (OPAQUE && current.angle % 360 == 0 && width > 0)
            for (int y = y0 - fm.ascent; y < y0 + fm.descent; ++y) SPAN_COPY(y, x0, x0 + width - 1, MAPC(BK));
        const int spaces = count_spaces(s);
        int seen = 0;
        double pen = 0;
        for (unsigned char c : s) {
            const GLYPH& g = FONT_GLYPH(current, CP437_TO_UNICODE(c));
            const int gx = static_cast<int>(std::lround(bx + pen * ux)), gy = static_cast<int>(std::lround(by + pen * uy));
            draw_glyph(g, gx, gy, fg);
            if (current.angle == 0) {
                pen += g.advx + extra;
            } else {
                FONTKEY flat = current;
                flat.angle = 0;
                pen += FONT_GLYPH(flat, CP437_TO_UNICODE(c)).advx + extra;
            }
            if (c == ' ' && spaces > 0) {
                pen += breakextra / spaces + (seen < breakextra % spaces ? 1 : 0);
                ++seen;
            }
        }
        if (underline && width > 0) {
            const int thick = std::max(1, FONT_CELL_HEIGHT(current) / 16);
            for (int t = 0; t < thick; ++t) {
                const double o = fm.underline + t;
                PEN_LINE(static_cast<int>(std::lround(bx + o * nx)), static_cast<int>(std::lround(by + o * ny)),
                         static_cast<int>(std::lround(bx + (width - 1) * ux + o * nx)),
                         static_cast<int>(std::lround(by + (width - 1) * uy + o * ny)), nullptr, true);
            }
        }
        const int r = FONT_CELL_HEIGHT(current) + width;
        MARK(y0 - r, y0 + r);
    }
    // The current position follows the text: past its end when left-justified,
    // back to its start when right-justified.
    if (TEXTSETTINGS.HORIZ == LEFTTEXT) {
        ACTUAL.X += static_cast<int>(std::lround(width * ux));
        ACTUAL.Y += static_cast<int>(std::lround(width * uy));
    } else if (TEXTSETTINGS.HORIZ == RIGHTTEXT) {
        ACTUAL.X -= static_cast<int>(std::lround(width * ux));
        ACTUAL.Y -= static_cast<int>(std::lround(width * uy));
    }
}

void OUTTEXTXY(int x, int y, const std::string& s) {
    MOVETO(x, y);
    if (GRRESULT == grOk) OUTTEXT(s);
}

}  // namespace korax

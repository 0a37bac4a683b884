// Frames, 3D fields, shadow boxes, titled windows and the text styles of the toolkit.
#include <array>
#include <cstdlib>
#include <vector>

#include "graph/emugraph.h"
#include "ui/frames.h"

namespace korax {

PALETTETYPE EPAL{};

namespace {

constexpr int LIGHT = 15;
constexpr int DARK = 8;
constexpr int OUTLINE = 0;

void fill(int x1, int y1, int x2, int y2, int colour) {
    ESETFILLSTYLE(1, colour);
    EBAR(x1, y1, x2, y2);
}

void rect(int x1, int y1, int x2, int y2, int colour) {
    ESETCOLOR(colour);
    ERECTANGLE(x1, y1, x2, y2);
}

struct FRAMEPIXEL {
    int x, y, colour;
};
struct UNDERFRAME {
    int x1 = 0, y1 = 0, x2 = -1, y2 = -1;  // the window the pixels were taken from
    std::vector<FRAMEPIXEL> pixels;        // empty while the frame is off
};

std::vector<FRAMEPIXEL> frame_pixels(int x1, int y1, int x2, int y2) {
    std::vector<FRAMEPIXEL> p;
    if (x2 < x1 || y2 < y1) return p;
    // The edge and the ring 1 pixel inside it, each pixel once.
    for (int r = 0; r < 2 && x1 + r <= x2 - r && y1 + r <= y2 - r; ++r) {
        const int a = x1 + r, b = x2 - r, c = y1 + r, d = y2 - r;
        for (int x = a; x <= b; ++x) {
            p.push_back({x, c, EGETPIXEL(x, c)});
            if (d != c) p.push_back({x, d, EGETPIXEL(x, d)});
        }
        for (int y = c + 1; y < d; ++y) {
            p.push_back({a, y, EGETPIXEL(a, y)});
            if (b != a) p.push_back({b, y, EGETPIXEL(b, y)});
        }
    }
    return p;
}

}  // namespace

void FRAME(int x1, int y1, int x2, int y2, int width, int light, int dark) {
    for (int i = 0; i < width; ++i) {
        ESETCOLOR(light);
        ELINE(x1 + i, y1 + i, x2 - i, y1 + i);
        ELINE(x1 + i, y1 + i, x1 + i, y2 - i);
        ESETCOLOR(dark);
        ELINE(x1 + i, y2 - i, x2 - i, y2 - i);
        ELINE(x2 - i, y1 + i, x2 - i, y2 - i);
    }
}

void HIGHFRAME(int x1, int y1, int x2, int y2, int light, int dark) {
    FRAME(x1, y1, x2, y2, 2, light, dark);
    FRAME(x1 - 2, y1 - 2, x2 + 2, y2 + 2, 2, dark, light);
}

void FRAMELINEX(int x1, int x2, int y, int light, int dark) {
    ESETCOLOR(dark);
    ELINE(x1, y, x2, y);
    ESETCOLOR(light);
    ELINE(x1, y + 1, x2, y + 1);
}

void FRAMELINEY(int x, int y1, int y2, int light, int dark) {
    ESETCOLOR(dark);
    ELINE(x, y1, x, y2);
    ESETCOLOR(light);
    ELINE(x + 1, y1, x + 1, y2);
}

int AUTOBEVEL(int x1, int x2) {
    int w = std::abs(x2 - x1);
    if (w < 100) return 2;
    if (w < 200) return 3;
    return 4;
}

void FELD3D(int x1, int y1, int x2, int y2, int width, int colour) {
    if (width == 0) width = AUTOBEVEL(x1, x2);
    fill(x1, y1, x2, y2, colour);
    // The bevel sits inside the outline, so that all of its lines show.
    FRAME(x1 + 1, y1 + 1, x2 - 1, y2 - 1, width, LIGHT, DARK);
    rect(x1, y1, x2, y2, OUTLINE);
}

void TIEF3D(int x1, int y1, int x2, int y2, int width, int colour) {
    if (width == 0) width = AUTOBEVEL(x1, x2);
    fill(x1, y1, x2, y2, EHIGHCOLOR(colour));
    FRAME(x1 + 1, y1 + 1, x2 - 1, y2 - 1, width, DARK, LIGHT);
    rect(x1, y1, x2, y2, OUTLINE);
}

void HINTERGRUND(int x1, int y1, int x2, int y2, int colour) {
    fill(x1 + 4, y1 + 4, x2 + 4, y2 + 4, OUTLINE);
    fill(x1, y1, x2, y2, colour);
    rect(x1, y1, x2, y2, colour == 15 ? OUTLINE : 15);
}

void SETRAHMEN(int n, bool on) {
    if (n < 0 || n >= KLICKFENSTERANZ) return;
    const auto& f = KLICKFENSTER[static_cast<std::size_t>(n)];
    if (n < 11) {
        int c = on ? 14 : SCREEN;
        rect(f.X1 - 3, f.Y1 - 3, f.X2 + 3, f.Y2 + 3, c);
        rect(f.X1 - 4, f.Y1 - 4, f.X2 + 4, f.Y2 + 4, c);
        return;
    }
    // A frame on the window's own bevel: what lay under it comes back when it goes.
    static std::array<UNDERFRAME, KLICKFENSTERANZ> under;
    UNDERFRAME& u = under[static_cast<std::size_t>(n)];
    const bool same = u.x1 == f.X1 && u.y1 == f.Y1 && u.x2 == f.X2 && u.y2 == f.Y2;
    if (!on) {
        // Pixels of a window that has since moved are not put anywhere.
        if (same)
            for (const auto& [x, y, c] : u.pixels) EPUTPIXEL(x, y, c);
        u.pixels.clear();
        return;
    }
    // Switched on twice, the first picture of what lies under it stays.
    if (u.pixels.empty() || !same) {
        u = {f.X1, f.Y1, f.X2, f.Y2, frame_pixels(f.X1, f.Y1, f.X2, f.Y2)};
    }
    rect(f.X1, f.Y1, f.X2, f.Y2, 14);
    if (f.X2 - f.X1 >= 2 && f.Y2 - f.Y1 >= 2) rect(f.X1 + 1, f.Y1 + 1, f.X2 - 1, f.Y2 - 1, 14);
}

int TITLECOLOUR(int fill) {
    PALETTETYPE pal{};
    EGETPALETTE(pal);
    const std::uint32_t c = pal.COLORS[static_cast<std::size_t>(fill & 255)];
    const int r = c & 255, g = (c >> 8) & 255, b = (c >> 16) & 255;
    // White reads on every fill up to light grey; the brighter ones get black.
    return 299 * r + 587 * g + 114 * b > 170 * 1000 ? 0 : 15;
}

void FENSTER(int n, int x1, int y1, int x2, int y2, std::string_view title, int style, int colour) {
    SETKLICKFENSTER(n, x1, y1, x2, y2);
    bool label = style >= 0;
    int kind = style == -10 ? 0 : std::abs(style);
    // A sunken window is filled with the bright variant of its colour.
    const int fillcolour = kind == 2 ? EHIGHCOLOR(colour) : colour;
    switch (kind) {
        case 1: FELD3D(x1, y1, x2, y2, 0, colour); break;
        case 2: TIEF3D(x1, y1, x2, y2, 0, colour); break;
        case 3:
            fill(x1, y1, x2, y2, colour);
            rect(x1, y1, x2, y2, OUTLINE);
            break;
        default: HINTERGRUND(x1, y1, x2, y2, colour); break;
    }
    if (label && n >= 0 && n < KLICKFENSTERANZ) {
        char k = n < 10 ? static_cast<char>('0' + n) : static_cast<char>(n + 87);
        DEFAULTTEXT2();
        ESETCOLOR(14);
        EOUTTEXTXY(x1 + 6, y1 + 17, std::string(1, k));
    }
    if (!title.empty()) {
        CENTERTEXTSTYLE();
        int xc = (x1 + x2) / 2;
        std::size_t slash = title.find('/');
        ESETCOLOR(TITLECOLOUR(fillcolour));
        if (slash == std::string_view::npos) {
            EOUTTEXTXY(xc, y1 + 19, std::string(title));
        } else {
            EOUTTEXTXY(xc, y1 + 19, std::string(title.substr(0, slash)));
            EOUTTEXTXY(xc, y1 + 36, std::string(title.substr(slash + 1)));
        }
    }
    DEFAULTTEXT();
}

void FRAMETXT(int x1, int y1, int x2, int y2, int colour, std::string_view text) {
    TIEF3D(x1, y1, x2, y2, 2, 0);
    CENTERTEXTSTYLE();
    ESETCOLOR(colour);
    EOUTTEXTXY((x1 + x2) / 2, (y1 + y2) / 2, std::string(text));
    DEFAULTTEXT();
}

void CENTERTXT(int x, int y, std::string_view text) {
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    EOUTTEXTXY(x, y, std::string(text));
}

void TXT(int colour, std::string_view text) {
    ESETCOLOR(colour);
    EOUTTEXT(std::string(text));
}

void DEFAULTTEXT() {
    ESETTEXTSTYLE(1, 0, 1);
    ESETTEXTJUSTIFY(LEFTTEXT, CENTERTEXT);
}

void DEFAULTTEXT2() {
    ESETTEXTSTYLE(0, 0, 1);
    ESETTEXTJUSTIFY(LEFTTEXT, CENTERTEXT);
}

void CENTERTEXTSTYLE() {
    ESETTEXTSTYLE(0, 0, 1);
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
}

void SETPALETTE() { EGETPALETTE(EPAL); }

}  // namespace korax

#include "ui/m_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graph/emugraph.h"

namespace korax {

const NUMBERTYPE NUMBERS = {{
    {0b110010, 0b100110, 0b110010, 0b010010, 0b110010},
    {0b111001, 0b101011, 0b111001, 0b101001, 0b101001},
    {0b111011, 0b101001, 0b111001, 0b101010, 0b101011},
    {0b100010, 0b110110, 0b101010, 0b100010, 0b100010},
    {0, 0, 0, 0, 0},
}};

void SHOWNUMBER(int n, int x, int y, int colour) {
    if (n < 1 || n > 5) return;
    const auto& g = NUMBERS[static_cast<std::size_t>(n - 1)];
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 6; ++col)
            if (g[static_cast<std::size_t>(row)] & (0b100000 >> col)) EPUTPIXEL(x + col, y + row, colour);
}

void SHOWICON(const ICONREC& icon, int x, int y, bool mirror) { SHOWICONX(icon, x, y, mirror, 1); }

void SHOWICONX(const ICONREC& icon, int x, int y, bool mirror, int scale) {
    if (scale < 1) scale = 1;
    for (int row = 0; row < 32; ++row)
        for (int col = 0; col < 32; ++col) {
            int c = icon.P[row][mirror ? 31 - col : col];
            if (scale == 1) {
                EPUTPIXEL(x + col, y + row, c);
            } else {
                ESETFILLSTYLE(1, c);
                EBAR(x + col * scale, y + row * scale, x + col * scale + scale - 1, y + row * scale + scale - 1);
            }
        }
}

void LINEINCOLOUR(int x1, int y1, int x2, int y2, int colour) {
    ESETCOLOR(colour);
    ELINE(x1, y1, x2, y2);
}

void RANGEPIX(int x, int y, int colour, int x1, int y1, int x2, int y2) {
    if (x >= x1 && x <= x2 && y >= y1 && y <= y2) EPUTPIXEL(x, y, colour);
}

namespace {

// Half-width of a circle of radius r at row dy (|dy| <= r): the largest dx with
// dx*dx + dy*dy <= r*r.
long long halfwidth(long long r, long long dy) {
    const long long rest = r * r - dy * dy;
    long long w = static_cast<long long>(std::sqrt(static_cast<double>(rest)));
    while (w * w > rest) --w;
    while ((w + 1) * (w + 1) <= rest) ++w;
    return w;
}

void span(long long a, long long b, int y, int colour, int x1, int x2) {
    a = std::max<long long>(a, x1);
    b = std::min<long long>(b, x2);
    if (a > b) return;
    ESETCOLOR(colour);
    ELINE(static_cast<int>(a), y, static_cast<int>(b), y);
}

}  // namespace

// Only the rows and columns inside the rectangle are visited, so a radius of any
// size from data costs no more than the rectangle.
void CLIPCIRCLE(int x, int y, int r, int colour, int x1, int y1, int x2, int y2) {
    if (r < 0) return;
    const long long top = std::max<long long>(y1, static_cast<long long>(y) - r);
    const long long bottom = std::min<long long>(y2, static_cast<long long>(y) + r);
    for (long long py = top; py <= bottom; ++py) {
        const long long w = halfwidth(r, py - y);
        span(x - w, x + w, static_cast<int>(py), colour, x1, x2);
    }
}

void CLIPRING(int x, int y, int r, int colour, int x1, int y1, int x2, int y2) {
    if (r < 0) return;
    const long long top = std::max<long long>(y1, static_cast<long long>(y) - r);
    const long long bottom = std::min<long long>(y2, static_cast<long long>(y) + r);
    for (long long py = top; py <= bottom; ++py) {
        const long long dy = py - y;
        const long long outer = halfwidth(r, dy);
        // The inner edge of a one-pixel ring: columns still outside radius r - 1,
        // joined to the next row's outer edge so steep parts stay closed.
        long long inner = std::abs(dy) <= r - 1 ? halfwidth(r - 1, dy) + 1 : 0;
        const long long ndy = std::abs(dy) + 1;
        if (ndy <= r) inner = std::min(inner, halfwidth(r, ndy) + 1);
        inner = std::min(inner, outer);
        span(x - outer, x - inner, static_cast<int>(py), colour, x1, x2);
        span(x + inner, x + outer, static_cast<int>(py), colour, x1, x2);
    }
}

}  // namespace korax

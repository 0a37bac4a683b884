#include "ui/m_graph.h"

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

void CLIPCIRCLE(int x, int y, int r, int colour, int x1, int y1, int x2, int y2) {
    if (r < 0) return;
    const long long rr = static_cast<long long>(r) * r;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy <= rr)
                RANGEPIX(x + dx, y + dy, colour, x1, y1, x2, y2);
}

}  // namespace korax

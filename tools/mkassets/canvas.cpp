#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace mkassets {

const Palette& MASTER_PALETTE() {
    static const Palette pal = [] {
        Palette p{};
        const RGB fixed[20] = {{0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},
                               {128, 0, 0},     {128, 0, 128},   {128, 128, 0}, {128, 128, 128},
                               {64, 64, 64},    {0, 0, 255},     {0, 255, 0},   {0, 255, 255},
                               {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255},
                               {176, 176, 0},   {0, 176, 176},   {0, 208, 208}, {187, 17, 187}};
        for (int i = 0; i < 20; ++i) p[i] = fixed[i];
        const std::uint8_t grey[16] = {0x00, 0x14, 0x20, 0x2C, 0x38, 0x44, 0x50, 0x60,
                                       0x70, 0x80, 0x90, 0xA0, 0xB4, 0xC8, 0xE0, 0xFC};
        for (int i = 20; i < 32; ++i) p[i] = {grey[i - 16], grey[i - 16], grey[i - 16]};
        const std::uint8_t levels[9][5] = {
            {0x00, 0x40, 0x7C, 0xBC, 0xFC}, {0x7C, 0x9C, 0xBC, 0xDC, 0xFC}, {0xB4, 0xC4, 0xD8, 0xE8, 0xFC},
            {0x00, 0x1C, 0x38, 0x54, 0x70}, {0x38, 0x44, 0x54, 0x60, 0x70}, {0x50, 0x58, 0x60, 0x68, 0x70},
            {0x00, 0x10, 0x20, 0x30, 0x40}, {0x20, 0x28, 0x30, 0x38, 0x40}, {0x2C, 0x30, 0x34, 0x3C, 0x40}};
        // One ring of 24 hues as indices into the five levels (lo, m1, m2, m3, hi).
        const int ring[24][3] = {{0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3},
                                 {4, 0, 2}, {4, 0, 1}, {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0},
                                 {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0}, {0, 4, 0}, {0, 4, 1},
                                 {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
        for (int r = 0; r < 9; ++r)
            for (int k = 0; k < 24; ++k)
                p[32 + r * 24 + k] = {levels[r][ring[k][0]], levels[r][ring[k][1]], levels[r][ring[k][2]]};
        for (int i = 248; i < 256; ++i) p[i] = {0, 0, 0};
        return p;
    }();
    return pal;
}

std::uint8_t NEAREST(int r, int g, int b) {
    const Palette& p = MASTER_PALETTE();
    int best = 0, bestd = 1 << 30;
    for (int i = 0; i < 248; ++i) {
        if (i == 3 || (i >= 16 && i < 20)) continue;  // recolouring targets and toolkit colours
        int d = (p[i].r - r) * (p[i].r - r) + (p[i].g - g) * (p[i].g - g) + (p[i].b - b) * (p[i].b - b);
        if (d < bestd) bestd = d, best = i;
    }
    return static_cast<std::uint8_t>(best);
}

void Canvas::bar(int x1, int y1, int x2, int y2, std::uint8_t c) {
    for (int y = std::max(0, y1); y <= std::min(h - 1, y2); ++y)
        for (int x = std::max(0, x1); x <= std::min(w - 1, x2); ++x) px[std::size_t(y) * w + x] = c;
}

void Canvas::frame(int x1, int y1, int x2, int y2, std::uint8_t c) {
    line(x1, y1, x2, y1, c);
    line(x1, y2, x2, y2, c);
    line(x1, y1, x1, y2, c);
    line(x2, y1, x2, y2, c);
}

void Canvas::line(int x1, int y1, int x2, int y2, std::uint8_t c, int thick) {
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1, err = dx + dy;
    for (;;) {
        for (int t = 0; t < thick; ++t)
            for (int u = 0; u < thick; ++u) set(x1 + t - thick / 2, y1 + u - thick / 2, c);
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x1 += sx;
        if (e2 <= dx) err += dx, y1 += sy;
    }
}

void Canvas::disc(int cx, int cy, int rx, int ry, std::uint8_t c) {
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x)
            if (double(x) * x / (double(rx) * rx + 0.5) + double(y) * y / (double(ry) * ry + 0.5) <= 1.0)
                set(cx + x, cy + y, c);
}

void Canvas::ring(int cx, int cy, int rx, int ry, std::uint8_t c) {
    const int steps = 8 * std::max(rx, ry) + 8;
    for (int i = 0; i < steps; ++i) {
        double a = 2 * M_PI * i / steps;
        set(cx + int(std::lround(rx * std::cos(a))), cy + int(std::lround(ry * std::sin(a))), c);
    }
}

void Canvas::poly(const std::vector<std::pair<int, int>>& pts, std::uint8_t c) {
    int ymin = h, ymax = -1;
    for (auto& p : pts) ymin = std::min(ymin, p.second), ymax = std::max(ymax, p.second);
    for (int y = std::max(0, ymin); y <= std::min(h - 1, ymax); ++y) {
        std::vector<double> xs;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            auto a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.second <= y && b.second > y) || (b.second <= y && a.second > y))
                xs.push_back(a.first + double(y - a.second) * (b.first - a.first) / (b.second - a.second));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = int(std::ceil(xs[i])); x <= int(std::floor(xs[i + 1])); ++x) set(x, y, c);
    }
    for (std::size_t i = 0; i < pts.size(); ++i) {
        auto a = pts[i], b = pts[(i + 1) % pts.size()];
        line(a.first, a.second, b.first, b.second, c);
    }
}

void Canvas::fill(int x, int y, std::uint8_t c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    const std::uint8_t old = get(x, y);
    if (old == c) return;
    std::vector<std::pair<int, int>> stack{{x, y}};
    while (!stack.empty()) {
        auto [px_, py] = stack.back();
        stack.pop_back();
        if (px_ < 0 || py < 0 || px_ >= w || py >= h || get(px_, py) != old) continue;
        set(px_, py, c);
        stack.push_back({px_ + 1, py});
        stack.push_back({px_ - 1, py});
        stack.push_back({px_, py + 1});
        stack.push_back({px_, py - 1});
    }
}

namespace {

// 5 x 7 capitals, digits and a few signs; each row is five characters.
const char* glyph(char ch) {
    switch (ch) {
        case 'A': return " ### #   ##   #######   ##   ##   #";
        case 'B': return "#### #   ##   ##### #   ##   ##### ";
        case 'C': return " ### #   ##    #    #    #   # ### ";
        case 'D': return "#### #   ##   ##   ##   ##   ##### ";
        case 'E': return "######    #    #### #    #    #####";
        case 'F': return "######    #    #### #    #    #    ";
        case 'G': return " ### #   ##    # ####   ##   # ####";
        case 'H': return "#   ##   ##   #######   ##   ##   #";
        case 'I': return " ###   #    #    #    #    #   ### ";
        case 'K': return "#   ##  # # #  ##   # #  #  # #   #";
        case 'L': return "#    #    #    #    #    #    #####";
        case 'N': return "#   ###  ## # ##  ###   ##   ##   #";
        case 'O': return " ### #   ##   ##   ##   ##   # ### ";
        case 'P': return "#### #   ##   ##### #    #    #    ";
        case 'R': return "#### #   ##   ##### # #  #  # #   #";
        case 'S': return " ####    #     ###     #    #####  ";
        case 'T': return "#####  #    #    #    #    #    #  ";
        case 'U': return "#   ##   ##   ##   ##   ##   # ### ";
        case 'X': return "#   ##   # # #   #   # # #   ##   #";
        case '$': return "  #   ####     ###     ####   #    ";
        case '?': return " ### #   #    #   #   #          # ";
        case '!': return "  #    #    #    #    #         #  ";
        default: return nullptr;
    }
}

}  // namespace

void Canvas::text(int x, int y, std::string_view s, std::uint8_t c, int scale) {
    for (char ch : s) {
        if (ch >= 'a' && ch <= 'z') ch = char(ch - 32);
        if (const char* g = glyph(ch))
            for (int r = 0; r < 7; ++r)
                for (int k = 0; k < 5; ++k)
                    if (g[r * 5 + k] == '#') bar(x + k * scale, y + r * scale, x + k * scale + scale - 1, y + r * scale + scale - 1, c);
        x += 6 * scale;
    }
}

void Canvas::bevel(int x1, int y1, int x2, int y2, bool raised) {
    std::uint8_t light = raised ? 15 : 8, dark = raised ? 8 : 15;
    line(x1, y1, x2, y1, light);
    line(x1, y1, x1, y2, light);
    line(x1, y2, x2, y2, dark);
    line(x2, y1, x2, y2, dark);
}

std::vector<std::uint8_t> PCX_BYTES(const Canvas& c, const Palette& pal) {
    if (std::size_t(c.w) * c.h > 64000) throw std::runtime_error("picture larger than 64000 pixels");
    std::vector<std::uint8_t> out(128, 0);
    const int bpl = c.w + (c.w & 1);
    auto put16 = [&](int at, int v) {
        out[at] = std::uint8_t(v & 0xFF);
        out[at + 1] = std::uint8_t(v >> 8);
    };
    out[0] = 10;  // manufacturer
    out[1] = 5;   // version
    out[2] = 1;   // run-length encoding
    out[3] = 8;   // bits per pixel
    put16(8, c.w - 1);
    put16(10, c.h - 1);
    put16(12, 72);
    put16(14, 72);
    out[65] = 1;  // planes
    put16(66, bpl);
    put16(68, 1);  // colour palette
    for (int y = 0; y < c.h; ++y) {
        std::vector<std::uint8_t> row(bpl, 0);
        for (int x = 0; x < c.w; ++x) row[x] = c.get(x, y);
        for (int x = 0; x < bpl;) {
            int run = 1;
            while (x + run < bpl && run < 63 && row[x + run] == row[x]) ++run;
            if (run > 1 || row[x] >= 0xC0) out.push_back(std::uint8_t(0xC0 | run));
            out.push_back(row[x]);
            x += run;
        }
    }
    out.push_back(12);
    for (const RGB& e : pal) out.insert(out.end(), {e.r, e.g, e.b});
    return out;
}

void WRITE_FILE(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::string tmp = path + ".part";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace mkassets

// A small palette canvas for authoring the program's pictures and icons by code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mkassets {

struct RGB {
    std::uint8_t r, g, b;
};
using Palette = std::array<RGB, 256>;

// The master palette every picture carries: fixed entries 0..19 as the screens
// expect, 20..247 from the default VGA rings, 248..255 black (251 and 253 are
// the icon background colours the screens swap in).
const Palette& MASTER_PALETTE();
// The palette index closest to a colour, among the entries artwork may use.
std::uint8_t NEAREST(int r, int g, int b);

struct Canvas {
    int w, h;
    std::vector<std::uint8_t> px;
    Canvas(int width, int height, std::uint8_t fill = 0) : w(width), h(height), px(std::size_t(width) * height, fill) {}

    void set(int x, int y, std::uint8_t c) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[std::size_t(y) * w + x] = c;
    }
    std::uint8_t get(int x, int y) const { return px[std::size_t(y) * w + x]; }
    void bar(int x1, int y1, int x2, int y2, std::uint8_t c);    // inclusive corners
    void frame(int x1, int y1, int x2, int y2, std::uint8_t c);
    void line(int x1, int y1, int x2, int y2, std::uint8_t c, int thick = 1);
    void disc(int cx, int cy, int rx, int ry, std::uint8_t c);
    void ring(int cx, int cy, int rx, int ry, std::uint8_t c);
    void poly(const std::vector<std::pair<int, int>>& pts, std::uint8_t c);
    void fill(int x, int y, std::uint8_t c);                    // 4-connected, same colour
    void text(int x, int y, std::string_view s, std::uint8_t c, int scale = 1);
    void bevel(int x1, int y1, int x2, int y2, bool raised);
};

// 8-bit, one plane, run-length encoded, palette marker and 768 palette bytes.
std::vector<std::uint8_t> PCX_BYTES(const Canvas& c, const Palette& pal);
void WRITE_FILE(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace mkassets

#include "icon.h"

#include <zlib.h>

#include <stdexcept>

#include "canvas.h"

namespace mkassets {

namespace {

// Drawn once this large (every icon size divides it), then averaged down.
constexpr int MASTER = 768;
constexpr std::uint8_t CLEAR = 248;  // black, never chosen by NEAREST: left transparent

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(std::uint8_t(v >> s));
}

void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    put32(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, std::uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

// The shield of the team emblems with a ball on it, in the league's gold and blue.
const Canvas& master() {
    static const Canvas c = [] {
        Canvas m(MASTER, MASTER, CLEAR);
        const std::uint8_t gold = NEAREST(232, 184, 40), blue = NEAREST(28, 60, 160), white = 15, black = 8;
        const std::uint8_t red = NEAREST(200, 40, 40);
        m.poly({{72, 36}, {696, 36}, {696, 420}, {384, 750}, {72, 420}}, gold);
        m.poly({{120, 84}, {648, 84}, {648, 402}, {384, 684}, {120, 402}}, blue);
        m.bar(120, 84, 648, 140, red);  // the chief
        m.disc(384, 360, 172, 172, black);
        m.disc(384, 360, 154, 154, white);
        // The ball's seams: a central patch and lines to the rim.
        m.poly({{384, 300}, {442, 342}, {420, 411}, {348, 411}, {325, 342}}, black);
        m.line(384, 300, 384, 207, black, 15);
        m.line(442, 342, 525, 307, black, 15);
        m.line(420, 411, 472, 487, black, 15);
        m.line(348, 411, 295, 487, black, 15);
        m.line(325, 342, 243, 307, black, 15);
        return m;
    }();
    return c;
}

}  // namespace

std::vector<std::uint8_t> PNG_RGBA(int w, int h, const std::vector<std::uint8_t>& rgba) {
    if (w <= 0 || h <= 0 || rgba.size() != std::size_t(w) * h * 4) throw std::runtime_error("bad RGBA picture");
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(h) * (1 + std::size_t(w) * 4));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + std::size_t(y) * w * 4, rgba.begin() + std::size_t(y + 1) * w * 4);
    }
    uLongf zlen = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> z(zlen);
    if (compress2(z.data(), &zlen, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress a picture");
    z.resize(zlen);
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> ihdr;
    put32(ihdr, std::uint32_t(w));
    put32(ihdr, std::uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

std::vector<std::uint8_t> ICON_RGBA(int size) {
    if (size <= 0 || MASTER % size != 0) throw std::runtime_error("icon size must divide the master");
    const Canvas& m = master();
    const Palette& pal = MASTER_PALETTE();
    const int k = MASTER / size;
    std::vector<std::uint8_t> out(std::size_t(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Colours are averaged over the covered pixels only, so the edge keeps
            // its colour and fades by its coverage alone.
            unsigned r = 0, g = 0, b = 0, n = 0;
            for (int dy = 0; dy < k; ++dy)
                for (int dx = 0; dx < k; ++dx) {
                    const std::uint8_t c = m.get(x * k + dx, y * k + dy);
                    if (c == CLEAR) continue;
                    r += pal[c].r, g += pal[c].g, b += pal[c].b, ++n;
                }
            std::uint8_t* p = &out[(std::size_t(y) * size + x) * 4];
            if (n) p[0] = std::uint8_t(r / n), p[1] = std::uint8_t(g / n), p[2] = std::uint8_t(b / n);
            p[3] = std::uint8_t(n * 255 / unsigned(k * k));
        }
    return out;
}

void WRITE_ICONS(const std::string& dir) {
    for (int s : ICONSIZES)
        WRITE_FILE(dir + "/korax-" + std::to_string(s) + ".png", PNG_RGBA(s, s, ICON_RGBA(s)));
}

}  // namespace mkassets

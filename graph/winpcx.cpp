#include "graph/winpcx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "graph/wingraph.h"
#include "graph/wingraph_internal.h"
#include "platform/dospath.h"

namespace korax {

bool PCXLOADED = false;

namespace {
// Larger files cannot be pictures the program could show.
constexpr long PCX_MAXFILE = 64L * 1024 * 1024;

// Reads the run-length rows. Writes stay inside the buffer; a padding byte or an
// overshooting run lands on the next row as it always did, and is dropped past the
// buffer's end. Running out of data fails the picture.
bool decode_rows(const std::uint8_t* data, std::size_t size, int bytes, PCXPICTURE& pic) {
    std::size_t pos = 128;
    std::uint8_t* buf = pic.SCR.data();
    const std::size_t cap = pic.SCR.size();
    for (int r = 0; r < pic.DEPTH; ++r) {
        std::size_t out = static_cast<std::size_t>(pic.WIDTH) * r;
        int n = 0;
        while (n < bytes) {
            if (pos >= size) return false;
            const std::uint8_t b = data[pos++];
            if (b >= 192) {
                const int count = b & 63;
                if (pos >= size) return false;
                const std::uint8_t v = data[pos++];
                if (out < cap) std::memset(buf + out, v, std::min<std::size_t>(count, cap - out));
                out += count;
                n += count;
            } else {
                if (out < cap) buf[out] = b;
                ++out;
                ++n;
            }
        }
    }
    return true;
}
}  // namespace

bool DECODEPCX(const std::uint8_t* data, std::size_t size, PCXPICTURE& pic) {
    // The header, the marker and the palette must all fit in the file.
    if (!data || size < 128 + 769) return false;
    PCXHEADER_REC h;
    std::memcpy(&h, data, sizeof h);
    if (h.MANUFACTURER != 10 || h.VERSION != 5 || h.BITS_PER_PIXEL != 8 || h.COLOUR_PLANES != 1) return false;
    if (data[size - 769] != 12) return false;
    const std::int32_t width = static_cast<std::int32_t>(h.XMAX) - h.XMIN + 1;
    const std::int32_t depth = static_cast<std::int32_t>(h.YMAX) - h.YMIN + 1;
    if (width < 1 || depth < 1 || width > PCX_MAXSIDE || depth > PCX_MAXSIDE) return false;
    pic.WIDTH = width;
    pic.DEPTH = depth;
    std::memcpy(pic.PALETTE, data + size - 768, 768);
    // One spare byte beyond the picture takes the last row's padding byte.
    pic.SCR.assign(static_cast<std::size_t>(width) * depth + 1, 0);
    return decode_rows(data, size, h.BYTES_PER_LINE, pic);
}

void SETPAL(const std::uint8_t* palette) {
    for (int i = 0; i < 256; ++i) SETRGBPALETTE(i, palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
}

void SHOWSCR(int x, int y, const PCXPICTURE& pic) {
    using namespace gfx;
    if (!OPEN_OK()) return;
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int ox = ORIGIN.X + x, oy = ORIGIN.Y + y;
    const int ya = std::max(oy, CLIP.y1), yb = std::min(oy + pic.DEPTH - 1, CLIP.y2);
    const int xa = std::max(ox, CLIP.x1), xb = std::min(ox + pic.WIDTH - 1, CLIP.x2);
    if (ya > yb || xa > xb) return;
    const bool plain = BPP == 1 && MAXCOLOR == 255;
    for (int py = ya; py <= yb; ++py) {
        const std::uint8_t* src = pic.SCR.data() + static_cast<std::size_t>(py - oy) * pic.WIDTH + (xa - ox);
        if (plain) {
            std::memcpy(ROWPTR(py) + xa, src, static_cast<std::size_t>(xb - xa + 1));
        } else {
            for (int px = xa; px <= xb; ++px) SET(px, py, MAPC(src[px - xa]));
        }
    }
    MARK(ya, yb);
}

bool SHOWPCX(int x, int y, const std::string& name) {
    PCXLOADED = false;
    std::FILE* f = std::fopen(HOSTPATH(name).c_str(), "rb");
    if (!f) return false;
    std::vector<std::uint8_t> data;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && size <= PCX_MAXFILE && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        data.resize(static_cast<std::size_t>(size));
        ok = std::fread(data.data(), 1, data.size(), f) == data.size();
    }
    std::fclose(f);
    PCXPICTURE pic;
    if (!ok || !DECODEPCX(data.data(), data.size(), pic)) return false;
    SETPAL(pic.PALETTE);
    SHOWSCR(x, y, pic);
    PCXLOADED = true;
    return true;
}

}  // namespace korax

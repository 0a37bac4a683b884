// Images as whole 24-bit BMP files in memory, the eight raster modes and sprites.
#include <algorithm>
#include <cstring>
#include <map>

#include "graph/wingraph.h"
#include "graph/wingraph_internal.h"

namespace korax {

using namespace gfx;

namespace {

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}
void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}
std::uint32_t get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t get32(const std::uint8_t* p) { return get16(p) | (get16(p + 2) << 16); }

// A BMP of 24 bits per pixel whose header, size and rows are consistent with the
// buffer it lies in; anything else is refused.
struct BmpView {
    int w = 0, h = 0;
    bool bottomup = true;
    std::size_t offset = 0, stride = 0;
};

bool parse_bmp(const std::vector<std::uint8_t>& b, BmpView& v) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const std::uint32_t off = get32(&b[10]), hsize = get32(&b[14]);
    const std::int32_t w = static_cast<std::int32_t>(get32(&b[18]));
    const std::int32_t h = static_cast<std::int32_t>(get32(&b[22]));
    if (hsize < 40 || get16(&b[26]) != 1 || get16(&b[28]) != 24 || get32(&b[30]) != 0) return false;
    if (w <= 0 || w > 32767 || h == 0 || h < -32767 || h > 32767) return false;
    v.w = w;
    v.h = h < 0 ? -h : h;
    v.bottomup = h > 0;
    v.offset = off;
    v.stride = (static_cast<std::size_t>(w) * 3 + 3) & ~static_cast<std::size_t>(3);
    if (off < 14 + static_cast<std::size_t>(hsize) || off > b.size()) return false;
    return (b.size() - off) / v.stride >= static_cast<std::size_t>(v.h);
}

// Raster operation of PUTIMAGE on stored values (source s, destination d).
std::uint32_t blit_rop(int mode, std::uint32_t d, std::uint32_t s) {
    const std::uint32_t m = MASK();
    switch (mode) {
        case 0: return s;
        case 1: return (s ^ d) & m;
        case 2: return (s | d) & m;
        case 3: return s & d;
        case 4: return ~s & m;
        case 5: return (~s | d) & m;
        case 6: return ~(s | d) & m;
        default: return s & ~d & m;
    }
}

// The last images taken from palette pages, with the palette indices they stand
// for. Putting back the very same bytes under the same palette then copies indices
// instead of searching the nearest colour of every pixel; the result is the same.
struct Taken {
    std::vector<std::uint8_t> bmp;    // the bytes GETIMAGE produced
    std::vector<std::uint8_t> index;  // w x h nearest indices, top row first
    int w = 0, h = 0;
    std::uint32_t palgen = 0;
};
constexpr std::size_t TAKEN_KEEP = 4;
std::vector<Taken> taken;

void remember_taken(const std::uint8_t* bmp, std::size_t size, int w, int h, int x0, int y0) {
    if (!PALEXIST || BPP != 1) return;
    std::uint8_t map[256];
    for (int i = 0; i < 256; ++i) map[i] = static_cast<std::uint8_t>(NEAREST(PAL[static_cast<std::size_t>(i)]));
    Taken t;
    t.bmp.assign(bmp, bmp + size);
    t.w = w;
    t.h = h;
    t.palgen = PALGEN;
    t.index.assign(static_cast<std::size_t>(w) * h, map[0]);
    for (int r = 0; r < h; ++r) {
        const int y = y0 + r;
        if (y < 0 || y >= PH) continue;
        std::uint8_t* d = t.index.data() + static_cast<std::size_t>(r) * w;
        const std::uint8_t* s = ROWPTR(y);
        for (int c = 0; c < w; ++c) {
            const int x = x0 + c;
            if (x >= 0 && x < PW) d[c] = map[s[x]];
        }
    }
    if (taken.size() >= TAKEN_KEEP) taken.erase(taken.begin());
    taken.push_back(std::move(t));
}

const Taken* find_taken(const std::vector<std::uint8_t>& b) {
    for (auto it = taken.rbegin(); it != taken.rend(); ++it)
        if (it->palgen == PALGEN && b.size() >= it->bmp.size() &&
            std::memcmp(b.data(), it->bmp.data(), it->bmp.size()) == 0)
            return &*it;
    return nullptr;
}

struct Sprite {
    std::vector<std::uint8_t> image;
    std::vector<std::uint8_t> mask;   // 1 = transparent
    std::vector<std::uint8_t> saved;  // background under the last placement
    int savedx = 0, savedy = 0;
    bool has_saved = false;
};
std::map<std::uint32_t, Sprite> sprites;
std::uint32_t next_handle = 1;

}  // namespace

std::uint32_t IMAGESIZE(int x1, int y1, int x2, int y2) {
    if (!OPEN_OK()) return 0;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return 0;
    }
    const std::uint64_t w8 = (static_cast<std::uint64_t>(static_cast<std::int64_t>(x2) + 1 - x1) + 7) / 8;
    const std::uint64_t size = w8 * static_cast<std::uint64_t>(static_cast<std::int64_t>(y2) + 1 - y1) * 24 + 54;
    if (size > 0xFFFFFFFFu) {
        GRRESULT = grInvalidParam;
        return 0;
    }
    return static_cast<std::uint32_t>(size);
}

void GETIMAGE(int x1, int y1, int x2, int y2, std::vector<std::uint8_t>& buffer) {
    const std::uint32_t size = IMAGESIZE(x1, y1, x2, y2);
    if (GRRESULT != grOk) return;
    // A BMP header holds 32-bit sizes; far larger rectangles are refused.
    if (static_cast<std::int64_t>(x2) - x1 >= 32767 || static_cast<std::int64_t>(y2) - y1 >= 32767 ||
        size > 256u * 1024 * 1024) {
        GRRESULT = grInvalidParam;
        return;
    }
    const int w = x2 - x1 + 1, h = y2 - y1 + 1;
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~static_cast<std::size_t>(3);
    if (buffer.size() < size) buffer.resize(size);
    std::uint8_t* b = buffer.data();
    std::memset(b, 0, size);
    b[0] = 'B';
    b[1] = 'M';
    put32(b + 2, size);
    put32(b + 10, 54);
    put32(b + 14, 40);
    put32(b + 18, static_cast<std::uint32_t>(w));
    put32(b + 22, static_cast<std::uint32_t>(h));
    put16(b + 26, 1);
    put16(b + 28, 24);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    // Pixels outside the page read as black; the buffer is never written past size.
    for (int r = 0; r < h; ++r) {
        const int y = ORIGIN.Y + y1 + r;
        std::uint8_t* row = b + 54 + static_cast<std::size_t>(h - 1 - r) * stride;
        if (y < 0 || y >= PH) continue;
        for (int c = 0; c < w; ++c) {
            const int x = ORIGIN.X + x1 + c;
            if (x < 0 || x >= PW) continue;
            const std::uint32_t rgb = TO_RGB(GET(x, y));
            row[3 * c] = (rgb >> 16) & 0xFF;
            row[3 * c + 1] = (rgb >> 8) & 0xFF;
            row[3 * c + 2] = rgb & 0xFF;
        }
    }
    remember_taken(b, size, w, h, ORIGIN.X + x1, ORIGIN.Y + y1);
}

void PUTIMAGE(int x, int y, const std::vector<std::uint8_t>& buffer, int mode) {
    if (!OPEN_OK()) return;
    BmpView v;
    if (mode < 0 || mode > 7 || !parse_bmp(buffer, v)) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int ox = ORIGIN.X + x, oy = ORIGIN.Y + y;
    const int ya = std::max(oy, CLIP.y1), yb = std::min(oy + v.h - 1, CLIP.y2);
    const int xa = std::max(ox, CLIP.x1), xb = std::min(ox + v.w - 1, CLIP.x2);
    if (const Taken* t = find_taken(buffer); t && t->w == v.w && t->h == v.h) {
        for (int py = ya; py <= yb; ++py) {
            const std::uint8_t* src = t->index.data() + static_cast<std::size_t>(py - oy) * t->w + (xa - ox);
            std::uint8_t* d = ROWPTR(py) + xa;
            if (mode == 0) {
                std::memcpy(d, src, static_cast<std::size_t>(xb - xa + 1));
            } else {
                for (int px = xa; px <= xb; ++px, ++d) *d = static_cast<std::uint8_t>(blit_rop(mode, *d, *src++));
            }
        }
        if (ya <= yb) MARK(ya, yb);
        return;
    }
    // Pictures are mostly runs of one colour: the last look-up is kept.
    std::uint32_t last_rgb = 0xFFFFFFFF, last = 0;
    for (int py = ya; py <= yb; ++py) {
        const int r = py - oy;
        const std::uint8_t* row = buffer.data() + v.offset + static_cast<std::size_t>(v.bottomup ? v.h - 1 - r : r) * v.stride;
        const std::uint8_t* p = row + 3 * (xa - ox);
        if (BPP == 1 && mode == 0) {
            std::uint8_t* d = ROWPTR(py) + xa;
            for (int px = xa; px <= xb; ++px, p += 3) {
                const std::uint32_t rgb = static_cast<std::uint32_t>(p[2]) | (p[1] << 8) | (p[0] << 16);
                if (rgb != last_rgb) {
                    last_rgb = rgb;
                    last = NEAREST(rgb);
                }
                *d++ = static_cast<std::uint8_t>(last);
            }
            continue;
        }
        for (int px = xa; px <= xb; ++px, p += 3) {
            const std::uint32_t s = FROM_RGB(static_cast<std::uint32_t>(p[2]) | (p[1] << 8) | (p[0] << 16));
            SET(px, py, mode == 0 ? s : blit_rop(mode, GET(px, py), s));
        }
    }
    if (ya <= yb) MARK(ya, yb);
}

void GETANIM(int x1, int y1, int x2, int y2, std::uint32_t transparent, TANIM& anim) {
    anim = {0, 0, 0};
    Sprite sp;
    GETIMAGE(x1, y1, x2, y2, sp.image);
    if (GRRESULT != grOk) return;
    BmpView v;
    parse_bmp(sp.image, v);
    sp.mask.assign(static_cast<std::size_t>(v.w) * v.h, 0);
    const std::uint32_t key = TO_RGB(MAPC(transparent));
    for (int r = 0; r < v.h; ++r) {
        const std::uint8_t* row = sp.image.data() + v.offset + static_cast<std::size_t>(v.h - 1 - r) * v.stride;
        for (int c = 0; c < v.w; ++c) {
            const std::uint32_t rgb = row[3 * c + 2] | (row[3 * c + 1] << 8) | (row[3 * c] << 16);
            sp.mask[static_cast<std::size_t>(r) * v.w + c] = rgb == key;
        }
    }
    const std::uint32_t h = next_handle;
    next_handle += 3;
    sprites[h] = std::move(sp);
    anim = {h, h + 1, h + 2};
}

// Mode bit 0: put back the background saved by the previous call; bit 1: save the
// background under the new place first. Transparent pixels are left alone.
void PUTANIM(int x, int y, TANIM& anim, int mode) {
    if (!OPEN_OK()) return;
    auto it = sprites.find(anim.BITHND);
    if (it == sprites.end()) {
        GRRESULT = grInvalidParam;
        return;
    }
    Sprite& sp = it->second;
    BmpView v;
    parse_bmp(sp.image, v);
    if ((mode & 1) && sp.has_saved) {
        PUTIMAGE(sp.savedx, sp.savedy, sp.saved, 0);
        sp.has_saved = false;
    }
    if (mode & 2) {
        GETIMAGE(x, y, x + v.w - 1, y + v.h - 1, sp.saved);
        sp.savedx = x;
        sp.savedy = y;
        sp.has_saved = true;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    for (int r = 0; r < v.h; ++r) {
        const std::uint8_t* row = sp.image.data() + v.offset + static_cast<std::size_t>(v.h - 1 - r) * v.stride;
        for (int c = 0; c < v.w; ++c) {
            if (sp.mask[static_cast<std::size_t>(r) * v.w + c]) continue;
            const std::uint32_t rgb = row[3 * c + 2] | (row[3 * c + 1] << 8) | (row[3 * c] << 16);
            PLOT_COPY(ORIGIN.X + x + c, ORIGIN.Y + y + r, FROM_RGB(rgb));
        }
    }
    MARK(ORIGIN.Y + y, ORIGIN.Y + y + v.h - 1);
}

void FREEANIM(TANIM& anim) {
    sprites.erase(anim.BITHND);
    anim = {0, 0, 0};
}

}  // namespace korax

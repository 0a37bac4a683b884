// Pixels, lines, outlines and filled shapes. Each operation clips once and then
// works on whole rows where it can.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graph/wingraph.h"
#include "graph/wingraph_internal.h"

namespace korax {

namespace gfx {

namespace {
// The 8 x 8 pattern of fill style 8, as stored pixel values.
std::uint32_t user_pattern[8][8];
bool user_pattern_set[8][8];

bool hatch_bit(int style, int x, int y) {
    const int cx = x & 7, cy = y & 7;
    switch (style) {
        case 2: return cy == 0;
        case 3: return cx == 0;
        case 4: return cx == 0 || cy == 0;
        case 5: return ((cx + cy) & 7) == 7;
        case 6: return ((cx - cy) & 7) == 0;
        case 7: return ((cx + cy) & 7) == 7 || ((cx - cy) & 7) == 0;
        default: return true;
    }
}

// Dash runs (on, off, on, off ...) of the line styles 1 to 4.
struct Dash {
    int n;
    int run[6];
};
constexpr Dash dashes[5] = {{0, {}}, {2, {18, 6}}, {2, {3, 3}}, {4, {9, 6, 3, 6}},
                            {6, {9, 3, 3, 3, 3, 3}}};

bool dash_on(int style, int step) {
    const Dash& d = dashes[style];
    int len = 0;
    for (int i = 0; i < d.n; ++i) len += d.run[i];
    int pos = step % len;
    for (int i = 0; i < d.n; ++i) {
        if (pos < d.run[i]) return (i & 1) == 0;
        pos -= d.run[i];
    }
    return true;
}
}  // namespace

void SET_USER_PATTERN(const FILLPATTERNTYPE& pattern, std::uint32_t colour) {
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            user_pattern_set[r][c] = (pattern[static_cast<std::size_t>(r)] >> (7 - c)) & 1;
            user_pattern[r][c] = user_pattern_set[r][c] ? MAPC(colour) : MAPC(BK);
        }
}

void PLOT_COPY(int x, int y, std::uint32_t v) {
    if (INCLIP(x, y)) SET(x, y, v);
}

void PLOT_ROP(int x, int y, std::uint32_t v) {
    if (!INCLIP(x, y)) return;
    SET(x, y, ROP == 0 ? v : APPLY_ROP(ROP, GET(x, y), v));
}

void SPAN_COPY(int y, int x1, int x2, std::uint32_t v) {
    if (y < CLIP.y1 || y > CLIP.y2) return;
    x1 = std::max(x1, CLIP.x1);
    x2 = std::min(x2, CLIP.x2);
    if (x1 > x2) return;
    if (BPP == 1) {
        std::memset(ROWPTR(y) + x1, static_cast<int>(v & 0xFF), static_cast<std::size_t>(x2 - x1 + 1));
    } else {
        std::uint32_t* p = reinterpret_cast<std::uint32_t*>(ROWPTR(y)) + x1;
        std::fill(p, p + (x2 - x1 + 1), v & 0xFFFFFF);
    }
}

void SPAN_ROP(int y, int x1, int x2, std::uint32_t v) {
    if (ROP == 0) return SPAN_COPY(y, x1, x2, v);
    if (y < CLIP.y1 || y > CLIP.y2) return;
    x1 = std::max(x1, CLIP.x1);
    x2 = std::min(x2, CLIP.x2);
    for (int x = x1; x <= x2; ++x) SET(x, y, APPLY_ROP(ROP, GET(x, y), v));
}

bool BRUSH_EMPTY() { return FILLSTYLE == 9; }

void SPAN_BRUSH(int y, int x1, int x2) {
    switch (FILLSTYLE) {
        case 0: return SPAN_COPY(y, x1, x2, MAPC(BK));
        case 1: return SPAN_COPY(y, x1, x2, MAPC(FILLCOLOUR));
        case 9: return;
        default: break;
    }
    if (y < CLIP.y1 || y > CLIP.y2) return;
    x1 = std::max(x1, CLIP.x1);
    x2 = std::min(x2, CLIP.x2);
    if (FILLSTYLE == 8) {
        const int r = y & 7;
        for (int x = x1; x <= x2; ++x) SET(x, y, user_pattern[r][x & 7]);
        return;
    }
    const std::uint32_t fg = MAPC(FILLCOLOUR), bk = MAPC(BK);
    for (int x = x1; x <= x2; ++x) {
        if (hatch_bit(FILLSTYLE, x, y)) SET(x, y, fg);
        else if (OPAQUE) SET(x, y, bk);
    }
}

bool PEN_VISIBLE() { return LINESETTINGS.LINESTYLE <= 4; }

void PEN_POINT(int x, int y) {
    const std::uint32_t v = MAPC(FG);
    const int w = LINESETTINGS.WIDTH;
    if (w <= 1) return PLOT_ROP(x, y, v);
    const int o = w / 2;
    for (int yy = y - o; yy < y - o + w; ++yy) SPAN_ROP(yy, x - o, x - o + w - 1, v);
}

void PEN_LINE(int x1, int y1, int x2, int y2, int* step, bool last) {
    const int style = LINESETTINGS.LINESTYLE;
    if (style == 6) return;
    // Far beyond any 16-bit coordinate: nothing a window could show.
    constexpr int FAR = 1 << 20;
    if (std::abs(x1) > FAR || std::abs(x2) > FAR || std::abs(y1) > FAR || std::abs(y2) > FAR) return;
    const bool wide = LINESETTINGS.WIDTH > 1;
    const std::uint32_t fg = MAPC(FG);
    // The usual case: a solid horizontal line is one span.
    if (y1 == y2 && style == 0 && !wide) {
        int a = std::min(x1, x2), b = std::max(x1, x2);
        if (!last) {
            if (x2 > x1) --b;
            else if (x2 < x1) ++a;
            else return;
        }
        SPAN_ROP(y1, a, b, fg);
        return;
    }
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    int s = step ? *step : 0;
    for (;;) {
        const bool end = x == x2 && y == y2;
        if (end && !last) break;
        if (style == 5) {
            if ((LINESETTINGS.PATTERN >> (s & 15)) & 1) PLOT_COPY(x, y, fg);
        } else if (style == 0 || wide || dash_on(style, s)) {
            PEN_POINT(x, y);
        } else if (OPAQUE) {
            PLOT_ROP(x, y, MAPC(BK));
        }
        ++s;
        if (end) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (step) *step = s;
}

std::vector<int> ELLIPSE_ROWS(int rx, int ry) {
    std::vector<int> hw(static_cast<std::size_t>(2 * ry + 1));
    for (int dy = -ry; dy <= ry; ++dy) {
        double h = 0;
        if (ry == 0) {
            h = rx;
        } else {
            const double t = 1.0 - (static_cast<double>(dy) * dy) / (static_cast<double>(ry) * ry);
            h = rx * std::sqrt(std::max(0.0, t));
        }
        hw[static_cast<std::size_t>(dy + ry)] = static_cast<int>(std::lround(h));
    }
    return hw;
}

}  // namespace gfx

using namespace gfx;

namespace {

constexpr double PI = 3.14159265358979323846;

void mark_rows(int y1, int y2) { MARK(std::min(y1, y2), std::max(y1, y2)); }

int clamp_radius(int r) { return std::min(std::abs(r), 32767); }

// Angle range test in degrees, counter-clockwise from start to end.
struct AngleRange {
    bool full = true;
    double s = 0, e = 360;
    explicit AngleRange(int start, int end) {
        if (end - start >= 360 || start - end >= 360 || ((end - start) % 360 == 0 && end != start)) {
            full = true;
            return;
        }
        full = false;
        s = std::fmod(std::fmod(static_cast<double>(start), 360.0) + 360.0, 360.0);
        e = std::fmod(std::fmod(static_cast<double>(end), 360.0) + 360.0, 360.0);
    }
    bool contains(double a) const {
        if (full) return true;
        if (s <= e) return a >= s - 1e-9 && a <= e + 1e-9;
        return a >= s - 1e-9 || a <= e + 1e-9;
    }
};

// The parametric angle of an ellipse point relative to its centre, 0..360.
double point_angle(int dx, int dy, int rx, int ry) {
    if (dx == 0 && dy == 0) return 0;
    const double a = std::atan2(-static_cast<double>(dy) * std::max(rx, 1),
                                static_cast<double>(dx) * std::max(ry, 1)) * 180.0 / PI;
    return a < 0 ? a + 360.0 : a;
}

// Calls f(dx, dy) for each pixel of the ellipse outline, each once.
template <typename F>
void for_outline(int rx, int ry, F f) {
    const std::vector<int> hw = ELLIPSE_ROWS(rx, ry);
    auto row = [&](int dy) { return dy < -ry || dy > ry ? -1 : hw[static_cast<std::size_t>(dy + ry)]; };
    for (int dy = -ry; dy <= ry; ++dy) {
        const int h = row(dy);
        const int inner = std::min({h - 1, row(dy - 1), row(dy + 1)});
        if (inner < 0) {
            for (int dx = -h; dx <= h; ++dx) f(dx, dy);
        } else {
            for (int dx = -h; dx <= -(inner + 1); ++dx) f(dx, dy);
            for (int dx = inner + 1; dx <= h; ++dx) f(dx, dy);
        }
    }
}

void arc_ends(int x, int y, int start, int end, int rx, int ry, int& xs, int& ys, int& xe, int& ye) {
    const double a = start * PI / 180.0, b = end * PI / 180.0;
    xs = x + static_cast<int>(std::lround(rx * std::cos(a)));
    ys = y - static_cast<int>(std::lround(ry * std::sin(a)));
    xe = x + static_cast<int>(std::lround(rx * std::cos(b)));
    ye = y - static_cast<int>(std::lround(ry * std::sin(b)));
}

void record_arc(int x, int y, int xs, int ys, int xe, int ye) {
    LASTARCCOORDS = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                     static_cast<std::int16_t>(xs), static_cast<std::int16_t>(ys),
                     static_cast<std::int16_t>(xe), static_cast<std::int16_t>(ye)};
}

// Outline of an arc (window coordinates of the centre).
void draw_arc(int cx, int cy, const AngleRange& range, int rx, int ry) {
    if (!PEN_VISIBLE()) return;
    for_outline(rx, ry, [&](int dx, int dy) {
        if (range.contains(point_angle(dx, dy, rx, ry))) PEN_POINT(cx + dx, cy + dy);
    });
}

void polyline(const POINTTYPE* p, int n, bool closed) {
    if (!PEN_VISIBLE() || n < 1) return;
    if (n == 1) {
        PEN_POINT(ORIGIN.X + p[0].X, ORIGIN.Y + p[0].Y);
        return;
    }
    int step = 0;
    const int segs = closed ? n : n - 1;
    for (int i = 0; i < segs; ++i) {
        const POINTTYPE& a = p[i];
        const POINTTYPE& b = p[(i + 1) % n];
        PEN_LINE(ORIGIN.X + a.X, ORIGIN.Y + a.Y, ORIGIN.X + b.X, ORIGIN.Y + b.Y, &step,
                 !closed && i == segs - 1);
    }
}

// Scanline fill of a polygon in window coordinates, even-odd rule at pixel centres.
void fill_polygon(const std::vector<POINTTYPE>& pts) {
    if (pts.size() < 3 || BRUSH_EMPTY()) return;
    int ymin = pts[0].Y, ymax = pts[0].Y;
    for (const auto& p : pts) {
        ymin = std::min(ymin, p.Y);
        ymax = std::max(ymax, p.Y);
    }
    ymin = std::max(ymin, CLIP.y1);
    ymax = std::min(ymax, CLIP.y2);
    std::vector<double> xs;
    for (int y = ymin; y <= ymax; ++y) {
        xs.clear();
        const double yc = y + 0.5;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const POINTTYPE& a = pts[i];
            const POINTTYPE& b = pts[(i + 1) % pts.size()];
            if ((a.Y + 0.5 <= yc) != (b.Y + 0.5 <= yc)) {
                const double t = (yc - (a.Y + 0.5)) / (static_cast<double>(b.Y) - a.Y);
                xs.push_back(a.X + 0.5 + t * (static_cast<double>(b.X) - a.X));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const double lo = std::max(std::ceil(xs[i] - 0.5), CLIP.x1 - 1.0);
            const double hi = std::min(std::floor(xs[i + 1] - 0.5), CLIP.x2 + 1.0);
            const int x1 = static_cast<int>(lo), x2 = static_cast<int>(hi);
            if (x1 <= x2) SPAN_BRUSH(y, x1, x2);
        }
    }
}

// Fills the pixels of an ellipse that pass `inside(dx, dy)`, row by row.
template <typename F>
void fill_ellipse_where(int cx, int cy, int rx, int ry, F inside) {
    if (BRUSH_EMPTY()) return;
    const std::vector<int> hw = ELLIPSE_ROWS(rx, ry);
    // Only the pixels inside the clip rectangle are looked at.
    for (int dy = std::max(-ry, CLIP.y1 - cy); dy <= std::min(ry, CLIP.y2 - cy); ++dy) {
        const int h = hw[static_cast<std::size_t>(dy + ry)];
        const int lo = std::max(-h, CLIP.x1 - cx), hi = std::min(h, CLIP.x2 - cx);
        int run = -1;
        for (int dx = lo; dx <= hi + 1; ++dx) {
            const bool in = dx <= hi && inside(dx, dy);
            if (in && run < 0) run = dx;
            if (!in && run >= 0) {
                SPAN_BRUSH(cy + dy, cx + run, cx + dx - 1);
                run = -1;
            }
        }
    }
}

}  // namespace

// ---------------------------------------------------------------- position and pixels

void MOVETO(int x, int y) {
    if (!OPEN_OK()) return;
    ACTUAL = {x, y};
}

void MOVEREL(int dx, int dy) {
    if (!OPEN_OK()) return;
    ACTUAL = {ACTUAL.X + dx, ACTUAL.Y + dy};
}

void PUTPIXEL(int x, int y, std::uint32_t colour) {
    if (!OPEN_OK()) return;
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    PLOT_COPY(ORIGIN.X + x, ORIGIN.Y + y, MAPC(colour));
    MARK(ORIGIN.Y + y, ORIGIN.Y + y);
}

std::uint32_t GETPIXEL(int x, int y) {
    if (!OPEN_OK()) return 0;
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    x += ORIGIN.X;
    y += ORIGIN.Y;
    if (x < 0 || y < 0 || x >= PW || y >= PH) return 0;
    const std::uint32_t v = GET(x, y);
    return PALEXIST ? NEAREST(PAL[v]) : v;
}

// ---------------------------------------------------------------- lines

void SETLINESTYLE(int style, int pattern, int width) {
    if (!OPEN_OK()) return;
    if (style < 0 || style > 6) {
        GRRESULT = grInvalidParam;
        return;
    }
    LINESETTINGS = {static_cast<std::uint16_t>(style), static_cast<std::uint16_t>(pattern),
                    static_cast<std::uint16_t>(std::clamp(width, 1, 1000))};
}

void GETLINESETTINGS(LINESETTINGSTYPE& ls) { ls = LINESETTINGS; }

void LINETO(int x, int y) {
    if (!OPEN_OK()) return;
    {
        std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
        const int x1 = ORIGIN.X + ACTUAL.X, y1 = ORIGIN.Y + ACTUAL.Y;
        const int x2 = ORIGIN.X + x, y2 = ORIGIN.Y + y;
        PEN_LINE(x1, y1, x2, y2, nullptr, true);
        const int o = LINESETTINGS.WIDTH;
        mark_rows(std::min(y1, y2) - o, std::max(y1, y2) + o);
    }
    ACTUAL = {x, y};
}

void LINE(int x1, int y1, int x2, int y2) {
    MOVETO(x1, y1);
    if (GRRESULT == grOk) LINETO(x2, y2);
}

void LINEREL(int dx, int dy) {
    if (!OPEN_OK()) return;
    LINETO(ACTUAL.X + dx, ACTUAL.Y + dy);
}

void RECTANGLE(int x1, int y1, int x2, int y2) {
    if (!OPEN_OK()) return;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    x1 += ORIGIN.X; x2 += ORIGIN.X; y1 += ORIGIN.Y; y2 += ORIGIN.Y;
    const int o = LINESETTINGS.WIDTH;
    mark_rows(y1 - o, y2 + o);
    if (x1 == x2 && y1 == y2) {
        PLOT_COPY(x1, y1, MAPC(FG));
        return;
    }
    if (!PEN_VISIBLE()) return;
    if (LINESETTINGS.LINESTYLE == 0 && LINESETTINGS.WIDTH <= 1) {
        const std::uint32_t v = MAPC(FG);
        SPAN_ROP(y1, x1, x2, v);
        if (y2 > y1) SPAN_ROP(y2, x1, x2, v);
        for (int y = std::max(y1 + 1, CLIP.y1); y < y2 && y <= CLIP.y2; ++y) {
            PLOT_ROP(x1, y, v);
            if (x2 > x1) PLOT_ROP(x2, y, v);
        }
        return;
    }
    int step = 0;
    PEN_LINE(x1, y1, x2, y1, &step, false);
    PEN_LINE(x2, y1, x2, y2, &step, false);
    PEN_LINE(x2, y2, x1, y2, &step, false);
    PEN_LINE(x1, y2, x1, y1, &step, false);
}

void ELLIPSE(int x, int y, int startangle, int endangle, int xradius, int yradius) {
    if (!OPEN_OK()) return;
    const int rx = clamp_radius(xradius), ry = clamp_radius(yradius);
    int xs, ys, xe, ye;
    arc_ends(x, y, startangle, endangle, rx, ry, xs, ys, xe, ye);
    record_arc(x, y, xs, ys, xe, ye);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int cx = ORIGIN.X + x, cy = ORIGIN.Y + y;
    draw_arc(cx, cy, AngleRange(startangle, endangle), rx, ry);
    mark_rows(cy - ry - LINESETTINGS.WIDTH, cy + ry + LINESETTINGS.WIDTH);
}

void ARC(int x, int y, int startangle, int endangle, int radius) {
    ELLIPSE(x, y, startangle, endangle, radius, radius);
}

void CIRCLE(int x, int y, int radius) { ELLIPSE(x, y, 0, 360, radius, radius); }

void GETARCCOORDS(ARCCOORDSTYPE& ac) { ac = LASTARCCOORDS; }

void ROTELLIPSE(int x, int y, int angle, int xradius, int yradius) {
    if (!OPEN_OK()) return;
    const double t = angle * PI / 180.0, c = std::cos(t), s = std::sin(t);
    const int rx = clamp_radius(xradius), ry = clamp_radius(yradius);
    const int n = std::clamp(2 * (rx + ry), 8, 4096);
    std::vector<POINTTYPE> pts(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = 2 * PI * i / n;
        const double ex = rx * std::cos(a), ey = ry * std::sin(a);
        pts[static_cast<std::size_t>(i)] = {x + static_cast<int>(std::lround(ex * c - ey * s)),
                                            y - static_cast<int>(std::lround(ex * s + ey * c))};
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    polyline(pts.data(), n, true);
    const int r = std::max(rx, ry) + LINESETTINGS.WIDTH;
    mark_rows(ORIGIN.Y + y - r, ORIGIN.Y + y + r);
}

void DRAWPOLY(int n, const POINTTYPE* points) {
    if (!OPEN_OK()) return;
    if (n < 1 || !points) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    polyline(points, n, false);
    MARK(0, PH - 1);
}

void DRAWBEZIER(int n, const POINTTYPE* points) {
    if (!OPEN_OK()) return;
    if (n < 4 || (n - 1) % 3 != 0 || !points) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::vector<POINTTYPE> pts;
    for (int i = 0; i + 3 < n; i += 3) {
        const POINTTYPE* p = points + i;
        constexpr int steps = 32;
        for (int k = (i == 0 ? 0 : 1); k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps, u = 1 - t;
            const double bx = u * u * u * p[0].X + 3 * u * u * t * p[1].X + 3 * u * t * t * p[2].X +
                              t * t * t * p[3].X;
            const double by = u * u * u * p[0].Y + 3 * u * u * t * p[1].Y + 3 * u * t * t * p[2].Y +
                              t * t * t * p[3].Y;
            pts.push_back({static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by))});
        }
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    polyline(pts.data(), static_cast<int>(pts.size()), false);
    MARK(0, PH - 1);
}

void ROUNDRECT(int x1, int y1, int x2, int y2, int r) {
    if (!OPEN_OK()) return;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return;
    }
    const std::int64_t most = std::min<std::int64_t>(static_cast<std::int64_t>(x2) - x1, static_cast<std::int64_t>(y2) - y1) / 2;
    r = static_cast<int>(std::clamp<std::int64_t>(r, 0, std::min<std::int64_t>(most, 32767)));
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int ox = ORIGIN.X, oy = ORIGIN.Y;
    x1 += ox; x2 += ox; y1 += oy; y2 += oy;
    if (!BRUSH_EMPTY()) {
        const std::vector<int> hw = ELLIPSE_ROWS(r, r);
        for (int y = std::max(y1, CLIP.y1); y <= std::min(y2, CLIP.y2); ++y) {
            int inset = 0;
            if (y < y1 + r) inset = r - hw[static_cast<std::size_t>(y - y1)];
            else if (y > y2 - r) inset = r - hw[static_cast<std::size_t>(2 * r - (y2 - y))];
            SPAN_BRUSH(y, x1 + inset, x2 - inset);
        }
    }
    if (PEN_VISIBLE()) {
        PEN_LINE(x1 + r, y1, x2 - r, y1, nullptr, true);
        PEN_LINE(x1 + r, y2, x2 - r, y2, nullptr, true);
        PEN_LINE(x1, y1 + r, x1, y2 - r, nullptr, true);
        PEN_LINE(x2, y1 + r, x2, y2 - r, nullptr, true);
        if (r > 0) {
            for_outline(r, r, [&](int dx, int dy) {
                const int px = dx < 0 ? x1 + r + dx : x2 - r + dx;
                const int py = dy < 0 ? y1 + r + dy : y2 - r + dy;
                if (dx != 0 && dy != 0) PEN_POINT(px, py);
            });
        }
    }
    mark_rows(y1 - LINESETTINGS.WIDTH, y2 + LINESETTINGS.WIDTH);
}

// ---------------------------------------------------------------- fills

void SETFILLSTYLE(int pattern, std::uint32_t colour) {
    if (!OPEN_OK()) return;
    if (pattern < 0 || pattern > 9) {
        GRRESULT = grInvalidParam;
        return;
    }
    FILLSTYLE = pattern;
    FILLCOLOUR = colour;
    FILLSETTINGS = {static_cast<std::uint32_t>(pattern), colour};
}

void SETFILLPATTERN(const FILLPATTERNTYPE& pattern, std::uint32_t colour) {
    if (!OPEN_OK()) return;
    FILLPATTERN = pattern;
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    SET_USER_PATTERN(pattern, colour);
}

void GETFILLPATTERN(FILLPATTERNTYPE& pattern) { pattern = FILLPATTERN; }
void GETFILLSETTINGS(FILLSETTINGSTYPE& fs) { fs = FILLSETTINGS; }

void BAR(int x1, int y1, int x2, int y2) {
    if (!OPEN_OK()) return;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    x1 += ORIGIN.X; x2 += ORIGIN.X; y1 += ORIGIN.Y; y2 += ORIGIN.Y;
    const int ya = std::max(y1, CLIP.y1), yb = std::min(y2, CLIP.y2);
    const int xa = std::max(x1, CLIP.x1), xb = std::min(x2, CLIP.x2);
    if (ya > yb || xa > xb) return;
    if ((FILLSTYLE == 0 || FILLSTYLE == 1) && BPP == 1 && xa == 0 && xb == PW - 1) {
        const std::uint32_t v = MAPC(FILLSTYLE == 0 ? BK : FILLCOLOUR);
        std::memset(ROWPTR(ya), static_cast<int>(v & 0xFF), static_cast<std::size_t>(PW) * (yb - ya + 1));
    } else {
        for (int y = ya; y <= yb; ++y) SPAN_BRUSH(y, xa, xb);
    }
    MARK(ya, yb);
}

void BAR3D(int x1, int y1, int x2, int y2, int depth, bool top) {
    if (!OPEN_OK()) return;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return;
    }
    BAR(x1, y1, x2, y2);
    RECTANGLE(x1, y1, x2, y2);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int ox = ORIGIN.X, oy = ORIGIN.Y;
    if (PEN_VISIBLE()) {
        if (top) {
            PEN_LINE(ox + x1, oy + y1, ox + x1 + depth, oy + y1 - depth, nullptr, true);
            PEN_LINE(ox + x1 + depth, oy + y1 - depth, ox + x2 + depth, oy + y1 - depth, nullptr, true);
            PEN_LINE(ox + x2 + depth, oy + y1 - depth, ox + x2, oy + y1, nullptr, true);
        }
        if (depth != 0) {
            PEN_LINE(ox + x2 + depth, oy + y1 - depth, ox + x2 + depth, oy + y2 - depth, nullptr, true);
            PEN_LINE(ox + x2 + depth, oy + y2 - depth, ox + x2, oy + y2, nullptr, true);
        }
    }
    mark_rows(oy + y1 - std::abs(depth) - LINESETTINGS.WIDTH, oy + y2 + std::abs(depth) + LINESETTINGS.WIDTH);
}

void FILLELLIPSE(int x, int y, int xradius, int yradius) {
    if (!OPEN_OK()) return;
    const int rx = clamp_radius(xradius), ry = clamp_radius(yradius);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int cx = ORIGIN.X + x, cy = ORIGIN.Y + y;
    if (!BRUSH_EMPTY()) {
        const std::vector<int> hw = ELLIPSE_ROWS(rx, ry);
        for (int dy = -ry; dy <= ry; ++dy) {
            const int h = hw[static_cast<std::size_t>(dy + ry)];
            SPAN_BRUSH(cy + dy, cx - h, cx + h);
        }
    }
    draw_arc(cx, cy, AngleRange(0, 360), rx, ry);
    mark_rows(cy - ry - LINESETTINGS.WIDTH, cy + ry + LINESETTINGS.WIDTH);
}

void SECTOR(int x, int y, int startangle, int endangle, int xradius, int yradius) {
    if (!OPEN_OK()) return;
    const int rx = clamp_radius(xradius), ry = clamp_radius(yradius);
    int xs, ys, xe, ye;
    arc_ends(x, y, startangle, endangle, rx, ry, xs, ys, xe, ye);
    record_arc(x, y, xs, ys, xe, ye);
    const AngleRange range(startangle, endangle);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int cx = ORIGIN.X + x, cy = ORIGIN.Y + y;
    fill_ellipse_where(cx, cy, rx, ry, [&](int dx, int dy) {
        return (dx == 0 && dy == 0) || range.contains(point_angle(dx, dy, rx, ry));
    });
    draw_arc(cx, cy, range, rx, ry);
    if (PEN_VISIBLE() && !range.full) {
        PEN_LINE(cx, cy, ORIGIN.X + xs, ORIGIN.Y + ys, nullptr, true);
        PEN_LINE(cx, cy, ORIGIN.X + xe, ORIGIN.Y + ye, nullptr, true);
    }
    mark_rows(cy - ry - LINESETTINGS.WIDTH, cy + ry + LINESETTINGS.WIDTH);
}

void PIESLICE(int x, int y, int startangle, int endangle, int radius) {
    SECTOR(x, y, startangle, endangle, radius, radius);
}

void CHORD(int x, int y, int startangle, int endangle, int xradius, int yradius) {
    if (!OPEN_OK()) return;
    const int rx = clamp_radius(xradius), ry = clamp_radius(yradius);
    int xs, ys, xe, ye;
    arc_ends(x, y, startangle, endangle, rx, ry, xs, ys, xe, ye);
    record_arc(x, y, xs, ys, xe, ye);
    const AngleRange range(startangle, endangle);
    // The chord's side: the half-plane of the line start -> end that holds the arc.
    const double mid = (startangle + (range.full ? 360 : std::fmod(range.e - range.s + 360.0, 360.0)) / 2.0) *
                       PI / 180.0;
    const double mx = rx * std::cos(mid), my = -ry * std::sin(mid);
    const double ax = xs - x, ay = ys - y, bx = xe - x, by = ye - y;
    auto side = [&](double px, double py) { return (bx - ax) * (py - ay) - (by - ay) * (px - ax); };
    const double arcside = side(mx, my);
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    const int cx = ORIGIN.X + x, cy = ORIGIN.Y + y;
    fill_ellipse_where(cx, cy, rx, ry, [&](int dx, int dy) {
        if (range.full) return true;
        const double s = side(dx, dy);
        return s == 0 || (s > 0) == (arcside > 0);
    });
    draw_arc(cx, cy, range, rx, ry);
    if (PEN_VISIBLE() && !range.full)
        PEN_LINE(ORIGIN.X + xs, ORIGIN.Y + ys, ORIGIN.X + xe, ORIGIN.Y + ye, nullptr, true);
    mark_rows(cy - ry - LINESETTINGS.WIDTH, cy + ry + LINESETTINGS.WIDTH);
}

void FILLPOLY(int n, const POINTTYPE* points) {
    if (!OPEN_OK()) return;
    if (n < 1 || !points) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::vector<POINTTYPE> pts(points, points + n);
    for (auto& p : pts) {
        p.X += ORIGIN.X;
        p.Y += ORIGIN.Y;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    fill_polygon(pts);
    polyline(points, n, true);
    MARK(0, PH - 1);
}

void FLOODFILL(int x, int y, std::uint32_t border) {
    if (!OPEN_OK()) return;
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    x += ORIGIN.X;
    y += ORIGIN.Y;
    if (!INCLIP(x, y) || BRUSH_EMPTY()) return;
    const std::uint32_t b = MAPC(border);
    if (GET(x, y) == b) return;
    // Span fill with an explicit stack: large areas cannot exhaust the call stack.
    // The map of filled pixels has a row only where the fill went, kept between
    // fills and cleared again: a small region costs no pass over the page.
    static std::vector<std::vector<std::uint8_t>> seen;
    if (seen.size() != static_cast<std::size_t>(PH)) seen.assign(static_cast<std::size_t>(PH), {});
    auto row = [&](int py) -> std::vector<std::uint8_t>& {
        auto& r = seen[static_cast<std::size_t>(py)];
        if (r.size() != static_cast<std::size_t>(PW)) r.assign(static_cast<std::size_t>(PW), 0);
        return r;
    };
    auto open = [&](int px, int py) {
        const auto& r = seen[static_cast<std::size_t>(py)];
        return (r.empty() || !r[static_cast<std::size_t>(px)]) && GET(px, py) != b;
    };
    struct Seed { int x, y; };
    std::vector<Seed> stack{{x, y}};
    int ymin = y, ymax = y;
    while (!stack.empty()) {
        Seed s = stack.back();
        stack.pop_back();
        if (!open(s.x, s.y)) continue;
        int l = s.x, r = s.x;
        while (l - 1 >= CLIP.x1 && open(l - 1, s.y)) --l;
        while (r + 1 <= CLIP.x2 && open(r + 1, s.y)) ++r;
        std::memset(row(s.y).data() + l, 1, static_cast<std::size_t>(r - l + 1));
        ymin = std::min(ymin, s.y);
        ymax = std::max(ymax, s.y);
        for (int ny : {s.y - 1, s.y + 1}) {
            if (ny < CLIP.y1 || ny > CLIP.y2) continue;
            bool in = false;
            for (int px = l; px <= r; ++px) {
                const bool o = open(px, ny);
                if (o && !in) stack.push_back({px, ny});
                in = o;
            }
        }
        SPAN_BRUSH(s.y, l, r);
    }
    for (int py = ymin; py <= ymax; ++py) std::fill(seen[static_cast<std::size_t>(py)].begin(), seen[static_cast<std::size_t>(py)].end(), 0);
    MARK(ymin, ymax);
}

void INVERTRECT(int x1, int y1, int x2, int y2) {
    if (!OPEN_OK()) return;
    if (x1 > x2 || y1 > y2) {
        GRRESULT = grInvalidParam;
        return;
    }
    std::lock_guard<std::mutex> lock(PROTECT_DEVICES);
    x1 = std::max(x1 + ORIGIN.X, CLIP.x1);
    x2 = std::min(x2 + ORIGIN.X, CLIP.x2);
    y1 = std::max(y1 + ORIGIN.Y, CLIP.y1);
    y2 = std::min(y2 + ORIGIN.Y, CLIP.y2);
    // The inverted colour, not the inverted index: in a palette the entry nearest to it.
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) SET(x, y, FROM_RGB(~TO_RGB(GET(x, y)) & 0xFFFFFF));
    if (y1 <= y2) MARK(y1, y2);
}

}  // namespace korax

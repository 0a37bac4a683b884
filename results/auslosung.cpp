// The cup draw (menu code 116): POKAL.TXT in a scrolling text area, the own team
// picked out in every line, and the next cup opponent below it.
#include <stdio.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/screens.h"
#include "platform/dospath.h"
#include "results/pokal.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_POKAL = 116;
// Pixels from one line of the draw to the next: ten, or the height of the text
// when that is taller (the smallest cell of the list's font is 16 pixels high).
int linestep() {
    DEFAULTTEXT2();
    return std::max(10, ETEXTHEIGHT("W"));
}
constexpr int SCROLLSTEP = 10;
constexpr int LASTCOLUMN = 245;  // the first column shown stays below it

// The arrow buttons: click window (the key it gives) and picture.
struct ARROW {
    int n;
    const char* picture;
};
constexpr ARROW ARROWS[] = {{8, "bu-u"}, {2, "bu-d"}, {4, "bu-l"}, {6, "bu-r"}};
constexpr int ARROWSIZE = 24;
constexpr int HELPWINDOW = 0;
constexpr int BACKWINDOW = 27;  // answers Escape

void arrowat(int n, int& x, int& y) {
    switch (n) {
        case 8: x = XM2 - 70, y = 92; break;
        case 2: x = XM2 - 70, y = YM2 - 120 - ARROWSIZE; break;
        case 4: x = XM1 + 10, y = YM2 - 110; break;
        default: x = XM2 - 80 - ARROWSIZE, y = YM2 - 110; break;
    }
}

void START() {
    CLEAROBERFLAECHE();
    HEADER(L[SCREEN_POKAL].str());
    TIEF3D(XM1 + 10, 92, XM2 - 80, YM2 - 120, 0, 0);
    HINTERGRUND(XMC - 240, YM2 - 40, XMC + 160, YM2 - 10, 7);
    CENTERTEXTSTYLE();
    ESETCOLOR(14);
    EOUTTEXTXY(XMC - 40, YM2 - 25, POKALGEGNER.empty() ? L[296].str() : "-> " + POKALGEGNER);
    for (const auto& a : ARROWS) {
        int x = 0, y = 0;
        arrowat(a.n, x, y);
        ELOADPCX(a.picture, x, y);
        SETKLICKFENSTER(a.n, x, y, x + ARROWSIZE - 1, y + ARROWSIZE - 1);
    }
    // Between the two vertical arrows, clear of the adviser's corner.
    FENSTER(HELPWINDOW, XM2 - 76, 140, XM2 - 6, 170, "?", 1);
    FENSTER(BACKWINDOW, XM2 - 76, 185, XM2 - 6, 215, L[526].str(), 1);
}

// Characters that fit the text area in the width of "W".
int visiblewidth() {
    DEFAULTTEXT2();
    const int w = std::max(1, ETEXTWIDTH("W"));
    return (XM2 - XM1 - 110) / w + 1;
}

void AUFBAU(const POKALVIEW& v, int lines) {
    ESETFILLSTYLE(1, 8);
    // The whole inside of the frame: a line's glyphs reach above the text area.
    EBAR(XM1 + 12, 94, XM2 - 82, YM2 - 122);
    const int width = visiblewidth();
    const int step = linestep();
    const std::string own = TEAMNAME[NUMMER].str();
    DEFAULTTEXT2();
    int i = v.top;
    for (int y = 106; y <= YM2 - 130 && i <= lines; y += step, ++i) {
        std::string line;
        LISTEGET(i, line);
        const std::string shown = POKALVISIBLE(line, v.column, width);
        const auto [from, count] = POKALMARK(line, v.column, width, own);
        int x = XM1 + 20;
        auto part = [&](std::size_t a, std::size_t n, int colour) {
            if (n == 0) return;
            const std::string t = shown.substr(a, n);
            ESETCOLOR(colour);
            EOUTTEXTXY(x, y, t);
            x += ETEXTWIDTH(t);
        };
        part(0, from, 15);
        part(from, count, 5);
        part(from + count, shown.size() - from - count, 15);
    }
}

}  // namespace

bool POKALSCROLL(POKALVIEW& v, char key, int lines) {
    const POKALVIEW old = v;
    switch (key) {
        case '8': v.top = std::max(1, v.top - SCROLLSTEP); break;
        case '2':
            if (v.top + SCROLLSTEP < lines) v.top += SCROLLSTEP;
            break;
        case '4': v.column = std::max(1, v.column - SCROLLSTEP); break;
        case '6':
            if (v.column + SCROLLSTEP < LASTCOLUMN) v.column += SCROLLSTEP;
            break;
        default: break;
    }
    return v.top != old.top || v.column != old.column;
}

std::string POKALVISIBLE(std::string_view line, int column, int width) {
    const std::size_t from = static_cast<std::size_t>(std::max(1, column) - 1);
    if (from >= line.size() || width <= 0) return {};
    return std::string(line.substr(from, static_cast<std::size_t>(width)));
}

std::pair<std::size_t, std::size_t> POKALMARK(std::string_view line, int column, int width, std::string_view own) {
    if (own.empty() || width <= 0) return {0, 0};
    const std::size_t at = line.find(own);
    if (at == std::string_view::npos) return {0, 0};
    const std::size_t from = static_cast<std::size_t>(std::max(1, column) - 1);
    const std::size_t end = std::min(at + own.size(), from + static_cast<std::size_t>(width));
    const std::size_t begin = std::max(at, from);
    if (begin >= end) return {0, 0};
    return {begin - from, end - begin};
}

int POKALLIST(std::FILE* f, const std::string& shown) {
    LISTEINIT();
    // Read in blocks, each line's first 255 characters copied straight into the
    // list store: a large draw costs a few reads and one pass over its bytes.
    LISTSTORE& l = *LISTE;
    int n = 0;
    bool open = false;       // a line has begun and not yet ended
    std::size_t length = 0;  // of the open line, also past what is kept
    char last = 0;
    auto end_line = [&] {
        // A carriage return before the line's end is not part of it.
        if (last == '\r' && length <= 255) --l.size[static_cast<std::size_t>(n)], --l.used;
        open = false;
    };
    char block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, f)) > 0) {
        for (std::size_t at = 0; at < got;) {
            if (!open) {
                if (++n > LISTEMAX) {
                    LISTECLOSE();
                    ERROR(8, shown);
                }
                l.from[static_cast<std::size_t>(n)] = static_cast<std::uint32_t>(l.used);
                open = true, length = 0, last = 0;
            }
            const char* nl = static_cast<const char*>(std::memchr(block + at, '\n', got - at));
            const std::size_t stop = nl ? static_cast<std::size_t>(nl - block) : got;
            const std::size_t keep = std::min(stop - at, 255 - std::min<std::size_t>(length, 255));
            std::memcpy(l.text + l.used, block + at, keep);
            l.used += keep;
            l.size[static_cast<std::size_t>(n)] += static_cast<std::uint32_t>(keep);
            length += stop - at;
            if (stop > at) last = block[stop - 1];
            at = stop;
            if (nl) {
                end_line();
                ++at;
            }
        }
    }
    if (open) end_line();
    if (std::ferror(f) != 0) {
        LISTECLOSE();
        ERROR(2, shown);
    }
    LISTENANZ = n;
    return n;
}

void POKALAUSLOSUNG() {
    HUGO = 0;
    START();
    const std::string name = GAMEDIR + "POKAL.TXT";
    std::FILE* f = std::fopen(HOSTPATH(name).c_str(), "rb");
    if (!f) {
        FENSTER(10, XMC - 240, 182, XMC + 160, 232, L[294].str() + L[295].str(), -1);
        while (true) {
            GLOBALBUTTON();
            if (SCREENLEFT()) return;
            if (KEY == 0) DELAY(10);
        }
    }
    int lines = 0;
    try {
        lines = POKALLIST(f, name);
    } catch (...) {
        std::fclose(f);
        throw;
    }
    if (std::fclose(f) != 0) ERROR(9, name);
    POKALVIEW v;
    AUFBAU(v, lines);
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') {
            HELP(SCREEN_POKAL);
            START();
            AUFBAU(v, lines);
        } else if (POKALSCROLL(v, static_cast<char>(KEY), lines)) {
            AUFBAU(v, lines);
        }
    }
    LISTECLOSE();
}

}  // namespace korax

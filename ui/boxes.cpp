// Mouse queries, the message box, the context menu and the line editor on screen.
#include <algorithm>

#include "base/types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "ui/frames.h"

namespace korax {

namespace {

int mouse_buttons() {
    int b = 0, x = 0, y = 0;
    EMOUSESTAT(b, x, y);
    return b;
}

void wait_release(int mask) {
    while (mouse_buttons() & mask) DELAY(10);
}

void save_under(const std::string& name, int x1, int y1, int x2, int y2) {
    if (ESAVEPIC(name, x1, y1, x2, y2) != 0) ERROR(4, name);
}

void restore(const std::string& name, int x, int y) {
    if (ELOADPIC(name, x, y) != 0) ERROR(2, name);
}

char upcase(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : static_cast<char>(c); }

}  // namespace

void CHECKMOUSEPOS() {
    int b = 0, x = 0, y = 0;
    EMOUSESTAT(b, x, y);
    OLDMOUSEX = MOUSEX;
    OLDMOUSEY = MOUSEY;
    MOUSEX = static_cast<std::int16_t>(x);
    MOUSEY = static_cast<std::int16_t>(y);
    LB = (b & 1) != 0;
    RB = (b & 2) != 0;
    if (MOUSEX != OLDMOUSEX || MOUSEY != OLDMOUSEY || LB || RB) ETWAS = true;
    if (!LB && !RB) return;
    int n = KLICKHIT(x, y);
    if (n >= 0) {
        KEY = static_cast<unsigned char>(KLICKKEY(n));
        if (KEY == 27) GLOBALBEENDEN = true;
    }
    bool scroll = KEY >= 21 && KEY <= 24;
    if (DRAGDROP && KEY < 101 && !scroll) return;
    // Left, then right: one loop over both reads the mouse no more often than needed.
    wait_release(3);
}

bool MOUSEAKTION() {
    KEY = 255;
    CHECKMOUSEPOS();
    if (KEYPRESSED()) {
        TASTE();
        KEY = static_cast<unsigned char>(upcase(KEY));
    }
    return KEY < 255;
}

bool LEFTBUTTON() {
    int b = mouse_buttons();
    LB = (b & 1) != 0;
    return LB;
}

bool RIGHTBUTTON() {
    int b = mouse_buttons();
    RB = (b & 2) != 0;
    return RB;
}

void MOUSETASTE() {
    for (;;) {
        if (KEYPRESSED()) {
            TASTE();
            return;
        }
        if (mouse_buttons() != 0) {
            wait_release(3);
            KEY = 13;
            return;
        }
        DELAY(10);
    }
}

void MELDUNG(std::string_view text) {
    std::vector<std::string> lines = MELDUNGLINES(text);
    EHIDEMOUSE();
    DEFAULTTEXT();
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, ETEXTWIDTH(l));
    widest = std::max(widest, ETEXTWIDTH(L[1].str()));  // the prompt stays inside the box too
    const int n = static_cast<int>(lines.size());
    const int w = widest + 40;
    const int h = (n + 2) * 15 + 40;
    const int x1 = std::max(0, (EMAXX - w) / 2);
    const int y1 = std::max(0, (EMAXY - h) / 2);
    const std::string pic = TMPFILE("M1.TMP");
    save_under(pic, x1, y1, x1 + w + 5, y1 + h + 5);
    HINTERGRUND(x1, y1, x1 + w, y1 + h, 5);
    DEFAULTTEXT();
    ESETCOLOR(15);
    for (int i = 0; i < n; ++i) EOUTTEXTXY(x1 + 20, y1 + 30 + 15 * i, lines[static_cast<std::size_t>(i)]);
    ESETCOLOR(14);
    EOUTTEXTXY(x1 + 20, y1 + 30 + 15 * n + 10, L[1].str());
    ESHOWMOUSE();
    while (!KEYPRESSED() && !(mouse_buttons() & 1)) DELAY(10);
    wait_release(1);
    if (KEYPRESSED()) TASTE();
    KEY = 0;
    EHIDEMOUSE();
    restore(pic, x1, y1);
    ESHOWMOUSE();
}

int GETKONTEXT(int x, int y, std::string_view e1, std::string_view e2, std::string_view e3,
               std::string_view e4, std::string_view e5, std::string_view e6) {
    std::array<std::string, 6> e{std::string(e1.substr(0, 60)), std::string(e2.substr(0, 60)),
                                 std::string(e3.substr(0, 60)), std::string(e4.substr(0, 60)),
                                 std::string(e5.substr(0, 60)), std::string(e6.substr(0, 60))};
    const int n = KONTEXTCOUNT(e);
    if (n == 0) return 0;
    std::size_t longest = 0;
    for (int i = 0; i <= n; ++i) longest = std::max(longest, e[static_cast<std::size_t>(i)].size());
    const int w = static_cast<int>(longest + 2) * 8;
    const int h = (n + 3) * 20 + 10;
    if (x + w > EMAXX) x -= x + w - EMAXX + 10;
    if (y + h > EMAXY) y -= y + h - EMAXY + 10;
    x = std::max(0, x);
    y = std::max(0, y);
    const std::string pic = TMPFILE("K1.TMP");
    EHIDEMOUSE();
    save_under(pic, x, y, x + w + 5, y + h + 5);
    HINTERGRUND(x, y, x + w, y + h, 1);
    auto rowy = [&](int i) { return y + 20 + 20 * i; };
    auto draw = [&](int i, bool lit) {
        ESETFILLSTYLE(1, lit ? 4 : 1);
        EBAR(x + 2, rowy(i) - 9, x + w - 2, rowy(i) + 9);
        DEFAULTTEXT();
        ESETCOLOR(i == 0 ? 14 : 15);
        EOUTTEXTXY(x + 8, rowy(i), e[static_cast<std::size_t>(i)]);
    };
    int sel = 1;
    for (int i = 0; i <= n; ++i) draw(i, i == sel);
    ESHOWMOUSE();
    EMOUSEBORDER(x, y, x + w, y + h);
    EMOUSEPOS(x + w / 2, rowy(sel));
    int answer = -1;
    int lastmy = -1;
    while (answer < 0) {
        int b = 0, mx = 0, my = 0;
        EMOUSESTAT(b, mx, my);
        int want = sel;
        // The entry under the mouse is the highlighted one whenever the mouse came
        // there (also on the first look); a resting mouse leaves the keys in charge.
        const int row = my >= y + 10 ? (my - y - 10) / 20 : -1;
        if ((my != lastmy || (b & 1)) && row >= 0 && row <= n) want = row;
        lastmy = my;
        if (KEYPRESSED()) {
            TASTE();
            if (KEY == 13) answer = want;
            else if (KEY == 27) answer = 0;
            else if (KEY == 0 && KEY2 == 72) want = std::max(0, want - 1);
            else if (KEY == 0 && KEY2 == 80) want = std::min(n, want + 1);
        } else if (b & 1) {
            answer = want;
        } else if (b & 2) {
            answer = 0;
        } else {
            DELAY(10);
        }
        if (answer < 0 && want != sel) {
            draw(sel, false);
            sel = want;
            draw(sel, true);
        }
    }
    wait_release(3);
    if (KEYPRESSED()) TASTE();
    KEY = 0;
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    EHIDEMOUSE();
    restore(pic, x, y);
    ESHOWMOUSE();
    return answer;
}

void GREADLN(int x, int y, int textcolour, int erasecolour, int cellwidth, std::size_t maxlength,
             std::string& s) {
    LINEEDIT e;
    e.maxlength = maxlength;
    e.s = s.substr(0, maxlength);
    e.cursor = e.s.size() + 1;
    DEFAULTTEXT2();
    auto cell = [&](std::size_t pos, bool cursor) {
        if (pos < 1 || pos > maxlength + 1) return;
        int cx = x + static_cast<int>(pos - 1) * cellwidth;
        ESETFILLSTYLE(1, erasecolour);
        EBAR(cx, y - 8, cx + cellwidth - 1, y + 8);
        ESETCOLOR(textcolour);
        if (cursor) EOUTTEXTXY(cx, y, "_");
        else if (pos <= e.s.size()) EOUTTEXTXY(cx, y, std::string(1, e.s[pos - 1]));
    };
    for (std::size_t p = 1; p <= maxlength; ++p) cell(p, false);
    bool shown = true;
    cell(e.cursor, true);
    std::uint64_t blink = CLOCK_MS();
    while (!e.done) {
        if (!KEYPRESSED()) {
            // The cursor blinks while the trainer thinks.
            if (CLOCK_MS() - blink >= 400) {
                blink = CLOCK_MS();
                shown = !shown;
                cell(e.cursor, shown);
            }
            DELAY(10);
            continue;
        }
        TASTE();
        std::size_t oldcursor = e.cursor;
        std::size_t from = LINEEDITKEY(e, static_cast<char>(KEY), static_cast<char>(KEY2));
        if (from > 0)
            for (std::size_t p = from; p <= maxlength; ++p) cell(p, false);
        cell(oldcursor, false);
        if (!e.done) cell(e.cursor, true);
        shown = true;
        blink = CLOCK_MS();
    }
    for (std::size_t p = 1; p <= maxlength; ++p) cell(p, false);
    s = e.s;
}

}  // namespace korax

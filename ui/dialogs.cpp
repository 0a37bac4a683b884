// The dialogs on screen: yes/no, number, help, file chooser, name prompt, screen
// save, gold display.
#include "ui/dialogs.h"

#include <algorithm>
#include <fstream>

#include "base/types.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "platform/dospath.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

// While a dialog runs, the screen's own click windows are put aside: a click inside
// the dialog must not answer for the window underneath it.
struct ClickWindowsAside {
    std::array<FENSTERREC, KLICKFENSTERANZ> saved = KLICKFENSTER;
    ClickWindowsAside() { CLEARKLICKFENSTER(); }
    ~ClickWindowsAside() { KLICKFENSTER = saved; }
};

// One input pass of a dialog: the adviser moves, a waiting key is read (letters in
// capitals), the mouse is read. Menu keys do not switch screens under a dialog.
void dialog_pass() {
    if (ADVISER.animate) ADVISER.animate();
    if (KEYPRESSED()) {
        TASTE();
        if (KEY >= 'a' && KEY <= 'z') KEY = static_cast<unsigned char>(KEY - 32);
    } else {
        KEY = 0;
    }
    CHECKMOUSEPOS();
    if (!LB && !RB && KEY == 0) DELAY(10);
}

bool inside(int x1, int y1, int x2, int y2) { return MOUSEX >= x1 && MOUSEX <= x2 && MOUSEY >= y1 && MOUSEY <= y2; }

void shadow_label(int x, int y, const std::string& text, int shadow, int colour) {
    ESETCOLOR(shadow);
    EOUTTEXTXY(x, y, text);
    ESETCOLOR(colour);
    EOUTTEXTXY(x + 1, y - 1, text);
}

}  // namespace

bool JANEIN(std::string_view text) {
    const std::string q(text.substr(0, 60));
    const int my = EMAXY / 2;
    const int half = std::max(std::max(200, static_cast<int>(q.size()) * 8) / 2, 180);
    EHIDEMOUSE();
    FRAME(XMC - half, my - 60, XMC + half, my + 50, 2, 15, 8);
    FELD3D(XMC - half + 2, my - 58, XMC + half - 2, my + 48, 0, 1);
    ESETTEXTSTYLE(1, 0, 1);
    ESETUSERCHARSIZE(1, 1, 2, 1);
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    ESETCOLOR(14);
    EOUTTEXTXY(XMC, my - 30, q);
    FELD3D(XMC - 160, my, XMC - 40, my + 40, 0, 7);
    FELD3D(XMC + 40, my, XMC + 160, my + 40, 0, 7);
    CENTERTEXTSTYLE();
    shadow_label(XMC - 100, my + 20, L[306].str(), 2, 10);
    shadow_label(XMC + 100, my + 20, L[307].str(), 4, 12);
    DEFAULTTEXT();
    ESHOWMOUSE();
    EMOUSEBORDER(XMC - 160, my, XMC + 160, my + 40);
    EMOUSEPOS(XMC, my + 20);
    ClickWindowsAside aside;
    for (;;) {
        dialog_pass();
        if (LB) {
            if (inside(XMC - 160, my, XMC - 40, my + 40)) KEY = 'Y';
            else if (inside(XMC + 40, my, XMC + 160, my + 40)) KEY = 'N';
        }
        if (KEY == 'J' || KEY == 'Y' || KEY == 'N' || KEY == 27) break;
    }
    bool yes = KEY == 'J' || KEY == 'Y';
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    KEY = 0;
    return yes;
}

std::int32_t EDITINT(std::string_view title, std::int64_t start, std::int64_t min, std::int64_t max) {
    if (max < min) max = min;
    std::int64_t v = EDITCLAMP(start, min, max);
    const int bx1 = XMC - 200, bx2 = XMC + 200;
    const int by1 = EMAXY / 2 - 100, by2 = EMAXY / 2 + 90;
    const int left = XMC - 150, right = left + 200;
    const int sy1 = by1 + 60, sy2 = by1 + 80;
    const int vx1 = right + 40, vx2 = right + 140;
    const int rety1 = by1 + 130, rety2 = by1 + 170;
    const std::size_t digits = std::max(std::to_string(max).size(), std::to_string(min).size());
    EHIDEMOUSE();
    HINTERGRUND(bx1, by1, bx2, by2, 1);
    CENTERTEXTSTYLE();
    ESETCOLOR(14);
    EOUTTEXTXY(XMC, by1 + 20, std::string(title.substr(0, 40)));
    FELD3D(left - 30, sy1, left - 5, sy2, 2, 7);
    FELD3D(right + 5, sy1, right + 30, sy2, 2, 7);
    ESETCOLOR(0);
    EOUTTEXTXY(left - 17, (sy1 + sy2) / 2, "-");
    EOUTTEXTXY(right + 17, (sy1 + sy2) / 2, "+");
    ESETCOLOR(15);
    EOUTTEXTXY(left, sy2 + 12, W(min, 0));
    EOUTTEXTXY(right, sy2 + 12, W(max, 0));
    FELD3D(bx1 + 10, rety1, XMC - 10, rety2, 0, 2);
    FELD3D(XMC + 10, rety1, bx2 - 10, rety2, 0, 4);
    EOUTTEXTXY((bx1 + 10 + XMC - 10) / 2, (rety1 + rety2) / 2, L[308].str() + " [RETURN]");
    EOUTTEXTXY((XMC + 10 + bx2 - 10) / 2, (rety1 + rety2) / 2, L[309].str() + " [Esc]");
    auto show = [&] {
        EHIDEMOUSE();
        TIEF3D(left, sy1, right, sy2, 2, 0);
        int fillw = EDITSLIDERFILL(v, min, max);
        if (fillw > 0) {
            ESETFILLSTYLE(1, 14);
            EBAR(left + 2, sy1 + 3, left + std::min(fillw, 198), sy2 - 3);
        }
        TIEF3D(vx1, sy1, vx2, sy2, 2, 0);
        CENTERTEXTSTYLE();
        ESETCOLOR(15);
        EOUTTEXTXY((vx1 + vx2) / 2, (sy1 + sy2) / 2, std::to_string(v));
        ESHOWMOUSE();
    };
    show();
    EMOUSEBORDER(bx1, by1, bx2, by2);
    ClickWindowsAside aside;
    // The mouse is read while a button is held, so that the slider follows a drag.
    const bool olddragdrop = DRAGDROP;
    DRAGDROP = true;
    bool sliding = false;
    auto slide = [&] {
        const std::int64_t w = EDITSLIDERVALUE(std::clamp(MOUSEX - left, 0, 200), min, max);
        if (w != v) {
            v = w;
            show();
        }
    };
    for (;;) {
        dialog_pass();
        if (sliding) {
            // Held: follow the pointer; released: the value where it was let go.
            slide();
            if (!LB) sliding = false;
            else if (KEY == 0) DELAY(10);
        } else if (LB) {
            if (inside(left, sy1, right, sy2)) {
                sliding = true;
                slide();
            } else {
                if (inside(left - 30, sy1, left - 5, sy2)) KEY = '-';
                else if (inside(right + 5, sy1, right + 30, sy2)) KEY = '+';
                else if (inside(bx1 + 10, rety1, XMC - 10, rety2)) KEY = 13;
                else if (inside(XMC + 10, rety1, bx2 - 10, rety2)) KEY = 27;
                else if (inside(vx1, sy1, vx2, sy2)) KEY = ' ';
                while (LEFTBUTTON() || RIGHTBUTTON()) DELAY(10);
            }
        } else if (RB) {
            while (LEFTBUTTON() || RIGHTBUTTON()) DELAY(10);
        }
        if (KEY == 13 || KEY == 27) break;
        if (KEY == '+' || KEY == '-') {
            v = EDITCLAMP(v + (KEY == '+' ? 1 : -1), min, max);
            show();
        } else if (KEY == ' ') {
            std::string typed = std::to_string(v);
            EHIDEMOUSE();
            GREADLN(vx1 + 6, (sy1 + sy2) / 2, 15, EHIGHCOLOR(0), 9, digits, typed);
            std::int64_t n = 0;
            if (EDITPARSE(typed, n)) v = EDITCLAMP(n, min, max);
            show();
        }
    }
    const bool escape = KEY == 27;
    DRAGDROP = olddragdrop;
    KEY = 0;
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    return escape ? 0 : static_cast<std::int32_t>(v);
}

void SAVEBILD() {
    const std::string name = TMPFILE("ALL.TMP");
    if (ESAVEPIC(name, 0, 0, EMAXX, EMAXY) != 0) ERROR(4, name);
}

void LOADBILD() {
    const std::string name = TMPFILE("ALL.TMP");
    if (ELOADPIC(name, 0, 0) != 0) ERROR(2, name);
}

void HELP(int topic) {
    const std::string file = "HELP." + LEXT.str();
    std::ifstream in(HOSTPATH(file), std::ios::binary);
    if (!in) ERROR(1, file);
    // A help file is text for people; anything past 16 MiB is not read.
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length < 0 || !in) ERROR(2, file);
    std::string text(static_cast<std::size_t>(std::min<std::streamoff>(length, 16u << 20)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) ERROR(2, file);
    text.resize(static_cast<std::size_t>(in.gcount()));
    in.close();
    HELPTOPIC t = READHELPTOPIC(text, topic);
    const std::string name = (topic >= 0 && topic < static_cast<int>(L.size())) ? L[static_cast<std::size_t>(topic)].str() : "";
    const std::string title = L[444].str() + " [" + name + "]";
    const std::string foot = "[^v ><] " + L[445].str();
    int width = 2 * static_cast<int>(title.size());
    width = std::max(width, static_cast<int>(L[445].size()) + 7);
    for (const auto& l : t.lines) width = std::max(width, static_cast<int>(l.size()));
    std::vector<std::string> lines = t.found ? t.lines : std::vector<std::string>{L[100].str()};
    const int nlines = t.found ? static_cast<int>(t.lines.size()) : 0;
    const int height = EMAXY + 1;
    int x = 20;
    int y = height - 20 - (nlines * 15 + 70);

    EHIDEMOUSE();
    SAVEBILD();
    auto draw = [&] {
        HELPBOX b = HELPBOXAT(x, y, width, nlines, EMAXX, EMAXY);
        x = b.x1;
        y = b.y1;
        HINTERGRUND(b.x1, b.y1, b.x2, b.y2, 1);
        ESETTEXTSTYLE(0, 0, 2);
        ESETTEXTJUSTIFY(LEFTTEXT, TOPTEXT);
        ESETCOLOR(14);
        EOUTTEXTXY(b.x1 + 20, b.y1 + 12, title);
        DEFAULTTEXT2();
        ESETCOLOR(15);
        int ly = b.y1 + 45;
        for (const auto& l : lines) {
            if (ly > b.y2 - 25) break;  // a box pulled up short shows what fits
            EOUTTEXTXY(b.x1 + 20, ly, l);
            ly += 15;
        }
        ESETCOLOR(11);
        EOUTTEXTXY(b.x1 + 20, b.y2 - 12, foot);
        DEFAULTTEXT();
    };
    draw();
    ESHOWMOUSE();
    for (;;) {
        int buttons = 0, mx = 0, my = 0;
        EMOUSESTAT(buttons, mx, my);
        if (buttons != 0) {
            while (true) {
                EMOUSESTAT(buttons, mx, my);
                if (buttons == 0) break;
                DELAY(10);
            }
            break;
        }
        if (!KEYPRESSED()) {
            DELAY(10);
            continue;
        }
        TASTE();
        if (KEY != 0 || (KEY2 != 72 && KEY2 != 75 && KEY2 != 77 && KEY2 != 80)) break;
        if (KEY2 == 77) x += 64;
        else if (KEY2 == 75) x -= 64;
        else if (KEY2 == 72) y -= 64;
        else y += 64;
        EHIDEMOUSE();
        LOADBILD();
        draw();
        ESHOWMOUSE();
    }
    KEY = 0;
    EHIDEMOUSE();
    LOADBILD();
    ESHOWMOUSE();
    if (ADVISER.afterhelp) ADVISER.afterhelp();
}

std::string GETDATEINAME(std::string dir, std::string_view mask, std::string_view title) {
    dir = DATEIDIR(dir);
    const std::string original = dir;
    const std::string m(mask.substr(0, 12));
    std::vector<std::string> list = DATEILISTE(dir, m);
    constexpr int ROWS = 15;
    const int lx1 = XM1 + 20, lx2 = XM1 + 220;
    const int ty = 100, dy1 = 120, dy2 = 140, ly1 = 150;
    const int ax1 = lx2 + 5, ax2 = lx2 + 30;
    int pos = 0, top = 0;

    auto rowy = [&](int row) { return ly1 + row * 20; };
    auto draw = [&] {
        EHIDEMOUSE();
        ESETFILLSTYLE(1, SCREEN);
        EBAR(lx1 - 4, ty - 12, ax2 + 4, rowy(ROWS) + 8);
        CENTERTEXTSTYLE();
        ESETCOLOR(14);
        EOUTTEXTXY((lx1 + ax2) / 2, ty, std::string(title.substr(0, 80)));
        TIEF3D(lx1, dy1, lx2, dy2, 2, 0);
        DEFAULTTEXT2();
        ESETCOLOR(15);
        EOUTTEXTXY(lx1 + 6, (dy1 + dy2) / 2, dir);
        TIEF3D(lx1, ly1 - 2, lx2, rowy(ROWS) + 2, 2, 0);
        for (int row = 0; row < ROWS; ++row) {
            int i = top + row;
            if (i >= static_cast<int>(list.size())) break;
            if (i == pos) {
                ESETFILLSTYLE(1, 4);
                EBAR(lx1 + 3, rowy(row) + 1, lx2 - 3, rowy(row) + 19);
            }
            ESETCOLOR(i == pos ? 14 : 15);
            EOUTTEXTXY(lx1 + 8, rowy(row) + 10, list[static_cast<std::size_t>(i)]);
        }
        FELD3D(ax1, ly1, ax2, ly1 + 20, 2, 7);
        FELD3D(ax1, rowy(ROWS) - 20, ax2, rowy(ROWS), 2, 7);
        CENTERTEXTSTYLE();
        ESETCOLOR(0);
        EOUTTEXTXY((ax1 + ax2) / 2, ly1 + 10, "^");
        EOUTTEXTXY((ax1 + ax2) / 2, rowy(ROWS) - 10, "v");
        DEFAULTTEXT();
        ESHOWMOUSE();
    };
    auto move = [&](int delta) {
        int n = static_cast<int>(list.size());
        pos = std::clamp(pos + delta, 0, n - 1);
        if (pos < top) top = pos;
        if (pos >= top + ROWS) top = pos - ROWS + 1;
    };
    draw();
    ClickWindowsAside aside;
    int answer = -1;
    while (answer < 0) {
        dialog_pass();
        int before = pos, beforetop = top;
        // The pointer moves the highlight only when it moves (or clicks): resting on
        // the list it must not undo the arrow keys.
        const bool moved = MOUSEX != OLDMOUSEX || MOUSEY != OLDMOUSEY;
        if ((moved || LB) && MOUSEX >= lx1 && MOUSEX <= lx2 && MOUSEY >= ly1 && MOUSEY < rowy(ROWS)) {
            int i = top + (MOUSEY - ly1) / 20;
            if (i < static_cast<int>(list.size())) pos = i;
        }
        if (RB) {
            answer = 0;
        } else if (LB && inside(ax1, ly1, ax2, ly1 + 20)) {
            move(-1);
        } else if (LB && inside(ax1, rowy(ROWS) - 20, ax2, rowy(ROWS))) {
            move(1);
        } else if (LB && inside(lx1, dy1, lx2, dy2)) {
            std::string typed = dir;
            GREADLN(lx1 + 6, (dy1 + dy2) / 2, 15, EHIGHCOLOR(0), 8, 22, typed);
            dir = DATEIDIR(typed);
            list = DATEILISTE(dir, m);
            pos = top = 0;
            draw();
            continue;
        } else if (LB || KEY == 13 || KEY == 27) {
            answer = pos;
        } else if (KEY == 0 && KEY2 == 72) {
            move(-1);
        } else if (KEY == 0 && KEY2 == 80) {
            move(1);
        }
        KEY2 = 0;
        if (answer < 0 && (pos != before || top != beforetop)) draw();
    }
    while (LEFTBUTTON() || RIGHTBUTTON()) DELAY(10);
    EMOUSEBORDER(0, 0, EMAXX, EMAXY);
    KEY = 0;
    if (answer <= 0) return {};
    const std::string& name = list[static_cast<std::size_t>(answer)];
    // A file picked in another directory is handed back with that directory.
    return dir == original ? name : dir + name;
}

std::string SAVEDATEINAME(std::string_view name, std::string_view ext, std::string_view title) {
    const int x1 = XMC - 180, x2 = XMC + 180, y1 = EMAXY / 2 - 50, y2 = EMAXY / 2 + 40;
    EHIDEMOUSE();
    HINTERGRUND(x1, y1, x2, y2, 1);
    CENTERTEXTSTYLE();
    ESETCOLOR(14);
    EOUTTEXTXY(XMC, y1 + 20, std::string(title.substr(0, 80)));
    TIEF3D(x1 + 20, y1 + 45, x2 - 20, y1 + 70, 2, 0);
    std::string s(name);
    GREADLN(x1 + 26, y1 + 58, 15, EHIGHCOLOR(0), 8, 36, s);
    ESHOWMOUSE();
    NORMTEXT(s);
    if (s.empty()) return s;
    // Only a plain name: a path could write outside the directory the caller chose.
    if (!PLAINFILENAME(s)) return {};
    if (!ext.empty() && s.find('.') == std::string::npos) s += ext;
    return s;
}

void SHOWGOLD(int x, int y) {
    const std::string text = "Goldbesitz: $" + std::to_string(TEAM.GOLD);
    ESETTEXTSTYLE(3, 0, 3);
    // The box grows with the text it frames (the faces of this program are wider
    // than the box was made for), keeping its place for the justification.
    TEXTSETTINGSTYPE ts;
    EGETTEXTSETTINGS(ts);
    const int w = ETEXTWIDTH(text) + 16;
    int x1 = x - 110, x2 = x + 110;
    if (ts.HORIZ == LEFTTEXT) x2 = std::max(x2, x + w);
    else if (ts.HORIZ == RIGHTTEXT) x1 = std::min(x1, x - w);
    else x1 = std::min(x1, x - w / 2), x2 = std::max(x2, x + w / 2);
    HINTERGRUND(x1, y - 20, x2, y + 10, 5);
    ESETTEXTSTYLE(3, 0, 3);
    ESETCOLOR(14);
    EOUTTEXTXY(x, y + 2, text);
    ESETTEXTSTYLE(0, 0, 2);
}

}  // namespace korax

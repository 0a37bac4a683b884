#include "results/zeitung.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <cstdio>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "platform/dospath.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/infotext.h"
#include "ui/m_graph.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int LINEHEIGHT = 15;
constexpr int HEADLINEEXTRA = 5;
constexpr int INDENT = 80;

// A whole number, or nothing when the text is not one.
bool number_of(std::string_view s, int& n) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool is_pagebreak(std::string_view l) { return l.substr(0, 3) == "#>>"; }

bool shows_picture(char letter) { return std::string_view("HBSMETWCV").find(letter) != std::string_view::npos; }

}  // namespace

int GETNUMMER(std::string& line, int count) {
    std::string digits = line.substr(std::min<std::size_t>(1, line.size()), 1);
    std::size_t cut = 4;
    if (line.size() > 2 && line[2] != ']') {
        digits += line[2];
        cut = 5;
    }
    line.erase(0, std::min(cut, line.size()));
    line.erase(0, line.find_first_not_of(' ') == std::string::npos ? line.size() : line.find_first_not_of(' '));
    int n = 0;
    if (!number_of(digits, n)) return count + 1;
    return n;
}

NEWSDAY LESERUBRIKEN(std::string_view text) {
    NEWSDAY day;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view l = text.substr(pos, end - pos);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        day.lines.emplace_back(l.substr(0, NEWSWIDTH));
        pos = end + 1;
    }
    int r = 0;  // category the lines belong to; 0: none (before the first, or ignored)
    for (std::size_t i = 0; i < day.lines.size(); ++i) {
        const std::string& l = day.lines[i];
        const int lineno = static_cast<int>(i) + 1;
        if (!l.empty() && l.front() == '[') {
            std::string rest = l;
            const int n = GETNUMMER(rest, day.count);
            // Numbers outside the tables would have no button and no colour.
            if (n < 1 || n > NEWSCATEGORIES) {
                r = 0;
                continue;
            }
            ++day.count;
            r = n;
            day.rubrik[r] = NEWSRUBRIK{rest.substr(0, NEWSNAMEWIDTH), lineno, {{}}};
            continue;
        }
        if (r == 0) continue;
        auto& pages = day.rubrik[r].pages;
        if (static_cast<int>(pages.back().size()) == NEWSPAGELINES) pages.emplace_back();
        if (is_pagebreak(l)) pages.emplace_back();
        else pages.back().push_back(lineno);
    }
    return day;
}

int NEWSPAGES(const NEWSDAY& day, int r) {
    if (r < 1 || r > NEWSCATEGORIES || day.rubrik[r].start == 0) return 0;
    return std::min(static_cast<int>(day.rubrik[r].pages.size()), NEWSMAXPAGES);
}

int NEWSBUTTONCOUNT(const NEWSDAY& day) { return std::min(day.count, NEWSBUTTONS); }

std::vector<std::string> NEWSPAGE(const NEWSDAY& day, int r, int p) {
    std::vector<std::string> out;
    if (p < 1 || p > NEWSPAGES(day, r)) return out;
    for (int n : day.rubrik[r].pages[p - 1]) out.push_back(day.lines[n - 1]);
    return out;
}

std::string NEWSHEADING(std::string_view name) {
    std::string s(name);
    const std::size_t slash = s.find('/');
    if (slash != std::string::npos && slash >= 1) s.erase(slash - 1, 2);
    return s;
}

bool ISDIRECTIVE(std::string_view line) {
    return line.size() >= 4 && line[0] == '#' && line[1] == '<' &&
           ((line[2] >= 'A' && line[2] <= 'Z') || (line[2] >= 'a' && line[2] <= 'z')) && line[3] == '>';
}

std::vector<NEWSPIECE> SCHREIBETEILE(std::string_view s, int& colour) {
    std::vector<NEWSPIECE> out;
    bool highlight = false;
    while (true) {
        const std::size_t hat = s.find('^');
        if (hat != 0 && !s.empty()) out.push_back({std::string(s.substr(0, hat)), colour});
        if (hat == std::string_view::npos) break;
        highlight = !highlight;
        colour = highlight ? 9 : 0;
        s.remove_prefix(hat + 1);
    }
    return out;
}

std::vector<NEWSITEM> NEWSLAYOUT(const std::vector<std::string>& lines) {
    std::vector<NEWSITEM> out;
    bool indent = false;
    int dy = 0, colour = 0;
    for (const std::string& l : lines) {
        NEWSITEM it;
        it.dy = dy;
        if (ISDIRECTIVE(l)) {
            it.letter = l[2];
            int n = 0;
            it.number = number_of(trim(std::string_view(l).substr(4)), n) ? n : 0;
            if (shows_picture(it.letter)) {
                it.kind = NEWSKIND::PICTURE;
                indent = true;
            } else {
                it.kind = NEWSKIND::NOTHING;
                indent = false;
                dy += LINEHEIGHT;
            }
            colour = 0;
            out.push_back(std::move(it));
            continue;
        }
        std::string_view shown = l;
        bool plain = true;
        if (!l.empty() && l[0] == '#') {
            it.kind = NEWSKIND::HEADLINE;
            shown.remove_prefix(1);
            colour = 1;
            plain = false;
        } else if (l.size() > 1 && l[0] == '_') {
            indent = false;
            plain = false;
        } else if (l.empty()) {
            indent = false;
        }
        if (indent) {
            it.dx = INDENT;
            shown = shown.substr(0, NEWSINDENT);
        }
        it.pieces = SCHREIBETEILE(shown, colour);
        dy += LINEHEIGHT + (it.kind == NEWSKIND::HEADLINE ? HEADLINEEXTRA : 0);
        if (!plain) colour = 0;
        out.push_back(std::move(it));
    }
    return out;
}

std::string NEWSTEXT(int d) {
    // A read failure ends the text where it happened: what was read is shown.
    std::string text;
    std::FILE* f = std::fopen(HOSTPATH(GAMEDIR + "NEWS." + std::to_string(d)).c_str(), "rb");
    if (!f) return text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    return text;
}

bool FILENEWS(int d) {
    if (d < 1) return false;
    const std::string src = GAMEDIR + "NEWS.TXT";
    const std::string dst = GAMEDIR + "NEWS." + std::to_string(d);
    // A directory of that name cannot take the news; NEWS.TXT then stays as it is.
    std::error_code ec;
    if (!FILECHECK(src) || std::filesystem::is_directory(HOSTPATH(dst), ec)) return false;
    return MOVEFILE(src, dst);
}

namespace {

// The page and where it stands on the screen.
struct PAPER {
    int x1, y1, x2, y2;
};

PAPER paper() { return {XM1 + 5, 87, XM2 - 120, YM2 - 80}; }

void draw_pieces(int x, int y, const std::vector<NEWSPIECE>& pieces, int right) {
    for (const auto& p : pieces) {
        std::string t = p.text;
        // A wide headline stops at the paper's edge rather than run over the buttons.
        while (!t.empty() && x + ETEXTWIDTH(t) > right) t.pop_back();
        ESETCOLOR(p.colour);
        EOUTTEXTXY(x, y, t);
        x += ETEXTWIDTH(t);
        if (t.size() < p.text.size()) break;
    }
}

void race_icon(const PAPER& pp, char letter, int colour) {
    const int race = static_cast<int>(std::string_view("HBSME").find(letter)) + 1;
    ICONREC icon{};
    // Icon codes 12, 14, .., 20: the five races' second weakened look.
    if (!READICONTOL(GETICONNAME(10 + 2 * race), icon)) return;
    CHANGEICON(icon, 15, colour);
    SHOWICONX(icon, pp.x1 + 10, pp.y1 + 65, false, 2);
}

void picture(const PAPER& pp, const NEWSITEM& it, int y) {
    const int n = it.number;
    switch (it.letter) {
        case 'H': case 'B': case 'S': case 'M': case 'E':
            if (n >= 0 && n <= 255) race_icon(pp, it.letter, n);
            break;
        case 'T':
            if (n < 0 || n > 255) break;
            if (!SHOWPCX(pp.x1 + 10, y - 9, "TRIKOT.PCX")) break;
            ESETFILLSTYLE(1, n);
            EFLOODFILLX(pp.x1 + 40, y + 15, 15);
            ESETFILLSTYLE(1, 8);
            EFLOODFILLX(pp.x1 + 20, y + 5, 15);
            break;
        case 'W':
            if (n >= 0) SHOWPCX(pp.x1 + 10, y, GAMEDIR + "TEAM" + std::to_string(n) + ".PCX");
            break;
        case 'C':
            if (n >= 0) SHOWPCX(pp.x1 + 15, y - 10, "WOLKE" + std::to_string(n) + ".PCX");
            break;
        case 'V': SHOWPCX(pp.x1 + 10, y - 10, "GEIER.PCX"); break;
        default: break;
    }
}

void SHOWNEWS(const PAPER& pp, const NEWSDAY& day, int r, int page) {
    const int x = pp.x1 + 10, y = pp.y1 + 70;
    DEFAULTTEXT2();
    for (const NEWSITEM& it : NEWSLAYOUT(NEWSPAGE(day, r, page))) {
        if (it.kind == NEWSKIND::PICTURE) picture(pp, it, y + it.dy);
        if (it.kind == NEWSKIND::HEADLINE) ESETTEXTSTYLE(2, 0, 3);
        draw_pieces(x + it.dx, y + it.dy, it.pieces, pp.x2 - 5);
        if (it.kind != NEWSKIND::TEXT) DEFAULTTEXT2();
    }
}

// Text centred in a small button, whose title FENSTER would set too low.
void button_text(int x1, int y1, int x2, int y2, int fill, const std::string& s) {
    CENTERTEXTSTYLE();
    ESETCOLOR(TITLECOLOUR(fill));
    // The glyphs of the centred style stand a little above the given point.
    EOUTTEXTXY((x1 + x2) / 2, (y1 + y2) / 2 + 5, s);
    DEFAULTTEXT();
}

std::string heading(int d) {
    return d == SPIELTAG() ? L[120].str() : L[505].str() + ": " + std::to_string(d) + " " + L[11].str();
}

struct NEWSSTATE {
    int d = 1;
    int rubrik = 1;
    int page = 1;
    NEWSDAY day;
};

void AUFBAU(const NEWSSTATE& s) {
    const PAPER pp = paper();
    EHIDEMOUSE();
    CLEAROBERFLAECHE();
    HEADER(heading(s.d));
    REFRESHFENSTER();
    for (int off : {6, 4, 2, 0}) {
        ESETFILLSTYLE(1, 15);
        EBAR(pp.x1 + off, pp.y1 + off, pp.x2 + off, pp.y2 + off);
        ESETCOLOR(0);
        ERECTANGLE(pp.x1 + off, pp.y1 + off, pp.x2 + off, pp.y2 + off);
    }
    const int buttons = NEWSBUTTONCOUNT(s.day);
    for (int i = 1; i <= buttons; ++i) {
        const int y = pp.y1 + 4 + 48 * (i - 1);
        FENSTER(i + 9, pp.x2 + 11, y, XM2 - 5, y + 40, s.day.rubrik[i].name, i == s.rubrik ? 2 : 1, VC[i]);
    }
    ESETFILLSTYLE(1, SCREEN);
    EBAR(pp.x1 + 25, pp.y2 + 10, pp.x1 + 300, pp.y2 + 40);
    if (buttons > 0) {
        for (int p = 1; p <= NEWSPAGES(s.day, s.rubrik); ++p) {
            const int x = pp.x1 + 30 * (p - 1), y = pp.y2 + 15, fill = p == s.page ? 8 : 7;
            FENSTER(p, x, y, x + 20, y + 20, "", -4, fill);
            button_text(x, y, x + 20, y + 20, fill, std::to_string(p));
        }
        ESETTEXTSTYLE(0, 0, 3);
        ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
        ESETCOLOR(4);
        EOUTTEXTXY(pp.x1 + (pp.x2 - pp.x1) / 2, pp.y1 + 30, NEWSHEADING(s.day.rubrik[s.rubrik].name));
        DEFAULTTEXT2();
        SHOWNEWS(pp, s.day, s.rubrik, s.page);
    }
    const int m = pp.x1 + (pp.x2 - pp.x1) / 2;
    ESETFILLSTYLE(1, SCREEN);
    EBAR(m - 110, YM2 - 32, m + 110, YM2 - 8);
    if (s.d > 1) {
        FENSTER(19, m - 100, YM2 - 30, m - 10, YM2 - 10, "", -1, 9);
        button_text(m - 100, YM2 - 30, m - 10, YM2 - 10, 9, L[505].str() + " -");
    }
    if (s.d < SPIELTAG()) {
        FENSTER(20, m + 10, YM2 - 30, m + 100, YM2 - 10, "", -1, 9);
        button_text(m + 10, YM2 - 30, m + 100, YM2 - 10, 9, L[505].str() + " +");
    }
    DEFAULTTEXT();
    ESHOWMOUSE();
}

void load_day(NEWSSTATE& s) {
    s.page = 1;
    HEADER(heading(s.d));
    s.day = LESERUBRIKEN(NEWSTEXT(s.d));
    const int buttons = NEWSBUTTONCOUNT(s.day);
    if (buttons > 0 && s.rubrik > buttons) s.rubrik = buttons;
    if (buttons == 0) MELDUNG(NUMSTR(L[442].str(), s.d));
}

void recolour_races(int from, int to) {
    for (int r = 1; r <= 5; ++r) CHANGEICON(ICONRACE[r], from, to);
}

}  // namespace

void SCHREIBE(int x, int y, std::string_view s) {
    int colour = EGETCOLOR();
    draw_pieces(x, y, SCHREIBETEILE(s.substr(0, NEWSWIDTH), colour), EGETMAXX());
    ESETCOLOR(colour);
}

void ZEITUNG() {
    TIPSCREEN(120);
    CLEAROBERFLAECHE();
    if (GEN.TURN <= 0) {
        HEADER(L[120].str());
        INFOTEXT(L[120].str() + L[279].str());
        return;
    }
    recolour_races(15, 1);
    recolour_races(3, 251);
    NEWSSTATE s;
    s.d = SPIELTAG();
    FILENEWS(s.d);
    load_day(s);
    AUFBAU(s);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        const int buttons = NEWSBUTTONCOUNT(s.day);
        if (KEY == '0') {
            HELP(120);
        } else if (KEY >= '1' && KEY <= '9' && buttons > 0) {
            s.page = KEY - '0';
            if (NEWSPAGES(s.day, s.rubrik) < s.page) s.page = 1;
        } else if (KEY >= 'A' && KEY <= 'I' && buttons > 0) {
            s.rubrik = std::min(KEY - 64, buttons);
            s.page = 1;
        } else if (KEY == 'J' && s.d > 1) {
            --s.d;
            load_day(s);
        } else if (KEY == 'K' && s.d < SPIELTAG()) {
            ++s.d;
            load_day(s);
        } else {
            continue;
        }
        AUFBAU(s);
    }
    // "R" leaves like Escape; in the menu loop it would end the program.
    if (KEY == 'R') KEY = 27;
    recolour_races(251, 3);
}

}  // namespace korax

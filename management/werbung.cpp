// Advertising (119): the trainer applies for at most two free contracts; the game
// master awards them. The team record is written on leaving.
#include "management/werbung.h"

#include <sys/stat.h>

#include <fstream>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "management/mscreen.h"
#include "management/screens.h"
#include "platform/dospath.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/infotext.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr std::size_t NAMELEN = 20;
constexpr std::size_t MAXNAMES = 255;
const char* const NOTION = "NOTION.CFG";

}  // namespace

std::vector<std::string> PARSENOTION(std::string_view text) {
    std::vector<std::string> names;
    while (!text.empty() && names.size() < MAXNAMES) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        names.emplace_back(line.substr(0, NAMELEN));
    }
    return names;
}

std::vector<std::string> READNOTION() {
    const std::string path = HOSTPATH(NOTION);
    std::ifstream f(path, std::ios::binary);
    if (!f) ERROR(1, NOTION);
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ERROR(2, NOTION);
    // Only the first lines can be named by a contract; the rest is not read.
    std::string text;
    std::string line;
    std::size_t lines = 0;
    while (lines < MAXNAMES && std::getline(f, line)) {
        text += line.substr(0, NAMELEN + 1) + "\n";
        ++lines;
    }
    if (f.bad()) ERROR(2, NOTION);
    return PARSENOTION(text);
}

std::string NOTIONNAME(const std::vector<std::string>& names, int n) {
    if (n < 1 || static_cast<std::size_t>(n) > names.size()) return "";
    return names[static_cast<std::size_t>(n - 1)];
}

bool WERBHELD(const WERBREC& w) { return w.TEAM != 0; }

bool WERBCLEAN(TEAMREC& t, const GENTYPE& g) {
    bool changed = false;
    for (std::uint8_t* a : {&t.WERB1, &t.WERB2}) {
        if (*a == 0) continue;
        if (*a > 10 || WERBHELD(g.WERBUNG[*a])) {
            *a = 0;
            changed = true;
        }
    }
    return changed;
}

bool WERBKEY(TEAMREC& t, const GENTYPE& g, int w) {
    if (w < 1 || w > 10 || WERBHELD(g.WERBUNG[w])) return false;
    if (w == t.WERB1) t.WERB1 = 0;
    else if (w == t.WERB2) t.WERB2 = 0;
    else if (t.WERB1 > 0) t.WERB2 = static_cast<std::uint8_t>(w);
    else t.WERB1 = static_cast<std::uint8_t>(w);
    return true;
}

namespace {

constexpr int TOP = 120;
constexpr int ROW = 44;

// Column starts: name, duration, per match, per win, status window.
struct COLUMNS {
    int name, dauer, spiel, sieg, team, end;
};
COLUMNS columns() {
    const int w = XM2 - XM1;
    return {XM1 + 20, XM1 + 20 + w * 28 / 100, XM1 + 20 + w * 38 / 100, XM1 + 20 + w * 50 / 100,
            XM1 + 20 + w * 62 / 100, XM2 - 20};
}

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

std::string gold(int v) { return v == 0 ? "-" : "$" + std::to_string(v); }

void status(int w, const COLUMNS& c, int y) {
    const WERBREC& r = GEN.WERBUNG[w];
    std::string title;
    int colour = 7;
    if (WERBHELD(r)) {
        const int team = r.TEAM;
        const bool valid = team >= 1 && team <= 10;
        title = valid ? TEAMNAME[team].str() + " (" + std::to_string(TABPLATZ(team)) + ")" : "";
        colour = team == NUMMER ? 13 : 8;
    } else if (w == TEAM.WERB1) {
        title = L[325].str();
        colour = 2;
    } else if (w == TEAM.WERB2) {
        title = L[326].str();
        colour = 2;
    } else {
        title = L[327].str();
    }
    // A name of slashes must not split the title.
    FENSTER(w, c.team, y + 2, c.end, y + ROW - 4, NOLINEBREAKS(title), -3, colour);
}

void aufbau(const std::vector<std::string>& names) {
    EHIDEMOUSE();
    CLEAROBERFLAECHE();
    HEADER(L[119].str());
    REFRESHFENSTER();
    const COLUMNS c = columns();
    DEFAULTTEXT2();
    text(c.name, TOP, 14, L[321].str());
    text(c.dauer, TOP, 14, L[322].str());
    text(c.spiel, TOP, 14, L[323].str());
    text(c.sieg, TOP, 14, L[324].str());
    text(c.team, TOP, 14, "Team");
    for (int w = 1; w <= 10; ++w) {
        const WERBREC& r = GEN.WERBUNG[w];
        const int y = TOP + 20 + ROW * (w - 1);
        ESETCOLOR(8);
        ELINE(c.name, y, c.end, y);
        DEFAULTTEXT2();
        const int mid = y + ROW / 2;
        text(c.name, mid, 15, NOTIONNAME(names, r.INUSE));
        text(c.dauer, mid, 15, std::to_string(r.DAUER));
        text(c.spiel, mid, 15, gold(r.PROSPIEL));
        text(c.sieg, mid, 15, gold(r.PROSIEG));
        status(w, c, y);
    }
    DEFAULTTEXT2();
    text(c.name, TOP + 20 + ROW * 10 + 20, 15, "(*) " + L[601].str());
    DEFAULTTEXT();
    ESHOWMOUSE();
}

}  // namespace

void WERBUNG() {
    TIPSCREEN(119);
    if (LASTDAY) {
        CLEAROBERFLAECHE();
        HEADER(L[119].str());
        INFOTEXT(L[421].str());
        return;
    }
    const std::vector<std::string> names = READNOTION();
    bool changed = WERBCLEAN(TEAM, GEN);
    aufbau(names);
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
        } else if (KEY == '0') {
            HELP(119);
            aufbau(names);
        } else {
            const int w = (KEY >= '1' && KEY <= '9') ? KEY - '0' : KEY == 'A' ? 10 : 0;
            if (w > 0 && WERBKEY(TEAM, GEN, w)) {
                changed = true;
                aufbau(names);
            }
        }
    }
    LEAVESCREEN(119, changed);
}

}  // namespace korax

// The game list: GAMES.INI and the chooser's logic.
#include <algorithm>

#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "platform/dospath.h"

namespace korax {

std::array<GAMESTYPE, MAXGAMES + 1> GAMES{};
int GAMESANZ = 0;
bool AENDERUNG = false;
std::vector<std::string> GAMESREST;
std::vector<std::string> GAMESMORE;
std::vector<std::string> GAMESREFUSED;

namespace {

// Line end of the GAMES.INI last read, so that a rewrite keeps the file's style.
std::string gameseol = "\n";

std::string trim_blanks(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ') ++a;
    while (b > a && s[b - 1] == ' ') --b;
    return std::string(s.substr(a, b - a));
}

std::string eol_of(std::string_view text) {
    auto nl = text.find('\n');
    if (nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r') return "\r\n";
    return "\n";
}

bool listed(std::string_view name) {
    std::string up = UPCASE(name);
    for (int i = 1; i <= GAMESANZ; ++i)
        if (GAMES[i].NAME.str() == up) return true;
    return false;
}

}  // namespace

void CLEARGAMES() {
    GAMES.fill(GAMESTYPE{});
    GAMES[0].NAME.set(L[8].str());
    GAMESANZ = 0;
    AENDERUNG = false;
    GAMESREST.clear();
    GAMESMORE.clear();
    GAMESREFUSED.clear();
    gameseol = "\n";
}

GAMESLINE PARSEGAMESLINE(std::string_view line) {
    GAMESLINE g;
    std::string s = trim_blanks(line.substr(0, line.find(';')));
    auto comma = s.find(',');
    // A name must stand before the comma; otherwise the line is not a game.
    if (s.empty() || comma == std::string::npos || comma == 0) return g;
    g.entry = true;
    std::string name = trim_blanks(std::string_view(s).substr(0, comma));
    if (name.size() > 1 && (name.back() == '\\' || name.back() == '/')) name.pop_back();
    g.path = name == ".." || name.find_first_of("\\/:") != std::string::npos;
    g.name = UPCASE(trim_blanks(std::string_view(name).substr(0, std::min<std::size_t>(name.size(), MAXDIRNAME))));
    std::string_view rest = std::string_view(s).substr(comma + 1);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    g.beschreib = std::string(rest);
    return g;
}

void PARSEGAMESINI(std::string_view text) {
    CLEARGAMES();
    gameseol = eol_of(text);
    std::size_t at = 0;
    int number = 0;
    while (at < text.size()) {
        ++number;
        std::size_t nl = text.find('\n', at);
        std::string_view line = text.substr(at, nl == std::string_view::npos ? std::string_view::npos : nl - at);
        at = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        GAMESLINE g = PARSEGAMESLINE(line);
        if (!g.entry) {
            GAMESREST.emplace_back(line);
        } else if (g.path) {
            // Never entered or created; the line stays for the trainer to mend.
            GAMESREST.emplace_back(line);
            GAMESREFUSED.push_back("line " + std::to_string(number) + ": " + std::string(line));
        } else if (listed(g.name) || !SAFENAME(g.name, MAXDIRNAME, true)) {
            AENDERUNG = true;
        } else if (GAMESANZ == MAXGAMES) {
            // Kept in the file unchanged, so a rewrite never loses a game.
            GAMESMORE.emplace_back(line);
        } else if (CANCHDIR(g.name)) {
            ++GAMESANZ;
            GAMES[GAMESANZ].NAME.set(g.name);
            GAMES[GAMESANZ].BESCHREIB.set(g.beschreib);
        } else {
            AENDERUNG = true;
        }
    }
}

void READGAMESINI() {
    std::string text;
    if (!READWHOLEFILE("GAMES.INI", text)) ERROR(1, " GAMES.INI");
    PARSEGAMESINI(text);
}

std::string GAMESINITEXT(std::string_view eol) {
    std::string out;
    for (const auto& r : GAMESREST) {
        out += r;
        out += eol;
    }
    for (int i = 1; i <= GAMESANZ; ++i) {
        out += GAMES[i].NAME.str();
        out += ", ";
        out += GAMES[i].BESCHREIB.str();
        out += eol;
    }
    for (const auto& r : GAMESMORE) {
        out += r;
        out += eol;
    }
    return out;
}

void WRITEGAMESINI() { REWRITEFILE("GAMES.INI", GAMESINITEXT(gameseol), 1, 5, 9); }

void APPENDGAMESINI(std::string_view line) {
    std::string text;
    if (!READWHOLEFILE("GAMES.INI", text)) ERROR(1, "GAMES.INI");
    std::string eol = eol_of(text);
    if (!text.empty() && text.back() != '\n') text += eol;
    text += line;
    text += eol;
    REWRITEFILE("GAMES.INI", text, 1, 5, 9);
}

// ---- the chooser's logic ---------------------------------------------------

void GAMELISTMOVE(GAMELISTVIEW& v, int delta) {
    v.pos = std::clamp(v.pos + delta, 0, GAMESANZ);
    int count = GAMESANZ + 1;
    if (v.pos < v.top) v.top = v.pos;
    if (v.pos >= v.top + GAMELISTROWS) v.top = v.pos - GAMELISTROWS + 1;
    v.top = std::clamp(v.top, 0, std::max(0, count - GAMELISTROWS));
}

bool GAMELISTINSERT(GAMELISTVIEW& v, std::string_view typed) {
    std::string name = UPCASE(trim_blanks(typed));
    // Only plain names: anything else would be refused when GAMES.INI is read again.
    auto plain = SAFENAME(name, MAXDIRNAME, true);
    if (!plain || *plain != name) return false;
    if (listed(name) || GAMESANZ >= MAXGAMES) return false;
    std::string dir = name;
    INITDIR(dir);
    ++GAMESANZ;
    GAMES[GAMESANZ].NAME.set(name);
    GAMES[GAMESANZ].BESCHREIB.set("");
    AENDERUNG = true;
    GAMELISTMOVE(v, GAMESANZ - v.pos);
    return true;
}

bool GAMELISTDELETE(GAMELISTVIEW& v) {
    if (v.pos < 1 || v.pos > GAMESANZ) return false;
    for (int i = v.pos; i < GAMESANZ; ++i) GAMES[i] = GAMES[i + 1];
    GAMES[GAMESANZ] = GAMESTYPE{};
    --GAMESANZ;
    AENDERUNG = true;
    GAMELISTMOVE(v, 0);
    return true;
}

bool GAMELISTDESCRIBE(const GAMELISTVIEW& v, std::string_view text) {
    if (v.pos < 1 || v.pos > GAMESANZ) return false;
    GAMES[v.pos].BESCHREIB.set(text);
    AENDERUNG = true;
    return true;
}

std::string GAMELISTRESULT(int pos) {
    if (pos < 1 || pos > GAMESANZ) return {};
    return GAMES[pos].NAME.str();
}

}  // namespace korax

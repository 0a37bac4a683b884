#include "data/lg.h"

#include <SDL2/SDL_messagebox.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>
#include <algorithm>
#include <sstream>

#include "platform/cp437.h"
#include "platform/dospath.h"

namespace korax {

std::array<STRING70, 701> L{};
std::uint8_t LGNR = 0;
PSTRING<3> LEXT = PSTRING<3>::of("ENG");
STRING8 LONG{};
STRING12 NAME{};
std::uint16_t VERLG = 0;
int MAXLG = 0;
namespace lg {
int LINE = 0;
}

namespace {

// Splits text into lines; "\r\n" and "\n" both end a line, a last line without end counts.
std::vector<std::string_view> split_lines(std::string_view data) {
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t nl = data.find('\n', pos);
        std::size_t end = nl == std::string_view::npos ? data.size() : nl;
        std::string_view line = data.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.push_back(line);
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    return out;
}

bool all_digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Unsigned decimal number of at most `limit`; false when the text is no such number.
bool read_unsigned(std::string_view s, unsigned long limit, unsigned long& out) {
    if (!all_digits(s) || s.size() > 9) return false;
    out = std::stoul(std::string(s));
    return out <= limit;
}

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool read_file(const std::string& dosname, std::string& out) {
    std::ifstream f(HOSTPATH(dosname), std::ios::binary);
    if (!f) return false;
    std::ostringstream ss;
    ss << f.rdbuf();
    if (f.bad()) return false;
    out = ss.str();
    return true;
}

}  // namespace

int PARSE_LANGUAGE_CFG(std::string_view data, std::uint8_t& nr, std::string& ext) {
    auto lines = split_lines(data);
    unsigned long v = 0;
    if (lines.empty() || !read_unsigned(trim_blanks(lines[0]), 255, v)) return 1;
    nr = static_cast<std::uint8_t>(v);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.size() <= 8) continue;
        std::string num(line.substr(0, 2));
        if (num[1] == ' ') num.resize(1);
        unsigned long n = 0;
        if (!read_unsigned(num, 255, n) || n != nr) continue;
        std::string_view e = line.substr(3, 3);
        // The extension becomes part of a file name: letters and digits only.
        bool plain = true;
        for (char c : e)
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) plain = false;
        if (!plain) continue;
        ext = std::string(e);
        return 0;
    }
    return 5;
}

int PARSE_LG(std::string_view data, std::string_view name, std::uint16_t version,
             std::array<STRING70, 701>& table, int& line, std::uint16_t& verlg, int& maxlg) {
    // A file the trainer saved from a Linux editor may come back in UTF-8.
    std::string converted;
    if (LOOKS_LIKE_UTF8(data)) {
        converted = UTF8_TO_CP437(data);
        data = converted;
    }
    for (auto& e : table) e.set("");
    verlg = 0;
    maxlg = 0;
    line = 1;
    auto lines = split_lines(data);
    if (lines.empty()) return 3;
    std::string_view head = lines[0];
    std::size_t blank = head.find(' ');
    if (blank == std::string_view::npos || blank == 0) return 3;
    if (head.substr(0, blank) != name) return 6;
    std::string_view rest = head.substr(blank);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    unsigned long v = 0;
    if (!read_unsigned(trim_blanks(rest), 65535, v)) return 4;
    verlg = static_cast<std::uint16_t>(v);
    if (verlg < version) return 7;

    for (std::size_t i = 1; i < lines.size(); ++i) {
        line = static_cast<int>(i) + 1;
        std::string_view s = lines[i];
        if (s.empty() || s.front() == '-') continue;
        std::size_t eq = s.find('=');
        if (eq == std::string_view::npos || eq == 0) return 4;
        // More than three characters would silently store under a cut number.
        if (eq > 3) return 4;
        unsigned long nr = 0;
        if (!read_unsigned(s.substr(0, eq), 999, nr)) return 4;
        std::string_view text = s.substr(eq + 1);
        unsigned long max = 70;
        std::size_t bar = text.find('|');
        if (bar != std::string_view::npos) {
            if (!read_unsigned(text.substr(bar + 1, 3), 999, max)) return 8;
            text = text.substr(0, bar);
        }
        if (text.size() > max) return 8;
        maxlg = std::max(maxlg, static_cast<int>(nr));
        if (nr > 700) return 9;
        table[nr].set(text);
    }
    return 0;
}

std::string LG_MESSAGE(int nr) {
    const std::string name = NAME.str();
    const std::string line = std::to_string(lg::LINE);
    switch (nr) {
    case 1: return "Open LANGUAGE.CFG";
    case 2: return "Open " + name;
    case 3: return "Reading " + name + ", Line " + line;
    case 4: return "Fileformat " + name + ", Line " + line;
    case 5: return "Fileformat LANGUAGE.CFG, Entry \"" + LONG.str() + "\" not found";
    case 6: return "Fileformat " + name + ", Entry \"" + LONG.str() + "\" don't match";
    case 7: {
        char v[16];
        std::snprintf(v, sizeof v, "%u.%02u", VERLG / 100u, VERLG % 100u);
        return "File " + name + ", Version " + v + " is obsolete";
    }
    case 8: return "Fileformat " + name + ", Stringlength in Line " + line;
    case 9: return "Reading " + name + ", too much entries, Line " + line;
    case 10: return "Not enough memory";
    default: return "Unknown failure";
    }
}

void CONSOLE_MESSAGE(const std::string& title, const std::string& text) {
    std::string shown = CP437_TO_UTF8(text);
    std::fputs(shown.c_str(), stderr);
    std::fflush(stderr);
    const char* video = std::getenv("KORAX_VIDEO");
    bool headless = video && std::string_view(video) == "headless";
    bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    // Started from a desktop there is no console to read: the box is the key wait.
    if (!headless && display)
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), shown.c_str(), nullptr);
}

void ERROR_LG(int nr) {
    std::string msg = "\nError " + std::to_string(nr) + " Language-File :\n" + LG_MESSAGE(nr) +
                      "\nTo change Language -> edit LANGUAGE.CFG in the program directory (first line: number of a listed language)\n";
    CONSOLE_MESSAGE("Korax Manager", msg);
    throw ReportedStop(1, LG_MESSAGE(nr));
}

void READ_LG(std::string_view name, std::uint16_t version) {
    std::string cfg;
    if (!read_file("LANGUAGE.CFG", cfg)) ERROR_LG(1);
    LONG.set(name);
    LEXT.set("ENG");
    std::string ext;
    std::uint8_t nr = 0;
    int rc = PARSE_LANGUAGE_CFG(cfg, nr, ext);
    LGNR = nr;
    if (rc != 0) ERROR_LG(rc);
    LEXT.set(ext);
    NAME.set(std::string(name) + "." + LEXT.str());
    lg::LINE = 1;
    std::string data;
    if (!read_file(NAME.str(), data)) ERROR_LG(2);
    // Built aside so that a failed read never leaves a half-filled table.
    static std::array<STRING70, 701> fresh;
    int line = 1;
    std::uint16_t verlg = 0;
    int maxlg = 0;
    rc = PARSE_LG(data, name, version, fresh, line, verlg, maxlg);
    lg::LINE = line;
    VERLG = verlg;
    MAXLG = maxlg;
    if (rc != 0) ERROR_LG(rc);
    L = fresh;
}

}  // namespace korax

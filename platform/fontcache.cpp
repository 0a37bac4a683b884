#include "platform/fontcache.h"

#include <sys/stat.h>

#include <cstdlib>
#include <limits>

namespace korax {

namespace {

constexpr std::string_view HEADER = "KXFONTS 1";
constexpr std::size_t MAXENTRIES = 8192;

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> f;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string_view::npos; from = tab + 1)
        f.push_back(line.substr(from, tab - from));
    f.push_back(line.substr(from));
    return f;
}

bool number(std::string_view s, long long& out) {
    if (s == "-1") {
        out = -1;
        return true;
    }
    if (s.empty() || s.size() > 19) return false;
    out = 0;
    for (char c : s) {
        if (c < '0' || c > '9' || out > (std::numeric_limits<long long>::max() - (c - '0')) / 10) return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

bool plain(const std::string& s) { return s.find_first_of("\t\n") == std::string::npos; }

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

namespace {

bool parse(std::string_view text, FONTCACHE& out) {
    if (text.empty() || text.back() != '\n') return false;
    text.remove_suffix(1);
    std::size_t line_no = 0, from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(from, end - from);
        from = end + 1;
        if (line_no++ == 0) {
            if (line != HEADER) return false;
            continue;
        }
        if (out.stamps.size() + out.answers.size() >= MAXENTRIES) return false;
        const std::vector<std::string_view> f = fields(line);
        if (line_no == 2) {
            if (f.size() < 1 || f[0] != "E" || line.size() < 2) return false;
            out.env = std::string(line.substr(2));
            continue;
        }
        if (f[0] == "S" && f.size() == 4 && out.answers.empty()) {
            FONTSTAMP s;
            if (!number(f[1], s.mtime) || !number(f[2], s.size) || f[3].empty() || f[3][0] != '/') return false;
            s.path = std::string(f[3]);
            out.stamps.push_back(std::move(s));
        } else if (f[0] == "M" && f.size() == 4 && !f[1].empty()) {
            out.answers.push_back({std::string(f[1]), std::string(f[2]), std::string(f[3])});
        } else {
            return false;
        }
    }
    return line_no >= 2;
}

}  // namespace

bool PARSEFONTCACHE(std::string_view text, FONTCACHE& out) {
    FONTCACHE c;
    const bool ok = parse(text, c);
    out = ok ? std::move(c) : FONTCACHE{};
    return ok;
}

std::string FORMATFONTCACHE(const FONTCACHE& cache) {
    if (cache.env.find('\n') != std::string::npos) return "";
    std::string t = std::string(HEADER) + "\nE\t" + cache.env + "\n";
    for (const FONTSTAMP& s : cache.stamps) {
        if (!plain(s.path) || s.path.empty() || s.path[0] != '/') return "";
        t += "S\t" + std::to_string(s.mtime < 0 ? -1 : s.mtime) + "\t" + std::to_string(s.size < 0 ? -1 : s.size) +
             "\t" + s.path + "\n";
    }
    for (const FONTANSWER& a : cache.answers) {
        if (a.request.empty() || !plain(a.request) || !plain(a.file) || !plain(a.family)) return "";
        t += "M\t" + a.request + "\t" + a.file + "\t" + a.family + "\n";
    }
    return t;
}

FONTSTAMP STAMPOF(const std::string& path) {
    FONTSTAMP s;
    s.path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        s.mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        s.size = static_cast<long long>(st.st_size);
    }
    return s;
}

std::string FONTENV() {
    std::string line;
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CONFIG_HOME",
                             "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        line += std::string(name) + "=" + env(name) + "\t";
    return line;
}

std::vector<std::string> USERFONTPLACES() {
    const std::string home = env("HOME");
    const std::string config = env("XDG_CONFIG_HOME").empty() ? home + "/.config" : env("XDG_CONFIG_HOME");
    const std::string data = env("XDG_DATA_HOME").empty() ? home + "/.local/share" : env("XDG_DATA_HOME");
    std::vector<std::string> places = {config + "/fontconfig", config + "/fontconfig/conf.d",
                                       config + "/fontconfig/fonts.conf", data + "/fonts"};
    if (!home.empty())
        for (const char* p : {"/.fonts", "/.fonts.conf", "/.fonts.conf.d"}) places.push_back(home + p);
    return places;
}

bool FONTCACHECURRENT(const FONTCACHE& cache) {
    if (cache.env != FONTENV()) return false;
    for (const FONTSTAMP& s : cache.stamps) {
        const FONTSTAMP now = STAMPOF(s.path);
        if (now.mtime != s.mtime || now.size != s.size) return false;
    }
    return true;
}

}  // namespace korax

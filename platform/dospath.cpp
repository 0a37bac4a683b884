#include "platform/dospath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace korax {

namespace {

unsigned char up(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x84: return 0x8E;  // ä
        case 0x94: return 0x99;  // ö
        case 0x81: return 0x9A;  // ü
        default: return c;
    }
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (up(static_cast<unsigned char>(a[i])) != up(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool exists(const std::string& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

// The real spelling of `name` inside directory `dir`, or empty when none.
std::string find_entry(const std::string& dir, std::string_view name) {
    // The exact spelling wins anyway; finding it needs no directory scan.
    std::string exact = dir.empty() ? std::string(name) : dir + (dir.back() == '/' ? "" : "/") + std::string(name);
    if (exists(exact)) return std::string(name);
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string found;
    while (dirent* e = ::readdir(d)) {
        std::string_view n = e->d_name;
        if (n == name) { found = n; break; }
        if (found.empty() && same_name(n, name)) found = n;
    }
    ::closedir(d);
    return found;
}

bool glob(std::string_view m, std::string_view n) {
    std::size_t mi = 0, ni = 0, star = std::string_view::npos, mark = 0;
    while (ni < n.size()) {
        if (mi < m.size() && (m[mi] == '?' || up(m[mi]) == up(n[ni]))) {
            ++mi, ++ni;
        } else if (mi < m.size() && m[mi] == '*') {
            star = mi++;
            mark = ni;
        } else if (star != std::string_view::npos) {
            mi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (mi < m.size() && m[mi] == '*') ++mi;
    return mi == m.size();
}

}  // namespace

std::string UPCASE(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = static_cast<char>(up(static_cast<unsigned char>(c)));
    return r;
}

std::string HOSTPATH(std::string_view dosname) {
    if (dosname.empty()) return ".";
    std::string path;
    std::size_t i = 0;
    if (dosname[0] == '/' || dosname[0] == '\\') {
        path = "/";
        i = 1;
    }
    bool resolving = true;
    bool trailing = false;
    while (i < dosname.size()) {
        std::size_t j = dosname.find_first_of("/\\", i);
        if (j == std::string_view::npos) j = dosname.size();
        std::string_view comp = dosname.substr(i, j - i);
        trailing = j < dosname.size();
        i = j + 1;
        if (comp.empty()) continue;
        std::string name(comp);
        if (resolving && comp != "." && comp != "..") {
            std::string real = find_entry(path, comp);
            if (real.empty()) resolving = false;
            else name = real;
        }
        if (!path.empty() && path.back() != '/') path += '/';
        path += name;
        if (resolving && !exists(path)) resolving = false;
    }
    if (path.empty()) path = ".";
    if (trailing && path.back() != '/') path += '/';
    return path;
}

bool DOSMATCH(std::string_view mask, std::string_view name) {
    if (mask == "*.*" || mask == "*") return true;
    // "NAME.*" matches "NAME" too, as DOS did.
    if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" && name.find('.') == std::string_view::npos)
        return glob(mask.substr(0, mask.size() - 2), name);
    return glob(mask, name);
}

std::vector<std::string> FINDFILES(std::string_view dosdir, std::string_view mask) {
    std::vector<std::string> out;
    std::string dir = HOSTPATH(dosdir.empty() ? std::string_view(".") : dosdir);
    DIR* d = ::opendir(dir.c_str());
    if (!d) return out;
    while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        struct stat st;
        std::string full = dir + (dir.back() == '/' ? "" : "/") + n;
        if (::stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (DOSMATCH(mask, n)) out.push_back(n);
    }
    ::closedir(d);
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
        return UPCASE(a) < UPCASE(b);
    });
    return out;
}

}  // namespace korax

#include "data/g_tools.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/g_types.h"
#include "platform/dospath.h"

namespace korax {

std::array<std::uint8_t, BUFFERSIZE> BUFFER{};

namespace {

bool is_sep(char c) { return c == '\\' || c == '/'; }

// Host spelling of a DOS-style name; a trailing separator is dropped so that the
// result can be handed to stat, open and mkdir.
std::string host(std::string_view dosname) {
    std::string h = HOSTPATH(dosname);
    while (h.size() > 1 && h.back() == '/') h.pop_back();
    return h;
}

bool stat_of(const std::string& hostname, struct stat& st) { return ::stat(hostname.c_str(), &st) == 0; }

bool is_dir(const std::string& hostname) {
    struct stat st;
    return stat_of(hostname, st) && S_ISDIR(st.st_mode);
}

mode_t current_umask() {
    mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

// Opens a file for reading that is not a directory; -1 otherwise.
int open_read(const std::string& hostname) {
    int fd = ::open(hostname.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool write_all(int fd, const void* data, std::size_t size) {
    auto p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

ssize_t read_some(int fd, void* data, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        return n;
    }
}

std::string dir_of(const std::string& hostname) {
    auto slash = hostname.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return hostname.substr(0, slash);
}

std::string base_of(const std::string& hostname) {
    auto slash = hostname.rfind('/');
    return slash == std::string::npos ? hostname : hostname.substr(slash + 1);
}

// Makes a name printable in an error text: control characters become "?".
std::string visible(std::string_view s) {
    std::string r;
    for (unsigned char c : s) r += (c < 32 || c == 127) ? '?' : static_cast<char>(c);
    return r;
}

std::string trim_blanks(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ') ++a;
    while (b > a && s[b - 1] == ' ') --b;
    return std::string(s.substr(a, b - a));
}

}  // namespace

// ---- plain files -----------------------------------------------------------

bool SAMEFILE(std::string_view a, std::string_view b) {
    struct stat sa, sb;
    if (!stat_of(host(a), sa) || !stat_of(host(b), sb)) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

ATOMICFILE::~ATOMICFILE() { ABORTFILE(*this); }

void ABORTFILE(ATOMICFILE& f) {
    if (f.fd >= 0) ::close(f.fd);
    f.fd = -1;
    if (!f.tmpname.empty()) ::unlink(f.tmpname.c_str());
    f.tmpname.clear();
}

void CREATEFILE(ATOMICFILE& f, std::string_view name, int createerr, int writeerr, int closeerr) {
    ABORTFILE(f);
    f.target = std::string(name);
    f.hostname = host(name);
    f.writeerr = writeerr;
    f.closeerr = closeerr;
    if (f.hostname.empty() || is_dir(f.hostname)) ERROR(createerr, f.target);
    std::string dir = dir_of(f.hostname);
    std::string tmpl = (dir == "/" ? std::string("/") : dir + "/") + "." + base_of(f.hostname) + ".XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    int fd = ::mkstemp(buf.data());
    if (fd < 0) ERROR(createerr, f.target);
    f.fd = fd;
    f.tmpname = buf.data();
    // The new file gets the rights of the one it replaces, or the usual ones for a new file.
    struct stat st;
    mode_t mode = stat_of(f.hostname, st) ? (st.st_mode & 07777) : (0666 & ~current_umask());
    ::fchmod(fd, mode);
}

void WRITEFILE(ATOMICFILE& f, const void* data, std::size_t size) {
    if (f.fd < 0 || !write_all(f.fd, data, size)) {
        std::string name = f.target;
        int err = f.writeerr;
        ABORTFILE(f);
        ERROR(err, name);
    }
}

void WRITEFILE(ATOMICFILE& f, std::string_view bytes) { WRITEFILE(f, bytes.data(), bytes.size()); }

void COMMITFILE(ATOMICFILE& f) {
    std::string name = f.target;
    int err = f.closeerr;
    if (f.fd < 0) ERROR(err, name);
    bool ok = ::fsync(f.fd) == 0;
    ok = (::close(f.fd) == 0) && ok;
    f.fd = -1;
    if (ok) ok = ::rename(f.tmpname.c_str(), f.hostname.c_str()) == 0;
    if (!ok) {
        ABORTFILE(f);
        ERROR(err, name);
    }
    // The directory is not flushed: a crash may lose the rename, which leaves the
    // previous file whole, never a truncated one.
    f.tmpname.clear();
}

void COMMITFILES(std::deque<ATOMICFILE>& files) {
    // One flush of the file system for all of them: an import of two dozen small
    // files would otherwise wait for the disk two dozen times.
    for (ATOMICFILE& f : files)
        if (f.fd < 0) ERROR(f.closeerr, f.target);
    if (!files.empty() && ::syncfs(files.front().fd) != 0) ERROR(files.front().closeerr, files.front().target);
    for (ATOMICFILE& f : files) {
        bool ok = ::close(f.fd) == 0;
        f.fd = -1;
        if (ok) ok = ::rename(f.tmpname.c_str(), f.hostname.c_str()) == 0;
        if (!ok) {
            std::string name = f.target;
            int err = f.closeerr;
            ABORTFILE(f);
            ERROR(err, name);
        }
        f.tmpname.clear();
    }
}

bool STALETEMPNAME(std::string_view n) {
    auto digits = [](std::string_view d) {
        return !d.empty() && std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string_view rsz = ".rsz-", tmp = ".tmp";
    if (n.size() > rsz.size() + tmp.size() && n.substr(0, rsz.size()) == rsz &&
        n.substr(n.size() - tmp.size()) == tmp) {
        std::string_view mid = n.substr(rsz.size(), n.size() - rsz.size() - tmp.size());
        auto a = mid.find('-');
        auto b = a == std::string_view::npos ? a : mid.find('-', a + 1);
        return b != std::string_view::npos && digits(mid.substr(0, a)) && digits(mid.substr(a + 1, b - a - 1)) &&
               digits(mid.substr(b + 1));
    }
    // mkstemp's six characters after the target's own name.
    if (n.size() < 1 + 1 + 1 + 6 || n[0] != '.' || n[1] == '.' || n[n.size() - 7] != '.') return false;
    for (char c : n.substr(n.size() - 6))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    for (char c : n.substr(1, n.size() - 8))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-' && c != '!') return false;
    return true;
}

int REMOVESTALETEMPS(std::string_view dosdir) {
    const std::string dir = host(READYDIR(dosdir).empty() ? std::string_view(".") : dosdir);
    DIR* d = ::opendir(dir.c_str());
    if (!d) return 0;
    std::vector<std::string> stale;
    while (dirent* e = ::readdir(d))
        if (STALETEMPNAME(e->d_name)) stale.emplace_back(e->d_name);
    ::closedir(d);
    int removed = 0;
    for (const std::string& name : stale) {
        const std::string path = dir + "/" + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0) ++removed;
    }
    return removed;
}

void REWRITEFILE(std::string_view name, std::string_view bytes, int createerr, int writeerr, int closeerr) {
    ATOMICFILE f;
    CREATEFILE(f, name, createerr, writeerr, closeerr);
    WRITEFILE(f, bytes);
    COMMITFILE(f);
}

bool READWHOLEFILE(std::string_view name, std::string& out) {
    out.clear();
    int fd = open_read(host(name));
    if (fd < 0) return false;
    char buf[8192];
    for (;;) {
        ssize_t n = read_some(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            ::close(fd);
            ERROR(2, std::string(name));
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool COPYFILE(std::string_view src, std::string_view dst) {
    int in = open_read(host(src));
    if (in < 0) return false;
    if (SAMEFILE(src, dst)) {
        ::close(in);
        return true;
    }
    ATOMICFILE out;
    try {
        CREATEFILE(out, dst, 4, 4, 9);
    } catch (...) {
        ::close(in);
        throw;
    }
    std::uint8_t buf[BUFFERSIZE];
    for (;;) {
        ssize_t n = read_some(in, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            ::close(in);
            ABORTFILE(out);
            ERROR(2, std::string(src));
        }
        if (!write_all(out.fd, buf, static_cast<std::size_t>(n))) {
            ::close(in);
            ABORTFILE(out);
            ERROR(4, std::string(dst));
        }
    }
    if (::close(in) != 0) {
        ABORTFILE(out);
        ERROR(9, std::string(src));
    }
    COMMITFILE(out);
    return true;
}

bool MOVEFILE(std::string_view src, std::string_view dst) {
    if (!FILECHECK(src)) return false;
    if (SAMEFILE(src, dst)) return true;
    if (!COPYFILE(src, dst)) return false;
    DELETEFILE(src);
    return true;
}

bool FILECHECK(std::string_view name) {
    int fd = open_read(host(name));
    if (fd < 0) return false;
    if (::close(fd) != 0) ERROR(9, std::string(name));
    return true;
}

void DELETEFILE(std::string_view name) {
    std::string h = host(name);
    struct stat st;
    if (::lstat(h.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return;
    if (::unlink(h.c_str()) != 0) ERROR(9, std::string(name));
}

// ---- names and directories -------------------------------------------------

void CAPS(std::string& s) { s = UPCASE(s); }

void NORMDIR(std::string& dir) {
    CAPS(dir);
    if (dir.empty()) dir = ".";
    if (!is_sep(dir.back())) dir += '\\';
}

std::string READYDIR(std::string_view dir) {
    if (dir.size() > 1 && is_sep(dir.back())) dir.remove_suffix(1);
    return std::string(dir);
}

bool CANCHDIR(std::string_view dir) {
    if (dir.empty()) return true;
    return is_dir(host(READYDIR(dir)));
}

void CHECKGAMEDIR() {
    std::string d = READYDIR(GAMEDIR);
    if (d.empty()) d = ".";
    if (!is_dir(host(d))) ERROR(13, d);
    GAMEDIR = is_sep(d.back()) ? d : d + '\\';
}

void INITDIR(std::string& dir) {
    std::string d = READYDIR(dir);
    if (d.empty()) d = ".";
    std::string h = host(d);
    if (!is_dir(h) && ::mkdir(h.c_str(), 0777) != 0) ERROR(13, d);
    dir = is_sep(d.back()) ? d : d + '\\';
}

std::optional<std::string> SAFENAME(std::string_view raw, std::size_t maxlen, bool allowdot) {
    std::string s = trim_blanks(raw);
    if (!s.empty() && is_sep(s.back())) s.pop_back();
    s = trim_blanks(s);
    if (s.empty() || s.size() > maxlen || s == "..") return std::nullopt;
    if (s == "." && !allowdot) return std::nullopt;
    for (unsigned char c : s)
        if (c < 32 || c == 127 || c == '/' || c == '\\' || c == ':') return std::nullopt;
    return s;
}

std::string DATAGAMEDIR(std::string_view raw, std::string_view source) {
    std::string t = trim_blanks(raw);
    if (t.empty()) return {};
    auto plain = SAFENAME(t, MAXDIRNAME, true);
    if (!plain) ERROR(99, std::string(source) + ": unsafe game directory name \"" + visible(t) + "\"");
    return *plain;
}

std::string GAMEDIRNAME(std::string_view gamedir) {
    std::string d = READYDIR(gamedir);
    if (d.empty() || d == "." || SAMEFILE(d, ".")) return ".";
    while (d.size() > 1 && is_sep(d.back())) d.pop_back();
    auto sep = d.find_last_of("\\/");
    std::string last = sep == std::string::npos ? d : d.substr(sep + 1);
    if (last.empty() || last == "." || last == "..") return ".";
    return last.substr(0, std::min<std::size_t>(last.size(), MAXDIRNAME));
}

bool GETGAMENAME(std::string_view file, std::string& name1, std::string& name2, std::int16_t& nr) {
    name1.clear();
    name2.clear();
    nr = 6;
    int fd = open_read(host(file));
    if (fd < 0) return false;
    // Lead-in of 6 bytes, then two team records; only the header is needed.
    constexpr std::size_t first = 6, second = 913, namesize = sizeof(STRING25);
    std::uint8_t buf[second + namesize];
    std::size_t got = 0;
    while (got < sizeof buf) {
        ssize_t n = read_some(fd, buf + got, sizeof buf - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got < first) return false;
    nr = static_cast<std::int16_t>(buf[4] | (buf[5] << 8));
    STRING25 n;
    if (got >= first + namesize) {
        std::memcpy(&n, buf + first, namesize);
        name1 = n.str();
    }
    if (got >= second + namesize) {
        std::memcpy(&n, buf + second, namesize);
        name2 = n.str();
        return true;
    }
    return false;
}

}  // namespace korax

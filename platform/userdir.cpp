#include "platform/userdir.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace korax {

namespace fs = std::filesystem;

namespace {

std::string trimmed(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

// Two first starts at once (a double click on the launcher) must not take each
// other's temporary directory for one an interrupted start left: the preparation
// holds a lock on the parent directory. Where locks are not offered it goes on.
struct DIRLOCK {
    int fd = -1;
    explicit DIRLOCK(const fs::path& dir) : fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd >= 0) ::flock(fd, LOCK_EX);
    }
    ~DIRLOCK() {
        if (fd >= 0) ::close(fd);
    }
    DIRLOCK(const DIRLOCK&) = delete;
    DIRLOCK& operator=(const DIRLOCK&) = delete;
};

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string upper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return r;
}

// Copies of installed files may carry the installed rights (no write bit): the
// owner gets to write them.
void make_writable(const fs::path& p, std::error_code& ec) {
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::add, ec);
    if (ec || !fs::is_directory(p)) return;
    for (auto it = fs::recursive_directory_iterator(p, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
        if (ec) return;
    }
}

struct FILLRESULT {
    int changes = 0;
    std::string error;
};

FILLRESULT fill(const fs::path& installed, const fs::path& user, bool first) {
    FILLRESULT r;
    std::error_code ec;
    auto fail = [&](const std::string& what, const fs::path& p) {
        r.error = what + " " + p.string() + ": " + ec.message();
        return r;
    };
    for (auto it = fs::directory_iterator(installed, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name == VERSIONSTAMP) continue;
        const bool directory = it->is_directory();
        const fs::path target = user / name;
        const fs::file_status st = fs::symlink_status(target);
        if (USEROWNED(name, directory)) {
            // Anything of that name is the user's, even a link an older version made.
            if (fs::exists(st) || fs::is_symlink(st) || (directory && !first)) continue;
            fs::copy(it->path(), target, fs::copy_options::recursive, ec);
            if (!ec) make_writable(target, ec);
            if (ec) return fail("cannot copy into", target);
            ++r.changes;
            continue;
        }
        if (fs::is_symlink(st)) {
            if (fs::read_symlink(target, ec) == it->path() && !ec) continue;
            fs::remove(target, ec);
            if (ec) return fail("cannot replace", target);
        } else if (fs::exists(st)) {
            continue;  // a file of the user's own
        }
        fs::create_symlink(it->path(), target, ec);
        if (ec) return fail("cannot link", target);
        ++r.changes;
    }
    if (ec) return fail("cannot read", installed);
    // Links to files a newer installed copy no longer has lead nowhere.
    std::vector<fs::path> dangling;
    for (auto it = fs::directory_iterator(user, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code nec;
        if (it->is_symlink(nec) && !fs::exists(it->path(), nec)) dangling.push_back(it->path());
    }
    if (ec) return fail("cannot read", user);
    for (const fs::path& p : dangling) {
        fs::remove(p, ec);
        if (ec) return fail("cannot remove", p);
        ++r.changes;
    }
    return r;
}

// Written under a temporary name and renamed, so a stamp is whole or absent.
bool write_stamp(const fs::path& user, const std::string& version, std::error_code& ec) {
    const fs::path tmp = user / (std::string(VERSIONSTAMP) + ".new");
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f << version;
        f.close();
        if (!f) {
            ec = std::error_code(errno ? errno : EIO, std::generic_category());
            return false;
        }
    }
    fs::rename(tmp, user / VERSIONSTAMP, ec);
    return !ec;
}

std::string firstline(const std::string& s) {
    std::string l = s.substr(0, s.find('\n'));
    if (!l.empty() && l.back() == '\r') l.pop_back();
    return l.empty() ? "(none)" : l;
}

}  // namespace

std::string EXEPATH() {
    std::vector<char> buf(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    return n > 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : std::string();
}

std::string EXEDIR() {
    const std::string exe = EXEPATH();
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos) return "./";
    return exe.substr(0, slash + 1);
}

bool INSTALLEDCOPY(const std::string& dir) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(trimmed(dir)) / VERSIONSTAMP, ec);
}

std::string USERPROGRAMDIR() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        std::string h = home && home[0] == '/' ? home : "";
        if (h.empty())
            if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) h = pw->pw_dir;
        if (h.empty()) h = "/";
        base = trimmed(h) + (h == "/" ? "" : "/") + ".local/share";
    }
    base = trimmed(base);
    return base + (base == "/" ? "" : "/") + "korax/";
}

bool USEROWNED(std::string_view name, bool directory) {
    if (directory) return true;
    const std::string up = upper(name);
    auto ends = [&](std::string_view e) { return up.size() > e.size() && up.compare(up.size() - e.size(), e.size(), e) == 0; };
    return ends(".INI") || ends(".CFG");
}

USERDIRRESULT PREPAREUSERDIR(const std::string& installed_dir, const std::string& user_dir) {
    USERDIRRESULT r;
    const fs::path installed = trimmed(installed_dir), user = trimmed(user_dir);
    const fs::path parent = user.parent_path();
    std::error_code ec;
    if (!fs::is_directory(installed, ec)) {
        r.error = "the installed program directory " + installed.string() + " is missing";
        return r;
    }
    const std::string version = slurp(installed / VERSIONSTAMP);

    fs::create_directories(parent, ec);
    if (ec) {
        r.error = "cannot make the directory " + parent.string() + ": " + ec.message();
        return r;
    }
    const DIRLOCK lock(parent);

    // A first start cut short leaves its temporary sibling behind: begin anew.
    const std::string prefix = user.filename().string() + ".new-";
    if (fs::is_directory(parent, ec))
        for (auto it = fs::directory_iterator(parent, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
            if (it->path().filename().string().rfind(prefix, 0) == 0) {
                std::error_code rec;
                fs::remove_all(it->path(), rec);
            }

    struct stat st;
    if (::lstat(user.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            r.error = "cannot reach " + user.string() + ": " + std::strerror(errno);
            return r;
        }
        std::string tmpl = (parent / (prefix + "XXXXXX")).string();
        if (!::mkdtemp(tmpl.data())) {
            r.error = "cannot write in the directory " + parent.string() + ": " + std::strerror(errno);
            return r;
        }
        const fs::path tmp = tmpl;
        FILLRESULT f = fill(installed, tmp, true);
        if (f.error.empty() && !write_stamp(tmp, version, ec)) f.error = "cannot write in " + tmp.string() + ": " + ec.message();
        if (f.error.empty() && ::rename(tmp.c_str(), user.c_str()) != 0 && errno != EEXIST && errno != ENOTEMPTY)
            f.error = "cannot make " + user.string() + ": " + std::strerror(errno);
        std::error_code rec;
        if (fs::exists(tmp, rec)) fs::remove_all(tmp, rec);  // lost a race to another first start
        if (!f.error.empty()) {
            r.error = f.error;
            return r;
        }
        r.note = "made your program directory " + user.string();
    }
    if (!fs::is_directory(user, ec)) {
        r.error = user.string() + " is not a directory";
        return r;
    }
    if (::access(user.c_str(), W_OK | X_OK) != 0) {
        r.error = "cannot write in the directory " + user.string() + ": " + std::strerror(errno);
        return r;
    }
    FILLRESULT f = fill(installed, user, false);
    if (!f.error.empty()) {
        r.error = f.error;
        return r;
    }
    const bool hadstamp = fs::exists(user / VERSIONSTAMP, ec);
    const std::string own = slurp(user / VERSIONSTAMP);
    if (own != version) {
        if (!write_stamp(user, version, ec)) {
            r.error = "cannot write in the directory " + user.string() + ": " + ec.message();
            return r;
        }
        if (hadstamp)
            r.note = "your program directory " + user.string() + " followed version " + firstline(own) +
                     ", now " + firstline(version) + ": its links are renewed, your settings and games kept";
    }
    if (r.note.empty() && (f.changes > 0 || !hadstamp)) r.note = "repaired your program directory " + user.string();
    r.ok = true;
    return r;
}

}  // namespace korax

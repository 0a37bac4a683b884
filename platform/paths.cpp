#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "base/types.h"
#include "platform/userdir.h"

namespace korax {

namespace {

std::string g_tempdir;
std::mutex g_tempdir_lock;

std::string env_dir(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return {};
    std::string s = v;
    while (s.size() > 1 && (s.back() == '/' || s.back() == '\\')) s.pop_back();
    return s;
}

void remove_at_exit() { REMOVERUNTEMPDIR(); }

}  // namespace

std::string PROGRAMDIR() {
    const std::string exe = EXEDIR();
    return INSTALLEDCOPY(exe) ? USERPROGRAMDIR() : exe;
}

std::string TEMPBASE() {
    for (const char* name : {"TEMP", "TMPDIR"}) {
        std::string d = env_dir(name);
        if (!d.empty()) return d;
    }
    return "/tmp";
}

const std::string& RUNTEMPDIR() {
    std::lock_guard<std::mutex> guard(g_tempdir_lock);
    if (g_tempdir.empty()) {
        // A stale $TEMP must not stop every message box: the next base is tried.
        std::vector<std::string> bases{TEMPBASE()};
        std::string tmpdir = env_dir("TMPDIR");
        if (!tmpdir.empty() && tmpdir != bases.front()) bases.push_back(tmpdir);
        if (bases.back() != "/tmp") bases.push_back("/tmp");
        for (const std::string& base : bases) {
            std::string pattern = base + (base.back() == '/' ? "" : "/") + "korax-XXXXXX";
            std::vector<char> buf(pattern.begin(), pattern.end());
            buf.push_back('\0');
            if (!::mkdtemp(buf.data())) continue;
            ::chmod(buf.data(), 0700);
            g_tempdir = std::string(buf.data()) + "/";
            break;
        }
        if (g_tempdir.empty()) ERROR(4, bases.front());
        static bool registered = false;
        if (!registered) {
            registered = true;
            std::atexit(remove_at_exit);
        }
    }
    return g_tempdir;
}

void REMOVERUNTEMPDIR() {
    std::lock_guard<std::mutex> guard(g_tempdir_lock);
    if (g_tempdir.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(g_tempdir, ec);
    g_tempdir.clear();
}

std::string JOINPATH(std::string_view dir, std::string_view name) {
    if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return std::string(name);
    if (dir.empty() || dir == "." || dir == ".\\" || dir == "./") return std::string(name);
    std::string r(dir);
    char last = r.back();
    if (last != '/' && last != '\\') r += (r.find('/') != std::string::npos ? '/' : '\\');
    r += name;
    return r;
}

}  // namespace korax

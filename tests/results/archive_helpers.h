// Scratch directories, files and packed archives shared by the archive tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "data/fixture.h"
#include "results/rsz.h"

namespace archivetest {

struct ScratchDir {
    std::string path;
    ScratchDir() { char tmpl[] = "/tmp/korax-archive-XXXXXX"; path = ::mkdtemp(tmpl) ? tmpl : ""; }
    ~ScratchDir() { std::error_code ec; std::filesystem::remove_all(path, ec); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

struct CwdGuard {
    std::string saved = std::filesystem::current_path().string();
    ~CwdGuard() { std::error_code ec; std::filesystem::current_path(saved, ec); }
};

using datatest::slurp, datatest::spit;

// Every entry, hidden ones included.
inline std::set<std::string> listdir(const std::string& dir) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) names.insert(e.path().filename().string());
    return names;
}

// Bytes that do not compress away, so archives have several frames.
inline std::string noise(std::size_t n, unsigned seed) {
    std::string s(n, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (auto& c : s) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return s;
}

// Quick password hashing keeps the tests fast; the format is the same.
inline korax::RSZPACKOPTIONS options(const std::string& gamedir, const std::string& pw, bool shortcheck = false) {
    korax::RSZPACKOPTIONS o;
    o.gamedir = gamedir, o.password = pw, o.quickhash = true, o.shortcheck = shortcheck;
    return o;
}

inline std::string pack(const std::vector<korax::RSZENTRY>& e, const korax::RSZPACKOPTIONS& o) {
    std::string a;
    korax::RSZRESULT r = korax::RSZPACKBYTES(e, o, a);
    EXPECT_TRUE(r.ok()) << korax::RSZMESSAGE(r);
    return a;
}

}  // namespace archivetest

// Small helpers shared by the archive tests: scratch directories and files.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace archivetest {

// A fresh directory below /tmp, removed with everything in it at the end.
struct ScratchDir {
    std::string path;
    ScratchDir() {
        char tmpl[] = "/tmp/korax-archive-XXXXXX";
        char* p = ::mkdtemp(tmpl);
        path = p ? p : "";
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// Restores the working directory when the test ends.
struct CwdGuard {
    std::string saved = std::filesystem::current_path().string();
    ~CwdGuard() {
        std::error_code ec;
        std::filesystem::current_path(saved, ec);
    }
};

inline void writefile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readfile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Every entry of a directory, hidden ones included.
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
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return s;
}

}  // namespace archivetest

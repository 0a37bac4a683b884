// Archive unpacker: any bytes unpack completely or leave the scratch directory
// empty, and nothing is written anywhere else.
#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "results/rsz.h"

namespace {

int clear(const std::string& dir);

// Plain storage, so the exit handler never meets a destroyed string.
char g_scratch[64];

void remove_scratch() {
    clear(g_scratch);
    ::rmdir(g_scratch);
}

const char* scratch() {
    if (!g_scratch[0]) {
        char tmpl[] = "/tmp/korax-fuzz-rsz-XXXXXX";
        if (!::mkdtemp(tmpl)) std::abort();
        std::memcpy(g_scratch, tmpl, sizeof tmpl);
        std::atexit(remove_scratch);
    }
    return g_scratch;
}

// Empties the scratch directory; it never holds subdirectories.
int clear(const std::string& dir) {
    int n = 0;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            ::unlink((dir + "/" + name).c_str());
            ++n;
        }
        ::closedir(d);
    }
    return n;
}

// The password hash an archive asks for costs up to a quarter of a second; the
// fuzzer only explores archives with the cheapest one.
bool cheap(std::string_view a) {
    if (!korax::RSZENCRYPTED(a) || a.size() < 53) return true;
    auto get = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(a[at + i]);
        return v;
    };
    return get(45) <= 1 && get(49) <= 8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!cheap(bytes)) return 0;
    const std::string dir = scratch();
    korax::RSZRESULT r = korax::RSZUNPACKBYTES(bytes, dir, "pw");
    int left = clear(dir);
    // A refused archive leaves nothing behind, not even a temporary file.
    if (!r.ok() && left != 0) __builtin_trap();
    if (r.ok() && static_cast<std::size_t>(left) != r.names.size()) __builtin_trap();
    return 0;
}

// Feeds arbitrary bytes to the result import as container TEAM3.RST. Whatever the
// bytes say, the import either refuses them with a fatal error or writes its files
// into the game directory: nothing may appear anywhere else.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/types.h"
#include "data/g_types.h"
#include "results/showrst.h"
#include "shell/korax.h"

namespace fs = std::filesystem;

namespace {

// Plain storage, so the clean-up at exit never meets a destroyed path.
char g_root[] = "/tmp/korax-fuzz-container-XXXXXX";

void remove_root() {
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(g_root, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path root = [] {
        setenv("KORAX_VIDEO", "headless", 1);
        if (!::mkdtemp(g_root)) std::abort();
        std::atexit(remove_root);
        fs::path p = g_root;
        fs::create_directories(p / "prog" / "LIGA");
        fs::current_path(p / "prog");
        return p;
    }();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    korax::RSTCONTAINER c;
    korax::NUMMER = 3;
    korax::NUMMERSTR = "3";
    korax::GAMEDIR = "LIGA\\";
    try {
        korax::PARSECONTAINER(bytes, 3, "TEAM3.RST", c);
        korax::WRITECONTAINER(c, 3);
    } catch (const korax::FatalError&) {
    } catch (const korax::ProgramEnd&) {
    }
    // Only the game directory may have been written to.
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().filename() != "prog") std::abort();
    for (const auto& e : fs::directory_iterator(root / "prog"))
        if (e.path().filename() != "LIGA") std::abort();
    for (const auto& e : fs::directory_iterator(root / "prog" / "LIGA"))
        if (!e.is_regular_file()) std::abort();
    return 0;
}

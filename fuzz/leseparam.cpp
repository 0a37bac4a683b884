// The start-up's reading of a result container left in the program directory and
// of the command-line words. Everything happens below a scratch directory.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/g_types.h"
#include "platform/dospath.h"
#include "shell/korax.h"

namespace fs = std::filesystem;

namespace {

// Made once; kept as a plain string so that it outlives static destruction for
// the clean-up at exit.
const char* scratch_name() {
    static char buf[] = "/tmp/korax-fuzz-leseparam-XXXXXX";
    static bool made = [] {
        if (!::mkdtemp(buf)) std::abort();
        ::setenv("TEMP", (std::string(buf) + "/temp").c_str(), 1);
        ::unsetenv("FSM");
        std::atexit([] {
            std::error_code ec;
            fs::current_path("/", ec);
            fs::remove_all(buf, ec);
        });
        return true;
    }();
    (void)made;
    return buf;
}

fs::path scratch() { return scratch_name(); }

void fresh(const fs::path& prog) {
    std::error_code ec;
    fs::remove_all(prog, ec);
    fs::remove_all(scratch() / "temp", ec);
    fs::create_directories(prog / "GAME1");
    fs::create_directories(scratch() / "temp");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fs::path prog = scratch() / "prog";
    fresh(prog);
    fs::current_path(prog);
    std::vector<std::string> args{"korax"};
    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) {
        // Command-line words, separated by zero bytes. Words that name a result would
        // make the start-up copy some file of this machine; leave those out.
        std::string w;
        for (char c : rest + '\0') {
            if (c) {
                w += c;
            } else {
                args.push_back(w);
                w.clear();
            }
            if (args.size() > 5) break;
        }
        std::string joined;
        for (const auto& a : args) joined += a;
        if (korax::UPCASE(joined).find(".RS") != std::string::npos) return 0;
    } else {
        std::ofstream(prog / "TEAM1.RST", std::ios::binary) << rest;
    }
    korax::GAMEDIR = ".\\";
    try {
        korax::LESEPARAM(args);
    } catch (const korax::FatalError&) {
    }
    return 0;
}

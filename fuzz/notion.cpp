// NOTION.CFG as anyone may leave it in the program directory: read through the
// file reader in a scratch directory, every input gives at most 255 names of at
// most 20 characters, the same the text parser gives, and never a crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "base/types.h"
#include "management/werbung.h"

namespace {

char scratch[] = "/tmp/korax-fuzz-notion-XXXXXX";

void remove_scratch() {
    if (::chdir("/") != 0) return;
    const std::string d = scratch;
    ::unlink((d + "/NOTION.CFG").c_str());
    ::rmdir(d.c_str());
}

bool enter_scratch() {
    static bool ready = false;
    if (ready) return true;
    if (!::mkdtemp(scratch) || ::chdir(scratch) != 0) return false;
    std::atexit(remove_scratch);
    ready = true;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!enter_scratch()) std::abort();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::ofstream("NOTION.CFG", std::ios::binary | std::ios::trunc) << text;
    std::vector<std::string> names;
    try {
        names = korax::READNOTION();
    } catch (const korax::FatalError&) {
        std::abort();  // a readable file is never an error
    }
    if (names.size() > 255) std::abort();
    for (const auto& n : names)
        if (n.size() > 20) std::abort();
    if (names != korax::PARSENOTION(text)) std::abort();
    return 0;
}

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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char tmpl[] = "/tmp/korax-fuzz-notion-XXXXXX";
    if (::mkdtemp(tmpl) == nullptr || ::chdir(tmpl) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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

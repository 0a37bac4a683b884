// KORAX.INI text as the trainer may leave it: both reads and the rewrite's line
// builder must end in settings or a fatal error, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/config.h"
#include "data/lg.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("KORAX_VIDEO", "headless", 1);
    korax::L[540].set("line #");
    korax::L[550].set(" in line #");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    korax::RESET_CONFIG();
    for (std::uint8_t id : {std::uint8_t{255}, std::uint8_t{0}}) {
        for (bool first : {true, false}) {
            try {
                korax::READINI_TEXT(text, id, first);
            } catch (const korax::FatalError&) {
            }
        }
    }
    std::string rebuilt = korax::REBUILD_INI(text);
    if (rebuilt.size() > size + 80 * (size + 1)) std::abort();
    return 0;
}

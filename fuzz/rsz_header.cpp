// Archive header reader: any bytes give a header with clamped fields or a refusal,
// and the names and check values taken from it stay within their fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/g_tools.h"
#include "results/rsz.h"
#include "results/zipper.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korax;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ZIPHEADERTYPE h;
    if (!PARSEZIPHEADER(bytes, h)) return 0;
    std::string dir = h.GAMEDIR.str();
    if (dir.size() > 12) __builtin_trap();
    (void)SAFENAME(dir, MAXDIRNAME, true);
    STRING8 stored = h.PASSWORT;
    // Whatever follows the header is taken as a typed password.
    std::string_view typed = bytes.substr(RSZHEADERSIZE, 8);
    (void)PASSWORDFITS(typed, stored);
    if (stored.str().size() > 8) __builtin_trap();
    (void)RSZENCRYPTED(bytes);
    return 0;
}

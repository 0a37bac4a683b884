// The kept font answers: whatever the reader takes must be written back and read
// again to the same answers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/fontcache.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korax;
    if (size > 65536) return 0;
    FONTCACHE c;
    if (!PARSEFONTCACHE(std::string_view(reinterpret_cast<const char*>(data), size), c)) return 0;
    const std::string text = FORMATFONTCACHE(c);
    FONTCACHE again;
    if (text.empty() || !PARSEFONTCACHE(text, again) || again.env != c.env ||
        again.stamps.size() != c.stamps.size() || again.answers.size() != c.answers.size())
        __builtin_trap();
    for (std::size_t i = 0; i < c.stamps.size(); ++i)
        if (again.stamps[i].path != c.stamps[i].path || again.stamps[i].mtime != c.stamps[i].mtime ||
            again.stamps[i].size != c.stamps[i].size)
            __builtin_trap();
    for (std::size_t i = 0; i < c.answers.size(); ++i)
        if (again.answers[i].request != c.answers[i].request || again.answers[i].file != c.answers[i].file ||
            again.answers[i].family != c.answers[i].family)
            __builtin_trap();
    return 0;
}

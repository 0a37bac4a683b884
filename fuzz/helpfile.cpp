// The help file: topic heads and topic lines, and the placement of the help box.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/dialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int topic = data[0] * 2 + (data[1] & 1);
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    korax::HELPTOPIC t = korax::READHELPTOPIC(text, topic);
    int width = 0;
    for (const auto& l : t.lines) {
        if (l.size() > 255) __builtin_trap();
        width = std::max(width, static_cast<int>(l.size()));
    }
    korax::HELPBOX b = korax::HELPBOXAT(20, 768 - 20 - static_cast<int>(t.lines.size()) * 15 - 70, width,
                                        static_cast<int>(t.lines.size()), 1023, 767);
    if (b.y1 < 10 || b.y1 > 768 - 64 || b.y2 > 758) __builtin_trap();
    return 0;
}

// Feeds arbitrary bytes to the cup draw's list as POKAL.TXT and scrolls every
// line through the text area: refused with error 8 past 10000 lines, never a
// part of a line or a mark outside the line.
#include <stdio.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/types.h"
#include "results/pokal.h"
#include "ui/dialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::FILE* f = text.empty() ? std::fopen("/dev/null", "rb") : ::fmemopen(text.data(), text.size(), "rb");
    if (!f) std::abort();
    int lines = 0;
    try {
        lines = korax::POKALLIST(f, "POKAL.TXT");
    } catch (const korax::FatalError& e) {
        std::fclose(f);
        if (e.nr != 8) std::abort();
        return 0;
    }
    std::fclose(f);
    const std::string own = text.substr(0, 5);
    korax::POKALVIEW v;
    for (char key : {'2', '6', '6', '8', '4', '2'}) {
        korax::POKALSCROLL(v, key, lines);
        if (v.top < 1 || v.column < 1 || v.column >= 245 || (lines > 0 && v.top > lines)) std::abort();
        for (int i = v.top; i <= lines && i < v.top + 50; ++i) {
            std::string line;
            korax::LISTEGET(i, line);
            if (line.size() > 255) std::abort();
            const std::string shown = korax::POKALVISIBLE(line, v.column, 84);
            const auto [from, count] = korax::POKALMARK(line, v.column, 84, own);
            if (shown.size() > 84 || from + count > shown.size()) std::abort();
        }
    }
    korax::LISTECLOSE();
    return 0;
}

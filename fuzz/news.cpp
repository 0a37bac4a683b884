// A match day's news file as the game master sends it, through the category
// reader, the page rule and the page layout of every category and page. Any
// bytes must give pages and items or nothing, never a crash or a read outside
// the tables.
#include <cstdint>
#include <string>
#include <string_view>

#include "results/zeitung.h"

using namespace korax;

namespace {
volatile std::size_t sink;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const NEWSDAY day = LESERUBRIKEN(text);
    if (NEWSBUTTONCOUNT(day) > NEWSBUTTONS) __builtin_trap();
    for (int r = 0; r <= NEWSCATEGORIES + 1; ++r) {
        const int pages = NEWSPAGES(day, r);
        if (pages < 0 || pages > NEWSMAXPAGES) __builtin_trap();
        if (r >= 1 && r <= NEWSCATEGORIES) sink = sink + NEWSHEADING(day.rubrik[r].name).size();
        for (int p = 0; p <= pages + 1; ++p) {
            const auto lines = NEWSPAGE(day, r, p);
            if (lines.size() > static_cast<std::size_t>(NEWSPAGELINES)) __builtin_trap();
            for (const NEWSITEM& it : NEWSLAYOUT(lines)) {
                if (it.dx != 0 && it.dx != 80) __builtin_trap();
                for (const auto& piece : it.pieces) {
                    if (piece.text.size() > static_cast<std::size_t>(NEWSWIDTH)) __builtin_trap();
                    sink = sink + piece.text.size() + static_cast<std::size_t>(piece.colour & 255);
                }
            }
        }
    }
    for (const std::string& l : day.lines) {
        std::string copy = l;
        sink = sink + static_cast<std::size_t>(GETNUMMER(copy, day.count) & 255);
    }
    return 0;
}

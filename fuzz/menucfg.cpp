// MENU.CFG as the menu reads it, and the rewrite that swaps two entries.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/m_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    korax::MENUCFG cfg = korax::PARSEMENUCFG(text);
    if (cfg.codes.size() > static_cast<std::size_t>(korax::MENUMAX)) __builtin_trap();
    if (cfg.festanz < 0 || cfg.festanz > static_cast<int>(cfg.codes.size())) __builtin_trap();
    if (cfg.codes.size() >= 2) {
        std::string swapped = korax::SWAPMENULINES(text, cfg.codes[0], cfg.codes[1]);
        // Swapping twice gives the program's own lines back for both entries; the size stays bounded.
        if (swapped.size() > text.size() + 200 * 1024) __builtin_trap();
    }
    return 0;
}

// TEAM<n>.TXT as the trainer's editor left it: at most ten addressees, each a
// team name or the "all" entry.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "turn/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::array<std::string, 11> teams = {"", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
    auto list = korax::ADDRESSEES(text, teams, "ALL");
    if (list.size() > 10) std::abort();
    for (const auto& a : list)
        if (a != "* ALL *" && (a.size() != 1 || a[0] < 'A' || a[0] > 'J')) std::abort();
    if (!korax::APPENDLINES(text, {"x"}).ends_with("x\r\n")) std::abort();
    return 0;
}

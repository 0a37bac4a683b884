// MSG<n>.DAT records from another trainer's hands: every view, row, reply and
// bar position stays within its limits.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "turn/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::array<std::string, 11> teams = {"", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
    auto recs = korax::MSGRECORDS(bytes);
    const int c = static_cast<int>(recs.size());
    for (const auto& r : recs) {
        korax::MSGVIEW v = korax::VIEWMSG(r);
        bool hl = false;
        for (const std::string& line : v.lines)
            for (const std::string& row : korax::MSGROWS(line)) {
                if (row.empty() || row.size() > 62) std::abort();
                korax::MSGRUNS(row, hl);
            }
        const int s = korax::SENDERTEAM(v.sender, teams);
        for (const std::string& q : korax::REPLYLINES(v, s, teams[s], "T", "R"))
            if (q.size() > 80) std::abort();
        if (s == 0 && !korax::REPLYLINES(v, s, "", "", "R").empty()) std::abort();
    }
    for (int x : korax::BARTICKS(c, 0))
        if (x < 0 || x > 100) std::abort();
    const int m = korax::BARPICK(static_cast<int>(size % 101), c, 0);
    if (c > 0 && (m < 1 || m > c)) std::abort();
    return 0;
}

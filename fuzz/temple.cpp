// Pendant moves over any team record from the game master: every move keeps the
// check value of the distribution, and the move back restores the record (the
// altar's time apart, which a return to the altar starts afresh).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "data/artefakt.h"

using namespace korax;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TEAMREC t{};
    if (size < sizeof t + 2) return 0;
    std::memcpy(&t, data, sizeof t);
    ARR1<bool, 1, 10> belegt{};
    const unsigned bits = data[sizeof t] | (data[sizeof t + 1] << 8);
    for (int s = 1; s <= 10; ++s) belegt[s] = (bits >> (s - 1)) & 1;
    ARR1<PLAYERREC, 1, 10> p{};
    for (int from = 0; from <= 12; ++from)
        for (int to = 0; to <= 12; ++to) {
            TEAMREC m = t;
            const std::int16_t check = CHECKARTEFAKTE(m);
            const ARTMOVERESULT r = ARTMOVE(m, p, belegt, from, to);
            if (!r.moved) {
                if (std::memcmp(&m, &t, sizeof t) != 0) std::abort();
                continue;
            }
            if (r.refusal != 0 || CHECKARTEFAKTE(m) != check) std::abort();
            TEAMREC back = m;
            if (!ARTMOVE(back, p, belegt, to, from).moved) {
                // Only a pendant now held by a player with a transfer decision cannot go back.
                if (to == ARTALTAR || m.TRANSFER[to] == 0) std::abort();
                continue;
            }
            back.ARTDAUER = t.ARTDAUER;
            if (t.ARTEFAKT == 0) back.ARTLEVEL = t.ARTLEVEL;  // the level of an empty altar means nothing
            if (std::memcmp(&back, &t, sizeof t) != 0) std::abort();
        }
    return 0;
}

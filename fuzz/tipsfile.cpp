// The tips file: the reader, the counting of every block's condition over team
// facts taken from the input, and the block's action on the team.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "adviser/adviser.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "base/types.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korax;
    constexpr std::size_t FACTS = 40;
    if (size < FACTS || size > 65536) return 0;
    TEAM = TEAMREC{};
    GEN = GENTYPE{};
    std::memcpy(&TEAM.GOLD, data, 4);
    TEAM.UNTERKUNFT = static_cast<std::int16_t>(data[4] | data[5] << 8);
    TEAM.VERPFLEGUNG = data[6];
    TEAM.WERB1 = data[7];
    TEAM.WERB2 = data[8];
    TEAM.ARTEFAKT = data[9];
    TEAM.ARTLEVEL = data[10];
    GEN.PLATZ = static_cast<std::int16_t>(data[11] | data[12] << 8);
    for (int i = 1; i <= 10; ++i) {
        TEAM.PLAYERS[i] = static_cast<std::int16_t>(static_cast<std::int8_t>(data[12 + i]));
        TEAM.TRANSFER[i] = data[22 + i] & 1;
        GEN.WERBUNG[i].TEAM = data[30 + i / 2] >> (i % 2 * 4) & 0xF;
        GEN.WERBUNG[i].DAUER = data[30 + i / 2] & 3;
    }
    NUMMER = static_cast<std::int16_t>(data[39] % 12);
    std::string_view text(reinterpret_cast<const char*>(data + FACTS), size - FACTS);
    for (const TIPBLOCK& b : READTIPSTEXT(text)) {
        if (b.code < 100 || b.code > 199) __builtin_trap();
        (void)CHECKPARSER(b.code, b.condition);
        const TEAMREC before = TEAM;
        try {
            SETPARSER(0, b.action);
        } catch (const FatalError&) {
            // The team file is not open here: a change ends in the write's error.
        }
        if (TEAM.UNTERKUNFT != before.UNTERKUNFT && (TEAM.UNTERKUNFT < 0 || TEAM.UNTERKUNFT > 4)) __builtin_trap();
        if (TEAM.WERB1 != before.WERB1 && TEAM.WERB1 == TEAM.WERB2) __builtin_trap();
        if (TEAM.WERB1 > 10 && TEAM.WERB1 != before.WERB1) __builtin_trap();
    }
    return 0;
}

#include "data/artefakt.h"

namespace korax {

std::int16_t CHECKARTEFAKTE(const TEAMREC& t) {
    int n = 0, sum = 0;
    if (t.ARTEFAKT != 0) {
        n = 1;
        sum = t.ARTLEVEL;
    }
    for (int s = 1; s <= 10; ++s) {
        if (t.ARTPLAYER[s] == 0) continue;
        sum += t.ARTPLAYER[s] % 10;
        ++n;
    }
    return static_cast<std::int16_t>(sum + n);
}

bool TAKESARTEFAKT(const TEAMREC& t, int s) {
    if (s < 1 || s > 10) return false;
    return t.PLAYERS[s] > 0 && t.ARTPLAYER[s] == 0 && t.TRANSFER[s] == 0;
}

int ARTLEVELDAUER(int level) {
    static constexpr int DAUER[10] = {1, 1, 2, 2, 3, 1, 1, 1, 2, 0};
    return level >= 0 && level <= 9 ? DAUER[level] : -1;
}

int ALTARCODE(const TEAMREC& t) {
    if (t.ARTEFAKT == 0 || t.ARTLEVEL > 9) return 0;
    const int code = t.ARTEFAKT * 10 + t.ARTLEVEL;
    return code <= 255 ? code : 0;
}

namespace {

bool slot(int s) { return s >= 1 && s <= 10; }

void carry(PLAYERREC& p, int code) {
    p.ARTIFAKT = static_cast<std::uint8_t>(code / 10);
    p.ARTLEVEL = static_cast<std::uint8_t>(code % 10);
}

}  // namespace

bool ARTDRAGSTART(const TEAMREC& t, const ARR1<bool, 1, 10>& belegt, int from) {
    if (from == ARTALTAR) return ALTARCODE(t) != 0;
    // A code below 10 names no pendant type; on the altar it would read as empty.
    return slot(from) && belegt[from] && t.ARTPLAYER[from] >= 10 && t.TRANSFER[from] == 0;
}

bool ARTDROPTARGET(const ARR1<bool, 1, 10>& belegt, int from, int to) {
    if (to == ARTALTAR) return slot(from);
    return slot(to) && to != from && belegt[to];
}

ARTMOVERESULT ARTMOVE(TEAMREC& t, ARR1<PLAYERREC, 1, 10>& player, const ARR1<bool, 1, 10>& belegt, int from,
                      int to) {
    if (!ARTDRAGSTART(t, belegt, from) || !ARTDROPTARGET(belegt, from, to)) return {};
    if (from == ARTALTAR) {
        if (t.ARTPLAYER[to] != 0) return {false, 336};
        if (t.TRANSFER[to] != 0) return {false, 600};
        const int code = ALTARCODE(t);
        t.ARTPLAYER[to] = static_cast<std::uint8_t>(code);
        carry(player[to], code);
        t.ARTEFAKT = 0;
        t.ARTLEVEL = 0;
        return {true, 0};
    }
    const int code = t.ARTPLAYER[from];
    if (to == ARTALTAR) {
        if (t.ARTEFAKT != 0) return {false, 337};
        t.ARTEFAKT = static_cast<std::uint8_t>(code / 10);
        t.ARTLEVEL = static_cast<std::uint8_t>(code % 10);
        t.ARTDAUER = 0;
    } else {
        if (t.TRANSFER[to] != 0) return {false, 600};
        if (t.ARTPLAYER[to] != 0) return {false, 336};
        t.ARTPLAYER[to] = static_cast<std::uint8_t>(code);
        carry(player[to], code);
    }
    t.ARTPLAYER[from] = 0;
    carry(player[from], 0);
    return {true, 0};
}

}  // namespace korax

// Team, player and general record files as they arrive from the game master:
// open them, load the league and the own squad, and run the shared calculations.
// Every outcome must be a loaded model or a fatal error, never a crash.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "shell/korax.h"

using namespace korax;

namespace {

// Plain storage, so the clean-up at exit never meets a destroyed string.
char g_scratch[] = "/tmp/korax-fuzz-records-XXXXXX";

void removeScratch() {
    std::error_code ec;
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(g_scratch, ec);
}

void put(const std::string& name, const std::uint8_t* p, std::size_t n) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) std::abort();
    if (n) std::fwrite(p, 1, n, f);
    std::fclose(f);
}

// A scratch directory with the icons READPLAYERS needs; the process works inside it.
void enterScratch() {
    static bool done = false;
    if (done) return;
    if (!::mkdtemp(g_scratch) || ::chdir(g_scratch) != 0) std::abort();
    std::atexit(removeScratch);
    const char* stems[20] = {"ih1", "ih2", "ib1", "ib2", "is1", "is2", "im1", "im2", "ie1", "ie2",
                             "ih3", "ih4", "ib3", "ib4", "is3", "is4", "im3", "im4", "ie3", "ie4"};
    std::uint8_t icon[1024];
    for (int i = 0; i < 1024; ++i) icon[i] = static_cast<std::uint8_t>(i % 17);
    for (const char* s : stems) put(std::string(s) + ".RAW", icon, sizeof icon);
    done = true;
}

std::size_t take(const std::uint8_t*& p, std::size_t& left, std::size_t want) {
    std::size_t n = want < left ? want : left;
    p += n;
    left -= n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enterScratch();
    if (size < 5) return 0;
    const int nummer = data[0] % 10 + 1;
    IGNORMODE = (data[0] & 0x80) != 0;
    RSTSIZE = (data[0] >> 4) & 3;
    std::size_t teamlen = data[1] | (data[2] << 8);
    std::size_t genlen = (data[3] | (data[4] << 8)) % 7000;
    const std::uint8_t* p = data + 5;
    std::size_t left = size - 5;

    const std::uint8_t* gen = p;
    std::size_t gn = take(p, left, genlen);
    const std::uint8_t* team = p;
    std::size_t tn = take(p, left, teamlen);
    NUMMER = static_cast<std::int16_t>(nummer);
    NUMMERSTR = std::to_string(nummer);
    GAMEDIR = ".\\";
    put("GEN" + NUMMERSTR + ".DAT", gen, gn);
    put("TEAM" + NUMMERSTR + ".DAT", team, tn);
    put("PLAYER" + NUMMERSTR + ".DAT", p, left);

    try {
        OPENFILES(_PLAYER | _TEAM);
        READGEN();
        READALLTEAMS();
        CHECKTEAMCHANGE();
        READPLAYERS();
        for (int i = 1; i <= 10; ++i) {
            PLAYERREC d{};
            std::int16_t prozent = 0;
            SETMOTIPLAYER(PLAYER[i], d, prozent);
            (void)PLAYERWERT(PLAYER[i]);
            (void)GETRACENAME(PLAYER[i].RACE);
            (void)TESTPOSI(TEAM, i % 6, PLAYER[i].INDI, PLAYER[i].PASS);
            (void)TABPLATZ(TEAM.PLAYERS[i]);
            SPIELPLANTYPE s{};
            (void)PAARUNG(SPIELTAG(), i % 7, s);
            (void)TEAMNAME[GEN.TABELLE[i].TEAM].str();
        }
        for (int nr = 1; nr <= 3; ++nr) {
            PLAYERREC q{};
            READPLAYER(nr, q);
            WRITEPLAYER(nr, q);
        }
    } catch (const FatalError&) {
    }
    try {
        CLOSEFILES(_PLAYER | _TEAM);
    } catch (const FatalError&) {
    }
    return 0;
}

// History files and icon files as they arrive in a game directory: read every
// line of a history file and an icon block. Lines are cut, never overrun.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"
#include "management/statbuild.h"
#include "management/stats.h"
#include "ui/dialogs.h"

using namespace korax;

namespace {

// Plain storage, so the clean-up at exit never meets a destroyed string.
char g_scratch[] = "/tmp/korax-fuzz-history-XXXXXX";

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

void enterScratch() {
    static bool done = false;
    if (done) return;
    if (!::mkdtemp(g_scratch) || ::chdir(g_scratch) != 0) std::abort();
    std::atexit(removeScratch);
    done = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enterScratch();
    GAMEDIR = ".\\";
    put("TEAM5.HI", data, size);
    put("FUZZ.RAW", data, size);
    try {
        OPENHIS(5, false, false);
        ERFOLGREC line;
        std::size_t lines = 0;
        while (READHIS(line)) {
            if (line.size() > 40) std::abort();
            if (++lines > size + 1) std::abort();
        }
        CLOSEHIS();
        APPENDHIS(5, line, false);
        CLOSEHIS();
        ICONREC icon;
        (void)READICONTOL("FUZZ", icon);
        // The history screen's list and pages over the same file.
        put("TEAM5.HI", data, size);
        NUMMER = 5;
        const int anzahl = LADEHISTORIE();
        if (anzahl < 0 || anzahl > static_cast<int>(HISMAX) || anzahl > static_cast<int>(size) + 1) std::abort();
        int first = 1;
        for (int step = 0; step < 64; ++step) {
            first = HISSCROLL(first, step % 5 == 4 ? -1 : 1, anzahl);
            if (first < 1 || first > std::max(anzahl, 1)) std::abort();
            std::string text;
            LISTEGET(first, text);
            const HISZEILE z = HISTORIEZEILE(text);
            if (z.text.size() > text.size()) std::abort();
        }
        LISTECLOSE();
    } catch (const FatalError&) {
    }
    try {
        CLOSEHIS();
    } catch (const FatalError&) {
    }
    return 0;
}

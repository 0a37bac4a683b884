#include "graph/htime.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "base/state.h"
#include "base/types.h"
#include "graph/inputscript.h"
#include "graph/wingraph.h"
#include "platform/dospath.h"

namespace korax {

std::uint16_t TICKCOUNT = 0;

namespace {

std::atomic<std::uint64_t> HEADLESS_CLOCK{0};

std::string marker_path(std::string_view name) {
    // The name is a string[12].
    return HOSTPATH(GAMEDIR + std::string(name.substr(0, 12)));
}

std::int32_t stamp_of(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return 0;
    return DOSPACKTIME(static_cast<std::int64_t>(st.st_mtime));
}

}  // namespace

void DELAY(int ms) {
    if (ms < 0) ms = 0;
    SCRIPT_DELAYED(static_cast<std::uint32_t>(ms));
    if (GRAPH_HEADLESS()) {
        HEADLESS_CLOCK += static_cast<std::uint64_t>(ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void EWAIT(int ms) { DELAY(ms); }

void XDELAY(int ms) { DELAY(ms); }

std::uint64_t CLOCK_MS() {
    if (GRAPH_HEADLESS()) return HEADLESS_CLOCK;
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

void ADVANCE_CLOCK(std::uint64_t ms) {
    if (GRAPH_HEADLESS()) HEADLESS_CLOCK += ms;
}

std::uint16_t READTICKS() { return ++TICKCOUNT; }

int ELAPSEDTICKS(std::uint16_t start, std::uint16_t stop) {
    const std::uint32_t span = static_cast<std::uint16_t>(stop - start);
    // span / 18.2 rounded, in integers: 10 * span / 182. No span lies exactly halfway.
    return static_cast<int>((20 * span + 182) / 364);
}

std::int32_t DOSPACKTIME(std::int64_t unixtime) {
    std::time_t t = static_cast<std::time_t>(unixtime);
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return 0;
    const int year = tm.tm_year + 1900;
    if (year < 1980 || year > 2107) return 0;
    const std::uint32_t packed = (static_cast<std::uint32_t>(year - 1980) << 25) |
                                 (static_cast<std::uint32_t>(tm.tm_mon + 1) << 21) |
                                 (static_cast<std::uint32_t>(tm.tm_mday) << 16) |
                                 (static_cast<std::uint32_t>(tm.tm_hour) << 11) |
                                 (static_cast<std::uint32_t>(tm.tm_min) << 5) |
                                 static_cast<std::uint32_t>(std::min(tm.tm_sec, 59) / 2);
    return static_cast<std::int32_t>(packed);
}

std::int32_t STARTETIME(std::string_view name) {
    const std::string path = marker_path(name);
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && std::remove(path.c_str()) != 0) return 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (std::fclose(f) != 0) return 0;
    return stamp_of(path);
}

std::int32_t STOPPETIME(std::string_view name) { return stamp_of(marker_path(name)); }

std::int32_t ADDUSAGE(std::int32_t sum, std::int32_t start, std::int32_t stop) {
    if (start <= 0 || stop <= 0) return sum;
    return WRAP32(static_cast<std::int64_t>(sum) + stop - start);
}

}  // namespace korax

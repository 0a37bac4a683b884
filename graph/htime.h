// Small timing operations: delays, a call counter used as a tick source, and time
// stamps of marker files that measure a span across program runs.
#pragma once

#include <cstdint>
#include <string_view>

namespace korax {

// Sleep ms milliseconds (negative counts as 0). In a headless run nothing sleeps:
// the program clock moves on by ms instead, so scripted runs are fast and repeatable.
void DELAY(int ms);
void EWAIT(int ms);
void XDELAY(int ms);

// Milliseconds on the program clock: the monotonic clock when there is a window;
// in a headless run a clock that only DELAY and the script's `wait` move.
std::uint64_t CLOCK_MS();
// Lets ms milliseconds pass on the headless clock (script `wait`).
void ADVANCE_CLOCK(std::uint64_t ms);

// The counter behind READTICKS (tests reset it).
extern std::uint16_t TICKCOUNT;
// Increments the 16-bit counter and returns it.
std::uint16_t READTICKS();
// Seconds for a span of timer ticks at 18.2 per second, rounded half to even. The
// span is taken modulo 2^16, so a counter that wrapped still gives the right count.
int ELAPSEDTICKS(std::uint16_t start, std::uint16_t stop);

// Deletes GAMEDIR + name if it exists, creates it empty and returns its packed DOS
// time stamp; 0 on an input/output error.
std::int32_t STARTETIME(std::string_view name);
// The packed DOS time stamp of GAMEDIR + name, or 0 when it cannot be read.
std::int32_t STOPPETIME(std::string_view name);
// Adds the usage between two stamps to a sum, but only when both stamps were taken.
std::int32_t ADDUSAGE(std::int32_t sum, std::int32_t start, std::int32_t stop);
// Packs a local time as the DOS file stamp (year - 1980 in bits 25..31, month,
// day, hour, minute, seconds / 2); 0 before 1980 or after 2107.
std::int32_t DOSPACKTIME(std::int64_t unixtime);

}  // namespace korax

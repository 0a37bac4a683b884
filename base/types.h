// Program-wide small types: fixed Pascal-style strings and the fatal error path.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

static_assert(std::endian::native == std::endian::little, "records are little-endian on disk");

// string[N]: one length byte followed by N bytes, as stored in every record.
// Reading clamps the length byte to N, so a damaged length never reads past the field.
template <std::size_t N>
struct PSTRING {
    static_assert(N >= 1 && N <= 255);
    std::uint8_t len = 0;
    char s[N] = {};

    std::size_t size() const { return std::min<std::size_t>(len, N); }
    std::string str() const { return std::string(s, size()); }
    operator std::string() const { return str(); }
    // Longer texts are cut to N; the unused tail is zeroed so written files are reproducible.
    void set(std::string_view v) {
        len = static_cast<std::uint8_t>(std::min(v.size(), N));
        std::memcpy(s, v.data(), len);
        std::memset(s + len, 0, N - len);
    }
    PSTRING& operator=(std::string_view v) { set(v); return *this; }
    static PSTRING of(std::string_view v) { PSTRING p; p.set(v); return p; }
};
static_assert(sizeof(PSTRING<8>) == 9 && alignof(PSTRING<8>) == 1);

using STRING8 = PSTRING<8>;
using STRING10 = PSTRING<10>;
using STRING12 = PSTRING<12>;
using STRING25 = PSTRING<25>;
using STRING40 = PSTRING<40>;
using STRING80 = PSTRING<80>;

// What ERROR throws: main catches it, shows the error screen and exits with nr.
struct FatalError : std::exception {
    int nr;
    std::string text;
    FatalError(int n, std::string t) : nr(n), text(std::move(t)) {}
    const char* what() const noexcept override { return text.c_str(); }
};

// The input character every screen reads: the last key or menu code, and the
// second byte of an extended key. Unsigned, because menu codes run past 127.
extern unsigned char KEY;
extern unsigned char KEY2;
// Set whenever input has happened (keys, clicks); screen savers and the adviser read it.
extern bool ETWAS;

// Decimal text of n, filled with blanks on the right up to width (width at most 10).
// The number itself is never cut, so the lowest LONGINT keeps its sign.
std::string W(std::int64_t n, int width);
// n tenths as a number with one decimal: 85 gives "8.5", 5 gives "0.5", -5 gives "-0.5".
std::string W10(std::int64_t n);
// Decimal text of n with leading zeros up to width (at most 10); a sign comes first.
std::string WNULL(std::int64_t n, int width);
// s (cut to 80) with its first "#" replaced by the number n; without "#" the number goes in front.
std::string NUMSTR(std::string_view s, std::int64_t n);
// The same with the text t in place of the number.
std::string SUBSTR(std::string_view s, std::string_view t);

// One line of a text file: its text without the end, and the end itself
// ("\r\n", "\n", or nothing for a last line without one).
struct TEXTLINE {
    std::string_view text;
    std::string_view end;
};
// The lines of a text as views into it; joining text + end of all gives it back.
std::vector<TEXTLINE> SPLITLINES(std::string_view data);

// round(): halves go to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::int64_t ROUND(double x);
// div and mod truncate toward zero. Division by zero gives 0 rather than a crash;
// the lowest value divided by -1 wraps as the 64-bit type would.
std::int64_t DIV(std::int64_t a, std::int64_t b);
std::int64_t MOD(std::int64_t a, std::int64_t b);
// Store a wide result back into a record field with two's-complement wrap.
constexpr std::int32_t WRAP32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }
constexpr std::int16_t WRAP16(std::int64_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }


// Reports an unrecoverable failure; never returns.
[[noreturn]] void ERROR(int nr, const std::string& text);

// The exit code of a fatal error: its low byte, and never 0 (a failure is never success).
int ERROR_EXITCODE(int nr);

// An orderly end outside the menu loop (the trainer cancelled a choice, nothing to
// import): main closes the graphics and exits with `code`, no error screen.
struct ProgramEnd {
    int code = 0;
};
[[noreturn]] void ENDPROGRAM(int code);

}  // namespace korax

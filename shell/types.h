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

// Reports an unrecoverable failure; never returns.
[[noreturn]] void ERROR(int nr, const std::string& text);

// The exit code of a fatal error: its low byte, and never 0 (a failure is never success).
int ERROR_EXITCODE(int nr);

}  // namespace korax

#include "base/types.h"

#include <cmath>
#include <limits>

namespace korax {

unsigned char KEY = 13;
unsigned char KEY2 = 0;
bool ETWAS = false;

void ERROR(int nr, const std::string& text) { throw FatalError(nr, text); }

void ENDPROGRAM(int code) { throw ProgramEnd{code}; }

int ERROR_EXITCODE(int nr) {
    int code = nr & 0xFF;
    return code == 0 ? 99 : code;
}

std::string W(std::int64_t n, int width) {
    std::string s = std::to_string(n);
    int w = std::min(width, 10);
    if (static_cast<int>(s.size()) < w) s.append(static_cast<std::size_t>(w) - s.size(), ' ');
    return s;
}

std::string W10(std::int64_t n) {
    // Built on the magnitude with an explicit sign, so -5 reads "-0.5" and not "0.-5".
    std::uint64_t mag = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    std::string s = (n < 0 ? "-" : "") + std::to_string(mag / 10) + "." + std::to_string(mag % 10);
    return s;
}

std::string WNULL(std::int64_t n, int width) {
    std::uint64_t mag = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    std::string digits = std::to_string(mag);
    std::string sign = n < 0 ? "-" : "";
    int w = std::min(width, 10);
    int pad = w - static_cast<int>(sign.size() + digits.size());
    if (pad > 0) digits.insert(0, static_cast<std::size_t>(pad), '0');
    return sign + digits;
}

std::string SUBSTR(std::string_view s, std::string_view t) {
    std::string r(s.substr(0, std::min<std::size_t>(s.size(), 80)));
    auto hash = r.find('#');
    if (hash == std::string::npos) r.insert(0, t);
    else r.replace(hash, 1, t);
    if (r.size() > 80) r.resize(80);
    return r;
}

std::string NUMSTR(std::string_view s, std::int64_t n) { return SUBSTR(s, std::to_string(n)); }

std::int64_t ROUND(double x) {
    if (!std::isfinite(x)) return 0;
    double r = std::floor(x);
    double frac = x - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    if (r >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (r <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);
}

std::int64_t DIV(std::int64_t a, std::int64_t b) {
    if (b == 0) return 0;
    if (b == -1) return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(a));
    return a / b;
}

std::int64_t MOD(std::int64_t a, std::int64_t b) {
    if (b == 0 || b == -1) return 0;
    return a % b;
}

std::vector<TEXTLINE> SPLITLINES(std::string_view data) {
    std::vector<TEXTLINE> out;
    std::size_t pos = 0;
    while (pos < data.size()) {
        const std::size_t nl = data.find('\n', pos);
        const std::size_t next = nl == std::string_view::npos ? data.size() : nl + 1;
        std::size_t textend = nl == std::string_view::npos ? data.size() : nl;
        if (textend > pos && data[textend - 1] == '\r') --textend;
        out.push_back({data.substr(pos, textend - pos), data.substr(textend, next - textend)});
        pos = next;
    }
    return out;
}

}  // namespace korax

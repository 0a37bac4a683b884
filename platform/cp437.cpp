#include "platform/cp437.h"

#include <array>
#include <unordered_map>

namespace korax {

namespace {

// Upper half of the code page; the lower half is ASCII except the control
// glyphs, which stay control characters in text.
constexpr std::array<char32_t, 128> HIGH = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
    0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
    0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1,
    0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD,
    0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562,
    0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534,
    0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
    0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393,
    0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6,
    0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0,
    0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

const std::unordered_map<char32_t, unsigned char>& reverse() {
    static const auto map = [] {
        std::unordered_map<char32_t, unsigned char> m;
        for (int i = 0; i < 128; ++i) m.emplace(HIGH[i], static_cast<unsigned char>(128 + i));
        m.emplace(0x03B2, 0xE1);  // Greek beta is drawn with the sharp s glyph
        return m;
    }();
    return map;
}

void put_utf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when malformed.
std::size_t get_utf8(std::string_view s, std::size_t i, char32_t& u) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n;
    if (b < 0x80) { u = b; return 1; }
    if ((b & 0xE0) == 0xC0) { n = 2; u = b & 0x1F; }
    else if ((b & 0xF0) == 0xE0) { n = 3; u = b & 0x0F; }
    else if ((b & 0xF8) == 0xF0) { n = 4; u = b & 0x07; }
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        u = (u << 6) | (c & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < minimum[n] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

char32_t CP437_TO_UNICODE(unsigned char c) { return c < 128 ? c : HIGH[c - 128]; }

int UNICODE_TO_CP437(char32_t u) {
    if (u < 128) return static_cast<int>(u);
    const auto& m = reverse();
    auto it = m.find(u);
    return it == m.end() ? -1 : it->second;
}

std::string CP437_TO_UTF8(std::string_view cp437) {
    std::string out;
    out.reserve(cp437.size() * 2);
    for (unsigned char c : cp437) put_utf8(out, CP437_TO_UNICODE(c));
    return out;
}

std::string UTF8_TO_CP437(std::string_view utf8, char fallback) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t u = 0;
        std::size_t n = get_utf8(utf8, i, u);
        if (n == 0) { out += fallback; ++i; continue; }
        int c = UNICODE_TO_CP437(u);
        out += c < 0 ? fallback : static_cast<char>(c);
        i += n;
    }
    return out;
}

bool LOOKS_LIKE_UTF8(std::string_view bytes) {
    bool multi = false;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t u = 0;
        std::size_t n = get_utf8(bytes, i, u);
        if (n == 0) return false;
        multi = multi || n > 1;
        i += n;
    }
    return multi;
}

}  // namespace korax

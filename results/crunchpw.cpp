#include "results/zipper.h"

#include <sys/stat.h>

#include <cstdint>

#include "platform/dospath.h"

namespace korax {

namespace {

// MT19937 with its standard initialisation, written out because the check value
// must be the same everywhere the game master computes it.
struct MT19937 {
    std::uint32_t mt[624];
    int index = 624;
    explicit MT19937(std::uint32_t seed) {
        mt[0] = seed;
        for (int i = 1; i < 624; ++i) mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
    }
    std::uint32_t next() {
        if (index >= 624) {
            for (int i = 0; i < 624; ++i) {
                std::uint32_t y = (mt[i] & 0x80000000u) | (mt[(i + 1) % 624] & 0x7FFFFFFFu);
                mt[i] = mt[(i + 397) % 624] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
            }
            index = 0;
        }
        std::uint32_t y = mt[index++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        y ^= y >> 18;
        return y;
    }
};

constexpr std::size_t MODEMAX = 10;

}  // namespace

std::string CRUNCHPW(std::string_view pw) {
    if (pw.size() > 8) pw = pw.substr(0, 8);
    if (pw.empty()) return {};
    std::uint32_t seed = static_cast<std::uint32_t>(pw.size());
    for (std::size_t i = 0; i < pw.size(); ++i)
        seed += static_cast<std::uint32_t>(i + 1) * static_cast<unsigned char>(pw[i]);
    MT19937 gen(seed);
    std::string check;
    for (unsigned char code : pw) {
        unsigned c;
        do {
            std::uint32_t r = gen.next();
            auto x = static_cast<unsigned>((static_cast<std::uint64_t>(r) * 255u) >> 32);
            c = (x ^ code) & 0xFFu;
        } while (c <= 32);
        check += static_cast<char>(c);
    }
    return check;
}

void CRUNCHPW(const STRING8& pw, STRING8& check) { check.set(CRUNCHPW(pw.str())); }

bool PASSWORDFITS(std::string_view pw, STRING8& stored) {
    std::string full = CRUNCHPW(pw);
    if (pw.size() == 8 && full.substr(0, 7) == stored.str()) stored.set(full);
    return full == stored.str();
}

std::string ZIPMODETEXT(std::string_view mode, bool quiet) {
    std::string text(mode);
    if (quiet) text += '!';
    if (text.size() > MODEMAX) text.resize(MODEMAX);
    return text;
}

std::string NEWESTCONTAINER(std::string_view dosdir) {
    std::string best;
    struct timespec besttime {};
    for (const auto& name : FINDFILES(dosdir, "*.RST")) {
        std::string dir(dosdir);
        if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
        struct stat st;
        if (::stat(HOSTPATH(dir + name).c_str(), &st) != 0) continue;
        // FINDFILES sorts by name, so on equal times the first name stays.
        if (best.empty() || st.st_mtim.tv_sec > besttime.tv_sec ||
            (st.st_mtim.tv_sec == besttime.tv_sec && st.st_mtim.tv_nsec > besttime.tv_nsec)) {
            best = name;
            besttime = st.st_mtim;
        }
    }
    return best;
}

}  // namespace korax

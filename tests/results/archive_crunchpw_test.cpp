// The password check value: a fixed function of the password's CP437 bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "results/zipper.h"

using namespace korax;

namespace {

// Computed independently with the standard MT19937: seed = length + sum of i * code(pw[i]);
// per character draw r until c = (floor(r * 255 / 2^32) xor code) mod 256 is above 32.
std::string reference(const std::string& pw) {
    std::uint32_t seed = static_cast<std::uint32_t>(pw.size());
    for (std::size_t i = 0; i < pw.size(); ++i) seed += static_cast<std::uint32_t>(i + 1) * static_cast<unsigned char>(pw[i]);
    std::mt19937 gen(seed);
    std::string out;
    for (unsigned char code : pw) {
        unsigned c;
        do c = (static_cast<unsigned>(std::uint64_t(gen()) * 255 >> 32) ^ code) % 256;
        while (c <= 32);
        out += static_cast<char>(c);
    }
    return out;
}

}  // namespace

TEST(ArchiveCrunchpw, GoldenValuesAndTheStandardGenerator) {
    const std::pair<std::string, std::string> golden[] = {
        {"a", "\xDB"}, {"secret", "\x4E\xD0\x3C\x96\x75\xB7"}, {"PASSWORD", "\x6E\x41\xDB\xE9\x77\x2B\x76\x27"},
        {"\x84\x94\x81", "\x58\x61\x8C"},  // the CP437 bytes of the umlauts, not UTF-8
        {"PASSWORDextra", "\x6E\x41\xDB\xE9\x77\x2B\x76\x27"}, {"", ""}};  // eight characters count
    for (const auto& [pw, check] : golden) EXPECT_EQ(CRUNCHPW(pw), check) << pw;
    std::mt19937 pick(7);
    for (int n = 0; n < 500; ++n) {
        std::string pw;
        for (std::size_t i = 0, len = 1 + pick() % 8; i < len; ++i) pw += static_cast<char>(1 + pick() % 255);
        ASSERT_EQ(CRUNCHPW(pw), reference(pw)) << "password #" << n;
    }
    STRING8 check;
    check.set("stale");
    CRUNCHPW(STRING8::of("Hugo"), check);
    EXPECT_EQ(check.str(), CRUNCHPW("Hugo"));
    CRUNCHPW(STRING8{}, check);
    EXPECT_EQ(check.size(), 0u);
}

// An eight-character password whose stored check value has seven characters
// fits, and the stored value is completed so the full value has to match later.
TEST(ArchivePasswordFits, ExactOrSevenOfEightStored) {
    const std::string full = CRUNCHPW("PASSWORD");
    const struct { std::string stored, typed; bool fits; std::string after; } cases[] = {
        {CRUNCHPW("secret"), "secret", true, CRUNCHPW("secret")}, {CRUNCHPW("secret"), "Secret", false, CRUNCHPW("secret")},
        {full.substr(0, 7), "PASSWORD", true, full}, {full.substr(0, 7), "PASSWOR", false, full.substr(0, 7)},
        {full.substr(0, 7), "PASSWORX", false, full.substr(0, 7)}, {"", "", true, ""}, {"", "a", false, ""}};
    for (const auto& c : cases) {
        STRING8 stored = STRING8::of(c.stored);
        EXPECT_EQ(PASSWORDFITS(c.typed, stored), c.fits) << c.typed;
        EXPECT_EQ(stored.str(), c.after) << c.typed;
    }
}

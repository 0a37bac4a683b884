// The password check value: a fixed function of the password's CP437 bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "results/zipper.h"

using namespace korax;

namespace {

// The check value computed independently with the standard library's MT19937:
// seed = length + sum of i * code(pw[i]) (i from 1); per character draw r until
// c = (floor(r * 255 / 2^32) xor code) mod 256 is above 32.
std::string reference(const std::string& pw) {
    if (pw.empty()) return {};
    std::uint32_t seed = static_cast<std::uint32_t>(pw.size());
    for (std::size_t i = 0; i < pw.size(); ++i) seed += static_cast<std::uint32_t>(i + 1) * static_cast<unsigned char>(pw[i]);
    std::mt19937 gen(seed);
    std::string out;
    for (unsigned char code : pw) {
        unsigned c;
        do {
            std::uint64_t r = gen();
            unsigned x = static_cast<unsigned>(r * 255 / (std::uint64_t(1) << 32));
            c = (x ^ code) % 256;
        } while (c <= 32);
        out += static_cast<char>(c);
    }
    return out;
}

std::string bytes(std::initializer_list<unsigned> v) {
    std::string s;
    for (unsigned b : v) s += static_cast<char>(b);
    return s;
}

}  // namespace

TEST(ArchiveCrunchpw, GoldenValues) {
    EXPECT_EQ(CRUNCHPW("a"), bytes({0xDB}));
    EXPECT_EQ(CRUNCHPW("secret"), bytes({0x4E, 0xD0, 0x3C, 0x96, 0x75, 0xB7}));
    EXPECT_EQ(CRUNCHPW("Korax"), bytes({0x41, 0xDD, 0x46, 0x58, 0x58}));
    EXPECT_EQ(CRUNCHPW("PASSWORD"), bytes({0x6E, 0x41, 0xDB, 0xE9, 0x77, 0x2B, 0x76, 0x27}));
    EXPECT_EQ(CRUNCHPW("12345678"), bytes({0x70, 0x76, 0x84, 0x66, 0x2D, 0x9F, 0xCB, 0xE6}));
}

TEST(ArchiveCrunchpw, MatchesTheStandardGeneratorForManyPasswords) {
    std::mt19937 pick(7);
    for (int n = 0; n < 500; ++n) {
        std::string pw;
        std::size_t len = 1 + pick() % 8;
        for (std::size_t i = 0; i < len; ++i) pw += static_cast<char>(1 + pick() % 255);
        ASSERT_EQ(CRUNCHPW(pw), reference(pw)) << "password #" << n;
    }
}

TEST(ArchiveCrunchpw, CodePage437BytesFirstEightCharactersAndLengthKept) {
    // "äöü" typed by the trainer is 0x84 0x94 0x81 in the team record, not UTF-8.
    std::string cp437 = bytes({0x84, 0x94, 0x81});
    EXPECT_EQ(CRUNCHPW(cp437), bytes({0x58, 0x61, 0x8C}));
    EXPECT_NE(CRUNCHPW(cp437), CRUNCHPW("\xC3\xA4\xC3\xB6\xC3\xBC"));
    EXPECT_EQ(CRUNCHPW("PASSWORDextra"), CRUNCHPW("PASSWORD"));
    EXPECT_EQ(CRUNCHPW(""), "");
    for (const char* pw : {"x", "ab", "zzzzzzzz", "\x01\x02\x03", "\xFF\xFF"}) {
        std::string c = CRUNCHPW(pw);
        EXPECT_EQ(c.size(), std::string(pw).size());
        for (unsigned char ch : c) EXPECT_GT(ch, 32u);
    }
    STRING8 pw = STRING8::of("Hugo"), check;
    check.set("stale");
    CRUNCHPW(pw, check);
    EXPECT_EQ(check.str(), CRUNCHPW("Hugo"));
    STRING8 none;
    CRUNCHPW(none, check);
    EXPECT_EQ(check.size(), 0u);
}

// An eight-character password whose stored check value has seven characters
// fits, and the stored value is completed so the full value has to match later.
TEST(ArchivePasswordFits, ExactOrSevenOfEightStored) {
    const std::string full = CRUNCHPW("PASSWORD");
    const struct { std::string stored, typed; bool fits; std::string after; } cases[] = {
        {CRUNCHPW("secret"), "secret", true, CRUNCHPW("secret")},
        {CRUNCHPW("secret"), "Secret", false, CRUNCHPW("secret")},
        {CRUNCHPW("secret"), "", false, CRUNCHPW("secret")},
        {full.substr(0, 7), "PASSWORD", true, full},
        {full.substr(0, 7), "PASSWOR", false, full.substr(0, 7)},
        {full.substr(0, 7), "PASSWORX", false, full.substr(0, 7)},
        {"", "", true, ""},
        {"", "a", false, ""}};
    for (const auto& c : cases) {
        STRING8 stored = STRING8::of(c.stored);
        EXPECT_EQ(PASSWORDFITS(c.typed, stored), c.fits) << c.typed;
        EXPECT_EQ(stored.str(), c.after) << c.typed;
    }
}

#include <gtest/gtest.h>

#include <climits>

#include "base/types.h"

using namespace korax;

TEST(NumberText, WidthsSignsPlacesAndPlaceholders) {
    const std::pair<std::string, std::string> cases[] = {
        {W(123, 2), "123"}, {W(-4, 4), "-4  "}, {W(1, 40), "1         "},  // at most ten wide
        {W(INT32_MIN, 0), "-2147483648"}, {W10(5), "0.5"}, {W10(-5), "-0.5"}, {W10(-32768), "-3276.8"},
        {WNULL(1234, 2), "1234"}, {WNULL(-5, 3), "-05"}, {WNULL(7, 20), "0000000007"},
        {NUMSTR("Team # of #", 7), "Team 7 of #"}, {NUMSTR("", -5), "-5"},  // no hash: the number goes in front
        {SUBSTR("File # not found", "TEAM3.DAT"), "File TEAM3.DAT not found"}, {SUBSTR("abc", "X"), "Xabc"},
        {SUBSTR(std::string(79, 'a') + "#", "XYZ"), std::string(79, 'a') + "X"},  // cut to 80
        {NUMSTR(std::string(100, 'b'), 1), "1" + std::string(79, 'b')}};
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

TEST(Arithmetic, RoundingToEvenDivisionTowardZeroAndWrapping) {
    const std::pair<double, long long> rounds[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3}, {-0.6, -1},
        {std::numeric_limits<double>::quiet_NaN(), 0}, {std::numeric_limits<double>::infinity(), 0}};
    for (const auto& [x, r] : rounds) EXPECT_EQ(ROUND(x), r) << x;
    const std::pair<long long, long long> results[] = {
        {DIV(7, 2), 3}, {DIV(-7, 2), -3}, {DIV(7, -2), -3}, {MOD(-7, 2), -1}, {MOD(7, -2), 1},
        {DIV(5, 0), 0}, {MOD(5, 0), 0}, {DIV(INT64_MIN, -1), INT64_MIN}, {MOD(INT64_MIN, -1), 0},  // no trap
        {WRAP32(0x80000000LL), INT32_MIN}, {WRAP32(-1LL - 0xFFFFFFFFLL), 0}, {WRAP16(40000), 40000 - 65536}};
    for (const auto& [got, want] : results) EXPECT_EQ(got, want);
}

TEST(FatalError, AnExitCodeThatIsNeverSuccess) {
    const std::pair<int, int> codes[] = {{113, 113}, {0, 99}, {256, 99}, {300, 44}};
    for (const auto& [nr, code] : codes) EXPECT_EQ(ERROR_EXITCODE(nr), code) << nr;
}

#include <gtest/gtest.h>

#include <climits>

#include "base/types.h"
#include "shell/korax.h"

using namespace korax;

TEST(NumberText, PadsWithBlanksOnTheRight) {
    EXPECT_EQ(W(7, 3), "7  ");
    EXPECT_EQ(W(123, 2), "123");
    EXPECT_EQ(W(-4, 4), "-4  ");
    EXPECT_EQ(W(0, 0), "0");
}

TEST(NumberText, WidthIsAtMostTen) {
    EXPECT_EQ(W(1, 40), "1         ");
    EXPECT_EQ(W(1, 40).size(), 10u);
}

TEST(NumberText, LowestLongintKeepsItsSign) {
    EXPECT_EQ(W(INT32_MIN, 0), "-2147483648");
}

TEST(Tenths, OneDecimalPlace) {
    EXPECT_EQ(W10(85), "8.5");
    EXPECT_EQ(W10(100), "10.0");
    EXPECT_EQ(W10(5), "0.5");
    EXPECT_EQ(W10(0), "0.0");
    EXPECT_EQ(W10(-5), "-0.5");
    EXPECT_EQ(W10(-123), "-12.3");
    EXPECT_EQ(W10(-32768), "-3276.8");
}

TEST(LeadingZeros, FillsToWidth) {
    EXPECT_EQ(WNULL(5, 3), "005");
    EXPECT_EQ(WNULL(1234, 2), "1234");
    EXPECT_EQ(WNULL(-5, 3), "-05");
    EXPECT_EQ(WNULL(7, 20), "0000000007");
}

TEST(Placeholder, NumberReplacesFirstHash) {
    EXPECT_EQ(NUMSTR("Team # of #", 7), "Team 7 of #");
    EXPECT_EQ(NUMSTR("#", -12), "-12");
}

TEST(Placeholder, WithoutHashTheNumberGoesInFront) {
    EXPECT_EQ(NUMSTR(" players", 5), "5 players");
    EXPECT_EQ(NUMSTR("", 5), "5");
}

TEST(Placeholder, TextReplacesFirstHash) {
    EXPECT_EQ(SUBSTR("File # not found", "TEAM3.DAT"), "File TEAM3.DAT not found");
    EXPECT_EQ(SUBSTR("abc", "X"), "Xabc");
}

TEST(Placeholder, ResultIsCutToEighty) {
    std::string s(79, 'a');
    s += '#';
    EXPECT_EQ(SUBSTR(s, "XYZ").size(), 80u);
    EXPECT_EQ(SUBSTR(s, "XYZ").back(), 'X');
    std::string longer(100, 'b');
    EXPECT_EQ(NUMSTR(longer, 1), "1" + std::string(79, 'b'));
}

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(ROUND(2.5), 2);
    EXPECT_EQ(ROUND(3.5), 4);
    EXPECT_EQ(ROUND(-2.5), -2);
    EXPECT_EQ(ROUND(-3.5), -4);
    EXPECT_EQ(ROUND(0.5), 0);
    EXPECT_EQ(ROUND(1.5), 2);
    EXPECT_EQ(ROUND(2.4999), 2);
    EXPECT_EQ(ROUND(2.5001), 3);
    EXPECT_EQ(ROUND(-0.6), -1);
}

TEST(Rounding, NonFiniteGivesZero) {
    EXPECT_EQ(ROUND(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ROUND(std::numeric_limits<double>::infinity()), 0);
}

TEST(IntegerDivision, TruncatesTowardZero) {
    EXPECT_EQ(DIV(7, 2), 3);
    EXPECT_EQ(DIV(-7, 2), -3);
    EXPECT_EQ(DIV(7, -2), -3);
    EXPECT_EQ(MOD(-7, 2), -1);
    EXPECT_EQ(MOD(7, -2), 1);
}

TEST(IntegerDivision, NoTrapOnZeroOrOverflow) {
    EXPECT_EQ(DIV(5, 0), 0);
    EXPECT_EQ(MOD(5, 0), 0);
    EXPECT_EQ(DIV(INT64_MIN, -1), INT64_MIN);
    EXPECT_EQ(MOD(INT64_MIN, -1), 0);
}

TEST(Wrapping, StoresBackInTheFieldWidth) {
    EXPECT_EQ(WRAP32(0x80000000LL), INT32_MIN);
    EXPECT_EQ(WRAP32(-1LL - 0xFFFFFFFFLL), 0);
    EXPECT_EQ(WRAP16(40000), 40000 - 65536);
}

TEST(FatalError, ErrorThrowsNumberAndText) {
    try {
        ERROR(13, "GAME1");
        FAIL();
    } catch (const FatalError& e) {
        EXPECT_EQ(e.nr, 13);
        EXPECT_EQ(e.text, "GAME1");
    }
}

TEST(FatalError, ExitCodeIsLowByteAndNeverSuccess) {
    EXPECT_EQ(ERROR_EXITCODE(99), 99);
    EXPECT_EQ(ERROR_EXITCODE(113), 113);
    EXPECT_EQ(ERROR_EXITCODE(0), 99);
    EXPECT_EQ(ERROR_EXITCODE(256), 99);
    EXPECT_EQ(ERROR_EXITCODE(300), 44);
}

TEST(FatalError, ScreenOfErrorZeroStillEndsAsFailure) {
    testing::internal::CaptureStderr();
    int code = SHOWFATAL(0, "Wrong Team-Number in Pokal.RST");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 99);
    EXPECT_NE(err.find("Error 0: Wrong Team-Number in Pokal.RST"), std::string::npos);
}

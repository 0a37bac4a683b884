#include <gtest/gtest.h>

#include "platform/cp437.h"

using namespace korax;

TEST(Cp437, ConversionBothWaysAndDetection) {
    const std::string cp = "\x84\x94\x81\x8E\x99\x9A\xE1";
    EXPECT_EQ(CP437_TO_UTF8(cp), "äöüÄÖÜß");
    EXPECT_EQ(UTF8_TO_CP437("äöüÄÖÜß"), cp);
    // Unmappable and malformed sequences (a lone lead byte, a surrogate) become the fallback.
    EXPECT_EQ(UTF8_TO_CP437("a€b") + UTF8_TO_CP437("a\xC3") + UTF8_TO_CP437("\xED\xA0\x80x"), "a?ba????x");
    EXPECT_TRUE(LOOKS_LIKE_UTF8("Gr\xC3\xBC\xC3\x9F"));
    EXPECT_FALSE(LOOKS_LIKE_UTF8("plain ascii"));
    EXPECT_FALSE(LOOKS_LIKE_UTF8("Gr\x81\xE1"));  // CP437 bytes are not UTF-8
}

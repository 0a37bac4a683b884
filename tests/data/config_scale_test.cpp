// The window's scaling key in KORAX.INI: every value, letter case, comments, and
// values it does not know.
#include <gtest/gtest.h>

#include <string>

#include "data/config.h"
#include "platform/window.h"

using namespace korax;

TEST(ConfigScale, ValuesChooseTheScaling) {
    struct {
        const char* line;
        int scale;
    } const cases[] = {
        {"SCALE=AUTO", SCALE_AUTO},       {"SCALE=1", SCALE_1},
        {"SCALE=2", SCALE_2},             {"scale = 3 ; sharp", SCALE_3},
        {"Scale=smooth", SCALE_SMOOTH},   {"SCALE=4", SCALE_AUTO},
        {"SCALE=", SCALE_AUTO},           {"SCALE=-2", SCALE_AUTO},
        {"SCALE=2x", SCALE_AUTO},         {"SCALE", SCALE_AUTO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        RESET_CONFIG();
        WINDOW_SCALE = SCALE_SMOOTH;  // a first read starts from the automatic choice
        if (std::string(c.line) == "SCALE") {
            // A key line without "=" is refused as every other key's is.
            EXPECT_ANY_THROW(READINI_TEXT(std::string("ID=0\r\n") + c.line + "\r\n", 0, true));
            continue;
        }
        READINI_TEXT(std::string("ID=0\r\nGRAPHMODE=2\r\n") + c.line + "\r\n", 0, true);
        EXPECT_EQ(WINDOW_SCALE, c.scale);
    }
    RESET_CONFIG();
    EXPECT_EQ(WINDOW_SCALE, SCALE_AUTO);
}

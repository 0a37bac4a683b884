// The toolkit's key reader on top of the key queue: F1 is the help key "0".
#include "base/types.h"
#include "input_fixture.h"

namespace korax {
namespace {

TEST_F(InputTest, TasteTurnsF1IntoZeroAndKeepsOtherExtendedKeys) {
    const unsigned char oldkey = KEY, oldkey2 = KEY2;
    const bool oldetwas = ETWAS;
    ADDEXTKEY(59);
    ADDEXTKEY(60);
    ADDKEY('0');
    ADDEXTKEY(115);
    const std::pair<int, int> queued[] = {{'0', 59}, {0, 60}, {'0', -1}, {0, 115}};
    for (const auto& [key, key2] : queued) {
        TASTE();
        EXPECT_EQ(KEY, key);
        if (key2 >= 0) {
            EXPECT_EQ(KEY2, key2);
        }
    }
    SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT("key F1\nkey Ctrl+Left\nkey Esc\n", "taste.kis"));
    const std::pair<int, int> scripted[] = {{'0', -1}, {0, 115}, {27, -1}};
    for (const auto& [key, key2] : scripted) {
        TASTE();
        EXPECT_EQ(KEY, key);
        if (key2 >= 0) {
            EXPECT_EQ(KEY2, key2);
        }
    }
    EXPECT_THROW(TASTE(), ScriptExhausted);
    KEY = oldkey;
    KEY2 = oldkey2;
    ETWAS = oldetwas;
}

}  // namespace
}  // namespace korax

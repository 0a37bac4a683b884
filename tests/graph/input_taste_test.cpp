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
    TASTE();
    EXPECT_EQ(KEY, '0');
    EXPECT_EQ(KEY2, 59);
    TASTE();
    EXPECT_EQ(KEY, 0);
    EXPECT_EQ(KEY2, 60);
    TASTE();
    EXPECT_EQ(KEY, '0');
    TASTE();
    EXPECT_EQ(KEY, 0);
    EXPECT_EQ(KEY2, 115);
    KEY = oldkey;
    KEY2 = oldkey2;
    ETWAS = oldetwas;
}

TEST_F(InputTest, TasteReadsScriptedKeys) {
    const unsigned char oldkey = KEY, oldkey2 = KEY2;
    const bool oldetwas = ETWAS;
    SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT("key F1\nkey Ctrl+Left\nkey Esc\n", "taste.kis"));
    TASTE();
    EXPECT_EQ(KEY, '0');
    TASTE();
    EXPECT_EQ(KEY, 0);
    EXPECT_EQ(KEY2, 115);
    TASTE();
    EXPECT_EQ(KEY, 27);
    EXPECT_THROW(TASTE(), ScriptExhausted);
    KEY = oldkey;
    KEY2 = oldkey2;
    ETWAS = oldetwas;
}

}  // namespace
}  // namespace korax

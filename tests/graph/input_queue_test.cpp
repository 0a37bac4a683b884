// The key and mouse queues, the key translation table and the window messages.
#include "input_fixture.h"

namespace korax {
namespace {

using Keys = std::vector<int>;

TEST_F(InputTest, OverflowDropsTheOldestKeysAndExtendedKeysWhole) {
    for (int i = 0; i < 40; ++i) ADDKEY(static_cast<unsigned char>('A' + i));
    EXPECT_EQ(KEYQUEUE_COUNT(), 31);
    Keys expect;
    for (int i = 9; i < 40; ++i) expect.push_back('A' + i);
    EXPECT_EQ(drain(), expect);
    EXPECT_FALSE(KEYPRESSED());
    ADDEXTKEY(59);
    for (int i = 0; i < 29; ++i) ADDKEY('x');
    EXPECT_EQ(KEYQUEUE_COUNT(), 31);
    ADDKEY('y');  // pushes out #0 and its code together
    expect.assign(29, 'x');
    expect.push_back('y');
    EXPECT_EQ(drain(), expect);
}

TEST_F(InputTest, OverflowOfExtendedKeysKeepsEveryPairIntact) {
    for (int i = 0; i < 20; ++i) ADDEXTKEY(static_cast<unsigned char>(59 + i));
    Keys got = drain();
    ASSERT_EQ(got.size() % 2, 0u);
    ASSERT_FALSE(got.empty());
    for (std::size_t i = 0; i < got.size(); i += 2) {
        EXPECT_EQ(got[i], 0);
        EXPECT_NE(got[i + 1], 0);
    }
    EXPECT_EQ(got.back(), 59 + 19);
}

TEST_F(InputTest, CodeOfAHalfReadExtendedKeySurvivesOverflow) {
    ADDEXTKEY(75);
    EXPECT_EQ(READKEY(), 0);
    for (int i = 0; i < 40; ++i) ADDKEY('z');
    EXPECT_TRUE(KEYPRESSED());
    EXPECT_EQ(READKEY(), 75);
    EXPECT_EQ(READKEY(), 'z');
}

TEST_F(InputTest, ReadingWithNothingToComeStopsInsteadOfHanging) {
    try {
        READKEY();
        FAIL() << "no stop";
    } catch (const ScriptExhausted& e) {
        EXPECT_EQ(e.exitcode, 125);
    }
    TMOUSEEVENT e{};
    EXPECT_THROW(GETMOUSEEVENT(e), ScriptExhausted);
    // A closed window answers 0 at once.
    GRENABLED = false;
    ADDKEY('q');
    EXPECT_EQ(READKEY(), 0);
    GRENABLED = true;
    EXPECT_EQ(READKEY(), 'q');
}

TEST_F(InputTest, EmptyingTheQueuesClearsKeysEventsAndModifiers) {
    ADDKEY('a');
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_LEFT, 1, 2);
    KEYDOWN_MESSAGE(VK_CONTROL);
    KEYDOWN_MESSAGE(VK_SHIFT);
    EMPTY_INPUT_QUEUES();
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);
    EXPECT_EQ(MOUSEQUEUE_COUNT(), 0);
    EXPECT_FALSE(CTRL_KEY_DOWN());
    EXPECT_FALSE(SHIFT_KEY_DOWN());
}

// Every row of the translation table: none, Shift, Ctrl, Alt.
struct Row {
    std::uint16_t vk;
    int none, shift, ctrl, alt;
};
const Row TABLE[] = {
    {VK_BACK, 0, 0, 0, 14},          {VK_RETURN, 0, 0, 0, 166},      {VK_PAUSE, 250, 250, 250, 250},
    {VK_CLEAR, 76, 76, 143, 76},     {VK_PRIOR, 73, 73, 132, 153},   {VK_NEXT, 81, 81, 118, 161},
    {VK_END, 79, 79, 117, 79},       {VK_HOME, 71, 71, 119, 71},     {VK_LEFT, 75, 75, 115, 155},
    {VK_UP, 72, 72, 141, 152},       {VK_RIGHT, 77, 77, 116, 157},   {VK_DOWN, 80, 80, 145, 160},
    {VK_INSERT, 82, 82, 146, 162},   {VK_DELETE, 83, 83, 147, 163},  {VK_ADD, 0, 0, 144, 78},
    {VK_SUBTRACT, 0, 0, 142, 74},    {VK_F1, 59, 84, 94, 104},       {VK_F1 + 1, 60, 85, 95, 105},
    {VK_F1 + 9, 68, 93, 103, 113},   {VK_F1 + 10, 133, 135, 137, 139}, {VK_F12, 134, 136, 138, 140},
};

TEST_F(InputTest, TranslationTableCodes) {
    for (const Row& r : TABLE) {
        SCOPED_TRACE(r.vk);
        EXPECT_EQ(TRANSLATEKEY(r.vk, false, false, false), r.none);
        EXPECT_EQ(TRANSLATEKEY(r.vk, false, true, false), r.shift);
        EXPECT_EQ(TRANSLATEKEY(r.vk, true, false, false), r.ctrl);
        EXPECT_EQ(TRANSLATEKEY(r.vk, false, false, true), r.alt);
    }
}

TEST_F(InputTest, FirstModifierWinsInTheOrderCtrlShiftAlt) {
    EXPECT_EQ(TRANSLATEKEY(VK_LEFT, true, true, true), 115);
    EXPECT_EQ(TRANSLATEKEY(VK_F1, false, true, true), 84);
    EXPECT_EQ(TRANSLATEKEY(VK_F1 + 4, true, true, false), 98);
}

TEST_F(InputTest, AltLettersAndDigits) {
    const char* letters = "QWERTYUIOPASDFGHJKLZXCVBNM";
    const int codes[] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 30, 31, 32,
                         33, 34, 35, 36, 37, 38, 44, 45, 46, 47, 48, 49, 50};
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(TRANSLATEKEY(static_cast<std::uint16_t>(letters[i]), false, false, true), codes[i])
            << letters[i];
        EXPECT_EQ(TRANSLATEKEY(static_cast<std::uint16_t>(letters[i]), false, false, false), 0);
    }
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(TRANSLATEKEY(static_cast<std::uint16_t>('0' + d), false, false, true), 119 + d);
    EXPECT_EQ(TRANSLATEKEY('0', false, false, true), 129);
}

TEST_F(InputTest, KeystrokesThroughTheCharacterMessage) {
    EXPECT_EQ(KEYSTROKE_CODES(VK_RETURN, false, false, false), "\r");
    EXPECT_EQ(KEYSTROKE_CODES(VK_RETURN, false, false, true), std::string("\0\xA6", 2));
    EXPECT_EQ(KEYSTROKE_CODES(VK_ESCAPE, false, false, false), "\x1B");
    EXPECT_EQ(KEYSTROKE_CODES(VK_TAB, false, false, false), "\t");
    EXPECT_EQ(KEYSTROKE_CODES(VK_TAB, false, true, false), std::string("\0\x0F", 2));
    EXPECT_EQ(KEYSTROKE_CODES(VK_BACK, false, false, false), "\b");
    EXPECT_EQ(KEYSTROKE_CODES(VK_BACK, false, false, true), std::string("\0\x0E", 2));
    EXPECT_EQ(KEYSTROKE_CODES('A', false, false, false), "a");
    EXPECT_EQ(KEYSTROKE_CODES('A', false, true, false), "A");
    EXPECT_EQ(KEYSTROKE_CODES('C', true, false, false), "\x03");
    EXPECT_EQ(KEYSTROKE_CODES('X', false, false, true), std::string("\0\x2D", 2));
    EXPECT_EQ(KEYSTROKE_CODES('7', false, false, false), "7");
    EXPECT_EQ(KEYSTROKE_CODES(VK_F1 + 1, false, false, false), std::string("\0\x3C", 2));
    EXPECT_EQ(KEYSTROKE_CODES(VK_ADD, false, false, false), "");
}

TEST_F(InputTest, WindowMessagesFollowModifierKeys) {
    KEYDOWN_MESSAGE(VK_CONTROL);
    KEYDOWN_MESSAGE(VK_LEFT);
    KEYUP_MESSAGE(VK_CONTROL);
    KEYDOWN_MESSAGE(VK_LEFT);
    SYSKEYDOWN_MESSAGE(VK_LEFT);
    KEYDOWN_MESSAGE(VK_SHIFT);
    KEYDOWN_MESSAGE(VK_F1);
    KEYUP_MESSAGE(VK_SHIFT);
    KEYDOWN_MESSAGE(VK_RETURN);  // plain Enter comes as a character, not from the table
    CHAR_MESSAGE(13);
    CLOSE_MESSAGE();
    EXPECT_EQ(drain(), (Keys{0, 115, 0, 75, 0, 155, 0, 84, 13, 0, 107}));
}

TEST_F(InputTest, RightButtonPressAndReleaseEvents) {
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_RIGHT, 30, 40);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_RIGHT);
    ADDMOUSEEVENT(MOUSE_RELEASED, MOUSE_RIGHT, 31, 41);
    EXPECT_EQ(GETMOUSEBUTTONS(), 0);
    EXPECT_EQ(GETMOUSEX(), 31);
    EXPECT_EQ(GETMOUSEY(), 41);
    TMOUSEEVENT e{};
    ASSERT_TRUE(POLLMOUSEEVENT(e));
    EXPECT_EQ(e.BUTTONS, 16);
    EXPECT_EQ(e.ACTION, 1);
    ASSERT_TRUE(POLLMOUSEEVENT(e));  // polling does not remove
    EXPECT_EQ(e.ACTION, 1);
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.ACTION, 1);
    EXPECT_EQ(e.X, 30);
    EXPECT_EQ(e.Y, 40);
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.BUTTONS, 16);
    EXPECT_EQ(e.ACTION, 16);
    EXPECT_FALSE(POLLMOUSEEVENT(e));
}

TEST_F(InputTest, MovesKeepHeldButtonsAndTheQueueKeepsTheLast15) {
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_LEFT, 5, 5);
    ADDMOUSEEVENT(MOUSE_MOVED, MOUSE_LEFT, 9, 8);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_LEFT);
    EXPECT_EQ(GETMOUSEX(), 9);
    EXPECT_EQ(GETMOUSEY(), 8);
    for (int i = 0; i < 20; ++i) ADDMOUSEEVENT(MOUSE_MOVED, 0, static_cast<std::uint16_t>(i), 0);
    EXPECT_EQ(MOUSEQUEUE_COUNT(), 15);
    TMOUSEEVENT e{};
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.X, 5);
    SETMOUSEXY(512, 384);
    EXPECT_EQ(GETMOUSEX(), 512);
    EXPECT_EQ(GETMOUSEY(), 384);
}

TEST_F(InputTest, EmulationMouseButtonsAndBorder) {
    int b = -1, x = -1, y = -1;
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE, 5000, 20);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(x, 4000);
    EXPECT_EQ(y, 20);
    ADDMOUSEEVENT(MOUSE_RELEASED, MOUSE_LEFT, 5000, 20);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(b, 2);
    ADDMOUSEEVENT(MOUSE_RELEASED, MOUSE_RIGHT, 5000, 20);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(b, 0);  // the middle button has no bit here
    EMOUSEBORDER(100, 50, 200, 60);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 50);
    ADDMOUSEEVENT(MOUSE_MOVED, 0, 150, 70);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 60);
}

TEST_F(InputTest, ShowHideAndShapesOnlySetFlags) {
    ESHOWMOUSE();
    EXPECT_TRUE(MAUSISTAN);
    EHIDEMOUSE();
    EXPECT_FALSE(MAUSISTAN);
    ESHOWMOUSE();
    ERESETMOUSE();
    EXPECT_FALSE(MAUSISTAN);
    const std::pair<void (*)(), int> shapes[] = {{ESETDRAGMOUSE, MOUSESHAPE_DRAG}, {ESETSTOPMOUSE, MOUSESHAPE_STOP},
                                                 {ESETHMOUSE, MOUSESHAPE_WAIT}, {ESETSMOUSE, MOUSESHAPE_NORMAL}};
    for (const auto& [set, shape] : shapes) {
        set();
        EXPECT_EQ(MOUSESHAPE, shape);
    }
}

}  // namespace
}  // namespace korax

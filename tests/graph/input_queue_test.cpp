// The key and mouse queues, the key translation table, the window messages,
// SDL events, delays, ticks and the marker-file time stamps.
#include <fstream>

#include "base/types.h"
#include "data/g_types.h"
#include "graph_fixture.h"

using namespace korax;
using korax::test::InputTest;
using korax::test::Ints;

namespace {

TEST_F(InputTest, OverflowDropsTheOldestKeysAndExtendedKeysWhole) {
    for (int i = 0; i < 40; ++i) ADDKEY(static_cast<unsigned char>('A' + i));
    Ints expect;
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
    // The code of a half-read extended key survives.
    ADDEXTKEY(75);
    EXPECT_EQ(READKEY(), 0);
    for (int i = 0; i < 40; ++i) ADDKEY('z');
    EXPECT_EQ((Ints{READKEY(), READKEY()}), (Ints{75, 'z'}));
}

TEST_F(InputTest, ReadingWithNothingToComeStopsInsteadOfHanging) {
    EXPECT_THROW(READKEY(), ScriptExhausted);
    TMOUSEEVENT e{};
    EXPECT_THROW(GETMOUSEEVENT(e), ScriptExhausted);
    // A closed window answers 0 at once.
    GRENABLED = false;
    ADDKEY('q');
    const int closed = READKEY();
    GRENABLED = true;
    EXPECT_EQ((Ints{closed, READKEY()}), (Ints{0, 'q'}));
    // Emptying the queues clears keys, events and modifiers.
    ADDKEY('a');
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_LEFT, 1, 2);
    KEYDOWN_MESSAGE(VK_CONTROL);
    KEYDOWN_MESSAGE(VK_SHIFT);
    EMPTY_INPUT_QUEUES();
    EXPECT_EQ((Ints{KEYQUEUE_COUNT(), MOUSEQUEUE_COUNT(), CTRL_KEY_DOWN(), SHIFT_KEY_DOWN()}), (Ints{0, 0, 0, 0}));
}

TEST_F(InputTest, TranslationTableCodes) {
    // Rows of the table: none, Shift, Ctrl, Alt.
    const struct { std::uint16_t vk; Ints codes; } table[] = {
        {VK_BACK, {0, 0, 0, 14}},          {VK_PAUSE, {250, 250, 250, 250}}, {VK_CLEAR, {76, 76, 143, 76}},
        {VK_PRIOR, {73, 73, 132, 153}},    {VK_LEFT, {75, 75, 115, 155}},    {VK_DELETE, {83, 83, 147, 163}},
        {VK_ADD, {0, 0, 144, 78}},         {VK_F1, {59, 84, 94, 104}},       {VK_F1 + 9, {68, 93, 103, 113}},
        {VK_F1 + 10, {133, 135, 137, 139}}, {VK_F12, {134, 136, 138, 140}},  {'0', {0, 0, 0, 129}},
        {'1', {0, 0, 0, 120}},             {'9', {0, 0, 0, 128}},            {'Q', {0, 0, 0, 16}},
        {'P', {0, 0, 0, 25}},              {'A', {0, 0, 0, 30}},             {'L', {0, 0, 0, 38}},
        {'Z', {0, 0, 0, 44}},              {'M', {0, 0, 0, 50}},
    };
    for (const auto& r : table) {
        const Ints got = {TRANSLATEKEY(r.vk, false, false, false), TRANSLATEKEY(r.vk, false, true, false),
                          TRANSLATEKEY(r.vk, true, false, false), TRANSLATEKEY(r.vk, false, false, true)};
        EXPECT_EQ(got, r.codes) << r.vk;
    }
    // The first modifier wins in the order Ctrl, Shift, Alt.
    EXPECT_EQ(TRANSLATEKEY(VK_LEFT, true, true, true), 115);
    EXPECT_EQ(TRANSLATEKEY(VK_F1, false, true, true), 84);
    EXPECT_EQ(TRANSLATEKEY(VK_F1 + 4, true, true, false), 98);
}

TEST_F(InputTest, KeystrokesAndWindowMessages) {
    const struct { std::uint16_t vk; bool ctrl, shift, alt; std::string codes; } strokes[] = {
        {VK_RETURN, false, false, false, "\r"}, {VK_RETURN, false, false, true, std::string("\0\xA6", 2)},
        {VK_ESCAPE, false, false, false, "\x1B"}, {VK_TAB, false, true, false, std::string("\0\x0F", 2)},
        {VK_BACK, false, false, false, "\b"}, {'A', false, false, false, "a"}, {'A', false, true, false, "A"},
        {'C', true, false, false, "\x03"}, {'X', false, false, true, std::string("\0\x2D", 2)},
        {'7', false, false, false, "7"}, {VK_F1 + 1, false, false, false, std::string("\0\x3C", 2)},
        {VK_ADD, false, false, false, ""},
    };
    for (const auto& s : strokes) EXPECT_EQ(KEYSTROKE_CODES(s.vk, s.ctrl, s.shift, s.alt), s.codes) << s.vk;
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
    EXPECT_EQ(drain(), (Ints{0, 115, 0, 75, 0, 155, 0, 84, 13, 0, 107}));
}

TEST_F(InputTest, MouseEventsAndTheLast15) {
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_RIGHT, 30, 40);
    ADDMOUSEEVENT(MOUSE_RELEASED, MOUSE_RIGHT, 31, 41);
    EXPECT_EQ((Ints{GETMOUSEBUTTONS(), GETMOUSEX(), GETMOUSEY()}), (Ints{0, 31, 41}));
    TMOUSEEVENT e{};
    ASSERT_TRUE(POLLMOUSEEVENT(e));
    ASSERT_TRUE(POLLMOUSEEVENT(e));  // polling does not remove
    expect_event({MOUSE_RIGHT, 30, 40, MOUSE_PRESSED});
    expect_event({MOUSE_RIGHT, 31, 41, MOUSE_RELEASED});
    EXPECT_FALSE(POLLMOUSEEVENT(e));
    // Moves keep held buttons.
    ADDMOUSEEVENT(MOUSE_PRESSED, MOUSE_LEFT, 5, 5);
    ADDMOUSEEVENT(MOUSE_MOVED, MOUSE_LEFT, 9, 8);
    EXPECT_EQ((Ints{GETMOUSEBUTTONS(), GETMOUSEX(), GETMOUSEY()}), (Ints{MOUSE_LEFT, 9, 8}));
    for (int i = 0; i < 20; ++i) ADDMOUSEEVENT(MOUSE_MOVED, 0, static_cast<std::uint16_t>(i), 0);
    EXPECT_EQ(MOUSEQUEUE_COUNT(), 15);
    expect_event({0, 5, 0, MOUSE_MOVED});
    SETMOUSEXY(512, 384);
    EXPECT_EQ((Ints{GETMOUSEX(), GETMOUSEY()}), (Ints{512, 384}));
}

TEST_F(InputTest, EmulationMouse) {
    // X is held inside the work area, the middle button has no bit here, and a
    // border (100, 50)-(200, 60) pulls the pointer in at once.
    const struct { std::uint16_t action, buttons, x, y; Ints state; } steps[] = {
        {MOUSE_PRESSED, MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE, 5000, 20, {3, 4000, 20}},
        {MOUSE_RELEASED, MOUSE_LEFT, 5000, 20, {2, 4000, 20}},
        {MOUSE_RELEASED, MOUSE_RIGHT, 5000, 20, {0, 4000, 20}},
        {0, 0, 0, 0, {0, 200, 50}},
        {MOUSE_MOVED, 0, 150, 70, {0, 150, 60}},
    };
    for (const auto& s : steps) {
        if (s.action) ADDMOUSEEVENT(s.action, s.buttons, s.x, s.y);
        else EMOUSEBORDER(100, 50, 200, 60);
        int b = -1, x = -1, y = -1;
        EMOUSESTAT(b, x, y);
        EXPECT_EQ((Ints{b, x, y}), s.state) << s.x << "," << s.y;
    }
    // Showing, resetting and shapes only set flags.
    ESHOWMOUSE();
    const bool shown = MAUSISTAN;
    ERESETMOUSE();
    EXPECT_TRUE(shown && !MAUSISTAN);
    const std::pair<void (*)(), int> shapes[] = {{ESETDRAGMOUSE, MOUSESHAPE_DRAG}, {ESETSTOPMOUSE, MOUSESHAPE_STOP},
                                                 {ESETHMOUSE, MOUSESHAPE_WAIT}, {ESETSMOUSE, MOUSESHAPE_NORMAL}};
    for (const auto& [set, shape] : shapes) {
        set();
        EXPECT_EQ(MOUSESHAPE, shape);
    }
}
// SDL events as the window thread hands them over, without a display.
void key(Uint32 type, SDL_Keycode sym, Uint16 mod) { HANDLE_SDL_EVENT(test::key_event(type, sym, mod)); }
void text(const char* utf8) { HANDLE_SDL_EVENT(test::text_event(utf8)); }
void mouse(Uint32 type, Uint8 button, int x, int y) { HANDLE_SDL_EVENT(test::mouse_event(type, button, x, y)); }

TEST_F(InputTest, SdlKeysQueueWhatTheKeyboardGives) {
    // Either Ctrl, Alt or Shift key; the keypad follows Num Lock (with it, "8" comes as text).
    const std::pair<SDL_Keycode, Uint16> presses[] = {
        {SDLK_LEFT, KMOD_LCTRL}, {SDLK_LEFT, KMOD_LALT}, {SDLK_F1, KMOD_LSHIFT}, {SDLK_F12, KMOD_RCTRL},
        {SDLK_PAUSE, 0}, {SDLK_RETURN, 0}, {SDLK_KP_ENTER, 0}, {SDLK_ESCAPE, 0}, {SDLK_BACKSPACE, 0}, {SDLK_TAB, 0},
        {SDLK_c, KMOD_LCTRL}, {SDLK_RETURN, KMOD_LALT}, {SDLK_KP_8, 0}, {SDLK_KP_PERIOD, 0}, {SDLK_KP_8, KMOD_NUM},
        {SDLK_KP_PLUS, KMOD_LCTRL}, {SDLK_KP_MINUS, KMOD_LALT}};
    for (const auto& [sym, mod] : presses) {
        key(SDL_KEYDOWN, sym, mod);
        key(SDL_KEYUP, sym, mod);
    }
    EXPECT_EQ(drain(), (Ints{0, 115, 0, 155, 0, 84, 0, 138, 0, 250, 13, 13, 27, 8, 9, 3, 0, 166, 0, 72, 0, 83, 0, 144,
                             0, 74}));
    const struct { SDL_Keycode sym; Uint16 mod; int vk; } vks[] = {
        {SDLK_q, 0, 'Q'},           {SDLK_5, 0, '5'},          {SDLK_F11, 0, VK_F1 + 10},   {SDLK_KP_7, 0, VK_HOME},
        {SDLK_KP_7, KMOD_NUM, '7'}, {SDLK_KP_0, 0, VK_INSERT}, {SDLK_CAPSLOCK, 0, 0}, {SDLK_PAGEUP, 0, VK_PRIOR},
        {SDLK_DELETE, 0, VK_DELETE}, {SDLK_KP_5, 0, VK_CLEAR}};
    for (const auto& v : vks) EXPECT_EQ(SDL_KEY_TO_VK(v.sym, v.mod), v.vk) << v.sym;
}

TEST_F(InputTest, SdlTextAndModifiers) {
    key(SDL_KEYDOWN, SDLK_a, 0);  // the key itself queues nothing: its text does
    text("a");
    text("\xC3\xA4\xC3\x9F");  // ä ß
    text("\xE2\x82\xAC");      // the euro sign has no code page 437 form
    EXPECT_EQ(drain(), (Ints{'a', 0x84, 0xE1}));
    // Alt with a letter is a command, not text.
    key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    key(SDL_KEYDOWN, SDLK_x, KMOD_LALT);
    text("x");
    key(SDL_KEYDOWN, SDLK_1, KMOD_LALT);
    text("1");
    key(SDL_KEYUP, SDLK_LALT, KMOD_NONE);
    text("y");
    EXPECT_EQ(drain(), (Ints{0, 45, 0, 120, 'y'}));
    key(SDL_KEYDOWN, SDLK_LSHIFT, KMOD_LSHIFT);
    key(SDL_KEYDOWN, SDLK_RCTRL, KMOD_RCTRL);
    Ints held = {SHIFT_KEY_DOWN(), CTRL_KEY_DOWN()};
    key(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE);
    held.push_back(SHIFT_KEY_DOWN());
    key(SDL_KEYUP, SDLK_RCTRL, KMOD_NONE);
    held.push_back(CTRL_KEY_DOWN());
    EXPECT_EQ(held, (Ints{1, 1, 0, 0}));
}

TEST_F(InputTest, SdlMouseButtonsAndMoves) {
    mouse(SDL_MOUSEMOTION, 0, 10, 20);
    mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 11, 21);
    mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 11, 21);
    mouse(SDL_MOUSEMOTION, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, -5, 70000);
    mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 12, 22);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_LEFT);
    mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 22);
    mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 12, 22);  // not a button here
    for (const TMOUSEEVENT& x : {TMOUSEEVENT{0, 10, 20, 256}, {16, 11, 21, 1}, {17, 11, 21, 1}, {17, 0, 65535, 256},
                                 {16, 12, 22, 16}, {1, 12, 22, 16}})
        expect_event(x);
    EXPECT_EQ(MOUSEQUEUE_COUNT(), 0);
}

TEST_F(InputTest, TicksDelaysAndDosTime) {
    const struct { int from, to, ticks; } cases[] = {
        {0, 182, 10}, {0, 0, 0}, {0, 9, 0}, {0, 10, 1}, {100, 118, 1}, {65500, 146, 10}};  // 0.49 s, 0.55 s, wrapped
    for (const auto& c : cases) EXPECT_EQ(ELAPSEDTICKS(c.from, c.to), c.ticks) << c.from << ".." << c.to;
    EXPECT_EQ(READTICKS(), 1);
    EXPECT_EQ(READTICKS(), 2);
    TICKCOUNT = 65535;
    EXPECT_EQ(READTICKS(), 0);
    // Headless, a delay moves the clock without sleeping.
    const std::uint64_t t0 = CLOCK_MS();
    DELAY(600000);
    EWAIT(1000);
    XDELAY(1);
    DELAY(-5);
    EXPECT_EQ(CLOCK_MS() - t0, 601001u);
    const char* oldtz = std::getenv("TZ");
    const std::string saved = oldtz ? oldtz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2020-01-02 03:04:07 UTC
    EXPECT_EQ(DOSPACKTIME(1577934247), (40 << 25) | (1 << 21) | (2 << 16) | (3 << 11) | (4 << 5) | 3);
    EXPECT_EQ(DOSPACKTIME(0), 0);  // 1970 has no DOS stamp
    if (oldtz) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

TEST_F(InputTest, StartTimeEmptiesTheMarkerButLeavesADirectoryInTheWay) {
    test::ScratchDir dir;
    const std::string oldgamedir = GAMEDIR;
    const std::filesystem::path game = std::filesystem::path(dir.path()) / "Game1";
    std::filesystem::create_directories(game / "VGR.TMP" / "inside");
    GAMEDIR = "GAME1\\";
    std::ofstream(game / "korax.tmp") << "old contents";
    const std::int32_t t = STARTETIME("KORAX.TMP");
    EXPECT_GT(t, 0);
    EXPECT_EQ(std::filesystem::file_size(game / "korax.tmp"), 0u);
    EXPECT_FALSE(std::filesystem::exists(game / "KORAX.TMP"));
    EXPECT_EQ(STOPPETIME("korax.tmp"), t);
    EXPECT_EQ(STARTETIME("VGR.TMP"), 0);  // a directory in the way is not deleted
    EXPECT_TRUE(std::filesystem::exists(game / "VGR.TMP" / "inside"));
    GAMEDIR = oldgamedir;
}

}  // namespace

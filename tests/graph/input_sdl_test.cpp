// SDL events as the window thread hands them over, without a display.
#include "graph_fixture.h"

using namespace korax;
using korax::test::InputTest;
using korax::test::Ints;

namespace {

void key(Uint32 type, SDL_Keycode sym, Uint16 mod) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    HANDLE_SDL_EVENT(e);
}

void text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    HANDLE_SDL_EVENT(e);
}

void mouse(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = x;
        e.motion.y = y;
        e.motion.state = button;
    } else {
        e.button.button = button;
        e.button.x = x;
        e.button.y = y;
    }
    HANDLE_SDL_EVENT(e);
}

TEST_F(InputTest, SdlKeysQueueWhatTheKeyboardGives) {
    const struct { std::vector<std::pair<SDL_Keycode, Uint16>> presses; Ints keys; } cases[] = {
        {{{SDLK_LEFT, KMOD_LCTRL}, {SDLK_LEFT, KMOD_LALT}, {SDLK_LEFT, 0}, {SDLK_F1, 0}, {SDLK_F2, 0},
          {SDLK_F1, KMOD_LSHIFT}, {SDLK_F12, KMOD_RCTRL}, {SDLK_PAGEUP, KMOD_LCTRL}, {SDLK_DELETE, 0}, {SDLK_PAUSE, 0}},
         {0, 115, 0, 155, 0, 75, 0, 59, 0, 60, 0, 84, 0, 138, 0, 132, 0, 83, 0, 250}},
        {{{SDLK_RETURN, 0}, {SDLK_KP_ENTER, 0}, {SDLK_ESCAPE, 0}, {SDLK_BACKSPACE, 0}, {SDLK_TAB, 0},
          {SDLK_TAB, KMOD_LSHIFT}, {SDLK_c, KMOD_LCTRL}, {SDLK_RETURN, KMOD_LALT}},
         {13, 13, 27, 8, 9, 0, 15, 3, 0, 166}},
        // The keypad follows Num Lock; with it, "8" comes as text.
        {{{SDLK_KP_8, 0}, {SDLK_KP_5, 0}, {SDLK_KP_PERIOD, 0}, {SDLK_KP_8, KMOD_NUM}, {SDLK_KP_PLUS, KMOD_LCTRL},
          {SDLK_KP_MINUS, KMOD_LALT}},
         {0, 72, 0, 76, 0, 83, 0, 144, 0, 74}}};
    for (const auto& c : cases) {
        for (const auto& [sym, mod] : c.presses) {
            key(SDL_KEYDOWN, sym, mod);
            key(SDL_KEYUP, sym, mod);
        }
        EXPECT_EQ(drain(), c.keys);
    }
    const struct { SDL_Keycode sym; Uint16 mod; int vk; } vks[] = {
        {SDLK_q, 0, 'Q'},           {SDLK_5, 0, '5'},          {SDLK_F11, 0, VK_F1 + 10},   {SDLK_KP_7, 0, VK_HOME},
        {SDLK_KP_7, KMOD_NUM, '7'}, {SDLK_KP_0, 0, VK_INSERT}, {SDLK_CAPSLOCK, 0, 0}};
    for (const auto& v : vks) EXPECT_EQ(SDL_KEY_TO_VK(v.sym, v.mod), v.vk) << v.sym;
}

TEST_F(InputTest, SdlTextModifiersAndClose) {
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
    EXPECT_TRUE(SHIFT_KEY_DOWN());
    EXPECT_TRUE(CTRL_KEY_DOWN());
    key(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE);
    EXPECT_FALSE(SHIFT_KEY_DOWN());
    key(SDL_KEYUP, SDLK_RCTRL, KMOD_NONE);
    EXPECT_FALSE(CTRL_KEY_DOWN());
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    HANDLE_SDL_EVENT(e);
    EXPECT_EQ(drain(), (Ints{0, 107}));
}

TEST_F(InputTest, SdlMouseButtonsAndMoves) {
    mouse(SDL_MOUSEMOTION, 0, 10, 20);
    mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 11, 21);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_RIGHT);
    mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 11, 21);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_RIGHT | MOUSE_LEFT);
    mouse(SDL_MOUSEMOTION, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, -5, 70000);
    mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 12, 22);
    EXPECT_EQ(GETMOUSEBUTTONS(), MOUSE_LEFT);
    mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 22);
    EXPECT_EQ(GETMOUSEBUTTONS(), 0);
    mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 12, 22);  // not a button here
    for (const TMOUSEEVENT& x : {TMOUSEEVENT{0, 10, 20, 256}, {16, 11, 21, 1}, {17, 11, 21, 1}, {17, 0, 65535, 256},
                                 {16, 12, 22, 16}, {1, 12, 22, 16}})
        expect_event(x);
    EXPECT_EQ(MOUSEQUEUE_COUNT(), 0);
}

}  // namespace

#include "graph/sdl_input.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <array>
#include <atomic>

#include "graph/events.h"
#include "platform/cp437.h"
#include "platform/window.h"

namespace korax {

namespace {

// Only the window thread handles events, so this state needs no lock. Only the left
// Alt key counts as Alt: the right one is AltGr on many layouts and types characters.
bool LALT_HELD = false;
bool CTRL_HELD = false;
std::uint16_t BUTTONS_HELD = 0;
int LASTX = 0, LASTY = 0;  // the last mouse point, in program coordinates

constexpr Sint32 REQUEST_WARP = 1;
constexpr Sint32 REQUEST_CURSOR = 2;

Uint32 request_event_type() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

std::uint16_t clamp16(Sint32 v) { return static_cast<std::uint16_t>(std::clamp<Sint32>(v, 0, 65535)); }

// A window point into program coordinates. Movement over the bars goes to the
// nearest edge so that the mouse border still sees it; presses there are dropped.
bool map_point(Sint32 wx, Sint32 wy, bool clamp) {
    int px = 0, py = 0;
    if (!WINDOW_MAP_POINT(WINDOW_VIEW(), wx, wy, px, py, clamp)) return false;
    LASTX = px;
    LASTY = py;
    return true;
}

std::uint16_t button_code(Uint8 sdlbutton) {
    switch (sdlbutton) {
    case SDL_BUTTON_LEFT: return MOUSE_LEFT;
    case SDL_BUTTON_RIGHT: return MOUSE_RIGHT;
    case SDL_BUTTON_MIDDLE: return MOUSE_MIDDLE;
    default: return 0;
    }
}

std::uint16_t buttons_of_state(Uint32 state) {
    std::uint16_t b = 0;
    if (state & SDL_BUTTON_LMASK) b |= MOUSE_LEFT;
    if (state & SDL_BUTTON_RMASK) b |= MOUSE_RIGHT;
    if (state & SDL_BUTTON_MMASK) b |= MOUSE_MIDDLE;
    return b;
}

void queue_codes(const std::string& codes) {
    if (codes.size() == 2 && codes[0] == '\0')
        ADDEXTKEY(static_cast<unsigned char>(codes[1]));
    else
        for (char c : codes) ADDKEY(static_cast<unsigned char>(c));
}

// Decodes UTF-8 text and queues every character that code page 437 has.
void queue_text(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + SDL_strlen(text);
    while (p < end) {
        char32_t u;
        int n;
        if (*p < 0x80) { u = *p; n = 1; }
        else if ((*p & 0xE0) == 0xC0) { u = *p & 0x1F; n = 2; }
        else if ((*p & 0xF0) == 0xE0) { u = *p & 0x0F; n = 3; }
        else if ((*p & 0xF8) == 0xF0) { u = *p & 0x07; n = 4; }
        else { ++p; continue; }
        if (end - p < n) break;
        bool ok = true;
        for (int i = 1; i < n; ++i) {
            if ((p[i] & 0xC0) != 0x80) { ok = false; break; }
            u = (u << 6) | (p[i] & 0x3F);
        }
        if (!ok) { ++p; continue; }
        p += n;
        int c = UNICODE_TO_CP437(u);
        // Control characters come from the key events, never from text.
        if (c >= 32 && c != 127) ADDKEY(static_cast<unsigned char>(c));
    }
}

void key_down(const SDL_KeyboardEvent& k) {
    const SDL_Keycode sym = k.keysym.sym;
    const std::uint16_t mod = k.keysym.mod;
    LALT_HELD = (mod & KMOD_LALT) != 0;
    CTRL_HELD = (mod & KMOD_CTRL) != 0;
    if (sym == SDLK_LSHIFT || sym == SDLK_RSHIFT) return KEYDOWN_MESSAGE(VK_SHIFT);
    if (sym == SDLK_LCTRL || sym == SDLK_RCTRL) return KEYDOWN_MESSAGE(VK_CONTROL);
    if (sym == SDLK_LALT) {
        LALT_HELD = true;
        return;
    }
    const std::uint16_t vk = SDL_KEY_TO_VK(sym, mod);
    if (!vk) return;
    const bool ctrl = CTRL_HELD, alt = LALT_HELD, shift = (mod & KMOD_SHIFT) != 0;
    // Plain letters, digits, the space bar and keypad + and - arrive as text, in the
    // keyboard layout's own characters.
    const bool typed = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE ||
                       vk == VK_ADD || vk == VK_SUBTRACT;
    if (typed && !ctrl && !alt) return;
    queue_codes(KEYSTROKE_CODES(vk, ctrl, shift, alt));
}

void key_up(const SDL_KeyboardEvent& k) {
    const SDL_Keycode sym = k.keysym.sym;
    LALT_HELD = (k.keysym.mod & KMOD_LALT) != 0 && sym != SDLK_LALT;
    CTRL_HELD = (k.keysym.mod & KMOD_CTRL) != 0 && sym != SDLK_LCTRL && sym != SDLK_RCTRL;
    if (sym == SDLK_LSHIFT || sym == SDLK_RSHIFT) KEYUP_MESSAGE(VK_SHIFT);
    if (sym == SDLK_LCTRL || sym == SDLK_RCTRL) KEYUP_MESSAGE(VK_CONTROL);
}

void serve_request(const SDL_UserEvent& u) {
    if (u.code == REQUEST_WARP) {
        SDL_Window* w = SDL_GetKeyboardFocus();
        int wx = 0, wy = 0;
        WINDOW_UNMAP_POINT(WINDOW_VIEW(), static_cast<int>(reinterpret_cast<intptr_t>(u.data1)),
                           static_cast<int>(reinterpret_cast<intptr_t>(u.data2)), wx, wy);
        if (w) SDL_WarpMouseInWindow(w, wx, wy);
    } else if (u.code == REQUEST_CURSOR) {
        static std::array<SDL_Cursor*, 6> cursors{};
        static constexpr SDL_SystemCursor kinds[6] = {
            SDL_SYSTEM_CURSOR_ARROW, SDL_SYSTEM_CURSOR_WAIT,     SDL_SYSTEM_CURSOR_SIZEALL,
            SDL_SYSTEM_CURSOR_HAND,  SDL_SYSTEM_CURSOR_NO,       SDL_SYSTEM_CURSOR_CROSSHAIR};
        intptr_t shape = reinterpret_cast<intptr_t>(u.data1);
        if (shape < 0 || shape >= 6) return;
        if (!cursors[shape]) cursors[shape] = SDL_CreateSystemCursor(kinds[shape]);
        if (cursors[shape]) SDL_SetCursor(cursors[shape]);
    }
}

void push_request(Sint32 code, intptr_t a, intptr_t b) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event ev{};
    ev.type = request_event_type();
    if (ev.type == static_cast<Uint32>(-1)) return;
    ev.user.code = code;
    ev.user.data1 = reinterpret_cast<void*>(a);
    ev.user.data2 = reinterpret_cast<void*>(b);
    SDL_PushEvent(&ev);
}

}  // namespace

std::uint16_t SDL_KEY_TO_VK(SDL_Keycode sym, std::uint16_t mod) {
    if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<std::uint16_t>('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<std::uint16_t>('0' + (sym - SDLK_0));
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return static_cast<std::uint16_t>(VK_F1 + (sym - SDLK_F1));
    const bool numlock = (mod & KMOD_NUM) != 0;
    switch (sym) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CLEAR: return VK_CLEAR;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    default: break;
    }
    // Keypad digits: with Num Lock they type (as text), without they navigate.
    static constexpr std::uint16_t NAV[10] = {VK_INSERT, VK_END, VK_DOWN, VK_NEXT, VK_LEFT,
                                              VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP, VK_PRIOR};
    int digit = -1;
    switch (sym) {
    case SDLK_KP_0: digit = 0; break;
    case SDLK_KP_1: digit = 1; break;
    case SDLK_KP_2: digit = 2; break;
    case SDLK_KP_3: digit = 3; break;
    case SDLK_KP_4: digit = 4; break;
    case SDLK_KP_5: digit = 5; break;
    case SDLK_KP_6: digit = 6; break;
    case SDLK_KP_7: digit = 7; break;
    case SDLK_KP_8: digit = 8; break;
    case SDLK_KP_9: digit = 9; break;
    case SDLK_KP_PERIOD: return numlock ? 0 : VK_DELETE;
    default: return 0;
    }
    return numlock ? static_cast<std::uint16_t>('0' + digit) : NAV[digit];
}

void HANDLE_SDL_EVENT(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN: key_down(e.key); return;
    case SDL_KEYUP: key_up(e.key); return;
    case SDL_TEXTINPUT:
        // Alt with a key is a command (the table's Alt codes), never a character.
        if (LALT_HELD && !CTRL_HELD) return;
        queue_text(e.text.text);
        return;
    case SDL_MOUSEMOTION:
        if (!map_point(e.motion.x, e.motion.y, true)) return;
        ADDMOUSEEVENT(MOUSE_MOVED, buttons_of_state(e.motion.state), clamp16(LASTX), clamp16(LASTY));
        return;
    case SDL_MOUSEBUTTONDOWN: {
        std::uint16_t b = button_code(e.button.button);
        if (!b || !map_point(e.button.x, e.button.y, false)) return;
        BUTTONS_HELD |= b;
        ADDMOUSEEVENT(MOUSE_PRESSED, BUTTONS_HELD, clamp16(LASTX), clamp16(LASTY));
        return;
    }
    case SDL_MOUSEBUTTONUP: {
        std::uint16_t b = button_code(e.button.button);
        if (!b) return;
        // A release always arrives, at the last point when the window shows nothing.
        map_point(e.button.x, e.button.y, true);
        BUTTONS_HELD = static_cast<std::uint16_t>(BUTTONS_HELD & ~b);
        ADDMOUSEEVENT(MOUSE_RELEASED, b, clamp16(LASTX), clamp16(LASTY));
        return;
    }
    case SDL_WINDOWEVENT:
        // The close box only asks: the program reads it as Alt+F4 and decides.
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) CLOSE_MESSAGE();
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            LALT_HELD = CTRL_HELD = false;
            KEYUP_MESSAGE(VK_SHIFT);
            KEYUP_MESSAGE(VK_CONTROL);
        }
        return;
    default:
        if (e.type == request_event_type()) serve_request(e.user);
        return;
    }
}

void REQUEST_MOUSE_WARP(int x, int y) { push_request(REQUEST_WARP, x, y); }

void REQUEST_MOUSE_CURSOR(int shape) { push_request(REQUEST_CURSOR, shape, 0); }

void RESET_SDL_INPUT() {
    LALT_HELD = CTRL_HELD = false;
    BUTTONS_HELD = 0;
    LASTX = LASTY = 0;
}

}  // namespace korax

#include "graph/events.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "base/types.h"
#include "graph/inputscript.h"
#include "graph/sdl_input.h"
#include "graph/wingraph.h"

namespace korax {

namespace {

// The queues are written by the window thread and by an input script on the
// program's thread, and read by the program's thread. One small lock keeps the
// indices consistent, which also lets an overflow drop the oldest entry safely.
std::mutex INPUT_LOCK;

constexpr std::uint32_t KEYSLOTS = 32;
constexpr std::uint32_t MOUSESLOTS = 16;

unsigned char KEYBUF[KEYSLOTS + 1];  // 1-based
std::uint32_t NR_READKEY = 1, NR_INPUTKEY = 1;
// The code of an extended key whose #0 was already read. Taking both bytes out of
// the ring at once means an overflow can never separate them.
int PENDINGCODE = -1;

TMOUSEEVENT MOUSEBUF[MOUSESLOTS + 1];  // 1-based
std::uint32_t NR_READMOUSE = 1, NR_INPUTMOUSE = 1;
std::uint16_t MOUSEBUTTONS = 0, MOUSEX = 0, MOUSEY = 0;

std::atomic<bool> CTRL_KEY{false}, SHIFT_KEY{false}, ALT_KEY{false};

std::uint32_t advance(std::uint32_t i, std::uint32_t slots) { return i >= slots ? 1 : i + 1; }

bool keyempty_locked() { return NR_READKEY == NR_INPUTKEY && PENDINGCODE < 0; }

unsigned char popkey_locked() {
    unsigned char c = KEYBUF[NR_READKEY];
    NR_READKEY = advance(NR_READKEY, KEYSLOTS);
    return c;
}

void addkey_locked(unsigned char c) {
    KEYBUF[NR_INPUTKEY] = c;
    NR_INPUTKEY = advance(NR_INPUTKEY, KEYSLOTS);
    if (NR_INPUTKEY == NR_READKEY) {
        // Full: the oldest entry is lost, and an extended key goes as a whole.
        unsigned char lost = popkey_locked();
        if (lost == 0 && NR_READKEY != NR_INPUTKEY) popkey_locked();
    }
}

int keycount_locked() {
    int n = static_cast<int>((NR_INPUTKEY + KEYSLOTS - NR_READKEY) % KEYSLOTS);
    return n + (PENDINGCODE >= 0 ? 1 : 0);
}

int mousecount_locked() {
    return static_cast<int>((NR_INPUTMOUSE + MOUSESLOTS - NR_READMOUSE) % MOUSESLOTS);
}

void wait_a_little() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

}  // namespace

bool KEYPRESSED() {
    SCRIPT_KEYS_DEMAND();
    bool any;
    {
        std::lock_guard<std::mutex> g(INPUT_LOCK);
        any = !keyempty_locked();
    }
    if (!any) SCRIPT_IDLE(1);
    return any;
}

unsigned char READKEY() {
    if (!GRENABLED) return 0;
    for (;;) {
        SCRIPT_KEYS_DEMAND();
        bool got = false;
        unsigned char c = 0;
        {
            std::lock_guard<std::mutex> g(INPUT_LOCK);
            if (PENDINGCODE >= 0) {
                c = static_cast<unsigned char>(PENDINGCODE);
                PENDINGCODE = -1;
                got = true;
            } else if (!keyempty_locked()) {
                c = popkey_locked();
                if (c == 0 && NR_READKEY != NR_INPUTKEY) PENDINGCODE = popkey_locked();
                got = true;
            }
        }
        if (got) {
            SCRIPT_PROGRESS();
            return c;
        }
        if (GRAPH_HEADLESS()) SCRIPT_BLOCKED("a key");
        SCRIPT_IDLE(10);
        wait_a_little();
        if (!GRENABLED) return 0;
    }
}

std::uint16_t GETMOUSEBUTTONS() {
    SCRIPT_MOUSE_DEMAND();
    std::uint16_t b;
    {
        std::lock_guard<std::mutex> g(INPUT_LOCK);
        b = MOUSEBUTTONS;
    }
    SCRIPT_MOUSE_READ();
    return b;
}

std::uint16_t GETMOUSEX() {
    SCRIPT_MOUSE_DEMAND();
    std::uint16_t x;
    {
        std::lock_guard<std::mutex> g(INPUT_LOCK);
        x = MOUSEX;
    }
    SCRIPT_MOUSE_READ();
    return x;
}

std::uint16_t GETMOUSEY() {
    SCRIPT_MOUSE_DEMAND();
    std::uint16_t y;
    {
        std::lock_guard<std::mutex> g(INPUT_LOCK);
        y = MOUSEY;
    }
    SCRIPT_MOUSE_READ();
    return y;
}

void GETMOUSESTATE(std::uint16_t& buttons, std::uint16_t& x, std::uint16_t& y) {
    SCRIPT_MOUSE_DEMAND();
    PEEKMOUSESTATE(buttons, x, y);
    SCRIPT_MOUSE_READ();
}

void PEEKMOUSESTATE(std::uint16_t& buttons, std::uint16_t& x, std::uint16_t& y) {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    buttons = MOUSEBUTTONS;
    x = MOUSEX;
    y = MOUSEY;
}

bool POLLMOUSEEVENT(TMOUSEEVENT& event) {
    SCRIPT_MOUSE_DEMAND();
    bool any = false;
    {
        std::lock_guard<std::mutex> g(INPUT_LOCK);
        if (NR_READMOUSE != NR_INPUTMOUSE) {
            event = MOUSEBUF[NR_READMOUSE];
            any = true;
        }
    }
    if (any)
        SCRIPT_MOUSE_READ();
    else
        SCRIPT_IDLE(1);
    return any;
}

void GETMOUSEEVENT(TMOUSEEVENT& event) {
    for (;;) {
        SCRIPT_MOUSE_DEMAND();
        bool got = false;
        {
            std::lock_guard<std::mutex> g(INPUT_LOCK);
            if (NR_READMOUSE != NR_INPUTMOUSE) {
                event = MOUSEBUF[NR_READMOUSE];
                NR_READMOUSE = advance(NR_READMOUSE, MOUSESLOTS);
                got = true;
            }
        }
        if (got) {
            SCRIPT_MOUSE_READ();
            SCRIPT_PROGRESS();
            return;
        }
        if (GRAPH_HEADLESS() || !GRENABLED) SCRIPT_BLOCKED("a mouse event");
        SCRIPT_IDLE(10);
        wait_a_little();
    }
}

void SETMOUSEXY(int x, int y) {
    if (!GRENABLED) return;
    if (GRAPH_HEADLESS()) {
        // No system cursor: the pointer is where it was put, as after a real move.
        std::uint16_t b;
        {
            std::lock_guard<std::mutex> g(INPUT_LOCK);
            b = MOUSEBUTTONS;
        }
        ADDMOUSEEVENT(MOUSE_MOVED, b, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
        return;
    }
    REQUEST_MOUSE_WARP(x, y);
}

void ADDKEY(unsigned char c) {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    addkey_locked(c);
}

void ADDEXTKEY(unsigned char c) {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    addkey_locked(0);
    addkey_locked(c);
}

void ADDMOUSEEVENT(std::uint16_t action, std::uint16_t buttons, std::uint16_t x, std::uint16_t y) {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    TMOUSEEVENT& e = MOUSEBUF[NR_INPUTMOUSE];
    e.BUTTONS = buttons;
    e.X = x;
    e.Y = y;
    e.ACTION = action;
    MOUSEX = x;
    MOUSEY = y;
    if (action == MOUSE_PRESSED)
        MOUSEBUTTONS = buttons;
    else if (action == MOUSE_RELEASED)
        MOUSEBUTTONS = static_cast<std::uint16_t>(MOUSEBUTTONS & ~buttons);
    NR_INPUTMOUSE = advance(NR_INPUTMOUSE, MOUSESLOTS);
    if (NR_INPUTMOUSE == NR_READMOUSE) NR_READMOUSE = advance(NR_READMOUSE, MOUSESLOTS);
}

void EMPTY_INPUT_QUEUES() {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    NR_READKEY = NR_INPUTKEY = 1;
    PENDINGCODE = -1;
    NR_READMOUSE = NR_INPUTMOUSE = 1;
    CTRL_KEY = false;
    SHIFT_KEY = false;
}

int KEYQUEUE_COUNT() {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    return keycount_locked();
}

int MOUSEQUEUE_COUNT() {
    std::lock_guard<std::mutex> g(INPUT_LOCK);
    return mousecount_locked();
}

namespace {

// One row of the key translation table: codes for none, Shift, Ctrl, Alt (0 = nothing).
struct KEYROW {
    std::uint16_t vk;
    unsigned char none, shift, ctrl, alt;
};

constexpr KEYROW KEYTABLE[] = {
    {VK_BACK, 0, 0, 0, 14},         {VK_RETURN, 0, 0, 0, 166},     {VK_PAUSE, 250, 250, 250, 250},
    {VK_CLEAR, 76, 76, 143, 76},    {VK_PRIOR, 73, 73, 132, 153},  {VK_NEXT, 81, 81, 118, 161},
    {VK_END, 79, 79, 117, 79},      {VK_HOME, 71, 71, 119, 71},    {VK_LEFT, 75, 75, 115, 155},
    {VK_UP, 72, 72, 141, 152},      {VK_RIGHT, 77, 77, 116, 157},  {VK_DOWN, 80, 80, 145, 160},
    {VK_INSERT, 82, 82, 146, 162},  {VK_DELETE, 83, 83, 147, 163}, {VK_ADD, 0, 0, 144, 78},
    {VK_SUBTRACT, 0, 0, 142, 74},   {VK_F1 + 10, 133, 135, 137, 139},
    {VK_F1 + 11, 134, 136, 138, 140},
};

// Alt + letter, in alphabetical order A..Z.
constexpr unsigned char ALTLETTER[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                         49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

}  // namespace

unsigned char TRANSLATEKEY(std::uint16_t vk, bool ctrl, bool shift, bool alt) {
    if (vk >= VK_F1 && vk < VK_F1 + 10) {
        unsigned n = vk - VK_F1;
        if (ctrl) return static_cast<unsigned char>(94 + n);
        if (shift) return static_cast<unsigned char>(84 + n);
        if (alt) return static_cast<unsigned char>(104 + n);
        return static_cast<unsigned char>(59 + n);
    }
    for (const KEYROW& r : KEYTABLE) {
        if (r.vk != vk) continue;
        if (ctrl) return r.ctrl;
        if (shift) return r.shift;
        if (alt) return r.alt;
        return r.none;
    }
    if (ctrl || shift || !alt) return 0;
    if (vk >= 'A' && vk <= 'Z') return ALTLETTER[vk - 'A'];
    if (vk >= '1' && vk <= '9') return static_cast<unsigned char>(120 + (vk - '1'));
    if (vk == '0') return 129;
    return 0;
}

std::string KEYSTROKE_CODES(std::uint16_t vk, bool ctrl, bool shift, bool alt) {
    auto ext = [](unsigned char c) { return c ? std::string{'\0', static_cast<char>(c)} : std::string(); };
    auto chr = [](int c) { return std::string(1, static_cast<char>(c)); };
    switch (vk) {
    case VK_RETURN:
        if (alt && !ctrl && !shift) return ext(166);
        return ctrl ? chr(10) : chr(13);
    case VK_BACK:
        if (alt && !ctrl && !shift) return ext(14);
        return ctrl ? chr(127) : chr(8);
    case VK_TAB:
        if (ctrl || alt) return {};
        return shift ? ext(15) : chr(9);
    case VK_ESCAPE:
        return alt && !ctrl ? std::string() : chr(27);
    case VK_SPACE:
        return alt && !ctrl ? std::string() : chr(' ');
    default:
        break;
    }
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return chr(vk - 'A' + 1);
        if (shift) return chr(vk);
        if (alt) return ext(TRANSLATEKEY(vk, false, false, true));
        return chr(vk - 'A' + 'a');
    }
    if (vk >= '0' && vk <= '9') {
        if (ctrl || shift) return {};
        if (alt) return ext(TRANSLATEKEY(vk, false, false, true));
        return chr(vk);
    }
    return ext(TRANSLATEKEY(vk, ctrl, shift, alt));
}

void CHAR_MESSAGE(unsigned char c) { ADDKEY(c); }

void KEYDOWN_MESSAGE(std::uint16_t vk) {
    if (vk == VK_SHIFT) {
        SHIFT_KEY = true;
        return;
    }
    if (vk == VK_CONTROL) {
        CTRL_KEY = true;
        return;
    }
    unsigned char code = TRANSLATEKEY(vk, CTRL_KEY, SHIFT_KEY, ALT_KEY);
    if (code) ADDEXTKEY(code);
}

void KEYUP_MESSAGE(std::uint16_t vk) {
    if (vk == VK_SHIFT) SHIFT_KEY = false;
    if (vk == VK_CONTROL) CTRL_KEY = false;
}

void SYSKEYDOWN_MESSAGE(std::uint16_t vk) {
    ALT_KEY = true;
    KEYDOWN_MESSAGE(vk);
    ALT_KEY = false;
}

void CLOSE_MESSAGE() { ADDEXTKEY(EXTKEY_CLOSE); }

bool CTRL_KEY_DOWN() { return CTRL_KEY; }
bool SHIFT_KEY_DOWN() { return SHIFT_KEY; }

void TASTE() {
    KEY = READKEY();
    KEY2 = 0;
    if (KEY == 0) {
        KEY2 = READKEY();
        if (KEY2 == 59) KEY = '0';
    }
    ETWAS = true;
}

}  // namespace korax

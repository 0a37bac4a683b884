// The key and mouse queues of the graph layer. The window thread (or an input
// script) writes them; the program's thread reads them by polling. Keys arrive in
// the manner of a text-mode keyboard reader: a plain character, or an extended key
// as a zero byte followed by its code.
#pragma once

#include <cstdint>
#include <string>

namespace korax {

#pragma pack(push, 1)
struct TMOUSEEVENT {
    std::uint16_t BUTTONS, X, Y, ACTION;
};
#pragma pack(pop)
static_assert(sizeof(TMOUSEEVENT) == 8);

// Button codes of BUTTONS and GETMOUSEBUTTONS (bit-or of those held).
constexpr std::uint16_t MOUSE_LEFT = 1, MOUSE_RIGHT = 16, MOUSE_MIDDLE = 256;
// Action codes of a mouse event.
constexpr std::uint16_t MOUSE_PRESSED = 1, MOUSE_RELEASED = 16, MOUSE_MOVED = 256;

// The extended key queued for the window's close request (the code of Alt+F4).
constexpr unsigned char EXTKEY_CLOSE = 107;

// Unread characters the key queue holds at most, and mouse events.
constexpr int KEYQUEUE_CAPACITY = 31;
constexpr int MOUSEQUEUE_CAPACITY = 15;

// Virtual keys: the codes the key translation table is indexed by.
// Letters are 'A'..'Z' and digits '0'..'9'.
constexpr std::uint16_t VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
                        VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13,
                        VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                        VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
                        VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E,
                        VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_F1 = 0x70, VK_F12 = 0x7B;

// Readers (program thread). Each one first lets a running input script supply its
// next action.
bool KEYPRESSED();
// #0 at once when the graph window is not open; otherwise waits until a character
// is queued and removes it. An extended key is read as #0, then its code.
unsigned char READKEY();
// Waits for one key and leaves it in KEY/KEY2; F1 (extended 59) becomes "0", the help key.
void TASTE();
std::uint16_t GETMOUSEBUTTONS();
std::uint16_t GETMOUSEX();
std::uint16_t GETMOUSEY();
// Buttons and position read together, as one look at the mouse.
void GETMOUSESTATE(std::uint16_t& buttons, std::uint16_t& x, std::uint16_t& y);
// The same without letting a script act first (the script's own bookkeeping).
void PEEKMOUSESTATE(std::uint16_t& buttons, std::uint16_t& x, std::uint16_t& y);
// The oldest mouse event without removing it; false when there is none.
bool POLLMOUSEEVENT(TMOUSEEVENT& event);
// Waits until a mouse event exists, copies and removes it.
void GETMOUSEEVENT(TMOUSEEVENT& event);
// Moves the cursor to the client point (x, y) when the window is open and in front;
// in a headless run the pointer is simply there, as after a real move.
void SETMOUSEXY(int x, int y);

// Writers (window thread, input script).
// A full queue loses its oldest character; an extended key is never split.
void ADDKEY(unsigned char c);
void ADDEXTKEY(unsigned char c);
// Queues a mouse event at (x, y) and updates the current mouse state: a press sets
// the held buttons to `buttons`, a release clears the released ones, a move keeps them.
void ADDMOUSEEVENT(std::uint16_t action, std::uint16_t buttons, std::uint16_t x, std::uint16_t y);
// Empties both queues and clears the Ctrl and Shift flags (INITGRAPH does this).
void EMPTY_INPUT_QUEUES();
// Counts of unread entries, for tests and the script's bookkeeping.
int KEYQUEUE_COUNT();
int MOUSEQUEUE_COUNT();

// The extended code of the translation table for a virtual key, with the first
// modifier that applies winning in the order Ctrl, Shift, Alt, none; 0 when the
// table queues nothing.
unsigned char TRANSLATEKEY(std::uint16_t vk, bool ctrl, bool shift, bool alt);
// Everything one stroke of `vk` with these modifiers queues: the character
// message's character (Enter 13, Tab 9, Escape 27, Backspace 8, Space, letters
// and digits, Ctrl+letter as its control character), or #0 and the table's code.
// Shift+Tab gives #0 15, the back key the menu expects. Empty when nothing is queued.
std::string KEYSTROKE_CODES(std::uint16_t vk, bool ctrl, bool shift, bool alt);

// The window's key messages, as the window thread feeds them.
void CHAR_MESSAGE(unsigned char c);
void KEYDOWN_MESSAGE(std::uint16_t vk);
void KEYUP_MESSAGE(std::uint16_t vk);
void SYSKEYDOWN_MESSAGE(std::uint16_t vk);
void CLOSE_MESSAGE();
bool CTRL_KEY_DOWN();
bool SHIFT_KEY_DOWN();

}  // namespace korax

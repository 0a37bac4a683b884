// Turns the window's SDL events into the key and mouse queues, with the codes of
// the key translation table and typed text in code page 437.
#pragma once

#include <SDL2/SDL_events.h>

#include <cstdint>

namespace korax {

// Called by the window thread for every event it pumps (also the program's own
// requests below, which arrive as user events so that only that thread touches SDL).
void HANDLE_SDL_EVENT(const SDL_Event& e);

// The virtual key of an SDL key (keypad keys by the Num Lock state in `mod`); 0 for
// keys the program does not know.
std::uint16_t SDL_KEY_TO_VK(SDL_Keycode sym, std::uint16_t mod);

// Asks the window thread to move the cursor to client point (x, y) when the window
// has the focus, or to show a cursor shape (the values of MOUSESHAPE_KIND). Nothing
// happens without an SDL video subsystem.
void REQUEST_MOUSE_WARP(int x, int y);
void REQUEST_MOUSE_CURSOR(int shape);

// Forgets the modifier and button state kept between events (tests).
void RESET_SDL_INPUT();

}  // namespace korax

// The one desktop window: an SDL2 window owned by its own thread, which pumps the
// events into the input handler and presents the visual page whenever it changed.
// Headless runs never call anything here.
#pragma once

#include <cstdint>
#include <string>

union SDL_Event;

namespace korax {

// Desktop size and colour depth; false when no display can be reached.
bool WINDOW_DESKTOP(int& width, int& height, int& bits);

// Starts the window thread with a client area of width x height at (x, y) (centred
// when both are negative), borderless when `popup`. Returns once the window exists
// (true) or failed (false).
bool WINDOW_OPEN(int width, int height, int x, int y, bool popup, const std::string& title);
// Ends the window thread and waits for it.
void WINDOW_CLOSE();
bool WINDOW_IS_OPEN();

// Rows y1..y2 of the visual page changed (or its palette: pass the whole height);
// the window converts and presents them on its next pass.
void WINDOW_INVALIDATE(int y1, int y2);

// Reads back what the window presented last (0x00BBGGRR); for tests. False when
// the window is not open or (x, y) is outside it.
bool WINDOW_READ_PIXEL(int x, int y, unsigned& rgb);
// Waits until every change so far has been presented (at most `ms` milliseconds).
bool WINDOW_SYNC(int ms);

// What the window thread calls back into the layer above: the drawing core
// converts rows y1..y2 of the visual page into 0x00BBGGRR pixels at
// dst + y * dstpitch (under PROTECT_DEVICES), and the input side takes every SDL
// event. Set before WINDOW_OPEN; the window never includes what lies above it.
struct WINDOWHOOKS {
    void (*copyrows)(int y1, int y2, std::uint32_t* dst, int dstpitch) = nullptr;
    void (*event)(const SDL_Event& e) = nullptr;
};
extern WINDOWHOOKS WINDOW_HOOKS;

}  // namespace korax

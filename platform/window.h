// The one desktop window: an SDL2 window owned by its own thread, which pumps the
// events into the input handler and presents the visual page whenever it changed.
// Headless runs never call anything here.
#pragma once

#include <cstdint>
#include <string>

union SDL_Event;

namespace korax {

// How the picture fills a window of another size (KORAX.INI key SCALE).
enum WINDOWSCALE_KIND : int {
    SCALE_AUTO = 0,    // largest whole step that fits, sharp; smooth only below one step
    SCALE_1 = 1,       // a fixed whole step, sharp (smaller when the window is smaller)
    SCALE_2 = 2,
    SCALE_3 = 3,
    SCALE_SMOOTH = 4,  // fills the window smoothly, aspect ratio kept
};
extern int WINDOW_SCALE;  // set before WINDOW_OPEN

// Where the picture lies in the window. Output sizes are in real pixels, which
// differ from window coordinates on high-density displays. w or h 0: nothing drawn.
struct VIEWFIT {
    int winw = 0, winh = 0;  // window size in window coordinates
    int outw = 0, outh = 0;  // the same in pixels
    int picw = 0, pich = 0;  // the program's picture
    int x = 0, y = 0, w = 0, h = 0;  // the picture's rectangle, in pixels
    bool sharp = true;       // whole step: nearest-pixel scaling
};

// The rectangle for a picture of picw x pich in an output of outw x outh pixels.
VIEWFIT WINDOW_FIT(int winw, int winh, int outw, int outh, int picw, int pich, int scale);

// A window point to the picture pixel under it; false in the bars or when nothing
// is drawn. With `clamp` a point in the bars goes to the nearest edge pixel instead.
bool WINDOW_MAP_POINT(const VIEWFIT& f, int wx, int wy, int& px, int& py, bool clamp);
// A picture pixel to the window point at the middle of its block.
void WINDOW_UNMAP_POINT(const VIEWFIT& f, int px, int py, int& wx, int& wy);

// The current fit of the open window; with no window open the identity for a
// picture of 65536 x 65536 (points pass unchanged).
VIEWFIT WINDOW_VIEW();

// The whole step for the first window: the largest one, up to `scale` (AUTO: any),
// whose window of picture plus frame fits the usable area; at least 1.
int WINDOW_FIRST_STEP(int usablew, int usableh, int framew, int frameh, int picw, int pich, int scale);

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

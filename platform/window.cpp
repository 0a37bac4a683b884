#include "platform/window.h"

#include <SDL2/SDL.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>


namespace korax {

WINDOWHOOKS WINDOW_HOOKS;

namespace {

struct WindowState {
    std::thread thread;
    std::atomic<bool> stop{false};
    std::atomic<bool> open{false};
    std::mutex mx;                // guards everything below
    std::condition_variable cv;
    bool ready = false, failed = false;
    int dirty1 = INT_MAX, dirty2 = -1;
    std::uint64_t requested = 0, presented = 0;
    int w = 0, h = 0;
    std::vector<std::uint32_t> shown;  // what the window shows, 0x00BBGGRR
};
WindowState ws;

void close_at_exit() {
    WINDOW_CLOSE();
    SDL_Quit();
}

// A program that ends without closing the graph layer must still stop the window
// thread before the statics it reads go away; SDL's own state is released too.
void ensure_exit_hook() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::atexit(close_at_exit);
    }
}

// Without any display SDL falls back to its offscreen driver: a window nobody can
// see, waiting for input for ever. It is taken only when asked for by name.
bool visible_driver() {
    const char* d = SDL_GetCurrentVideoDriver();
    if (!d) return false;
    const std::string driver = d;
    if (driver != "offscreen" && driver != "dummy") return true;
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked && driver == asked;
}

void window_thread(int w, int h, int x, int y, bool popup, std::string title) {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* win = nullptr;
    SDL_Renderer* ren = nullptr;
    SDL_Texture* tex = nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && visible_driver()) {
        const Uint32 flags = popup ? SDL_WINDOW_BORDERLESS : 0;
        win = SDL_CreateWindow(title.c_str(), x < 0 ? SDL_WINDOWPOS_CENTERED : x,
                               y < 0 ? SDL_WINDOWPOS_CENTERED : y, w, h, flags);
        // The page is converted by us already; a plain copy to the window needs no GPU.
        if (win) ren = SDL_CreateRenderer(win, -1, SDL_RENDERER_SOFTWARE);
        if (!ren && win) ren = SDL_CreateRenderer(win, -1, 0);
        if (ren) tex = SDL_CreateTexture(ren, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    }
    {
        std::lock_guard<std::mutex> lock(ws.mx);
        if (!tex) {
            ws.failed = true;
        } else {
            ws.ready = true;
            ws.w = w;
            ws.h = h;
            ws.shown.assign(static_cast<std::size_t>(w) * h, 0);
            ws.dirty1 = 0;
            ws.dirty2 = h - 1;
            ++ws.requested;
        }
    }
    ws.cv.notify_all();
    if (tex) {
        // Repaints and input should not wait behind the program's own work; without
        // the right to raise it the thread simply keeps its priority.
        SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
        SDL_RaiseWindow(win);
        std::vector<std::uint32_t> frame(static_cast<std::size_t>(w) * h, 0);
        bool repaint = true;
        while (!ws.stop.load()) {
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, 10)) {
                do {
                    if (e.type == SDL_WINDOWEVENT &&
                        (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_RESTORED))
                        repaint = true;
                    if (WINDOW_HOOKS.event) WINDOW_HOOKS.event(e);
                } while (SDL_PollEvent(&e));
            }
            int y1, y2;
            std::uint64_t seq;
            {
                std::lock_guard<std::mutex> lock(ws.mx);
                y1 = ws.dirty1;
                y2 = ws.dirty2;
                seq = ws.requested;
                ws.dirty1 = INT_MAX;
                ws.dirty2 = -1;
            }
            if (y1 <= y2) {
                // Only the changed rows go through the palette into the texture.
                if (WINDOW_HOOKS.copyrows) WINDOW_HOOKS.copyrows(y1, y2, frame.data(), w);
                SDL_Rect r{0, y1, w, y2 - y1 + 1};
                SDL_UpdateTexture(tex, &r, frame.data() + static_cast<std::size_t>(y1) * w,
                                  w * static_cast<int>(sizeof(std::uint32_t)));
                {
                    std::lock_guard<std::mutex> lock(ws.mx);
                    std::copy(frame.begin() + static_cast<std::ptrdiff_t>(y1) * w,
                              frame.begin() + static_cast<std::ptrdiff_t>(y2 + 1) * w,
                              ws.shown.begin() + static_cast<std::ptrdiff_t>(y1) * w);
                }
                repaint = true;
            }
            if (repaint) {
                SDL_RenderClear(ren);
                SDL_RenderCopy(ren, tex, nullptr, nullptr);
                SDL_RenderPresent(ren);
                repaint = false;
            }
            {
                std::lock_guard<std::mutex> lock(ws.mx);
                ws.presented = std::max(ws.presented, seq);
            }
            ws.cv.notify_all();
        }
    }
    if (tex) SDL_DestroyTexture(tex);
    if (ren) SDL_DestroyRenderer(ren);
    if (win) SDL_DestroyWindow(win);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // SDL keeps per-thread data for threads it did not start until told otherwise.
    SDL_TLSCleanup();
}

}  // namespace

bool WINDOW_DESKTOP(int& width, int& height, int& bits) {
    ensure_exit_hook();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (!visible_driver()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_DisplayMode m;
    const bool ok = SDL_GetDesktopDisplayMode(0, &m) == 0;
    if (ok) {
        width = m.w;
        height = m.h;
        bits = SDL_BITSPERPIXEL(m.format) >= 32 ? 24 : static_cast<int>(SDL_BITSPERPIXEL(m.format));
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return ok;
}

bool WINDOW_OPEN(int width, int height, int x, int y, bool popup, const std::string& title) {
    if (ws.open.load()) return false;
    ensure_exit_hook();
    {
        std::lock_guard<std::mutex> lock(ws.mx);
        ws.ready = ws.failed = false;
        ws.requested = ws.presented = 0;
    }
    ws.stop = false;
    ws.thread = std::thread(window_thread, width, height, x, y, popup, title);
    std::unique_lock<std::mutex> lock(ws.mx);
    ws.cv.wait(lock, [] { return ws.ready || ws.failed; });
    if (ws.failed) {
        lock.unlock();
        ws.thread.join();
        return false;
    }
    ws.open = true;
    return true;
}

void WINDOW_CLOSE() {
    if (!ws.open.load()) return;
    ws.stop = true;
    ws.thread.join();
    ws.open = false;
    std::lock_guard<std::mutex> lock(ws.mx);
    ws.shown.clear();
    ws.ready = false;
}

bool WINDOW_IS_OPEN() { return ws.open.load(); }

void WINDOW_INVALIDATE(int y1, int y2) {
    std::lock_guard<std::mutex> lock(ws.mx);
    ws.dirty1 = std::min(ws.dirty1, y1);
    ws.dirty2 = std::max(ws.dirty2, y2);
    ++ws.requested;
}

bool WINDOW_READ_PIXEL(int x, int y, unsigned& rgb) {
    std::lock_guard<std::mutex> lock(ws.mx);
    if (!ws.ready || x < 0 || y < 0 || x >= ws.w || y >= ws.h) return false;
    rgb = ws.shown[static_cast<std::size_t>(y) * ws.w + x];
    return true;
}

bool WINDOW_SYNC(int ms) {
    std::unique_lock<std::mutex> lock(ws.mx);
    if (!ws.ready) return false;
    const std::uint64_t want = ws.requested;
    return ws.cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return ws.presented >= want; });
}

}  // namespace korax

#include "platform/window.h"

#include <SDL2/SDL.h>

#include <algorithm>
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
int WINDOW_SCALE = SCALE_AUTO;

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
    VIEWFIT fit;
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

// The video subsystem on a visible display. A display just left by the previous
// window now and then refuses the next connection for a moment, so a failure is
// tried twice more before it counts.
bool init_video() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) continue;
        if (visible_driver()) return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return false;
}

// Room left for the window manager's frame around the first window.
constexpr int FRAME_ALLOWANCE_W = 16, FRAME_ALLOWANCE_H = 48;

VIEWFIT current_fit(SDL_Window* win, SDL_Renderer* ren, int picw, int pich, int scale) {
    int winw = 0, winh = 0, outw = 0, outh = 0;
    SDL_GetWindowSize(win, &winw, &winh);
    if (SDL_GetRendererOutputSize(ren, &outw, &outh) != 0) {
        outw = winw;
        outh = winh;
    }
    return WINDOW_FIT(winw, winh, outw, outh, picw, pich, scale);
}

void window_thread(int w, int h, int x, int y, bool popup, std::string title, int scale) {
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* win = nullptr;
    SDL_Renderer* ren = nullptr;
    SDL_Texture* tex = nullptr;
    const bool video = init_video();
    if (video) {
        // A popup already covers the desktop; a framed window starts at the largest
        // whole step of the picture that fits and may then be resized freely.
        const Uint32 flags = popup ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
        int step = 1;
        SDL_Rect usable;
        if (!popup && SDL_GetDisplayUsableBounds(0, &usable) == 0)
            step = WINDOW_FIRST_STEP(usable.w, usable.h, FRAME_ALLOWANCE_W, FRAME_ALLOWANCE_H, w, h, scale);
        win = SDL_CreateWindow(title.c_str(), x < 0 ? SDL_WINDOWPOS_CENTERED : x,
                               y < 0 ? SDL_WINDOWPOS_CENTERED : y, w * step, h * step, flags);
        if (win && !popup) SDL_SetWindowMinimumSize(win, 1, 1);
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
            ws.fit = current_fit(win, ren, w, h, scale);
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
        bool repaint = true, minimised = false;
        VIEWFIT fit;
        {
            std::lock_guard<std::mutex> lock(ws.mx);
            fit = ws.fit;
        }
        SDL_SetTextureScaleMode(tex, fit.sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        while (!ws.stop.load()) {
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, 10)) {
                do {
                    if (e.type == SDL_WINDOWEVENT) {
                        switch (e.window.event) {
                        case SDL_WINDOWEVENT_MINIMIZED: minimised = true; break;
                        case SDL_WINDOWEVENT_EXPOSED:
                        case SDL_WINDOWEVENT_SHOWN:
                        case SDL_WINDOWEVENT_RESTORED:
                        case SDL_WINDOWEVENT_MAXIMIZED:
                            minimised = false;
                            repaint = true;
                            break;
                        case SDL_WINDOWEVENT_SIZE_CHANGED:
                            // Before the next mouse event of this batch is mapped.
                            fit = current_fit(win, ren, w, h, scale);
                            SDL_SetTextureScaleMode(tex, fit.sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
                            {
                                std::lock_guard<std::mutex> lock(ws.mx);
                                ws.fit = fit;
                            }
                            repaint = true;
                            break;
                        default: break;
                        }
                    }
                    // F11 belongs to the window (full screen on the desktop, no mode
                    // change); the program's key table never sees it.
                    if ((e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) && e.key.keysym.sym == SDLK_F11) {
                        if (e.type == SDL_KEYDOWN && !e.key.repeat && !popup) {
                            const bool full = (SDL_GetWindowFlags(win) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
                            SDL_SetWindowFullscreen(win, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
                        }
                        continue;
                    }
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
            // A minimised or empty window draws nothing; the texture stays current
            // and the next repaint shows it.
            if (repaint && !minimised && fit.w > 0 && fit.h > 0) {
                SDL_SetRenderDrawColor(ren, 0, 0, 0, 255);
                SDL_RenderClear(ren);
                const SDL_Rect dst{fit.x, fit.y, fit.w, fit.h};
                SDL_RenderCopy(ren, tex, nullptr, &dst);
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
    if (video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // SDL keeps per-thread data for threads it did not start until told otherwise.
    SDL_TLSCleanup();
}

}  // namespace

VIEWFIT WINDOW_FIT(int winw, int winh, int outw, int outh, int picw, int pich, int scale) {
    VIEWFIT f;
    f.winw = winw;
    f.winh = winh;
    f.outw = outw;
    f.outh = outh;
    f.picw = picw;
    f.pich = pich;
    if (winw < 1 || winh < 1 || outw < 1 || outh < 1 || picw < 1 || pich < 1) return f;
    int k = std::min(outw / picw, outh / pich);
    if (scale >= SCALE_1 && scale <= SCALE_3) k = std::min(k, scale);
    if (scale != SCALE_SMOOTH && k >= 1) {
        f.w = k * picw;
        f.h = k * pich;
    } else if (static_cast<long long>(outw) * pich <= static_cast<long long>(outh) * picw) {
        f.w = outw;
        f.h = static_cast<int>(static_cast<long long>(outw) * pich / picw);
    } else {
        f.h = outh;
        f.w = static_cast<int>(static_cast<long long>(outh) * picw / pich);
    }
    f.sharp = f.w % picw == 0 && f.h % pich == 0 && f.w / picw == f.h / pich;
    f.x = (outw - f.w) / 2;
    f.y = (outh - f.h) / 2;
    return f;
}

bool WINDOW_MAP_POINT(const VIEWFIT& f, int wx, int wy, int& px, int& py, bool clamp) {
    if (f.w < 1 || f.h < 1) return false;
    // Window coordinates to pixels, then into the picture's rectangle.
    long long rx = static_cast<long long>(wx) * f.outw / f.winw - f.x;
    long long ry = static_cast<long long>(wy) * f.outh / f.winh - f.y;
    if (rx < 0 || ry < 0 || rx >= f.w || ry >= f.h) {
        if (!clamp) return false;
        rx = std::clamp<long long>(rx, 0, f.w - 1);
        ry = std::clamp<long long>(ry, 0, f.h - 1);
    }
    px = static_cast<int>(rx * f.picw / f.w);
    py = static_cast<int>(ry * f.pich / f.h);
    return true;
}

void WINDOW_UNMAP_POINT(const VIEWFIT& f, int px, int py, int& wx, int& wy) {
    if (f.w < 1 || f.h < 1 || f.outw < 1 || f.outh < 1) {
        wx = px;
        wy = py;
        return;
    }
    // The middle of the whole pixels that map back to (px, py).
    auto middle = [](long long p, long long size, long long pic) {
        const long long lo = (p * size + pic - 1) / pic;
        const long long hi = ((p + 1) * size + pic - 1) / pic - 1;
        return std::clamp<long long>(hi >= lo ? (lo + hi) / 2 : lo, 0, size - 1);
    };
    const long long ox = f.x + middle(px, f.w, f.picw);
    const long long oy = f.y + middle(py, f.h, f.pich);
    wx = static_cast<int>(ox * f.winw / f.outw);
    wy = static_cast<int>(oy * f.winh / f.outh);
}

VIEWFIT WINDOW_VIEW() {
    {
        std::lock_guard<std::mutex> lock(ws.mx);
        if (ws.ready) return ws.fit;
    }
    constexpr int ANY = 65536;
    return WINDOW_FIT(ANY, ANY, ANY, ANY, ANY, ANY, SCALE_1);
}

int WINDOW_FIRST_STEP(int usablew, int usableh, int framew, int frameh, int picw, int pich, int scale) {
    if (picw < 1 || pich < 1) return 1;
    int k = std::min((usablew - framew) / picw, (usableh - frameh) / pich);
    if (scale >= SCALE_1 && scale <= SCALE_3) k = std::min(k, scale);
    return std::max(k, 1);
}

bool WINDOW_DESKTOP(int& width, int& height, int& bits) {
    ensure_exit_hook();
    if (!init_video()) return false;
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
    ws.thread = std::thread(window_thread, width, height, x, y, popup, title, WINDOW_SCALE);
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

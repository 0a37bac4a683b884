// A private Xvfb display for tests that open a real window. Xvfb picks a free
// display itself and writes its number into a pipe, so test programs running side
// by side never meet. DISPLAY and KORAX_VIDEO are restored when it stops.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace korax {

struct XVFBDISPLAY {
    pid_t pid = 0;
    // When set before start: Xvfb keeps its screen in this directory as an XWD
    // file, which screen() reads.
    std::string fbdir;
    std::string screensize = "1280x1024x24";
    std::string olddisplay, oldvideo;
    bool haddisplay = false, hadvideo = false;

    // False when no Xvfb is installed or it did not start.
    bool start() {
        if (const char* d = std::getenv("DISPLAY")) { haddisplay = true; olddisplay = d; }
        if (const char* v = std::getenv("KORAX_VIDEO")) { hadvideo = true; oldvideo = v; }
        const std::string xvfb = "/usr/bin/Xvfb";
        int fds[2];
        if (access(xvfb.c_str(), X_OK) != 0 || pipe(fds) != 0) return false;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            // Without fbdir the argument list ends before "-fbdir".
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screensize.c_str(), "-nolisten",
                  "tcp", fbdir.empty() ? nullptr : "-fbdir", fbdir.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd pfd{fds[0], POLLIN, 0};
        while (pid > 0 && number.find('\n') == std::string::npos && poll(&pfd, 1, 5000) > 0) {
            char buf[16];
            const ssize_t n = read(fds[0], buf, sizeof buf);
            if (n <= 0) break;
            number.append(buf, static_cast<std::size_t>(n));
        }
        close(fds[0]);
        if (pid < 0 || number.find('\n') == std::string::npos) {
            stop();
            return false;
        }
        number.resize(number.find('\n'));
        setenv("DISPLAY", (":" + number).c_str(), 1);
        unsetenv("KORAX_VIDEO");
        return true;
    }
    bool running() const { return pid > 0; }
    // The screen as the display shows it, 0x00RRGGBB a pixel, row by row; empty
    // without fbdir. Xvfb writes an XWD picture: a header of big-endian words
    // (its size first), the colour map, then the pixels, 32 bits each here.
    std::vector<std::uint32_t> screen(int& w, int& h) const {
        std::vector<std::uint32_t> px;
        std::ifstream f(fbdir + "/Xvfb_screen0", std::ios::binary);
        const std::string x{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        auto word = [&](std::size_t i) {
            std::uint32_t v = 0;
            for (int k = 0; k < 4; ++k) v = v << 8 | static_cast<unsigned char>(x[i * 4 + k]);
            return v;
        };
        if (x.size() < 100) return px;
        const std::uint32_t header = word(0), bpp = word(11), line = word(12), order = word(7), ncolors = word(19);
        w = static_cast<int>(word(4)), h = static_cast<int>(word(5));
        const std::size_t start = header + 12 * std::size_t(ncolors);
        if (bpp != 32 || x.size() < start + std::size_t(line) * h) return px;
        px.resize(std::size_t(w) * h);
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < w; ++i) {
                const unsigned char* p = reinterpret_cast<const unsigned char*>(x.data()) + start + std::size_t(y) * line + 4 * i;
                const std::uint32_t v = order == 0 ? (p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24)
                                                   : (std::uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]);
                px[std::size_t(y) * w + i] = v & 0xFFFFFF;
            }
        return px;
    }
    void stop() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        pid = 0;
        if (haddisplay) setenv("DISPLAY", olddisplay.c_str(), 1); else unsetenv("DISPLAY");
        if (hadvideo) setenv("KORAX_VIDEO", oldvideo.c_str(), 1); else unsetenv("KORAX_VIDEO");
    }
};

// Polls done every 5 ms for at most ms milliseconds.
inline bool WAITFOR(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

}  // namespace korax

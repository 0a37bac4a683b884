// A private Xvfb display for tests that open a real window. Xvfb picks a free
// display itself and writes its number into a pipe, so test programs running side
// by side never meet. DISPLAY and KORAX_VIDEO are restored when it stops.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace korax {

struct XVFBDISPLAY {
    pid_t pid = 0;
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
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                  static_cast<char*>(nullptr));
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

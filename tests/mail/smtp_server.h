// A loopback SMTP server (smtpserver.py) for one test, stopped by its process id.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "common/client_run.h"

extern char** environ;

using korax::client::slurp;

struct SmtpServer {
    std::filesystem::path dir;
    pid_t pid = -1;
    std::string port;
    explicit SmtpServer(const std::string& mode) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "korax-smtp-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        std::string script = std::string(KORAX_SOURCE_DIR) + "/tests/mail/smtpserver.py";
        std::string d = dir.string();
        const char* argv[] = {"/usr/bin/python3", script.c_str(), d.c_str(), mode.c_str(), nullptr};
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn(&pid, argv[0], &fa, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&fa);
        for (int i = 0; i < 600 && !std::filesystem::exists(dir / "port"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        port = slurp(dir / "port");
    }
    ~SmtpServer() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string got(int n, const char* part) const { return slurp(dir / std::to_string(n) / part); }
    bool received(int n) const { return std::filesystem::exists(dir / std::to_string(n)); }
};


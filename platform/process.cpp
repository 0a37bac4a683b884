#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/dospath.h"

extern char** environ;

namespace korax {

namespace {

// posix_spawn changes into the working directory before it executes, so a
// relative program path has to be pinned to our own directory first.
std::string absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return path;
    std::string cwd = buf;
    if (cwd.back() != '/') cwd += '/';
    return cwd + path;
}

std::string program_path(const std::string& program) {
    if (program.find('\\') != std::string::npos) return absolute(HOSTPATH(program));
    if (program.find('/') != std::string::npos) return absolute(HOSTPATH(program));
    return program;
}

// Sends all bytes; a child that stops reading early is not our failure.
void feed(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
}

struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attr);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

std::vector<std::string> SPLITARGS(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inword = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inword = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inword) words.push_back(word);
            word.clear();
            inword = false;
        } else {
            word += c;
            inword = true;
        }
    }
    if (inword) words.push_back(word);
    return words;
}

int RUNANDWAIT(const PROCESSRUN& run) {
    if (run.program.empty()) return NOT_STARTED;
    std::string prog = program_path(run.program);
    std::string dir = run.dir.empty() ? std::string() : HOSTPATH(run.dir);
    std::string out = run.output.empty() ? std::string() : absolute(HOSTPATH(run.output));

    std::vector<std::string> words;
    words.push_back(run.program);
    words.insert(words.end(), run.args.begin(), run.args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    int sv[2] = {-1, -1};
    if (run.input && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0) return NOT_STARTED;

    SpawnSetup s;
    // Opens happen before the change of directory, so file names given relative
    // to the client resolve as the client sees them.
    if (run.input) {
        posix_spawn_file_actions_adddup2(&s.actions, sv[1], 0);
    } else if (!run.keep_stdin) {
        posix_spawn_file_actions_addopen(&s.actions, 0, "/dev/null", O_RDONLY, 0);
    }
    if (!out.empty()) {
        posix_spawn_file_actions_addopen(&s.actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&s.actions, 1, 2);
    }
    if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&s.actions, dir.c_str());
    // No other handle of ours reaches the child.
    posix_spawn_file_actions_addclosefrom_np(&s.actions, 3);

    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2, SIGALRM})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&s.attr, &none);
    posix_spawnattr_setsigdefault(&s.attr, &defaults);
    posix_spawnattr_setflags(&s.attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    int rc = prog.find('/') != std::string::npos
                 ? ::posix_spawn(&pid, prog.c_str(), &s.actions, &s.attr, argv.data(), environ)
                 : ::posix_spawnp(&pid, prog.c_str(), &s.actions, &s.attr, argv.data(), environ);
    if (run.input) ::close(sv[1]);
    if (rc != 0) {
        if (run.input) ::close(sv[0]);
        return NOT_STARTED;
    }
    if (run.input) {
        feed(sv[0], *run.input);
        ::shutdown(sv[0], SHUT_WR);
        ::close(sv[0]);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        // Someone else reaped it: it ran, but its outcome is unknown, never success.
        if (errno != EINTR) return 255;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 255;
}

bool EXECANDWAIT(const std::string& dir, const std::string& program, const std::string& args) {
    PROCESSRUN run;
    run.dir = dir;
    run.program = program;
    run.args = SPLITARGS(args);
    run.keep_stdin = true;
    return RUNANDWAIT(run) != NOT_STARTED;
}

int EXECWITHINPUT(const std::string& dir, const std::string& program,
                  const std::vector<std::string>& args, const std::string& input) {
    PROCESSRUN run;
    run.dir = dir;
    run.program = program;
    run.args = args;
    run.input = input;
    return RUNANDWAIT(run);
}

}  // namespace korax

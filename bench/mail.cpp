// The stop waits for the mail sender: one mail with a turn attached to a
// loopback SMTP server, by kxmail and by Python's smtplib for comparison. A
// sender much slower than smtplib waits on a timeout or a name lookup.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/process.h"

using namespace korax;
namespace fs = std::filesystem;

extern char** environ;

namespace {

struct Server {
    fs::path dir;
    pid_t pid = -1;
    std::string port;
    Server() {
        dir = fs::temp_directory_path() / ("korax-bench-mail-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string script = std::string(KORAX_SOURCE_DIR) + "/tests/mail/smtpserver.py";
        const std::string d = dir.string();
        const char* argv[] = {"/usr/bin/python3", script.c_str(), d.c_str(), "plain", nullptr};
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn(&pid, argv[0], &fa, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&fa);
        for (int i = 0; i < 600 && !fs::exists(dir / "port"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream(dir / "port") >> port;
        std::ofstream(dir / "post.txt") << "Hello game master,\r\n\r\nmy turn is attached.\r\n";
        std::ofstream(dir / "TEAM3.TRN", std::ios::binary) << std::string(12000, '\x5a');
    }
    ~Server() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        fs::remove_all(dir);
    }
};

Server& server() {
    static Server s;
    return s;
}

void Kxmail(benchmark::State& state) {
    Server& s = server();
    PROCESSRUN r;
    r.program = std::string(KORAX_DIST_DIR) + "/kxmail";
    r.args = {(s.dir / "post.txt").string(), "-t", "gm@league.example", "-s", "TURN 3", "-f", "coach@club.example",
              "-server", "127.0.0.1:" + s.port, "-attach", (s.dir / "TEAM3.TRN").string()};
    r.output = (s.dir / "post.log").string();
    for (auto _ : state)
        if (RUNANDWAIT(r) != 0) state.SkipWithError("kxmail failed");
}

void PythonSmtplib(benchmark::State& state) {
    Server& s = server();
    const std::string code =
        "import smtplib,sys\n"
        "from email.message import EmailMessage\n"
        "m=EmailMessage(); m['From']='coach@club.example'; m['To']='gm@league.example'; m['Subject']='TURN 3'\n"
        "m.set_content(open(sys.argv[1]).read())\n"
        "m.add_attachment(open(sys.argv[2],'rb').read(), maintype='application', subtype='octet-stream', filename='TEAM3.TRN')\n"
        "c=smtplib.SMTP('127.0.0.1', int(sys.argv[3]), timeout=30)\n"
        "c.ehlo()\n"
        "if c.has_extn('starttls'): c.starttls()\n"
        "c.send_message(m); c.quit()\n";
    PROCESSRUN r;
    r.program = "/usr/bin/python3";
    r.args = {"-c", code, (s.dir / "post.txt").string(), (s.dir / "TEAM3.TRN").string(), s.port};
    r.output = (s.dir / "python.log").string();
    for (auto _ : state)
        if (RUNANDWAIT(r) != 0) state.SkipWithError("smtplib failed");
}

}  // namespace

BENCHMARK(Kxmail)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PythonSmtplib)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();

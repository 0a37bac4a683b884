// rzip: packs result archives and unpacks them for the client.
//
//   rzip D[!][password] ARCHIVE            unpack into the working directory
//   rzip X[!][password] ARCHIVE            unpack into the program directory's
//                                          subdirectory named in the archive
//   rzip A[!] ARCHIVE [-g GAMEDIR] [-p] FILE...
//                                          pack the files; -p reads the password
//                                          from standard input
// "!" keeps it quiet. A protected archive without a password after the mode
// letter reads the password from standard input (one line).
// Exit codes: 0 done, 1 usage, 2 archive or file unreadable, 3 damaged archive,
// 4 password missing or wrong, 5 a name that is not a plain name, 6 write failure.
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/g_tools.h"
#include "platform/cp437.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "results/rsz.h"

using namespace korax;

namespace {

int usage() {
    std::fputs(
        "usage: rzip D[!][password] ARCHIVE\n"
        "       rzip X[!][password] ARCHIVE\n"
        "       rzip A[!] ARCHIVE [-g GAMEDIR] [-p] FILE...\n",
        stderr);
    return RZIPEXIT_USAGE;
}

int report(const RSZRESULT& r) {
    std::fprintf(stderr, "rzip: %s\n", CP437_TO_UTF8(RSZMESSAGE(r)).c_str());
    return RSZEXITCODE(r.status);
}

// Typed text arrives as UTF-8 from a terminal, the client sends UTF-8 too; plain
// CP437 bytes from an old script are taken as they are.
std::string tocp437(const std::string& s) { return LOOKS_LIKE_UTF8(s) ? UTF8_TO_CP437(s) : s; }

// One line from standard input, without its line end; on a terminal the typing
// is not echoed.
std::string readpassword() {
    bool tty = ::isatty(0) != 0;
    termios old{};
    if (tty && ::tcgetattr(0, &old) == 0) {
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        std::fputs("Password: ", stderr);
        ::tcsetattr(0, TCSAFLUSH, &quiet);
    } else {
        tty = false;
    }
    std::string line;
    char c;
    while (line.size() < 1024) {
        ssize_t n = ::read(0, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || c == '\n') break;
        line += c;
    }
    if (tty) {
        ::tcsetattr(0, TCSAFLUSH, &old);
        std::fputs("\n", stderr);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return tocp437(line);
}

bool isdir(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The directory mode X unpacks into: the program directory's subdirectory named
// in the header ("." is the program directory itself), made when missing. An
// archive that names none unpacks into the working directory.
bool gametarget(const ZIPHEADERTYPE& h, std::string& dir) {
    std::string raw = h.GAMEDIR.str();
    if (raw.find_first_not_of(' ') == std::string::npos) {
        dir = ".";
        return true;
    }
    auto name = SAFENAME(raw, MAXDIRNAME, true);
    if (!name) {
        std::fprintf(stderr, "rzip: the archive names no plain game directory: %s\n", CP437_TO_UTF8(raw).c_str());
        return false;
    }
    std::string base = PROGRAMDIR();
    dir = *name == "." ? base : HOSTPATH(base + *name);
    if (!isdir(dir) && ::mkdir(dir.c_str(), 0755) != 0 && !isdir(dir)) {
        std::fprintf(stderr, "rzip: cannot make the game directory %s: %s\n", dir.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

std::string resolve(const std::string& name) {
    struct stat st;
    if (::stat(name.c_str(), &st) == 0) return name;
    return HOSTPATH(name);
}

int unpack(char mode, bool quiet, std::string password, bool pwgiven, const std::string& archivename) {
    std::string archive = resolve(archivename);
    ZIPHEADERTYPE h;
    switch (READZIPHEADER(archive, h)) {
        case 0: break;
        case 2:
            std::fprintf(stderr, "rzip: damaged archive (shorter than its header): %s\n", archivename.c_str());
            return RZIPEXIT_DAMAGED;
        default:
            std::fprintf(stderr, "rzip: cannot read %s\n", archivename.c_str());
            return RZIPEXIT_UNREADABLE;
    }
    std::string dir = ".";
    if (mode == 'X' && !gametarget(h, dir)) return RZIPEXIT_NAME;
    if (h.PASSWORT.size() > 0 && !pwgiven) password = readpassword();
    RSZRESULT r = RSZUNPACKFILE(archive, dir, password);
    if (!r.ok()) return report(r);
    if (!quiet) {
        for (const auto& n : r.names) std::printf("  %s\n", CP437_TO_UTF8(n).c_str());
        std::printf("rzip: %zu file(s) unpacked into %s\n", r.names.size(), dir.c_str());
    }
    return 0;
}

int pack(bool quiet, const std::vector<std::string>& words) {
    if (words.empty()) return usage();
    std::string archive = words[0];
    RSZPACKOPTIONS opt;
    bool askpw = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "-g" && i + 1 < words.size()) {
            opt.gamedir = tocp437(words[++i]);
        } else if (words[i] == "-p") {
            askpw = true;
        } else if (words[i] == "--") {
            files.insert(files.end(), words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
            break;
        } else {
            files.push_back(words[i]);
        }
    }
    if (files.empty()) return usage();
    if (askpw) {
        opt.password = readpassword();
        if (opt.password.empty()) {
            std::fputs("rzip: empty password\n", stderr);
            return RZIPEXIT_PASSWORD;
        }
    }
    RSZRESULT r = RSZPACKFILES(archive, files, opt);
    if (!r.ok()) return report(r);
    if (!quiet) {
        for (const auto& n : r.names) std::printf("  %s\n", CP437_TO_UTF8(n).c_str());
        std::printf("rzip: %zu file(s) packed into %s%s\n", r.names.size(), archive.c_str(),
                    opt.password.empty() ? "" : " (protected)");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    std::string modetext = argv[1];
    char mode = static_cast<char>(UPCASE(modetext.substr(0, 1))[0]);
    std::size_t rest = 1;
    bool quiet = modetext.size() > 1 && modetext[1] == '!';
    if (quiet) rest = 2;
    std::vector<std::string> words(argv + 2, argv + argc);
    if (mode == 'A') {
        if (modetext.size() > rest) return usage();
        return pack(quiet, words);
    }
    if ((mode != 'D' && mode != 'X') || words.size() != 1) return usage();
    // A password right after the mode letter still works, but it shows in the
    // process list; the client sends it on standard input instead.
    bool pwgiven = modetext.size() > rest;
    return unpack(mode, quiet, tocp437(modetext.substr(rest)), pwgiven, words[0]);
}

#include "data/config.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "data/g_types.h"
#include "data/lg.h"
#include "platform/cp437.h"
#include "platform/dospath.h"
#include "platform/process.h"
#include "platform/window.h"

namespace korax {

int XMODE = 2;
int MENUMODE = 1;
bool LEFTMENU = false;
int VGRMODE = 1;
std::int32_t SCR_TIME = 0;
STRING80 EDITNAME = STRING80::of("EDIT");
STRING80 SCR_SAVE{};
bool AUTOPLAY = true;
bool SILENCE = false;
int RSTSIZE = 0;
bool STARTBILD = true;
std::array<int, 11> TEAMCOLOR{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
std::uint8_t ANPASSUNG = 4;
bool LEISE = false;
bool NEUGRAPH = false;
bool (*WRITEINI_FAULT)(std::string_view step) = nullptr;

namespace {

// Lines are taken up to this length; longer ones are cut (values stay within 80).
constexpr std::size_t MAXLINE = 255;


std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The value of a key line: after the first "=", the ";" comment cut off, blanks trimmed.
std::string_view value_of(std::string_view line, std::size_t eq) {
    std::string_view v = line.substr(eq + 1);
    std::size_t semi = v.find(';');
    if (semi != std::string_view::npos) v = v.substr(0, semi);
    return trim(v);
}

bool read_int(std::string_view s, long& out) {
    std::size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    if (i == s.size() || s.size() - i > 9) return false;
    long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    out = neg ? -v : v;
    return true;
}

bool to_bool(std::string_view v) {
    return !(v == "AUS" || v == "OFF" || v == "FALSE" || v == "NO");
}

// The window's scaling; a value it does not know leaves the automatic choice,
// which always gives a usable window.
int scale_of(std::string_view v) {
    if (v == "1") return SCALE_1;
    if (v == "2") return SCALE_2;
    if (v == "3") return SCALE_3;
    if (v == "SMOOTH") return SCALE_SMOOTH;
    return SCALE_AUTO;
}

[[noreturn]] void range_error(int keytext, int line) {
    ERROR(19, NUMSTR(L[keytext].str() + L[550].str(), line));
}

int ranged(std::string_view v, long lo, long hi, int keytext, int line) {
    long n = 0;
    if (!read_int(v, n) || n < lo || n > hi) range_error(keytext, line);
    return static_cast<int>(n);
}

bool starts_with(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

bool read_whole(const std::string& hostpath, std::string& out, bool& readfail) {
    readfail = false;
    std::ifstream f(hostpath, std::ios::binary);
    if (!f) return false;
    std::ostringstream ss;
    ss << f.rdbuf();
    if (f.bad() || (!f.eof() && f.fail() && f.peek() != EOF)) readfail = true;
    struct stat st{};
    if (::stat(hostpath.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) readfail = true;
    out = ss.str();
    return true;
}

bool fault(std::string_view step) { return WRITEINI_FAULT && WRITEINI_FAULT(step); }

// Writes bytes to a fresh file beside `hostpath` and renames it into place.
// Returns 0, or the error number of the failing step (4 create/write, 9 close/rename).
int write_atomic(const std::string& hostpath, std::string_view bytes, bool injected) {
    if (injected && fault("create")) return 4;
    std::string tmpl = hostpath + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return 4;
    ::fchmod(fd, 0644);
    auto fail = [&](int nr) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return nr;
    };
    if (injected && fault("write")) return fail(4);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n < 0 ? 4 : 5);
        done += static_cast<std::size_t>(n);
    }
    if ((injected && fault("close")) || ::fsync(fd) != 0) return fail(9);
    if (::close(fd) != 0) {
        ::unlink(tmpl.c_str());
        return 9;
    }
    if (::rename(tmpl.c_str(), hostpath.c_str()) != 0) {
        ::unlink(tmpl.c_str());
        return 9;
    }
    return 0;
}

}  // namespace

void RESET_CONFIG() {
    XMODE = 2;
    MENUMODE = 1;
    LEFTMENU = false;
    VGRMODE = 1;
    SCR_TIME = 0;
    EDITNAME.set("EDIT");
    SCR_SAVE.set("");
    AUTOPLAY = true;
    SILENCE = false;
    RSTSIZE = 0;
    STARTBILD = true;
    for (int n = 0; n <= 10; ++n) TEAMCOLOR[n] = n;
    ANPASSUNG = 4;
    LEISE = false;
    NEUGRAPH = false;
    WINDOW_SCALE = SCALE_AUTO;
}

void READINI_TEXT(std::string_view text, std::uint8_t id, bool first) {
    if (first) {
        if (id != 0) {
            XMODE = 2;
            MENUMODE = 1;
            LEFTMENU = false;
        }
        VGRMODE = 1;
        EDITNAME.set("EDIT");
        AUTOPLAY = true;
        STARTBILD = true;
        ANPASSUNG = 4;
        LEISE = false;
        RSTSIZE = 0;
        SCR_TIME = 0;
        SCR_SAVE.set("");
        for (int n = 1; n <= 10; ++n) TEAMCOLOR[n] = n;
        WINDOW_SCALE = SCALE_AUTO;
    }
    // A file saved from a Linux editor may come back in UTF-8 (with a byte order mark).
    std::string converted;
    if (starts_with(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
    if (LOOKS_LIKE_UTF8(text)) {
        converted = UTF8_TO_CP437(text);
        text = converted;
    }
    auto lines = SPLITLINES(text);
    if (first && lines.empty()) ERROR(113, L[541].str());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int nr = static_cast<int>(i) + 1;
        std::string_view raw = lines[i].text.substr(0, MAXLINE);
        const std::string up = UPCASE(raw);
        const std::string_view s = up;
        const std::size_t eq = s.find('=');
        if (i == 0 && first) {
            long v = 0;
            if (!starts_with(s, "ID") || eq == std::string_view::npos || !read_int(value_of(s, eq), v))
                ERROR(113, L[541].str());
            if (id != 0 && v != id && v != -1) {
                CONSOLE_MESSAGE("Korax Manager", L[516].str() + "\n" + L[517].str() + "\n");
                throw ReportedStop(1, L[516].str());
            }
            continue;
        }
        static constexpr std::string_view keys[] = {"GRAPHMODE", "MENUMODE", "VGRMODE",  "SCR_TIME",
                                                    "EDITOR",    "SCR_SAVE", "AUTOPLAY", "STEPINFO",
                                                    "RST_SIZE",  "STARTPAGE", "SCALE"};
        int key = -1;
        for (int k = 0; k < 11 && key < 0; ++k)
            if (starts_with(s, keys[k])) key = k;
        if (key < 0) {
            if (!starts_with(s, "TEAM")) continue;
            // After "TEAM" one digit, or a "0" as second character for team 10.
            if (eq == std::string_view::npos || s.size() < 5 || s[4] < '0' || s[4] > '9') range_error(547, nr);
            int team = s.size() > 5 && s[5] == '0' ? 10 : s[4] - '0';
            if (team < 1 || team > 10) range_error(547, nr);
            TEAMCOLOR[team] = ranged(value_of(s, eq), 0, 15, 548, nr);
            continue;
        }
        if (eq == std::string_view::npos) ERROR(113, NUMSTR(L[540].str(), nr));
        std::string_view v = value_of(s, eq);
        switch (key) {
        case 0:
            XMODE = ranged(v, 0, 2, 542, nr);
            if (!first) NEUGRAPH = true;
            break;
        case 1: {
            int m = ranged(v, 1, 2, 543, nr);
            if (id != 0) {
                MENUMODE = m;
                LEFTMENU = m == 2;
            }
            if (!first) NEUGRAPH = true;
            break;
        }
        case 2: VGRMODE = ranged(v, 0, 3, 544, nr); break;
        case 3: SCR_TIME = ranged(v, 0, 120, 545, nr) * 60; break;
        case 4: {
            // Program names on Linux are case-sensitive: the editor keeps its spelling.
            std::string_view orig = value_of(raw, eq);
            EDITNAME.set(orig);
            break;
        }
        case 5: SCR_SAVE.set(v); break;
        case 6: AUTOPLAY = to_bool(v); break;
        case 7: SILENCE = !to_bool(v); break;
        case 8: RSTSIZE = ranged(v, 0, 2, 546, nr); break;
        case 9: STARTBILD = to_bool(v); break;
        case 10: WINDOW_SCALE = scale_of(v); break;
        }
    }
}

void READINI(std::uint8_t id, bool first) {
    std::string name = first ? std::string("KORAX.INI") : GAMEDIR + "KORAX.INI";
    std::string host = HOSTPATH(name);
    std::string data;
    bool readfail = false;
    if (!read_whole(host, data, readfail)) {
        if (first) ERROR(1, "X:KORAX.INI");
        return;
    }
    if (readfail) ERROR(2, "KORAX.INI");
    READINI_TEXT(data, id, first);
}

std::string REBUILD_INI(std::string_view old) {
    const bool utf8 = LOOKS_LIKE_UTF8(old);
    std::string out;
    out.reserve(old.size() + 64);
    for (const TEXTLINE& ln : SPLITLINES(old)) {
        const std::string up = UPCASE(ln.text.substr(0, 16));
        std::string value;
        if (starts_with(up, "VGRMODE")) value = std::to_string(VGRMODE);
        else if (starts_with(up, "MENUMODE")) value = std::to_string(MENUMODE);
        else if (starts_with(up, "SCR_TIME")) value = std::to_string(SCR_TIME / 60);
        else if (starts_with(up, "STARTPAGE")) value = STARTBILD ? "YES" : "NO";
        std::size_t eq = ln.text.find('=');
        if (value.empty() || eq == std::string_view::npos || eq == 0) {
            // Lines the screen does not change are copied byte for byte, whatever their length.
            out.append(ln.text);
            out.append(ln.end);
            continue;
        }
        std::size_t semi = ln.text.find(';');
        std::string_view comment = semi == std::string_view::npos ? std::string_view(";") : ln.text.substr(semi);
        std::string line(ln.text.substr(0, eq + 1));
        line += ' ';
        line += value;
        if (line.size() < 25) line.resize(25, ' ');
        line += comment;
        if (line.size() > 80) {
            std::size_t cut = 80;
            // Never split a multi-byte character of a file kept in UTF-8.
            while (utf8 && cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
            line.resize(cut);
        }
        out += line;
        out.append(ln.end);
    }
    return out;
}

void WRITEINI() {
    const std::string ini = HOSTPATH("KORAX.INI");
    const std::string sav = HOSTPATH("KORAX.SAV");
    std::string old;
    bool readfail = false;
    if (fault("backup") || !read_whole(ini, old, readfail)) ERROR(1, "KORAX.INI");
    if (readfail) ERROR(2, "KORAX.INI");
    if (int rc = write_atomic(sav, old, false); rc != 0) ERROR(rc, "KORAX.SAV");

    // From here KORAX.SAV holds the original: any failure puts it back before stopping.
    auto restore_and_fail = [&](int nr, const char* name) {
        std::string saved;
        bool rf = false;
        if (read_whole(sav, saved, rf) && !rf) write_atomic(ini, saved, false);
        ERROR(nr, name);
    };
    std::string saved;
    if (fault("open") || !read_whole(sav, saved, readfail)) restore_and_fail(1, "KORAX.SAV");
    if (fault("read") || readfail) restore_and_fail(2, "KORAX.SAV");
    if (int rc = write_atomic(ini, REBUILD_INI(saved), true); rc != 0) restore_and_fail(rc, "KORAX.INI");
}

namespace {

bool executable_in_path(const std::string& name) {
    if (name.find('/') != std::string::npos) return ::access(name.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        std::size_t colon = rest.find(':');
        std::string dir(rest.substr(0, colon));
        if (dir.empty()) dir = ".";
        std::string full = dir + "/" + name;
        struct stat st{};
        if (::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(full.c_str(), X_OK) == 0) return true;
        if (colon == std::string_view::npos) return false;
        rest.remove_prefix(colon + 1);
    }
}

std::string base_name(const std::string& program) {
    std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

// Editors that draw in a terminal: started from a desktop they need a terminal window.
bool needs_terminal(const std::string& program) {
    static constexpr std::string_view console[] = {"vi", "vim", "nvim", "nano", "pico", "joe", "jed",
                                                   "micro", "mcedit", "ed", "ne", "emacs", "mg", "kak"};
    std::string b = base_name(program);
    for (auto c : console)
        if (b == c) return true;
    return false;
}

std::vector<std::string> in_terminal(std::vector<std::string> cmd) {
    if (!needs_terminal(cmd[0]) || ::isatty(0)) return cmd;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return cmd;
    for (const char* term : {"x-terminal-emulator", "xterm"}) {
        if (!executable_in_path(term)) continue;
        std::vector<std::string> wrapped{term, "-e"};
        wrapped.insert(wrapped.end(), cmd.begin(), cmd.end());
        return wrapped;
    }
    return cmd;
}

// Rewrites a file with other bytes in one step; false when that failed.
bool replace_file(const std::string& hostpath, std::string_view bytes) {
    return write_atomic(hostpath, bytes, false) == 0;
}

bool has_high_bytes(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return true;
    return false;
}

}  // namespace

std::vector<std::string> EDITOR_COMMAND(std::string_view file) {
    std::vector<std::string> cmd;
    std::string name = EDITNAME.str();
    if (UPCASE(trim(name)) == "EDIT") {
        for (const char* var : {"VISUAL", "EDITOR"}) {
            const char* v = std::getenv(var);
            if (v && *v) {
                cmd = SPLITARGS(v);
                if (!cmd.empty()) break;
            }
        }
        if (cmd.empty()) {
            static const std::vector<std::vector<std::string>> installed = {
                {"gedit", "--wait"}, {"kate", "--block"}, {"mousepad", "--disable-server"},
                {"nano"}, {"vim"}, {"vi"}};
            for (const auto& c : installed)
                if (executable_in_path(c[0])) {
                    cmd = c;
                    break;
                }
        }
        if (cmd.empty()) cmd = {"vi"};
        cmd = in_terminal(cmd);
    } else {
        cmd = SPLITARGS(name);
        if (cmd.empty()) cmd = {name};
        cmd = in_terminal(cmd);
    }
    cmd.push_back(HOSTPATH(file));
    return cmd;
}

void EDITOR(std::string_view file) {
    const std::string host = HOSTPATH(file);
    std::string before;
    bool readfail = false;
    bool exists = read_whole(host, before, readfail) && !readfail;
    // The editor sees the file in UTF-8; the program keeps it in code page 437.
    bool converted = exists && has_high_bytes(before) && !LOOKS_LIKE_UTF8(before) &&
                     replace_file(host, CP437_TO_UTF8(before));
    std::vector<std::string> cmd = EDITOR_COMMAND(file);
    PROCESSRUN run;
    run.program = cmd[0];
    run.args.assign(cmd.begin() + 1, cmd.end());
    run.keep_stdin = true;
    int rc = RUNANDWAIT(run);
    std::string after;
    if (read_whole(host, after, readfail) && !readfail && LOOKS_LIKE_UTF8(after))
        replace_file(host, UTF8_TO_CP437(after));
    else if (converted && rc == NOT_STARTED)
        replace_file(host, before);
    if (rc == NOT_STARTED) ERROR(10, EDITNAME.str());
}

}  // namespace korax

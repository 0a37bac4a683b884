#include "graph/inputscript.h"

#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "graph/events.h"
#include "graph/htime.h"
#include "graph/wingraph.h"
#include "platform/cp437.h"

namespace korax {

namespace {

// How long (in milliseconds of polling) a pending action the program does not look
// at is kept, and how long the program may wait after the script ran out.
constexpr std::uint64_t PASS_OVER_MS = 1000;
constexpr std::uint64_t EXHAUSTED_MS = 30000;
constexpr std::size_t MAX_SCRIPT_BYTES = 16u << 20;

// What the next action waits for. KEY: the program to look at the key queue again
// after it took the key (its next pass; the mouse look later in the pass that read
// the key must still see the mouse as it was). MOUSE: the program to look at the
// mouse. PASS: a mouse action was taken in and a shot comes next, which waits for
// the next look at the keys so that it shows what the click did.
enum class Pending { NONE, KEY, MOUSE, PASS };

struct SCRIPTSTATE {
    bool active = false;
    std::vector<SCRIPTACTION> actions;
    std::size_t next = 0;
    Pending pending = Pending::NONE;
    int pendingline = 0;
    std::uint64_t notbefore = 0;
    std::uint64_t idle = 0;
    bool polling = false;
};
SCRIPTSTATE S;

// KORAX_INPUT_TRACE: when each action was applied, for timing screens from outside.
std::FILE* TRACE = nullptr;
std::chrono::steady_clock::time_point TRACESTART;

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::vector<std::string_view> split_words(std::string_view s) {
    std::vector<std::string_view> w;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
        if (j > i) w.push_back(s.substr(i, j - i));
        i = j;
    }
    return w;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string_view trim_front(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

bool starts_with_ci(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && lower(s.substr(0, prefix.size())) == prefix;
}

// Decodes one UTF-8 character at the start of s; its length in n (0 when malformed).
char32_t decode_utf8(std::string_view s, std::size_t& n) {
    n = 0;
    if (s.empty()) return 0;
    const unsigned char b = static_cast<unsigned char>(s[0]);
    char32_t u;
    std::size_t len;
    if (b < 0x80) { u = b; len = 1; }
    else if ((b & 0xE0) == 0xC0) { u = b & 0x1F; len = 2; }
    else if ((b & 0xF0) == 0xE0) { u = b & 0x0F; len = 3; }
    else if ((b & 0xF8) == 0xF0) { u = b & 0x07; len = 4; }
    else return 0;
    if (s.size() < len) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80) return 0;
        u = (u << 6) | (c & 0x3F);
    }
    n = len;
    return u;
}

struct NAMEDKEY {
    const char* name;
    std::uint16_t vk;
};
constexpr NAMEDKEY NAMEDKEYS[] = {
    {"enter", VK_RETURN}, {"esc", VK_ESCAPE},   {"escape", VK_ESCAPE}, {"tab", VK_TAB},
    {"backspace", VK_BACK}, {"space", VK_SPACE}, {"up", VK_UP},        {"down", VK_DOWN},
    {"left", VK_LEFT},    {"right", VK_RIGHT},  {"home", VK_HOME},     {"end", VK_END},
    {"pgup", VK_PRIOR},   {"pgdn", VK_NEXT},    {"ins", VK_INSERT},    {"del", VK_DELETE},
    {"pause", VK_PAUSE},  {"clear", VK_CLEAR},
};

struct Parser {
    std::string_view name;
    int line = 0;
    std::string_view text;

    [[noreturn]] void fail(const std::string& why) const {
        throw ScriptInvalid(std::string(name) + ":" + std::to_string(line) + ": " + why + ": " +
                            std::string(text));
    }

    int number(std::string_view w, int lo, int hi, const char* what) const {
        int v = 0;
        auto r = std::from_chars(w.data(), w.data() + w.size(), v);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size() || v < lo || v > hi)
            fail(std::string("bad ") + what + " \"" + std::string(w) + "\"");
        return v;
    }

    std::uint16_t button(const std::vector<std::string_view>& w, std::size_t i) const {
        if (i >= w.size()) return MOUSE_LEFT;
        if (i + 1 < w.size()) fail("too many words");
        const std::string b = lower(w[i]);
        if (b == "left") return MOUSE_LEFT;
        if (b == "right") return MOUSE_RIGHT;
        if (b == "middle") return MOUSE_MIDDLE;
        fail("unknown mouse button \"" + std::string(w[i]) + "\"");
    }

    // The bytes one `key` queues.
    std::string keycodes(std::string_view k) const {
        bool ctrl = false, shift = false, alt = false;
        for (;;) {
            if (k.size() > 6 && starts_with_ci(k, "shift+")) { shift = true; k.remove_prefix(6); }
            else if (k.size() > 5 && starts_with_ci(k, "ctrl+")) { ctrl = true; k.remove_prefix(5); }
            else if (k.size() > 4 && starts_with_ci(k, "alt+")) { alt = true; k.remove_prefix(4); }
            else break;
        }
        const bool mods = ctrl || shift || alt;
        std::size_t n;
        const char32_t u = decode_utf8(k, n);
        if (n > 0 && n == k.size()) {
            // One character.
            if (u < 0x20 || u == 0x7F) fail("control character as key");
            if (!mods) {
                const int c = UNICODE_TO_CP437(u);
                if (c < 0) fail("character not in code page 437");
                return std::string(1, static_cast<char>(c));
            }
            std::uint16_t vk = 0;
            if (u >= 'a' && u <= 'z') vk = static_cast<std::uint16_t>(u - 'a' + 'A');
            else if (u >= 'A' && u <= 'Z') vk = static_cast<std::uint16_t>(u);
            else if (u >= '0' && u <= '9') vk = static_cast<std::uint16_t>(u);
            else if (u == '+') vk = VK_ADD;
            else if (u == '-') vk = VK_SUBTRACT;
            if (!vk) fail("modifier with a character: write the character itself");
            const std::string codes = KEYSTROKE_CODES(vk, ctrl, shift, alt);
            if (codes.empty()) fail("this key combination queues nothing");
            return codes;
        }
        const std::string lname = lower(k);
        std::uint16_t vk = 0;
        for (const NAMEDKEY& nk : NAMEDKEYS)
            if (lname == nk.name) vk = nk.vk;
        if (!vk && lname.size() >= 2 && lname[0] == 'f') {
            int f = 0;
            auto r = std::from_chars(lname.data() + 1, lname.data() + lname.size(), f);
            if (r.ec == std::errc() && r.ptr == lname.data() + lname.size() && f >= 1 && f <= 12 &&
                lname[1] != '0')
                vk = static_cast<std::uint16_t>(VK_F1 + f - 1);
        }
        if (!vk) fail("unknown key \"" + std::string(k) + "\"");
        const std::string codes = KEYSTROKE_CODES(vk, ctrl, shift, alt);
        if (codes.empty()) fail("this key combination queues nothing");
        return codes;
    }

    void parse_line(std::vector<SCRIPTACTION>& out) {
        std::string_view body = trim(text);
        if (body.empty() || body.front() == '#') return;
        const std::vector<std::string_view> w = split_words(body);
        const std::string cmd = lower(w[0]);
        // Typed text keeps its trailing blanks: a name may end in one.
        if (cmd == "text") body = trim_front(text);
        SCRIPTACTION a;
        a.line = line;
        if (cmd == "key") {
            if (w.size() != 2) fail(w.size() < 2 ? "key needs a key" : "too many words");
            a.kind = SCRIPTACTION::KEYS;
            a.codes = keycodes(w[1]);
            out.push_back(a);
        } else if (cmd == "text") {
            // The rest of the line after "text" and one blank, exactly as written.
            std::string_view rest = body.substr(4);
            if (rest.empty() || (rest.front() != ' ' && rest.front() != '\t')) fail("text needs characters");
            rest.remove_prefix(1);
            if (rest.empty()) fail("text needs characters");
            while (!rest.empty()) {
                std::size_t n;
                const char32_t u = decode_utf8(rest, n);
                if (n == 0) fail("malformed UTF-8");
                if (u < 0x20 || u == 0x7F) fail("control character in text");
                const int c = UNICODE_TO_CP437(u);
                if (c < 0) fail("character not in code page 437");
                a.kind = SCRIPTACTION::KEYS;
                a.codes = std::string(1, static_cast<char>(c));
                out.push_back(a);
                rest.remove_prefix(n);
            }
        } else if (cmd == "move") {
            if (w.size() != 3) fail("move needs X and Y");
            a.kind = SCRIPTACTION::MOVE;
            a.x = number(w[1], 0, 32767, "X");
            a.y = number(w[2], 0, 32767, "Y");
            out.push_back(a);
        } else if (cmd == "press" || cmd == "click") {
            if (w.size() < 3) fail(cmd + " needs X and Y");
            a.kind = SCRIPTACTION::PRESS;
            a.x = number(w[1], 0, 32767, "X");
            a.y = number(w[2], 0, 32767, "Y");
            a.button = button(w, 3);
            out.push_back(a);
            if (cmd == "click") {
                a.kind = SCRIPTACTION::RELEASE;
                out.push_back(a);
            }
        } else if (cmd == "release") {
            a.kind = SCRIPTACTION::RELEASE;
            a.button = button(w, 1);
            out.push_back(a);
        } else if (cmd == "wait") {
            if (w.size() != 2) fail("wait needs milliseconds");
            a.kind = SCRIPTACTION::WAIT;
            a.ms = static_cast<std::uint32_t>(number(w[1], 0, 86400000, "milliseconds"));
            out.push_back(a);
        } else if (cmd == "shot") {
            std::string_view file = trim(body.substr(4));
            if (file.empty() || (body[4] != ' ' && body[4] != '\t')) fail("shot needs a file name");
            if (file.size() < 5 || lower(file.substr(file.size() - 4)) != ".png")
                fail("shot writes a .png file");
            a.kind = SCRIPTACTION::SHOT;
            // Relative names mean the directory the run started in, not the program's.
            std::error_code ec;
            std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(std::string(file)), ec);
            a.file = ec ? std::string(file) : p.string();
            out.push_back(a);
        } else if (cmd == "close") {
            if (w.size() != 1) fail("too many words");
            a.kind = SCRIPTACTION::CLOSE;
            out.push_back(a);
        } else {
            fail("unknown action \"" + std::string(w[0]) + "\"");
        }
    }
};

void apply(const SCRIPTACTION& a) {
    if (TRACE) {
        const auto since = std::chrono::steady_clock::now() - TRACESTART;
        const long long us = std::chrono::duration_cast<std::chrono::microseconds>(since).count();
        std::fprintf(TRACE, "%d %lld\n", a.line, us);
        std::fflush(TRACE);
    }
    std::uint16_t b, x, y;
    PEEKMOUSESTATE(b, x, y);
    switch (a.kind) {
    case SCRIPTACTION::KEYS:
        if (a.codes.size() == 2 && a.codes[0] == '\0')
            ADDEXTKEY(static_cast<unsigned char>(a.codes[1]));
        else
            for (char c : a.codes) ADDKEY(static_cast<unsigned char>(c));
        S.pending = Pending::KEY;
        break;
    case SCRIPTACTION::CLOSE:
        CLOSE_MESSAGE();
        S.pending = Pending::KEY;
        break;
    case SCRIPTACTION::MOVE:
        ADDMOUSEEVENT(MOUSE_MOVED, b, static_cast<std::uint16_t>(a.x), static_cast<std::uint16_t>(a.y));
        S.pending = Pending::MOUSE;
        break;
    case SCRIPTACTION::PRESS:
        if (x != a.x || y != a.y)
            ADDMOUSEEVENT(MOUSE_MOVED, b, static_cast<std::uint16_t>(a.x), static_cast<std::uint16_t>(a.y));
        ADDMOUSEEVENT(MOUSE_PRESSED, static_cast<std::uint16_t>(b | a.button),
                      static_cast<std::uint16_t>(a.x), static_cast<std::uint16_t>(a.y));
        S.pending = Pending::MOUSE;
        break;
    case SCRIPTACTION::RELEASE:
        ADDMOUSEEVENT(MOUSE_RELEASED, a.button, x, y);
        S.pending = Pending::MOUSE;
        break;
    case SCRIPTACTION::WAIT:
        ADVANCE_CLOCK(a.ms);
        S.notbefore = CLOCK_MS() + a.ms;
        if (GRAPH_HEADLESS()) S.notbefore = CLOCK_MS();
        break;
    case SCRIPTACTION::SHOT:
        if (!WRITE_VISUAL_PNG(a.file))
            std::fprintf(stderr, "korax: input script line %d: cannot write %s\n", a.line, a.file.c_str());
        break;
    }
    S.pendingline = a.line;
}

// After a mouse action: does a shot come next (after any waits)?
bool shot_ahead() {
    for (std::size_t i = S.next; i < S.actions.size(); ++i) {
        if (S.actions[i].kind == SCRIPTACTION::SHOT) return true;
        if (S.actions[i].kind != SCRIPTACTION::WAIT) return false;
    }
    return false;
}

// Applies what is due at one look of the program at its input: at most one input
// action, with the waits and shots before it.
void demand(bool keylook) {
    if (!S.active) return;
    for (;;) {
        if (S.pending == Pending::KEY) {
            if (!keylook || KEYQUEUE_COUNT() > 0) return;
            S.pending = Pending::NONE;
        }
        if (S.pending == Pending::MOUSE) return;
        if (S.pending == Pending::PASS) {
            if (!keylook) return;
            S.pending = Pending::NONE;
        }
        if (S.notbefore > CLOCK_MS()) return;
        if (S.next >= S.actions.size()) return;
        const SCRIPTACTION& a = S.actions[S.next++];
        S.idle = 0;
        S.polling = false;
        apply(a);
        if (a.kind != SCRIPTACTION::WAIT && a.kind != SCRIPTACTION::SHOT) return;
    }
}

bool exhausted() { return S.next >= S.actions.size() && S.pending == Pending::NONE; }

void check_idle() {
    if (S.notbefore > CLOCK_MS()) {
        S.idle = 0;
        return;
    }
    if (S.pending != Pending::NONE && S.idle >= PASS_OVER_MS) {
        // The program is not looking at what the action gave it; go on with the next.
        S.pending = Pending::NONE;
        S.idle = 0;
        return;
    }
    if (exhausted() && S.idle >= EXHAUSTED_MS)
        throw ScriptExhausted("korax: the input script ran out while the program still waits for input");
}

}  // namespace

std::vector<SCRIPTACTION> PARSE_INPUT_SCRIPT(std::string_view text, std::string_view name) {
    std::vector<SCRIPTACTION> out;
    Parser p;
    p.name = name;
    // Editors on some systems start UTF-8 files with a byte order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view l = text.substr(pos, eol - pos);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        ++p.line;
        p.text = l;
        if (l.find('\0') != std::string_view::npos) p.fail("NUL byte in line");
        p.parse_line(out);
        if (eol == text.size()) break;
        pos = eol + 1;
    }
    return out;
}

void START_INPUT_SCRIPT() {
    const char* env = std::getenv("KORAX_INPUT");
    if (!env || !*env) {
        // Headless nobody can type: the run behaves as with an empty script.
        if (GRAPH_HEADLESS()) SET_INPUT_SCRIPT({});
        return;
    }
    std::ifstream f(env, std::ios::binary);
    if (!f) throw ScriptInvalid(std::string("korax: cannot read the input script ") + env);
    std::string data;
    char buf[65536];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(f.gcount()));
        if (data.size() > MAX_SCRIPT_BYTES) throw ScriptInvalid(std::string("korax: input script too large: ") + env);
    }
    if (f.bad()) throw ScriptInvalid(std::string("korax: cannot read the input script ") + env);
    SET_INPUT_SCRIPT(PARSE_INPUT_SCRIPT(data, env));
    const char* trace = std::getenv("KORAX_INPUT_TRACE");
    if (trace && *trace) {
        if (TRACE) std::fclose(TRACE);
        TRACE = std::fopen(trace, "w");
        if (!TRACE) throw ScriptInvalid(std::string("korax: cannot write the input trace ") + trace);
        TRACESTART = std::chrono::steady_clock::now();
    }
}

void SET_INPUT_SCRIPT(std::vector<SCRIPTACTION> actions) {
    S = SCRIPTSTATE{};
    S.active = true;
    S.actions = std::move(actions);
}

void END_INPUT_SCRIPT() {
    S = SCRIPTSTATE{};
    if (TRACE) std::fclose(TRACE);
    TRACE = nullptr;
}

bool INPUT_SCRIPT_ACTIVE() { return S.active; }

std::size_t INPUT_SCRIPT_REMAINING() { return S.actions.size() - S.next; }

void SCRIPT_KEYS_DEMAND() { demand(true); }

void SCRIPT_MOUSE_DEMAND() { demand(false); }

void SCRIPT_MOUSE_READ() {
    if (!S.active) return;
    if (S.pending == Pending::MOUSE) {
        S.pending = shot_ahead() ? Pending::PASS : Pending::NONE;
        SCRIPT_PROGRESS();
    } else {
        SCRIPT_IDLE(1);
    }
}

void SCRIPT_PROGRESS() {
    S.idle = 0;
    S.polling = false;
}

void SCRIPT_IDLE(std::uint32_t ms) {
    if (!S.active) return;
    S.polling = true;
    S.idle += ms;
    check_idle();
}

void SCRIPT_DELAYED(std::uint32_t ms) {
    if (!S.active || !S.polling) return;
    S.idle += ms;
    check_idle();
}

void SCRIPT_BLOCKED(const char* what) {
    if (S.active) {
        const std::size_t before = S.next;
        // Whatever the program waits for, the pending action did not give it.
        S.pending = Pending::NONE;
        demand(true);
        if (S.next != before) return;
        if (S.notbefore > CLOCK_MS()) return;
        throw ScriptExhausted(std::string("korax: the input script ran out while the program waits for ") + what);
    }
    throw ScriptExhausted(std::string("korax: no input can arrive (no window, no input script) while the program waits for ") +
                          what);
}

}  // namespace korax

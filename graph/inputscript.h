// Scripted input (KORAX_INPUT): a file of input actions, one a line, that is fed to
// the key and mouse queues whenever the program asks for input and has taken in
// the action before, one action per input pass. Applied by demand, never by the
// wall clock, so a script gives the same run however fast the program polls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

// Ends the run without the error screen: main writes what() on standard error and
// exits with `exitcode`.
struct ScriptStop : std::runtime_error {
    int exitcode;
    ScriptStop(int code, const std::string& text) : std::runtime_error(text), exitcode(code) {}
};
// The script ran out while the program still waits for input (exit code 125).
struct ScriptExhausted : ScriptStop {
    explicit ScriptExhausted(const std::string& text) : ScriptStop(125, text) {}
};
// The script cannot be read or has a line that cannot be parsed (exit code 2).
struct ScriptInvalid : ScriptStop {
    explicit ScriptInvalid(const std::string& text) : ScriptStop(2, text) {}
};

struct SCRIPTACTION {
    enum Kind { KEYS, MOVE, PRESS, RELEASE, WAIT, SHOT, CLOSE } kind = KEYS;
    std::string codes;        // KEYS: the bytes queued (an extended key as #0 + code)
    int x = 0, y = 0;         // MOVE, PRESS
    std::uint16_t button = 1; // PRESS, RELEASE: 1 left, 16 right
    std::uint32_t ms = 0;     // WAIT
    std::string file;         // SHOT: host path of the PNG
    int line = 0;             // line of the script, for messages
};

// Parses a whole script. `click` becomes a press and a release, `text` one KEYS
// action per character. Throws ScriptInvalid naming `name` and the line.
std::vector<SCRIPTACTION> PARSE_INPUT_SCRIPT(std::string_view text, std::string_view name);

// Reads and parses the script named by KORAX_INPUT, if set; call first thing at
// start-up so that a bad script stops the run before anything happens. With
// KORAX_INPUT_TRACE set as well, every action applied writes its script line and
// the microseconds since the start to that file, one action a line.
void START_INPUT_SCRIPT();
// Installs parsed actions (tests), or removes every script state.
void SET_INPUT_SCRIPT(std::vector<SCRIPTACTION> actions);
void END_INPUT_SCRIPT();
// True while a script is installed (also after it ran out).
bool INPUT_SCRIPT_ACTIVE();
// Actions not yet applied.
std::size_t INPUT_SCRIPT_REMAINING();

// Hooks of the queue readers (program thread only).
// SCRIPT_KEYS_DEMAND (a look at the key queue) and SCRIPT_MOUSE_DEMAND (a look at
// the mouse) let the script apply its next action when the one before was taken
// in. After a key that is the next look at the key queue once the key was read,
// the start of the program's next pass, so the mouse look later in the pass that
// reads the key still sees the mouse as it was. After a mouse change it is the
// next look of either kind once the program read the mouse state or a mouse event
// (SCRIPT_MOUSE_READ); a shot that follows waits for the next look at the keys.
// SCRIPT_PROGRESS: the program took something from a queue. SCRIPT_IDLE: a poll
// found nothing (weight in milliseconds); SCRIPT_DELAYED: the program slept while
// polling. A pending action the program does not look at is passed over after a
// second of such waiting; after the script ran out, half a minute of it ends the
// run (ScriptExhausted).
// SCRIPT_BLOCKED: a blocking read found nothing and no window can supply input:
// returns when the script applied something new, else throws ScriptExhausted.
void SCRIPT_KEYS_DEMAND();
void SCRIPT_MOUSE_DEMAND();
void SCRIPT_MOUSE_READ();
void SCRIPT_PROGRESS();
void SCRIPT_IDLE(std::uint32_t ms);
void SCRIPT_DELAYED(std::uint32_t ms);
void SCRIPT_BLOCKED(const char* what);

}  // namespace korax

// Starting external programs (the result unpacker, the mail sender, the editor)
// and waiting for their end. Never through a shell: the program gets an argument
// vector, so blanks and metacharacters in names and values stay inert.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korax {

// One run of an external program.
struct PROCESSRUN {
    // Working directory; DOS-style names are resolved case-insensitively. Empty = ours.
    std::string dir;
    // A name with a "/" or "\" is a path (relative ones against our own working
    // directory); a bare name is searched along PATH.
    std::string program;
    std::vector<std::string> args;
    // When set, the child's standard input delivers exactly these bytes and then
    // end of file; otherwise the child reads nothing (standard input is /dev/null)
    // unless `keep_stdin` is set.
    std::optional<std::string> input;
    bool keep_stdin = false;
    // When not empty: standard output and standard error go to this file,
    // truncated first.
    std::string output;
};

// Exit status of a run that could not start.
inline constexpr int NOT_STARTED = -1;

// Starts the program and waits without a time limit for its end. Returns its
// exit code (0..255), 128 + the signal number when a signal ended it, or
// NOT_STARTED when it could not be started (missing, not executable, bad
// working directory). Only our three standard channels are passed on.
int RUNANDWAIT(const PROCESSRUN& run);

// Splits an argument text into words: blanks separate, double quotes group
// (and are removed), nothing else is special.
std::vector<std::string> SPLITARGS(const std::string& text);

// Starts `program` with the words of `args` in the working directory `dir` and
// waits for its end; true whenever the program could be started, whatever its
// exit code. Standard input and output stay those of the client.
bool EXECANDWAIT(const std::string& dir, const std::string& program, const std::string& args);

// As EXECANDWAIT, with an argument vector and `input` fed to the child's
// standard input (how the unpacker receives the password). Returns the exit
// status as RUNANDWAIT does.
int EXECWITHINPUT(const std::string& dir, const std::string& program,
                  const std::vector<std::string>& args, const std::string& input);

}  // namespace korax

// The real client and its tools, run headless and scripted in a private copy of
// the program directory (the build's dist folder without its demonstration game).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/g_types.h"
#include "platform/process.h"

namespace korax::client {

namespace fs = std::filesystem;

inline std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void spit(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// From the team overview: Escape asks, yes quits, the closing messages confirmed.
inline const std::string QUIT = "key Esc\nkey Y\nkey Enter\nkey Enter\n";
// An import prepares the viewer run (its message), then shows the pairings, the
// table, the newspaper (a generated container brings no news: its message box
// first) and the received messages.
inline const std::string IMPORTQUIT = "key Esc\nkey Esc\nkey Esc\nkey Esc\nkey Esc\nkey Esc\n" + QUIT;

// A click on button n (1..) of the menu column.
inline std::string menubutton(int n) { return "click 900 " + std::to_string(105 + 46 * (n - 1)) + "\n"; }

// Record t (1..10) of a TEAM<n>.DAT as read; zero when the file is too short.
inline TEAMREC teamrecord(const std::string& file, int t) {
    TEAMREC r{};
    EXPECT_GE(file.size(), t * sizeof(TEAMREC));
    if (t >= 1 && file.size() >= t * sizeof(TEAMREC)) std::memcpy(&r, file.data() + (t - 1) * sizeof(TEAMREC), sizeof r);
    return r;
}

// Usage counters the client books at every stop; they differ from run to run.
// The viewer's time is booked from the time stamps of its marker file, whole
// seconds apart or not depending on when the runs fall.
inline void forgetusage(TEAMREC& t) {
    t.TRAINING.KXGESAMT = 0;
    t.TRAINING.KXANZAHL = 0;
    t.TRAINING.VGRGESAMT = 0;
}

// Environment of one run: a missing value removes the variable.
using Env = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Runs r with the extra environment for this run only; returns the exit code.
inline int runwithenv(const PROCESSRUN& r, const Env& env) {
    Env saved;
    for (const auto& [name, value] : env) {
        const char* old = std::getenv(name.c_str());
        saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) ::setenv(name.c_str(), value->c_str(), 1);
        else ::unsetenv(name.c_str());
    }
    const int code = RUNANDWAIT(r);
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
        if (it->second) ::setenv(it->first.c_str(), it->second->c_str(), 1);
        else ::unsetenv(it->first.c_str());
    }
    return code;
}

struct ProgramDir {
    fs::path root;  // private temporary directory, removed at the end
    fs::path prog;  // the program directory: root, or a folder of it

    explicit ProgramDir(const std::string& sub = "") {
        std::string tmpl = (fs::temp_directory_path() / "korax-client-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) ADD_FAILURE() << "no temporary directory";
        root = tmpl;
        prog = sub.empty() ? root : root / sub;
        fs::create_directories(prog);
        for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
            if (e.path().filename().string().rfind("DEMO", 0) != 0)
                fs::copy(e.path(), prog / e.path().filename(), fs::copy_options::recursive);
    }
    ~ProgramDir() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    ProgramDir(const ProgramDir&) = delete;
    ProgramDir& operator=(const ProgramDir&) = delete;

    // The demonstration game as shipped, in DEMO.
    // Its waiting cup result (applied at the first start, which then shows the
    // received messages before the menu) stays only with cupresult.
    void demo(bool cupresult = false) const {
        fs::copy(fs::path(KORAX_DIST_DIR) / "DEMO.ORIG", prog / "DEMO", fs::copy_options::recursive);
        if (!cupresult) fs::remove(prog / "DEMO" / "CUP1.RST");
    }

    // Runs a program of the directory (korax, mkgame, rzip) in it, with the script
    // as its input and the extra environment for this run only (no value removes a
    // variable); its output goes to log(). Returns the exit code.
    int run(const std::vector<std::string>& program, const std::string& script = "", const Env& env = {}) const {
        spit(root / "input.script", script);
        PROCESSRUN r;
        r.program = (prog / program[0]).string();
        r.args.assign(program.begin() + 1, program.end());
        r.dir = prog.string();
        r.output = (root / "client.log").string();
        Env all = {{"KORAX_VIDEO", "headless"}, {"KORAX_INPUT", (root / "input.script").string()}};
        all.insert(all.end(), env.begin(), env.end());
        return runwithenv(r, all);
    }

    // A generated game of team `team` on match day `day` in the game directory
    // LIGA; extra arguments go to mkgame before the target.
    int game(int team, int day, const std::vector<std::string>& extra = {}) const {
        return mkgame(team, day, extra, "LIGA");
    }

    // The container of that game, TEAM<team>.RST in the program directory.
    int container(int team, int day, std::vector<std::string> extra = {}) const {
        extra.insert(extra.begin(), {"--form", "rst"});
        return mkgame(team, day, extra, ".");
    }

    int mkgame(int team, int day, const std::vector<std::string>& extra, const std::string& target) const {
        fs::create_directories(prog / "LIGA");
        std::vector<std::string> args = {"mkgame", "--seed", "5", "--team", std::to_string(team), "--day",
                                         std::to_string(day), "--dir", "LIGA"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(target);
        return run(args);
    }

    std::string log() const { return slurp(root / "client.log"); }
    std::string file(const std::string& name) const { return slurp(prog / name); }
    // The record of team t in LIGA/TEAM<t>.DAT.
    TEAMREC team(int t, const std::string& dir = "LIGA") const {
        return teamrecord(file(dir + "/TEAM" + std::to_string(t) + ".DAT"), t);
    }
};

}  // namespace korax::client

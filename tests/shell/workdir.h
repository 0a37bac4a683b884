// A private directory a test works in (entered at the start, left and removed at the
// end), an environment variable set for one test, and the fatal error of a call.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "base/types.h"
#include "common/client_run.h"

namespace shelltest {

namespace fs = std::filesystem;

using korax::client::slurp;

struct WorkDir {
    fs::path old = fs::current_path(), dir;
    WorkDir() {
        std::string t = (fs::temp_directory_path() / "korax-shell-XXXXXX").string();
        dir = ::mkdtemp(t.data());
        fs::current_path(dir);
    }
    ~WorkDir() { fs::current_path(old), fs::remove_all(dir); }
    void put(const std::string& name, const std::string& bytes) const {
        fs::create_directories((dir / name).parent_path()), std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string get(const std::string& name) const { return slurp(dir / name); }
};

// Sets (or with no value removes) an environment variable until the end of the scope.
struct EnvGuard {
    std::string name;
    std::optional<std::string> old;
    EnvGuard(const char* n, const char* value) : name(n) {
        if (const char* v = std::getenv(n)) old = v;
        if (value) ::setenv(n, value, 1);
        else ::unsetenv(n);
    }
    ~EnvGuard() {
        if (old) ::setenv(name.c_str(), old->c_str(), 1);
        else ::unsetenv(name.c_str());
    }
};

// The fatal error f ends with, as "nr:text"; "" when it returns.
template <typename F>
std::string fatal(F&& f) {
    try {
        f();
    } catch (const korax::FatalError& e) {
        return std::to_string(e.nr) + ":" + e.text;
    }
    return "";
}

}  // namespace shelltest

// An installed program directory is shared and read-only, while the program
// writes its settings and games into its program directory. So an installed
// copy gives every user a program directory of their own: the writable files
// and the games copied, everything else a symbolic link to the installed copy,
// and the rest of the program sees one program directory as ever.
#pragma once

#include <string>
#include <string_view>

namespace korax {

// Marks a directory as an installed copy; holds its version (one line). The
// user's directory carries a copy, written last, naming the version it follows.
inline constexpr const char* VERSIONSTAMP = "KORAX.VER";

// The running executable, from /proc/self/exe; "" when it cannot be read.
std::string EXEPATH();
// Its directory with a trailing "/" ("./" when unknown).
std::string EXEDIR();

// True when dir (with or without a trailing "/") holds a version stamp.
bool INSTALLEDCOPY(const std::string& dir);

// The user's program directory with a trailing "/": $XDG_DATA_HOME/korax/, where
// $XDG_DATA_HOME is used only when set to an absolute path, else
// $HOME/.local/share/korax/ ($HOME, else the password database's home).
std::string USERPROGRAMDIR();

// The user keeps their own copy of these: settings (*.INI, *.CFG) and game
// directories; every other installed file is linked.
bool USEROWNED(std::string_view name, bool directory);

struct USERDIRRESULT {
    bool ok = false;
    std::string error;  // when not ok: what failed, naming the directory
    std::string note;   // a change worth telling (made, repaired, other version)
};

// Makes or repairs the user's directory `user` from the installed copy `installed`:
// - missing: made in a temporary sibling and renamed into place when complete
//   (siblings left by an interrupted start are removed first);
// - present: links to installed files are (re)made, links no longer leading
//   anywhere removed, missing settings copied; files and directories of the
//   user's are never replaced, game directories never copied again;
// - the version stamp is copied last whenever it differs.
USERDIRRESULT PREPAREUSERDIR(const std::string& installed, const std::string& user);

}  // namespace korax

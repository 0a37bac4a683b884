// Where the program lives and where it may keep scratch files.
#pragma once

#include <string>
#include <string_view>

namespace korax {

// The program directory, with a trailing "/": the directory of the running
// executable (from /proc/self/exe, however the program was started), or, when
// that is an installed copy, the user's own (platform/userdir.h).
std::string PROGRAMDIR();

// Base for temporary copies: $TEMP, else $TMPDIR, else /tmp (no trailing "/").
std::string TEMPBASE();

// The run's private scratch directory (mode 0700, made with mkdtemp below TEMPBASE()
// on first use), with a trailing "/". Fixed scratch names (pictures under boxes,
// the memory stream's spill file) live in here, so no other user can plant or read
// them and two clients never share them. It is removed at process exit.
// When it cannot be made below TEMPBASE(), $TMPDIR and then /tmp are tried; when
// none works, fatal error 4 with the first base.
const std::string& RUNTEMPDIR();

// Removes the scratch directory and everything in it (no-op when none was made).
void REMOVERUNTEMPDIR();

// Joins a directory and a name with one separator; a name that is already absolute
// ("/..." or "\...") is returned as it is, and "." as directory adds nothing.
std::string JOINPATH(std::string_view dir, std::string_view name);

}  // namespace korax

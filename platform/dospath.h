// The one place where the program's DOS-style names meet the Linux file system.
// Program logic keeps its names in that form ("GAME1\TEAM3.DAT", ".\"); HOSTPATH turns
// them into a host path, matching every existing component case-insensitively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korax {

// "\" and "/" both separate; every component that exists in some letter case is
// replaced by its real spelling; the first component that does not exist and all
// after it are kept as given (so new files are created with the name as given).
// A trailing separator is kept as "/". An empty name gives ".".
std::string HOSTPATH(std::string_view dosname);

// DOS wildcard match, case-insensitive: "*" and "?" in the name and extension;
// "*.*" also matches names without a dot.
bool DOSMATCH(std::string_view mask, std::string_view name);

// Names of the regular files in `dosdir` that match `mask`, sorted by name
// (case-insensitive); empty when the directory does not exist.
std::vector<std::string> FINDFILES(std::string_view dosdir, std::string_view mask);

// Upper-cases the ASCII letters; CP437 umlauts map to their capitals as DOS did.
std::string UPCASE(std::string_view s);

}  // namespace korax

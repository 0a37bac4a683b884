// fontconfig reads its whole XML configuration before it gives a first answer,
// which costs more than the rest of a start. Its answers for the program's faces
// are kept in a small file beside the settings, together with the time stamps of
// every configuration file and font directory they depend on: a start that finds
// all of them unchanged asks fontconfig nothing. Any change, or a file that is
// not exactly as written here, and fontconfig is asked again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korax {

inline constexpr const char* FONTCACHENAME = "KXFONTS.CAC";

struct FONTSTAMP {
    std::string path;
    long long mtime = -1;  // nanoseconds; -1 while the path does not exist
    long long size = -1;
};

// One answer: the request ("family|b|i"), the file and family fontconfig chose
// (both empty when it had none).
struct FONTANSWER {
    std::string request, file, family;
};

struct FONTCACHE {
    std::string env;  // FONTENV() when written
    std::vector<FONTSTAMP> stamps;
    std::vector<FONTANSWER> answers;
};

// False on anything not written by FORMATFONTCACHE (the file is then ignored).
bool PARSEFONTCACHE(std::string_view text, FONTCACHE& out);
// "" when a field holds a tab or a line end: such a cache is not written.
std::string FORMATFONTCACHE(const FONTCACHE& cache);

FONTSTAMP STAMPOF(const std::string& path);
// The environment variables that steer fontconfig, as one line.
std::string FONTENV();
// The user's own places fontconfig may read, whether they exist yet or not.
std::vector<std::string> USERFONTPLACES();
// True when the environment and every stamp are as they are now.
bool FONTCACHECURRENT(const FONTCACHE& cache);

}  // namespace korax

// The result archive (".RSZ"): the 23-byte header every reader knows, then our
// own payload, packed and unpacked by the companion "rzip".
//
// Layout after the header (integers little-endian):
//   23  4   "KXRZ"
//   27  1   payload format, 1
//   28  1   flags: bit 0 = encrypted
//   encrypted only:
//   29  16  salt of the password hash (Argon2id)
//   45  4   its operations limit
//   49  4   its memory limit in KiB
//   53  24  header of the encrypted stream (XChaCha20-Poly1305)
//   then frames: 4 bytes length L (bit 31 set on the last frame), L bytes.
// The frames carry one zlib stream, encrypted frame by frame when protected (the
// first frame authenticates every byte before it, the last one carries the
// final tag, so a cut or altered archive is noticed). Inside the zlib stream:
// per file 1 byte kind (1), 1 byte name length, the name (a plain name, CP437),
// 8 bytes size, the bytes; then one byte kind 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

namespace korax {

#pragma pack(push, 1)
struct ZIPHEADERTYPE {
    std::uint8_t VERSION = 0;  // not examined by the client
    STRING12 GAMEDIR;          // game directory the result belongs to; empty = not named
    STRING8 PASSWORT;          // CRUNCHPW of the team password; empty = not protected
};
#pragma pack(pop)
static_assert(sizeof(ZIPHEADERTYPE) == 23);
static_assert(offsetof(ZIPHEADERTYPE, GAMEDIR) == 1);
static_assert(offsetof(ZIPHEADERTYPE, PASSWORT) == 14);

inline constexpr std::uint8_t RSZVERSION = 1;
inline constexpr std::size_t RSZHEADERSIZE = sizeof(ZIPHEADERTYPE);

// Limits an archive must keep: longer names, more files or more bytes are refused
// rather than filling the disk.
inline constexpr std::size_t RSZMAXNAME = 64;
inline constexpr std::size_t RSZMAXFILES = 4096;
inline constexpr std::uint64_t RSZMAXTOTAL = 1ull << 30;
inline constexpr std::size_t RSZMAXARCHIVE = 256u << 20;
inline constexpr std::size_t RSZCHUNK = 1u << 16;

// Reads the header from the first bytes; false when there are fewer than 23.
// The string fields are clamped to their size.
bool PARSEZIPHEADER(std::string_view bytes, ZIPHEADERTYPE& h);

// Reads the header of an archive file (host path). Returns 0, or the error number
// of the step that failed: 1 open, 2 read (also a file shorter than the header),
// 9 close.
int READZIPHEADER(const std::string& hostpath, ZIPHEADERTYPE& h);

enum class RSZSTATUS {
    OK,
    OPEN,         // the archive or an input file cannot be opened
    READ,         // reading failed
    DAMAGED,      // not an archive of ours, cut short, altered or over the limits
    NOPASSWORD,   // protected, but no password was given
    PASSWORD,     // the password does not open it
    BADNAME,      // a file or game directory name is not a plain name
    WRITE,        // the target cannot be written (full disk, no permission)
};

struct RSZRESULT {
    RSZSTATUS status = RSZSTATUS::OK;
    std::string detail;              // what failed, for the message
    std::vector<std::string> names;  // the files packed or unpacked, in archive order
    bool ok() const { return status == RSZSTATUS::OK; }
};

// A one-line English description of a failure for the companion's messages.
std::string RSZMESSAGE(const RSZRESULT& r);

// Exit codes of the companion "rzip", one per kind of failure.
inline constexpr int RZIPEXIT_USAGE = 1;
inline constexpr int RZIPEXIT_UNREADABLE = 2;
inline constexpr int RZIPEXIT_DAMAGED = 3;
inline constexpr int RZIPEXIT_PASSWORD = 4;
inline constexpr int RZIPEXIT_NAME = 5;
inline constexpr int RZIPEXIT_WRITE = 6;
int RSZEXITCODE(RSZSTATUS s);
// Why an unpacking failed, told to the trainer, for the companion's exit code.
std::string RSZEXITREASON(int code);

// One file to pack: the name it gets in the archive and its bytes.
struct RSZENTRY {
    std::string name;
    std::string data;
};

struct RSZPACKOPTIONS {
    std::string gamedir;   // header's game directory (a plain name or empty)
    std::string password;  // CP437, 1..8 characters; empty = not protected
    // The cheapest password hash; for tests and fuzzing only, never for results.
    bool quickhash = false;
    // Store only the first 7 characters of the check value, as older packers did
    // for 8-character passwords.
    bool shortcheck = false;
};

// The whole archive for these files. Names must be plain names, unique in any
// letter case.
RSZRESULT RSZPACKBYTES(const std::vector<RSZENTRY>& entries, const RSZPACKOPTIONS& opt,
                       std::string& archive);

// Packs the given files (host paths; each stored under its own file name) into
// the archive file (host path). The archive is written under a temporary name and
// renamed at the end, so a failure leaves no partial archive behind. This is the
// packing the demonstration-game generator and the companion use.
RSZRESULT RSZPACKFILES(const std::string& archivepath, const std::vector<std::string>& files,
                       const RSZPACKOPTIONS& opt);

// Unpacks archive bytes into targetdir (host path of an existing directory).
// Every file is first written under a temporary name in targetdir; only when the
// whole archive has been read and checked are they renamed to their names (an
// existing file in another letter case is replaced under its spelling). A wrong
// password or a damaged archive leaves the directory as it was. Nothing is ever
// written outside targetdir. `password` is CP437.
RSZRESULT RSZUNPACKBYTES(std::string_view archive, const std::string& targetdir,
                         std::string_view password);

// As RSZUNPACKBYTES, reading the archive file first (host path).
RSZRESULT RSZUNPACKFILE(const std::string& archivepath, const std::string& targetdir,
                        std::string_view password);

// Whether the archive bytes say they are encrypted (false for anything unreadable).
bool RSZENCRYPTED(std::string_view archive);

}  // namespace korax

// File helpers, game directories and the game list (GAMES.INI and its chooser).
//
// Names given here are DOS-style program names ("GAME1\TEAM3.DAT"); every one of
// them reaches the file system through HOSTPATH, relative to the current
// directory, which is KXPATH whenever the program runs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

namespace korax {

// ---- transfer buffer -------------------------------------------------------

constexpr std::size_t BUFFERSIZE = 12000;
// Shared transfer buffer for the result import's sections and header reads.
extern std::array<std::uint8_t, BUFFERSIZE> BUFFER;

// ---- plain files -----------------------------------------------------------

// True when both names denote one existing file (same device and inode).
bool SAMEFILE(std::string_view a, std::string_view b);

// Copies src to dst byte for byte. False (and nothing created) when src cannot be
// opened. The copy goes to a temporary file beside dst and replaces dst only when
// it is complete, so dst is never left truncated. Copying a file onto itself does
// nothing and gives true. Fatal errors: 4 dst (create/write), 2 src (read),
// 9 src/dst (close).
bool COPYFILE(std::string_view src, std::string_view dst);

// Moves src to dst: the source is removed only after dst holds the whole file.
// Moving a file onto itself does nothing and gives true. False when src cannot be
// opened (nothing changed).
bool MOVEFILE(std::string_view src, std::string_view dst);

// True when the file exists and can be opened for reading (directories are not files).
bool FILECHECK(std::string_view name);

// Deletes the file when it exists; a missing file is no error. Erase failure: fatal 9.
void DELETEFILE(std::string_view name);

// A file written as a whole: bytes go to a temporary file beside the target, which
// replaces the target only on COMMITFILE. Destroying an uncommitted one removes the
// temporary file and leaves the previous target untouched.
struct ATOMICFILE {
    std::string target;   // DOS-style name as given (used in error details)
    std::string hostname; // resolved final name
    std::string tmpname;  // temporary file beside it
    int fd = -1;
    int writeerr = 4;     // error number of a failed write
    int closeerr = 9;     // error number of a failed flush, close or rename
    ATOMICFILE() = default;
    ATOMICFILE(const ATOMICFILE&) = delete;
    ATOMICFILE& operator=(const ATOMICFILE&) = delete;
    ~ATOMICFILE();
};

// Starts writing `name`; failure to create the temporary file is fatal `createerr`.
void CREATEFILE(ATOMICFILE& f, std::string_view name, int createerr = 4, int writeerr = 4,
                int closeerr = 9);
// Appends bytes; failure (also a short write) is fatal writeerr with the name.
void WRITEFILE(ATOMICFILE& f, const void* data, std::size_t size);
void WRITEFILE(ATOMICFILE& f, std::string_view bytes);
// Flushes to disk and puts the file in place; failure is fatal closeerr with the name.
void COMMITFILE(ATOMICFILE& f);
// Drops the temporary file; the target stays as it was.
void ABORTFILE(ATOMICFILE& f);
// Puts several files in place after one flush to disk for all of them. A failure
// is fatal with the closeerr and name of the file concerned; files not yet put in
// place keep their previous content.
void COMMITFILES(std::deque<ATOMICFILE>& files);

// True for the name of a temporary file that an interrupted write of this program
// leaves behind: "." + file name + "." + six letters or digits (CREATEFILE), or
// ".rsz-" + three numbers joined by "-" + ".tmp" (the unpacker).
bool STALETEMPNAME(std::string_view name);

// Removes the regular files with such names from the directory (DOS-style name),
// nothing else; gives how many. Run at start-up before anything is written, so a
// killed run leaves nothing for good.
int REMOVESTALETEMPS(std::string_view dosdir);

// Rewrites a whole file atomically with the given bytes (error numbers as CREATEFILE).
void REWRITEFILE(std::string_view name, std::string_view bytes, int createerr = 4, int writeerr = 4,
                 int closeerr = 9);

// Reads a whole file. False when it cannot be opened; a read failure is fatal 2.
bool READWHOLEFILE(std::string_view name, std::string& out);

// ---- names and directories -------------------------------------------------

// Capitals in place (ASCII and the code-page-437 umlauts).
void CAPS(std::string& s);

// Capitals and a trailing "\" (an existing trailing "/" counts as one too);
// an empty name becomes ".\" so that it never turns into the root directory.
void NORMDIR(std::string& dir);

// The directory without its trailing separator ("\" or "/"); "/" alone stays.
std::string READYDIR(std::string_view dir);

// True when the directory exists; an empty name counts as existing. The current
// directory is never changed.
bool CANCHDIR(std::string_view dir);

// Checks that GAMEDIR exists (fatal 13 with GAMEDIR) and gives it its trailing "\".
void CHECKGAMEDIR();

// Makes sure the directory exists, creating it when missing (failure: fatal 13
// with dir), and gives it a trailing "\".
void INITDIR(std::string& dir);

// The longest game directory or cup name a data file may carry.
constexpr std::size_t MAXDIRNAME = 12;

// The one check for a directory or file name that arrived inside a data file
// (container and archive headers, GAMES.INI, cup files, general record): blanks
// and one trailing "\" or "/" are trimmed; the rest must be a single plain name of
// at most maxlen characters: not empty, not "..", no "\", "/" or ":", no control
// character. "." passes only when allowdot is set (a game directory name meaning
// the program directory). Gives the trimmed name, or nothing when it fails.
std::optional<std::string> SAFENAME(std::string_view raw, std::size_t maxlen, bool allowdot = false);

// A game directory name from the data file `source`: empty when the field is empty
// after trimming, else the plain name; a name that fails SAFENAME is fatal 99 with
// the file and the name, before the caller creates, enters or writes anything.
std::string DATAGAMEDIR(std::string_view raw, std::string_view source);

// The game directory as one plain name for records that carry it (the game master
// sends it back in the next result): "." when it is the program directory, else its
// last path component, cut to 12 characters.
std::string GAMEDIRNAME(std::string_view gamedir);

// Reads a match file's header: nr := the SMALLINT at byte 4, name1/name2 := the
// team names at bytes 6 and 913. An unreadable or short file gives nr 6 and empty
// names for what is missing, and false.
bool GETGAMENAME(std::string_view file, std::string& name1, std::string& name2, std::int16_t& nr);

// ---- the game list ---------------------------------------------------------

struct GAMESTYPE {
    STRING12 NAME;       // directory name, in capitals
    STRING80 BESCHREIB;  // the trainer's description
};

// Room for entry 0 (no game / new game) and this many games; GAMES.INI lines for
// further games are kept in the file untouched but not listed.
constexpr int MAXGAMES = 20;

extern std::array<GAMESTYPE, MAXGAMES + 1> GAMES;
extern int GAMESANZ;     // number of listed games (entries 1..GAMESANZ)
extern bool AENDERUNG;   // the list changed: GAMES.INI is to be written anew
// GAMES.INI lines that are not games (comments, lines without a name), in file
// order; they are written back first, unchanged.
extern std::vector<std::string> GAMESREST;
// Lines of games beyond MAXGAMES: not listed, written back unchanged after the
// listed games, so the same games are listed at the next start.
extern std::vector<std::string> GAMESMORE;
// Lines whose directory is a path rather than a plain name, as "line N: text".
// They are kept in GAMESREST (so the file keeps them) and the trainer is told.
extern std::vector<std::string> GAMESREFUSED;

// One line of GAMES.INI as the reader sees it.
struct GAMESLINE {
    bool entry = false;        // "NAME, description"
    bool path = false;         // an entry whose name is a path: refused
    std::string name;          // trimmed, capitals, cut to 12 (entries only)
    std::string beschreib;     // description (entries only)
};

// Splits one GAMES.INI line (comment cut at ";"). A name longer than 12
// characters is cut to 12; a name with a separator, a drive or ".." is a path.
GAMESLINE PARSEGAMESLINE(std::string_view line);

// Fills GAMES, GAMESANZ, GAMESREST, GAMESMORE and GAMESREFUSED from the text of
// GAMES.INI: entry 0 is language text 8; duplicates and directories that cannot
// be entered are dropped (AENDERUNG set); paths are refused.
void PARSEGAMESINI(std::string_view text);

// Reads GAMES.INI of the program directory into the list (missing: fatal 1
// " GAMES.INI"; read failure: fatal 2 "GAMES.INI").
void READGAMESINI();

// The file text for the current list: GAMESREST, then "NAME, description" for
// entries 1..GAMESANZ, then GAMESMORE, each line ended by eol.
std::string GAMESINITEXT(std::string_view eol = "\n");

// Rewrites GAMES.INI atomically from the list (create: fatal 1, write: fatal 5,
// close: fatal 9, each "GAMES.INI").
void WRITEGAMESINI();

// Appends one line to GAMES.INI (missing file: fatal 1 "GAMES.INI"; write:
// fatal 5; close: fatal 9). The file is rewritten whole, so a crash never leaves
// half a line, and a last line without its line end is not joined to the new one.
void APPENDGAMESINI(std::string_view line);

// Resets the list to entry 0 only (language text 8), no rest lines, no change.
void CLEARGAMES();

// ---- the chooser's logic (kept apart from its drawing) ---------------------

constexpr int GAMELISTROWS = 15;  // rows visible at once

struct GAMELISTVIEW {
    int pos = 0;  // highlighted entry 0..GAMESANZ
    int top = 0;  // first visible entry
};

// Moves the highlight by delta rows, keeping it visible.
void GAMELISTMOVE(GAMELISTVIEW& v, int delta);
// Adds a typed directory name (trimmed, capitals) as a new last entry with an empty
// description, creating the directory when missing (failure: fatal 13). Nothing is
// added (false) for an empty name, a name already listed, a full list, or a name
// that is not a plain directory name.
bool GAMELISTINSERT(GAMELISTVIEW& v, std::string_view typed);
// Removes the highlighted entry; entry 0 stays. False when nothing was removed.
bool GAMELISTDELETE(GAMELISTVIEW& v);
// Sets the description of the highlighted entry (not of entry 0).
bool GAMELISTDESCRIBE(const GAMELISTVIEW& v, std::string_view text);
// The name the chooser returns for entry pos: empty for entry 0.
std::string GAMELISTRESULT(int pos);

}  // namespace korax

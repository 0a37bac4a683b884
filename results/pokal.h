// The cup: the announcement of the team's next cup match (POKAL<n>.DAT), the cup
// result file that follows the match, and the cup draw screen (POKAL.TXT).
#pragma once

#include <array>
#include <cstdio>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/g_types.h"

namespace korax {

extern std::int16_t POKALTAG;    // match day of the cup match; -1 none; 98/99 after a result
extern std::string POKALRUNDE;   // name of the cup round
extern std::string POKALNAME;    // base name of the cup files (result and turn)
extern std::string POKALGEGNER;  // description of the opponent
extern bool POKALFIRST;          // the announcement is read for the first time
extern bool NEWPOKAL;            // a cup result arrived or is to be shown in this run
extern std::string QUICKNAME;    // the quick file of the match last stored, GAMEDIR + name
extern bool POKALPATCHED;        // this run's cup result changed the squad's player records

// Reads GAMEDIR + "POKAL" + NUMMERSTR + ".DAT"; no file means no cup. A first read
// (round line starting with ".") stores the announcement without the mark. A
// waiting cup result is applied; a base name that is no plain name of at most 8
// characters is never opened as a file.
void READPOKAL();
// POKALTAG := tag and the announcement written anew (atomically).
void WRITEPOKAL(std::int16_t tag);

// ---- the cup result file ----------------------------------------------------

inline constexpr std::uint8_t POKALRSTVERSION = 101;
inline constexpr std::size_t POKALMATCHSIZE = 2430;  // lead-in, two teams, ten players
inline constexpr std::size_t POKALFIXED = 2560;      // header, match file and patches
inline constexpr std::size_t POKALHISLINE = 256;     // string[255]
inline constexpr std::size_t POKALMSGSIZE = 1215;    // one message record

// A cup result read whole and checked for its structure; nothing is written
// while it is read.
struct POKALRST {
    std::uint8_t version = 0;
    std::string dirname;                  // game directory it names
    std::uint16_t check = 0;              // the check value it carries
    std::string match;                    // the cup match file, POKALMATCHSIZE bytes
    TEAMPATCHTYPE team{};
    std::array<PLAYERPATCHTYPE, 5> players{};
    std::string emblem1, emblem2;         // the two teams' pictures (PCX bytes)
    bool hashistory = false;              // team.ERFOLG > 0
    std::string history;                  // the history line's characters
    std::vector<std::string> messages;    // message records of POKALMSGSIZE bytes
    std::uint16_t sum = 0;                // the sum the check value must equal
};

// The 16-bit sum of a cup result: the bytes of the team patch and the five player
// patches, the characters of the history line and the bytes of every message.
std::uint16_t POKALSUM(const POKALRST& r);

// Reads the bytes of a cup result; `shown` names it in error texts. Fatal errors:
// 6 for a version other than 101; 2 for every break of the format (cut anywhere,
// a picture length negative or past the end, a tail that is no whole number of
// message records, a name's length byte beyond its field).
void PARSEPOKALRST(std::string_view bytes, const std::string& shown, POKALRST& r);

// Applies GAMEDIR + POKALNAME + ".RST" when POKALNAME is a plain name (SAFENAME,
// 8 characters) and the file exists: everything is checked first
// (format, check value unless IGNORMODE, team number and player names against the
// open files), then the match file GAME<n>.P<k>, the emblems, the messages, the
// viewer's copies, the history line and the patches are written, and the cup
// result is deleted last. Any refusal is fatal and leaves every file as it was.
// True when the team and player patches were applied.
bool READPOKALRST();

// ---- the cup draw (menu code 116) --------------------------------------------

// Scrolling of the cup draw: the first line and column shown, and the limits.
struct POKALVIEW {
    int top = 1;     // first line shown (1-based)
    int column = 1;  // first character shown (1-based)
};
// Applies one of the keys "8", "2", "4", "6" to the view of a list of `lines` lines;
// true when the view moved.
bool POKALSCROLL(POKALVIEW& v, char key, int lines);
// The part of a line the text area shows from the view's column on, `width` characters.
std::string POKALVISIBLE(std::string_view line, int column, int width);
// Where the own team's name (first occurrence in the line) falls in the part shown
// from `column` on, `width` characters: start and length within that part; a
// length of 0 when none of it is shown.
std::pair<std::size_t, std::size_t> POKALMARK(std::string_view line, int column, int width, std::string_view own);
// Reads POKAL.TXT from an open file into the list store: every line (carriage
// returns dropped, each cut to 255 characters). More than 10000 lines: fatal 8,
// a read failure fatal 2, both with `shown`. Gives the number of lines.
int POKALLIST(std::FILE* f, const std::string& shown);

// The cup draw screen.
void POKALAUSLOSUNG();

}  // namespace korax

// The result import: choosing the game and the team, unpacking a waiting archive,
// and splitting a result container into the files of the game directory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

inline constexpr std::uint8_t RSTVERSION = 1;
// Longest section read whole (all but pictures and the quick-match replay).
inline constexpr std::int32_t RSTSECTIONMAX = 12000;
// Size of one history line in the container: length byte + 40 characters.
inline constexpr std::int32_t RSTHISLINE = 41;

extern bool NEWRST;       // a result was imported in this run; the main menu clears it
extern std::string FMSG;  // the trainer's message file of the turn (DOS-style name)

// A result container read whole and checked for its structure. Nothing is written
// while it is read, so a damaged container changes nothing in the game directory.
struct RSTCONTAINER {
    std::uint8_t version = 0;
    std::string dirname;                    // game directory it names; empty = none
    std::array<std::int32_t, 30> table{};  // the section table
    std::array<std::string, 11> pictures;  // team 1..10; empty = no picture
    std::string player, team, gen, match, quick;
    std::array<std::string, 6> further;    // further match 1..5 (sent when its bit of table[6] is set)
    std::vector<std::string> history;      // 41-byte history lines
    std::vector<std::string> messages;     // message records as sent
    int computed = 0;                      // sum + 6, to compare with table[9]
};

// The team number a container's file name gives ("TEAM3.RST" 3, "TEAM10.RST" 10):
// the character before the 4-character extension, with a "1" before it taken along.
// 0 when that is no team number 1..10.
int RSTTEAMNUMBER(std::string_view name);

// Reads the container's bytes after its version byte and directory name have been
// taken: section table, sections and check sum. `nummer` is the team the sum
// starts with; `shown` names the container in error texts. Fatal errors: 99 with
// language text 415 for a general section that is no general record, 10 for a
// further-match mask outside bits 1..5, 2 for every other break of the format
// (lengths that are negative, longer than the transfer buffer, or longer than the
// file; message records of size 0 with bytes left; a cut last record).
void PARSECONTAINER(std::string_view bytes, int nummer, const std::string& shown, RSTCONTAINER& c);

// Writes a parsed container's files into GAMEDIR (each under a temporary name,
// renamed into place when complete), prepares the own team record for the new
// turn, empties the message file and tidies the directory at a new season. The
// container itself is not touched.
void WRITECONTAINER(const RSTCONTAINER& c, int nummer);

// Import of the container `dosname` (step "D"): reads and checks it whole; on a
// wrong check value nothing changes and the program stops with 99 and language
// text 417, also with FSM=ignore (environment CHECK=$ shows both values and
// imports); otherwise writes every file and deletes the container last, so an
// interrupted import is repeated whole at the next start.
void IMPORTCONTAINER(const std::string& dosname, bool named);

// Run once at start-up: decides GAMEDIR, NUMMER and NUMMERSTR, unpacks and imports
// a waiting result and binds FMSG.
void SHOWRST();

}  // namespace korax

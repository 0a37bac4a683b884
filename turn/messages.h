// Messages between trainers: the incoming records (MSG<n>.DAT), their layout on
// the reading screen, replies and address lines appended to the outgoing
// message file (TEAM<n>.TXT), and the addressees listed from it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

namespace korax {

// One incoming message: 15 lines of string[80]; lines 1..10 are shown and quoted.
struct MSGTYPE {
    PSTRING<80> LINE[15];
};
static_assert(sizeof(MSGTYPE) == 1215);

inline constexpr unsigned char MSGTITLEMARK = 233;  // line 1 starts with it: title 270
inline constexpr unsigned char MSGBREAK = 245;      // forced line break
inline constexpr int MSGSHOWN = 10;

// The records of a message file: size div 1215, a trailing part ignored.
std::vector<MSGTYPE> MSGRECORDS(std::string_view bytes);

enum class MSGKIND { TRAINER, NOTICE, CENTRED };

struct MSGVIEW {
    bool titled = false;  // line 1 began with character 233: language text 270, else 271
    MSGKIND kind = MSGKIND::CENTRED;
    std::string header;               // a trainer's message: line 1 without the marks
    std::vector<std::string> lines;   // the lines shown, 1..10 (or 2..10), marks removed
    bool toall = false;               // header holds "<*>"
    std::string sender;               // name taken from the header (may match no team)
};
MSGVIEW VIEWMSG(const MSGTYPE& m);

// The sender's name in a header: without its first 14 characters and, with
// "<*>", without everything from the character before it; otherwise without the
// last 4 characters. Too short a header names nobody.
std::string SENDERNAME(std::string_view header);
// The first team 1..10 whose name equals `name` exactly; 0 for none (or an empty name).
int SENDERTEAM(std::string_view name, const std::array<std::string, 11>& teamnames);

// The rows a left-aligned line takes: trailing blanks removed, split at each
// character 245, parts over 62 characters split at the last blank at or before
// position 40 (down to 21; without one at position 20), the leading blank of
// the rest dropped; empty rows skipped.
std::vector<std::string> MSGROWS(std::string_view line);

// A row cut into runs of normal and highlighted text at the marks "#" and "^";
// `highlight` carries the state from row to row.
struct MSGRUN {
    std::string text;
    bool highlight;
};
std::vector<MSGRUN> MSGRUNS(std::string_view row, bool& highlight);

// Left margin: XMC − widest / 2, at least XM1 + 20.
int SETLEFTX(int widest, int xm1, int xmc);

// The position bar from bar_left, 100 pixels: tick x positions for i = 0..c
// (kept on the bar), the "X" for message m (-1 when c ≥ 20), and the message a
// click at x picks.
std::vector<int> BARTICKS(int c, int bar_left);
int BARMARK(int m, int c, int bar_left);
int BARPICK(int x, int c, int bar_left);

// The reply appended to the outgoing file: the address line, text 273 and the
// non-empty shown lines quoted with the sender trainer's initial (a blank for an
// empty name); quotes longer than 80 characters are broken at a blank.
std::vector<std::string> REPLYLINES(const MSGVIEW& v, int sender, std::string_view teamname,
                                    std::string_view trainername, std::string_view text273);
// The address line for team t (1..10), or for all with t = 0.
std::string ADDRESSLINE(int t, std::string_view teamname, std::string_view text263);
// What is appended to a file that holds `existing`: a line break first when its
// last line has none, then each line with CR LF.
std::string APPENDLINES(std::string_view existing, const std::vector<std::string>& lines);

// The addressees of the outgoing file, at most 10: "* " + 263 + " *" for all,
// the team's name for <1>..<10>; other lines ignored.
std::vector<std::string> ADDRESSEES(std::string_view text, const std::array<std::string, 11>& teamnames,
                                    std::string_view text263);

}  // namespace korax

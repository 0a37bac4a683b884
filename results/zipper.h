// Packed results: the team password's check value, the password prompt and the
// start of the unpacker companion.
#pragma once

#include <string>
#include <string_view>

#include "base/types.h"

namespace korax {

// The check value of a password (CP437 bytes, at most 8 used): a Mersenne Twister
// seeded with length + sum of position * code gives one byte above 32 per
// character. The empty password gives the empty value.
void CRUNCHPW(const STRING8& pw, STRING8& check);
std::string CRUNCHPW(std::string_view pw);

// True when the typed password fits the stored check value. An 8-character
// password also fits a value that holds only the first 7 characters of its check
// value; the stored value is then completed to the full check value.
bool PASSWORDFITS(std::string_view pw, STRING8& stored);

// Unpacks one result archive with the companion "rzip" of the program directory
// (KXPATH), in the working directory workdir, mode "D" (into workdir) or "X" (into
// the game directory the header names). ".RSZ" is appended to the name when it
// has none. A protected archive first asks for the team password until it fits;
// an empty input ends the program with exit code 1 (ENDPROGRAM). The password reaches the
// companion on its standard input, never on its command line.
// Fatal errors: 1, 2, 9 with the archive name (header open, read, close);
// 10 with KXPATH + "\RZIP.EXE (?)" when the companion cannot be started.
// True when the companion reported success; false when it ran but failed, so a
// caller keeps the archive. `why`, when given, then says why for the trainer (the
// companion's own words went to standard error).
bool ZIPPER(std::string_view mode, std::string_view archive, std::string_view workdir,
            std::string* why = nullptr);

// The mode text the companion receives: mode, then "!" when quiet; at most 10
// characters. (The password is not part of it.)
std::string ZIPMODETEXT(std::string_view mode, bool quiet);

// The newest result container ("*.RST") in a DOS-style directory after an
// unpacking (ties broken by name), or empty when there is none: an older container
// left in the directory must not win over the one just unpacked.
std::string NEWESTCONTAINER(std::string_view dosdir);

// How ZIPPER asks for the password (first: the first question of this archive,
// which hides the mouse and redraws the desktop) and reports a wrong one. Tests
// may replace them; by default they use the toolkit's line editor and message box.
extern std::string (*ZIPPERASK)(bool first);
extern void (*ZIPPERWRONG)();

}  // namespace korax

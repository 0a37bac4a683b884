// The language text table: L[n], n = 0..700, loaded once from the language file
// that LANGUAGE.CFG selects. Only a few technical messages are fixed in the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/types.h"

namespace korax {

using STRING70 = PSTRING<70>;
extern std::array<STRING70, 701> L;

extern std::uint8_t LGNR;    // language number chosen in LANGUAGE.CFG
extern PSTRING<3> LEXT;      // extension of the language file ("ENG", "DEU", ...)
extern STRING8 LONG;         // program identifier the language file must name
extern STRING12 NAME;        // the language file's name: LONG + "." + LEXT
extern std::uint16_t VERLG;  // version of the language file, times 100
extern int MAXLG;            // highest entry number found
// The graph layer's LINE is the line primitive, so the reader's line counter
// lives in its own namespace.
namespace lg {
extern int LINE;             // line being read, for the error texts
}

// A stop whose message has already been shown to the trainer (standard error, and a
// message box when a display is there). `main` only exits with ERROR_EXITCODE(nr).
struct ReportedStop : FatalError {
    using FatalError::FatalError;
};

// Loads the table from LANGUAGE.CFG and the language file in the current (program)
// directory. On any failure: ERROR_LG; the table is only replaced after a full read.
void READ_LG(std::string_view name, std::uint16_t version);

// The message line of language-file failure nr (1..10), as shown by ERROR_LG.
std::string LG_MESSAGE(int nr);

// Reports language-file failure nr and stops with exit code 1 (throws ReportedStop).
[[noreturn]] void ERROR_LG(int nr);

// Shows lines of text before the window exists: on standard error, and in a message
// box when a display is present (not in headless runs). Used for the language-file
// failures and the configuration's foreign-system refusal.
void CONSOLE_MESSAGE(const std::string& title, const std::string& text);

// Parses one language file held in memory into `table` (used by READ_LG and by the
// checks of the shipped files). Returns 0 or the ERROR_LG number; `line` gets the
// failing line, `verlg` and `maxlg` what was read.
int PARSE_LG(std::string_view data, std::string_view name, std::uint16_t version,
             std::array<STRING70, 701>& table, int& line, std::uint16_t& verlg, int& maxlg);

// Finds the extension of language `nr` in the text of LANGUAGE.CFG. Returns 0 and sets
// `ext`, or the ERROR_LG number (1 unreadable first line, 5 no entry).
int PARSE_LANGUAGE_CFG(std::string_view data, std::uint8_t& nr, std::string& ext);

}  // namespace korax

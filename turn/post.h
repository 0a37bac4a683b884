// Mailing the turn: the trainer's mail settings (post.ini), the two-line
// POST.BAT that switches automatic dispatch on, its run through the mail
// sender kxmail (never through a shell) and the judgement of post.log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

// Longest value of EMAIL=, SMTP=, SUBJECT= (and of the game master's address).
inline constexpr std::size_t POSTVALUEMAX = 40;

// The mail sender in the program directory that POST.BAT's "@blat.exe" names.
inline constexpr const char* MAILPROGRAM = "kxmail";

struct POSTSETTINGS {
    std::string EMAIL, SMTP, SUBJECT;  // in capitals, at most 40 characters
    std::string LOGIN, PASSWORD, TLS;  // our own keys, case kept
};

// The settings read by LESEPOSTINI (empty when there is no post.ini).
extern std::string POSTEMAIL, POSTSMTP, POSTSUBJECT;
extern std::string POSTLOGIN, POSTPASSWORD, POSTTLS;

// post.ini text: per line everything from ";" is dropped, the line trimmed and
// put in capitals; "EMAIL=", "SMTP=", "SUBJECT=" set their value (cut to 40).
// Our own keys, matched in any case: "LOGIN=" and "TLS=" (";" ends them, case
// kept, TLS in small letters) and "PASSWORD=" (the rest of the line, ";"
// included). A later line wins.
// A UTF-8 file is read as CP437 first.
POSTSETTINGS PARSEPOSTINI(std::string_view text);

// Values that may reach the mail sender's argument vector. An address is one
// printable token with "@", not starting with "-", without blanks, quotes,
// back-quotes or any of ; & | < > ^ % $ ( ). A server is letters, digits, "."
// and "-" with an optional ":port". A subject is printable without '"'.
bool VALIDADDRESS(std::string_view s);
bool VALIDSERVER(std::string_view s);
bool VALIDSUBJECT(std::string_view s);
bool VALIDTLS(std::string_view s);  // empty or auto, starttls, ssl, no

// The first of the dispatch values that is empty or invalid, named for the
// trainer ("eMail", "SMTP", "Subject", "mailto", "TLS"); empty when all are fine.
std::string BADPOSTVALUE(const POSTSETTINGS& s, std::string_view zatemail);

// The exact bytes of POST.BAT: "@echo Please wait..." and "@blat.exe " followed
// by the pieces from the game directory to "post.log", cut at 255 characters,
// each line ended by CR LF.
std::string POSTBATTEXT(std::string_view gamedir, std::string_view zatemail, const POSTSETTINGS& s);

// One run of the mail sender as read back from POST.BAT.
struct MAILCALL {
    std::vector<std::string> args;  // the sender's arguments, "%1" replaced by the turn
    std::string log;                // where its output goes (the game directory's post.log)
};

// Reads POST.BAT back: only the exact shape POSTBATTEXT writes for `gamedir`, with
// valid values, is accepted; anything else gives nothing (and nothing is run).
std::optional<MAILCALL> PARSEPOSTBAT(std::string_view text, std::string_view gamedir, std::string_view turnpath);

// post.log text: 1 when a line holds "rror" (exact case), else 0.
int JUDGEPOSTLOG(std::string_view text);

// ---- with files and screen ---------------------------------------------------

void LESEPOSTINI();
void WRITEPOSTBAT(const std::string& s = {});
// 2 no post.log, 1 a line with "rror", 0 otherwise; sets DTLOG.
int WERTEPOSTLOG();
// Runs the batch file `bat` for the turn files this run wrote (TRNFILES; none
// written: nothing runs): its mail line is read, checked and started as kxmail
// with every turn attached and post.log (deleted first) catching both streams.
// Returns the sender's exit code, or a negative value when nothing was started
// (the trainer has been told why).
int POSTBATCH(const std::string& bat);
// True when automatic dispatch can be offered at the stop: settings and address
// valid, the game's POST.BAT present and kxmail beside the client.
bool POSTREADY();
// Sends the current turn now through the game's POST.BAT, written anew, and
// tells the trainer the outcome: "Send TRN -> OK" only when the sender ended
// with 0 and left a log without "rror"; otherwise the log in the editor, or a
// message when there is none.
void SENDTURN();
// The dispatch at the end of the program run.
void TESTPOST();
// True when an executable kxmail lies beside the client.
bool MAILPROGRAMPRESENT();

struct DATETIME16 {
    unsigned short year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
extern DATETIME16 DTLOG;

// A packed DOS date and time (the turn deadline GEN.ZAT).
DATETIME16 DOSUNPACK(std::uint32_t packed);
// The log button's text: "Mail: " + date (day.month.year for language 1, else
// month-day-year) + " hh:mmh [" + verdict + "]".
std::string MAILLOGLABEL(const DATETIME16& d, int lgnr, std::string_view verdict);

}  // namespace korax

#include "turn/post.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/state.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "platform/cp437.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "turn/saveturn.h"
#include "ui/frames.h"

namespace korax {

std::string POSTEMAIL, POSTSMTP, POSTSUBJECT;
std::string POSTLOGIN, POSTPASSWORD, POSTTLS;
DATETIME16 DTLOG;

namespace {

constexpr std::size_t LINEMAX = 255;

std::string trim(std::string_view s) {
    auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    auto e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool starts_upper(std::string_view line, std::string_view key) {
    return line.size() >= key.size() && upper(std::string(line.substr(0, key.size()))) == key;
}

bool printable(unsigned char c) { return c >= 32 && c < 127; }

}  // namespace

POSTSETTINGS PARSEPOSTINI(std::string_view raw) {
    std::string converted;
    if (LOOKS_LIKE_UTF8(raw)) {
        converted = UTF8_TO_CP437(raw);
        raw = converted;
    }
    POSTSETTINGS s;
    for (const TEXTLINE& l : SPLITLINES(raw)) {
        std::string_view line = l.text.substr(0, LINEMAX);
        std::string_view nocomment = line.substr(0, line.find(';'));
        std::string t = trim(nocomment);
        std::string up = upper(t);
        auto value = [&](std::string_view key) { return up.substr(key.size(), POSTVALUEMAX); };
        if (up.rfind("EMAIL=", 0) == 0) s.EMAIL = value("EMAIL=");
        else if (up.rfind("SMTP=", 0) == 0) s.SMTP = value("SMTP=");
        else if (up.rfind("SUBJECT=", 0) == 0) s.SUBJECT = value("SUBJECT=");
        else if (up.rfind("LOGIN=", 0) == 0) s.LOGIN = trim(std::string_view(t).substr(6));
        else if (up.rfind("TLS=", 0) == 0) {
            s.TLS = trim(std::string_view(t).substr(4));
            for (char& c : s.TLS) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        else {
            // The password may hold ";" and blanks: the rest of the line as it stands.
            std::string whole = trim(line);
            if (starts_upper(whole, "PASSWORD=")) {
                std::string_view rest = line.substr(line.find('=') + 1);
                s.PASSWORD = std::string(rest);
            }
        }
    }
    return s;
}

bool VALIDADDRESS(std::string_view s) {
    if (s.empty() || s.size() > POSTVALUEMAX || s.front() == '-' || s.find('@') == std::string_view::npos) return false;
    return std::all_of(s.begin(), s.end(), [](unsigned char c) {
        return c > 32 && c < 127 && !std::strchr("\"'`;&|<>^%$()\\", c);
    });
}

bool VALIDSERVER(std::string_view s) {
    if (s.empty() || s.size() > POSTVALUEMAX) return false;
    auto colon = s.find(':');
    std::string_view host = s.substr(0, colon);
    if (host.empty() || host.front() == '-' || host.front() == '.') return false;
    if (!std::all_of(host.begin(), host.end(), [](unsigned char c) { return std::isalnum(c) || c == '.' || c == '-'; }))
        return false;
    if (colon == std::string_view::npos) return true;
    std::string_view port = s.substr(colon + 1);
    if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    long p = std::stol(std::string(port));
    return p >= 1 && p <= 65535;
}

bool VALIDSUBJECT(std::string_view s) {
    return !s.empty() && s.size() <= POSTVALUEMAX &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return (printable(c) || c >= 128) && c != '"'; });
}

bool VALIDTLS(std::string_view s) {
    return s.empty() || s == "auto" || s == "starttls" || s == "ssl" || s == "no";
}

std::string BADPOSTVALUE(const POSTSETTINGS& s, std::string_view zatemail) {
    if (!VALIDADDRESS(s.EMAIL)) return "eMail";
    if (!VALIDSERVER(s.SMTP)) return "SMTP";
    if (!VALIDSUBJECT(s.SUBJECT)) return "Subject";
    if (!VALIDADDRESS(zatemail)) return "mailto";
    if (!VALIDTLS(s.TLS)) return "TLS";
    if (s.LOGIN.find_first_of("\r\n") != std::string::npos || s.LOGIN.find('\0') != std::string::npos) return "LOGIN";
    return {};
}

std::string POSTBATTEXT(std::string_view gamedir, std::string_view zatemail, const POSTSETTINGS& s) {
    std::string pieces = std::string(gamedir) + "post.txt -t " + std::string(zatemail) + " -s \"" + s.SUBJECT +
                         "\" -f " + s.EMAIL + " -server " + s.SMTP + " -attach %1 >" + std::string(gamedir) +
                         "post.log";
    return "@echo Please wait...\r\n@blat.exe " + pieces.substr(0, LINEMAX) + "\r\n";
}

std::optional<MAILCALL> PARSEPOSTBAT(std::string_view text, std::string_view gamedir, std::string_view turnpath) {
    auto lines = SPLITLINES(text);
    // Exactly the two CR LF lines, nothing after them.
    if (lines.size() != 2 || lines[0].text != "@echo Please wait..." || lines[0].end != "\r\n" ||
        lines[1].end != "\r\n")
        return std::nullopt;
    std::string line(lines[1].text);
    if (line.find('\0') != std::string::npos) return std::nullopt;
    std::vector<std::string> w = SPLITARGS(line);
    if (w.size() != 13 || w[0] != "@blat.exe" || w[2] != "-t" || w[4] != "-s" || w[6] != "-f" || w[8] != "-server" ||
        w[10] != "-attach" || w[11] != "%1" || w[12].size() < 2 || w[12][0] != '>')
        return std::nullopt;
    const std::string body = w[1], log = w[12].substr(1);
    auto ends = [](const std::string& s, std::string_view tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (!ends(body, "post.txt") || !ends(log, "post.log")) return std::nullopt;
    // Body and log lie in the game directory: the sender writes nowhere else.
    if (body.substr(0, body.size() - 8) != gamedir || log.substr(0, log.size() - 8) != gamedir) return std::nullopt;
    // The subject must have been written inside its quotes.
    if (line.find(" -s \"" + w[5] + "\" -f ") == std::string::npos) return std::nullopt;
    POSTSETTINGS s;
    s.SUBJECT = w[5];
    s.EMAIL = w[7];
    s.SMTP = w[9];
    if (!BADPOSTVALUE(s, w[3]).empty()) return std::nullopt;
    MAILCALL c;
    c.args = {HOSTPATH(body), "-t", w[3], "-s", w[5], "-f", w[7], "-server", w[9], "-attach", std::string(turnpath)};
    c.log = HOSTPATH(log);
    return c;
}

int JUDGEPOSTLOG(std::string_view text) {
    for (const TEXTLINE& l : SPLITLINES(text))
        if (l.text.find("rror") != std::string_view::npos) return 1;
    return 0;
}

// ---- with files ------------------------------------------------------------------

void LESEPOSTINI() {
    POSTEMAIL.clear();
    POSTSMTP.clear();
    POSTSUBJECT.clear();
    POSTLOGIN.clear();
    POSTPASSWORD.clear();
    POSTTLS.clear();
    const std::string name = GAMEDIR + "post.ini";
    if (!FILECHECK(name)) return;
    std::string text;
    if (!READWHOLEFILE(name, text)) ERROR(1, name);
    POSTSETTINGS s = PARSEPOSTINI(text);
    POSTEMAIL = s.EMAIL;
    POSTSMTP = s.SMTP;
    POSTSUBJECT = s.SUBJECT;
    POSTLOGIN = s.LOGIN;
    POSTPASSWORD = s.PASSWORD;
    POSTTLS = s.TLS;
}

namespace {

POSTSETTINGS current() {
    POSTSETTINGS s;
    s.EMAIL = POSTEMAIL;
    s.SMTP = POSTSMTP;
    s.SUBJECT = POSTSUBJECT;
    s.LOGIN = POSTLOGIN;
    s.PASSWORD = POSTPASSWORD;
    s.TLS = POSTTLS;
    return s;
}

std::string mailprogram() { return JOINPATH(KXPATH, MAILPROGRAM); }

}  // namespace

bool MAILPROGRAMPRESENT() { return ::access(mailprogram().c_str(), X_OK) == 0; }

void WRITEPOSTBAT(const std::string&) {
    if (!FILECHECK(GAMEDIR + "post.txt") && !COPYFILE("POST.TXT", GAMEDIR + "post.txt"))
        MELDUNG("Error: POST.TXT not found");
    // Only valid values ever reach the file that later becomes a command.
    if (!BADPOSTVALUE(current(), GEN.ZATEMAIL.str()).empty()) return;
    REWRITEFILE(GAMEDIR + "POST.BAT", POSTBATTEXT(GAMEDIR, GEN.ZATEMAIL.str(), current()), 4, 2, 9);
}

int WERTEPOSTLOG() {
    const std::string name = GAMEDIR + "post.log";
    if (!FILECHECK(name)) return 2;
    std::string text;
    if (!READWHOLEFILE(name, text)) ERROR(1, name);
    struct stat st {};
    if (::stat(HOSTPATH(name).c_str(), &st) == 0) {
        std::tm tm{};
        ::localtime_r(&st.st_mtime, &tm);
        DTLOG = {static_cast<unsigned short>(tm.tm_year + 1900), static_cast<unsigned short>(tm.tm_mon + 1),
                 static_cast<unsigned short>(tm.tm_mday),        static_cast<unsigned short>(tm.tm_hour),
                 static_cast<unsigned short>(tm.tm_min),         static_cast<unsigned short>(tm.tm_sec)};
    }
    return JUDGEPOSTLOG(text);
}

int POSTBATCH(const std::string& bat) {
    std::string text;
    if (!READWHOLEFILE(bat, text)) {
        MELDUNG("Error: " + bat + " not found");
        return -1;
    }
    // Only what this run wrote goes out: never a turn left from an earlier run.
    if (TRNFILES.empty()) {
        MELDUNG("Error: no turn was written in this run; nothing was sent");
        return -1;
    }
    const std::string turn = JOINPATH(KXPATH, HOSTPATH(GAMEDIR + TRNFILES.front()));
    std::optional<MAILCALL> call = PARSEPOSTBAT(text, GAMEDIR, turn);
    if (!call) {
        MELDUNG("Error: " + bat + " is not a mail line of this program; nothing was sent");
        return -1;
    }
    // The batch line names one turn; the further ones of the day ride along.
    for (std::size_t i = 1; i < TRNFILES.size(); ++i)
        call->args.insert(call->args.end(), {"-attach", JOINPATH(KXPATH, HOSTPATH(GAMEDIR + TRNFILES[i]))});
    if (!MAILPROGRAMPRESENT()) {
        MELDUNG("Error: " + std::string(MAILPROGRAM) + " not found; nothing was sent");
        return -1;
    }
    PROCESSRUN r;
    r.dir = KXPATH;
    r.program = mailprogram();
    r.args = call->args;
    if (!POSTLOGIN.empty()) {
        r.args.insert(r.args.end(), {"-u", POSTLOGIN});
        r.input = POSTPASSWORD;
    }
    if (!POSTTLS.empty()) r.args.insert(r.args.end(), {"-tls", POSTTLS});
    r.output = JOINPATH(KXPATH, call->log);
    // A stale log must never be judged as this run's.
    ::unlink(r.output.c_str());
    int code = RUNANDWAIT(r);
    if (code == NOT_STARTED) ERROR(100, "Execute Error: " + bat);
    return code;
}

bool POSTREADY() {
    return BADPOSTVALUE(current(), GEN.ZATEMAIL.str()).empty() && FILECHECK(GAMEDIR + "post.bat") &&
           MAILPROGRAMPRESENT();
}

void SENDTURN() {
    const std::string bad = BADPOSTVALUE(current(), GEN.ZATEMAIL.str());
    if (!bad.empty()) {
        MELDUNG("Error: mail setting " + bad + " is empty or not valid; nothing was sent");
        return;
    }
    // The batch file always carries the current settings and address.
    WRITEPOSTBAT();
    const int code = POSTBATCH(GAMEDIR + "POST.BAT");
    if (code < 0) return;
    std::string log;
    const bool haslog = READWHOLEFILE(GAMEDIR + "post.log", log);
    if (code == 0 && haslog && !log.empty() && JUDGEPOSTLOG(log) == 0) {
        MELDUNG("Send TRN -> OK");
    } else if (haslog && !log.empty()) {
        EDITOR(GAMEDIR + "post.log");
    } else {
        MELDUNG("Error: the mail program left no report; the turn was not sent");
    }
}

void TESTPOST() {
    if (AUTOSEND) SENDTURN();
    else if (FILECHECK("POST.BAT")) POSTBATCH("POST.BAT");
}

DATETIME16 DOSUNPACK(std::uint32_t packed) {
    DATETIME16 d;
    d.year = static_cast<unsigned short>(1980 + (packed >> 25));
    d.month = static_cast<unsigned short>((packed >> 21) & 15);
    d.day = static_cast<unsigned short>((packed >> 16) & 31);
    d.hour = static_cast<unsigned short>((packed >> 11) & 31);
    d.minute = static_cast<unsigned short>((packed >> 5) & 63);
    d.second = static_cast<unsigned short>((packed & 31) * 2);
    return d;
}

namespace {
std::string two(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02u", v % 100);
    return b;
}
}  // namespace

std::string MAILLOGLABEL(const DATETIME16& d, int lgnr, std::string_view verdict) {
    char year[8];
    std::snprintf(year, sizeof year, "%04u", static_cast<unsigned>(d.year % 10000));
    const std::string date = lgnr == 1 ? two(d.day) + "." + two(d.month) + "." + year
                                       : two(d.month) + "-" + two(d.day) + "-" + year;
    return "Mail: " + date + " " + two(d.hour) + ":" + two(d.minute) + "h [" + std::string(verdict) + "]";
}

}  // namespace korax

#include "results/showrst.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <set>

#include "base/state.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "results/g_gamechoose.h"
#include "results/pokal.h"
#include "results/rsz.h"
#include "results/zipper.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

bool NEWRST = false;
std::string FMSG;

namespace {

std::string containername() { return "TEAM" + NUMMERSTR + ".RST"; }

std::int32_t le32(std::string_view b, std::size_t at) {
    std::int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The part of a name before its last separator, with the separator.
std::string dirpart(std::string_view name) {
    std::size_t p = name.find_last_of("\\/");
    return p == std::string_view::npos ? std::string() : std::string(name.substr(0, p + 1));
}

std::string namepart(std::string_view name) {
    std::size_t p = name.find_last_of("\\/");
    return std::string(p == std::string_view::npos ? name : name.substr(p + 1));
}

void bindfmsg() { FMSG = GAMEDIR + "TEAM" + NUMMERSTR + ".TXT"; }

void statusline(const std::string& text) {
    ESETCOLOR(15);
    EOUTTEXTXY(10, EGETMAXY() - 15, text);
}

// Files of an old season go at the first result of a new one: match files with
// their quick-match replays, and general records, but never the game list, the
// files just imported, or the general records still in use (the trainer's own and
// the league's).
void newseasoncleanup(const std::set<std::string>& written) {
    const std::vector<std::string> names = FINDFILES(GAMEDIR, "*");
    std::set<std::string> quick;  // replays of the match files deleted
    for (const std::string& name : names) {
        const std::string up = UPCASE(name);
        if (written.count(up) || up == "GAMES.INI" || up == "GAMES.NEW") continue;
        const bool match = up.rfind("GAME", 0) == 0 && up.size() > 4 &&
                           ((up[4] >= '0' && up[4] <= '9') || up[4] == '.');
        const bool general = up.rfind("GEN", 0) == 0 && up != "GEN" + NUMMERSTR + ".DAT" && up != "GEN.DAT";
        if (match) quick.insert("QUICK" + up.substr(4));
        if (match || general) DELETEFILE(GAMEDIR + name);
    }
    for (const std::string& name : names) {
        const std::string up = UPCASE(name);
        if (quick.count(up) && !written.count(up)) DELETEFILE(GAMEDIR + name);
    }
}

}  // namespace

int RSTTEAMNUMBER(std::string_view name) {
    const std::string n = namepart(name);
    if (n.size() < 5) return 0;
    const std::size_t last = n.size() - 5;  // the character before ".RST"
    std::string digits(1, n[last]);
    if (last >= 1 && n[last - 1] == '1') digits = "1" + digits;
    for (char ch : digits)
        if (ch < '0' || ch > '9') return 0;
    const int nr = std::stoi(digits);
    return nr >= 1 && nr <= 10 ? nr : 0;
}

void PARSECONTAINER(std::string_view b, int nummer, const std::string& shown, RSTCONTAINER& c) {
    if (b.empty()) ERROR(2, shown);
    c.version = static_cast<std::uint8_t>(b[0]);
    if (b.size() < 14) ERROR(1, shown);
    STRING12 dir;
    std::memcpy(&dir, b.data() + 1, sizeof dir);
    c.dirname = dir.str();
    if (b.size() < 134) ERROR(1, shown);
    for (int k = 0; k < 30; ++k) c.table[k] = le32(b, 14 + 4 * k);
    const auto& t = c.table;

    // Every length is checked against the format's limits and the file's size
    // before any byte is used, in 64-bit arithmetic.
    auto bad = [&](const std::string& why) { ERROR(2, shown + ": " + why); };
    for (int k : {0, 1, 3, 5, 7})
        if (t[k] < 0) bad("negative length in entry " + std::to_string(k));
    for (int k = 10; k < 20; ++k)
        if (t[k] < 0) bad("negative picture length");
    for (int k : {0, 1, 3})
        if (t[k] > RSTSECTIONMAX) bad("section longer than " + std::to_string(RSTSECTIONMAX) + " bytes");
    if (t[2] != static_cast<std::int32_t>(sizeof(GENTYPE))) ERROR(99, L[415].str());
    if (t[6] < 0 || (t[6] & ~0x3E) != 0) ERROR(10, shown + ": " + L[416].str());
    std::int64_t fixed = 134;
    for (int k = 10; k < 20; ++k) fixed += t[k];
    fixed += std::int64_t(t[0]) + t[1] + t[2] + t[3] + t[7];
    fixed += std::int64_t(__builtin_popcount(static_cast<unsigned>(t[6]))) * t[3];
    fixed += std::int64_t(RSTHISLINE) * t[5];
    if (fixed > static_cast<std::int64_t>(b.size())) bad("shorter than its section table");
    const std::int64_t rest = static_cast<std::int64_t>(b.size()) - fixed;
    if (rest > 0 && (t[4] <= 0 || t[4] > RSTSECTIONMAX || rest % t[4] != 0))
        bad("message records do not fit their size");

    std::size_t pos = 134;
    auto take = [&](std::int64_t len) {
        std::string s(b.substr(pos, static_cast<std::size_t>(len)));
        pos += static_cast<std::size_t>(len);
        return s;
    };
    std::uint8_t sum = static_cast<std::uint8_t>(nummer);
    auto count = [&](const std::string& s) {
        for (unsigned char ch : s) sum = static_cast<std::uint8_t>(sum + ch);
    };
    for (int i = 1; i <= 10; ++i) c.pictures[i] = take(t[9 + i]);
    c.player = take(t[0]);
    c.team = take(t[1]);
    c.gen = take(t[2]);
    count(c.player);
    count(c.team);
    count(c.gen);
    count(c.gen.substr(0, 2));  // the general record's first two bytes count twice
    c.match = take(t[3]);
    count(c.match);
    c.quick = take(t[7]);
    count(c.quick);
    for (int k = 1; k <= 5; ++k) {
        c.further[k].clear();
        if (t[6] & (1 << k)) {
            c.further[k] = take(t[3]);
            count(c.further[k]);
        }
    }
    c.history.clear();
    for (int i = 0; i < t[5]; ++i) {
        c.history.push_back(take(RSTHISLINE));
        count(c.history.back());
    }
    c.messages.clear();
    while (pos < b.size()) {
        c.messages.push_back(take(t[4]));
        count(c.messages.back());
    }
    c.computed = sum + 6;
}

void WRITECONTAINER(const RSTCONTAINER& c, int nummer) {
    const std::string n = NUMMERSTR;
    if (c.team.size() < static_cast<std::size_t>(nummer) * sizeof(TEAMREC)) ERROR(2, containername() + ": no team record " + n);
    std::memcpy(&GEN, c.gen.data(), sizeof GEN);
    const std::string d = std::to_string(SPIELTAG());

    // The team record is prepared for the new turn before it is written, so the
    // files on disk are complete whenever the container is gone.
    std::string team = c.team;
    TEAMREC rec;
    std::memcpy(&rec, team.data() + (nummer - 1) * sizeof rec, sizeof rec);
    for (int i = 1; i <= 10; ++i) rec.SYMBOLVER[i] = GEN.TSYMVER[i];
    rec.TRAINING.KXANZAHL = 1;
    rec.TRAINING.KXGESAMT = 0;
    std::memcpy(team.data() + (nummer - 1) * sizeof rec, &rec, sizeof rec);

    // Every file goes to a temporary name first; all are put in place together
    // after one flush, so a failure part-way leaves the previous files as they were.
    std::set<std::string> written;
    std::deque<ATOMICFILE> files;
    auto put = [&](const std::string& name, std::string_view bytes) {
        files.emplace_back();
        CREATEFILE(files.back(), GAMEDIR + name);
        WRITEFILE(files.back(), bytes);
        written.insert(UPCASE(name));
    };
    for (int i = 1; i <= 10; ++i)
        if (!c.pictures[i].empty()) put("TEAM" + std::to_string(i) + ".PCX", c.pictures[i]);
    put("PLAYER" + n + ".DAT", c.player);
    put("TEAM" + n + ".DAT", team);
    put("GEN" + n + ".DAT", c.gen);
    if (!c.match.empty()) {
        put("GAME" + n + ".DAT", c.match);
        put("GAME" + n + "." + d, c.match);
    }
    if (!c.quick.empty()) {
        put("QUICK" + n + ".DAT", c.quick);
        put("QUICK" + n + "." + d, c.quick);
    }
    // A further match is sent by its bit, even with a match length of 0: the
    // trainer then gets its file empty.
    for (int k = 1; k <= 5; ++k)
        if (c.table[6] & (1 << k)) put("GAME" + n + "." + d + char(64 + k), c.further[k]);
    std::string his;
    for (const std::string& line : c.history) {
        ERFOLGREC r;
        std::memcpy(&r, line.data(), sizeof r);
        his += r.str() + "\r\n";
    }
    put("TEAM" + n + ".HI", his);
    std::string msg;
    for (const std::string& m : c.messages) msg += m;
    put("MSG" + n + ".DAT", msg);
    put("TEAM" + n + ".TXT", "");
    COMMITFILES(files);
    if (SPIELTAG() == 0) newseasoncleanup(written);
}

void IMPORTCONTAINER(const std::string& dosname, bool named) {
    statusline(L[414].str() + "(" + (named ? RSTNAME : std::string()) + ")");
    NEWRST = true;
    std::string bytes;
    if (!READWHOLEFILE(dosname, bytes)) ERROR(1, dosname);
    RSTCONTAINER c;
    PARSECONTAINER(bytes, NUMMER, containername(), c);
    if (c.computed != c.table[9]) {
        const char* check = std::getenv("CHECK");
        if (check && std::string(check) == "$") {
            MELDUNG("Check-Sum: " + std::to_string(c.table[9]) + ", RST-File: " + std::to_string(c.computed));
        } else {
            // Nothing was written and the container stays: a good copy of the result
            // can still be imported over the previous turn's files. Ignore mode is
            // about stale player check values, never about a damaged result.
            ERROR(99, L[417].str());
        }
    }
    WRITECONTAINER(c, NUMMER);
    if (std::remove(HOSTPATH(dosname).c_str()) != 0) ERROR(14, dosname);
}

namespace {

// Step "D.2" for a container named at start-up: version, game directory, the
// news beside it, and the pass-through files that are only moved.
bool namedcontainer() {
    std::string all;
    if (!READWHOLEFILE(RSTNAME, all)) ERROR(1, RSTNAME);
    if (all.empty()) ERROR(2, RSTNAME);
    const std::uint8_t version = static_cast<std::uint8_t>(all[0]);
    if (version != RSTVERSION && version != RSTVERSION + 100) ERROR(6, RSTNAME);
    if (all.size() < 14) ERROR(1, RSTNAME);
    STRING12 raw;
    std::memcpy(&raw, all.data() + 1, sizeof raw);
    const std::string dir = DATAGAMEDIR(raw.str(), RSTNAME);
    if (dir.empty()) BESCHREIBGAMEDIR();
    else DIR2GAMEDIR(dir);
    const std::string news = dirpart(RSTNAME) + "NEWS.TXT";
    if (FILECHECK(news) && !SAMEFILE(news, GAMEDIR + "NEWS.TXT")) MOVEFILE(news, GAMEDIR + "NEWS.TXT");
    bindfmsg();
    if (version == RSTVERSION + 100) {
        NEWRST = false;
        MOVEFILE(RSTNAME, GAMEDIR + namepart(RSTNAME));
        return false;
    }
    return true;
}

// Step "D.2" for a container waiting in the game directory.
void gamedircontainer(bool bare) {
    const std::string name = GAMEDIR + containername();
    std::string head;
    if (!READWHOLEFILE(name, head)) ERROR(1, name);
    if (head.empty()) ERROR(2, name);
    if (static_cast<std::uint8_t>(head[0]) != RSTVERSION) ERROR(6, name);
    if (head.size() < 14) ERROR(1, name);
    STRING12 raw;
    std::memcpy(&raw, head.data() + 1, sizeof raw);
    std::string dir = DATAGAMEDIR(raw.str(), name);
    NORMDIR(GAMEDIR);
    if (!dir.empty()) {
        NORMDIR(dir);
        if (dir != GAMEDIR) {
            INITOBERFLAECHE(1);
            CENTERTEXTSTYLE();
            ESETCOLOR(15);
            EOUTTEXTXY((XM1 + XM2) / 2, 112, L[560].str());
            EOUTTEXTXY((XM1 + XM2) / 2, 127, L[561].str());
            const int choice = GETKONTEXT((XM1 + XM2) / 2 - 100, 150, L[562].str(), GAMEDIR, dir, "", "", "");
            if (choice <= 0) ENDPROGRAM(0);
            if (choice == 2) {
                // The container moves along, so the import reads it from its new place.
                if (!CANCHDIR(dir)) INITDIR(dir);
                MOVEFILE(name, dir + containername());
                GAMEDIR = dir;
            }
        }
    } else if (bare) {
        const std::string old = GAMEDIR;
        BESCHREIBGAMEDIR();
        // The container moves along to the directory the trainer named.
        if (!SAMEFILE(READYDIR(old), READYDIR(GAMEDIR))) MOVEFILE(name, GAMEDIR + containername());
    }
    bindfmsg();
}

// Unpacks an archive into GAMEDIR ("D": the companion works there; "X": into
// the game directory its header names) and gives the container it left. When
// nothing came out, the archive stays and the trainer is told why.
std::string unpack(std::string_view mode, const std::string& archive) {
    std::string why;
    const bool ok = ZIPPER(mode, archive, mode == "D" ? GAMEDIR : std::string("."), &why);
    const std::string found = ok ? NEWESTCONTAINER(GAMEDIR) : std::string();
    if (ok && found.empty()) why = "the archive holds no result container";
    if (found.empty()) ERROR(1, GAMEDIR + "TEAM*.RST (" + namepart(archive) + ": " + why + ")");
    return found;
}

// Step "B.1": an archive named at start-up. Gives the archive to delete once its
// container has been imported (empty when it is to be kept).
std::string unpacknamed() {
    ZIPHEADERTYPE h;
    const std::string host = HOSTPATH(RSTNAME);
    if (int err = READZIPHEADER(host, h)) ERROR(err, RSTNAME);
    RSZNAME = namepart(RSTNAME);
    GAMEDIR = DATAGAMEDIR(h.GAMEDIR.str(), RSTNAME);
    std::string found;
    if (GAMEDIR.empty()) {
        GAMEDIR = "TEMP";
        INITDIR(GAMEDIR);
        found = unpack("D", RSTNAME);
    } else {
        INITDIR(GAMEDIR);
        CAPS(GAMEDIR);
        found = unpack("X", RSTNAME);
    }
    // An archive lying in the program or game directory goes once its result is
    // in. Where it lies is judged on the directory itself, however it was named.
    std::string dir = dirpart(RSTNAME);
    dir = dir.empty() ? std::string(".") : READYDIR(dir);
    std::string keep;
    if (SAMEFILE(dir, ".") || SAMEFILE(dir, READYDIR(GAMEDIR))) keep = RSTNAME;
    RSTNAME = GAMEDIR + found;
    INITOBERFLAECHE(1);
    return keep;
}

// A GAMES.INI line naming a path is not used, and the trainer learns which line
// and where the file is (each line of the box holds at most 70 characters).
void refusedgame(const std::string& line) {
    auto fit = [](std::string t) { return t.size() <= 70 ? t : "..." + t.substr(t.size() - 67); };
    MELDUNG("GAMES.INI " + NOLINEBREAKS(line.substr(0, 60)) +
            "/names a path, not a game directory: the line is not used./Mend it in the file:/" +
            NOLINEBREAKS(fit(JOINPATH(KXPATH, "GAMES.INI"))));
}

// Step "C.7": the trainer picks one of several teams found in the game directory.
int askteam(const std::array<bool, 11>& found) {
    for (;;) {
        INITOBERFLAECHE(1);
        const std::string line = L[412].str();
        const int x = EGETMAXX() / 2 - 4 * static_cast<int>(line.size());
        int y = 162;
        ESETCOLOR(15);
        for (int i = 1; i <= 10; ++i)
            if (found[i]) {
                EOUTTEXTXY(x, y, NUMSTR(line, i));
                y += 15;
            }
        y += 15;
        const std::string prompt = L[413].str() + ": ";
        ESETCOLOR(14);
        EOUTTEXTXY(x, y, prompt);
        std::string typed;
        // The field follows the prompt as the font in use draws it.
        GREADLN(x + ETEXTWIDTH(prompt), y, 14, 0, 8, 2, typed);
        while (!typed.empty() && typed.back() == ' ') typed.pop_back();
        while (!typed.empty() && typed.front() == ' ') typed.erase(typed.begin());
        if (typed.empty() || typed.size() > 2 || !std::all_of(typed.begin(), typed.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
            continue;
        const int nr = std::stoi(typed);
        if (nr == 0 || (nr <= 10 && found[nr])) return nr;
    }
}

}  // namespace

void SHOWRST() {
    NEWRST = false;
    NEWPOKAL = false;
    std::string archive;  // deleted only once its container is imported
    bool named = RSTNAME.size() > 5;

    // A pass-through file may have set GAMEDIR already; the trainer chooses anyway.
    if (!named && RSTNAME.empty() && BARESTART) {
        // A: bare start, no result waiting: the trainer chooses the game.
        READGAMESINI();
        for (const std::string& line : GAMESREFUSED) refusedgame(line);
        const std::string chosen = GETGAMELISTE(0);
        if (AENDERUNG) WRITEGAMESINI();
        if (chosen.empty()) ENDPROGRAM(0);
        GAMEDIR = chosen;
        CHECKGAMEDIR();
    }

    if (named) {
        // B: a result file named at start-up.
        if (UPCASE(RSTNAME).find(".RSZ") != std::string::npos) archive = unpacknamed();
        NEWRST = true;
        NUMMER = static_cast<std::int16_t>(RSTTEAMNUMBER(RSTNAME));
        if (NUMMER == 0) ERROR(1, RSTNAME + " (the name carries no team number 1..10 before its extension)");
        NUMMERSTR = std::to_string(NUMMER);
        if (namedcontainer()) IMPORTCONTAINER(RSTNAME, true);
        if (!archive.empty()) DELETEFILE(archive);
        return;
    }

    // C: no result named: a packed result waiting in the game directory?
    if (NUMMERWAHL == 0 && !FINDFILES(GAMEDIR, "*.RSZ").empty()) {
        const std::string pick = GETDATEINAME(GAMEDIR, "*.RSZ", L[559].str());
        if (!pick.empty()) {
            // A bare name lies in the game directory; a file picked in another
            // directory comes with it.
            const std::string path = dirpart(pick).empty() ? GAMEDIR + pick : pick;
            RSZNAME = namepart(pick);
            INITOBERFLAECHE(1);
            unpack("D", path);
            archive = path;
            RSTNAME.clear();
        }
    }
    NUMMER = 0;
    int count = 0;
    bool import = false;
    std::array<bool, 11> found{};
    for (int i = 1; i <= 10; ++i)
        if (FILECHECK(GAMEDIR + "TEAM" + std::to_string(i) + ".RST")) {
            ++count;
            found[i] = true;
            import = true;
            NUMMER = static_cast<std::int16_t>(i);
        }
    if (count == 0 || NUMMERWAHL > 0)
        for (int i = 1; i <= 10; ++i)
            if (FILECHECK(GAMEDIR + "GEN" + std::to_string(i) + ".DAT")) {
                if (!found[i]) ++count;
                found[i] = true;
                NUMMER = static_cast<std::int16_t>(i);
                if (i == NUMMERWAHL) import = false;
            }
    if (count == 0) {
        MELDUNG(SUBSTR(L[410].str(), NOLINEBREAKS(GAMEDIR)));
        ENDPROGRAM(0);
    }
    if (NUMMERWAHL > 0) {
        if (NUMMERWAHL > 10 || !found[NUMMERWAHL]) ERROR(10, NUMSTR(L[411].str(), NUMMERWAHL));
        NUMMER = static_cast<std::int16_t>(NUMMERWAHL);
    } else if (count > 1) {
        NUMMER = static_cast<std::int16_t>(askteam(found));
    }
    if (NUMMER == 0) ENDPROGRAM(0);
    NUMMERSTR = std::to_string(NUMMER);
    // A team chosen without its own container has nothing to import.
    if (!FILECHECK(GAMEDIR + containername())) import = false;
    if (!import) {
        bindfmsg();
        return;
    }
    gamedircontainer(BARESTART);
    IMPORTCONTAINER(GAMEDIR + containername(), false);
    if (!archive.empty()) DELETEFILE(archive);
}

}  // namespace korax

#include "results/pokal.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <sstream>

#include "base/state.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "platform/dospath.h"
#include "results/showrst.h"

namespace korax {

std::int16_t POKALTAG = -1;
std::string POKALRUNDE;
std::string POKALNAME;
std::string POKALGEGNER;
bool POKALFIRST = false;
bool NEWPOKAL = false;
std::string QUICKNAME;
bool POKALPATCHED = false;

namespace {

std::string announcement() { return GAMEDIR + "POKAL" + NUMMERSTR + ".DAT"; }

}  // namespace

void READPOKAL() {
    POKALTAG = -1;
    POKALGEGNER.clear();
    POKALNAME.clear();
    POKALPATCHED = false;
    std::string text;
    if (!READWHOLEFILE(announcement(), text)) return;
    std::istringstream in(text);
    std::string lines[4];
    for (auto& l : lines) {
        if (!std::getline(in, l)) ERROR(2, announcement());
        if (!l.empty() && l.back() == '\r') l.pop_back();
    }
    // A day that is no number counts as no cup match rather than day 0.
    try {
        std::size_t used = 0;
        const int day = std::stoi(lines[0], &used);
        POKALTAG = static_cast<std::int16_t>(day >= -1 && day <= 99 ? day : -1);
    } catch (const std::exception&) {
        POKALTAG = -1;
    }
    POKALRUNDE = lines[1].substr(0, 25 + (lines[1].rfind('.', 0) == 0 ? 1 : 0));
    POKALNAME = lines[2].substr(0, 8);
    POKALGEGNER = lines[3].substr(0, 80);
    POKALFIRST = !POKALRUNDE.empty() && POKALRUNDE[0] == '.';
    if (POKALFIRST) POKALRUNDE.erase(0, 1);
    if (POKALTAG == 98) {
        WRITEPOKAL(99);
        NEWPOKAL = true;
    }
    // An overlong name is not cut into another one: no result is read under it.
    if (lines[2].size() <= 8) POKALPATCHED = READPOKALRST();
    if (POKALFIRST) WRITEPOKAL(POKALTAG);
}

void WRITEPOKAL(std::int16_t tag) {
    POKALTAG = tag;
    REWRITEFILE(announcement(), std::to_string(tag) + "\r\n" + POKALRUNDE + "\r\n" + POKALNAME + "\r\n" + POKALGEGNER + "\r\n");
}

// ---- the cup result file ----------------------------------------------------

std::uint16_t POKALSUM(const POKALRST& r) {
    std::uint16_t sum = 0;
    auto add = [&](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) sum = static_cast<std::uint16_t>(sum + b[i]);
    };
    add(&r.team, sizeof r.team);
    for (const auto& p : r.players) add(&p, sizeof p);
    if (r.hashistory) add(r.history.data(), r.history.size());
    for (const auto& m : r.messages) add(m.data(), m.size());
    return sum;
}

void PARSEPOKALRST(std::string_view b, const std::string& shown, POKALRST& r) {
    r = POKALRST{};
    auto bad = [&](const std::string& why) { ERROR(2, shown + ": " + why); };
    if (b.empty()) bad("empty");
    r.version = static_cast<std::uint8_t>(b[0]);
    if (r.version != POKALRSTVERSION) ERROR(6, shown);
    if (b.size() < POKALFIXED) bad("shorter than its match file and patches");
    STRING12 dir;
    std::memcpy(&dir, b.data() + 1, sizeof dir);
    r.dirname = dir.str();
    std::memcpy(&r.check, b.data() + 14, 2);
    r.match = std::string(b.substr(16, POKALMATCHSIZE));
    std::memcpy(&r.team, b.data() + 16 + POKALMATCHSIZE, sizeof r.team);
    for (std::size_t i = 0; i < r.players.size(); ++i)
        std::memcpy(&r.players[i], b.data() + 16 + POKALMATCHSIZE + sizeof r.team + i * sizeof(PLAYERPATCHTYPE),
                    sizeof(PLAYERPATCHTYPE));
    // A length byte beyond its field means the file is not what it claims to be.
    if (r.team.NAME.len > 12 || r.team.GEGNER.len > 12) bad("team name longer than 12 characters");
    for (const auto& p : r.players)
        if (p.NAME.len > 8) bad("player name longer than 8 characters");

    std::size_t pos = POKALFIXED;
    auto picture = [&](std::string& out) {
        if (b.size() - pos < 2) bad("cut before a picture length");
        std::int16_t len;
        std::memcpy(&len, b.data() + pos, 2);
        pos += 2;
        if (len < 0) bad("negative picture length");
        if (static_cast<std::size_t>(len) > b.size() - pos) bad("picture longer than the file");
        out = std::string(b.substr(pos, static_cast<std::size_t>(len)));
        pos += static_cast<std::size_t>(len);
    };
    picture(r.emblem1);
    picture(r.emblem2);
    r.hashistory = r.team.ERFOLG > 0;
    if (r.hashistory) {
        if (b.size() - pos < POKALHISLINE) bad("cut in the history line");
        const std::size_t len = static_cast<std::uint8_t>(b[pos]);
        r.history = std::string(b.substr(pos + 1, len));
        pos += POKALHISLINE;
    }
    if ((b.size() - pos) % POKALMSGSIZE != 0) bad("message records do not fit their size");
    for (; pos < b.size(); pos += POKALMSGSIZE) r.messages.emplace_back(b.substr(pos, POKALMSGSIZE));
    r.sum = POKALSUM(r);
}

namespace {

// What a cup result changes, found before anything is written.
struct POKALPLAN {
    int k = 1;                          // GAME<n>.P<k>
    std::string emblem1, emblem2;       // picture names; empty = not written
    std::string messages;               // MSG<n>.DAT as it is to be
    bool appendmessages = false;
};

std::string matchname(int k) { return GAMEDIR + "GAME" + NUMMERSTR + ".P" + std::to_string(k); }
std::string quickname(int k) { return GAMEDIR + "QUICK" + NUMMERSTR + ".P" + std::to_string(k); }

// The checks of the team number and the player names, against the open files.
void checkpatches(const POKALRST& r) {
    if (r.team.NR != NUMMER) ERROR(0, "Wrong Team-Number in Pokal.RST");
    for (const auto& pp : r.players) {
        if (pp.NR < 1) ERROR(0, "Wrong Player-Number in Pokal.RST");
        PLAYERREC p;
        READPLAYER(pp.NR, p);
        if (p.NAME.str() != pp.NAME.str()) ERROR(0, "Wrong Player-Number in Pokal.RST");
    }
}

POKALPLAN plan(const POKALRST& r) {
    POKALPLAN p;
    while (FILECHECK(matchname(p.k))) ++p.k;
    // A name that is no plain file name gets no picture: its bytes are passed over.
    if (auto n = SAFENAME(r.team.NAME.str(), 12)) p.emblem1 = GAMEDIR + *n + ".PCX";
    if (auto n = SAFENAME(r.team.GEGNER.str(), 12)) p.emblem2 = GAMEDIR + *n + ".PCX";
    if (POKALTAG != 99 && !r.messages.empty()) {
        const std::string msg = GAMEDIR + "MSG" + NUMMERSTR + ".DAT";
        std::string old;
        if (!READWHOLEFILE(msg, old) && FILECHECK(msg)) ERROR(2, msg);
        // A cut last record is unreadable anyway; the new ones must start on a record.
        old.resize(old.size() - old.size() % POKALMSGSIZE);
        p.messages = old;
        for (const auto& m : r.messages) p.messages += m;
        p.appendmessages = true;
    }
    return p;
}

}  // namespace

bool READPOKALRST() {
    // The name comes from the game master's file: a path would open a file outside
    // the game directory, so no result is read under it.
    const auto base = SAFENAME(POKALNAME, 8);
    if (!base) return false;
    const std::string name = GAMEDIR + *base + ".RST";
    std::string bytes;
    if (!READWHOLEFILE(name, bytes)) return false;

    // Everything is checked before the first byte is written: a refused result
    // stays in place and the game directory is as it was.
    POKALRST r;
    PARSEPOKALRST(bytes, name, r);
    if (r.sum != r.check && !IGNORMODE) ERROR(99, "Error: Checksum POKAL-RST");
    const bool patch = POKALTAG != 99;
    if (patch) checkpatches(r);
    const POKALPLAN p = plan(r);

    std::deque<ATOMICFILE> files;
    auto put = [&](const std::string& file, std::string_view data, int createerr = 4) {
        files.emplace_back();
        CREATEFILE(files.back(), file, createerr);
        WRITEFILE(files.back(), data);
    };
    put(matchname(p.k), r.match);
    // An empty picture would only replace a good one by nothing.
    if (!p.emblem1.empty() && !r.emblem1.empty()) put(p.emblem1, r.emblem1, 1);
    if (!p.emblem2.empty() && !r.emblem2.empty()) put(p.emblem2, r.emblem2, 1);
    if (p.appendmessages) put(GAMEDIR + "MSG" + NUMMERSTR + ".DAT", p.messages);
    // The match viewer shows GAME<n>.DAT: the cup match is the latest one now.
    put(GAMEDIR + "GAME" + NUMMERSTR + ".DAT", r.match);
    COMMITFILES(files);

    NEWRST = true;
    NEWPOKAL = true;
    DELETEFILE(GAMEDIR + "QUICK" + NUMMERSTR + ".DAT");
    QUICKNAME = COPYFILE(quickname(p.k), GAMEDIR + "QUICK" + NUMMERSTR + ".DAT") ? std::string() : quickname(p.k);

    if (patch) {
        ERFOLGREC line = ERFOLGREC::of(r.history.substr(0, 40));
        const bool appended = r.hashistory && !r.history.empty();
        if (appended) {
            APPENDHIS(NUMMER, line, false);
            CLOSEHIS();
        }
        READTEAM(r.team.NR, TEAM);
        if (appended) TEAM.ERFOLGE += 1;
        if (r.team.EINTRITT > 0) TEAM.STADION.EINTRITT = r.team.EINTRITT;
        const int mood = TEAM.STADION.STIMMUNG + r.team.FANDIF;
        TEAM.STADION.STIMMUNG = static_cast<std::int16_t>(mood < -4 ? -4 : mood > 4 ? 4 : mood);
        if (!LASTDAY) TEAM.GOLD += static_cast<std::int32_t>(r.team.GOLDDIF);
        WRITETEAM(r.team.NR, TEAM);
        for (const auto& pp : r.players) {
            PLAYERREC pl;
            READPLAYER(pp.NR, pl);
            const int v = pl.VERFASSUNG + pp.VERDIF;
            pl.VERFASSUNG = static_cast<std::int8_t>(v < 0 ? 0 : v > 100 ? 100 : v);
            WRITEPLAYER(pp.NR, pl);
        }
        if (!POKALFIRST) WRITEPOKAL(GEN.TURN > 0 && AUTOPLAY ? 98 : 99);
    }
    // Last: until here a failure leaves the result to be applied at the next start.
    if (std::remove(HOSTPATH(name).c_str()) != 0) ERROR(8, "erase " + name);
    return patch;
}

}  // namespace korax

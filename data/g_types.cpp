#include "data/g_types.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "data/config.h"
#include "data/g_general.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "platform/dospath.h"

namespace korax {

TEAMREC TEAM{};
ARR1<PLAYERREC, 1, 10> PLAYER{};
ARR1<bool, 1, 10> BELEGT{};
ARR1<ICONREC, 1, 10> ICON{};
ARR1<ICONREC, 1, 5> ICONRACE{};
ARR1<STRING25, 1, 10> TEAMNAME{};
ARR1<STRING25, 1, 10> TRAINERNAME{};
ARR1<bool, 1, 10> TEAMPROFI{};
ARR1<std::uint8_t, 1, 10> TEAMLIZENZ{};
ARR1<std::int16_t, 1, 10> TEAMBRUTAL{};
ARR1<std::int16_t, 1, 10> TEAMBRUTALL{};

namespace {

// One of the two record files held open for the session.
struct RECORDFILE {
    int fd = -1;
    const char* stem;      // as opened (lower case) and as reported (upper case)
    const char* shown;
    std::size_t size;
};

RECORDFILE playerfile{-1, "player", "PLAYER", sizeof(PLAYERREC)};
RECORDFILE teamfile{-1, "team", "TEAM", sizeof(TEAMREC)};

std::string shownname(const RECORDFILE& f) { return GAMEDIR + f.shown + NUMMERSTR + ".DAT"; }

std::string withnr(const RECORDFILE& f, int nr) { return shownname(f) + "(" + std::to_string(nr) + ")"; }

void closefile(RECORDFILE& f) {
    if (f.fd < 0) return;
    int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) ERROR(9, shownname(f));
}

void openfile(RECORDFILE& f) {
    // Opening an already open file again starts over with a fresh handle; keeping
    // the old one would make the new lock fail against ourselves.
    closefile(f);
    std::string host = HOSTPATH(GAMEDIR + f.stem + NUMMERSTR + ".dat");
    int fd = ::open(host.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) ERROR(1, shownname(f));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        ERROR(1, shownname(f));
    }
    f.fd = fd;
}

// Seeks to record nr-1; a negative position or a closed file fails.
bool seekrecord(const RECORDFILE& f, int nr) {
    if (f.fd < 0) return false;
    long long pos = (static_cast<long long>(nr) - 1) * static_cast<long long>(f.size);
    if (pos < 0) return false;
    return ::lseek(f.fd, static_cast<off_t>(pos), SEEK_SET) == static_cast<off_t>(pos);
}

void readrecord(const RECORDFILE& f, int nr, void* rec) {
    if (!seekrecord(f, nr)) ERROR(3, withnr(f, nr));
    auto* p = static_cast<unsigned char*>(rec);
    std::size_t got = 0;
    while (got < f.size) {
        ssize_t n = ::read(f.fd, p + got, f.size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ERROR(2, withnr(f, nr));  // also a record beyond the end of the file
        got += static_cast<std::size_t>(n);
    }
}

void writerecord(const RECORDFILE& f, const void* rec) {
    const auto* p = static_cast<const unsigned char*>(rec);
    std::size_t done = 0;
    while (done < f.size) {
        ssize_t n = ::write(f.fd, p + done, f.size - done);
        if (n < 0 && errno == EINTR) continue;
        // A full disk or file-size limit leaves the record incomplete: that is the
        // "fewer than one record written" case; any other failure is a write error.
        if (n < 0 && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) ERROR(5, shownname(f));
        if (n < 0) ERROR(4, shownname(f));
        if (n == 0) ERROR(5, shownname(f));
        done += static_cast<std::size_t>(n);
    }
}

const char* const RACENAMES[5] = {"Hurtin", "Bogon", "Spider", "Marvin", "Eciton"};

bool testposi(const ARR1<TAKTIKTYPE, 1, 5>& tk, int nr, int x, int y) {
    bool ok = true;
    for (int j = 1; j <= 5; ++j) {
        if (j == nr) continue;
        if (std::abs(tk[j].NORMALX - x) < 32 && std::abs(tk[j].NORMALY - y) < 32) ok = false;
    }
    if (ok && (nr == 1 || nr == 2)) {
        if ((tk[3].NORMALX > 0 && tk[3].NORMALX >= x) || (tk[4].NORMALX > 0 && tk[4].NORMALX >= x)) ok = false;
    } else if (ok && (nr == 3 || nr == 4)) {
        if ((tk[1].NORMALX > 0 && tk[1].NORMALX <= x) || (tk[2].NORMALX > 0 && tk[2].NORMALX <= x)) ok = false;
    }
    return ok;
}

}  // namespace

void OPENFILES(OPENSET s) {
    if (s & _PLAYER) openfile(playerfile);
    if (s & _TEAM) {
        try {
            openfile(teamfile);
        } catch (const FatalError&) {
            // Leave nothing half-open behind the failure.
            if (s & _PLAYER) {
                ::close(playerfile.fd);
                playerfile.fd = -1;
            }
            throw;
        }
    }
}

void CLOSEFILES(OPENSET s) {
    if (s & _PLAYER) closefile(playerfile);
    if (s & _TEAM) closefile(teamfile);
}

bool FILESOPEN(OPENSET s) {
    if ((s & _PLAYER) && playerfile.fd < 0) return false;
    if ((s & _TEAM) && teamfile.fd < 0) return false;
    return true;
}

void READPLAYER(int nr, PLAYERREC& p) { readrecord(playerfile, nr, &p); }

void READTEAM(int nr, TEAMREC& t) { readrecord(teamfile, nr, &t); }

void WRITEPLAYER(int nr, PLAYERREC& p) {
    p.PRUEF = PLAYERPRUEF(p);
    if (!seekrecord(playerfile, nr)) ERROR(3, shownname(playerfile));
    writerecord(playerfile, &p);
}

void WRITETEAM(int nr, TEAMREC& t) {
    if (!seekrecord(teamfile, nr)) ERROR(3, withnr(teamfile, nr));
    writerecord(teamfile, &t);
}

std::int32_t PLAYERPRUEF(const PLAYERREC& p) {
    PLAYERREC c = p;
    c.PRUEF = 0;
    // The sum wraps at 32 bits, so it is kept unsigned; a negative condition
    // enters as its two's-complement value.
    const std::uint32_t v = static_cast<std::uint32_t>(static_cast<std::int32_t>(p.VERFASSUNG));
    std::uint32_t s = static_cast<std::uint32_t>(p.MOTIVATION) + v;
    const auto* b = reinterpret_cast<const unsigned char*>(&c);
    for (std::size_t i = 0; i < sizeof(PLAYERREC); ++i) s += v ^ static_cast<std::uint32_t>(b[i]);
    return static_cast<std::int32_t>(s ^ 318046275u);
}

std::int16_t PLAYERWERT(const PLAYERREC& p) {
    std::int64_t w = static_cast<std::int64_t>(p.INTELLIGENZ) + p.SCHNELLIGKEIT + p.AUSDAUER + p.KOERPERKRAFT +
                     p.GESCHICKLICHKEIT + DIV(p.MOTIVATION, 4) + DIV(p.VERFASSUNG, 4);
    if (p.VERFASSUNG <= 0) w = 0;
    return WRAP16(ROUND(static_cast<double>(WRAP16(w)) * 1.5));
}

void SETMOTIPLAYER(const PLAYERREC& src, PLAYERREC& dst, std::int16_t& prozent) {
    dst = src;
    double f = src.MOTIVATION / 150.0 + 0.5;
    if (f > 1) f = 1;
    auto scale = [f](std::uint8_t a) { return static_cast<std::uint8_t>(ROUND(a * f)); };
    dst.INTELLIGENZ = scale(src.INTELLIGENZ);
    dst.SCHNELLIGKEIT = scale(src.SCHNELLIGKEIT);
    dst.AUSDAUER = scale(src.AUSDAUER);
    dst.KOERPERKRAFT = scale(src.KOERPERKRAFT);
    dst.GESCHICKLICHKEIT = scale(src.GESCHICKLICHKEIT);
    prozent = static_cast<std::int16_t>(ROUND(f * 100));
}

bool TESTPOSI(const TEAMREC& t, int nr, int x, int y) { return testposi(t.TAKTIK, nr, x, y); }

bool TESTSPARRPOSI(const TEAMREC& t, int nr, int x, int y) { return testposi(t.SPARRTAKTIK, nr, x, y); }

std::int16_t TABPLATZ(int team) {
    std::int16_t platz = 0;
    for (int i = 1; i <= 10; ++i)
        if (GEN.TABELLE[i].TEAM == team) platz = static_cast<std::int16_t>(i);
    return platz;
}

std::int16_t SPIELTAG() { return GEN.HINRUNDE == 1 ? GEN.TURN : WRAP16(GEN.TURN + 9); }

std::int16_t LIGAFAKTOR() {
    if (GEN.LIGA == 1) return 2;
    if (GEN.LIGA == 2) return 1;
    return 0;
}

STRING10 GETRACENAME(int race) {
    if (race < 1 || race > 10) return STRING10{};
    return STRING10::of(std::string("(") + RACENAMES[(race + 1) / 2 - 1] + ")");
}

void READALLTEAMS() {
    for (int t = 1; t <= 10; ++t) {
        READTEAM(t, TEAM);
        TEAMNAME[t] = TEAM.NAME;
        TEAMPROFI[t] = TEAM.PROFI > 0 || t > GEN.ANZAHL;
        TEAMLIZENZ[t] = TEAM.LIZENZ;
        TEAMBRUTAL[t] = TEAM.BRUTAL;
        TEAMBRUTALL[t] = TEAM.BRUTALL;
        TRAINERNAME[t] = TEAM.TRAINER;
    }
    READTEAM(NUMMER, TEAM);
}

void CHECKTEAMCHANGE() {
    if (TEAM.RSTSIZE != RSTSIZE) {
        TEAM.RSTSIZE = static_cast<std::uint8_t>(RSTSIZE);
        WRITETEAM(NUMMER, TEAM);
    }
}

void READPLAYERS() {
    for (int i = 1; i <= 10; ++i) {
        ICON[i] = ICONREC{};
        if (TEAM.PLAYERS[i] <= 0) {
            BELEGT[i] = false;
            continue;
        }
        BELEGT[i] = true;
        READPLAYER(TEAM.PLAYERS[i], PLAYER[i]);
        if (PLAYER[i].TEAM == 0) {
            BELEGT[i] = false;
            BEEP(1);
            TEAM.PLAYERS[i] = 0;
            continue;
        }
        if (PLAYERPRUEF(PLAYER[i]) != PLAYER[i].PRUEF && !IGNORMODE) ERROR(99, L[98].str() + " PLAYER.DAT");
        // Race codes 11..20 are already the weakened looks; anything outside 1..20
        // has no icon at all rather than a fatal read of a name that cannot exist.
        int code = PLAYER[i].RACE;
        if (PLAYER[i].VERFASSUNG < 30 && code >= 1 && code <= 10) code += 10;
        if (code >= 1 && code <= 20) {
            READICON(GETICONNAME(code), ICON[i]);
            CHANGEICON(ICON[i], 2, INDICOLOR(PLAYER[i].FARBE & 0xFF));
            if (TEAM.FARBE1 == 0) TEAM.FARBE1 = 1;
            CHANGEICON(ICON[i], 15, TEAM.FARBE1);
        }
    }
    for (int r = 1; r <= 5; ++r) {
        READICON(GETICONNAME(2 * r - 1), ICONRACE[r]);
        CHANGEICON(ICONRACE[r], 2, 15);
        CHANGEICON(ICONRACE[r], 0, 3);
    }
    for (int i = 1; i <= 10; ++i) {
        if (TEAM.ARTPLAYER[i] > 0) {
            PLAYER[i].ARTIFAKT = TEAM.ARTPLAYER[i] / 10;
            PLAYER[i].ARTLEVEL = TEAM.ARTPLAYER[i] % 10;
        } else {
            PLAYER[i].ARTIFAKT = 0;
            PLAYER[i].ARTLEVEL = 0;
        }
    }
}

}  // namespace korax

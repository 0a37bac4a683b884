#include "data/g_general.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/dospath.h"

namespace korax {

GENTYPE GEN{};
std::FILE* HISDAT = nullptr;
std::string HISNAME;
std::int16_t TAG = 0;
std::uint8_t HIN = 0;
bool LASTDAY = false;
ARR1<std::uint8_t, 1, 100> CODE{};

namespace {

// Reads exactly n bytes from fd; false on a failure or an early end of file.
bool readall(int fd, void* buf, std::size_t n) {
    auto* p = static_cast<unsigned char*>(buf);
    std::size_t got = 0;
    while (got < n) {
        ssize_t r = ::read(fd, p + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        got += static_cast<std::size_t>(r);
    }
    return true;
}

std::mt19937& randomsource() {
    static std::mt19937 rng{std::random_device{}()};
    return rng;
}

std::string hisname(int team, bool his) { return GAMEDIR + "TEAM" + std::to_string(team) + (his ? ".HIS" : ".HI"); }

// Only one history file is open at a time; a forgotten one is closed first so
// its handle is not lost.
void dropopenhis() {
    if (HISDAT) {
        std::fclose(HISDAT);
        HISDAT = nullptr;
    }
}

std::FILE* openhost(const std::string& dosname, const char* mode) {
    return std::fopen(HOSTPATH(dosname).c_str(), mode);
}

// 0: read; 1: open failed; 2: read failed or short; 9: close failed.
int readicon(const std::string& name, ICONREC& icon, std::string& fname) {
    fname = (name + ".RAW").substr(0, 12);
    int fd = ::open(HOSTPATH(fname).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 1;
    ICONREC tmp;
    bool ok = readall(fd, &tmp, sizeof tmp);
    if (::close(fd) != 0 && ok) return 9;
    if (!ok) return 2;
    icon = tmp;
    return 0;
}

}  // namespace

void READGEN() {
    const std::string fname = GAMEDIR + "GEN" + NUMMERSTR + ".DAT";
    int fd = ::open(HOSTPATH(fname).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ERROR(1, fname);
    // Read into a copy so a short file leaves the record of the last good read intact.
    GENTYPE tmp;
    if (!readall(fd, &tmp, sizeof tmp)) {
        ::close(fd);
        ERROR(2, fname + " " + std::to_string(sizeof(GENTYPE)));
    }
    if (::close(fd) != 0) ERROR(9, fname);
    GEN = tmp;
    TAG = SPIELTAG();
    HIN = GEN.HINRUNDE;
    LASTDAY = (SPIELTAG() == 18);
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& c : CODE) c = static_cast<std::uint8_t>(byte(randomsource()));
}

void OPENHIS(int team, bool neu, bool his) {
    dropopenhis();
    HISNAME = hisname(team, his);
    if (neu) {
        HISDAT = openhost(HISNAME, "wb");
        if (!HISDAT) ERROR(4, HISNAME);
        return;
    }
    HISDAT = openhost(HISNAME, "rb");
    if (HISDAT) return;
    std::FILE* f = openhost(HISNAME, "wb");
    if (!f) ERROR(4, HISNAME);
    if (std::fclose(f) != 0) ERROR(9, HISNAME);
    HISDAT = openhost(HISNAME, "rb");
    if (!HISDAT) ERROR(2, HISNAME);
}

bool READHIS(ERFOLGREC& line) {
    if (!HISDAT) return false;
    int c = std::fgetc(HISDAT);
    if (c == EOF) {
        if (std::ferror(HISDAT)) ERROR(2, HISNAME);
        return false;
    }
    std::string text;
    std::size_t length = 0;
    int last = 0;
    while (c != EOF && c != '\n') {
        // Only the start of the line is kept; the rest is skipped.
        if (text.size() < 41) text.push_back(static_cast<char>(c));
        ++length;
        last = c;
        c = std::fgetc(HISDAT);
    }
    if (c == EOF && std::ferror(HISDAT)) ERROR(2, HISNAME);
    if (last == '\r' && length <= text.size()) text.pop_back();
    line.set(std::string_view(text).substr(0, 40));
    return true;
}

void WRITEHIS(const ERFOLGREC& line) {
    if (!HISDAT) ERROR(4, HISNAME);
    std::string out = line.str() + "\r\n";
    if (std::fwrite(out.data(), 1, out.size(), HISDAT) != out.size()) ERROR(4, HISNAME);
}

void APPENDHIS(int team, const ERFOLGREC& line, bool his) {
    dropopenhis();
    HISNAME = hisname(team, his);
    HISDAT = openhost(HISNAME, "ab");
    if (!HISDAT) HISDAT = openhost(HISNAME, "wb");
    if (!HISDAT) ERROR(4, HISNAME);
    WRITEHIS(line);
}

void CLOSEHIS() {
    if (!HISDAT) return;
    std::FILE* f = HISDAT;
    HISDAT = nullptr;
    // Buffered lines reach the disk here; losing them must not pass silently.
    if (std::fclose(f) != 0) ERROR(9, HISNAME);
}

void READICON(const std::string& name, ICONREC& icon) {
    std::string fname;
    int nr = readicon(name, icon, fname);
    if (nr != 0) ERROR(nr, fname);
}

bool READICONTOL(const std::string& name, ICONREC& icon) {
    std::string fname;
    return readicon(name, icon, fname) == 0;
}

int SPIELPLANHALF(int spieltag) { return (spieltag >= 1 && spieltag <= 9) ? 1 : 0; }

bool PAARUNG(int spieltag, int k, SPIELPLANTYPE& out) {
    out = SPIELPLANTYPE{};
    if (spieltag < 1 || spieltag > 18 || k < 1 || k > 5) return false;
    const int day = spieltag <= 9 ? spieltag : spieltag - 9;
    out = GEN.SPIELPLAN[SPIELPLANHALF(spieltag)][day][k];
    return true;
}

void CHANGEICON(ICONREC& icon, int from, int to) {
    for (auto& row : icon.P)
        for (auto& p : row)
            if (p == from) p = static_cast<std::uint8_t>(to);
}

std::string GETICONNAME(int n) {
    static const char* const names[20] = {"ih1", "ih2", "ib1", "ib2", "is1", "is2", "im1",
                                          "im2", "ie1", "ie2", "ih3", "ih4", "ib3", "ib4",
                                          "is3", "is4", "im3", "im4", "ie3", "ie4"};
    if (n < 1 || n > 20) return {};
    return names[n - 1];
}

int INDICOLOR(int c) { return c; }

}  // namespace korax

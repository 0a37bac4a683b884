// Click windows, message splitting, the line editor's key handling and the run's
// private temporary directory. Drawing lives in framedraw.cpp and boxes.cpp.
#include "ui/frames.h"

#include "base/types.h"
#include "platform/paths.h"

namespace korax {

std::array<FENSTERREC, KLICKFENSTERANZ> KLICKFENSTER{};
std::int16_t MOUSEX = 0, MOUSEY = 0, OLDMOUSEX = 0, OLDMOUSEY = 0;
bool LB = false, RB = false;
bool DRAGDROP = false;
bool GLOBALBEENDEN = false;
std::string TMPDIR;

std::string TMPFILE(std::string_view name) {
    std::string dir = TMPDIR.empty() ? RUNTEMPDIR() : TMPDIR;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + std::string(name);
}

void CLEARKLICKFENSTER() {
    for (auto& f : KLICKFENSTER) f = FENSTERREC{};
}

void SETKLICKFENSTER(int n, int x1, int y1, int x2, int y2) {
    if (n < 0 || n >= KLICKFENSTERANZ) return;
    auto& f = KLICKFENSTER[static_cast<std::size_t>(n)];
    f.X1 = static_cast<std::int16_t>(x1);
    f.Y1 = static_cast<std::int16_t>(y1);
    f.X2 = static_cast<std::int16_t>(x2);
    f.Y2 = static_cast<std::int16_t>(y2);
    f.AKTIV = true;
}

void REFRESHFENSTER() {
    for (int n = 1; n <= 20; ++n) KLICKFENSTER[static_cast<std::size_t>(n)].AKTIV = false;
}

char KLICKKEY(int n) {
    if (n < 0) return 0;
    if (n <= 9) return static_cast<char>('0' + n);
    if (n <= 20) return static_cast<char>(n + 55);
    if (n <= 29) return static_cast<char>(n);
    if (n < KLICKFENSTERANZ) return static_cast<char>(n + 70);
    return 0;
}

int KLICKHIT(int x, int y) {
    for (int n = KLICKFENSTERANZ - 1; n >= 0; --n) {
        const auto& f = KLICKFENSTER[static_cast<std::size_t>(n)];
        if (f.AKTIV && x >= f.X1 && x <= f.X2 && y >= f.Y1 && y <= f.Y2) return n;
    }
    return -1;
}

std::string NOLINEBREAKS(std::string_view data) {
    std::string r(data);
    for (auto& c : r)
        if (c == '/') c = static_cast<char>(0xB3);  // a vertical bar that reads like "/"
    return r;
}

std::vector<std::string> MELDUNGLINES(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t slash = text.find('/', start);
        std::string_view piece = text.substr(start, slash == std::string_view::npos ? std::string_view::npos
                                                                                    : slash - start);
        lines.emplace_back(piece.substr(0, 70));
        if (lines.size() > 7) ERROR(99, "Intern - Meldung");
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    return lines;
}

int KONTEXTCOUNT(const std::array<std::string, 6>& e) {
    for (int i = 5; i >= 1; --i)
        if (!e[static_cast<std::size_t>(i)].empty()) return i;
    return 0;
}

namespace {

bool blank_at(const std::string& s, std::size_t pos) { return s[pos - 1] == ' '; }

}  // namespace

std::size_t LINEEDITKEY(LINEEDIT& e, char key, char key2) {
    std::string& s = e.s;
    const std::size_t len = s.size();
    if (key == 0) {
        switch (static_cast<unsigned char>(key2)) {
            case 71: e.cursor = 1; break;
            case 75: if (e.cursor > 1) --e.cursor; break;
            case 77: if (e.cursor <= len) ++e.cursor; break;
            case 79: e.cursor = len + 1; break;
            case 82: e.insert = !e.insert; break;
            case 83:
                if (e.cursor <= len) {
                    s.erase(e.cursor - 1, 1);
                    return e.cursor;
                }
                break;
            case 115: {
                std::size_t p = e.cursor;
                while (p > 1 && blank_at(s, p - 1)) --p;
                while (p > 1 && !blank_at(s, p - 1)) --p;
                e.cursor = p;
                break;
            }
            case 116: {
                std::size_t p = e.cursor;
                while (p <= len && !blank_at(s, p)) ++p;
                while (p <= len && blank_at(s, p)) ++p;
                e.cursor = p;
                break;
            }
            default: break;
        }
        return 0;
    }
    switch (key) {
        case 8:
            if (e.cursor == 1) return 0;
            --e.cursor;
            s.erase(e.cursor - 1, 1);
            return e.cursor;
        case 13:
            e.done = true;
            return 0;
        case 27:
            if (e.cursor == 1) return 0;
            s.clear();
            e.cursor = 1;
            return 1;
        case 31:
            return 0;
        default:
            break;
    }
    if (len >= e.maxlength) return 0;
    std::size_t at = e.cursor;
    if (e.insert || e.cursor > len) s.insert(e.cursor - 1, 1, key);
    else s[e.cursor - 1] = key;
    ++e.cursor;
    return at;
}

}  // namespace korax

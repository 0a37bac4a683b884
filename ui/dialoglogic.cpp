// The parts of the dialogs that need no screen: number arithmetic, help topics,
// help box placement, names, trimming, the string list.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>

#include "base/types.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "platform/memory.h"
#include "ui/dialogs.h"

namespace korax {

LISTSTORE* LISTE = nullptr;
int LISTENANZ = 0;

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::int64_t EDITCLAMP(std::int64_t v, std::int64_t min, std::int64_t max) {
    if (max < min) max = min;  // a range without values shows the single value min
    return std::clamp(v, min, max);
}

int EDITSLIDERFILL(std::int64_t v, std::int64_t min, std::int64_t max) {
    if (max - min < 1) return 200;
    v = EDITCLAMP(v, min, max);
    return static_cast<int>(ROUND(static_cast<double>(v - min) * 200.0 / static_cast<double>(max - min)));
}

std::int64_t EDITSLIDERVALUE(int dx, std::int64_t min, std::int64_t max) {
    if (max <= min) return min;
    dx = std::clamp(dx, 0, 200);
    return EDITCLAMP(min + ROUND(static_cast<double>(dx) * static_cast<double>(max - min) / 200.0), min, max);
}

bool EDITPARSE(std::string_view text, std::int64_t& v) {
    text = trimmed(text);
    if (text.empty()) return false;
    std::int64_t r = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), r);
    if (ec != std::errc() || p != text.data() + text.size()) return false;
    v = r;
    return true;
}

HELPTOPIC READHELPTOPIC(std::string_view filetext, int topic) {
    HELPTOPIC t;
    const std::string head = "<" + std::to_string(topic) + ">";
    bool inside = false;
    std::size_t i = 0;
    while (i < filetext.size()) {
        std::size_t nl = filetext.find('\n', i);
        std::size_t stop = nl == std::string_view::npos ? filetext.size() : nl;
        std::string_view line = filetext.substr(i, stop - i);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, 255);
        i = nl == std::string_view::npos ? filetext.size() : nl + 1;
        if (inside) {
            if (!line.empty() && line[0] == '<') break;
            t.lines.emplace_back(line);
        } else if (line.find(head) != std::string_view::npos) {
            inside = true;
            t.found = true;
        }
    }
    return t;
}

HELPBOX HELPBOXAT(int x, int y, int widthchars, int lines, int maxx, int maxy) {
    const int height = maxy + 1;
    const int w = widthchars * 8 + 40;
    const int h = lines * 15 + 70;
    HELPBOX b;
    x = std::min(x, maxx - 64);
    x = std::max(x, 10);
    y = std::min(y, height - 64);
    y = std::max(y, 10);
    b.x1 = x;
    b.y1 = y;
    b.x2 = x + w;
    b.y2 = std::min(y + h, height - 10);
    return b;
}

bool PLAINFILENAME(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 32 || c == 127 || c == '/' || c == '\\' || c == ':') return false;
    return true;
}

void NORMTEXT(std::string& s) { s = std::string(trimmed(s)); }

void NORMTEXT2(std::string& s) {
    std::size_t semi = s.find(';');
    if (semi != std::string::npos) s.erase(semi);
    NORMTEXT(s);
}

int IMTEAMNR(int slot) {
    for (int p = 1; p <= 5; ++p)
        if (TEAM.IMTEAM[p] == slot) return p;
    return 0;
}

namespace {

void pack() {
    char* packed = BIGALLOC(LISTEROOM);
    if (!packed) ERROR(8, L[440].str());
    std::size_t used = 0;
    for (std::size_t i = 1; i <= LISTEMAX; ++i) {
        std::memcpy(packed + used, LISTE->text + LISTE->from[i], LISTE->size[i]);
        LISTE->from[i] = static_cast<std::uint32_t>(used);
        used += LISTE->size[i];
    }
    BIGFREE(LISTE->text, LISTEROOM);
    LISTE->text = packed;
    LISTE->used = used;
}

}  // namespace

void LISTEINIT() {
    LISTECLOSE();
    try {
        LISTE = new LISTSTORE;
        LISTE->from.assign(LISTEMAX + 1, 0);
        LISTE->size.assign(LISTEMAX + 1, 0);
        LISTE->text = BIGALLOC(LISTEROOM);
        if (!LISTE->text) throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
        LISTECLOSE();
        ERROR(8, L[440].str());
    }
}

void LISTENEW(int i, std::string_view text) {
    if (!LISTE || i < 1 || i > LISTEMAX) return;
    text = text.substr(0, 255);
    const auto n = static_cast<std::size_t>(i);
    // A line rewritten no longer than before keeps its place; otherwise its text
    // goes to the end of the buffer. Only rewrites can fill it: the lines kept
    // always fit once packed together again.
    if (text.size() > LISTE->size[n]) {
        LISTE->size[n] = 0;
        if (LISTE->used + text.size() > LISTEROOM) pack();
        LISTE->from[n] = static_cast<std::uint32_t>(LISTE->used);
        LISTE->used += text.size();
    }
    std::memcpy(LISTE->text + LISTE->from[n], text.data(), text.size());
    LISTE->size[n] = static_cast<std::uint32_t>(text.size());
}

void LISTEGET(int i, std::string& text) {
    if (!LISTE || i < 1 || i > LISTEMAX) {
        text.clear();
        return;
    }
    const auto n = static_cast<std::size_t>(i);
    text.assign(LISTE->text + LISTE->from[n], LISTE->size[n]);
}

void LISTECLOSE() {
    if (LISTE) BIGFREE(LISTE->text, LISTEROOM);
    delete LISTE;
    LISTE = nullptr;
    LISTENANZ = 0;
}

}  // namespace korax

#include "platform/dospath.h"

namespace korax {

std::string DATEIDIR(std::string_view dir) {
    std::string d(dir);
    if (d.empty()) d = ".\\";
    if (d.back() != '\\' && d.back() != '/') d += '\\';
    return d;
}

std::vector<std::string> DATEILISTE(std::string_view dir, std::string_view mask) {
    std::vector<std::string> list{L[8].str().substr(0, 12)};
    for (auto& name : FINDFILES(DATEIDIR(dir), mask)) {
        if (list.size() >= 100) break;
        list.push_back(std::move(name));
    }
    return list;
}

}  // namespace korax

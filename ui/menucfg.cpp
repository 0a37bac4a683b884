// MENU.CFG: reading the menu codes, and swapping two entries when a button is dragged.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>

#include "base/types.h"
#include "data/g_tools.h"
#include "data/lg.h"
#include "platform/dospath.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

const char* const MENUFILE = "MENU.CFG";
const char* const MENUBACKUP = "MENU.SAV";

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}


}  // namespace

MENUCFG PARSEMENUCFG(std::string_view text) {
    MENUCFG cfg;
    for (const TEXTLINE& l : SPLITLINES(text)) {
        std::string_view s = l.text;
        if (s.empty() || s[0] == ';') continue;
        // " -" ends the fixed part although it is short; "-" alone has no second character.
        if (s.size() >= 2 && s[1] == '-') {
            cfg.festanz = static_cast<int>(cfg.codes.size());
            continue;
        }
        if (s.size() < 3) continue;
        // The program writes "code   ;label": the label is a comment for the reader.
        std::size_t semi = s.find(';');
        std::string_view num = trim(s.substr(0, semi));
        int code = 0;
        auto [p, ec] = std::from_chars(num.data(), num.data() + num.size(), code);
        if (num.empty() || ec != std::errc() || p != num.data() + num.size()) continue;
        // Codes label buttons and name language texts: only 0..255 fit a menu entry.
        if (code < 0 || code > 255) continue;
        if (cfg.codes.size() >= static_cast<std::size_t>(MENUMAX)) continue;
        cfg.codes.push_back(static_cast<std::uint8_t>(code));
    }
    return cfg;
}

void READMENUCFG() {
    std::ifstream in(HOSTPATH(MENUFILE), std::ios::binary);
    if (!in) ERROR(1, MENUFILE);
    // 99 entries fit in far less than 1 MiB; a larger file is read only that far.
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    if (length < 0 || !in) ERROR(2, MENUFILE);
    std::string text(static_cast<std::size_t>(std::min<std::streamoff>(length, 1u << 20)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) ERROR(2, MENUFILE);
    text.resize(static_cast<std::size_t>(in.gcount()));
    in.close();
    if (in.fail() && !in.eof()) ERROR(9, MENUFILE);
    MENUCFG cfg = PARSEMENUCFG(text);
    MENU.fill(0);
    MENUANZ = static_cast<int>(cfg.codes.size());
    for (int i = 0; i < MENUANZ; ++i) MENU[static_cast<std::size_t>(i + 1)] = cfg.codes[static_cast<std::size_t>(i)];
    FESTANZ = cfg.festanz;
}

void CHECKMENUCOUNTS() {
    if (MENUANZ <= ANZ) ERROR(18, L[18].str());
    if (FESTANZ == 0 || FESTANZ > ANZ - 3) ERROR(19, L[19].str());
}

std::string MENULINE(int code) {
    std::string n = std::to_string(code);
    if (n.size() < 3) n.insert(0, 3 - n.size(), ' ');
    std::string label = (code >= 0 && code < static_cast<int>(L.size())) ? L[static_cast<std::size_t>(code)].str() : "";
    return n + "   ;" + label;
}

std::string SWAPMENULINES(std::string_view text, int a, int b) {
    std::string head_a = MENULINE(a).substr(0, 3);
    std::string head_b = MENULINE(b).substr(0, 3);
    std::string out;
    out.reserve(text.size() + 160);
    for (const TEXTLINE& l : SPLITLINES(text)) {
        std::string_view s = l.text;
        if (s.substr(0, 3) == head_a) out += MENULINE(b);
        else if (s.substr(0, 3) == head_b) out += MENULINE(a);
        else out += s;
        out += l.end;
    }
    return out;
}

void VERTAUSCHEMENU(int a, int b) {
    if (a == b) return;
    // Without a backup nothing is touched.
    try {
        if (!COPYFILE(MENUFILE, MENUBACKUP)) return;
    } catch (const FatalError&) {
        return;
    }
    std::string text;
    if (!READWHOLEFILE(MENUBACKUP, text)) ERROR(2, MENUBACKUP);
    // MENU.CFG is replaced in one step, so a failure leaves the previous file in place.
    REWRITEFILE(MENUFILE, SWAPMENULINES(text, a, b), 4, 4, 9);
}

}  // namespace korax

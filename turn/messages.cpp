#include "turn/messages.h"

#include <algorithm>
#include <cstring>

namespace korax {

namespace {

constexpr std::size_t LONGROW = 62;
constexpr std::size_t QUOTEMAX = 80;

std::string rtrim(std::string_view s) {
    auto e = s.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

}  // namespace

std::vector<MSGTYPE> MSGRECORDS(std::string_view bytes) {
    std::vector<MSGTYPE> out(bytes.size() / sizeof(MSGTYPE));
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * sizeof(MSGTYPE));
    return out;
}

std::string SENDERNAME(std::string_view h) {
    constexpr std::size_t LEAD = 14;
    auto all = h.find("<*>");
    if (all != std::string_view::npos) {
        if (all < LEAD + 1) return {};
        return std::string(h.substr(LEAD, all - 1 - LEAD));
    }
    if (h.size() < LEAD + 4) return {};
    return std::string(h.substr(LEAD, h.size() - LEAD - 4));
}

int SENDERTEAM(std::string_view name, const std::array<std::string, 11>& teamnames) {
    if (name.empty()) return 0;
    for (int t = 1; t <= 10; ++t)
        if (teamnames[t] == name) return t;
    return 0;
}

MSGVIEW VIEWMSG(const MSGTYPE& m) {
    MSGVIEW v;
    std::string first = m.LINE[0].str();
    std::size_t marks = 0;
    while (marks < first.size() && static_cast<unsigned char>(first[marks]) == MSGTITLEMARK) ++marks;
    v.titled = marks > 0;
    first.erase(0, marks);
    int from = 1;
    if (first.rfind("***", 0) == 0) {
        v.kind = MSGKIND::TRAINER;
        v.header = first;
        v.toall = first.find("<*>") != std::string::npos;
        v.sender = SENDERNAME(first);
        from = 2;
    } else if (first.rfind("*", 0) == 0) {
        v.kind = MSGKIND::NOTICE;
        first.erase(0, 1);
    }
    for (int i = from; i <= MSGSHOWN; ++i) v.lines.push_back(i == 1 ? first : m.LINE[i - 1].str());
    return v;
}

std::vector<std::string> MSGROWS(std::string_view line) {
    std::vector<std::string> rows;
    std::string rest = rtrim(line);
    while (!rest.empty()) {
        std::string part;
        auto brk = rest.find(static_cast<char>(MSGBREAK));
        if (brk != std::string::npos) {
            part = rest.substr(0, brk);
            rest = rest.substr(brk + 1);
        } else {
            part = rest;
            rest.clear();
        }
        // Long parts: at the last blank at positions 40..21, else after 20 characters.
        while (part.size() > LONGROW) {
            std::size_t cut = 20, skip = 0;
            for (std::size_t p = 40; p >= 21; --p)
                if (part[p - 1] == ' ') {
                    cut = p - 1;
                    skip = 1;
                    break;
                }
            std::string head = part.substr(0, cut);
            if (!head.empty()) rows.push_back(head);
            part = part.substr(cut + skip);
        }
        if (!part.empty()) rows.push_back(part);
    }
    return rows;
}

std::vector<MSGRUN> MSGRUNS(std::string_view row, bool& highlight) {
    std::vector<MSGRUN> runs;
    std::string cur;
    for (char c : row) {
        if (c == '#' || c == '^') {
            if (!cur.empty()) runs.push_back({cur, highlight});
            cur.clear();
            highlight = !highlight;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) runs.push_back({cur, highlight});
    return runs;
}

int SETLEFTX(int widest, int xm1, int xmc) { return std::max(xmc - widest / 2, xm1 + 20); }

namespace {
double barstep(int c) { return std::max(1.0, 100.0 / std::max(c, 1)); }
}  // namespace

std::vector<int> BARTICKS(int c, int bar_left) {
    std::vector<int> x;
    const double step = barstep(c);
    for (int i = 0; i <= std::max(c, 0); ++i)
        x.push_back(std::min<int>(bar_left + static_cast<int>(ROUND(i * step)), bar_left + 100));
    return x;
}

int BARMARK(int m, int c, int bar_left) {
    if (c >= 20) return -1;
    const double step = barstep(c);
    return bar_left + static_cast<int>(ROUND(((m - 1) * step + m * step) / 2)) + 1;
}

int BARPICK(int x, int c, int bar_left) {
    if (c < 1) return 1;
    const int m = static_cast<int>((x - bar_left) / barstep(c)) + 1;
    return std::clamp(m, 1, c);
}

std::string ADDRESSLINE(int t, std::string_view teamname, std::string_view text263) {
    if (t < 1 || t > 10) return "<*> " + std::string(text263);
    return "<" + std::to_string(t) + "> " + std::string(teamname);
}

std::vector<std::string> REPLYLINES(const MSGVIEW& v, int sender, std::string_view teamname,
                                    std::string_view trainername, std::string_view text273) {
    std::vector<std::string> out;
    if (v.kind != MSGKIND::TRAINER || sender < 1 || sender > 10) return out;
    out.push_back(v.toall ? std::string("<*> to ALL") : ADDRESSLINE(sender, teamname, ""));
    out.emplace_back(text273);
    const std::string prefix = std::string(" ") + (trainername.empty() ? ' ' : trainername[0]) + "> ";
    for (const std::string& line : v.lines) {
        if (line.empty()) continue;
        std::string rest = line;
        // A quote must stay within the turn's 80-character lines.
        while (prefix.size() + rest.size() > QUOTEMAX) {
            const std::size_t room = QUOTEMAX - prefix.size();
            std::size_t cut = rest.rfind(' ', room);
            if (cut == std::string::npos || cut == 0) cut = room;
            out.push_back(prefix + rest.substr(0, cut));
            rest = rest.substr(cut);
            if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        }
        if (!rest.empty()) out.push_back(prefix + rest);
    }
    return out;
}

std::string APPENDLINES(std::string_view existing, const std::vector<std::string>& lines) {
    std::string out;
    if (!existing.empty() && existing.back() != '\n') out += "\r\n";
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

std::vector<std::string> ADDRESSEES(std::string_view text, const std::array<std::string, 11>& teamnames,
                                    std::string_view text263) {
    std::vector<std::string> out;
    for (const TEXTLINE& l : SPLITLINES(text)) {
        if (out.size() == 10) break;
        std::string_view s = l.text;
        if (s.empty() || s[0] != '<') continue;
        auto close = s.find('>');
        if (close == std::string_view::npos) continue;
        std::string_view inner = s.substr(1, close - 1);
        if (inner == "*") {
            out.push_back("* " + std::string(text263) + " *");
            continue;
        }
        if (inner.empty() || inner.size() > 2 || !std::all_of(inner.begin(), inner.end(), ::isdigit)) continue;
        const int t = std::stoi(std::string(inner));
        if (t >= 1 && t <= 10) out.push_back(teamnames[t]);
    }
    return out;
}

}  // namespace korax

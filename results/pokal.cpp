#include "results/pokal.h"

#include <sstream>

#include "base/types.h"
#include "data/g_tools.h"
#include "data/g_types.h"

namespace korax {

std::int16_t POKALTAG = -1;
std::string POKALRUNDE;
std::string POKALNAME;
std::string POKALGEGNER;
bool POKALFIRST = false;
bool NEWPOKAL = false;
std::string QUICKNAME;

namespace {

std::string announcement() { return GAMEDIR + "POKAL" + NUMMERSTR + ".DAT"; }

}  // namespace

void READPOKAL() {
    POKALTAG = -1;
    POKALGEGNER.clear();
    POKALNAME.clear();
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
    if (POKALFIRST) WRITEPOKAL(POKALTAG);
}

void WRITEPOKAL(std::int16_t tag) {
    POKALTAG = tag;
    REWRITEFILE(announcement(), std::to_string(tag) + "\r\n" + POKALRUNDE + "\r\n" + POKALNAME + "\r\n" + POKALGEGNER + "\r\n");
}

}  // namespace korax

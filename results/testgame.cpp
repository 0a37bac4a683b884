#include "results/testgame.h"

#include <iostream>
#include <string>

#include "base/state.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/htime.h"
#include "results/pokal.h"
#include "ui/frames.h"

namespace korax {

VGRRUN VGRAUFRUF;

std::string VGRARGUMENTE(const VGRLINE& v) {
    const std::string s = std::to_string(v.seed), n = std::to_string(v.nummer);
    std::string a;
    if (v.which == 0) {
        if (v.pairing.HEIM == v.nummer) a = s + " " + n + " " + std::to_string(v.pairing.GAST) + " 1";
        else a = s + " " + std::to_string(v.pairing.HEIM) + " " + n + " 0";
    } else if (v.which < 0) {
        a = s + " 0 0 " + n;
    } else {
        a = std::to_string(v.which) + " " + n + " 0 1";
    }
    a += v.cup ? " !-" : " !*";
    a += " " + std::to_string(v.anpassung);
    a += v.leise ? " 0" : " 1";
    if (!v.quickname.empty()) a += " " + v.quickname;
    return v.gamedir + " " + a;
}

std::string VGRPROGRAMM(std::int16_t version) { return "VGR" + std::to_string(version) + ".MOD"; }

std::int16_t READVGRVERSION() {
    std::string name1, name2;
    std::int16_t nr = 6;
    GETGAMENAME(GAMEDIR + "GAME" + NUMMERSTR + ".DAT", name1, name2, nr);
    return nr;
}

void TESTGAME(std::int16_t which, bool cup) {
    const std::int16_t version = which > 0 ? 6 : READVGRVERSION();
    STARTETIME("VGR.TMP");
    VGRLINE v;
    v.which = which;
    v.cup = cup;
    v.seed = GEN.SEED;
    v.nummer = NUMMER;
    v.anpassung = ANPASSUNG;
    v.leise = LEISE;
    v.quickname = QUICKNAME;
    v.gamedir = GAMEDIR;
    if (which == 0) {
        bool found = false;
        for (int i = 1; i <= 5 && !found; ++i) {
            SPIELPLANTYPE p{};
            found = PAARUNG(GEN.TURN >= 1 && GEN.TURN <= 9 ? SPIELTAG() : 0, i, p) && (p.HEIM == NUMMER || p.GAST == NUMMER);
            if (found) v.pairing = p;
        }
        if (!found) ERROR(98, "Teams not found");
    } else if (which > 0) {
        TEAM.TRAINING.VGRANZAHL = static_cast<std::uint16_t>(TEAM.TRAINING.VGRANZAHL + 1);
        WRITETEAM(NUMMER, TEAM);
    }
    VGRAUFRUF = {VGRPROGRAMM(version), VGRARGUMENTE(v)};
    if (TESTMODE) {
        std::cout << "[" << VGRAUFRUF.argumente << "] weiter mit RETURN" << std::endl;
        std::string line;
        std::getline(std::cin, line);
    }
    MELDUNG(L[2].str());
}

}  // namespace korax

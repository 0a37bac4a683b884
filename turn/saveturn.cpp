#include "turn/saveturn.h"

#include <sys/statvfs.h>

#include <cstring>

#include "base/types.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/lg.h"
#include "graph/emumouse.h"
#include "platform/cp437.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "ui/frames.h"

namespace korax {

std::string TRNNAME;
std::vector<std::string> TRNFILES;

namespace {

bool cupday() { return SPIELTAG() == POKALTAG; }

template <typename R>
std::string bytes(const R& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof(R));
}

// The player record of squad slot `slot` as the game master reads it: the player's
// number in place of the team, and the check value of the record as written.
std::string turnplayer(int slot) {
    PLAYERREC p = PLAYER[slot];
    p.TEAM = TEAM.PLAYERS[slot];
    p.PRUEF = PLAYERPRUEF(p);
    return bytes(p);
}

std::string emblem() {
    const std::string own = GAMEDIR + "TEAM" + NUMMERSTR + ".PCX";
    std::string pic;
    if (!READWHOLEFILE(own, pic) && !READWHOLEFILE("TEAM0.PCX", pic)) ERROR(1, own);
    if (pic.size() > EMBLEMMAX) pic.resize(EMBLEMMAX);
    const std::int16_t len = static_cast<std::int16_t>(pic.size());
    return bytes(len) + pic;
}

// The trainer's message text: every line cut to 80 characters and ended by CR LF.
// A text that came back from an editor in UTF-8 is sent in code page 437.
std::string messagetail() {
    std::string text;
    if (!READWHOLEFILE(FMSG, text)) ERROR(1, FMSG);
    if (LOOKS_LIKE_UTF8(text)) text = UTF8_TO_CP437(text);
    std::string out;
    for (const TEXTLINE& line : SPLITLINES(text)) out += std::string(line.text.substr(0, 80)) + "\r\n";
    return out;
}

std::string historytail() {
    std::string out;
    OPENHIS(NUMMER, false, false);
    for (int i = 0; i < TEAM.ERFOLGE; ++i) {
        ERFOLGREC line;  // an empty, zero-filled line once the file has no more
        READHIS(line);
        ERFOLGREC clean = ERFOLGREC::of(line.str());
        out += bytes(clean);
    }
    CLOSEHIS();
    return out;
}

}  // namespace

std::uint16_t TEAMCHECK(const TEAMREC& t, std::int16_t turn) {
    std::uint16_t c = TEAMCHECKSTART;
    const auto* b = reinterpret_cast<const unsigned char*>(&t);
    for (std::size_t i = 0; i < sizeof t; ++i) c = static_cast<std::uint16_t>(c + b[i]);
    return static_cast<std::uint16_t>(c ^ static_cast<std::uint16_t>(turn + 84));
}

std::uint8_t DRIVEBYTE() {
    struct statvfs st;
    if (::statvfs(".", &st) != 0) return 0;
    const auto size = static_cast<std::uint32_t>(static_cast<std::uint64_t>(st.f_blocks) * st.f_frsize);
    return static_cast<std::uint8_t>((size & 0xFF) + ((size >> 8) & 0xFF) + ((size >> 16) & 0xFF) + (size >> 24));
}

std::string TURNBASENAME() {
    auto name = SAFENAME(GEN.RSZNAME.str(), 8);
    return name ? *name : "TEAM" + NUMMERSTR;
}

void SAVETRN(bool pokal, std::uint8_t system) {
    if (LASTDAY && TEAM.LIZENZ == 0 && !pokal) return;
    // Every slot of the cup line-up must hold a player before anything is written.
    if (pokal)
        for (int j = 1; j <= 5; ++j)
            if (!BELEGT.in(TEAM.IMTEAM[j]) || !BELEGT[TEAM.IMTEAM[j]]) ERROR(99, "PokalTRN: Playernumber");

    // The last component only: the game master sends it back as a plain name.
    if (!GAMEDIR.empty()) TEAM.GAMEDIR.set(GAMEDIRNAME(GAMEDIR));
    const std::uint16_t check = TEAMCHECK(TEAM, GEN.TURN);
    CODE[1] = static_cast<std::uint8_t>(check & 0xFF);
    CODE[2] = static_cast<std::uint8_t>(check >> 8);
    CODE[3] = system;
    CODE[4] = DRIVEBYTE();
    CODE[6] = 20;
    CODE[90] = 2;
    CODE[91] = 0;
    CODE[95] = 2;

    std::string name;
    if (pokal) {
        auto cup = SAFENAME(POKALNAME, 8);
        if (!cup) POKALNAME = "POKAL" + NUMMERSTR;
        name = POKALNAME + ".TRN";
    } else {
        name = TURNBASENAME() + (LASTDAY ? ".END" : ".TRN");
    }

    const std::int16_t day = SPIELTAG();
    std::string out = bytes(day) + bytes(CODE) + bytes(TEAM);
    const bool withemblem = pokal || TEAM.SYMBOLVER[NUMMER] > GEN.TSYMVER[NUMMER] ||
                            (LASTDAY && TEAM.SYMBOLVER[NUMMER] > 0);
    if (withemblem) out += emblem();
    if (!pokal && !LASTDAY) {
        out += messagetail();
    } else {
        out += historytail();
        if (pokal) {
            for (int j = 1; j <= 5; ++j) out += turnplayer(TEAM.IMTEAM[j]);
        } else {
            for (int i = 1; i <= 10; ++i)
                if (BELEGT[i] && PLAYER[i].VERFASSUNG > 0 && TEAM.TRANSFER[i] == 1) out += turnplayer(i);
        }
    }
    REWRITEFILE(GAMEDIR + name, out);
}

void SAVETURN() {
    if (cupday()) TEAM.POKALFLAG = 1;
    if (LASTDAY && TEAM.STADION.ERWEITERUNG != 0) {
        EHIDEMOUSE();
        MELDUNG(L[597].str());
        ENDPROGRAM(1);
    }
    TRNFILES.clear();
    SAVETRN(false, SYSTEMKENNUNG);
    TRNNAME = (TURNBASENAME() + ".TRN").substr(0, 12);
    // The league turn carries the messages and the weekly settings: on a cup day
    // it goes out beside the cup turn. The last day without a licence writes none.
    const bool league = !(LASTDAY && TEAM.LIZENZ == 0);
    const std::string leaguename = TURNBASENAME() + (LASTDAY ? ".END" : ".TRN");
    if (cupday()) {
        SAVETRN(true, SYSTEMKENNUNG);
        TRNNAME = (POKALNAME + ".TRN").substr(0, 12);
        TRNFILES.push_back(POKALNAME + ".TRN");
    }
    if (league) TRNFILES.push_back(leaguename);
    if (LASTDAY && TEAM.LIZENZ > 0 && !cupday()) TRNNAME = TRNNAME.substr(0, TRNNAME.size() - 3) + "END";
}

}  // namespace korax

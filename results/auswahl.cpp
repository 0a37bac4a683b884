#include "results/auswahl.h"

#include <algorithm>
#include <functional>
#include <string>

#include "adviser/adviser.h"
#include "base/state.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/lineup.h"
#include "management/mscreen.h"
#include "results/pokal.h"
#include "results/testgame.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

constexpr int SCREEN_AUSWAHL = 103;
constexpr int ROWTOP = 110, ROWSTEP = 20;
constexpr int FREEWINDOW = 19;  // answers "J"
constexpr int FREEMATCH = 19;   // what WAEHLSPIELTAG gives for the free match

// The buttons of the screen: click window (= key), top edge, width, placing, text.
enum class PLATZ { LINKS, RECHTS, MITTE };
struct AUSWAHLKNOPF {
    int n;
    int y;
    int width;
    PLATZ platz;
    int text;  // after 500 + mode; 200 stands alone
};
constexpr AUSWAHLKNOPF KNOEPFE[] = {
    {2, 182, 200, PLATZ::LINKS, 202},
    {3, 182, 200, PLATZ::RECHTS, 203},
    {4, 282, 200, PLATZ::MITTE, 201},
    {5, 402, 240, PLATZ::MITTE, 200},
};
constexpr int KNOPFHOEHE = 50;

bool offered(int n, std::uint8_t mode) {
    switch (n) {
    case 2:
    case 3: return GEN.TURN > 0;
    case 4: return POKALTAG >= 0;
    case 5: return mode == 0;
    default: return false;
    }
}

std::string title(std::uint8_t mode, int text) {
    return text == 200 ? L[200].str() : L[500 + mode].str() + L[text].str();
}

// Match days with a result so far, within the season.
int letzter_tag() { return std::clamp<int>(SPIELTAG(), 0, 18); }

std::string teamname(int t) { return t >= 1 && t <= 10 ? TEAMNAME[t].str() : std::string(); }

std::string paarungszeile(const SPIELPLANTYPE& p) {
    return teamname(p.HEIM) + " - " + teamname(p.GAST) + "   " + std::to_string(p.HWERT) + ":" +
           std::to_string(p.GWERT);
}

void zeile(int n, int x1, int x2, int y, int colour, const std::string& text) {
    SETKLICKFENSTER(n, x1, y, x2, y + ROWSTEP - 2);
    DEFAULTTEXT();
    ESETCOLOR(colour);
    EOUTTEXTXY(x1 + 4, y + 2, text);
}

std::string tagnummer(int d) {
    const std::string s = std::to_string(d) + ".";
    return std::string(s.size() < 3 ? 3 - s.size() : 0, ' ') + s;
}

void listenkopf(std::uint8_t mode, int text) {
    CLEAROBERFLAECHE();
    REFRESHFENSTER();
    HEADER(L[500 + mode].str() + L[text].str());
}

// The loop of a nested list: the key that chose, or 0 when the list was left
// (Escape, "R", a menu button, or a cancelling key).
// `gilt` answers 1 for a key that chooses, -1 for one that cancels, 0 to ignore it.
unsigned char listenschleife(const std::function<void()>& aufbau, const std::function<int(unsigned char)>& gilt) {
    aufbau();
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) {
            if (KEY == 'R') KEY = 27;
            return 0;
        }
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') {
            HELP(SCREEN_AUSWAHL);
            aufbau();
            continue;
        }
        switch (gilt(KEY)) {
        case 1: return KEY;
        case -1: KEY = 27; return 0;  // cancelled
        default: break;
        }
    }
}

// Own league matches by day; the chosen file or "".
std::string WAEHLSPIEL(std::uint8_t mode) {
    const int last = letzter_tag();
    auto aufbau = [&] {
        listenkopf(mode, 202);
        for (int d = 1; d <= last; ++d) {
            SPIELPLANTYPE own{};
            for (int i = 1; i <= 5; ++i) {
                SPIELPLANTYPE p{};
                if (PAARUNG(d, i, p) && (p.HEIM == NUMMER || p.GAST == NUMMER)) own = p;
            }
            const std::string text = own.HEIM || own.GAST ? paarungszeile(own) : std::string();
            zeile(d, XM1 + 40, XM2 - 40, ROWTOP + (d - 1) * ROWSTEP, 15, tagnummer(d) + "  " + text);
        }
    };
    const unsigned char k = listenschleife(aufbau, [&](unsigned char key) {
        const int d = TAGKEY(key);
        if (d == 0) return 0;
        if (d > last) {
            BEEP(3);
            return -1;
        }
        return 1;
    });
    return k ? SPIELDATEI(TAGKEY(k)) : std::string();
}

// A day with further matches (1..18), the free match (FREEMATCH) or 0.
int WAEHLSPIELTAG(std::uint8_t mode) {
    const int last = letzter_tag();
    auto aufbau = [&] {
        listenkopf(mode, 203);
        for (int d = 1; d <= last; ++d) {
            const int count = WEITERESPIELE(d);
            zeile(d, XM1 + 40, XM2 - 40, ROWTOP + (d - 1) * ROWSTEP, count > 0 ? 13 : 15,
                  tagnummer(d) + " " + L[11].str() + ": " + std::to_string(count) + " " + L[595].str());
        }
        const int y = ROWTOP + std::max(last, 1) * ROWSTEP + 20;
        FENSTER(FREEWINDOW, XMC - 150, y, XMC + 150, y + 40, L[204].str(), 1);
    };
    const unsigned char k = listenschleife(aufbau, [&](unsigned char key) {
        if (key == 'J') return 1;
        const int d = TAGKEY(key);
        if (d == 0) return 0;
        if (d > last) {
            BEEP(3);
            return -1;
        }
        return WEITERESPIELE(d) > 0 ? 1 : -1;
    });
    if (k == 'J') return FREEMATCH;
    return k ? TAGKEY(k) : 0;
}

// Further matches of day d; the chosen file or "".
std::string WAEHLANDERE(std::uint8_t mode, int d) {
    auto aufbau = [&] {
        listenkopf(mode, 203);
        DEFAULTTEXT();
        ESETCOLOR(14);
        EOUTTEXTXY(XM1 + 40, ROWTOP, std::to_string(d) + ". " + L[11].str());
        int row = 2;
        for (int i = 1; i <= 5; ++i) {
            if (!FILECHECK(GAMEDIR + ANDEREDATEI(d, i))) continue;
            SPIELPLANTYPE p{};
            PAARUNG(d, i, p);
            zeile(i, XM1 + 40, XM2 - 40, ROWTOP + row++ * ROWSTEP, 15, std::to_string(i) + ".  " + paarungszeile(p));
        }
    };
    const unsigned char k = listenschleife(aufbau, [&](unsigned char key) {
        return key >= '1' && key <= '5' && FILECHECK(GAMEDIR + ANDEREDATEI(d, key - '0')) ? 1 : 0;
    });
    return k ? ANDEREDATEI(d, k - '0') : std::string();
}

// Cup matches; the chosen file or "".
std::string WAEHLPOKAL(std::uint8_t mode) {
    const int count = POKALSPIELE();
    auto aufbau = [&] {
        listenkopf(mode, 201);
        for (int k = 1; k <= count; ++k) {
            std::string a, b;
            std::int16_t nr = 0;
            GETGAMENAME(GAMEDIR + POKALDATEI(k), a, b, nr);
            const char key = k <= 9 ? char('0' + k) : char('A' + k - 10);
            const int y = ROWTOP + (k - 1) * ROWSTEP;
            if (k <= 20) zeile(k, XM1 + 40, XM2 - 40, y, 15, std::string(1, key) + ".  " + a + " - " + b);
            else {  // beyond the click windows: the key alone
                DEFAULTTEXT();
                ESETCOLOR(15);
                EOUTTEXTXY(XM1 + 44, y + 2, std::string(1, key) + ".  " + a + " - " + b);
            }
        }
    };
    const unsigned char k = listenschleife(aufbau, [&](unsigned char key) {
        const int p = POKALKEY(key);
        return p >= 1 && p <= count ? 1 : 0;
    });
    return k ? POKALDATEI(POKALKEY(k)) : std::string();
}

// The chosen match made ready: copied for the viewer (mode 0) or its tactics
// imported (mode > 0).
bool nimm(std::uint8_t mode, const std::string& file, const std::string& replay) {
    if (mode == 0) return SPIELKOPIE(file, replay);
    if (IMPORTSCHEMA(GAMEDIR + file, mode == 2)) return true;
    MELDUNG(L[418].str() + " " + NOLINEBREAKS(file));
    return false;
}

void AUFBAU(std::uint8_t mode) {
    CLEAROBERFLAECHE();
    REFRESHFENSTER();  // the rows of a list left behind
    HEADER(mode == 0 ? L[SCREEN_AUSWAHL].str() : L[500 + mode].str());
    const int w = (XM2 - XM1) / 3 - 30;
    for (const auto& k : KNOEPFE) {
        if (!offered(k.n, mode)) continue;
        const int x = k.platz == PLATZ::LINKS ? XM1 + w : k.platz == PLATZ::RECHTS ? XM2 - w : XMC;
        FENSTER(k.n, x - k.width / 2, k.y, x + k.width / 2, k.y + KNOPFHOEHE, title(mode, k.text), 1);
    }
}

}  // namespace

std::string SPIELDATEI(int day) { return "GAME" + NUMMERSTR + "." + std::to_string(day); }
std::string ANDEREDATEI(int day, int pairing) { return SPIELDATEI(day) + char('A' + pairing - 1); }
std::string POKALDATEI(int k) { return "GAME" + NUMMERSTR + ".P" + std::to_string(k); }
std::string QUICKDATEI(const std::string& matchfile) {
    return matchfile.rfind("GAME", 0) == 0 ? "QUICK" + matchfile.substr(4) : matchfile;
}

int TAGKEY(unsigned char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key >= 'A' && key <= 'I') return key - 'A' + 10;
    return 0;
}

int POKALKEY(unsigned char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key >= 'A' && key < 'A' + POKALLISTE - 9) return key - 'A' + 10;
    return 0;
}

int WEITERESPIELE(int day) {
    int n = 0;
    for (int i = 1; i <= 5; ++i)
        if (FILECHECK(GAMEDIR + ANDEREDATEI(day, i))) ++n;
    return n;
}

int POKALSPIELE() {
    int k = 0;
    while (k < POKALLISTE && FILECHECK(GAMEDIR + POKALDATEI(k + 1))) ++k;
    return k;
}

bool SPIELKOPIE(const std::string& matchfile, const std::string& replayfile) {
    if (!COPYFILE(GAMEDIR + matchfile, GAMEDIR + "GAME" + NUMMERSTR + ".DAT")) {
        MELDUNG(L[418].str() + " " + NOLINEBREAKS(matchfile));
        return false;
    }
    const std::string quick = GAMEDIR + "QUICK" + NUMMERSTR + ".DAT";
    DELETEFILE(quick);
    QUICKNAME = COPYFILE(GAMEDIR + replayfile, quick) ? std::string() : GAMEDIR + replayfile;
    return true;
}

void AUSWAHLGAME(std::uint8_t mode) {
    if (ADVISER.silence) ADVISER.silence();
    AUFBAU(mode);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        const unsigned char key = KEY;
        if (key == '0') {
            HELP(SCREEN_AUSWAHL);
        } else if (key >= '2' && key <= '5' && offered(key - '0', mode)) {
            std::string file, replay;
            std::int16_t which = 0;
            if (key == '2') {
                file = WAEHLSPIEL(mode);
            } else if (key == '3') {
                const int d = WAEHLSPIELTAG(mode);
                if (d == FREEMATCH) {
                    file = "GAME.TMP";
                    replay = "QUICK.TMP";
                    which = -1;
                } else if (d > 0) {
                    file = WAEHLANDERE(mode, d);
                }
            } else if (key == '4') {
                file = WAEHLPOKAL(mode);
                which = -1;
            } else {
                bool leave = false;
                SETVPREIS(leave);
                if (leave) return;
            }
            if (KEY >= 100) return;  // a menu button in a list
            if (!file.empty()) {
                if (replay.empty()) replay = QUICKDATEI(file);
                if (nimm(mode, file, replay)) {
                    if (mode > 0) {
                        KEY = 0;
                        return;
                    }
                    TESTGAME(which, false);
                }
            }
        } else {
            continue;
        }
        AUFBAU(mode);
    }
    if (KEY == 'R') KEY = 27;
}

}  // namespace korax

// The slave market: cards of the offered slaves above the squad bar. A click on a
// card bids, a right click shows the slave's card; a click on an own player takes
// a transfer decision or takes it back. Gold is booked at once (marketrules).
#include "management/market.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "adviser/adviser.h"
#include "base/state.h"
#include "base/types.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/htime.h"
#include "management/mscreen.h"
#include "management/pendant.h"
#include "management/screens.h"
#include "management/zoomplayer.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

SKLAVENMARKTDATEN MARKT{};

namespace {

constexpr int SCREEN_MARKT = 104;
constexpr int HELP_ZIEL = 210;
constexpr int KARTENOBEN = 88;
constexpr int KARTENUNTEN = 448;
constexpr int KARTENWEITE = 137;
constexpr int ERSTEKARTE = 11;    // windows 11..17, keys "B".."H"
constexpr int RECHTSFENSTER = 18;  // key "I"
constexpr int LINKSFENSTER = 19;   // key "J"
constexpr int ICONFARBE = 251;    // the icons' background while the market is open

// Destination chooser: the two windows on the left, the teams on the right.
constexpr int FREIFENSTER = 17;    // key "H"
constexpr int PREISFENSTER = 18;   // key "I"

void text(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

std::string name_of(const PLAYERREC& p) { return NOLINEBREAKS(p.NAME.str()); }

int kartenx(int c) { return XM1 + 5 + (c - 1) * KARTENBREITE; }

// One attribute row: bar and value; the condition coloured by its level.
void attribut(int x, int y, int label, int v, int colour) {
    DEFAULTTEXT2();
    text(x + 4, y, 0, L[label].str().substr(0, 3));
    const int len = std::clamp(v, 0, 100) * 60 / 100;
    ESETFILLSTYLE(1, 8);
    EBAR(x + 36, y - 4, x + 96, y + 4);
    if (len > 0) {
        ESETFILLSTYLE(1, colour);
        EBAR(x + 36, y - 4, x + 35 + len, y + 4);
    }
    text(x + 100, y, 15, WW10(v));
}

void karte(int c) {
    const int i = MARKT.erste + c;
    const int x = kartenx(c), n = ERSTEKARTE + c - 1;
    const SKLAVENLOT& l = MARKT.lot[i];
    if (!l.belegt) {
        FENSTER(n, x, KARTENOBEN, x + KARTENWEITE, KARTENUNTEN, "", -2, 7);
        return;
    }
    FENSTER(n, x, KARTENOBEN, x + KARTENWEITE, KARTENUNTEN, "", -1, 7);
    const PLAYERREC& p = l.p;
    RACEBILD(p.RACE, x + 20, KARTENOBEN + 6);
    if (p.ARTIFAKT > 0) ECIRCLEFILL(x + 124, KARTENOBEN + 14, 6, PENDANTCOLOR(p.ARTIFAKT));
    const int xc = x + KARTENWEITE / 2;
    int y = KARTENOBEN + 116;
    ESETTEXTSTYLE(1, 0, 1);
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    text(xc, y, 15, p.NAME.str());
    y += 20;
    const std::string preis = "$" + std::to_string(l.preis);
    text(xc + 1, y + 1, 6, preis);
    text(xc, y, 14, preis);
    y += 18;
    ESETTEXTSTYLE(0, 0, 1);
    if (l.team > 0) text(xc, y, 14, "$" + std::to_string(PLAYERWERT(p)) + " ->Team " + std::to_string(l.team));
    else text(xc, y, 3, GETRACENAME(p.RACE).str());
    y += 16;
    if (TEAM.ANGEBOT[i] > 0) text(xc, y, 4, "$" + std::to_string(static_cast<int>(TEAM.ANGEBOT[i])));
    y += 20;
    const int vc = p.VERFASSUNG >= 50 ? 15 : p.VERFASSUNG >= 30 ? 14 : 4;
    const int werte[7][3] = {{29, p.INTELLIGENZ, 13}, {30, p.SCHNELLIGKEIT, 12}, {31, p.AUSDAUER, 11},
                             {32, p.KOERPERKRAFT, 9},  {33, p.GESCHICKLICHKEIT, 10}, {34, p.MOTIVATION, 6},
                             {35, p.VERFASSUNG, vc}};
    for (const auto& w : werte) {
        attribut(x, y, w[0], w[1], w[2]);
        y += 14;
    }
    DEFAULTTEXT2();
    y += 4;
    text(x + 6, y, 15, "Saison: " + std::to_string(static_cast<int>(p.SAISON)));
    y += 16;
    text(x + 6, y, 12, std::string(static_cast<std::size_t>(l.kreuze), 'x'));
    ESETTEXTJUSTIFY(CENTERTEXT, CENTERTEXT);
    text(xc, KARTENUNTEN - 12, 0, "<" + std::to_string(i) + "/" + std::to_string(MARKT.anzahl) + ">");
    DEFAULTTEXT();
}

void pfeile(bool rechtsgedrueckt, bool linksgedrueckt) {
    const int x = kartenx(MARKT.sichtbar + 1);
    PICTURE(x, KARTENOBEN, linksgedrueckt ? "bu_l" : "bu-l");
    SETKLICKFENSTER(LINKSFENSTER, x, KARTENOBEN, x + 23, KARTENOBEN + 23);
    PICTURE(x, KARTENOBEN + 30, rechtsgedrueckt ? "bu_r" : "bu-r");
    SETKLICKFENSTER(RECHTSFENSTER, x, KARTENOBEN + 30, x + 23, KARTENOBEN + 53);
}

void AUFBAU() {
    CLEAROBERFLAECHE();
    REFRESHFENSTER();
    HEADER(L[SCREEN_MARKT].str());
    EHIDEMOUSE();
    for (int c = 1; c <= MARKT.sichtbar; ++c) karte(c);
    pfeile(false, false);
    ICONLEISTE(0, 0, false);
    SHOWGOLD(XMC, 500);
    DEFAULTTEXT();
    ESHOWMOUSE();
}

// The card of squad slot s, or of ONEPLAYER for 0, over the whole work area.
void spielerkarte(int s) {
    CLEAROBERFLAECHE();
    REFRESHFENSTER();
    HEADER(L[SCREEN_MARKT].str());
    ZOOMPLAYER(s, 0, 0, 2, L[216].str());
}

// ---- bids -------------------------------------------------------------------------

void bieten(int i) {
    const SKLAVENLOT& l = MARKT.lot[i];
    if (!l.belegt) return;
    switch (GEBOTMOEGLICH(TEAM, i, l.preis)) {
    case GEBOTSTAND::KEINPREIS: return;
    case GEBOTSTAND::ZUTEUER: MELDUNG(L[83].str() + " " + L[86].str()); return;
    case GEBOTSTAND::FRAGEN: break;
    }
    const std::int32_t n =
        EDITINT(L[85].str() + " " + name_of(l.p) + ":", TEAM.ANGEBOT[i], l.preis, GEBOTMAX(TEAM, i));
    SETZEGEBOT(TEAM, i, n);
}

// ---- own squad --------------------------------------------------------------------

void stornieren(int s, const std::string& name) {
    const std::string spieler = L[7].str() + " " + name + " ";
    switch (STORNOTRANSFER(TEAM, s, PLAYERWERT(PLAYER[s]))) {
    case STORNOERGEBNIS::KEINE: break;
    case STORNOERGEBNIS::KEINGOLD: MELDUNG(L[88].str() + " " + name); break;
    case STORNOERGEBNIS::OFFEN: MELDUNG(spieler + L[90].str() + "/" + L[91].str()); break;
    default: MELDUNG(spieler + L[89].str()); break;
    }
}

void entscheiden(int s, const std::string& name) {
    const PLAYERREC& p = PLAYER[s];
    if (p.ARTIFAKT > 0 && !JANEIN(L[599].str())) return;
    const std::int64_t wert = PLAYERWERT(p);
    const int ziel = wert == 0 ? -1 : WAEHLETEAM(name);
    const std::string spieler = L[7].str() + " " + name + " ";
    if (ziel >= 1 && ziel <= 10) {
        if (TRANSFERAN(TEAM, s, ziel, wert))
            MELDUNG(spieler + L[92].str() + " " + NOLINEBREAKS(TEAMNAME[ziel].str()) + "/" + L[209].str() + " $" +
                    std::to_string(TRANSFERGEBUEHR(wert)));
        else
            MELDUNG(L[94].str());
    } else if (ziel == -1) {
        if (FREIGEBEN(TEAM, s, wert))
            MELDUNG(spieler + L[95].str() + "/" + L[208].str() + ": $ " + std::to_string(wert));
    } else if (ziel == -3) {
        const std::int32_t preis = EDITINT(L[93].str() + " " + name + ":", wert, 1, MAXPREISANGEBOT);
        if (preis > 0 && PREISANGEBOT(TEAM, s, preis))
            MELDUNG(spieler + L[96].str() + "/" + L[97].str() + ": $" + std::to_string(preis));
    }
}

void eigenerspieler(int s) {
    const std::string name = name_of(PLAYER[s]);
    if (IMTEAMNR(s) > 0) MELDUNG(L[87].str());
    else if (TEAM.TRANSFER[s] != 0) stornieren(s, name);
    else entscheiden(s, name);
}

// ---- chooser ----------------------------------------------------------------------

void zielaufbau(const std::string& name) {
    CLEAROBERFLAECHE();
    REFRESHFENSTER();
    HEADER(L[HELP_ZIEL].str() + ": " + name);
    const int x = XM1 + 100;
    FENSTER(FREIFENSTER, x - 75, 150, x + 75, 200, L[211].str(), 1);
    FENSTER(PREISFENSTER, x - 75, 230, x + 75, 280, L[212].str(), 1);
    for (int t = 1; t <= 10; ++t) {
        const int y = 82 + 40 * t;
        FENSTER(t, XM2 - 265, y, XM2 - 35, y + 37, "", 1, 8);
        DEFAULTTEXT2();
        const int colour = t == NUMMER ? 13 : 15;
        // 26 cells fit beside the key letter.
        const std::string an = L[213].str() + " " + NOLINEBREAKS(TEAMNAME[t].str());
        text(XM2 - 243, y + 14, colour, an.substr(0, 26));
        text(XM2 - 243, y + 29, colour, NOLINEBREAKS(TRAINERNAME[t].str()).substr(0, 26));
    }
    DEFAULTTEXT();
}

}  // namespace

void SETSKLAVEN() {
    MARKT = SKLAVENDATEN(GEN, KARTENZAHL(XM1, XM2), [](int nr, PLAYERREC& p) {
        // A lot beyond the player file is an empty offer, not the end of the program.
        try {
            READPLAYER(nr, p);
        } catch (const FatalError&) {
            return false;
        }
        return true;
    });
    MARKT.erste = 0;
}

int WAEHLETEAM(const std::string& name) {
    zielaufbau(name);
    int ziel = 0;
    while (true) {
        GLOBALBUTTON();
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        if (KEY == '0') {
            HELP(HELP_ZIEL);
            zielaufbau(name);
            continue;
        }
        if (ZIELWAHL(KEY, ziel)) break;
    }
    // A menu button stays in KEY: the market is left for that screen.
    if (KEY < 100) KEY = 0;
    return ziel;
}

void SKLAVENMARKT() {
    TIPSCREEN(SCREEN_MARKT);
    const auto icons = ICON;
    for (int s = 1; s <= 10; ++s)
        if (BELEGT[s]) CHANGEICON(ICON[s], 0, ICONFARBE);
    SETSKLAVEN();
    bool changed = false;
    bool kartenmodus = false;  // a player card is shown: only "K" closes it
    AUFBAU();
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
            continue;
        }
        const bool rechts = RB;
        if (kartenmodus) {
            if (KEY != 'K') {
                BEEP(1);
                continue;
            }
            kartenmodus = false;
            AUFBAU();
            continue;
        }
        if (KEY == '0') {
            HELP(SCREEN_MARKT);
            AUFBAU();
        } else if ((KEY >= '1' && KEY <= '9') || KEY == 'A') {
            const int s = KEY == 'A' ? 10 : KEY - '0';
            if (!BELEGT[s]) continue;
            if (rechts) {
                spielerkarte(s);
                kartenmodus = true;
                continue;
            }
            eigenerspieler(s);
            changed = true;
            if (KEY >= 100) break;
            AUFBAU();
        } else if (KEY >= 'B' && KEY < 'B' + MARKT.sichtbar) {
            const int i = MARKT.erste + (KEY - 'B') + 1;
            if (!MARKT.lot[i].belegt) continue;
            if (rechts) {
                if (TEAM.ERFAHRUNG >= 1 || TESTMODE) {
                    ONEPLAYER = MARKT.lot[i].p;
                    spielerkarte(0);
                    kartenmodus = true;
                } else {
                    MELDUNG(L[217].str());
                }
                continue;
            }
            const std::int32_t vorher = TEAM.GOLD;
            const std::int16_t gebot = TEAM.ANGEBOT[i];
            bieten(i);
            if (TEAM.GOLD != vorher || TEAM.ANGEBOT[i] != gebot) changed = true;
            AUFBAU();
        } else if (KEY == 'I' || KEY == 'J') {
            bool beep = false;
            const int erste = KEY == 'I' ? SCROLLRECHTS(MARKT.erste, MARKT.sichtbar, beep)
                                         : SCROLLLINKS(MARKT.erste, MARKT.sichtbar, beep);
            if (beep) {
                BEEP(1);
                continue;
            }
            pfeile(KEY == 'I', KEY == 'J');
            DELAY(100);
            MARKT.erste = erste;
            AUFBAU();
        } else if (KEY == 'K') {
            AUFBAU();
        }
    }
    ICON = icons;
    LEAVESCREEN(SCREEN_MARKT, changed);
}

}  // namespace korax

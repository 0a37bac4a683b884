// The parts of the team and league views that need no screen: table rows,
// pairing lines, overview rows, the effective order values, colour steps, emblem
// versions and the usage-time text. The screens draw what these return.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/g_general.h"
#include "data/g_types.h"

namespace korax {

// ---- league table ----------------------------------------------------------------

// A name with the amateur mark: longer than 23 characters gives the first 24 and
// "(A)", a shorter one gets " (A)". Professionals keep their name.
std::string TABELLENNAME(std::string_view name, bool profi);

struct TENDENZ {
    std::string text;  // "++", "+", "o", "-", "--"
    int colour = 0;
};
// Strength tendency of a change d against the day before.
TENDENZ STAERKETENDENZ(int d);

struct TABELLENZEILE {
    bool shown = false;  // false: the row names no team of the league
    int team = 0;
    std::string name;    // place + "." + name (with the amateur mark)
    int colour = 14;     // 5 own team, 14 others
    bool mark = false;   // licence tick on the last match day
    std::string trainer;
    int won = 0, drawn = 0, lost = 0;
    std::string tordiff;  // "+" before a positive difference
    int staerke = 0;
    bool hastendenz = false;
    TENDENZ tendenz;
};
// Row i (1..10) of GEN.TABELLE.
TABELLENZEILE TABELLENZEILEN(int i);
// Shading of row i: +1 promotion, -1 relegation, 0 none (counts above 10 are 10).
int TABELLENZONE(int i);

// ---- pairings ----------------------------------------------------------------------

// The match day a key chooses: "1".."9" days 1..9, "A".."I" days 10..18; 0 otherwise.
int PAARUNGSTAGKEY(unsigned char key);
// The day the pairings open on: TAG, but day 1 before the first match day.
int PAARUNGSSTART(int tag);

struct PFEIL {
    char c = 0;  // '^' climbed, 'v' fell, 0 nothing
    int colour = 8;
};
// The table-place arrow of a team on the current match day.
PFEIL TABTENDENZWERT(int team);

struct PAARUNGSZEILE {
    bool heimda = false, gastda = false;  // team inside 1..10
    int heim = 0, gast = 0;
    std::string heimname, gastname;
    int heimplatz = 0, gastplatz = 0;
    PFEIL heimpfeil, gastpfeil;
    int hwert = 0, gwert = 0;
};
PAARUNGSZEILE PAARUNGSZEILEN(int day, int k);

// ---- overview and card ---------------------------------------------------------------

// Squad slot shown in overview row 1..10; 0 for an empty row.
int GETSPIELERNUMMER(int row);
// The line-up position (1..5) of a squad slot 1..10, 0 when it plays on none.
int POSITIONOF(int slot);
// The row of the overview the previous ("C", step -1) or next ("D", +1) openable
// player stands on, or 0 when there is none that way.
int NAECHSTEZEILE(int row, int step);
// A row can be opened on the card: it has a slot whose player has condition above 0.
bool ZEILEOFFEN(int row);

// Effective order values of a player on squad slot `slot` (0: not in the squad).
std::int16_t AKTUINDI(int slot, const PLAYERREC& p);
std::int16_t AKTUPASS(int slot, const PLAYERREC& p);
std::int16_t AKTUVORLEGEN(int slot, const PLAYERREC& p);

// What BALLANZEIGE draws: `stored` balls in `colour`, then `over` balls in
// `overcolour` over them. Nothing when drawn is false.
struct BALLS {
    bool drawn = false;
    int stored = 0;
    int colour = 0;
    int over = 0;
    int overcolour = 0;
};
BALLS BALLSOF(int stored, int effective, int colour);

// Transfer state of squad slot i as the overview shows it; "" without a decision.
std::string TRANSFERTEXT(int slot);
// The red state line of the card for a player (slot 0: not of the own squad).
std::string ZUSTANDSZEILE(int slot, const PLAYERREC& p);
// The individual order of another team's player is shown only to an experienced
// trainer whose experience carries its code.
bool INDISICHTBAR(const TEAMREC& t);
// The copy the card shows of ONEPLAYER: INDI -1 when hidden.
PLAYERREC KARTENKOPIE(const PLAYERREC& p, const TEAMREC& t);
// Race picture of a race code ("ih", "ib", "is", "im", "ie"); "" outside 1..10.
std::string RACEPICTURE(int race);

// ---- team data ---------------------------------------------------------------------

// One step of a team colour against its partner colour (down: right button).
int FARBSTEP(int value, int partner, bool down);
// Codes 67 and 70 of the team data screen on the own team t.
void SYMBOLFRAGE(TEAMREC& t, const GENTYPE& g, int nummer, int code, bool yes);
// A duration in 2-second units as hours:minutes.seconds.
std::string WRITEFTIME(std::int64_t t);
// The next computer mode: 0, 1, 2, then 0 again (anything else also gives 0).
int COMPUTERSTEP(int mode);

}  // namespace korax

// The parts of the statistics, history and season-end screens that need no
// screen: chart lines and ranges, the fair-play order and averages, scorer rows,
// history line kinds and paging, and the keep-mark booking. The screens draw what
// these return.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/g_general.h"
#include "data/g_types.h"

namespace korax {

// ---- charts ------------------------------------------------------------------------

// The last match day a chart shows: the match day, but never past the 20 days the
// statistics rows hold; below 0 nothing is shown (-1).
int CHARTLASTDAY(int spieltag);

struct CHARTPOINT {
    int day = 0;
    int value = 0;
};
// One team's line; a day without a usable value ends a run, so `runs` holds the
// pieces that are drawn joined.
struct CHARTLINE {
    int team = 0;
    int colour = 0;
    std::vector<std::vector<CHARTPOINT>> runs;
};
// Lines of the teams with a colour above 0: kind 2 table places (only places
// 1..10 are points), kind 1 strengths. colours is indexed by team 1..10.
std::vector<CHARTLINE> CHARTLINES(const GENTYPE& g, const std::array<int, 11>& colours, int spieltag, int kind);

struct CHARTRANGE {
    int lo = 0;
    int hi = 0;
};
// Strength range: from 3000..1000 widened by every shown value, lo rounded down
// to a multiple of 50 (also below 0), and at least 50 wide.
CHARTRANGE STAERKERANGE(const GENTYPE& g, const std::array<int, 11>& colours, int spieltag);

// The chart's plotting box (inclusive pixels) and where a point lies in it; the
// value axis runs from lo at the bottom to hi at the top, or for places (kind 2)
// from place 1 at the top to 10 at the bottom. Points are kept inside the box.
struct CHARTBOX {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int days = 18;  // last day on the axis
};
struct PIXEL {
    int x = 0, y = 0;
};
PIXEL CHARTPIXEL(const CHARTBOX& b, int kind, int lo, int hi, CHARTPOINT p);

// ---- fair play --------------------------------------------------------------------

// Teams 1..10 ordered by brutality ascending with the plain exchange sort: a team
// further down with a lower value swaps with the one at the current rank.
std::array<int, 10> FAIRPLAYORDER(const ARR1<std::int16_t, 1, 10>& brutal);
// round(brutal * 10 / spieltag), half to even, in tenths; 0 before a match day.
std::int64_t BRUTALSCHNITT(std::int64_t brutal, int spieltag);

struct FAIRPLAYZEILE {
    int team = 0;
    std::string rank;  // "1. "
    std::string name;
    bool own = false;
    std::string platz;  // "(3)"
    std::string schnitt;  // tenths as "9.2"
    std::string gesamt;
};
// Row `rank` (1..10) of the fair-play table from the current league state.
FAIRPLAYZEILE FAIRPLAYZEILEN(int rank);

// ---- top scorers -------------------------------------------------------------------

struct SCORERZEILE {
    bool shown = false;  // false: the entry names no team or race of the league
    std::string rank;    // "1. "
    std::string name;
    int colour = 15;     // 5 own team's player, 15 others
    std::string race;
    std::string team;
    int tore = 0;
};
SCORERZEILE SCORERZEILEN(int i);

// ---- history ------------------------------------------------------------------------

// At most this many lines are held; a longer file shows its newest lines.
inline constexpr std::size_t HISMAX = 10000;

enum class HISART { PLAIN, HEADING, HIGHLIGHT };
struct HISZEILE {
    HISART art = HISART::PLAIN;
    std::string text;
};
// A season heading has "Saison" starting within its first five characters; ">>> "
// and "*** " lines are highlighted and shown without the prefix.
HISZEILE HISTORIEZEILE(std::string_view line);
// The first line shown after code 50 ("2", step +1) or 56 ("8", step -1).
int HISSCROLL(int first, int step, int anzahl);

// Keeps the newest HISMAX lines of a sequence of lines in reading order.
struct HISRING {
    std::vector<std::string> lines;
    std::size_t next = 0;     // slot the next line goes to once full
    std::size_t total = 0;    // lines seen
};
void HISPUSH(HISRING& r, std::string_view line);
// The kept lines, oldest first.
std::vector<std::string> HISLINES(HISRING& r);

// ---- season end ------------------------------------------------------------------

// The slot a key chooses: "1".."9" slots 1..9, "A" slot 10; 0 otherwise.
int HALTESLOT(unsigned char key);
// An occupied slot whose player is fit enough to decide on.
bool HALTEOFFEN(int slot);
// The keep price as shown: "T" + price below 10000, else the number.
std::string HALTEPREISTEXT(std::int64_t price);

enum class HALTEN { NICHTS, ZURUECK, GENOMMEN, ZUTEUER };
// The keep toggle of slot i on team t: a keep mark (1) is taken back with its
// price refunded; no decision takes the price when it is at most the gold; another
// decision from the data stays as it is. Gold sums in 64 bits, stored wrapped.
HALTEN HALTETOGGLE(TEAMREC& t, int slot);
// The message when the price is above the gold.
std::string HALTEMELDUNG(std::string_view name);

}  // namespace korax

// The booking rules of the stadium, the advance sale, the bank, the betting office
// and the training plan, apart from their screens: each takes the team record and
// the few facts of the game it needs, books gold at once, and its reversal gives
// back exactly what it booked. Amounts are reckoned in 64 bits; the record's fields
// keep their own width (32-bit gold wraps like the stored type).
#pragma once

#include <cstdint>

#include "data/g_general.h"
#include "data/g_types.h"

namespace korax {

// ---- next match day -------------------------------------------------------------

// The season's match day (1..18) after the current one, or 0 when there is none:
// TURN outside 0..9, or the last day of the second half already played.
int NEXTSPIELTAG(const GENTYPE& g);
// A pairing is usable only when both its teams are league teams (1..10).
bool PAARUNGGUELTIG(const SPIELPLANTYPE& p);

// ---- stadium --------------------------------------------------------------------

inline constexpr int MAXSITZE = 2000;    // the stadium never grows beyond this
inline constexpr int MINSITZE = 500;     // pulling down never goes below this
inline constexpr int SITZPREIS = 2;      // gold per seat built
inline constexpr int ABRISSTAG = 7;      // first match day on which seats can be pulled down

// Start values of the two order dialogs: the running order of that kind, else 0.
std::int64_t AUSBAUSTART(const TEAMREC& t);
std::int64_t ABRISSSTART(const TEAMREC& t);
// Takes back the running order (refund of a build, repayment of a pull-down) and
// clears it.
void STORNOAUSBAU(TEAMREC& t);
// Seats that may be ordered now (after STORNOAUSBAU): 2000 - seats, at most gold
// div 2, never above what the order field holds. <= 0: nothing can be built.
std::int64_t AUSBAULIMIT(const TEAMREC& t);
// Seats that may be pulled down: seats - 500, 0 when the stadium has 500 or fewer.
std::int64_t ABRISSLIMIT(const TEAMREC& t);
// Books an order of n seats (n > 0); n <= 0 books nothing.
void BUCHEAUSBAU(TEAMREC& t, std::int64_t n);
void BUCHEABRISS(TEAMREC& t, std::int64_t n);
// The fans' mood as drawn: clamped into -4..4.
int STIMMUNGSKALA(int stimmung);

// ---- advance sale ---------------------------------------------------------------

enum class VKAUFERGEBNIS { NICHTS, EIGENES, KEINGOLD, GEKAUFT, ZURUECK };
// Buys or returns pairing k (1..5) of the next day at its home team's price. The
// own pairing is refused (language text 81), a price above the gold too (9); a
// pairing with a team outside the league, or a negative price, is not for sale.
VKAUFERGEBNIS VKAUF(TEAMREC& t, int nummer, int k, const SPIELPLANTYPE& p, const GENTYPE& g);
// Highest own advance price: (LIGAFAKTOR + 1) x 30.
std::int64_t VPREISMAX(int ligafaktor);

// ---- bank -----------------------------------------------------------------------

// False when no payment to team `to` can be set up: gold plus its running payment
// is not positive (language text 262).
bool UEBERWEISUNGMOEGLICH(const TEAMREC& t, int to);
// Takes back the running payment to `to` and returns it (the dialog's start).
std::int64_t STORNOUEBERWEISUNG(TEAMREC& t, int to);
void BUCHEUEBERWEISUNG(TEAMREC& t, int to, std::int64_t n);

// Credit limit: 500 before match day 3, 1000 from day 3, and from day 6 the value
// of every occupied slot whose player has no transfer decision.
std::int64_t KREDITLIMIT(const TEAMREC& t, int spieltag, const ARR1<PLAYERREC, 1, 10>& player,
                         const ARR1<bool, 1, 10>& belegt);
void BUCHEKREDIT(TEAMREC& t, std::int64_t n, int zinsen);
// Largest repayment: the smaller of credit and gold (<= 0: none possible).
std::int64_t TILGUNGMAX(const TEAMREC& t);
// Repays n; a credit paid off clears its duration and rate. False when the gold
// would end below 0 (the caller reports the internal error).
bool BUCHETILGUNG(TEAMREC& t, std::int64_t n);

// ---- betting office -------------------------------------------------------------

inline constexpr int MINWETTE = 10;
inline constexpr int MAXWETTE = 1000;

// The team of pairing p the own team may not bet on, or 0: in the own pairing the
// opponent when its odds are below 2.0 or when the own team is not on a
// relegation place.
int GESPERRT(const SPIELPLANTYPE& p, int nummer, int platz, int abstieg);
// Why a stake on `team` (other team of the pairing `other`) is refused: 0 when it
// may be set, else 290 (under 10 gold), 291 (a stake on the other side), 292 (the
// blocked team; shown as 291 + 292). Teams outside 1..10 give -1 (nothing happens).
int WETTVERBOT(const TEAMREC& t, int team, int other, int blocked);
// Takes back the stake on `team` and returns the dialog's maximum (gold capped at
// 1000). Below 10, or when the gold would not fit its field, nothing is taken
// back and 0 returned: the stake stays as it was.
std::int64_t STORNOWETTE(TEAMREC& t, int team);
// Stores the dialog's result as the stake (0 removes it) and books it.
void BUCHEWETTE(TEAMREC& t, int team, std::int64_t n);

// ---- training -------------------------------------------------------------------

inline constexpr int TRAININGMAX = 20;
// Area k = 1..6: TECHNIK, TAKTIK, KRAFT, SCHUSS, AUSDAUER, INTERVALL; null otherwise.
I16* TRAININGAREA(TRAININGTYPE& tr, int k);
// Clamps all six areas into 0..20.
void NORMWERT(TRAININGTYPE& tr);
// POINTS minus the six areas.
std::int64_t FREIEPUNKTE(const TRAININGTYPE& tr);
// A right click: +1 on area k (not above 20); 419 when no point is free, else 0.
int TRAININGPLUS(TRAININGTYPE& tr, int k);
// A left click: -1 on area k, not below 0.
void TRAININGMINUS(TRAININGTYPE& tr, int k);

struct STIMMUNGSZEILE {
    int text;
    int colour;
    const char* picture;
};
// The trainer's mood row for TRAINERERG.
STIMMUNGSZEILE TRAINERSTIMMUNG(int erg);

// ---- accommodation and catering -------------------------------------------------

// Price of standard s (0..4): 0, 10, 20, 50, 100; -1 outside.
int STANDARDPREIS(int s);

}  // namespace korax

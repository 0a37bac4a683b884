// The rules of the slave market apart from its screen: the lots of the turn, the
// scrolling of their cards, the bids and the decisions on the own squad. Every
// decision books gold on the team at once, and taking it back books exactly the
// opposite; a booking that would not fit the 32-bit gold is refused instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"

namespace korax {

inline constexpr int LOTANZ = 10;          // offers of the market
inline constexpr int MAXKARTEN = 7;        // card windows 11..17
inline constexpr int KARTENBREITE = 140;   // a card and its gap
inline constexpr int MAXGEBOT = 32767;     // a bid is kept in a SMALLINT
inline constexpr int MAXPREISANGEBOT = 9999;
inline constexpr int MAXKREUZE = 15;       // crosses that fit a card

struct SKLAVENLOT {
    bool belegt = false;  // a player stands on this offer
    int nr = 0;           // record of PLAYER<n>.DAT
    PLAYERREC p{};
    int preis = 0;        // asking price; 0: no bid possible
    int team = 0;         // SKLAVENTEAM, 0 when none
    int kreuze = 0;       // SKLAVENCOUNT + 1, capped to what fits
};

// The working data of the market screen.
struct SKLAVENMARKTDATEN {
    ARR1<SKLAVENLOT, 1, LOTANZ> lot{};
    int anzahl = 0;    // occupied offers
    int sichtbar = 1;  // visible cards
    int erste = 0;     // offer before the first visible card
};

// Cards that fit the work area: (xm2 - xm1 - 60) div 140, within 1..7.
int KARTENZAHL(int xm1, int xm2);

// Fills the lots from the general record. `lesen` reads player record nr and
// answers false when it cannot (beyond the file): the offer is then empty.
using PLAYERLESER = std::function<bool(int nr, PLAYERREC& p)>;
SKLAVENMARKTDATEN SKLAVENDATEN(const GENTYPE& g, int sichtbar, const PLAYERLESER& lesen);
// The asking price: the game master's price when above 0, else the value.
int ASKPREIS(int gebot, const PLAYERREC& p);

// Scrolling: the first index after "I" (right) or "J" (left); beep when the end
// was reached and nothing moved.
int SCROLLRECHTS(int erste, int sichtbar, bool& beep);
int SCROLLLINKS(int erste, int sichtbar, bool& beep);

// ---- bids -------------------------------------------------------------------------

enum class GEBOTSTAND {
    KEINPREIS,  // an empty offer or one without a price: nothing happens
    ZUTEUER,    // the price is above the gold with the own bid given back (83 + 86)
    FRAGEN,     // the bid dialog may be opened
};
// Whether offer i (price `preis`) can be bid for now.
GEBOTSTAND GEBOTMOEGLICH(const TEAMREC& t, int i, int preis);
// The dialog's highest bid: gold with the own bid given back, at most 32767.
std::int64_t GEBOTMAX(const TEAMREC& t, int i);
// Replaces the bid on offer i by n (0 withdraws it): the old bid is given back and
// the new one reserved. A bid outside 0..32767 is refused (false, nothing booked).
bool SETZEGEBOT(TEAMREC& t, int i, std::int64_t n);

// ---- own squad --------------------------------------------------------------------

// Fee of a transfer to a team: value / 20, rounded half to even.
std::int64_t TRANSFERGEBUEHR(std::int64_t wert);

enum class STORNOERGEBNIS {
    KEINE,        // no decision on the slot
    KEINGOLD,     // a release cannot be taken back: 88 + name
    FREIGABE,     // release taken back, value paid back (89)
    OFFEN,        // the pending offer (-2) withdrawn (90 / 91)
    ANGEBOT,      // an offer for a price withdrawn (89)
    TRANSFER,     // a transfer taken back, fee returned (89)
    UNGUELTIG,    // a destination outside the league cleared, nothing booked (89)
};
// Takes back the decision on slot s of a player worth `wert`.
STORNOERGEBNIS STORNOTRANSFER(TEAMREC& t, int s, std::int64_t wert);

// New decisions on slot s (which must have none): false when refused and nothing
// changed (a transfer without the gold for its fee, 94; gold that would not fit).
bool TRANSFERAN(TEAMREC& t, int s, int team, std::int64_t wert);
bool FREIGEBEN(TEAMREC& t, int s, std::int64_t wert);
bool PREISANGEBOT(TEAMREC& t, int s, std::int64_t preis);

// What a key of the destination chooser answers: true when it ends the chooser,
// with ziel a team 1..10, -1 (release, "H"), -3 (offer for a price, "I") or 0
// ("R", Escape, a menu button).
bool ZIELWAHL(unsigned char key, int& ziel);

// Text of an attribute value on a card: "max" for 100, otherwise the number.
std::string WW10(int n);

}  // namespace korax
